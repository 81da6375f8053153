#pragma once

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/engine/KsSkinEngine.h"
#include "skinctl/KsSkinButtons.h"
#include "skinctl/KsSkinEdits.h"
#include "skinctl/KsSkinListBoxs.h"
#include "skinwin/KsSkinForms.h"

#include <string>
#include <vector>

// The dialog that edits the folder-name patterns a run leaves out: the patterns in a list, a box
// for a new one with its add button, a delete button for the chosen one, OK and Cancel, all drawn
// through the skin of the main window's engine. Enter in the box adds what it holds; elsewhere
// Enter is OK. Escape is Cancel, Delete in the list deletes the chosen pattern.
class TExclusionsDialog : public TForm {
public:
    TExclusionsDialog(TComponent* owner, TSeSkinEngine* engine, const std::vector<std::wstring>& patterns);

    TLabel* Label1 = nullptr;
    TSeSkinEdit* Edit1 = nullptr;
    TSeSkinButton* AddButton = nullptr;
    TSeSkinListBox* ListBox1 = nullptr;
    TSeSkinButton* DeleteButton = nullptr;
    TSeSkinButton* OKButton = nullptr;
    TSeSkinButton* CancelButton = nullptr;
    TSeSkinForm* SkinForm1 = nullptr;

    // The patterns as edited so far.
    const std::vector<std::wstring>& Patterns() const { return patterns_; }

    // Adds the box's pattern, trimmed, and empties the box for the next one. A blank pattern or one
    // listed already is not added: the listed one becomes the chosen one and the box's text is
    // selected, so that typing replaces it.
    void AddButtonClick();
    // Deletes the chosen pattern; the one after it (or the new last one) becomes the chosen one.
    void DeleteButtonClick();

protected:
    bool DialogKey(WORD key, TShiftState shift) override;

private:
    std::vector<std::wstring> patterns_;
};

// Shows the dialog modally over owner. OK gives patterns the edited list and returns true; Cancel,
// Escape or closing the dialog leave them as they were and return false.
bool EditExcludePatterns(TCustomForm* owner, TSeSkinEngine* engine, std::vector<std::wstring>& patterns);
