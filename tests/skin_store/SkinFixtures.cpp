#include "SkinFixtures.h"

#include "framework/Text.h"
#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/store/KsObjectRecords.h"

#include <stdexcept>

std::unique_ptr<TKsBitmap> MakeBitmap(const std::wstring& name, int width, int height, uint32_t seed)
{
    auto bitmap = std::make_unique<TKsBitmap>();
    bitmap->SetName(name);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t b = (x * 31 + seed) & 0xFF, g = (y * 17 + seed * 3) & 0xFF, r = (x * y + seed * 7) & 0xFF;
            if (r == 0xFF && g == 0 && b == 0xFF) g = 1;
            uint32_t a = (x + y) % 5 == 0 ? 0x80 : 0xFF;
            bitmap->SetPixel(x, y, a << 24 | r << 16 | g << 8 | b);
        }
    return bitmap;
}

TSeSkinObject* MakeObject(TComponent* owner, const std::string& className, const std::string& name,
                          const std::string& propertyLines)
{
    TSeSkinObject* object = CreateSkinObject(AnsiToWide(className), owner);
    NotationToObject(ReadNotation("object " + name + ": " + className + "\r\n" + propertyLines + "end\r\n"), *object);
    return object;
}

void FillSmallSkin(TSeSkinSource& source)
{
    source.SetSkinName(L"Small");
    source.SetSkinVersion(L"1.0");
    source.SetAuthor(L"Tests");
    source.SetAuthorEMail(L"tests@folvane.example");
    source.SetAuthorURL(L"");

    TKsBitmapList bitmaps;
    bitmaps.Add(MakeBitmap(L"FRAME.BMP", 16, 16, 1));
    bitmaps.Add(MakeBitmap(L"BUTTON.bmp", 12, 20, 2));
    bitmaps.Add(MakeBitmap(L"GLYPH.BMP", 6, 6, 3));

    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    objects.emplace_back(MakeObject(nullptr, "TSeSkinObject", "Form",
                                    "  Kind = skForm\r\n  Width = 375\r\n  Height = 247\r\n"));
    TSeSkinObject* caption = MakeObject(objects.back().get(), "TSeActiveBitmap", "Caption",
                                        "  Align = saTop\r\n  Height = 8\r\n  Kind = skCaption\r\n"
                                        "  Bitmap.Name = 'FRAME.BMP'\r\n  Bitmap.Right = 16\r\n  Bitmap.Bottom = 8\r\n"
                                        "  ActiveBitmap.Name = 'frame.bmp'\r\n  ActiveBitmap.Top = 8\r\n"
                                        "  ActiveBitmap.Right = 16\r\n  ActiveBitmap.Bottom = 16\r\n"
                                        "  ActiveFont.Style = [fsBold]\r\n  MarginLeft = 3\r\n");
    TSeSkinObject* close = MakeObject(caption, "TSeSystemButton", "CloseButton",
                                      "  Action = sbaClose\r\n  Align = saRight\r\n  Width = 6\r\n"
                                      "  BitmapHot.Name = 'GLYPH.BMP'\r\n  BitmapHot.Right = 6\r\n"
                                      "  BitmapHot.Bottom = 6\r\n");
    MakeObject(close, "TSeButtonObject", "Glyph", "  Align = saCenter\r\n  Width = 6\r\n  Height = 6\r\n");
    MakeObject(objects.back().get(), "TSeSkinObject", "Client", "  Align = saClient\r\n  Color = clBtnFace\r\n");

    objects.emplace_back(MakeObject(nullptr, "TSeSkinObject", "Button", "  Width = 200\r\n  Height = 100\r\n"));
    MakeObject(objects.back().get(), "TSeButtonObject", "Face",
               "  Align = saClient\r\n  Bitmap.Name = 'BUTTON.bmp'\r\n  Bitmap.Right = 12\r\n  Bitmap.Bottom = 5\r\n"
               "  BitmapHot.Name = 'BUTTON.bmp'\r\n  BitmapHot.Top = 5\r\n  BitmapHot.Right = 12\r\n"
               "  BitmapHot.Bottom = 10\r\n  MarginLeft = 2\r\n  MarginRight = 2\r\n  TileStyle = tsStretch\r\n");
    MakeObject(objects.back().get(), "TSeTextObject", "Text",
               "  Align = saClient\r\n  TextAlign = taCenter\r\n  FontHot.Color = clRed\r\n"
               "  Font.Name = 'It''s a font'\r\n");

    objects.emplace_back(MakeObject(nullptr, "TSeSkinObject", "Edit", "  Color = 15790320\r\n"));
    MakeObject(objects.back().get(), "TSeBitmapBoxObject", "Frame",
               "  Align = saClient\r\n  Bitmap.Name = 'FRAME.BMP'\r\n  Bitmap.Right = 16\r\n  Bitmap.Bottom = 16\r\n");

    source.Clear();
    source.Adopt(std::move(objects), std::move(bitmaps));
}

TSeSkinObject& Part(const TSeSkinSource& source, std::wstring_view top, std::wstring_view part)
{
    TSeSkinObject* object = source.ObjectByName(top);
    if (object && !part.empty()) object = object->FindObjectByName(part);
    if (!object) throw std::logic_error("the skin has no such object: " + WideToUtf8(top) + " " + WideToUtf8(part));
    return *object;
}

std::vector<uint8_t> SaveWith(TSeSkinFilterClass filterClass, TSeSkinSource& source)
{
    TMemoryStream stream;
    std::unique_ptr<TSeSkinFilter> filter = filterClass();
    filter->SetSource(&source);
    filter->SaveToStream(stream);
    return stream.Bytes();
}

void LoadWith(TSeSkinFilterClass filterClass, TSeSkinSource& source, const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream(bytes);
    std::unique_ptr<TSeSkinFilter> filter = filterClass();
    filter->SetSource(&source);
    filter->LoadFromStream(stream);
}

TSeSkinFilterClass UncompressedFilter() { return FilterForFile(L"x.uskn"); }
TSeSkinFilterClass CompressedFilter() { return FilterForFile(L"x.kskn"); }
TSeSkinFilterClass UltraCompressedFilter() { return FilterForFile(L"x.xskn"); }

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}
