// Scaling a skin object tree for another DPI.
#include "skin/objects/KsSkinObjects.h"

#include "framework/Text.h"
#include "skin/raster/KsBitmapResample.h"

namespace {

// The bounds are set on the fields directly, so that nothing realigns; Tag is no length.
bool ScaledThroughProperty(const TSeObjectProperty& property)
{
    for (const wchar_t* name : {L"Tag", L"Left", L"Top", L"Width", L"Height"})
        if (SameTextAscii(property.Name, name)) return false;
    return true;
}

} // namespace

void TSeSkinObject::ScaleLengths(int dpi)
{
    for (const TSeObjectProperty& property : Properties()) {
        switch (property.Kind) {
        case TSePropertyKind::Integer:
            if (ScaledThroughProperty(property))
                property.SetOrdinal(*this, ScaleByDpi(property.GetOrdinal(*this), dpi));
            break;
        case TSePropertyKind::Font: {
            TFont& font = property.Font(*this);
            font.SetHeight(ScaleByDpi(font.Height(), dpi));
            break;
        }
        case TSePropertyKind::BitmapLink: {
            TKsBitmapLink& link = property.Link(*this);
            link.SetRect(ScaledCell(link.Rect(), dpi));
            link.SetBitmap(nullptr);
            break;
        }
        default:
            break;
        }
    }
    left_ = ScaleByDpi(left_, dpi);
    top_ = ScaleByDpi(top_, dpi);
    width_ = ScaleByDpi(width_, dpi);
    height_ = ScaleByDpi(height_, dpi);
    previousWidth_ = ScaleByDpi(previousWidth_, dpi);
    previousHeight_ = ScaleByDpi(previousHeight_, dpi);
    for (int i = 0; i < ChildCount(); ++i)
        if (TSeSkinObject* child = ChildAt(i)) child->ScaleLengths(dpi);
}
