#include "skin/data/SkinPaintHelpers.h"

#include "framework/Handles.h"
#include "framework/TextConvert.h"


namespace {

bool HasWideApi() {
    static const bool nt = (::GetVersion() & 0x80000000u) == 0;  // the top bit marks the old 8-bit systems
    return nt;
}

}  // namespace

void PaintParentBackground(qx::TControl* control, HDC dc) {
    if (!control || !dc) return;
    qx::TWinControl* parent = control->Parent();
    if (!parent) return;
    qx::DcStateGuard state(dc);
    // The parent paints in its own client coordinates: shift them so the control's corner
    // lands on the context's origin, and keep the parent inside its client area.
    ::OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    ::IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    const WPARAM wp = reinterpret_cast<WPARAM>(dc);
    if (!control->HasState(qx::csDesigning)) {
        parent->Perform(WM_ERASEBKGND, wp, 0);
        parent->Perform(WM_PAINT, wp, 0);
        return;
    }
    // In the designer a parent that fails to paint must not take the designer down with it.
    try {
        parent->Perform(WM_ERASEBKGND, wp, 0);
        parent->Perform(WM_PAINT, wp, 0);
    } catch (...) {
        // Swallowed: the designer shows the control over whatever the parent managed to paint.
    }
}

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    if (HasWideApi()) return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    const std::string ansi = qx::WideToAnsi(text);
    return ::DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

bool TrackMouseLeave(HWND wnd) {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = wnd;
    track.dwHoverTime = HOVER_DEFAULT;
    return ::TrackMouseEvent(&track) != FALSE;
}

qx::TWinControl* ControlFromHandle(HWND wnd) { return wnd ? qx::FindControl(wnd) : nullptr; }
