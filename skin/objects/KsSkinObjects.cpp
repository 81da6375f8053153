#include "skin/objects/KsSkinObjects.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"
#include "skin/objects/KsSkinObjectRegistry.h"

#include <memory>

const std::array<const wchar_t*, 16> SeAlignNames = {
    L"saNone", L"saLeft", L"saMostLeft", L"saTop", L"saMostTop", L"saRight", L"saMostRight", L"saBottom",
    L"saMostBottom", L"saClient", L"saTopLeft", L"saTopRight", L"saBottomLeft", L"saBottomRight", L"saCenter",
    L"saText"};
const std::array<const wchar_t*, 22> SeKindNames = {
    L"skNone", L"skForm", L"skCaption", L"skTitle", L"skTop", L"skLeft", L"skRight", L"skBottom", L"skTopLeft",
    L"skTopRight", L"skBottomLeft", L"skBottomRight", L"skSysButton", L"skClient", L"skMenuBar", L"skMenuBarItem",
    L"skMenuBarItemText", L"skPopupMenu", L"skPopupMenuItem", L"skPopupMenuItemText", L"skItemText",
    L"skTranparent"};
const std::array<const wchar_t*, 9> SeTextAlignNames = {
    L"taTopLeft", L"taTopCenter", L"taTopRight", L"taLeft", L"taCenter",
    L"taRight", L"taBottomLeft", L"taBottomCenter", L"taBottomRight"};
const std::array<const wchar_t*, 2> SeTextEffectNames = {L"teNone", L"teShadow"};
const std::array<const wchar_t*, 3> SeTileStyleNames = {L"tsTile", L"tsStretch", L"tsCenter"};

namespace {

void ShiftFontHue(TFont& font, int delta) { font.SetColor(ShiftColorHue(font.Color(), delta)); }

// Switches a skin bitmap's alpha mode on for one drawing.
class TAlphaDrawing {
public:
    explicit TAlphaDrawing(TKsBitmap& bitmap) : bitmap_(bitmap) { bitmap_.SetAlphaBlend(true); }
    TAlphaDrawing(const TAlphaDrawing&) = delete;
    TAlphaDrawing& operator=(const TAlphaDrawing&) = delete;
    ~TAlphaDrawing() { bitmap_.SetAlphaBlend(false); }

private:
    TKsBitmap& bitmap_;
};

void DrawByStyle(const TKsBitmap& bitmap, TKsBitmap& target, const TRect& source, const TRect& rect,
                 TscTileStyle style)
{
    switch (style) {
    case tsTile:
        if (!rect.IsEmpty()) bitmap.DrawTiled(target, rect, source);
        break;
    case tsStretch:
        if (!rect.IsEmpty()) bitmap.DrawStretched(target, rect, source);
        break;
    case tsCenter:
        bitmap.Draw(target, rect.Left + (rect.Width() - source.Width()) / 2,
                    rect.Top + (rect.Height() - source.Height()) / 2, source);
        break;
    }
}

UINT AlignmentFormat(TSeTextAlign align, bool swapSides)
{
    static constexpr UINT vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    static constexpr UINT horizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    int column = align % 3;
    if (swapSides && column != 1) column = 2 - column;
    return vertical[align / 3] | horizontal[column];
}

// Left and right exchanged, centre kept.
TSeTextAlign Mirrored(TSeTextAlign align)
{
    int column = align % 3;
    return static_cast<TSeTextAlign>(align - column + (2 - column));
}

bool RightToLeftLocale() { return GetSystemMetrics(SM_MIDEASTENABLED) != 0; }

} // namespace

void DrawSkinLink(TKsBitmap& target, const TKsBitmapLink& link, const TRect& rect, TscTileStyle style)
{
    if (!link.Valid()) return;
    TKsBitmap& bitmap = *link.Bitmap();
    TAlphaDrawing alpha(bitmap);
    DrawByStyle(bitmap, target, link.Rect(), rect, style);
}

void DrawSkinLinkNineSlice(TKsBitmap& target, const TKsBitmapLink& link, const TRect& rect, const TRect& margins,
                           TscTileStyle centreStyle, TscTileStyle borderStyle)
{
    if (!link.Valid()) return;
    TKsBitmap& bitmap = *link.Bitmap();
    TAlphaDrawing alpha(bitmap);
    const TRect& s = link.Rect();
    const int ml = margins.Left, mt = margins.Top, mr = margins.Right, mb = margins.Bottom;
    const int L = rect.Left, T = rect.Top, R = rect.Right, B = rect.Bottom;

    auto part = [&](const TRect& source, const TRect& destination, TscTileStyle style) {
        if (source.IsEmpty()) return;
        if (style == tsCenter)
            DrawByStyle(bitmap, target, s, rect, tsCenter);
        else
            DrawByStyle(bitmap, target, source, destination, style);
    };
    part({s.Left + ml, s.Top + mt, s.Right - mr, s.Bottom - mb}, {L + ml, T + mt, R - mr, B - mb}, centreStyle);
    part({s.Left + ml, s.Top, s.Right - mr, s.Top + mt}, {L + ml, T, R - mr, T + mt}, borderStyle);
    part({s.Left + ml, s.Bottom - mb, s.Right - mr, s.Bottom}, {L + ml, B - mb, R - mr, B}, borderStyle);
    part({s.Left, s.Top + mt, s.Left + ml, s.Bottom - mb}, {L, T + mt, L + ml, B - mb}, borderStyle);
    part({s.Right - mr, s.Top + mt, s.Right, s.Bottom - mb}, {R - mr, T + mt, R, B - mb}, borderStyle);

    auto corner = [&](const TRect& source, int x, int y) {
        if (!source.IsEmpty()) bitmap.Draw(target, x, y, source);
    };
    corner({s.Left, s.Top, s.Left + ml, s.Top + mt}, L, T);
    corner({s.Right - mr, s.Top, s.Right, s.Top + mt}, R - mr, T);
    corner({s.Left, s.Bottom - mb, s.Left + ml, s.Bottom}, L, B - mb);
    corner({s.Right - mr, s.Bottom - mb, s.Right, s.Bottom}, R - mr, B - mb);
}

void TSeLook::ShiftHue(int delta)
{
    Color = ShiftColorHue(Color, delta);
    ShiftFontHue(Font, delta);
}

const TKsBitmapLink& TSeStateLinks::ForState(int state, const TKsBitmapLink& normal) const
{
    const TKsBitmapLink* link = &normal;
    switch (state) {
    case ssFocused: link = &Focused; break;
    case ssHot: link = &Hot; break;
    case ssDisabled: link = &Disabled; break;
    case ssPressed: link = &Pressed; break;
    }
    return link->Valid() ? *link : normal;
}

TSeSkinObject::TSeSkinObject(TComponent* owner) : TComponent(owner) {}

TSeSkinObject::~TSeSkinObject() { Destroying(); }

const TSePropertyList& TSeSkinObject::ClassProperties()
{
    using O = TSeSkinObject;
    static const TSePropertyList list = [] {
        TSeObjectProperty tag = SeProperties::Integer<TComponent>(L"Tag", &TComponent::Tag, &TComponent::SetTag);
        tag.Stored = [](const TSeSkinObject& o) { return o.Tag() != 0; };
        return TSePropertyList{
            tag,
            SeProperties::Enumeration<O, TSeAlign>(L"Align", SeAlignNames, &O::Align, &O::SetAlign),
            SeProperties::Color<O>(L"Color", &O::Color, &O::SetColor),
            SeProperties::Boolean<O>(L"DrawIfOwner", &O::DrawIfOwner, &O::SetDrawIfOwner),
            SeProperties::Font<O>(L"Font", &O::font_),
            SeProperties::Enumeration<O, TSeKind>(L"Kind", SeKindNames, &O::Kind, &O::SetKind),
            SeProperties::Integer<O>(L"Left", &O::Left, &O::SetLeft),
            SeProperties::Integer<O>(L"Top", &O::Top, &O::SetTop),
            SeProperties::Integer<O>(L"Height", &O::Height, &O::SetHeight),
            SeProperties::Integer<O>(L"Width", &O::Width, &O::SetWidth),
            SeProperties::Integer<O>(L"MarginLeft", &O::MarginLeft, &O::SetMarginLeft),
            SeProperties::Integer<O>(L"MarginRight", &O::MarginRight, &O::SetMarginRight),
            SeProperties::Integer<O>(L"MarginTop", &O::MarginTop, &O::SetMarginTop),
            SeProperties::Integer<O>(L"MarginBottom", &O::MarginBottom, &O::SetMarginBottom),
            SeProperties::Enumeration<O, TSeTextAlign>(L"TextAlign", SeTextAlignNames, &O::TextAlign, &O::SetTextAlign),
            SeProperties::Enumeration<O, TSeTextEffect>(L"TextEffect", SeTextEffectNames, &O::TextEffect,
                                                        &O::SetTextEffect),
            SeProperties::Integer<O>(L"TextMarginLeft", &O::TextMarginLeft, &O::SetTextMarginLeft),
            SeProperties::Integer<O>(L"TextMarginRight", &O::TextMarginRight, &O::SetTextMarginRight),
            SeProperties::Integer<O>(L"TextMarginTop", &O::TextMarginTop, &O::SetTextMarginTop),
        };
    }();
    return list;
}

void TSeSkinObject::SetLeft(int value) { SetBounds(TRect::FromSize(value, top_, width_, height_)); }
void TSeSkinObject::SetTop(int value) { SetBounds(TRect::FromSize(left_, value, width_, height_)); }
void TSeSkinObject::SetWidth(int value) { SetBounds(TRect::FromSize(left_, top_, value, height_)); }
void TSeSkinObject::SetHeight(int value) { SetBounds(TRect::FromSize(left_, top_, width_, value)); }

void TSeSkinObject::SetBounds(const TRect& bounds)
{
    if (bounds == BoundsRect()) return;
    previousWidth_ = width_;
    previousHeight_ = height_;
    left_ = bounds.Left;
    top_ = bounds.Top;
    width_ = std::max(0, bounds.Width());
    height_ = std::max(0, bounds.Height());
    RealignChildren();
}

void TSeSkinObject::RealignChildren()
{
    TRect r = BoundsRect();
    auto placeVertical = [&r](TSeSkinObject& child, bool top) {
        int h = child.Height();
        if (top) {
            child.SetBounds({r.Left, r.Top, r.Right, r.Top + h});
            r.Top += h;
        } else {
            child.SetBounds({r.Left, r.Bottom - h, r.Right, r.Bottom});
            r.Bottom -= h;
        }
    };
    auto placeHorizontal = [&r](TSeSkinObject& child, bool left) {
        int w = child.Width();
        if (left) {
            child.SetBounds({r.Left, r.Top, r.Left + w, r.Bottom});
            r.Left += w;
        } else {
            child.SetBounds({r.Right - w, r.Top, r.Right, r.Bottom});
            r.Right -= w;
        }
    };
    auto eachVisible = [this](auto&& f) {
        for (int i = 0; i < ChildCount(); ++i)
            if (TSeSkinObject* child = ChildAt(i); child && child->Visible()) f(*child);
    };

    eachVisible([&](TSeSkinObject& c) {
        if (c.Align() == saMostTop || c.Align() == saMostBottom) placeVertical(c, c.Align() == saMostTop);
    });
    eachVisible([&](TSeSkinObject& c) {
        if (c.Align() == saMostLeft || c.Align() == saMostRight) placeHorizontal(c, c.Align() == saMostLeft);
    });
    eachVisible([&](TSeSkinObject& c) {
        if (c.Align() == saTop || c.Align() == saBottom) placeVertical(c, c.Align() == saTop);
    });
    eachVisible([&](TSeSkinObject& c) {
        if (c.Align() == saLeft || c.Align() == saRight) placeHorizontal(c, c.Align() == saLeft);
    });
    for (int i = ChildCount() - 1; i >= 0; --i) {
        TSeSkinObject* c = ChildAt(i);
        if (!c || !c->Visible() || c->Align() != saCenter) continue;
        int left = r.Left + (r.Width() - c->Width()) / 2;
        int top = r.Top + (r.Height() - c->Height()) / 2;
        c->SetBounds(TRect::FromSize(left, top, c->Width(), c->Height()));
    }
    eachVisible([&](TSeSkinObject& c) {
        if (c.Align() == saClient) c.SetBounds(r);
    });

    // Corner children follow the change of this object's size once: the change is used up here, so
    // that realigning again (every bitmap object realigns when it draws) does not move them further.
    int dw = width_ - previousWidth_;
    int dh = height_ - previousHeight_;
    for (int i = 0; i < ChildCount(); ++i) {
        TSeSkinObject* c = ChildAt(i);
        if (!c) continue;
        if (c->Align() == saTopRight || c->Align() == saBottomRight) c->left_ += dw;
        if (c->Align() == saBottomLeft || c->Align() == saBottomRight) c->top_ += dh;
    }
    previousWidth_ = width_;
    previousHeight_ = height_;
}

void TSeSkinObject::SetBitmaps(TKsBitmapList* bitmaps)
{
    bitmaps_ = bitmaps;
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->SetBitmaps(bitmaps);
}

void TSeSkinObject::SetActive(bool value)
{
    if (active_ == value) return;
    active_ = value;
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->SetActive(value);
}

void TSeSkinObject::Bind(TControl* control)
{
    boundControl_ = control;
    if (control) biDiMode_ = control->BiDiMode();
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->Bind(control);
}

namespace {

// Synchronous delivery to the control: through its window when it has one, else straight to its handler.
LRESULT SendToControl(TControl& control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(&control); windowed && windowed->HandleAllocated())
        return SendMessageW(windowed->Handle(), msg, wParam, lParam);
    return control.Perform(msg, wParam, lParam);
}

} // namespace

void TSeSkinObject::Invalidate()
{
    if (visible_ && boundControl_)
        SendToControl(*boundControl_, CM_SKINOBJECTINVALIDATE, 0, reinterpret_cast<LPARAM>(this));
}

TSeFormFrame* TSeSkinObject::OwningForm() const
{
    if (!boundControl_) return nullptr;
    return reinterpret_cast<TSeFormFrame*>(SendToControl(*boundControl_, CM_GETSKINFORM, 0, 0));
}

TSeSkinObject* TSeSkinObject::ChildAt(int index) const
{
    if (index < 0 || index >= ComponentCount()) return nullptr;
    return dynamic_cast<TSeSkinObject*>(Components(index));
}

TSeSkinObject* TSeSkinObject::ParentObject() const { return dynamic_cast<TSeSkinObject*>(Owner()); }

TSeSkinObject* TSeSkinObject::FindObjectByName(std::wstring_view name)
{
    if (SameTextAscii(Name(), name)) return this;
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i))
            if (TSeSkinObject* found = c->FindObjectByName(name)) return found;
    return nullptr;
}

TSeSkinObject* TSeSkinObject::FindObjectByKind(TSeKind kind)
{
    if (kind_ == kind) return this;
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i))
            if (TSeSkinObject* found = c->FindObjectByKind(kind)) return found;
    return nullptr;
}

TSeSkinObject* TSeSkinObject::HitTest(TPoint p)
{
    if (!visible_ || kind_ == skTranparent || !BoundsRect().Contains(p)) return nullptr;
    TSeSkinObject* hit = nullptr;
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i))
            if (TSeSkinObject* h = c->HitTest(p)) hit = h;
    return hit ? hit : this;
}

TSeSkinObject* TSeSkinObject::Clone(TComponent* owner) const
{
    TSeSkinObject* copy = CreateSkinObject(ClassName(), owner);
    if (!copy) return nullptr;
    // Without an owner the copy is ours until it is complete.
    std::unique_ptr<TSeSkinObject> guard(owner ? nullptr : copy);
    copy->SetName(Name());
    copy->CopyFrom(*this);
    for (int i = 0; i < ChildCount(); ++i)
        if (const TSeSkinObject* c = ChildAt(i)) c->Clone(copy);
    // The copy takes the geometry as it stands: its corner children are where the source's are, and
    // the aligned ones are laid out in its rectangle.
    copy->left_ = left_;
    copy->top_ = top_;
    copy->width_ = width_;
    copy->height_ = height_;
    copy->previousWidth_ = width_;
    copy->previousHeight_ = height_;
    copy->RealignChildren();
    guard.release();
    return copy;
}

void TSeSkinObject::CopyFrom(const TSeSkinObject& source)
{
    align_ = source.align_;
    kind_ = source.kind_;
    bitmaps_ = source.bitmaps_;
    color_ = source.color_;
    drawIfOwner_ = source.drawIfOwner_;
    font_ = source.font_;
    textAlign_ = source.textAlign_;
    textEffect_ = source.textEffect_;
    textMarginLeft_ = source.textMarginLeft_;
    textMarginRight_ = source.textMarginRight_;
    textMarginTop_ = source.textMarginTop_;
    marginLeft_ = source.marginLeft_;
    marginRight_ = source.marginRight_;
    marginTop_ = source.marginTop_;
    marginBottom_ = source.marginBottom_;
}

TRegionHandle TSeSkinObject::TreeRegion()
{
    if (width_ <= 0 || height_ <= 0) return {};
    if (ChildCount() == 0 || drawIfOwner_) return Region();
    TRegionHandle result;
    for (int i = 0; i < ChildCount(); ++i) {
        TSeSkinObject* c = ChildAt(i);
        if (!c || !c->Visible()) continue;
        TRegionHandle part = c->TreeRegion();
        if (!part) continue;
        if (!result)
            result = std::move(part);
        else
            CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
    }
    return result;
}

TRegionHandle TSeSkinObject::Region()
{
    TRegionHandle region(CreateRectRgn(left_, top_, left_ + width_, top_ + height_));
    if (!region) throw EOutOfResources(L"Out of system resources");
    return region;
}

TRegionHandle TSeSkinObject::DrawnRegion()
{
    TKsBitmap scratch;
    scratch.SetSize(width_, height_);
    scratch.Fill(kTransparentPixel);
    const TRect bounds = BoundsRect();
    struct TRestoreBounds {
        TSeSkinObject& object;
        TRect bounds;
        ~TRestoreBounds() { object.SetBounds(bounds); }
    } restore{*this, bounds};
    SetBounds(TRect::FromSize(0, 0, bounds.Width(), bounds.Height()));
    Draw(scratch);
    return scratch.BuildRegion(bounds.Left, bounds.Top);
}

TRegionHandle TSeSkinObject::LinkRegion(const TKsBitmapLink& link)
{
    if (!link.Valid() || width_ <= 0 || height_ <= 0) return {};
    if (kind_ == skClient) return TSeSkinObject::Region();
    return DrawnRegion();
}

void TSeSkinObject::DrawLinkInMargins(TKsBitmap& target, const TKsBitmapLink& link, TscTileStyle style,
                                      TscTileStyle borderStyle)
{
    if (marginLeft_ == 0 && marginTop_ == 0 && marginRight_ == 0 && marginBottom_ == 0)
        DrawSkinLink(target, link, BoundsRect(), style);
    else
        DrawSkinLinkNineSlice(target, link, BoundsRect(), {marginLeft_, marginTop_, marginRight_, marginBottom_},
                              style, borderStyle);
}

void TSeSkinObject::SetState(int state)
{
    state_ = state;
    SetChildrenState(state);
}

void TSeSkinObject::SetChildrenState(int state)
{
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->SetState(state);
}

void TSeSkinObject::AfterLoad()
{
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->AfterLoad();
}

void TSeSkinObject::ResolveLink(TKsBitmapLink& link) const
{
    if (!bitmaps_) return;
    if (std::unique_ptr<TKsBitmapLink> found = bitmaps_->FindLink(link.Name(), link.Rect())) link = *found;
}

void TSeSkinObject::ShiftHue(int delta)
{
    color_ = ShiftColorHue(color_, delta);
    ShiftFontHue(font_, delta);
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->ShiftHue(delta);
}

void TSeSkinObject::SetCharset(int charset)
{
    font_.SetCharset(charset);
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i)) c->SetCharset(charset);
}

void TSeSkinObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    DrawSkinObject(target, color_, CurrentFont());
}

void TSeSkinObject::DrawSkinObject(TKsBitmap& target, TColor color, const TFont& font)
{
    if (ChildCount() == 0 || drawIfOwner_) {
        target.FillRect(BoundsRect(), ColorToPixel(color));
        DrawText(target, font);
    }
    DrawChildren(target);
}

void TSeSkinObject::DrawText(TKsBitmap& target, const TFont& font)
{
    const TRect textRect{left_ + textMarginLeft_, top_ + textMarginTop_, left_ + width_ - textMarginRight_,
                         top_ + height_};
    if (text_ == L"-") {
        int row = top_ + height_ / 2 - 1;
        target.FillRect({left_ + 3, row, left_ + width_ - 3, row + 1}, ColorToPixel(font.Color()));
        return;
    }
    if (text_.empty() && rightText_.empty()) return;

    TFont textFont = font;
    if (!enabled_) textFont.SetColor(clGray);
    struct TRestoreFont {
        TKsBitmap& target;
        TFont font;
        ~TRestoreFont() { target.SetFont(font); }
    } restore{target, target.Font()};
    target.SetFont(textFont);

    const bool rightToLeft = RightToLeftLocale() && biDiMode_ != bdLeftToRight;
    if (!text_.empty()) {
        std::wstring text = text_;
        if (kind_ == skTitle && target.DC()) {
            TSelectObject selected(target.DC(), textFont.Handle());
            text = ShortenText(target.DC(), text, width_ - textMarginLeft_ - textMarginRight_);
        }
        UINT format = DT_SINGLELINE | AlignmentFormat(textAlign_, rightToLeft) |
                      (rightToLeft && biDiMode_ == bdRightToLeft ? DT_RTLREADING : 0);
        if (textEffect_ == teShadow) {
            TFont shadow = textFont;
            shadow.SetColor(clBlack);
            target.SetFont(shadow);
            target.DrawText(text, textRect.Offset(1, 1), format);
            target.SetFont(textFont);
        }
        target.DrawText(text, textRect, format);
    }
    if (!rightText_.empty()) {
        UINT format = DT_SINGLELINE | AlignmentFormat(Mirrored(textAlign_), rightToLeft) |
                      (rightToLeft ? DT_RTLREADING : 0);
        target.DrawText(rightText_, textRect, format);
    }
}

void TSeSkinObject::DrawChildren(TKsBitmap& target)
{
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* c = ChildAt(i); c && c->CanDraw()) c->Draw(target);
}

// TSeActiveObject

TSeActiveObject::TSeActiveObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeActiveObject::ClassProperties()
{
    using O = TSeActiveObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Color<O>(L"ActiveColor", &O::ActiveColor, &O::SetActiveColor),
        SeProperties::Font<O>(L"ActiveFont", &O::active_, &TSeLook::Font),
    });
    return list;
}

const TFont& TSeActiveObject::CurrentFont() const
{
    int s = State();
    return s == ssHot || s == ssPressed || s == ssFocused ? active_.Font : TSeSkinObject::CurrentFont();
}

void TSeActiveObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    int s = State();
    if (Active() || s == ssHot || s == ssPressed || s == ssFocused)
        DrawSkinObject(target, active_.Color, active_.Font);
    else
        TSeSkinObject::Draw(target);
}

void TSeActiveObject::ShiftHue(int delta)
{
    active_.ShiftHue(delta);
    TSeSkinObject::ShiftHue(delta);
}

void TSeActiveObject::SetCharset(int charset)
{
    active_.Font.SetCharset(charset);
    TSeSkinObject::SetCharset(charset);
}

void TSeActiveObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeActiveObject*>(&source)) active_ = s->active_;
}

// TSeActiveSkinObject

TSeActiveSkinObject::TSeActiveSkinObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeActiveSkinObject::ClassProperties()
{
    using O = TSeActiveSkinObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Color<O>(L"ActiveColor", &O::ActiveColor, &O::SetActiveColor),
        SeProperties::Font<O>(L"ActiveFont", &O::active_, &TSeLook::Font),
    });
    return list;
}

void TSeActiveSkinObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    if (State() == ssHot || State() == ssFocused)
        DrawSkinObject(target, active_.Color, active_.Font);
    else
        TSeSkinObject::Draw(target);
}

void TSeActiveSkinObject::ShiftHue(int delta)
{
    active_.ShiftHue(delta);
    TSeSkinObject::ShiftHue(delta);
}

void TSeActiveSkinObject::SetCharset(int charset)
{
    active_.Font.SetCharset(charset);
    TSeSkinObject::SetCharset(charset);
}

void TSeActiveSkinObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeActiveSkinObject*>(&source)) active_ = s->active_;
}

// TSeColorButtonObject

TSeColorButtonObject::TSeColorButtonObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeColorButtonObject::ClassProperties()
{
    using O = TSeColorButtonObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Color<O>(L"HotColor", &O::HotColor, &O::SetHotColor),
        SeProperties::Font<O>(L"HotFont", &O::hot_, &TSeLook::Font),
        SeProperties::Color<O>(L"PressedColor", &O::PressedColor, &O::SetPressedColor),
        SeProperties::Font<O>(L"PressedFont", &O::pressed_, &TSeLook::Font),
        SeProperties::Color<O>(L"FocusedColor", &O::FocusedColor, &O::SetFocusedColor),
        SeProperties::Font<O>(L"FocusedFont", &O::focused_, &TSeLook::Font),
        SeProperties::Color<O>(L"DisabledColor", &O::DisabledColor, &O::SetDisabledColor),
        SeProperties::Font<O>(L"DisabledFont", &O::disabled_, &TSeLook::Font),
    });
    return list;
}

void TSeColorButtonObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    switch (State()) {
    case ssHot: DrawSkinObject(target, hot_.Color, hot_.Font); break;
    case ssPressed: DrawSkinObject(target, pressed_.Color, pressed_.Font); break;
    case ssFocused: DrawSkinObject(target, focused_.Color, focused_.Font); break;
    case ssDisabled: DrawSkinObject(target, disabled_.Color, disabled_.Font); break;
    default: TSeSkinObject::Draw(target); break;
    }
}

void TSeColorButtonObject::SetCharset(int charset)
{
    for (TSeLook* look : {&hot_, &pressed_, &focused_, &disabled_}) look->Font.SetCharset(charset);
    TSeSkinObject::SetCharset(charset);
}

void TSeColorButtonObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeColorButtonObject*>(&source)) {
        hot_ = s->hot_;
        pressed_ = s->pressed_;
        focused_ = s->focused_;
        disabled_ = s->disabled_;
    }
}

// TSeTextObject

TSeTextObject::TSeTextObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeTextObject::ClassProperties()
{
    using O = TSeTextObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Font<O>(L"FontHot", &O::fontHot_),
        SeProperties::Font<O>(L"FontFocused", &O::fontFocused_),
        SeProperties::Font<O>(L"FontPressed", &O::fontPressed_),
        SeProperties::Font<O>(L"FontDisabled", &O::fontDisabled_),
    });
    return list;
}

const TFont& TSeTextObject::CurrentFont() const
{
    switch (State()) {
    case ssHot: return fontHot_;
    case ssPressed: return fontPressed_;
    case ssFocused: return fontFocused_;
    case ssDisabled: return fontDisabled_;
    default: return TSeSkinObject::CurrentFont();
    }
}

void TSeTextObject::ShiftHue(int delta)
{
    for (TFont* f : {&fontHot_, &fontFocused_, &fontPressed_, &fontDisabled_}) ShiftFontHue(*f, delta);
    TSeSkinObject::ShiftHue(delta);
}

void TSeTextObject::SetCharset(int charset)
{
    for (TFont* f : {&fontHot_, &fontFocused_, &fontPressed_, &fontDisabled_}) f->SetCharset(charset);
    TSeSkinObject::SetCharset(charset);
}

void TSeTextObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeTextObject*>(&source)) {
        fontHot_ = s->fontHot_;
        fontFocused_ = s->fontFocused_;
        fontPressed_ = s->fontPressed_;
        fontDisabled_ = s->fontDisabled_;
    }
}

// TSeBitmapObject

TSeBitmapObject::TSeBitmapObject(TComponent* owner) : TSeSkinObject(owner) {}

const TSePropertyList& TSeBitmapObject::ClassProperties()
{
    using O = TSeBitmapObject;
    static const TSePropertyList list = SeProperties::Extend(TSeSkinObject::ClassProperties(), {
        SeProperties::Link<O>(L"Bitmap", &O::bitmap_),
        SeProperties::Enumeration<O, TscTileStyle>(L"TileStyle", SeTileStyleNames, &O::TileStyle, &O::SetTileStyle),
        SeProperties::Enumeration<O, TscTileStyle>(L"BorderTileStyle", SeTileStyleNames, &O::BorderTileStyle,
                                     &O::SetBorderTileStyle),
    });
    return list;
}

void TSeBitmapObject::AfterLoad()
{
    ResolveLink(bitmap_);
    TSeSkinObject::AfterLoad();
}

void TSeBitmapObject::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    DrawWithLink(target, bitmap_);
}

void TSeBitmapObject::DrawWithLink(TKsBitmap& target, const TKsBitmapLink& link)
{
    if (!link.Valid()) return;
    DrawLinkInMargins(target, link, tileStyle_, borderTileStyle_);
    DrawText(target, CurrentFont());
    RealignChildren();
    DrawChildren(target);
}

TRegionHandle TSeBitmapObject::Region() { return LinkRegion(bitmap_); }

void TSeBitmapObject::CopyFrom(const TSeSkinObject& source)
{
    TSeSkinObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeBitmapObject*>(&source)) {
        bitmap_ = s->bitmap_;
        tileStyle_ = s->tileStyle_;
        borderTileStyle_ = s->borderTileStyle_;
    }
}

// TSeActiveBitmap

TSeActiveBitmap::TSeActiveBitmap(TComponent* owner) : TSeBitmapObject(owner) {}

const TSePropertyList& TSeActiveBitmap::ClassProperties()
{
    using O = TSeActiveBitmap;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapObject::ClassProperties(), {
        SeProperties::Link<O>(L"ActiveBitmap", &O::activeBitmap_),
        SeProperties::Font<O>(L"ActiveFont", &O::activeFont_),
    });
    return list;
}

const TFont& TSeActiveBitmap::CurrentFont() const
{
    return State() == ssHot || State() == ssFocused ? activeFont_ : TSeBitmapObject::CurrentFont();
}

void TSeActiveBitmap::AfterLoad()
{
    ResolveLink(activeBitmap_);
    TSeBitmapObject::AfterLoad();
}

const TKsBitmapLink& TSeActiveBitmap::ChosenLink(const TKsBitmapLink& normal) const
{
    bool lit = Active() || State() == ssHot || State() == ssFocused;
    return lit && activeBitmap_.Valid() ? activeBitmap_ : normal;
}

void TSeActiveBitmap::Draw(TKsBitmap& target)
{
    if (!CanDraw()) return;
    DrawWithLink(target, ChosenLink(Bitmap()));
}

void TSeActiveBitmap::SetCharset(int charset)
{
    activeFont_.SetCharset(charset);
    TSeBitmapObject::SetCharset(charset);
}

void TSeActiveBitmap::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeActiveBitmap*>(&source)) {
        activeBitmap_ = s->activeBitmap_;
        activeFont_ = s->activeFont_;
    }
}

// TSeButtonObject

TSeButtonObject::TSeButtonObject(TComponent* owner) : TSeBitmapObject(owner) {}

const TSePropertyList& TSeButtonObject::ClassProperties()
{
    using O = TSeButtonObject;
    static const TSePropertyList list = SeProperties::Extend(TSeBitmapObject::ClassProperties(), {
        SeProperties::Link<O>(L"BitmapHot", &O::stateBitmaps_, &TSeStateLinks::Hot),
        SeProperties::Link<O>(L"BitmapFocused", &O::stateBitmaps_, &TSeStateLinks::Focused),
        SeProperties::Link<O>(L"BitmapPressed", &O::stateBitmaps_, &TSeStateLinks::Pressed),
        SeProperties::Link<O>(L"BitmapDisabled", &O::stateBitmaps_, &TSeStateLinks::Disabled),
    });
    return list;
}

void TSeButtonObject::AfterLoad()
{
    for (TKsBitmapLink* link : stateBitmaps_.All()) ResolveLink(*link);
    TSeBitmapObject::AfterLoad();
}

void TSeButtonObject::Draw(TKsBitmap& target)
{
    if (!CanDraw() || !Bitmap().Valid()) return;
    DrawWithLink(target, stateBitmaps_.ForState(State(), Bitmap()));
}

void TSeButtonObject::CopyFrom(const TSeSkinObject& source)
{
    TSeBitmapObject::CopyFrom(source);
    if (auto* s = dynamic_cast<const TSeButtonObject*>(&source)) stateBitmaps_ = s->stateBitmaps_;
}
