#include "skinwin/KsSkinItems.h"

#include "framework/Text.h"
#include "skinwin/KsItemPaint.h"
#include "skinwin/KsSkinMenuForm.h"

#include <memory>

TSeSkinObject* SkinChild(const TSeSkinObject* object, std::wstring_view name)
{
    if (!object) return nullptr;
    for (int i = 0; i < object->ChildCount(); ++i)
        if (TSeSkinObject* child = object->ChildAt(i); child && SameTextAscii(child->Name(), name)) return child;
    return nullptr;
}

int ItemState(bool mouseDriven, bool selected)
{
    if (!selected) return ssNormal;
    return mouseDriven ? ssHot : ssFocused;
}

TSeSkinItem::TSeSkinItem(TComponent* owner) : TKsCustomItem(owner) {}

void TSeSkinItem::SetSkinEngine(TSeSkinEngine* engine)
{
    if (engine_ != engine) {
        if (engine_) RemoveFreeNotification(engine_);
        engine_ = engine;
        if (engine_) FreeNotification(engine_);
    }
    Resolve(dpi_);
    for (int i = 0; i < Count(); ++i)
        if (auto* child = dynamic_cast<TSeSkinItem*>(Items(i))) child->SetSkinEngine(engine);
}

void TSeSkinItem::Resolve(int dpi)
{
    dpi_ = dpi;
    menuBar_ = popupMenu_ = barItem_ = popupItem_ = separator_ = nullptr;
    if (!TSeSkinBinding::Usable(engine_)) return;
    TSeSkinSource* source = engine_->SourceForDpi(dpi);
    menuBar_ = source->ObjectByName(L"MenuBar");
    popupMenu_ = source->ObjectByName(L"PopupMenu");
    barItem_ = SkinChild(menuBar_, OnToolbar() ? L"ToolbarItem" : L"Item");
    popupItem_ = SkinChild(popupMenu_, L"Item");
    separator_ = SkinChild(popupMenu_, L"Separator");
}

void TSeSkinItem::Notification(TComponent* component, TOperation operation)
{
    TKsCustomItem::Notification(component, operation);
    if (operation == opRemove && component == engine_) {
        engine_ = nullptr;
        Resolve(dpi_);
    }
}

bool TSeSkinItem::Skinned() const { return Announces() && TSeSkinBinding::Usable(engine_) && menuBar_ && popupMenu_; }

void TSeSkinItem::ResolveFor(const TKsItemView& view)
{
    int dpi = view.Control() ? view.Control()->Dpi() : dpi_;
    if (dpi != dpi_) Resolve(dpi);
}

SIZE TSeSkinItem::Measure(TKsBitmap& buffer, const TKsItemView& view)
{
    ResolveFor(view);
    bool bar = view.Orientation() == voHorizontal;
    TSeSkinObject* object = bar ? barItem_ : popupItem_;
    if (!Skinned() || !object) return TKsCustomItem::Measure(buffer, view);
    const TFont& font = object->Font();
    if (bar) {
        if (Kind() != ikNormal) return {object->Height(), object->Height()};
        return {CaptionWidth(buffer, font, Caption()) + object->TextMarginLeft() + object->TextMarginRight(),
                object->Height()};
    }
    int width = CaptionWidth(buffer, font, Caption()) + ScaleByDpi(74, dpi_);
    if (ShortCut() != scNone) width += CaptionWidth(buffer, font, ShortCutToText(ShortCut()));
    return {width, object->Height()};
}

void TSeSkinItem::Paint(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected, const TRect& rect)
{
    ResolveFor(view);
    bool bar = view.Orientation() == voHorizontal;
    if (!Skinned() || !(bar ? barItem_ : popupItem_)) {
        TKsCustomItem::Paint(buffer, view, mouseDriven, selected, rect);
        return;
    }
    if (bar)
        PaintBarItem(buffer, mouseDriven, selected, rect);
    else
        PaintPopupItem(buffer, view, mouseDriven, selected, rect);
}

void TSeSkinItem::PaintBarItem(TKsBitmap& buffer, bool mouseDriven, bool selected, const TRect& rect)
{
    int state = ItemState(mouseDriven, selected);
    if (Kind() == ikClose || Kind() == ikRestore || Kind() == ikMinimize) {
        const wchar_t* name = Kind() == ikClose ? L"Close" : Kind() == ikRestore ? L"Restore" : L"Min";
        TSeSkinObject* button = SkinChild(menuBar_, name);
        if (!button) {
            PaintPlainBarItem(*this, buffer, mouseDriven, selected, rect, dpi_);
            return;
        }
        button->SetBounds(RectCentered(button->BoundsRect(), rect));
        button->SetState(state);
        button->Draw(buffer);
        return;
    }
    barItem_->SetBounds(rect);
    barItem_->SetText(Kind() == ikNormal ? Caption() : std::wstring());
    barItem_->SetState(state);
    barItem_->SetEnabled(Enabled());
    barItem_->Draw(buffer);
    if (Kind() == ikWindowIcon) DrawWindowIcon(buffer, *this, rect, dpi_);
}

void TSeSkinItem::PaintPopupItem(TKsBitmap& buffer, const TKsItemView& view, bool mouseDriven, bool selected,
                                 const TRect& rect)
{
    TSeSkinObject* item = popupItem_;
    item->SetBounds(rect);
    item->SetText(Caption());
    if (IsSeparator()) {
        TSeSkinObject* separator = separator_ ? separator_ : item;
        separator->SetBounds(rect);
        separator->SetState(ssNormal);
        separator->Draw(buffer);
        return;
    }
    item->SetState(ItemState(mouseDriven, selected));
    item->SetEnabled(Enabled());
    item->SetRightText(ShortCut() != scNone ? ShortCutToText(ShortCut()) : std::wstring());
    item->Draw(buffer);

    TColor fontColor = item->Font().Color();
    TCustomImageList* images = Images();
    TRect box{rect.Left, rect.Top, rect.Left + ScaleByDpi(22, dpi_), rect.Bottom};
    if (images && ImageIndex() >= 0 && ImageIndex() < images->Count())
        DrawItemImage(buffer, *images, ImageIndex(), Enabled(), box, dpi_);
    else if (Checked())
        PaintAtDesignSize(buffer, box, dpi_, [fontColor](TKsBitmap& target, const TRect& at) {
            DrawCheckMark(target, at, ColorToPixel(fontColor));
        });
    if (Count() > 0) DrawSubmenuArrow(buffer, rect, fontColor, dpi_);
    DrawScrollMarks(buffer, view, *this, rect, ColorToPixel(fontColor));
}

TKsPopupWindow* TSeSkinItem::CreatePopupWindow(TKsItemView* parentView)
{
    auto window = std::make_unique<TSeSkinPopupWindow>(Owner(), engine_);
    window->Prepare(this, parentView);
    return window.release();
}
