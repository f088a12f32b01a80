// The MDI client of a skinned MDI parent: subclassed so that the parent's frame stays the
// skin's while children are created, destroyed, tiled and maximised, and so that the skinned
// menu bar follows the frame menus the children bring.
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

void TWinSkinForm::SubclassMDIClient() {
    if (!FMdi.Client || FMdi.Subclass.Installed()) return;
    FMdi.Subclass.Install(FMdi.Client, qx::TWndMethod::Of<&TWinSkinForm::MDIClientProc>(this));
}

void TWinSkinForm::RestoreMDIClient() { FMdi.Subclass.Release(); }

void TWinSkinForm::ForgetMDIClient() {
    RestoreMDIClient();
    ClearManagerMDIClient(FMdi.Client);
}

void TWinSkinForm::MDIClientProc(qx::TMessage& m) {
    if (!FMdi.Subclass.Installed()) return;
    auto old = [&] { FMdi.Subclass.CallPrevious(m); };
    switch (m.Msg) {
    case WM_NCDESTROY:
        old();
        ForgetMDIClient();
        return;
    case WM_NCCALCSIZE:
        // The skin draws no scroll bars on the client unless asked to keep them.
        if (FSkinFrame && FSkinData && !InSet(FSkinData->Options(), xoMDIScrollbar)) {
            const auto style = ::GetWindowLongPtrW(FMdi.Client, GWL_STYLE);
            ::SetWindowLongPtrW(FMdi.Client, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VSCROLL | WS_HSCROLL));
        }
        old();
        return;
    case WM_MDICREATE:
        if (FSkinData) FSkinData->SetMenuUpdate(false);
        old();
        return;
    case WM_MDIDESTROY: {
        old();
        if (!FSkinFrame) return;
        BOOL maximized = FALSE;
        auto active = reinterpret_cast<HWND>(::SendMessageW(FMdi.Client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        SetMenuActive(active && maximized);
        // The last child is gone: the skin's menu setting is what it was before children came,
        // and the bar shows the frame's own menu again.
        if (!active && FSkinData) FSkinData->SetMenuUpdate(FMdi.MenuUpdateAtAttach);
        if (!active && MenuBar()) {
            MenuBar()->Build();
            PaintFrame();
        }
        return;
    }
    case WM_MDISETMENU: {
        old();
        if (!FSkinFrame) return;
        const auto menu = reinterpret_cast<HMENU>(m.WParam);
        if (menu && MenuBar() && menu != MenuBar()->MenuHandle()) {
            MenuBar()->BuildFromMDIMenu(menu);
            PaintFrame();
        }
        ::SetMenu(FHandle, nullptr);
        return;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (FSkinFrame && MenuActive()) SetMenuActive(false);
        old();
        return;
    case SKN_MDIREDRAW:
        ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        m.Result = 0;
        return;
    default:
        old();
        return;
    }
}
