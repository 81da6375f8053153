#include "skinwin/KsSkinMenuForm.h"

#include "skinwin/KsSkinItems.h"

TSeSkinPopupForm::TSeSkinPopupForm(TKsPopupWindow* window, TSeSkinEngine* engine)
    : TKsPopupForm(window), engine_(engine)
{
}

TSeSkinObject* TSeSkinPopupForm::PopupMenuObject() const
{
    return TSeSkinBinding::Usable(engine_) ? engine_->SourceForDpi(PopupWindow()->Dpi())->ObjectByName(L"PopupMenu")
                                           : nullptr;
}

bool TSeSkinPopupForm::Skinned() const { return PopupMenuObject() != nullptr; }

TRect TSeSkinPopupForm::ClientMargins()
{
    TSeSkinObject* popup = PopupMenuObject();
    if (!popup) return TKsPopupForm::ClientMargins();
    TSeSkinObject* frame = SkinChild(popup, L"Frame");
    if (!frame) return {3, 3, 3, 3};
    return {frame->MarginLeft(), frame->MarginTop(), frame->MarginRight(), frame->MarginBottom()};
}

void TSeSkinPopupForm::PaintFrame(TKsBitmap& buffer)
{
    TSeSkinObject* popup = PopupMenuObject();
    if (!popup) {
        TKsPopupForm::PaintFrame(buffer);
        return;
    }
    TSeSkinObject* frame = SkinChild(popup, L"Frame");
    if (!frame) return;
    frame->SetBounds({0, 0, FrameSize().cx, FrameSize().cy});
    frame->Draw(buffer);
}

TSeSkinPopupWindow::TSeSkinPopupWindow(TComponent* owner, TSeSkinEngine* engine)
    : TKsPopupWindow(owner), engine_(engine)
{
}

TKsPopupForm* TSeSkinPopupWindow::CreatePopupForm() { return new TSeSkinPopupForm(this, engine_); }
