#include "skinwin/KsMessages.h"

#include "framework/Application.h"
#include "framework/Clipboard.h"
#include "framework/Text.h"

#include <memory>

// The message component's operations and the dialog form. The layout of a new dialog is in
// KsMessagesLayout.cpp.

TKsMessageForm::TKsMessageForm(TComponent* owner, TKsCustomMessage& message) : TForm(owner)
{
    BeginLoading();
    SetPosition(poScreenCenter);
    SetBorderStyle(fbsSingle);
    frame_ = message.CreateFrame(this);
    frame_->SetBorderStyle(kbsStandard);
    frame_->SetCanResize(false);
    frame_->SetCanMove(false);
    frame_->SetBorderIcons({kbiClose, kbiSystemMenu});
    frame_->SetBlend(message.Blend());
    frame_->SetBlendValue(message.BlendValue());
    frame_->SetCanMove(message.CanMove());
    frame_->SetDropShadow(message.DropShadow());
    frame_->SetShadowWidth(message.ShadowWidth());
    frame_->SetShowAnimation(message.ShowAnimation());
    frame_->SetShowAnimationTime(message.ShowAnimationTime());
    frame_->SetSimpleDrag(message.SimpleDrag());
    frame_->SetBorderIcons(message.BorderIcons());
    frame_->SetActive(true);
    EndLoading();
}

void TKsMessageForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.ClassName = L"Folvane.MessageForm";
}

std::wstring TKsMessageForm::PlainText() const
{
    const std::wstring rule = L"---------------------------\r\n";
    std::wstring text = rule + Caption() + L"\r\n" + rule;
    if (auto* label = dynamic_cast<TLabel*>(FindComponent(L"Message"))) text += label->Caption() + L"\r\n";
    text += rule;
    std::wstring buttons;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* button = dynamic_cast<TKsCustomButton*>(Controls(i)))
            buttons += (buttons.empty() ? L"" : L"   ") + StripHotkey(button->Caption());
    return text + buttons + L"\r\n" + rule;
}

bool TKsMessageForm::IsShortCut(WPARAM key, LPARAM keyData)
{
    if ((key == 'C' || key == VK_INSERT) && (KeyboardShiftState() & (ssShift | ssCtrl | ssAlt)) == ssCtrl) {
        Perform(WM_COPY, 0, 0);
        return true;
    }
    return TForm::IsShortCut(key, keyData);
}

void TKsMessageForm::WndProc(TMessage& message)
{
    if (message.Msg == WM_COPY) {
        // A clipboard held by another program leaves the copy undone, as a platform message box does.
        TrySetClipboardText(Handle(), PlainText());
        return;
    }
    TForm::WndProc(message);
}

// ---- the component ----

TKsCustomMessage::TKsCustomMessage(TComponent* owner) : TComponent(owner) {}

TKsCustomButton* TKsCustomMessage::CreateButton(TCustomForm* owner) { return new TKsCustomButton(owner); }

TKsCustomForm* TKsCustomMessage::CreateFrame(TCustomForm* owner) { return new TKsCustomForm(owner); }

int TKsCustomMessage::ShowDialog(const std::wstring& text, TKsMessageType type, TKsMessageButtons buttons,
                                 int helpContext, int x, int y, const std::wstring& helpFile)
{
    std::unique_ptr<TKsMessageForm> dialog(CreateMessageDialog(text, type, buttons));
    dialog->SetHelpContext(helpContext);
    dialog->SetHelpFile(helpFile);
    if (x < 0 && y < 0) {
        dialog->SetPosition(position_);
    } else {
        dialog->SetPosition(poDefault);
        dialog->SetBounds(x >= 0 ? x : dialog->Left(), y >= 0 ? y : dialog->Top(), dialog->Width(), dialog->Height());
    }
    Application->ProcessMessages();
    dialog->Frame()->UpdateLayout();
    return dialog->ShowModal();
}

void TKsCustomMessage::ShowMessageAt(const std::wstring& text, int x, int y)
{
    ShowDialog(text, kmtCustom, {kmbOK}, 0, x, y);
}

void TKsCustomMessage::ShowMessage(const std::wstring& text) { ShowMessageAt(text, -1, -1); }

std::wstring MessageTypeCaption(TKsMessageType type)
{
    switch (type) {
    case kmtWarning:
        return L"Warning";
    case kmtError:
        return L"Error";
    case kmtInformation:
        return L"Information";
    case kmtConfirmation:
        return L"Confirm";
    default:
        return Application ? Application->Title() : std::wstring();
    }
}
