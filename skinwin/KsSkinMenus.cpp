#include "skinwin/KsSkinMenus.h"

namespace {

TKsCustomItem* MakeSkinRoot(TComponent* owner) { return new TSeSkinItem(owner); }

} // namespace

// ---- TSeSkinMenuBar ----

TSeSkinMenuBar::TSeSkinMenuBar(TComponent* owner) : TKsCustomMenuBar(owner, &MakeSkinRoot) {}

TSeSkinMenuBar::~TSeSkinMenuBar() { Destroying(); }

void TSeSkinMenuBar::SetSkinEngine(TSeSkinEngine* engine)
{
    SkinItems()->SetSkinEngine(engine);
    skin_.SetEngine(engine);
    if (TSeSkinObject* frame = FrameObject()) SetBounds(Left(), Top(), Width(), frame->Height());
    UpdateOrigin();
}

TSeSkinObject* TSeSkinMenuBar::FrameObject() const
{
    return skin_.Skinned() ? SkinChild(skin_.Copy(), OnToolbar() ? L"ToolbarFrame" : L"Frame") : nullptr;
}

TRect TSeSkinMenuBar::ContentRect() const
{
    TSeSkinObject* frame = FrameObject();
    if (!frame) return TKsCustomMenuBar::ContentRect();
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
    if (!IsLoading() && !IsDestroying() && !(Owner() && Owner()->IsDestroying()))
        SkinItems()->SetSkinEngine(SkinEngine());
    TKsCustomMenuBar::ItemsChanged();
}

void TSeSkinMenuBar::WndProc(TMessage& message)
{
    bool fromEngine = SkinEngine() && message.LParam == reinterpret_cast<LPARAM>(SkinEngine());
    if (message.Msg == CM_SKINCHANGED) {
        if (fromEngine) SetSkinEngine(SkinEngine());
        return;
    }
    if (message.Msg == CM_SKINCHANGING && fromEngine) {
        // The items let go of the skin's objects while the skin is being replaced.
        skin_.HandleMessage(message);
        SkinItems()->SetSkinEngine(SkinEngine());
        return;
    }
    if (message.Msg == CM_DPICHANGED && SkinEngine()) SetSkinEngine(SkinEngine());
    if (skin_.HandleMessage(message)) return;
    TKsCustomMenuBar::WndProc(message);
}

void TSeSkinMenuBar::Notification(TComponent* component, TOperation operation)
{
    TKsCustomMenuBar::Notification(component, operation);
    if (operation == opRemove && component && component == SkinEngine()) SkinItems()->SetSkinEngine(nullptr);
    skin_.Notification(component, operation);
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
