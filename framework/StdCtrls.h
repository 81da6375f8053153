#pragma once

#include "framework/Controls.h"
#include "framework/StringList.h"

#include <functional>
#include <string>

// A window-less, transparent text on its parent.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // Breaks the caption into lines at word boundaries to fit the label's width (a word longer than
    // the width between characters).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

protected:
    void Paint() override;

private:
    bool transparent_ = true;
    bool wordWrap_ = false;
};

// A window-less picture on its parent: an icon drawn at the top left at the control's size.
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);

    // The icon is not owned: it is one of the system's shared icons or outlives the image.
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);

protected:
    void Paint() override;

private:
    HICON icon_ = nullptr;
};

// A single-line text box.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    // Text() and SetText() of TControl read and replace the box's text.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    std::function<void()> OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    TBorderStyle borderStyle_ = bsSingle;
    bool readOnly_ = false;
};

// A push button; OnClick runs when it is pressed.
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// A text box with a drop-down list of items.
class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);

    // The items of the drop-down list; changes show at once.
    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    // Index of the selected item, or -1 when the text is not one of them.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The height is the closed box's; the platform box takes it through its selection field height.
    void SetBounds(int left, int top, int width, int height) override;

    std::function<void()> OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowState() override;
    void SaveWindowState() override;
    void WndProc(TMessage& message) override;
    void SetTextValue(const std::wstring& text) override;

private:
    void FillItems();
    void FitHeight();
    void AdjustDropDownHeight();

    TStringList items_;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int itemHeight_ = 13;
    int itemIndex_ = -1;
    int requestedHeight_ = 21;
};
