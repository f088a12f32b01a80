#include "skin/form/NcHitTest.h"

namespace {

bool IsCaptionLike(LRESULT code) {
    switch (code) {
    case HTNOWHERE:
    case HTCAPTION:
    case HTSYSMENU:
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
        return true;
    default:
        return false;
    }
}

}  // namespace

LRESULT SkinHitCode(LRESULT defaultCode, POINT pt, const TFrameMetrics& m) {
    if (!IsCaptionLike(defaultCode)) return defaultCode;
    LRESULT code = defaultCode;
    // The top rows keep what the default said, so the window can still be sized from there.
    if (pt.y > 3) code = HTCAPTION;
    if (pt.y > m.Top && m.Menu > 0) code = HTMENU;
    // A system button code in the top rows would start the system's button tracking.
    if (code != HTNOWHERE && code != HTCAPTION && code != HTMENU) code = HTCAPTION;
    return code;
}
