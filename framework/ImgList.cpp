#include "framework/ImgList.h"

#include "framework/Exceptions.h"

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height),
      handle_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4))
{
    if (!handle_) throw EOutOfResources(L"Out of system resources");
}

int TCustomImageList::Count() const { return ImageList_GetImageCount(handle_.Get()); }

int TCustomImageList::AddMasked(HBITMAP bitmap, TColor maskColor)
{
    return ImageList_AddMasked(handle_.Get(), bitmap, ColorToRGB(maskColor));
}

void TCustomImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_Draw(handle_.Get(), index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    TIconHandle icon(ImageList_GetIcon(handle_.Get(), index, ILD_TRANSPARENT));
    if (icon)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, width_, height_,
                   DST_ICON | DSS_DISABLED);
}
