// The rows for raw child windows: windows of system dialogs and of other modules, known only by
// their class name and style.
#include "skin/controls/SkinClassify.h"

#include "framework/WindowText.h"
#include "skin/controls/SkinPropText.h"

namespace {

using K = TSkinWrapperKind;

TSkinAction WrapWindow(HWND window, K kind) {
    TSkinAction a;
    a.Type = TSkinActionType::saWrapWindow;
    a.Window = window;
    a.Wrapper = kind;
    return a;
}

std::wstring WindowClassLower(HWND window) { return LowerText(qx::ClassNameOf(window)); }

void DecideChildren(HWND window, TSkinActions& out, int depth);

void DecideWindowInto(HWND window, TSkinActions& out, int depth) {
    if (!window || !::IsWindow(window)) return;
    const std::wstring name = WindowClassLower(window);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    if (name == L"button") {
        // BS_OWNERDRAW (all of 0xB) draws itself: no row takes it.
        if ((style & 0xB) == 0xB) return;
        if ((style & 7) == 7 || (style & 0x80)) return;  // group box, picture buttons
        if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) out.push_back(WrapWindow(window, K::wkCheckBox));
        else if ((style & 9) == 9 || (style & 4)) out.push_back(WrapWindow(window, K::wkRadioButton));
        else out.push_back(WrapWindow(window, K::wkButton));
    } else if (name == L"combobox") {
        if ((style & 3) != 1) out.push_back(WrapWindow(window, K::wkComBox));
    } else if (name == L"comboboxex32") {
        if (HWND inner = ::GetWindow(window, GW_CHILD)) out.push_back(WrapWindow(inner, K::wkComBox));
    } else if (name == L"scrollbar") {
        if (!(style & WS_TABSTOP)) out.push_back(WrapWindow(window, K::wkSizer));
    } else if (name == L"#32770") {
        if (style & WS_TABSTOP) return;
        DecideChildren(window, out, depth);
        out.push_back(WrapWindow(window, K::wkBoxH));
    } else if (name == L"tpanel") {
        DecideChildren(window, out, depth);
        if (qx::TWinControl* control = qx::FindControl(window)) {
            TSkinAction a;
            a.Type = TSkinActionType::saFaceColour;
            a.Control = control;
            out.push_back(a);
        }
    } else if (name == L"tcheckbox") {
        out.push_back(WrapWindow(window, K::wkCheckBox));
    } else if (name == L"tcombobox") {
        out.push_back(WrapWindow(window, K::wkComBox));
    } else if (name == L"tbutton") {
        out.push_back(WrapWindow(window, K::wkButton));
    } else if (name == L"tprogressbar") {
        out.push_back(WrapWindow(window, K::wkProgress));
    } else if (name == L"tsilentpaintpanel") {
        if (qx::TWinControl* control = qx::FindControl(window)) {
            TSkinAction a;
            a.Type = TSkinActionType::saFaceColour;
            a.Control = control;
            out.push_back(a);
        }
    } else if (name == L"systabcontrol32") {
        if (!(style & 0x2000)) out.push_back(WrapWindow(window, K::wkTab));
    } else if (name == L"edit") {
        out.push_back(WrapWindow(window, K::wkEdit));
    }
    // "systreeview32", "toolbarwindow32" and every other class: nothing.
}

// Nested dialogs deeper than any real one are left alone rather than recursed into forever.
constexpr int kMaxDialogDepth = 32;

void DecideChildren(HWND window, TSkinActions& out, int depth) {
    if (depth >= kMaxDialogDepth) return;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) DecideWindowInto(child, out, depth + 1);
}

}  // namespace

TSkinActions DecideWindow(HWND window) {
    TSkinActions out;
    DecideWindowInto(window, out, 0);
    return out;
}
