#pragma once

#include "FormFixture.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using TRows = std::vector<std::pair<std::wstring, std::wstring>>;

inline TRows Rows(TListView* list)
{
    TRows rows;
    for (int i = 0; i < list->RowCount(); ++i) rows.emplace_back(list->RowCaption(i), list->RowSubItem(i));
    return rows;
}

// A save dialog that answers with a given file at once, with no modal loop of its own.
class TAnsweredSaveDialog : public TSaveDialog {
public:
    TAnsweredSaveDialog(TComponent* owner, const std::wstring& fileName) : TSaveDialog(owner) { SetFileName(fileName); }
    bool Execute() override { return true; }
};

// The main window with a .cfg in its temporary folder, saved and loaded through the real file
// dialogs, answered by typing the file name.
class ConfigFixture : public FormFixture {
protected:
    static constexpr int kFileNameBox = 0x47C; // the file dialogs' file name box

    void SetUp() override
    {
        FormFixture::SetUp();
        file = tree.Root() + L"settings.cfg";
    }

    // Runs the command; returns the message it showed ("" when none) and lets errors through.
    std::wstring Save(const std::wstring& path)
    {
        return Run(L"選擇檔案儲存", path, [this] { form->CFGS1Click(); });
    }
    std::wstring Load(const std::wstring& path)
    {
        return Run(L"選擇檔案載入", path, [this] { form->CFGL1Click(); });
    }

    std::wstring Run(const std::wstring& dialog, const std::wstring& path, const std::function<void()>& command)
    {
        TModalDriver fileDialog;
        TModalDriver message;
        fileDialog.Expect(dialog, TModalDriver::SetTextAndPress(kFileNameBox, path, IDOK));
        message.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        command();
        EXPECT_TRUE(fileDialog.WaitDone());
        return message.WaitDone(1500) ? message.Texts().at(0) : L"";
    }

    // Runs the command, which must raise TError, and returns the error's text (empty when none was
    // raised). The command must show no message.
    template <typename TError>
    std::wstring RunRefused(const std::wstring& dialog, const std::wstring& path, const std::function<void()>& command)
    {
        TModalDriver fileDialog;
        TModalDriver message;
        fileDialog.Expect(dialog, TModalDriver::SetTextAndPress(kFileNameBox, path, IDOK));
        message.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        std::wstring text;
        try {
            command();
            ADD_FAILURE() << "no error raised";
        } catch (const TError& error) {
            text = error.Message();
        }
        EXPECT_TRUE(fileDialog.WaitDone());
        EXPECT_FALSE(message.WaitDone(1000)) << "a message was shown";
        return text;
    }

    std::wstring file;
};
