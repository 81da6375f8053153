#include "skin/engine/KsSkinEngine.h"

#include "framework/Application.h"
#include "framework/FlagScope.h"
#include "framework/Forms.h"
#include "framework/Screen.h"
#include "framework/SystemSettings.h"
#include "skin/engine/KsSkinScaling.h"

namespace {

constexpr uint8_t SkinStoredMarker = 2;

// Holds the source's changing flag for a scope, so that no path leaves lookups answering none.
class TChangingScope {
public:
    TChangingScope(TSeSkinSource& source, bool active) : source_(source), active_(active)
    {
        if (active_) source_.SetChanging(true);
    }
    ~TChangingScope() { End(); }
    TChangingScope(const TChangingScope&) = delete;
    TChangingScope& operator=(const TChangingScope&) = delete;

    bool Active() const { return active_; }
    void End()
    {
        if (active_) source_.SetChanging(false);
        active_ = false;
    }

private:
    TSeSkinSource& source_;
    bool active_;
};

} // namespace

TSeSkinEngine::TSeSkinEngine(TComponent* owner) : TComponent(owner), source_(new TSeSkinSource(this)) {}

TSeSkinSource* TSeSkinEngine::SourceForDpi(int dpi)
{
    if (dpi == kDesignDpi || dpi <= 0 || source_->Changing() || !source_->IsLoaded()) return source_;
    std::unique_ptr<TSeSkinSource>& scaled = scaledSources_[dpi];
    if (!scaled) scaled = ScaledSkinSource(*source_, dpi, dpi >= kArt200FromDpi ? Art200() : nullptr);
    return scaled.get();
}

void TSeSkinEngine::SetArt200Resource(HMODULE module, const wchar_t* name)
{
    DropArt200();
    art200Module_ = module;
    art200Name_ = name ? name : L"";
}

const TSeSkinSource* TSeSkinEngine::Art200()
{
    if (art200Read_ || !art200Module_) return art200_.get();
    art200Read_ = true;
    // The program carries it; without it the 96-DPI art is enlarged instead.
    if (!FindResourceW(art200Module_, art200Name_.c_str(), RT_RCDATA)) return nullptr;
    art200_ = std::make_unique<TSeSkinSource>(nullptr);
    TResourceStream store(art200Module_, art200Name_.c_str(), RT_RCDATA);
    art200_->LoadFromStream(store);
    art200_->ApplyHue(source_->RequestedHue());
    return art200_.get();
}

void TSeSkinEngine::DropArt200()
{
    art200_.reset();
    art200Read_ = false;
    art200Module_ = nullptr;
    art200Name_.clear();
}

void TSeSkinEngine::SetDeltaHue(int hue)
{
    if (hue == deltaHue_ && hue == source_->RequestedHue()) return;
    deltaHue_ = hue;
    if (!source_->IsLoaded() || changingHue_) return;
    TFlagScope changing(changingHue_);
    NotifyBeforeChange();
    source_->ApplyHue(hue);
    if (art200_) art200_->ApplyHue(hue);
    NotifyAfterChange();
}

void TSeSkinEngine::SetSkinFile(const std::wstring& fileName)
{
    skinFile_ = fileName;
    DropArt200();
    TChangingScope changing(*source_, source_->IsLoaded());
    if (changing.Active()) {
        NotifyBeforeChange();
        source_->Clear();
    }
    try {
        source_->LoadFromFile(fileName);
    } catch (...) {
        // Whatever was read is gone; clients are told so that they bind to nothing.
        source_->Clear();
        changing.End();
        NotifyAfterChange();
        throw;
    }
    changing.End();
    source_->ApplyHue(deltaHue_);
    NotifyAfterChange();
}

void TSeSkinEngine::ReadSkinStream(TStream& stream)
{
    if (stream.ReadByte() == 0) return;
    scaledSources_.clear();
    DropArt200();
    source_->LoadFromStream(stream);
    skinFile_.clear();
}

void TSeSkinEngine::ReadSkinResource(HMODULE module, const wchar_t* name)
{
    TResourceStream store(module, name, RT_RCDATA);
    scaledSources_.clear();
    DropArt200();
    source_->LoadFromStream(store);
    skinFile_.clear();
}

void TSeSkinEngine::WriteSkinStream(TStream& stream)
{
    bool loaded = source_->IsLoaded();
    stream.WriteByte(loaded ? SkinStoredMarker : 0);
    if (loaded) source_->SaveToStream(stream);
}

void TSeSkinEngine::SystemLookChanged()
{
    if (!RefreshHighContrast()) return;
    Broadcast(CM_SKINCHANGING);
    Broadcast(CM_SKINCHANGED);
}

void TSeSkinEngine::Loaded()
{
    TComponent::Loaded();
    if (OnAfterChange && source_->IsLoaded()) OnAfterChange(this);
}

void TSeSkinEngine::NotifyBeforeChange()
{
    if (OnBeforeChange) OnBeforeChange(this);
    Broadcast(CM_SKINCHANGING);
    // Every client has let go of its copies now; the scaled skins are made again from the new one.
    scaledSources_.clear();
}

void TSeSkinEngine::NotifyAfterChange()
{
    Broadcast(CM_SKINCHANGED);
    if (OnAfterChange) OnAfterChange(this);
}

void TSeSkinEngine::Broadcast(UINT message)
{
    if (!Screen) return;
    auto wParam = reinterpret_cast<WPARAM>(this);
    auto lParam = reinterpret_cast<LPARAM>(this);
    // Counts are read again on every step: a client may free forms or controls while it is told.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        SendMessageW(form->Handle(), message, wParam, lParam);
        for (int j = 0; j < form->ComponentCount(); ++j) {
            TComponent* component = form->Components(j);
            if (dynamic_cast<TWinControl*>(component) || dynamic_cast<TGraphicControl*>(component))
                static_cast<TControl*>(component)->Perform(message, wParam, lParam);
        }
        if (message == CM_SKINCHANGED) ProcessPendingMessages();
    }
    if (message == CM_SKINCHANGING) ProcessPendingMessages();
}

void TSeSkinEngine::ProcessPendingMessages()
{
    // A message handled here may change the skin again; that change's broadcast then leaves the
    // pending messages to this pass instead of pumping inside it.
    if (!Application || pumping_) return;
    TFlagScope pumping(pumping_);
    Application->ProcessMessages();
}
