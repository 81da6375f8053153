// The menu bar: its layout, plain painting, mouse and keyboard entry.
#include "skinwin/KsMenus.h"

#include "skinwin/KsForms.h"
#include "skinwin/KsItemPaint.h"

#include <algorithm>

namespace {

TKsCustomItem* MakePlainRoot(TComponent* owner) { return new TKsCustomItem(owner); }

} // namespace

// ---- TKsMenuBarView ----

TKsMenuBarView::TKsMenuBarView(TKsCustomMenuBar* bar) : TKsItemView(bar, voHorizontal, true), bar_(bar)
{
    SetControl(bar);
    SetCoordControl(bar);
    SetPaintBuffer(&bar->Surface());
}

void TKsMenuBarView::SizeComputed(int, int height)
{
    if (bar_->AutoSize()) bar_->AdaptHeight(height);
}

void TKsMenuBarView::Repaint() { bar_->Invalidate(); }

// ---- TKsCustomMenuBar ----

TKsCustomMenuBar::TKsCustomMenuBar(TComponent* owner) : TKsCustomMenuBar(owner, &MakePlainRoot) {}

TKsCustomMenuBar::TKsCustomMenuBar(TComponent* owner, TKsCustomItem* (*makeRoot)(TComponent* owner))
    : TKsCustomControl(owner), makeItem_(makeRoot)
{
    items_ = makeRoot(this);
    items_->SetContainer(this);
    items_->OnChange = [this](TKsCustomItem*) { ItemsChanged(); };
    view_ = new TKsMenuBarView(this);
    view_->SetItem(items_);
    SetColor(clMenu);
    SetBounds(Left(), Top(), Width(), SystemMetricForDpi(SM_CYMENU, Dpi()));
    SetAlign(alTop);
}

TKsCustomMenuBar::~TKsCustomMenuBar()
{
    Destroying();
    items_->OnChange = nullptr;
}

void TKsCustomMenuBar::CreateParams(TCreateParams& params)
{
    TKsCustomControl::CreateParams(params);
    params.ClassName = L"Folvane.MenuBar";
}

void TKsCustomMenuBar::SetAutoSize(bool value)
{
    if (autoSize_ == value) return;
    autoSize_ = value;
    if (autoSize_) view_->ComputeSize();
}

void TKsCustomMenuBar::AdaptHeight(int itemsHeight)
{
    TRect content = ContentRect();
    int height = itemsHeight + content.Top + (Height() - content.Bottom);
    if (height == Height() || sizing_) return;
    sizing_ = true;
    SetBounds(Left(), Top(), Width(), height);
    sizing_ = false;
}

void TKsCustomMenuBar::BoundsChanged()
{
    TKsCustomControl::BoundsChanged();
    if (!view_) return;
    UpdateOrigin();
    if (!autoSize_ && !sizing_) view_->ComputeSize();
}

void TKsCustomMenuBar::PushToItems()
{
    PushPopupOptions();
    items_->SetOwnerControlTree(dynamic_cast<TWinControl*>(Owner()));
    items_->SetOnToolbarTree(onToolbar_);
}

void TKsCustomMenuBar::ItemsChanged()
{
    // Items freed with the form leave a bar that is about to go too.
    if (IsLoading() || IsDestroying() || (Owner() && Owner()->IsDestroying())) return;
    // A removed item can no longer be the selection.
    if (items_->IndexOf(view_->Selected()) < 0) view_->SetSelected(nullptr);
    PushToItems();
    UpdateOrigin();
    view_->ComputeSize();
    Invalidate();
}

void TKsCustomMenuBar::Loaded()
{
    TKsCustomControl::Loaded();
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()); form && form->FormStyle() == fsMDIForm) AddMDIItems();
    PushToItems();
    UpdateOrigin();
    view_->ComputeSize();
    for (int i = 0; i < items_->Count(); ++i) items_->Items(i)->SetItemBiDiMode(BiDiMode());
    Invalidate();
}

TRect TKsCustomMenuBar::ContentRect() const
{
    TRect client{0, 0, Width(), Height()};
    if (Align() == alBottom)
        client.Top += 2;
    else
        client.Bottom -= 2;
    return client;
}

void TKsCustomMenuBar::PaintBackground(TKsBitmap& buffer)
{
    TRect client{0, 0, Width(), Height()};
    buffer.FillRect(client, ColorToPixel(Color()));
    int y = Align() == alBottom ? 0 : client.Bottom - 2;
    buffer.FillRect({0, y, client.Right, y + 1}, ColorToPixel(clBtnShadow));
    buffer.FillRect({0, y + 1, client.Right, y + 2}, ColorToPixel(clBtnHighlight));
}

void TKsCustomMenuBar::UpdateOrigin()
{
    TRect content = ContentRect();
    view_->SetOrigin({content.Left, content.Top});
}

void TKsCustomMenuBar::PaintFace()
{
    PaintBackground(Surface());
    UpdateOrigin();
    view_->PaintItems(Surface());
}

void TKsCustomMenuBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || view_->Tracking()) return;
    if (view_->ItemAtScreen(ClientToScreen({x, y}))) EnterTracking();
}

void TKsCustomMenuBar::MouseMove(TShiftState shift, int x, int y)
{
    TKsCustomControl::MouseMove(shift, x, y);
    if (!view_->Tracking()) view_->Hit(ClientToScreen({x, y}));
}

void TKsCustomMenuBar::MouseLeave()
{
    TKsCustomControl::MouseLeave();
    if (!view_->Tracking()) view_->Hit({-1, -1});
}

bool TKsCustomMenuBar::DialogChar(wchar_t key)
{
    if (GetKeyState(VK_MENU) >= 0 || view_->Tracking() || !items_->FindByAccelerator(key)) return false;
    if (Parent() && Parent()->HandleAllocated()) PostMessageW(Parent()->Handle(), WM_CHAR, key, 0);
    EnterTracking();
    return true;
}

void TKsCustomMenuBar::EnterTracking(TKsCustomItem* choose)
{
    items_->MarkFirstPopupTree();
    NotifyWinEvent(EVENT_SYSTEM_MENUSTART, Handle(), OBJID_CLIENT, CHILDID_SELF);
    view_->Track(choose);
    NotifyWinEvent(EVENT_SYSTEM_MENUEND, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

bool TKsCustomMenuBar::IsShortCut(WPARAM key, LPARAM keyData) { return items_->ExecuteShortCut(key, keyData); }

// ---- the maximized child's items ----

void TKsCustomMenuBar::AddMDIItems()
{
    if (!mdiItems_.empty()) return;
    auto make = [this](TKsItemKind kind, void (*act)(TKsCustomMenuBar&, TKsCustomForm&)) {
        TKsCustomItem* item = makeItem_(this);
        item->SetKind(kind);
        item->SetVisible(false);
        item->OnClick = [this, act](TKsCustomItem*) {
            if (mdiChildFrame_) act(*this, *mdiChildFrame_);
        };
        mdiItems_.push_back(item);
        return item;
    };
    // The icon shows the child's system menu; the bar then drops its selection (a point on no item).
    auto showSystemMenu = [](TKsCustomMenuBar& bar, TKsCustomForm& frame) {
        frame.ShowSystemMenu();
        bar.View()->Hit({-1, -1});
    };
    items_->Insert(0, make(ikWindowIcon, showSystemMenu));
    items_->Add(make(ikClose, [](TKsCustomMenuBar&, TKsCustomForm& frame) { frame.Close(); }));
    items_->Add(make(ikRestore, [](TKsCustomMenuBar&, TKsCustomForm& frame) { frame.Restore(); }));
    items_->Add(make(ikMinimize, [](TKsCustomMenuBar&, TKsCustomForm& frame) { frame.Minimize(); }));
}

void TKsCustomMenuBar::SetMDIChildFrame(TKsCustomForm* frame)
{
    if (frame == mdiChildFrame_ || mdiItems_.empty()) return;
    if (mdiChildFrame_) RemoveFreeNotification(mdiChildFrame_);
    mdiChildFrame_ = frame;
    if (mdiChildFrame_) FreeNotification(mdiChildFrame_);
    for (TKsCustomItem* item : mdiItems_) {
        item->SetChildFrame(frame);
        item->SetVisible(frame != nullptr);
    }
    if (!frame && std::find(mdiItems_.begin(), mdiItems_.end(), view_->Selected()) != mdiItems_.end())
        view_->SetSelected(nullptr);
}

void TKsCustomMenuBar::Notification(TComponent* component, TOperation operation)
{
    TKsCustomControl::Notification(component, operation);
    if (operation != opRemove || !component) return;
    std::erase(mdiItems_, component);
    if (component != mdiChildFrame_) return;
    mdiChildFrame_ = nullptr;
    if (IsDestroying()) return;
    for (TKsCustomItem* item : mdiItems_) {
        item->SetChildFrame(nullptr);
        item->SetVisible(false);
    }
}
