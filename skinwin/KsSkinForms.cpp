#include "skinwin/KsSkinForms.h"

#include "framework/Application.h"
#include "framework/Text.h"
#include "framework/FlagScope.h"
#include "framework/SystemSettings.h"
#include "skinwin/KsSkinItems.h"

#include <algorithm>
#include <functional>

namespace {

constexpr unsigned kHoverInterval = 100;

TKsFramePart PartOfKind(TSeKind kind)
{
    switch (kind) {
    case skCaption:
    case skTitle:
        return fpCaption;
    case skTop:
        return fpTop;
    case skLeft:
        return fpLeft;
    case skRight:
        return fpRight;
    case skBottom:
        return fpBottom;
    case skTopLeft:
        return fpTopLeft;
    case skTopRight:
        return fpTopRight;
    case skBottomLeft:
        return fpBottomLeft;
    case skBottomRight:
        return fpBottomRight;
    case skSysButton:
        return fpSysButton;
    default:
        return fpClient;
    }
}

std::optional<TSeAction> ActionOfButton(TKsBorderIcon button)
{
    switch (button) {
    case kbiClose:
        return sbaClose;
    case kbiSystemMenu:
        return sbaSysMenu;
    case kbiMinimize:
        return sbaMinimize;
    case kbiMaximize:
        return sbaMaximize;
    case kbiHelp:
        return sbaHelp;
    case kbiRollup:
        return sbaRollUp;
    case kbiTray:
        return sbaTray;
    }
    return std::nullopt;
}

// The first visible system button of the tree with this action.
TSeSkinObject* FindSystemButton(TSeSkinObject& object, TSeAction action)
{
    if (!object.Visible()) return nullptr;
    if (auto* button = dynamic_cast<TSeSystemButton*>(&object); button && button->Action() == action) return button;
    if (auto* button = dynamic_cast<TSeSysButtonSkinObject*>(&object); button && button->Action() == action)
        return button;
    for (int i = 0; i < object.ChildCount(); ++i)
        if (TSeSkinObject* found = FindSystemButton(*object.ChildAt(i), action)) return found;
    return nullptr;
}

void ForEachObject(TSeSkinObject& object, const std::function<void(TSeSkinObject&)>& visit)
{
    visit(object);
    for (int i = 0; i < object.ChildCount(); ++i) ForEachObject(*object.ChildAt(i), visit);
}

TSeShiftState SkinShiftState(TShiftState shift)
{
    TSeShiftState state = 0;
    if (shift & ssLeft) state |= MK_LBUTTON;
    if (shift & ssRight) state |= MK_RBUTTON;
    if (shift & ssMiddle) state |= MK_MBUTTON;
    if (shift & ssShift) state |= MK_SHIFT;
    if (shift & ssCtrl) state |= MK_CONTROL;
    return state;
}

// Hides an object for a scope and shows it again afterwards, also when an error passes.
class THiddenScope {
public:
    explicit THiddenScope(TSeSkinObject* object) : object_(object)
    {
        if (object_) object_->SetVisible(false);
    }
    ~THiddenScope()
    {
        if (object_) object_->SetVisible(true);
    }
    THiddenScope(const THiddenScope&) = delete;
    THiddenScope& operator=(const THiddenScope&) = delete;

private:
    TSeSkinObject* object_;
};

} // namespace

TSeSkinForm::TSeSkinForm(TComponent* owner) : TKsCustomForm(owner), hoverTimer_(new TTimer(this))
{
    hoverTimer_->SetInterval(kHoverInterval);
    hoverTimer_->OnTimer = [this] { HoverTick(); };
}

TSeSkinForm::~TSeSkinForm()
{
    Destroying();
    hoverTimer_->SetEnabled(false);
    hot_ = pressed_ = title_ = client_ = nullptr;
    copy_.reset();
}

void TSeSkinForm::SetSkinObject(const std::wstring& name)
{
    if (name == skinObject_) return;
    skinObject_ = name;
    if (engine_) SetSkinEngine(engine_);
}

void TSeSkinForm::SetWindowState(TKsWindowState state)
{
    if (state == FrameWindowState()) return;
    if (Loading()) {
        RequestWindowState(state);
        return;
    }
    switch (state) {
    case kwsNormal:
        Restore();
        break;
    case kwsMaximized:
        Maximize();
        break;
    case kwsMinimized:
        Minimize();
        break;
    case kwsRollup:
        RollUp();
        break;
    case kwsTray:
        MinimizeToTray();
        break;
    }
}

void TSeSkinForm::CustomAction(TSeSkinObject& button)
{
    if (OnCustomAction) OnCustomAction(&button);
}

// ---- binding ----

bool TSeSkinForm::SkinUsable() const
{
    if (!engine_ || !copy_) return false;
    const TSeSkinSource* source = engine_->Source();
    return source && !source->Changing() && source->Count() > 0;
}

void TSeSkinForm::SetSkinEngine(TSeSkinEngine* engine)
{
    if (engine != engine_) {
        if (engine_) RemoveFreeNotification(engine_);
        engine_ = engine;
        if (engine_) FreeNotification(engine_);
    }
    BindSkin();
    FitFormToSkin();
    if (!Loading()) UpdateLayout();
}

void TSeSkinForm::BindSkin()
{
    ReleaseSkin();
    TCustomForm* form = Form();
    skinDpi_ = form ? form->Dpi() : kDesignDpi;
    TSeSkinSource* source = engine_ ? engine_->SourceForDpi(skinDpi_) : nullptr;
    if (!source || source->Changing() || source->Count() == 0 || HighContrastActive()) {
        if (form) form->SetColor(clBtnFace);
        return;
    }
    TSeSkinObject* named = source->ObjectByName(skinObject_);
    TSeSkinObject* formObject = source->FormObject();
    TSeSkinObject* chosen = (SameTextAscii(skinObject_, L"Form") && formObject) || !named ? formObject : named;
    // A skin without any form object leaves the plain look in place.
    if (chosen) copy_.reset(chosen->Clone(nullptr));
    if (!copy_) {
        if (form) form->SetColor(clBtnFace);
        return;
    }
    // The copy is laid out over the frame from now on; the size the skin gives it is kept.
    skinSize_ = {copy_->Width(), copy_->Height()};
    copy_->Bind(form);
    title_ = copy_->FindObjectByKind(skTitle);
    client_ = copy_->FindObjectByKind(skClient);
    if (form) {
        form->SetFont(copy_->Font());
        form->SetColor(copy_->Color());
    }
}

void TSeSkinForm::ReleaseSkin()
{
    hot_ = pressed_ = title_ = client_ = nullptr;
    copy_.reset();
}

// A skin without a client object is a window of the skin's fixed size.
void TSeSkinForm::FitFormToSkin()
{
    TCustomForm* form = Form();
    if (!form || !SkinUsable() || client_) return;
    form->SetBounds(form->Left(), form->Top(), skinSize_.cx, skinSize_.cy);
}

void TSeSkinForm::SkinChanging()
{
    if (skinChanging_) return;
    TFlagScope changing(skinChanging_);
    hoverTimer_->SetEnabled(false);
    if (Application) Application->ProcessMessages();
    ReleaseSkin();
    if (Application) Application->ProcessMessages();
}

void TSeSkinForm::Loaded()
{
    if (BorderStyle() == kbsToolWindow && skinObject_ != L"ToolWindow") {
        skinObject_ = L"ToolWindow";
        BindSkin();
    }
    TKsCustomForm::Loaded();
    // Hooking the form made its window, and so scaled it, before this frame could hear of it.
    if (TCustomForm* form = Form(); form && engine_ && form->Dpi() != skinDpi_) {
        BindSkin();
        UpdateLayout();
    }
    FitFormToSkin();
    hoverTimer_->SetEnabled(true);
    TCustomForm* form = Form();
    if (!form) return;
    // Every skinned control of the form repaints now that the frame is in place.
    for (int i = 0; i < form->ComponentCount(); ++i) {
        TComponent* component = form->Components(i);
        if (auto* windowed = dynamic_cast<TWinControl*>(component)) {
            if (windowed->HandleAllocated()) SendMessageW(windowed->Handle(), CM_SKINOBJECTINVALIDATE, 0, 0);
        } else if (auto* control = dynamic_cast<TControl*>(component)) {
            control->Perform(CM_SKINOBJECTINVALIDATE, 0, 0);
        }
    }
}

void TSeSkinForm::Notification(TComponent* component, TOperation operation)
{
    TKsCustomForm::Notification(component, operation);
    if (operation == opRemove && component == engine_) {
        engine_ = nullptr;
        ReleaseSkin();
        if (TCustomForm* form = Form(); form && !form->IsDestroying()) form->SetColor(clBtnFace);
    }
}

// ---- messages ----

void TSeSkinForm::BeforeMessage(TMessage& message)
{
    switch (message.Msg) {
    case CM_SKINCHANGING:
        if (engine_ && message.WParam == reinterpret_cast<WPARAM>(engine_)) SkinChanging();
        return;
    case CM_SKINCHANGED:
        if (engine_ && message.WParam == reinterpret_cast<WPARAM>(engine_)) {
            SetSkinEngine(engine_);
            hoverTimer_->SetEnabled(true);
        }
        return;
    case CM_DPICHANGED:
        if (engine_)
            SetSkinEngine(engine_);
        else
            TKsCustomForm::BeforeMessage(message);
        return;
    case CM_SKINOBJECTINVALIDATE:
        if (SkinUsable() && message.LParam && reinterpret_cast<TSeSkinObject*>(message.LParam) != client_)
            PaintNonClient();
        return;
    case CM_GETSKINFORM:
        message.Result = reinterpret_cast<LRESULT>(static_cast<TSeFormFrame*>(this));
        MarkHandled();
        return;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        // High contrast may have come or gone: the engine tells every skinned window.
        if (engine_) engine_->SystemLookChanged();
        TKsCustomForm::BeforeMessage(message);
        return;
    default:
        TKsCustomForm::BeforeMessage(message);
        return;
    }
}

// ---- geometry and drawing ----

void TSeSkinForm::LayoutSkin()
{
    if (copy_) copy_->SetBounds(TRect(0, 0, FrameSize().cx, FrameSize().cy));
}

TRect TSeSkinForm::ClientRect()
{
    if (!SkinUsable() || BorderStyle() == kbsNone || MaximizedMDIChild()) return TKsCustomForm::ClientRect();
    LayoutSkin();
    if (!client_) return TRect(0, 0, FrameSize().cx, FrameSize().cy);
    if (client_->Left() * client_->Top() != 0) return client_->BoundsRect();
    return PlainClientRect();
}

TRect TSeSkinForm::CaptionButtonRect(TKsBorderIcon button)
{
    if (!SkinUsable()) return TKsCustomForm::CaptionButtonRect(button);
    std::optional<TSeAction> action = ActionOfButton(button);
    TSeSkinObject* found = action ? FindSystemButton(*copy_, *action) : nullptr;
    return found ? found->BoundsRect() : TRect();
}

TKsFramePart TSeSkinForm::HitTest(TPoint point)
{
    // Without a skin the plain frame is drawn, and it answers like the plain frame.
    if (!SkinUsable()) return TKsCustomForm::HitTest(point);
    TSeSkinObject* object = ObjectAt(point);
    return object ? PartOfKind(object->Kind()) : fpClient;
}

int TSeSkinForm::CaptionShortfall(const std::wstring& text)
{
    if (!SkinUsable() || !title_ || BorderStyle() == kbsNone) return TKsCustomForm::CaptionShortfall(text);
    LayoutSkin();
    const bool active = title_->Active();
    TWindowDC dc(nullptr);
    int width = 0;
    for (bool state : {false, true}) {
        title_->SetActive(state);
        TSelectObject font(dc.Get(), title_->Font().Handle());
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        width = std::max(width, static_cast<int>(size.cx));
    }
    title_->SetActive(active);
    const int room = title_->Width() - title_->TextMarginLeft() - title_->TextMarginRight();
    return std::max(width - room, 0);
}

TSeSkinObject* TSeSkinForm::ObjectAt(TPoint point)
{
    if (!SkinUsable()) return nullptr;
    LayoutSkin();
    return copy_->HitTest(point);
}

void TSeSkinForm::PaintFrame(TKsBitmap& buffer)
{
    if (!SkinUsable()) {
        TKsCustomForm::PaintFrame(buffer);
        return;
    }
    LayoutSkin();
    copy_->SetActive(FrameActive());
    copy_->SetState(StateIndex());
    if (title_) title_->SetText(CaptionText());
    THiddenScope hidden(client_);
    copy_->Draw(buffer);
}

void TSeSkinForm::PaintClientBackground(TKsBitmap& buffer)
{
    if (!SkinUsable()) {
        TKsCustomForm::PaintClientBackground(buffer);
        return;
    }
    LayoutSkin();
    if (client_ && MaximizedMDIChild()) {
        // Without its frame the child's client area is the whole window; the copy keeps its layout.
        std::unique_ptr<TSeSkinObject> whole(client_->Clone(nullptr));
        whole->SetBounds(TRect(0, 0, FrameSize().cx, FrameSize().cy));
        whole->Draw(buffer);
    } else if (client_) {
        client_->Draw(buffer);
    } else {
        copy_->Draw(buffer);
    }
}

TKsCustomItem* TSeSkinForm::CreateItem(TComponent* owner)
{
    auto* item = new TSeSkinItem(owner);
    item->SetSkinEngine(engine_);
    return item;
}

TRegionHandle TSeSkinForm::CreateRegion()
{
    if (!SkinUsable() || BorderStyle() == kbsNone || MaximizedMDIChild()) return TKsCustomForm::CreateRegion();
    LayoutSkin();
    copy_->SetState(StateIndex());
    PlaceLinkedControls();
    return copy_->TreeRegion();
}

// A link object of the skin names a control of the form that sits where the object is.
void TSeSkinForm::PlaceLinkedControls()
{
    TCustomForm* form = Form();
    if (!form || !copy_) return;
    const TRect client = ClientRect();
    ForEachObject(*copy_, [&](TSeSkinObject& object) {
        auto* link = dynamic_cast<TSeLinkSkinObject*>(&object);
        if (!link || link->LinkControl().empty()) return;
        auto* control = dynamic_cast<TControl*>(form->FindComponent(link->LinkControl()));
        if (!control) return;
        TSeSkinObject* owner = link->ParentObject();
        TRect bounds = link->BoundsRect();
        if (owner && bounds.Intersect(owner->BoundsRect()) != bounds)
            control->SetBoundsRect(TRect());
        else
            control->SetBoundsRect(bounds.Offset(-client.Left, -client.Top));
    });
}

// ---- mouse and hover ----

void TSeSkinForm::FrameMouseDown(TMouseButton button, TShiftState shift, TPoint point)
{
    std::weak_ptr<const void> alive = AliveToken();
    TKsCustomForm::FrameMouseDown(button, shift, point);
    if (alive.expired()) return;
    TSeSkinObject* object = ObjectAt(point);
    if (!object) return;
    pressed_ = object;
    offPressed_ = false;
    if (shift & ssDouble)
        object->DoubleClick(button);
    else
        object->MouseDown(button);
}

void TSeSkinForm::FrameMouseMove(TShiftState shift, TPoint point)
{
    std::weak_ptr<const void> alive = AliveToken();
    TKsCustomForm::FrameMouseMove(shift, point);
    if (alive.expired()) return;
    TSeSkinObject* object = ObjectAt(point);
    if (object && (!(shift & ssLeft) || object == pressed_)) object->MouseMove(SkinShiftState(shift));
    // A pressed button pops up while the pointer is off it and goes down again when it comes back.
    if (pressed_ && (shift & ssLeft) && (object != pressed_) != offPressed_) {
        offPressed_ = !offPressed_;
        if (offPressed_)
            pressed_->MouseLeave();
        else
            pressed_->MouseEnter();
    }
}

void TSeSkinForm::FrameMouseUp(TMouseButton button, TShiftState shift, TPoint point)
{
    std::weak_ptr<const void> alive = AliveToken();
    TKsCustomForm::FrameMouseUp(button, shift, point);
    if (alive.expired()) return;
    TSeSkinObject* pressed = std::exchange(pressed_, nullptr);
    // Last: the button's action may close the form and free this frame.
    if (pressed && ObjectAt(point) == pressed) pressed->MouseUp(button);
}

void TSeSkinForm::FrameActivated(bool active)
{
    // An inactive window shows no button under a pointer that it no longer follows.
    if (!active && hot_) std::exchange(hot_, nullptr)->MouseLeave();
}

void TSeSkinForm::HoverTick()
{
    HWND window = FormWindow();
    if (!window || !FrameActive() || !SkinUsable()) return;
    POINT cursor;
    GetCursorPos(&cursor);
    RECT bounds;
    GetWindowRect(window, &bounds);
    TSeSkinObject* object = ObjectAt({cursor.x - bounds.left, cursor.y - bounds.top});
    if (!object) {
        if (hot_) std::exchange(hot_, nullptr)->MouseLeave();
        return;
    }
    if (!object->Visible() || object == hot_ || (pressed_ && object != pressed_)) return;
    TSeSkinObject* previous = std::exchange(hot_, object);
    if (previous) previous->MouseLeave();
    object->MouseEnter();
}
