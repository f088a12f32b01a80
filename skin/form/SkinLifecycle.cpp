// Re-applying a changed skin, and letting go of a skinned window: the whole detach when the
// skin is switched off, the light one when only the controls were skinned, and what is left
// to do when the window itself goes away.
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

void TWinSkinForm::SkinChanged() {
    if (!FSkinData) return;
    if (FForm) {
        FForm->SetColor(FSkinData->ButtonFace);
        for (int i = 0; i < FForm->ComponentCount(); ++i)
            if (auto* owned = dynamic_cast<qx::TCustomForm*>(FForm->Components(i))) owned->SetColor(FSkinData->ButtonFace);
    }
    for (TFormControl* wrapper : std::vector<TFormControl*>(FControls)) wrapper->SkinChanged();
    FState = kFormReskinning;
    if (FSkinFrame && FForm) {
        HookFormMenus(true);
        ResizeKeepingClient(false);
        // Nudge the form so it lays its controls out again for the new frame.
        FForm->SetHeight(FForm->Height() + 1);
        FForm->SetHeight(FForm->Height() - 1);
    }
    FState = kFormActive;
}

void TWinSkinForm::ReleaseWrappers() {
    std::vector<TFormControl*> wrappers;
    wrappers.swap(FControls);
    for (TFormControl* wrapper : wrappers) {
        if (!wrapper->Closed()) wrapper->Detach();
        wrapper->ReleaseToolbarHandlers();
        delete wrapper;
    }
}

void TWinSkinForm::RestoreWindowProc() {
    if (FFormHooked) {
        if (FForm) FForm->WindowProc = FOldFormProc;
        FFormHooked = false;
    }
    FSubclass.Release();
}

void TWinSkinForm::RestoreFormMenus() { HookFormMenus(false); }

void TWinSkinForm::Detach() {
    if (FCaption.HoverTimer) FCaption.HoverTimer->SetEnabled(false);
    FSysMenu.Menu.reset();
    const bool wasSubclassed = Subclassed();
    RestoreWindowProc();
    // The form's colour first: wrappers that give a control back its tie to the parent's
    // colour then tie it to the form's own colour, not the skin's.
    if (FForm && FColorSet && FState != kFormDestroying) FForm->SetColor(FOldColor);
    FColorSet = false;
    ReleaseWrappers();
    RestoreFormMenus();
    ForgetMDIClient();
    DetachMenus(true);
    if (!FSkinFrame) {
        // Only the controls were skinned: they paint themselves again.
        if (FForm && FState != kFormDestroying && FForm->HandleAllocated())
            ::RedrawWindow(FForm->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    if (!wasSubclassed || !FHandle || !::IsWindow(FHandle)) return;
    if (FBorderIcons & kIconSystemMenu) SetStyle(static_cast<DWORD>(::GetWindowLongPtrW(FHandle, GWL_STYLE)) | WS_SYSMENU);
    FCaption.Bitmap.SetSize(0, 0);
    FCaption.HotObject = nullptr;
    if (FState != kFormDestroying && !(FIsChild && FFormKind != kFormMDIChild)) {
        RECT r{};
        ::GetWindowRect(FHandle, &r);
        if (FFormKind == kFormMDIChild) ::MapWindowPoints(nullptr, ::GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
        const int w = (r.right - r.left) + FFrame.NativeExtraWidth - FFrame.Metrics.Left - FFrame.Metrics.Right;
        const int h = (r.bottom - r.top) + FFrame.NativeExtraHeight - FFrame.Metrics.Top - FFrame.Metrics.Bottom;
        UINT flags = SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER;
        // A maximised window keeps the size the system gives it.
        if (FShowState == kShowMaximized || FShowState == kShowMinimized) flags |= SWP_NOSIZE | SWP_NOMOVE;
        ::SetWindowPos(FHandle, nullptr, r.left, r.top, w, h, flags);
    }
    // The window owns its region: taking it away makes the system delete it.
    ::SetWindowRgn(FHandle, nullptr, TRUE);
    FShape.Region = nullptr;
    FShape.HasRegion = false;
    FShape.Width = FShape.Height = 0;
    FState = kFormAttached;
}

void TWinSkinForm::DetachOnDestroy() {
    if (FCaption.HoverTimer) FCaption.HoverTimer->SetEnabled(false);
    FSysMenu.Menu.reset();
    RestoreWindowProc();
    ReleaseWrappers();
    if (!FSkinFrame) {
        RestoreFormMenus();
        RestoreMDIClient();
    }
    DetachMenus(false);
    ClearManagerMDIClient(FMdi.Client);
    FCaption.Bitmap.SetSize(0, 0);
    FCaption.HotObject = nullptr;
    // The system deletes the region with the window.
    FShape.Region = nullptr;
    FShape.HasRegion = false;
}

void TWinSkinForm::MenuActiveChanged(bool on) {
    if (on) {
        ClearRegion();
        return;
    }
    if (FShowState == kShowMinimized) return;
    FShowState = kShowNormal;
    UpdateRegion();
    if (!FShape.HasRegion) RefreshFrame();
}

