#include "skin/engine/KsSkinScaling.h"

#include "skin/raster/KsBitmapResample.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

using TCells = std::map<const TKsBitmap*, std::vector<TRect>>;

// The rectangles the objects of the tree draw from, by bitmap.
void CollectCells(TSeSkinObject& object, TCells& cells)
{
    for (const TSeObjectProperty& property : object.Properties()) {
        if (property.Kind != TSePropertyKind::BitmapLink) continue;
        const TKsBitmapLink& link = property.Link(object);
        if (link.Valid()) cells[link.Bitmap()].push_back(link.Rect().Intersect(link.Bitmap()->BoundsRect()));
    }
    for (int i = 0; i < object.ChildCount(); ++i)
        if (TSeSkinObject* child = object.ChildAt(i)) CollectCells(*child, cells);
}

std::unique_ptr<TKsBitmap> ScaledBitmap(const TKsBitmap& source, std::vector<TRect> cells, int dpi)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetName(source.Name());
    bitmap->SetAlphaBlend(source.AlphaBlend());
    bitmap->SetFont(source.Font());
    if (source.Empty()) return bitmap;
    bitmap->SetSize(std::max(ScaleByDpi(source.Width(), dpi), 1), std::max(ScaleByDpi(source.Height(), dpi), 1));
    const bool hardAlpha = HasHardAlpha(source);
    // The whole bitmap first, for pixels no object links to; then the cells, largest first, so that
    // a cell holding several others is overdrawn by their cleaner copies.
    ResampleRect(source, source.BoundsRect(), *bitmap, bitmap->BoundsRect(), hardAlpha);
    std::sort(cells.begin(), cells.end(), [](const TRect& a, const TRect& b) {
        return a.Width() * a.Height() > b.Width() * b.Height();
    });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    for (const TRect& cell : cells) {
        const TRect to = ScaledCell(cell, dpi).Intersect(bitmap->BoundsRect());
        if (!cell.IsEmpty() && !to.IsEmpty()) ResampleRect(source, cell, *bitmap, to, hardAlpha);
    }
    return bitmap;
}

} // namespace

std::unique_ptr<TSeSkinSource> ScaledSkinSource(const TSeSkinSource& source, int dpi)
{
    auto scaled = std::make_unique<TSeSkinSource>(nullptr);
    scaled->SetSkinName(source.SkinName());
    scaled->SetSkinVersion(source.SkinVersion());
    scaled->SetAuthor(source.Author());
    scaled->SetAuthorEMail(source.AuthorEMail());
    scaled->SetAuthorURL(source.AuthorURL());

    TCells cells;
    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    for (const auto& object : source.HeldObjects()) {
        CollectCells(*object, cells);
        objects.emplace_back(object->Clone(nullptr));
        if (objects.back()) objects.back()->ScaleLengths(dpi);
    }
    std::erase(objects, nullptr);
    TKsBitmapList bitmaps;
    for (int i = 0; i < source.Bitmaps().Count(); ++i) {
        const TKsBitmap* bitmap = source.Bitmaps().Item(i);
        auto found = cells.find(bitmap);
        bitmaps.Add(ScaledBitmap(*bitmap, found != cells.end() ? found->second : std::vector<TRect>{}, dpi));
    }
    scaled->Adopt(std::move(objects), std::move(bitmaps));
    return scaled;
}
