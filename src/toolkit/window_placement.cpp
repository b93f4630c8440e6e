#include "toolkit/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace {
// Halves of pixel spans; the remainder is dropped. Computed in 64 bits so
// that absurd rectangles cannot overflow.
int Clamp(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}
} // namespace

DecodedWindowFlags DecodeWindowFlags(uint32_t flags)
{
    WindowPlacement placement = WindowPlacement::AtGivenPosition;
    if (flags & CentreOnActiveFlag)
        placement = WindowPlacement::CentredOnActiveWindow;
    else if (flags & CentreOnScreenFlag)
        placement = WindowPlacement::CentredOnScreen;

    uint32_t style = flags & ~(CentreOnScreenFlag | CentreOnActiveFlag);
    if (style == 0 || style == StartHiddenFlag)
        style |= CaptionStyle;
    style ^= VisibleStyle;
    return {placement, style};
}

int CentreOnScreen(int outer, int screen)
{
    return Clamp(int64_t{screen} / 2 - int64_t{std::min(outer, screen)} / 2);
}

int CentreOnSpan(int low, int high, int outer)
{
    const int64_t edge = int64_t{low} + (int64_t{high} - low) / 2 - int64_t{outer} / 2;
    return Clamp(std::max<int64_t>(edge, 0));
}
