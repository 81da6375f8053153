// Links to rectangles of skin bitmaps, and the owning list of skin bitmaps.
#include "skin/raster/KsBitmap.h"

#include "framework/Exceptions.h"
#include "framework/Text.h"

#include <cassert>

TKsBitmapLink::TKsBitmapLink(TKsBitmap* bitmap, const std::wstring& name, const TRect& rect) : name_(name), rect_(rect)
{
    SetBitmap(bitmap);
}

TKsBitmapLink& TKsBitmapLink::operator=(const TKsBitmapLink& other)
{
    if (this != &other) CopyFrom(other);
    return *this;
}

void TKsBitmapLink::Assign(const TPersistent& source)
{
    if (auto* link = dynamic_cast<const TKsBitmapLink*>(&source)) {
        if (link != this) CopyFrom(*link);
        return;
    }
    TPersistent::Assign(source);
}

void TKsBitmapLink::CopyFrom(const TKsBitmapLink& other)
{
    name_ = other.name_;
    rect_ = other.rect_;
    bitmap_ = other.bitmap_;
    bitmapAlive_ = other.bitmapAlive_;
}

TKsBitmap* TKsBitmapLink::Bitmap() const
{
    if (!bitmap_) return nullptr;
    // A link must not outlive its bitmap: skin copies are freed before the skin's bitmaps are.
    const bool alive = !bitmapAlive_.expired();
    assert(alive && "bitmap link used after its bitmap was freed");
    return alive ? bitmap_ : nullptr;
}

void TKsBitmapLink::SetBitmap(TKsBitmap* bitmap)
{
    bitmap_ = bitmap;
    bitmapAlive_ = bitmap ? bitmap->AliveToken() : std::weak_ptr<const void>();
}

bool TKsBitmapLink::Valid() const { return Bitmap() && rect_.Width() > 0 && rect_.Height() > 0; }

void TKsBitmapLink::Draw(TKsBitmap& target, int x, int y) const
{
    if (Valid()) bitmap_->Draw(target, x, y, rect_);
}

TKsBitmap* TKsBitmapList::Item(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TKsBitmap* TKsBitmapList::Add(std::unique_ptr<TKsBitmap> bitmap)
{
    items_.push_back(std::move(bitmap));
    return items_.back().get();
}

std::unique_ptr<TKsBitmapLink> TKsBitmapList::FindLink(const std::wstring& name, const TRect& rect) const
{
    std::unique_ptr<TKsBitmapLink> link;
    for (const auto& bitmap : items_)
        if (SameTextAscii(bitmap->Name(), name)) link = std::make_unique<TKsBitmapLink>(bitmap.get(), name, rect);
    return link;
}
