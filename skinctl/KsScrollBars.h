#pragma once

#include "framework/Timer.h"
#include "skinctl/KsControls.h"
#include "skinctl/KsScrollBarGeometry.h"

#include <functional>

enum TScrollBarKind { sbHorizontal, sbVertical };

// What moved the bar, as OnScroll reports it.
enum TKsScrollCode {
    kscLineUp, kscLineDown, kscPageUp, kscPageDown, kscThumbPosition, kscThumbTrack, kscTop, kscBottom, kscEndScroll
};

// The arrow buttons, the page areas before and after the thumb, and the thumb.
enum TKsScrollPart { kspNone, kspArrow1, kspArrow2, kspPageBefore, kspPageAfter, kspThumb };

// A scroll bar without a window of its own, drawn into its paint buffer: two arrow buttons, a track
// and a thumb. Holding an arrow or the track repeats the step at the keyboard's repeat delay and
// rate; dragging the thumb tracks the position. Its owner may forward keys to it (Step) and let it
// scroll on its own while the pointer is beyond the owner's edge (auto-repeat).
class TKsCustomScrollBar : public TKsGraphicControl {
public:
    explicit TKsCustomScrollBar(TComponent* owner);

    int Position() const { return position_; }
    // Clamped to Min..Max (a page may start at Max); fires OnChange when the value changed.
    void SetPosition(int position);
    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    // At most Max - Min + 1; a negative size is ignored.
    int PageSize() const { return pageSize_; }
    void SetPageSize(int pageSize);
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int change);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int change);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind kind);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool show);

    // Takes the standard thickness across the bar: its width when vertical, its height when horizontal.
    void SetStandardThickness();
    virtual int StandardThickness() const;

    // One step for a key: Page Up/Down, End, Home, Left/Up, Right/Down; other keys do nothing.
    // The new position passes through OnScroll, which may change it.
    void Step(WORD key);

    // While on, the repeat timer steps one line up (or down) on every tick, whatever the mouse does.
    bool AutoRepeatUp() const { return autoRepeatUp_; }
    bool AutoRepeatDown() const { return autoRepeatDown_; }
    void SetAutoRepeatUp(bool on);
    void SetAutoRepeatDown(bool on);
    // True while the repeat timer runs.
    bool Repeating() const;

    void Invalidate() override;

    // The parts for the current size and values, and the part at a point of the bar.
    TKsScrollBarGeometry Geometry() const;
    TKsScrollPart PartAt(int x, int y) const;
    bool ThumbHeld() const { return dragOffset_ >= 0; }
    bool PartHot(TKsScrollPart part) const;
    bool PartPressed(TKsScrollPart part) const;

    std::function<void()> OnChange;
    std::function<void(TKsScrollCode code, int& scrollPos)> OnScroll;

protected:
    // The arrow length the look asks for; the platform's scroll-thumb size unless a skin says otherwise.
    virtual int ArrowMetric() const;
    virtual void PaintBarBorder();
    virtual void PaintTrack(const TRect& track);
    virtual void PaintArrow(TKsScrollPart arrow, const TRect& rect);
    virtual void PaintThumb(const TRect& rect);
    // Fills a page area that is held down.
    virtual void PaintPressedPage(const TRect& rect);
    // The skin object state of a part: 8 disabled, 6 pressed (or the thumb held), 5 hot, else 0.
    int PartState(TKsScrollPart part) const;
    // Made on the first press of an arrow or page area (or the first auto-repeat).
    TTimer* RepeatTimer() const { return repeatTimer_; }

    void PaintFace() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void WndProc(TMessage& message) override;

private:
    struct TPartFlags {
        bool Arrow1 = false;
        bool Arrow2 = false;
        bool PageBefore = false;
        bool PageAfter = false;
        bool Thumb = false;
    };

    // Max - Min + 1, the most a page can cover; the largest int when the range is wider.
    int PositionCount() const;
    int Scroll(TKsScrollCode code, int position);
    // Releases whatever the left button held: the thumb (reporting its final position), the arrows
    // and page areas and their repeating, then reports the end of scrolling.
    void EndPress();
    // Recomputes the hot flags at (x, y); true when any changed.
    bool UpdateHot(int x, int y);
    void StartRepeating();
    void RepeatTick();
    void StopTimer();
    static bool AnySet(const TPartFlags& flags);

    int lastX_ = -1;
    int lastY_ = -1;
    TTimer* repeatTimer_ = nullptr;
    int dragOffset_ = -1;
    TPartFlags hot_;
    TPartFlags pressed_;
    int position_ = 0;
    int min_ = 0;
    int borderWidth_ = 1;
    int max_ = 100;
    int pageSize_ = 0;
    TScrollBarKind kind_ = sbHorizontal;
    bool showButtons_ = true;
    int largeChange_ = 1;
    int smallChange_ = 1;
    bool autoRepeatUp_ = false;
    bool autoRepeatDown_ = false;
};

// The platform's scroll-thumb size at dpi: the standard thickness of a bar without border.
int ScrollThumbMetric(int dpi = kDesignDpi);
