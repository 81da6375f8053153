#include "skinctl/KsEditIme.h"

#include <imm.h>

namespace {

// ImmGetContext / ImmReleaseContext around a scope.
class TInputContext {
public:
    explicit TInputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    TInputContext(const TInputContext&) = delete;
    TInputContext& operator=(const TInputContext&) = delete;
    ~TInputContext()
    {
        if (context_) ImmReleaseContext(window_, context_);
    }
    HIMC Get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

} // namespace

void PlaceImeWindows(HWND window, TPoint caret, int caretHeight, const TFont& font)
{
    TInputContext context(window);
    if (!context.Get()) return;

    LOGFONTW logFont{};
    if (GetObjectW(font.Handle(), sizeof(logFont), &logFont)) ImmSetCompositionFontW(context.Get(), &logFont);

    COMPOSITIONFORM composition{};
    composition.dwStyle = CFS_POINT;
    composition.ptCurrentPos = POINT{caret.X, caret.Y};
    ImmSetCompositionWindow(context.Get(), &composition);

    CANDIDATEFORM candidate{};
    candidate.dwIndex = 0;
    candidate.dwStyle = CFS_CANDIDATEPOS;
    candidate.ptCurrentPos = POINT{caret.X, caret.Y + caretHeight};
    ImmSetCandidateWindow(context.Get(), &candidate);
}
