#include "skin/controls/SkinEdit.h"

#include "framework/WindowText.h"
#include "skin/controls/SkinEditPaint.h"
#include "skin/controls/SkinPropText.h"
#include "skin/controls/SkinSubWrappers.h"
#include "skin/data/SkinData.h"

QX_DEFINE_CLASS(TSkinEdit, TSkinControl, b) {}

namespace {


}  // namespace

bool IsUpDownClassName(const std::wstring& className) {
    const std::wstring lower = LowerText(className);
    return lower == L"msctls_updown32" || lower.find(L"spin") != std::wstring::npos ||
           lower.find(L"updown") != std::wstring::npos;
}

TSkinEdit::TSkinEdit(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinEdit::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == qx::TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
}

// The edit control clips a context it is given to its text area and leaves it so; the
// border is drawn outside that area, so the clip it had before is put back first.
void TSkinEdit::KeepClip(HDC dc) {
    FClip.reset(::CreateRectRgn(0, 0, 0, 0));
    FHadClip = FClip && ::GetClipRgn(dc, FClip.get()) == 1;
}

void TSkinEdit::RestoreClip(HDC dc) {
    ::SelectClipRgn(dc, FHadClip ? FClip.get() : nullptr);
    FClip.reset();
    FHadClip = false;
}

bool TSkinEdit::BeforeMessage(qx::TMessage& m) {
    if ((m.Msg == WM_PAINT || m.Msg == WM_PRINT) && m.WParam) KeepClip(reinterpret_cast<HDC>(m.WParam));
    return TSkinControl::BeforeMessage(m);
}

// The system draws the edit (its 3D edge included) first; the skin border goes on top.
// WM_NCPAINT too: the system redraws the edge alone when only the frame was uncovered.
void TSkinEdit::AfterMessage(qx::TMessage& m) {
    const HDC given = reinterpret_cast<HDC>(m.WParam);
    switch (m.Msg) {
    case WM_PAINT:
        if (given && FClip) RestoreClip(given);
        PaintWindow(given);
        return;
    case WM_NCPAINT: PaintWindow(nullptr); return;
    case WM_PRINT:
        if (given && FClip) RestoreClip(given);
        Print(given);
        return;
    default: TSkinControl::AfterMessage(m);
    }
}

void TSkinEdit::Paint(HDC dc, const RECT& r) {
    if (FSkinData && InSet(FSkinData->SkinControls(), xcSpin) && !FUpDown) WrapEmbeddedUpDown();
    RECT client{};
    if (!FWindow || !::GetClientRect(FWindow, &client) || !EditHasBorder(r, client)) return;
    const qx::TColor shadow = FSkinData ? FSkinData->ButtonShadow : qx::clBtnShadow;
    PaintEditBorder(dc, r, qx::ColorToRGB(shadow));
}

void TSkinEdit::Print(HDC dc) {
    RECT window{}, client{};
    if (!dc || !FWindow || !::GetWindowRect(FWindow, &window) || !::GetClientRect(FWindow, &client)) return;
    ::OffsetRect(&window, -window.left, -window.top);
    if (!EditPrintsBorder(window, client)) return;
    const qx::TColor shadow = FSkinData ? FSkinData->ButtonShadow : qx::clBtnShadow;
    PrintEditBorder(dc, window, qx::ColorToRGB(shadow));
}

// The first child whose class names an up-down gets a wrapper, attached by handle. One that is
// skinned already (a framework up-down the classification wrapped) is left as it is.
void TSkinEdit::WrapEmbeddedUpDown() {
    for (HWND child = ::GetWindow(FWindow, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsUpDownClassName(qx::ClassNameOf(child))) continue;
        if (::SendMessageW(child, SKN_QUERY, 0, 0) == 1) return;
        FUpDown = MakeEmbeddedUpDown(Owner());
        if (!FUpDown) return;
        FUpDown->FreeNotification(this);
        FUpDown->AttachWindow(child, FSkinData, FForm, FCanvas);
        return;
    }
}
