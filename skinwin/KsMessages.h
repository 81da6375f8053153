#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skinctl/KsButtons.h"
#include "skinwin/KsForms.h"

#include <bit>
#include <string>

// The kinds of message: each gives the dialog its caption and icon.
enum TKsMessageType { kmtWarning, kmtError, kmtInformation, kmtConfirmation, kmtCustom };

// The buttons a message can offer, in the order they stand in the dialog.
enum TKsMessageButton {
    kmbYes,
    kmbNo,
    kmbOK,
    kmbCancel,
    kmbAbort,
    kmbRetry,
    kmbIgnore,
    kmbAll,
    kmbNoToAll,
    kmbYesToAll,
    kmbHelp
};
constexpr int kMessageButtonCount = kmbHelp + 1;

// A set of message buttons: bit n for the n-th value.
class TKsMessageButtons {
public:
    constexpr TKsMessageButtons() = default;
    constexpr TKsMessageButtons(std::initializer_list<TKsMessageButton> buttons)
    {
        for (TKsMessageButton button : buttons) bits_ |= 1u << button;
    }
    constexpr bool Contains(TKsMessageButton button) const { return (bits_ >> button) & 1u; }
    constexpr int Count() const { return std::popcount(bits_); }

private:
    unsigned bits_ = 0;
};

class TKsCustomMessage;

// The form of one message: icon, word-wrapped text and a centred row of buttons, framed by the
// message component's frame. Made for one showing and freed after it. WM_COPY (and Ctrl+C or
// Ctrl+Insert) puts its caption, text and buttons on the clipboard as plain text.
class TKsMessageForm : public TForm {
public:
    TKsMessageForm(TComponent* owner, TKsCustomMessage& message);

    TKsCustomForm* Frame() const { return frame_; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    const std::wstring& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::wstring& value) { helpFile_ = value; }
    // The button that ends the dialog as the cancel would; none when no such button was asked for.
    TKsCustomButton* CancelButton() const { return cancelButton_; }
    void SetCancelButton(TKsCustomButton* button) { cancelButton_ = button; }

    // The dialog's caption, text and button captions as the clipboard gets them.
    std::wstring PlainText() const;

    bool IsShortCut(WPARAM key, LPARAM keyData) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // A dialog whose message is its description and first child.
    TAccessibleObject* CreateAccessible(LONG objectId) override;

private:
    TKsCustomForm* frame_;
    TKsCustomButton* cancelButton_ = nullptr;
    int helpContext_ = 0;
    std::wstring helpFile_;
};

// The message dialog component: settings for the frame of every dialog it shows, and the
// operations that build, lay out and run one dialog modally. This class makes plain buttons and a
// plain frame; TSeSkinMessage makes skinned ones.
class TKsCustomMessage : public TComponent {
public:
    explicit TKsCustomMessage(TComponent* owner);

    bool Blend() const { return blend_; }
    void SetBlend(bool value) { blend_ = value; }
    int BlendValue() const { return blendValue_; }
    void SetBlendValue(int value) { blendValue_ = value; }
    TKsBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TKsBorderIcons value) { borderIcons_ = value; }
    bool CanMove() const { return canMove_; }
    void SetCanMove(bool value) { canMove_ = value; }
    bool DropShadow() const { return dropShadow_; }
    void SetDropShadow(bool value) { dropShadow_ = value; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    int ShadowWidth() const { return shadowWidth_; }
    void SetShadowWidth(int value) { shadowWidth_ = value; }
    bool ShowButtonGlyph() const { return showButtonGlyph_; }
    void SetShowButtonGlyph(bool value) { showButtonGlyph_ = value; }
    bool ShowIconImage() const { return showIconImage_; }
    void SetShowIconImage(bool value) { showIconImage_ = value; }
    TKsAnimation ShowAnimation() const { return showAnimation_; }
    void SetShowAnimation(TKsAnimation value) { showAnimation_ = value; }
    int ShowAnimationTime() const { return showAnimationTime_; }
    void SetShowAnimationTime(int value) { showAnimationTime_ = value; }
    bool SimpleDrag() const { return simpleDrag_; }
    void SetSimpleDrag(bool value) { simpleDrag_ = value; }

    // A new dialog, laid out and centred on the screen but not shown; the caller owns it.
    TKsMessageForm* CreateMessageDialog(const std::wstring& text, TKsMessageType type, TKsMessageButtons buttons);
    // Shows a new dialog modally and returns its modal result. With x and y both negative the
    // dialog takes Position; otherwise its left becomes x when x >= 0 and its top y when y >= 0.
    int ShowDialog(const std::wstring& text, TKsMessageType type, TKsMessageButtons buttons, int helpContext, int x,
                   int y, const std::wstring& helpFile = L"");
    // A custom message with the application's title as caption and one OK button.
    void ShowMessageAt(const std::wstring& text, int x, int y);
    void ShowMessage(const std::wstring& text);

    // The parts of a dialog, made for the dialog form that owns them.
    virtual TKsCustomButton* CreateButton(TCustomForm* owner);
    virtual TKsCustomForm* CreateFrame(TCustomForm* owner);

private:
    bool blend_ = false;
    int blendValue_ = 200;
    TKsBorderIcons borderIcons_{kbiClose, kbiSystemMenu};
    bool canMove_ = true;
    bool dropShadow_ = false;
    TPosition position_ = poScreenCenter;
    int shadowWidth_ = 4;
    bool showButtonGlyph_ = true;
    bool showIconImage_ = true;
    TKsAnimation showAnimation_ = kaNone;
    int showAnimationTime_ = 300;
    bool simpleDrag_ = false;
};

// The caption a message type gives its dialog ("Warning", "Error", "Information", "Confirm"); the
// custom type takes the application's title.
std::wstring MessageTypeCaption(TKsMessageType type);
