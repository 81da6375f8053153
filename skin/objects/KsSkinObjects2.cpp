#include "skin/objects/KsSkinObjects2.h"

#include "framework/Application.h"

#include <utility>
#include <vector>

const std::array<const wchar_t*, 12> SeActionNames = {
    L"sbaNone", L"sbaClose", L"sbaHelp", L"sbaMinimize", L"sbaMaximize", L"sbaRestore",
    L"sbaRollUp", L"sbaRollDown", L"sbaTray", L"sbaSysMenu", L"sbaRollPanel", L"sbaCustom"};
const std::array<const wchar_t*, 4> SeRollKindNames = {L"rkLeft", L"rkTop", L"rkRight", L"rkBottom"};

std::optional<TKsBorderIcon> RequiredBorderIcon(TSeAction action)
{
    switch (action) {
    case sbaClose: return kbiClose;
    case sbaHelp: return kbiHelp;
    case sbaMinimize: return kbiMinimize;
    case sbaMaximize:
    case sbaRestore: return kbiMaximize;
    case sbaRollUp:
    case sbaRollDown: return kbiRollup;
    case sbaTray: return kbiTray;
    case sbaSysMenu: return kbiSystemMenu;
    default: return std::nullopt;
    }
}

namespace {

// Whether a system button shows in a window state (normal 0, maximized 2, minimized 3, rolled up 4);
// other states leave it as it is.
bool ShownInWindowState(TSeAction action, int state, bool visible)
{
    switch (state) {
    case ssNormal: return action != sbaRestore && action != sbaRollDown;
    case ssMaximized: return action != sbaMaximize && action != sbaRollDown;
    case ssMinimized:
        return action != sbaMinimize && action != sbaMaximize && action != sbaRollUp && action != sbaRollDown;
    case ssRolledUp: return action != sbaRestore && action != sbaRollUp;
    default: return visible;
    }
}

void ShowForWindowState(TSeSkinObject& button, TSeAction action, int state)
{
    TSeFormFrame* form = button.OwningForm();
    if (!form) return;
    button.SetVisible(ShownInWindowState(action, state, button.Visible()));
    if (auto icon = RequiredBorderIcon(action); icon && !form->HasBorderIcon(*icon)) button.SetVisible(false);
}

// The frame may free the button's tree (closing the form frees its skin copy): the caller must not
// touch the button afterwards.
void PerformOnForm(TSeFormFrame& form, TSeAction action, TSeSkinObject& button)
{
    switch (action) {
    case sbaClose: form.Close(); break;
    case sbaHelp: form.ContextHelp(); break;
    case sbaMinimize: form.Minimize(); break;
    case sbaMaximize: form.Maximize(); break;
    case sbaRestore:
    case sbaRollDown: form.Restore(); break;
    case sbaRollUp: form.RollUp(); break;
    case sbaTray: form.MinimizeToTray(); break;
    case sbaSysMenu: form.ShowSystemMenu(); break;
    case sbaCustom: form.CustomAction(button); break;
    default: break;
    }
}

// The system-menu button shows the form's icon at its top-left, at the small-icon size of the form's DPI.
void DrawFormIcon(const TSeSkinObject& button, TKsBitmap& target)
{
    TSeFormFrame* form = button.OwningForm();
    if (!form || !target.DC()) return;
    HICON icon = form->FormIcon();
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    const int dpi = button.BoundControl() ? button.BoundControl()->Dpi() : kDesignDpi;
    int size = SystemMetricForDpi(SM_CXSMICON, dpi);
    if (size == 0) size = SystemMetricForDpi(SM_CXSIZE, dpi);
    DrawIconEx(target.DC(), button.Left(), button.Top(), icon, size, size, 0, nullptr, DI_NORMAL);
}

// Undoes a drawing-time change of a button's subtree when the drawing ends, also by an error.
class TDrawingChange {
public:
    explicit TDrawingChange(std::function<void()> undo) : undo_(std::move(undo)) {}
    TDrawingChange(const TDrawingChange&) = delete;
    TDrawingChange& operator=(const TDrawingChange&) = delete;
    ~TDrawingChange() { undo_(); }

private:
    std::function<void()> undo_;
};

} // namespace

void TSeSystemButtonPress::Enter()
{
    state_ = (shift_ & MK_LBUTTON) ? 2 : 1;
    button_.Invalidate();
}

void TSeSystemButtonPress::Leave()
{
    state_ = 0;
    button_.Invalidate();
}

void TSeSystemButtonPress::Down(TMouseButton button)
{
    if (button != mbLeft) return;
    state_ = 2;
    button_.Invalidate();
}

void TSeSystemButtonPress::Move(TSeShiftState shift)
{
    shift_ = shift;
    if (state_ == 2 && (shift & MK_LBUTTON)) button_.Invalidate();
}

bool TSeSystemButtonPress::Up(TMouseButton button)
{
    if (button != mbLeft) return false;
    shift_ = 0;
    if (state_ != 2) return false;
    state_ = 1;
    button_.Invalidate();
    return true;
}

// TSeSystemButton

TSeSystemButton::TSeSystemButton(TComponent* owner) : TSeActiveBitmap(owner) { SetKind(skSysButton); }

const TSePropertyList& TSeSystemButton::ClassProperties()
{
    using O = TSeSystemButton;
    static const TSePropertyList list = SeProperties::Extend(TSeActiveBitmap::ClassProperties(), {
        SeProperties::Enumeration<O, TSeAction>(L"Action", SeActionNames, &O::Action, &O::SetAction),
        SeProperties::Link<O>(L"BitmapHot", &O::bitmapHot_),
        SeProperties::Link<O>(L"BitmapPressed", &O::bitmapPressed_),
    });
    return list;
}

void TSeSystemButton::SetState(int state)
{
    TSeActiveBitmap::SetState(state);
    ShowForWindowState(*this, action_, state);
}

void TSeSystemButton::AfterLoad()
{
    ResolveLink(bitmapHot_);
    ResolveLink(bitmapPressed_);
    TSeActiveBitmap::AfterLoad();
}

void TSeSystemButton::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    if (action_ == sbaSysMenu) {
        DrawFormIcon(*this, target);
        return;
    }
    if (!Active()) {
        SetChildrenState(ssDisabled);
        TDrawingChange undo([this] { SetChildrenState(ssNormal); });
        TSeActiveBitmap::Draw(target);
        return;
    }
    if (press_.State() == 0) {
        TSeActiveBitmap::Draw(target);
        return;
    }
    const TKsBitmapLink& pressLink = press_.State() == 1 ? bitmapHot_ : bitmapPressed_;
    const TKsBitmapLink& normal = pressLink.Valid() ? pressLink : Bitmap();
    SetActive(false);
    SetChildrenState(press_.State() == 1 ? ssHot : ssPressed);
    TDrawingChange undo([this] {
        SetChildrenState(ssNormal);
        SetActive(true);
    });
    DrawWithLink(target, ChosenLink(normal));
}

void TSeSystemButton::MouseUp(TMouseButton button)
{
    if (!press_.Up(button)) return;
    if (TSeFormFrame* form = OwningForm()) PerformOnForm(*form, action_, *this);
}

void TSeSystemButton::DoubleClick(TMouseButton button)
{
    if (button != mbLeft || action_ != sbaSysMenu) return;
    if (TSeFormFrame* form = OwningForm()) form->Close();
}

void TSeSystemButton::CopyFrom(const TSeSkinObject& source)
{
    TSeActiveBitmap::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeSystemButton*>(&source)) {
        action_ = s->action_;
        bitmapHot_ = s->bitmapHot_;
        bitmapPressed_ = s->bitmapPressed_;
    }
}

// TSeLinkSkinObject

TSeLinkSkinObject::TSeLinkSkinObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeLinkSkinObject::ClassProperties()
{
    using O = TSeLinkSkinObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::String<O>(L"LinkControl", &O::LinkControl, &O::SetLinkControl),
    });
    return list;
}

void TSeLinkSkinObject::Draw(TKsBitmap& target)
{
    if (!CanDraw() || State() != ssLinkShown) return;
    target.FillRect(BoundsRect(), ColorToPixel(clWhite));
    target.FrameRect(BoundsRect(), ColorToPixel(clBlack));
    TFont font;
    font.SetName(L"Arial");
    font.SetStyle({fsItalic});
    font.SetColor(clBlack);
    TFont previous = target.Font();
    target.SetFont(font);
    TDrawingChange undo([&target, &previous] { target.SetFont(previous); });
    target.DrawText(linkControl_, BoundsRect(), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TSeLinkSkinObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeLinkSkinObject*>(&source)) linkControl_ = s->linkControl_;
}

// TSeBitmapSkinObject

TSeBitmapSkinObject::TSeBitmapSkinObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeBitmapSkinObject::ClassProperties()
{
    using O = TSeBitmapSkinObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Link<O>(L"Bitmap", &O::bitmap_),
        SeProperties::Enumeration<O, TscTileStyle>(L"TileStyle", SeTileStyleNames, &O::TileStyle, &O::SetTileStyle),
    });
    return list;
}

void TSeBitmapSkinObject::AfterLoad()
{
    ResolveLink(bitmap_);
    TSeSkinObject::AfterLoad();
}

void TSeBitmapSkinObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    DrawWithLink(target, bitmap_);
}

void TSeBitmapSkinObject::DrawWithLink(TKsBitmap& target, const TKsBitmapLink& link)
{
    if (!link.Valid()) return;
    DrawSkinLink(target, link, BoundsRect(), tileStyle_);
    DrawText(target, CurrentFont());
}

TRegionHandle TSeBitmapSkinObject::Region() { return LinkRegion(bitmap_); }

void TSeBitmapSkinObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeBitmapSkinObject*>(&source)) {
        bitmap_ = s->bitmap_;
        tileStyle_ = s->tileStyle_;
    }
}

// TSeFormBitmapSkinObject

TSeFormBitmapSkinObject::TSeFormBitmapSkinObject(TComponent* owner) : TSeBitmapSkinObject(owner) {}

const TSePropertyList& TSeFormBitmapSkinObject::ClassProperties()
{
    using O = TSeFormBitmapSkinObject;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapSkinObject::ClassProperties(), {
        SeProperties::Link<O>(L"InactiveBitmap", &O::inactiveBitmap_),
    });
    return list;
}

void TSeFormBitmapSkinObject::AfterLoad()
{
    ResolveLink(inactiveBitmap_);
    TSeBitmapSkinObject::AfterLoad();
}

void TSeFormBitmapSkinObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    DrawWithLink(target, !Active() && inactiveBitmap_.Valid() ? inactiveBitmap_ : Bitmap());
}

void TSeFormBitmapSkinObject::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeFormBitmapSkinObject*>(&source)) inactiveBitmap_ = s->inactiveBitmap_;
}

// TSeSysButtonSkinObject

TSeSysButtonSkinObject::TSeSysButtonSkinObject(TComponent* owner) : TSeBitmapSkinObject(owner) {}

const TSePropertyList& TSeSysButtonSkinObject::ClassProperties()
{
    using O = TSeSysButtonSkinObject;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapSkinObject::ClassProperties(), {
        SeProperties::Enumeration<O, TSeAction>(L"Action", SeActionNames, &O::Action, &O::SetAction),
        SeProperties::Link<O>(L"BitmapHover", &O::bitmapHover_),
        SeProperties::Link<O>(L"BitmapDown", &O::bitmapDown_),
        SeProperties::String<O>(L"RollPanel", &O::RollPanel, &O::SetRollPanel),
    });
    return list;
}

void TSeSysButtonSkinObject::SetState(int state)
{
    TSeBitmapSkinObject::SetState(state);
    ShowForWindowState(*this, action_, state);
}

void TSeSysButtonSkinObject::AfterLoad()
{
    ResolveLink(bitmapHover_);
    ResolveLink(bitmapDown_);
    TSeBitmapSkinObject::AfterLoad();
}

void TSeSysButtonSkinObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    if (action_ == sbaSysMenu) {
        DrawFormIcon(*this, target);
        return;
    }
    if (!Active() || press_.State() == 0) {
        TSeBitmapSkinObject::Draw(target);
        return;
    }
    const TKsBitmapLink& pressLink = press_.State() == 1 ? bitmapHover_ : bitmapDown_;
    SetActive(false);
    TDrawingChange undo([this] { SetActive(true); });
    DrawWithLink(target, pressLink.Valid() ? pressLink : Bitmap());
}

void TSeSysButtonSkinObject::MouseUp(TMouseButton button)
{
    if (!press_.Up(button)) return;
    PerformAction();
}

void TSeSysButtonSkinObject::PerformAction()
{
    if (action_ == sbaRollPanel) {
        TSeSkinObject* top = this;
        while (TSeSkinObject* parent = top->ParentObject()) top = parent;
        if (auto* panel = dynamic_cast<TSeRollPanelObject*>(top->FindObjectByName(rollPanel_))) panel->Roll();
        return;
    }
    if (TSeFormFrame* form = OwningForm()) PerformOnForm(*form, action_, *this);
}

void TSeSysButtonSkinObject::DoubleClick(TMouseButton button)
{
    if (button != mbLeft || action_ != sbaSysMenu) return;
    if (TSeFormFrame* form = OwningForm()) form->Close();
}

void TSeSysButtonSkinObject::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeSysButtonSkinObject*>(&source)) {
        action_ = s->action_;
        bitmapHover_ = s->bitmapHover_;
        bitmapDown_ = s->bitmapDown_;
        rollPanel_ = s->rollPanel_;
    }
}

// TSeBitmapBoxObject

TSeBitmapBoxObject::TSeBitmapBoxObject(TComponent* owner) : TSeBitmapSkinObject(owner) {}

const TSePropertyList& TSeBitmapBoxObject::ClassProperties()
{
    using O = TSeBitmapBoxObject;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapSkinObject::ClassProperties(), {
        SeProperties::Enumeration<O, TscTileStyle>(L"BorderTileStyle", SeTileStyleNames, &O::BorderTileStyle,
                                                   &O::SetBorderTileStyle),
    });
    return list;
}

void TSeBitmapBoxObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    DrawBoxWithLink(target, Bitmap());
}

void TSeBitmapBoxObject::DrawBoxWithLink(TKsBitmap& target, const TKsBitmapLink& link)
{
    if (!link.Valid()) return;
    DrawLinkInMargins(target, link, TileStyle(), borderTileStyle_);
    DrawText(target, CurrentFont());
}

void TSeBitmapBoxObject::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeBitmapBoxObject*>(&source)) borderTileStyle_ = s->borderTileStyle_;
}

// TSeActiveBitmapBoxObject

TSeActiveBitmapBoxObject::TSeActiveBitmapBoxObject(TComponent* owner) : TSeBitmapBoxObject(owner) {}

const TSePropertyList& TSeActiveBitmapBoxObject::ClassProperties()
{
    using O = TSeActiveBitmapBoxObject;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapBoxObject::ClassProperties(), {
        SeProperties::Link<O>(L"FocusedBitmap", &O::focusedBitmap_),
    });
    return list;
}

void TSeActiveBitmapBoxObject::AfterLoad()
{
    ResolveLink(focusedBitmap_);
    TSeBitmapBoxObject::AfterLoad();
}

void TSeActiveBitmapBoxObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    bool lit = (State() == ssHot || State() == ssFocused) && focusedBitmap_.Valid();
    DrawBoxWithLink(target, lit ? focusedBitmap_ : Bitmap());
}

void TSeActiveBitmapBoxObject::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapBoxObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeActiveBitmapBoxObject*>(&source)) focusedBitmap_ = s->focusedBitmap_;
}

// TSeButtonBitmapBoxObject

TSeButtonBitmapBoxObject::TSeButtonBitmapBoxObject(TComponent* owner) : TSeBitmapBoxObject(owner) {}

const TSePropertyList& TSeButtonBitmapBoxObject::ClassProperties()
{
    using O = TSeButtonBitmapBoxObject;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapBoxObject::ClassProperties(), {
        SeProperties::Link<O>(L"HotBitmap", &O::stateBitmaps_, &TSeStateLinks::Hot),
        SeProperties::Link<O>(L"FocusedBitmap", &O::stateBitmaps_, &TSeStateLinks::Focused),
        SeProperties::Link<O>(L"PressedBitmap", &O::stateBitmaps_, &TSeStateLinks::Pressed),
        SeProperties::Link<O>(L"DisabledBitmap", &O::stateBitmaps_, &TSeStateLinks::Disabled),
    });
    return list;
}

void TSeButtonBitmapBoxObject::AfterLoad()
{
    for (TKsBitmapLink* link : stateBitmaps_.All()) ResolveLink(*link);
    TSeBitmapBoxObject::AfterLoad();
}

void TSeButtonBitmapBoxObject::Draw(TKsBitmap& target)
{
    if (!CanDraw() || !Bitmap().Valid()) return;
    DrawBoxWithLink(target, stateBitmaps_.ForState(State(), Bitmap()));
}

void TSeButtonBitmapBoxObject::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapBoxObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeButtonBitmapBoxObject*>(&source)) stateBitmaps_ = s->stateBitmaps_;
}

// TSeRollPanelObject

TSeRollPanelObject::TSeRollPanelObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeRollPanelObject::ClassProperties()
{
    using O = TSeRollPanelObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Enumeration<O, TSeRollKind>(L"RollKind", SeRollKindNames, &O::RollKind, &O::SetRollKind),
        SeProperties::Integer<O>(L"RollValue", &O::RollValue, &O::SetRollValue),
    });
    return list;
}

void TSeRollPanelObject::Roll()
{
    const bool horizontal = rollKind_ == rkLeft || rollKind_ == rkRight;
    const int extent = horizontal ? Width() : Height();
    int newExtent;
    if (extent != rollValue_) {
        extentBeforeRoll_ = extent;
        newExtent = rollValue_;
    } else if (extentBeforeRoll_) {
        newExtent = *extentBeforeRoll_;
        extentBeforeRoll_.reset();
    } else {
        return;
    }
    TRect r = BoundsRect();
    switch (rollKind_) {
    case rkLeft: r.Left = r.Right - newExtent; break;
    case rkTop: r.Top = r.Bottom - newExtent; break;
    case rkRight: r.Right = r.Left + newExtent; break;
    case rkBottom: r.Bottom = r.Top + newExtent; break;
    }
    SetBounds(r);
    Invalidate();
    if (OwningForm() && Application) Application->ProcessMessages();
}

void TSeRollPanelObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeRollPanelObject*>(&source)) {
        rollKind_ = s->rollKind_;
        rollValue_ = s->rollValue_;
    }
}
