#pragma once

#include "framework/Component.h"
#include "framework/Messages.h"
#include "framework/Streams.h"
#include "skin/engine/KsSkinSource.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

class TSeSkinEngine;
using TSeSkinEngineEvent = std::function<void(TSeSkinEngine* sender)>;

// The component that owns the loaded skin, loads it from the form's stored skin or from a skin
// file, shifts its hue, and tells every form on the screen and every control they own before the
// skin goes away and after a new one is in place. It keeps no list of clients.
class TSeSkinEngine : public TComponent {
public:
    explicit TSeSkinEngine(TComponent* owner);

    // Hue offset of the whole skin in 1/255 of the colour circle.
    int DeltaHue() const { return deltaHue_; }
    void SetDeltaHue(int hue);
    // A skin file to load; setting it replaces the skin (nothing is loaded when the file is missing).
    const std::wstring& SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::wstring& fileName);
    // What the stored skin is called at run time; it cannot be set.
    std::wstring SkinStore() const { return L"(none)"; }
    // Kept and read back only: the stored skin always uses the compressed container.
    bool SkinStoreCompression() const { return skinStoreCompression_; }
    void SetSkinStoreCompression(bool value) { skinStoreCompression_ = value; }
    std::wstring Version() const { return L"2.9.0"; }

    TSeSkinEngineEvent OnBeforeChange;
    TSeSkinEngineEvent OnAfterChange;

    TSeSkinSource* Source() const { return source_; }
    // The skin as it is drawn at dpi: the loaded skin itself at 96 DPI and while it is changing or
    // empty, else a copy scaled for dpi, made on first use and kept until the skin changes.
    TSeSkinSource* SourceForDpi(int dpi);
    bool IsSkinLoaded() const { return source_->IsLoaded(); }

    // The stored skin of the form: a marker byte (0 none, anything else a skin follows; 2 is
    // written) and then the compressed container.
    void ReadSkinStream(TStream& stream);
    void WriteSkinStream(TStream& stream);
    // Reads a compressed container that the program carries as an RT_RCDATA resource, as the
    // stored skin of a form is read.
    void ReadSkinResource(HMODULE module, const wchar_t* name);
    // The same skin with its bitmaps drawn at 200 %, as another RT_RCDATA resource of the program:
    // the copies for screens of 175 % and more take their bitmaps from it. It is read when first
    // needed and belongs to the skin read last; loading another skin drops it.
    void SetArt200Resource(HMODULE module, const wchar_t* name);

    // A form heard that system settings or colours changed: the high-contrast setting is read
    // again. When it changed, every form and control is told as around a skin change, and takes the
    // skin again or leaves it for its plain look in the system's colours (new colours alone need no
    // telling: the platform repaints every window, and the plain looks read the colours as they
    // paint). OnBeforeChange and OnAfterChange stay silent: the skin is the same.
    void SystemLookChanged();

protected:
    // Fires OnAfterChange once when the form's loading left a skin in place.
    void Loaded() override;

private:
    void NotifyBeforeChange();
    void NotifyAfterChange();
    void Broadcast(UINT message);
    void ProcessPendingMessages();

    TSeSkinSource* source_;
    // The copies for other DPIs; their objects draw from their own bitmaps.
    std::map<int, std::unique_ptr<TSeSkinSource>> scaledSources_;
    // The skin drawn at 200 %: where it is, and once read (none when it could not be).
    const TSeSkinSource* Art200();
    void DropArt200();
    HMODULE art200Module_ = nullptr;
    std::wstring art200Name_;
    std::unique_ptr<TSeSkinSource> art200_;
    bool art200Read_ = false;
    int deltaHue_ = 0;
    std::wstring skinFile_;
    bool skinStoreCompression_ = false;
    bool changingHue_ = false;
    bool pumping_ = false;
};
