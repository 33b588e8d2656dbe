// Conversions between the window system's rectangles and the placement arithmetic's.
#pragma once

#include <windows.h>

#include "placement/geometry.h"

inline Rect ToRect(const RECT &r)
{
    return Rect{r.left, r.top, r.right, r.bottom};
}

inline RECT ToRECT(const Rect &r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}
