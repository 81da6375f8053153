#pragma once

#include "framework/Component.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"

#include <windows.h>

#include <commctrl.h>

// ImageList_Destroy: image lists of the common controls.
struct TImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ImageList_Destroy(h); }
};
using TImageListHandle = TUniqueHandle<TImageListTraits>;

// A row of equally sized images with a mask, such as the pictures beside menu entries.
class TCustomImageList : public TComponent {
public:
    TCustomImageList(TComponent* owner, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Adds the images that bitmap holds side by side, pixels of maskColor being transparent; the
    // index of the first one added, or -1 when the platform refused.
    int AddMasked(HBITMAP bitmap, TColor maskColor);
    // Draws the image with its top-left corner at (x, y); a disabled image is drawn embossed in the
    // system's grey, as disabled menu pictures are.
    void Draw(HDC dc, int x, int y, int index, bool enabled) const;

private:
    int width_;
    int height_;
    TImageListHandle handle_;
};
