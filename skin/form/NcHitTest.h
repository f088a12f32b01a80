// Hit-testing of a skinned frame: the default procedure's answer, corrected for the skin's
// caption and menu band. No GDI here.
#pragma once

#include "skin/form/FrameMetrics.h"

#include <windows.h>

// `defaultCode` is what the window's own procedure answered for the point, `pt` the point in
// window coordinates (0, 0 = the window's top-left corner). Border codes (HTLEFT,
// HTBOTTOMRIGHT, ...) and the client stay; nowhere and caption become caption below the top
// three rows, and menu below the caption when the window has a menu band. The system's own
// caption-button codes count as caption too: the skin hides those buttons (the style keeps
// their bits), so their places are plain caption.
LRESULT SkinHitCode(LRESULT defaultCode, POINT pt, const TFrameMetrics& m);
