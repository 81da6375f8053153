#include "framework/Graphics.h"

#include <cmath>

COLORREF ColorToRGB(TColor color)
{
    if (color < 0) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

TFont::TFont() : name_(L"MS Sans Serif"), height_(-11), color_(clWindowText), charset_(DEFAULT_CHARSET) {}

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), color_(other.color_), style_(other.style_), charset_(other.charset_)
{
}

TFont& TFont::operator=(const TFont& other)
{
    if (this == &other || SameAs(other)) return *this;
    if (name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && charset_ == other.charset_) {
        SetColor(other.color_);
        return *this;
    }
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    charset_ = other.charset_;
    Changed();
    return *this;
}

int TFont::Size() const { return static_cast<int>(std::lround(-height_ * 72.0 / 96.0)); }

void TFont::SetName(const std::wstring& name)
{
    if (name_ != name) { name_ = name; Changed(); }
}

void TFont::SetHeight(int height)
{
    if (height_ != height) { height_ = height; Changed(); }
}

void TFont::SetColor(TColor color)
{
    // The colour is not part of the platform font: no need to drop the handle.
    if (color_ != color) {
        color_ = color;
        if (OnChange) OnChange();
    }
}

void TFont::SetStyle(TFontStyles style)
{
    if (style_ != style) { style_ = style; Changed(); }
}

void TFont::SetCharset(int charset)
{
    if (charset_ != charset) { charset_ = charset; Changed(); }
}

void TFont::SetSize(int points) { SetHeight(-static_cast<int>(std::lround(points * 96.0 / 72.0))); }

HFONT TFont::Handle() const
{
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfCharSet = static_cast<BYTE>(charset_);
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectW(&lf));
    }
    return handle_.Get();
}

bool TFont::SameAs(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_ &&
           charset_ == other.charset_;
}

void TFont::Changed()
{
    handle_.Reset();
    if (OnChange) OnChange();
}
