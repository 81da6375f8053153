#pragma once

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Types.h"

#include <string>

enum TBrushStyle { bsSolidBrush, bsClearBrush };

// Drawing on a device context that someone else owns. Each operation selects the font or pen it
// needs and puts the context's own object back before it returns, so the context is never left
// holding an object of the canvas.
class TCanvas {
public:
    TCanvas() = default;
    explicit TCanvas(HDC dc) { SetHandle(dc); }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    // Attaches to dc; none detaches.
    void SetHandle(HDC dc) { dc_ = dc; }

    TFont& Font() { return font_; }
    void SetFont(const TFont& font) { font_ = font; }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color) { brushColor_ = color; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle style) { brushStyle_ = style; }
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color) { penColor_ = color; }

    void FillRect(const TRect& rect);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    // A frame with the top and left edges in one colour and the bottom and right in another.
    void Frame3D(const TRect& rect, TColor topLeft, TColor bottomRight);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    // Text in the font; the background is filled with the brush colour unless the brush is clear.
    void TextOut(int x, int y, const std::wstring& text);
    // DrawTextW with the given DT_ flags inside rect.
    void TextRect(const TRect& rect, const std::wstring& text, UINT format);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }

private:
    void PrepareText();

    HDC dc_ = nullptr;
    TFont font_;
    TColor brushColor_ = clWhite;
    TBrushStyle brushStyle_ = bsSolidBrush;
    TColor penColor_ = clBlack;
};
