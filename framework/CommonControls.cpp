#include "CommonControls.h"

#include <commctrl.h>

namespace qx {

void EnsureCommonControls(DWORD classes) {
    static DWORD registered = 0;
    if ((registered & classes) == classes) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
    if (::InitCommonControlsEx(&icc)) registered |= classes;
}

}  // namespace qx
