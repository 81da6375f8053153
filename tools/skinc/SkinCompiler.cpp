#include "tools/skinc/SkinCompiler.h"

#include "framework/Streams.h"
#include "framework/Text.h"
#include "skin/engine/KsSkinSource.h"
#include "skin/objects/KsSkinObjectRegistry.h"
#include "skin/store/KsObjectRecords.h"
#include "skin/store/KsSkinData.h"
#include "tools/skinc/BmpFile.h"
#include "tools/skinc/NestedNotation.h"
#include "tools/skinc/SkinManifest.h"
#include "tools/skinc/SkinSourceError.h"

#include <windows.h>

#include <memory>
#include <set>

namespace {

const wchar_t* const ManifestFile = L"skin.txt";
const wchar_t* const BitmapFolder = L"bitmaps";
const wchar_t* const ObjectFolder = L"objects";

std::wstring Join(const std::wstring& folder, const std::wstring& name)
{
    return IncludeTrailingBackslash(folder) + name;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& fileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return stream.Bytes();
}

void WriteFileBytes(const std::wstring& fileName, const std::vector<uint8_t>& bytes)
{
    TMemoryStream(bytes).SaveToFile(fileName);
}

void MakeFolder(const std::wstring& folder)
{
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) RaiseLastOSError();
}

// Source files are UTF-8; the skin content holds the ANSI code page.
std::string Utf8FileToAnsi(const std::wstring& fileName)
{
    std::vector<uint8_t> bytes = ReadFileBytes(fileName);
    if (bytes.empty()) return {};
    const char* text = reinterpret_cast<const char*>(bytes.data());
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, static_cast<int>(bytes.size()), nullptr, 0);
    if (length == 0) throw ESkinSourceError(fileName + L": not UTF-8 text");
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(bytes.size()), wide.data(), length);
    return WideToAnsi(wide);
}

void WriteAnsiAsUtf8(const std::wstring& fileName, const std::string& text)
{
    std::string utf8 = WideToUtf8(AnsiToWide(text));
    WriteFileBytes(fileName, std::vector<uint8_t>(utf8.begin(), utf8.end()));
}

void CheckClasses(const TObjectTree& tree, const std::wstring& fileName)
{
    if (!IsSkinObjectClassRegistered(AnsiToWide(tree.Object.ClassName)))
        throw ESkinSourceError(fileName + L": object " + AnsiToWide(tree.Object.Name) + L" has the unknown class " +
                               AnsiToWide(tree.Object.ClassName));
    for (const TObjectTree& child : tree.Children) CheckClasses(child, fileName);
}

std::vector<uint8_t> ObjectRecord(const TObjectTree& tree)
{
    TMemoryStream record;
    WriteSkinString(record, tree.Object.ClassName);
    WriteSkinString(record, ContentDescription(tree));
    return record.Bytes();
}

// Reads the record through the skin library, so that a property the class lacks or a bad value
// is reported with the file it comes from.
void CheckRecord(const std::vector<uint8_t>& record, const std::wstring& fileName)
{
    TMemoryStream stream(record);
    try {
        std::unique_ptr<TSeSkinObject> object(ReadObjectRecord(stream, nullptr));
    } catch (const Exception& error) {
        throw ESkinSourceError(fileName + L": " + error.Message());
    }
}

std::wstring ObjectPath(TSeSkinObject& object)
{
    TSeSkinObject* parent = object.ParentObject();
    return parent ? ObjectPath(*parent) + L"." + object.Name() : object.Name();
}

void CheckLinks(TSeSkinObject& object, const std::wstring& fileName)
{
    for (const TSeObjectProperty& property : object.Properties()) {
        if (property.Kind != TSePropertyKind::BitmapLink) continue;
        const TKsBitmapLink& link = property.Link(object);
        if (link.Name().empty()) continue;
        std::wstring where = fileName + L": " + ObjectPath(object) + L"." + property.Name;
        TKsBitmap* bitmap = link.Bitmap();
        if (!bitmap) throw ESkinSourceError(where + L" names the bitmap " + link.Name() + L", which the skin lacks");
        const TRect& r = link.Rect();
        if (r.IsEmpty() || r.Left < 0 || r.Top < 0 || r.Right > bitmap->Width() || r.Bottom > bitmap->Height())
            throw ESkinSourceError(where + L" is not a rectangle inside " + link.Name());
    }
    for (int i = 0; i < object.ChildCount(); ++i) CheckLinks(*object.ChildAt(i), fileName);
}

void LoadContent(TSeSkinSource& source, const std::vector<uint8_t>& content)
{
    TMemoryStream stream(content);
    TSeSkinFilterUncompressed filter;
    filter.SetSource(&source);
    filter.LoadFromStream(stream);
}

void LoadStore(TSeSkinSource& source, const std::vector<uint8_t>& store)
{
    TMemoryStream stream(store);
    TSeSkinFilterCompressed filter;
    filter.SetSource(&source);
    filter.LoadFromStream(stream);
}

// A skin name used as a file name must stay inside its folder and be unique there.
void CheckFileName(const std::wstring& name, std::set<std::wstring>& used)
{
    if (name.empty() || name == L"." || name == L".." || name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos)
        throw ESkinSourceError(L"The bitmap name '" + name + L"' cannot be written as a file name");
    if (!used.insert(AsciiLowerCase(name)).second)
        throw ESkinSourceError(L"Two bitmaps are named '" + name + L"': each needs a file of its own");
}

std::wstring UniqueObjectFile(const std::wstring& objectName, std::set<std::wstring>& used)
{
    std::wstring base = objectName.empty() ? L"Object" : objectName;
    std::wstring name = base + L".txt";
    for (int n = 2; !used.insert(AsciiLowerCase(name)).second; ++n) name = base + L"~" + std::to_wstring(n) + L".txt";
    return name;
}

} // namespace

std::vector<uint8_t> CompileSkinStore(const std::wstring& sourceFolder, const std::wstring& bitmapFolder)
{
    const TSkinManifest manifest = ParseManifest(Utf8FileToAnsi(Join(sourceFolder, ManifestFile)));

    TMemoryStream content;
    for (const std::string* text : {&manifest.SkinName, &manifest.SkinVersion, &manifest.Author,
                                    &manifest.AuthorEMail, &manifest.AuthorURL})
        WriteSkinString(content, *text);

    content.WriteInt32(static_cast<int32_t>(manifest.Bitmaps.size()));
    for (const std::string& name : manifest.Bitmaps) {
        std::wstring fileName = Join(Join(sourceFolder, bitmapFolder), AnsiToWide(name));
        TBgraImage image;
        try {
            image = DecodeBmp(ReadFileBytes(fileName));
        } catch (const Exception& error) {
            throw ESkinSourceError(fileName + L": " + error.Message());
        }
        WriteSkinString(content, name);
        content.WriteInt32(image.Width);
        content.WriteInt32(image.Height);
        content.WriteBuffer(image.Pixels.data(), image.Pixels.size());
    }

    std::vector<std::wstring> objectFiles;
    content.WriteInt32(static_cast<int32_t>(manifest.Objects.size()));
    for (const std::string& file : manifest.Objects) {
        objectFiles.push_back(Join(Join(sourceFolder, ObjectFolder), AnsiToWide(file)));
        TObjectTree tree = ParseObjectSource(Utf8FileToAnsi(objectFiles.back()), objectFiles.back());
        CheckClasses(tree, objectFiles.back());
        std::vector<uint8_t> record = ObjectRecord(tree);
        CheckRecord(record, objectFiles.back());
        content.WriteBuffer(record.data(), record.size());
    }

    TSeSkinSource source(nullptr);
    LoadContent(source, content.Bytes());
    for (int i = 0; i < source.Count(); ++i) CheckLinks(*source.Objects(i), objectFiles[i]);

    TMemoryStream store;
    TSeSkinFilterCompressed filter;
    filter.SetSource(&source);
    filter.SaveToStream(store);
    return store.Bytes();
}

std::vector<uint8_t> StoreContent(const std::vector<uint8_t>& store)
{
    TSeSkinSource source(nullptr);
    LoadStore(source, store);
    TMemoryStream content;
    TSeSkinFilterUncompressed filter;
    filter.SetSource(&source);
    filter.SaveToStream(content);
    return content.Bytes();
}

void DecompileSkinStore(const std::vector<uint8_t>& store, const std::wstring& folder)
{
    TSeSkinSource source(nullptr);
    LoadStore(source, store);

    TSkinManifest manifest;
    manifest.SkinName = WideToAnsi(source.SkinName());
    manifest.SkinVersion = WideToAnsi(source.SkinVersion());
    manifest.Author = WideToAnsi(source.Author());
    manifest.AuthorEMail = WideToAnsi(source.AuthorEMail());
    manifest.AuthorURL = WideToAnsi(source.AuthorURL());

    MakeFolder(folder);
    MakeFolder(Join(folder, BitmapFolder));
    MakeFolder(Join(folder, ObjectFolder));

    std::set<std::wstring> bitmapFiles;
    const TKsBitmapList& bitmaps = source.Bitmaps();
    for (int i = 0; i < bitmaps.Count(); ++i) {
        const TKsBitmap& bitmap = *bitmaps.Item(i);
        CheckFileName(bitmap.Name(), bitmapFiles);
        if (bitmap.Empty())
            throw ESkinSourceError(L"The bitmap '" + bitmap.Name() + L"' is empty: a .bmp file cannot hold it");
        TBgraImage image;
        image.Width = bitmap.Width();
        image.Height = bitmap.Height();
        const uint8_t* pixels = reinterpret_cast<const uint8_t*>(bitmap.Bits());
        if (pixels) image.Pixels.assign(pixels, pixels + static_cast<size_t>(image.Width) * image.Height * 4);
        WriteFileBytes(Join(Join(folder, BitmapFolder), bitmap.Name()), EncodeBmp(image));
        manifest.Bitmaps.push_back(WideToAnsi(bitmap.Name()));
    }

    std::set<std::wstring> objectFiles;
    for (int i = 0; i < source.Count(); ++i) {
        TSeSkinObject& object = *source.Objects(i);
        TObjectTree tree = TreeFromDescription(WriteNotation(ObjectToNotation(object)));
        std::wstring file = UniqueObjectFile(object.Name(), objectFiles);
        WriteAnsiAsUtf8(Join(Join(folder, ObjectFolder), file), WriteObjectSource(tree));
        manifest.Objects.push_back(WideToAnsi(file));
    }

    WriteAnsiAsUtf8(Join(folder, ManifestFile), WriteManifest(manifest));
}
