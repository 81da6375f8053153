#include "skin/engine/KsSkinScaling.h"

#include "framework/Text.h"
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

// True when every pixel of area lies in one of the cells.
bool Covered(const TRect& area, const std::vector<TRect>& cells)
{
    std::vector<bool> covered(static_cast<size_t>(area.Width()) * area.Height());
    for (const TRect& cell : cells) {
        const TRect inside = cell.Intersect(area);
        for (int y = inside.Top; y < inside.Bottom; ++y)
            for (int x = inside.Left; x < inside.Right; ++x) covered[static_cast<size_t>(y) * area.Width() + x] = true;
    }
    return std::all_of(covered.begin(), covered.end(), [](bool pixel) { return pixel; });
}

// The bitmap of art200 with the name of source at exactly twice its size, or none.
const TKsBitmap* Art200(const TKsBitmap& source, const TSeSkinSource* art200)
{
    if (!art200) return nullptr;
    for (int i = 0; i < art200->Bitmaps().Count(); ++i) {
        const TKsBitmap* bitmap = art200->Bitmaps().Item(i);
        if (SameTextAscii(bitmap->Name(), source.Name()))
            return bitmap->Width() == 2 * source.Width() && bitmap->Height() == 2 * source.Height() ? bitmap : nullptr;
    }
    return nullptr;
}

std::unique_ptr<TKsBitmap> ScaledBitmap(const TKsBitmap& source, std::vector<TRect> cells, int dpi,
                                        const TKsBitmap* art200)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetName(source.Name());
    bitmap->SetAlphaBlend(source.AlphaBlend());
    bitmap->SetFont(source.Font());
    if (source.Empty()) return bitmap;
    bitmap->SetSize(std::max(ScaleByDpi(source.Width(), dpi), 1), std::max(ScaleByDpi(source.Height(), dpi), 1));
    // The cells of the art at 200 % lie where the cells of the 96-DPI art would at 192 DPI.
    const TKsBitmap& art = art200 ? *art200 : source;
    auto artCell = [art200](const TRect& cell) { return art200 ? ScaledCell(cell, 2 * kDesignDpi) : cell; };
    const bool hardAlpha = HasHardAlpha(art);
    // The whole bitmap first when some of its pixels lie in no cell; then the cells, largest first,
    // so that a cell holding several others is overdrawn by their cleaner copies.
    std::sort(cells.begin(), cells.end(),
              [](const TRect& a, const TRect& b) { return a.Width() * a.Height() > b.Width() * b.Height(); });
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
    if (!Covered(source.BoundsRect(), cells))
        ResampleRect(art, art.BoundsRect(), *bitmap, bitmap->BoundsRect(), hardAlpha);
    for (const TRect& cell : cells) {
        const TRect to = ScaledCell(cell, dpi).Intersect(bitmap->BoundsRect());
        if (!cell.IsEmpty() && !to.IsEmpty()) ResampleRect(art, artCell(cell), *bitmap, to, hardAlpha);
    }
    return bitmap;
}

} // namespace

std::unique_ptr<TSeSkinSource> ScaledSkinSource(const TSeSkinSource& source, int dpi, const TSeSkinSource* art200)
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
        bitmaps.Add(ScaledBitmap(*bitmap, found != cells.end() ? found->second : std::vector<TRect>{}, dpi,
                                 Art200(*bitmap, art200)));
    }
    scaled->Adopt(std::move(objects), std::move(bitmaps));
    return scaled;
}
