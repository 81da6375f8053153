#include "skin/engine/KsSkinSource.h"

#include "framework/Text.h"
#include "skin/store/KsObjectRecords.h"
#include "skin/store/KsSkinData.h"

#include <windows.h>

namespace {

// Far above any real skin; each record also takes bytes of its own, so the read stops at the end
// of the data long before these unless the data itself is that long.
constexpr int32_t MaxBitmapCount = 65536;
constexpr int32_t MaxObjectCount = 65536;

const char ContainerMagic[4] = {'K', 'S', 'L', 'Z'};

bool FileExists(const std::wstring& name)
{
    DWORD attributes = GetFileAttributesW(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExecutableDirectory()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return ExtractFilePath(path);
}

// The file to load: the name itself, else (for a name without a drive) the name beside the
// executable; empty when neither exists.
std::wstring ResolveSkinFile(const std::wstring& fileName)
{
    if (fileName.empty()) return {};
    if (FileExists(fileName)) return fileName;
    if (fileName.size() < 2 || fileName[1] != L':') {
        std::wstring beside = IncludeTrailingBackslash(ExecutableDirectory()) + fileName;
        if (FileExists(beside)) return beside;
    }
    return {};
}

template <typename T>
std::unique_ptr<TSeSkinFilter> MakeFilter()
{
    return std::make_unique<T>();
}

std::unique_ptr<TSeSkinFilter> BindFilter(TSeSkinFilterClass filterClass, TSeSkinSource* source)
{
    std::unique_ptr<TSeSkinFilter> filter = filterClass();
    filter->SetSource(source);
    return filter;
}

} // namespace

TSeSkinSource::TSeSkinSource(TComponent* owner)
    : TComponent(owner), skinName_(L"Folvane Default Skin"), skinVersion_(L"2.9.0"),
      author_(L"Folvane Tool skin library"), authorEMail_(L"skins@folvane.example"),
      authorURL_(L"https://folvane.example/skins")
{
}

TSeSkinSource::~TSeSkinSource()
{
    Destroying();
    Clear();
}

TSeSkinObject* TSeSkinSource::Objects(int index) const
{
    if (changing_ || index < 0 || index >= Count()) return nullptr;
    return objects_[index].get();
}

TSeSkinObject* TSeSkinSource::ObjectByName(std::wstring_view name) const
{
    if (changing_) return nullptr;
    for (const auto& object : objects_)
        if (SameTextAscii(object->Name(), name)) return object.get();
    return nullptr;
}

TSeSkinObject* TSeSkinSource::ObjectByKind(TSeKind kind) const
{
    if (changing_) return nullptr;
    for (const auto& object : objects_)
        if (object->Kind() == kind) return object.get();
    return nullptr;
}

TSeSkinObject* TSeSkinSource::FormObject() const
{
    TSeSkinObject* form = ObjectByName(L"Form");
    return form ? form : ObjectByKind(skForm);
}

void TSeSkinSource::Adopt(std::vector<std::unique_ptr<TSeSkinObject>> objects, TKsBitmapList bitmaps)
{
    bitmaps_ = std::move(bitmaps);
    objects_ = std::move(objects);
    for (const auto& object : objects_) {
        object->SetBitmaps(&bitmaps_);
        object->AfterLoad();
    }
}

void TSeSkinSource::Clear()
{
    objects_.clear();
    bitmaps_.Clear();
}

void TSeSkinSource::ApplyHue(int hue)
{
    if (hue == requestedHue_) return;
    requestedHue_ = hue;
    int delta = hue - appliedHue_;
    for (int i = 0; i < bitmaps_.Count(); ++i) bitmaps_.Item(i)->ShiftHue(delta);
    for (const auto& object : objects_) object->ShiftHue(delta);
    appliedHue_ = hue;
}

void TSeSkinSource::LoadFromStream(TStream& stream) { BindFilter(DefaultSkinFilter(), this)->LoadFromStream(stream); }

void TSeSkinSource::SaveToStream(TStream& stream) { BindFilter(DefaultSkinFilter(), this)->SaveToStream(stream); }

void TSeSkinSource::LoadFromFile(const std::wstring& fileName)
{
    std::wstring path = ResolveSkinFile(fileName);
    if (path.empty()) return;
    TSeSkinFilterClass filterClass = FilterForFile(path);
    if (!filterClass) return;
    TFileStream file(path, TFileMode::OpenRead);
    BindFilter(filterClass, this)->LoadFromStream(file);
}

void TSeSkinSource::SaveToFile(const std::wstring& fileName)
{
    TSeSkinFilterClass filterClass = FilterForFile(fileName);
    std::unique_ptr<TSeSkinFilter> filter = BindFilter(filterClass ? filterClass : DefaultSkinFilter(), this);
    TFileStream file(fileName, TFileMode::Create);
    filter->SaveToStream(file);
}

void TSeSkinFilter::ReadContent(TStream& stream)
{
    TSeSkinSource& source = *source_;
    source.Clear();
    source.ResetHue();

    std::wstring header[5];
    for (std::wstring& text : header) text = AnsiToWide(ReadSkinString(stream));

    TKsBitmapList bitmaps;
    int32_t bitmapCount = ReadSkinCount(stream, MaxBitmapCount, L"the bitmap count");
    for (int32_t i = 0; i < bitmapCount; ++i) {
        auto bitmap = std::make_unique<TKsBitmap>();
        bitmap->LoadFromStream(stream);
        bitmap->ReplaceKeyColor(clFuchsia);
        bitmaps.Add(std::move(bitmap));
    }

    std::vector<std::unique_ptr<TSeSkinObject>> objects;
    int32_t objectCount = ReadSkinCount(stream, MaxObjectCount, L"the object count");
    for (int32_t i = 0; i < objectCount; ++i) {
        std::unique_ptr<TSeSkinObject> object(ReadObjectRecord(stream, nullptr));
        if (object) objects.push_back(std::move(object));
    }

    source.SetSkinName(header[0]);
    source.SetSkinVersion(header[1]);
    source.SetAuthor(header[2]);
    source.SetAuthorEMail(header[3]);
    source.SetAuthorURL(header[4]);
    try {
        source.Adopt(std::move(objects), std::move(bitmaps));
    } catch (...) {
        source.Clear();
        throw;
    }
}

void TSeSkinFilter::WriteContent(TStream& stream)
{
    TSeSkinSource& source = *source_;
    for (const std::wstring* text : {&source.SkinName(), &source.SkinVersion(), &source.Author(),
                                     &source.AuthorEMail(), &source.AuthorURL()})
        WriteSkinString(stream, WideToAnsi(*text));
    const TKsBitmapList& bitmaps = source.Bitmaps();
    stream.WriteInt32(bitmaps.Count());
    for (int i = 0; i < bitmaps.Count(); ++i) bitmaps.Item(i)->SaveToStream(stream);
    // Not through the lookups, which answer none while the skin is changing: a save asked for then
    // (by a handler of the change notice) writes the skin the source still holds.
    const auto& objects = source.HeldObjects();
    stream.WriteInt32(static_cast<int32_t>(objects.size()));
    for (const auto& object : objects) WriteObjectRecord(stream, *object);
}

void TSeSkinFilterUncompressed::LoadFromStream(TStream& stream) { ReadContent(stream); }

void TSeSkinFilterUncompressed::SaveToStream(TStream& stream) { WriteContent(stream); }

void TSeSkinFilterCompressed::LoadFromStream(TStream& stream)
{
    // The magic is skipped unchecked; a store too short even for it fails in the content reader,
    // which leaves the source empty like any other broken store.
    char magic[sizeof ContainerMagic];
    stream.Read(magic, sizeof magic);
    TDecompressionStream inflated(stream);
    ReadContent(inflated);
}

void TSeSkinFilterCompressed::SaveToStream(TStream& stream) { SaveCompressed(stream, TCompressionLevel::Fastest); }

void TSeSkinFilterCompressed::SaveCompressed(TStream& stream, TCompressionLevel level)
{
    stream.WriteBuffer(ContainerMagic, sizeof ContainerMagic);
    TCompressionStream deflated(stream, level);
    WriteContent(deflated);
    deflated.Finish();
}

void TSeSkinFilterUltraCompressed::SaveToStream(TStream& stream) { SaveCompressed(stream, TCompressionLevel::Max); }

const std::vector<TSeSkinFilterClass>& SkinFilters()
{
    static const std::vector<TSeSkinFilterClass> filters = {
        &MakeFilter<TSeSkinFilterUncompressed>, &MakeFilter<TSeSkinFilterCompressed>,
        &MakeFilter<TSeSkinFilterUltraCompressed>};
    return filters;
}

TSeSkinFilterClass DefaultSkinFilter() { return &MakeFilter<TSeSkinFilterCompressed>; }

TSeSkinFilterClass FilterForFile(const std::wstring& fileName)
{
    std::wstring extension = AsciiLowerCase(ExtractFileExt(fileName));
    for (TSeSkinFilterClass filterClass : SkinFilters())
        if (extension == L"." + AsciiLowerCase(filterClass()->FileExtension())) return filterClass;
    return nullptr;
}
