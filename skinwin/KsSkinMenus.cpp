#include "skinwin/KsSkinMenus.h"

namespace {

TKsCustomItem* MakeSkinRoot(TComponent* owner) { return new TSeSkinItem(owner); }

} // namespace

// ---- TSeSkinMenuBar ----

TSeSkinMenuBar::TSeSkinMenuBar(TComponent* owner) : TKsCustomMenuBar(owner, &MakeSkinRoot) {}

TSeSkinMenuBar::~TSeSkinMenuBar()
{
    Destroying();
    skinCopy_.reset();
}

void TSeSkinMenuBar::SetSkinEngine(TSeSkinEngine* engine)
{
    if (engine_ != engine) {
        if (engine_) RemoveFreeNotification(engine_);
        engine_ = engine;
        if (engine_) FreeNotification(engine_);
    }
    SkinItems()->SetSkinEngine(engine_);
    skinCopy_.reset();
    if (SkinUsable(engine_)) {
        if (TSeSkinObject* object = engine_->Source()->ObjectByName(skinObject_)) {
            skinCopy_.reset(object->Clone(nullptr));
            skinCopy_->Bind(this);
            if (TSeSkinObject* frame = SkinChild(skinCopy_.get(), OnToolbar() ? L"ToolbarFrame" : L"Frame"))
                SetBounds(Left(), Top(), Width(), frame->Height());
        }
    }
    Invalidate();
}

TSeSkinObject* TSeSkinMenuBar::FrameObject() const
{
    if (!skinCopy_ || !SkinUsable(engine_)) return nullptr;
    return SkinChild(skinCopy_.get(), OnToolbar() ? L"ToolbarFrame" : L"Frame");
}

TRect TSeSkinMenuBar::ContentRect()
{
    TSeSkinObject* frame = FrameObject();
    if (!frame) return TKsCustomMenuBar::ContentRect();
    frame->SetBounds({0, 0, Width(), Height()});
    return {frame->MarginLeft(), frame->MarginTop(), Width() - frame->MarginRight(), Height() - frame->MarginBottom()};
}

void TSeSkinMenuBar::PaintBackground(TKsBitmap& buffer)
{
    TSeSkinObject* frame = FrameObject();
    if (!frame) {
        TKsCustomMenuBar::PaintBackground(buffer);
        return;
    }
    frame->SetBounds({0, 0, Width(), Height()});
    frame->Draw(buffer);
}

void TSeSkinMenuBar::ItemsChanged()
{
    // Items added to the tree draw through the bar's engine like the others.
    if (!IsLoading() && !IsDestroying() && !(Owner() && Owner()->IsDestroying())) SkinItems()->SetSkinEngine(engine_);
    TKsCustomMenuBar::ItemsChanged();
}

void TSeSkinMenuBar::WndProc(TMessage& message)
{
    auto fromEngine = [&] { return engine_ && reinterpret_cast<TSeSkinEngine*>(message.LParam) == engine_; };
    switch (message.Msg) {
    case CM_SKINCHANGING:
        if (fromEngine()) {
            skinCopy_.reset();
            SkinItems()->SetSkinEngine(engine_);
        }
        return;
    case CM_SKINCHANGED:
        if (fromEngine()) SetSkinEngine(engine_);
        return;
    case CM_SKINOBJECTINVALIDATE:
        Invalidate();
        return;
    default:
        TKsCustomMenuBar::WndProc(message);
    }
}

void TSeSkinMenuBar::Notification(TComponent* component, TOperation operation)
{
    TKsCustomMenuBar::Notification(component, operation);
    if (operation == opRemove && component == engine_) {
        engine_ = nullptr;
        skinCopy_.reset();
        SkinItems()->SetSkinEngine(nullptr);
        Invalidate();
    }
}

// ---- TSeSkinPopupMenu ----

TSeSkinPopupMenu::TSeSkinPopupMenu(TComponent* owner) : TKsCustomPopupMenu(owner, &MakeSkinRoot) {}

void TSeSkinPopupMenu::SetSkinEngine(TSeSkinEngine* engine)
{
    if (engine_ != engine) {
        if (engine_) RemoveFreeNotification(engine_);
        engine_ = engine;
        if (engine_) FreeNotification(engine_);
    }
    SkinItems()->SetSkinEngine(engine_);
}

void TSeSkinPopupMenu::Popup(int x, int y)
{
    SkinItems()->SetSkinEngine(engine_);
    TKsCustomPopupMenu::Popup(x, y);
}

void TSeSkinPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TKsCustomPopupMenu::Notification(component, operation);
    if (operation == opRemove && component == engine_) {
        engine_ = nullptr;
        SkinItems()->SetSkinEngine(nullptr);
    }
}
