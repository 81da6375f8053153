#pragma once

#include "skinctl/KsButtonKinds.h"
#include "skinctl/KsPressableControls.h"

#include <memory>
#include <string>

// Where the glyph stands next to the caption.
enum TKsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// A push button with an optional glyph beside its caption, drawn in a plain look by itself. It is
// pressed by a left click or by Space, answers Enter as the form's default button and Escape as
// its cancel button, and sets the form's modal result when clicked.
class TKsCustomButton : public TKsPressableControl {
public:
    explicit TKsCustomButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    // Either way makes ModalResult 2. Escape clicks a cancel button whatever result it was given
    // afterwards, and any button whose result is 2.
    void SetCancel(bool value);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // The glyph: NumGlyphs cells side by side (normal, disabled, pressed, disabled while pressed).
    // Setting it takes a copy and, when its width is a whole multiple (1 to 4) of its height, that
    // multiple as NumGlyphs.
    // None when the button has no glyph. The glyph is given in design units and drawn at the
    // button's DPI: Glyph() is the drawn one.
    const TKsBitmap* Glyph() const { return glyph_.get(); }
    // An empty bitmap removes the glyph.
    void SetGlyph(const TKsBitmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    // Kept within 1..4.
    void SetNumGlyphs(int value);
    TKsButtonLayout Layout() const { return layout_; }
    void SetLayout(TKsButtonLayout value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool BlackAndWhiteGlyph() const { return blackAndWhiteGlyph_; }
    void SetBlackAndWhiteGlyph(bool value);
    TKsButtonKind Kind() const { return kind_; }
    // A standard kind sets Default, the caption (unless one was read with the button), ModalResult
    // and its glyph.
    void SetKind(TKsButtonKind kind);

    // True while the button answers Enter for its form.
    bool ShowsDefault() const { return showsDefault_; }

    // Sets the form's modal result to ModalResult, then runs OnClick.
    void Click() override;

protected:
    // Caption and glyph together, centred in the control (one pixel further while pressed).
    virtual TRect ContentBlock();
    virtual TRect CaptionArea();
    virtual TRect GlyphArea();
    virtual void PaintFrame();
    virtual void PaintGlyph();
    virtual void PaintCaption();
    void PaintFace() override;
    void ChangeScale(int fromDpi, int toDpi) override;

    // The face state a skin draws: disabled, pressed, hot, focused or default, normal.
    TSeState FaceState() const { return State().FaceState(Enabled(), showsDefault_); }
    // The glyph cell at the place the layout gives it.
    void DrawGlyph();
    // The caption centred in the caption area with the surface's current font.
    TRect CaptionTextRect();

    void PressCompleted() override { Click(); }
    void WndProc(TMessage& message) override;
    bool DialogKey(WORD key, TShiftState shift) override;
    bool DialogChar(wchar_t key) override;

private:
    // The content block split along the glyph's layout: the glyph's side (its cell and the spacing),
    // or the rest, which is the caption's.
    TRect GlyphCut(bool glyphSide);
    void GlyphChanged();
    void FocusChanged(TWinControl* focused);

    bool showsDefault_ = false;
    bool default_ = false;
    // The glyph as given, and as drawn at the button's DPI.
    std::unique_ptr<TKsBitmap> designGlyph_;
    std::unique_ptr<TKsBitmap> glyph_;
    TKsButtonLayout layout_ = blGlyphLeft;
    TKsButtonKind kind_ = bkCustom;
    int numGlyphs_ = 1;
    int spacing_ = 4;
    int modalResult_ = 0;
    bool blackAndWhiteGlyph_ = false;
    bool cancel_ = false;
    // The caption in the button's font (for the layout) and in the font it is drawn with.
    TKsTextExtent blockExtent_;
    TKsTextExtent captionExtent_;
};
