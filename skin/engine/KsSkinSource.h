#pragma once

#include "framework/Component.h"
#include "framework/Streams.h"
#include "skin/objects/KsSkinObjects.h"
#include "skin/raster/KsBitmap.h"
#include "skin/store/KsCompress.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One loaded skin: header strings, the skin bitmaps and the top-level skin objects, all owned.
// While the changing flag is set every object lookup answers none, so that nobody binds to a skin
// that is being replaced.
class TSeSkinSource : public TComponent {
public:
    explicit TSeSkinSource(TComponent* owner);
    ~TSeSkinSource() override;

    const std::wstring& SkinName() const { return skinName_; }
    void SetSkinName(const std::wstring& value) { skinName_ = value; }
    const std::wstring& SkinVersion() const { return skinVersion_; }
    void SetSkinVersion(const std::wstring& value) { skinVersion_ = value; }
    const std::wstring& Author() const { return author_; }
    void SetAuthor(const std::wstring& value) { author_ = value; }
    const std::wstring& AuthorEMail() const { return authorEMail_; }
    void SetAuthorEMail(const std::wstring& value) { authorEMail_ = value; }
    const std::wstring& AuthorURL() const { return authorURL_; }
    void SetAuthorURL(const std::wstring& value) { authorURL_ = value; }

    int Count() const { return static_cast<int>(objects_.size()); }
    // The top-level object at index; none out of range or while changing.
    TSeSkinObject* Objects(int index) const;
    // The first top-level object whose name matches ignoring case; none while changing.
    TSeSkinObject* ObjectByName(std::wstring_view name) const;
    // The first top-level object of that kind; none while changing.
    TSeSkinObject* ObjectByKind(TSeKind kind) const;
    // The object named "Form", else the first of kind skForm.
    TSeSkinObject* FormObject() const;
    // A skin counts as loaded when it holds at least one top-level object.
    bool IsLoaded() const { return !objects_.empty(); }
    // The top-level objects as held, also while changing: the objects are only ever replaced as a
    // whole, so this is always one complete skin (or none), fit for writing out.
    const std::vector<std::unique_ptr<TSeSkinObject>>& HeldObjects() const { return objects_; }

    TKsBitmapList& Bitmaps() { return bitmaps_; }
    const TKsBitmapList& Bitmaps() const { return bitmaps_; }
    // Takes over the objects and bitmaps of a completely read skin, binds the objects to the
    // bitmaps and resolves their links. The current content must have been cleared.
    void Adopt(std::vector<std::unique_ptr<TSeSkinObject>> objects, TKsBitmapList bitmaps);

    bool Changing() const { return changing_; }
    void SetChanging(bool value) { changing_ = value; }

    // Frees every object and bitmap; header strings and hue bookkeeping stay.
    void Clear();

    // The hue offset the bitmaps and colours carry, and the one last asked for.
    int AppliedHue() const { return appliedHue_; }
    int RequestedHue() const { return requestedHue_; }
    // Shifts bitmaps and colours by the difference between hue and the applied hue.
    void ApplyHue(int hue);
    // Marks freshly read content as carrying no hue shift.
    void ResetHue() { appliedHue_ = requestedHue_ = 0; }

    // Through the default filter (the compressed container).
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    // Through the filter that the extension names. A file that is not found (also beside the
    // executable) or whose extension names no filter loads nothing.
    void LoadFromFile(const std::wstring& fileName);
    // Through the filter that the extension names, else the default filter.
    void SaveToFile(const std::wstring& fileName);

private:
    std::wstring skinName_;
    std::wstring skinVersion_;
    std::wstring author_;
    std::wstring authorEMail_;
    std::wstring authorURL_;
    // The objects' links point into the bitmaps, so the objects go first.
    TKsBitmapList bitmaps_;
    std::vector<std::unique_ptr<TSeSkinObject>> objects_;
    int appliedHue_ = 0;
    int requestedHue_ = 0;
    bool changing_ = false;
};

// Turns a byte stream into a loaded skin and back. A filter is made for one load or save and is
// bound to the source it reads into or writes from (not owned).
class TSeSkinFilter {
public:
    virtual ~TSeSkinFilter() = default;

    TSeSkinSource* Source() const { return source_; }
    void SetSource(TSeSkinSource* source) { source_ = source; }

    // The extension of the files this filter handles, without the dot.
    virtual std::wstring FileExtension() const { return {}; }
    virtual std::wstring Description() const { return {}; }
    virtual void LoadFromStream(TStream& stream) {}
    virtual void SaveToStream(TStream& stream) {}

protected:
    // Replaces the source's skin with the content read from stream. On any error the source is
    // left empty: nothing half-read is kept.
    void ReadContent(TStream& stream);
    void WriteContent(TStream& stream);

private:
    TSeSkinSource* source_ = nullptr;
};

// The content as it stands.
class TSeSkinFilterUncompressed : public TSeSkinFilter {
public:
    std::wstring FileExtension() const override { return L"uskn"; }
    std::wstring Description() const override { return L"Uncompressed Skin"; }
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
};

// "KSLZ" and the content as one zlib stream at the fastest level. Reading skips the four letters
// without checking them.
class TSeSkinFilterCompressed : public TSeSkinFilter {
public:
    std::wstring FileExtension() const override { return L"kskn"; }
    std::wstring Description() const override { return L"Compressed Skin"; }
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

protected:
    void SaveCompressed(TStream& stream, TCompressionLevel level);
};

// The compressed container at the best level; read exactly like the compressed one.
class TSeSkinFilterUltraCompressed : public TSeSkinFilterCompressed {
public:
    std::wstring FileExtension() const override { return L"xskn"; }
    std::wstring Description() const override { return L"Ultra Compressed Skin"; }
    void SaveToStream(TStream& stream) override;
};

// A filter class: makes a new filter of one kind.
using TSeSkinFilterClass = std::unique_ptr<TSeSkinFilter> (*)();

// The registered filter classes in order: uncompressed, compressed, ultra compressed.
const std::vector<TSeSkinFilterClass>& SkinFilters();
// The filter class used wherever no extension decides: the compressed one.
TSeSkinFilterClass DefaultSkinFilter();
// The first registered class whose extension equals the file name's, ignoring case; none without.
TSeSkinFilterClass FilterForFile(const std::wstring& fileName);
