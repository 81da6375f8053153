#include "skinwin/KsMessages.h"

#include "framework/Application.h"
#include "framework/Screen.h"

#include <algorithm>
#include <array>

// The layout of a new message dialog, in units of the dialog's font: margins and spacings scaled
// from the font's average character size, the text wrapped within half the screen's width, the
// icon at its left and the buttons centred below.

namespace {

struct TButtonSpec {
    const wchar_t* Name;
    const wchar_t* Caption;
    TKsButtonKind Kind;
};

constexpr std::array<TButtonSpec, kMessageButtonCount> kButtons{{
    {L"Yes", L"&Yes", bkYes},
    {L"No", L"&No", bkNo},
    {L"OK", L"OK", bkOK},
    {L"Cancel", L"Cancel", bkCancel},
    {L"Abort", L"&Abort", bkAbort},
    {L"Retry", L"&Retry", bkRetry},
    {L"Ignore", L"&Ignore", bkIgnore},
    {L"All", L"&All", bkAll},
    {L"NoToAll", L"N&o to All", bkNo},
    {L"YesToAll", L"Yes to &All", bkYes},
    {L"Help", L"&Help", bkHelp},
}};

// Each button caption's width plus 8 design pixels, measured the first time a dialog needs it and kept until a
// dialog comes with another font (a new skin) or reading order.
struct TButtonWidths {
    TFont Font;
    UINT ReadingOrder = 0;
    std::array<int, kMessageButtonCount> Widths{};

    void MeasuredWith(const TFont& font, UINT readingOrder)
    {
        if (Font.SameAs(font) && ReadingOrder == readingOrder) return;
        Font = font;
        ReadingOrder = readingOrder;
        Widths.fill(0);
    }
};
TButtonWidths measuredButtonWidths;

// The platform's icon of the type at size (shared: never destroyed).
HICON TypeIcon(TKsMessageType type, int size)
{
    const wchar_t* name = nullptr;
    switch (type) {
    case kmtWarning:
        name = IDI_EXCLAMATION;
        break;
    case kmtError:
        name = IDI_HAND;
        break;
    case kmtInformation:
        name = IDI_ASTERISK;
        break;
    case kmtConfirmation:
        name = IDI_QUESTION;
        break;
    default:
        return nullptr;
    }
    return static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, size, size, LR_SHARED));
}

// A screen drawing context with the dialog's font selected, for measuring.
class TMeasuring {
public:
    explicit TMeasuring(const TFont& font) : dc_(nullptr), select_(dc_.Get(), font.Handle()) {}
    HDC Get() const { return dc_.Get(); }

private:
    TWindowDC dc_;
    TSelectObject select_;
};

} // namespace

TKsMessageForm* TKsCustomMessage::CreateMessageDialog(const std::wstring& text, TKsMessageType type,
                                                      TKsMessageButtons buttons)
{
    auto dialog = std::make_unique<TKsMessageForm>(Application, *this);
    // Laid out in the pixels of the DPI at the screen's centre, where the dialog appears.
    dialog->ScaleToDpi(RectDpi(TRect::FromSize(Screen->Width() / 2, Screen->Height() / 2, 1, 1)));
    const int dpi = dialog->Dpi();
    const bool rightToLeft = dialog->BiDiMode() != bdLeftToRight;
    const UINT readingOrder = rightToLeft ? DT_RTLREADING | DT_RIGHT : 0;
    TMeasuring measuring(dialog->Font());
    HDC dc = measuring.Get();

    const std::wstring letters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE lettersSize{0, 0};
    GetTextExtentPoint32W(dc, letters.c_str(), static_cast<int>(letters.size()), &lettersSize);
    const int cw = lettersSize.cx / 52;
    const int ch = lettersSize.cy;
    const int horzMargin = MulDiv(30, cw, 4);
    const int vertMargin = MulDiv(15, ch, 8);
    const int horzSpacing = MulDiv(10, cw, 4);
    const int vertSpacing = MulDiv(10, ch, 8);
    int buttonWidth = MulDiv(50, cw, 4);
    const int buttonHeight = MulDiv(14, ch, 8);
    const int buttonSpacing = MulDiv(4, cw, 4);

    measuredButtonWidths.MeasuredWith(dialog->Font(), readingOrder);
    for (int b = 0; b < kMessageButtonCount; ++b) {
        if (!buttons.Contains(static_cast<TKsMessageButton>(b))) continue;
        int& measured = measuredButtonWidths.Widths[b];
        if (measured == 0) {
            RECT r{0, 0, 0, 0};
            DrawTextW(dc, kButtons[b].Caption, -1, &r, DT_CALCRECT | DT_LEFT | DT_SINGLELINE | readingOrder);
            measured = r.right - r.left + ScaleByDpi(8, dpi);
        }
        buttonWidth = std::max(buttonWidth, measured);
    }

    // A word longer than the line (a path without blanks) is broken between characters, as the
    // label draws it, so the text never reaches past half the screen.
    RECT textRect{0, 0, Screen->Width() / 2, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | readingOrder);
    const int textWidth = textRect.right - textRect.left;
    const int textHeight = textRect.bottom - textRect.top;

    const int iconSize = SystemMetricForDpi(SM_CXICON, dpi);
    HICON icon = showIconImage_ ? TypeIcon(type, iconSize) : nullptr;
    const int iconTextWidth = icon ? textWidth + horzSpacing + iconSize : textWidth;
    const int iconTextHeight = icon ? std::max(textHeight, iconSize) : textHeight;
    const int count = buttons.Count();
    const int groupWidth = count > 0 ? count * buttonWidth + (count - 1) * buttonSpacing : 0;
    int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * horzMargin;
    const int clientHeight = iconTextHeight + buttonHeight + vertSpacing + 2 * vertMargin;
    dialog->SetCaption(MessageTypeCaption(type));
    dialog->SetClientSize(clientWidth, clientHeight);
    // The caption shows the whole title between the frame's icon and buttons, however short the text.
    dialog->HandleNeeded();
    clientWidth += dialog->Frame()->CaptionShortfall(dialog->Caption());
    dialog->SetClientSize(clientWidth, clientHeight);
    dialog->SetBounds(Screen->Width() / 2 - dialog->Width() / 2, Screen->Height() / 2 - dialog->Height() / 2,
                      dialog->Width(), dialog->Height());

    if (icon) {
        auto* image = new TImage(dialog.get());
        image->SetName(L"Image");
        image->SetParent(dialog.get());
        image->SetBounds(horzMargin, vertMargin, iconSize, iconSize);
        image->SetIcon(icon);
    }

    auto* label = new TLabel(dialog.get());
    label->SetName(L"Message");
    label->SetParent(dialog.get());
    label->SetWordWrap(true);
    label->SetTransparent(true);
    label->SetBiDiMode(dialog->BiDiMode());
    label->SetCaption(text);
    int labelLeft = iconTextWidth - textWidth + horzMargin;
    if (rightToLeft) labelLeft = clientWidth - labelLeft - textWidth;
    label->SetBounds(labelLeft, vertMargin, textWidth, textHeight);

    TKsCustomButton* defaultButton = nullptr;
    TKsCustomButton* cancelButton = nullptr;
    TKsCustomButton* made[kMessageButtonCount] = {};
    int x = (clientWidth - groupWidth) / 2;
    const int y = iconTextHeight + vertMargin + vertSpacing;
    for (int b = 0; b < kMessageButtonCount; ++b) {
        if (!buttons.Contains(static_cast<TKsMessageButton>(b))) continue;
        TKsCustomButton* button = CreateButton(dialog.get());
        button->SetName(kButtons[b].Name);
        // The kind first: it would put its own caption over one given before it.
        button->SetKind(kButtons[b].Kind);
        button->SetCaption(kButtons[b].Caption);
        if (!showButtonGlyph_) button->SetGlyph(TKsBitmap());
        button->SetParent(dialog.get());
        button->SetBounds(x, y, buttonWidth, buttonHeight);
        x += buttonWidth + buttonSpacing;
        made[b] = button;
    }
    for (TKsMessageButton choice : {kmbOK, kmbYes, kmbRetry})
        if (!defaultButton) defaultButton = made[choice];
    for (TKsMessageButton choice : {kmbCancel, kmbNo, kmbOK})
        if (!cancelButton) cancelButton = made[choice];
    for (TKsCustomButton* button : made)
        if (button) button->SetDefault(button == defaultButton);
    if (cancelButton) {
        // Escape ends the dialog through this button with the result of its kind: an OK that is
        // also the cancel button still answers OK.
        const int result = cancelButton->ModalResult();
        cancelButton->SetCancel(true);
        cancelButton->SetModalResult(result);
    }
    dialog->SetCancelButton(cancelButton);
    if (defaultButton) dialog->SetActiveControl(defaultButton);
    return dialog.release();
}
