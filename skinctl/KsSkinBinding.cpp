#include "skinctl/KsSkinBinding.h"

#include "framework/SystemSettings.h"

TSeSkinBinding::TSeSkinBinding(TControl& control, std::wstring objectName, bool drawsWhileLoading)
    : control_(control), objectName_(std::move(objectName)), drawsWhileLoading_(drawsWhileLoading)
{
}

TSeSkinBinding::~TSeSkinBinding() = default;

bool TSeSkinBinding::Usable(const TSeSkinEngine* engine)
{
    return engine && !engine->Source()->Changing() && engine->IsSkinLoaded() && !HighContrastActive();
}

void TSeSkinBinding::SetEngine(TSeSkinEngine* engine)
{
    if (engine != engine_) {
        // The engine may belong to another owner than the control: its removal notice must reach
        // the control in any case, or the copy would outlive the bitmaps it draws from.
        if (engine_) control_.RemoveFreeNotification(engine_);
        engine_ = engine;
        if (engine_) control_.FreeNotification(engine_);
    }
    if (Usable(engine_)) {
        DropCopy();
        if (TSeSkinObject* object = engine_->SourceForDpi(control_.Dpi())->ObjectByName(objectName_)) {
            copy_.reset(object->Clone(nullptr));
            if (copy_) copy_->Bind(&control_);
        }
    } else {
        DropCopy();
    }
    control_.Invalidate();
}

void TSeSkinBinding::DropCopy() { copy_.reset(); }

bool TSeSkinBinding::Skinned() const
{
    if (control_.IsDestroying() || (!drawsWhileLoading_ && control_.IsLoading())) return false;
    return Usable(engine_) && engine_->Source()->ObjectByName(objectName_) && copy_;
}

TSeSkinObject* TSeSkinBinding::Part(std::wstring_view name) const
{
    if (!Skinned()) return nullptr;
    // FindObjectByName answers the object itself when its own name matches; a part is a descendant.
    for (int i = 0; i < copy_->ChildCount(); ++i) {
        TSeSkinObject* child = copy_->ChildAt(i);
        if (TSeSkinObject* found = child ? child->FindObjectByName(name) : nullptr) return found;
    }
    return nullptr;
}

TSeSkinObject* TSeSkinBinding::PartOrCopy(std::wstring_view name) const
{
    if (!Skinned()) return nullptr;
    TSeSkinObject* part = Part(name);
    return part ? part : copy_.get();
}

bool TSeSkinBinding::HandleMessage(TMessage& message)
{
    switch (message.Msg) {
    case CM_SKINCHANGING:
        // No repaint here: the announcement after the change repaints with the new skin.
        if (engine_ && message.LParam == reinterpret_cast<LPARAM>(engine_)) DropCopy();
        return true;
    case CM_SKINOBJECTINVALIDATE:
        control_.Invalidate();
        return true;
    default:
        return false;
    }
}

void TSeSkinBinding::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component != nullptr && component == engine_) SetEngine(nullptr);
}

TRect SkinFrameRect(const TSeSkinObject& frame, bool bordered, int width, int height)
{
    if (bordered) return {0, 0, width, height};
    return {-frame.MarginLeft(), -frame.MarginTop(), width + frame.MarginRight(), height + frame.MarginBottom()};
}

void PaintSkinFrameBorder(const TSeSkinBinding& skin, TSeState state, TKsBitmap& surface, int width, int height)
{
    TSeSkinObject* frame = skin.Part(L"Frame");
    if (!frame) return;
    frame->SetState(state);
    frame->SetBounds({0, 0, width, height});
    frame->Draw(surface);
}
