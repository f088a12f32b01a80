// The skinned system menu: a copy of the window's system menu (or, on the oldest systems, a
// fixed one) shown as a framework popup menu, and opening it.
#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"
#include "skin/form/WinSkinForm.h"

#include <array>

namespace {

int GlyphOf(UINT command) {
    switch (command) {
    case SC_RESTORE: return 0;
    case SC_MAXIMIZE: return 1;
    case SC_MINIMIZE: return 2;
    case SC_CLOSE: return 3;
    default: return -1;
    }
}

// Fixed menu tags.
constexpr int kTagRestore = 0;
constexpr int kTagMaximize = 1;
constexpr int kTagMinimize = 2;
constexpr int kTagClose = 3;
constexpr int kTagLine = 100;

}  // namespace

void TWinSkinForm::BuildSystemMenu(bool fixed) {
    FSysMenu.Menu.reset();
    if (!fixed && !FSysMenu.Handle) return;
    auto menu = std::make_unique<qx::TPopupMenu>(nullptr);
    menu->SetTag(kSystemMenuTag);
    menu->SetOwnerDraw(true);
    if (FSkinData) menu->SetImages(FSkinData->MenuGlyphs());
    qx::TMenuItem* items = menu->Items();
    auto add = [&](const std::wstring& caption, int tag, bool enabled, int image) {
        auto* item = new qx::TMenuItem(menu.get());
        item->SetCaption(caption);
        item->SetTag(tag);
        item->SetEnabled(enabled);
        item->SetImageIndex(image);
        items->Add(item);
        return item;
    };
    if (fixed) {
        add(L" Restore ", kTagRestore, true, kTagRestore)->OnClick = qx::TNotifyEvent::Of<&TWinSkinForm::FixedMenuClick>(this);
        if (FBorderIcons & kIconMaximize)
            add(L" Maximize ", kTagMaximize, true, kTagMaximize)->OnClick = qx::TNotifyEvent::Of<&TWinSkinForm::FixedMenuClick>(this);
        if (FBorderIcons & kIconMinimize)
            add(L" Minimize ", kTagMinimize, true, kTagMinimize)->OnClick = qx::TNotifyEvent::Of<&TWinSkinForm::FixedMenuClick>(this);
        add(L"-", kTagLine, true, -1);
        qx::TMenuItem* close = add(L" Close ", kTagClose, true, kTagClose);
        close->SetShortCutText(L"ALT+F4");
        close->OnClick = qx::TNotifyEvent::Of<&TWinSkinForm::FixedMenuClick>(this);
    } else {
        const int count = ::GetMenuItemCount(FSysMenu.Handle);
        for (int i = 0; i < count; ++i) {
            std::array<wchar_t, 80> text{};
            MENUITEMINFOW info{sizeof(info)};
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
            info.dwTypeData = text.data();
            info.cch = static_cast<UINT>(text.size() - 1);
            if (!::GetMenuItemInfoW(FSysMenu.Handle, static_cast<UINT>(i), TRUE, &info)) continue;
            std::wstring caption = text.data();
            // "&Close\tAlt+F4": the part after the tab is the shortcut column.
            std::wstring shortcut;
            if (auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
                shortcut = caption.substr(tab + 1);
                caption.resize(tab);
            }
            if (caption.empty()) caption = L"-";
            qx::TMenuItem* item = add(caption, static_cast<int>(info.wID), !(info.fState & MFS_GRAYED), GlyphOf(info.wID));
            item->SetShortCutText(shortcut);
            item->OnClick = qx::TNotifyEvent::Of<&TWinSkinForm::SystemMenuClick>(this);
        }
    }
    FSysMenu.Menu = std::move(menu);
    FSysMenu.Fixed = fixed;
}

void TWinSkinForm::OpenSystemMenu(int x, int y) {
    if (!FSysMenu.Menu) return;
    qx::TMenuItem* items = FSysMenu.Menu->Items();
    const bool maxBox = FBorderIcons & kIconMaximize, minBox = FBorderIcons & kIconMinimize;
    // The copy was taken at activation: its show-state commands follow the window since, as
    // the fixed menu's do.
    const UINT restore = FSysMenu.Fixed ? kTagRestore : SC_RESTORE;
    const UINT maximize = FSysMenu.Fixed ? kTagMaximize : SC_MAXIMIZE;
    const UINT minimize = FSysMenu.Fixed ? kTagMinimize : SC_MINIMIZE;
    for (int i = 0; i < items->Count(); ++i) {
        qx::TMenuItem* item = items->Items(i);
        if (item->IsLine()) continue;
        const auto tag = static_cast<UINT>(item->Tag());
        if (tag == restore) item->SetEnabled(FShowState != kShowNormal);
        else if (tag == maximize) item->SetEnabled((FSysMenu.Fixed || maxBox) && FShowState != kShowMaximized);
        else if (tag == minimize) item->SetEnabled((FSysMenu.Fixed || minBox) && FShowState != kShowMinimized);
    }
    const DWORD now = ::GetTickCount();
    if (FSysMenu.Shown && now - FSysMenu.Tick <= FSysMenu.DoubleClickTime) {
        // A second request within the double-click time closes the window, when it came from
        // a caption object.
        if (FCaption.HotObject) {
            StopHoverTimer();
            ::PostMessageW(FHandle, WM_CLOSE, 0, 0);
        }
        return;
    }
    SetMenuMode(kMenuModeSystem);
    FSysMenu.Tick = now;
    FSysMenu.Shown = true;
    if (FSkinData && InSet(FSkinData->SkinControls(), xcSystemMenu) && FFormKind != kFormMDIChild)
        FSysMenu.Menu->Popup(x, y);
    else
        ::TrackPopupMenu(FSysMenu.Handle, TPM_RIGHTBUTTON, x, y, 0, FHandle, nullptr);
}

void TWinSkinForm::SystemMenuClick(qx::TObject* sender) {
    if (auto* item = dynamic_cast<qx::TMenuItem*>(sender))
        ::PostMessageW(FHandle, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

void TWinSkinForm::FixedMenuClick(qx::TObject* sender) {
    auto* item = dynamic_cast<qx::TMenuItem*>(sender);
    if (!item) return;
    switch (item->Tag()) {
    case kTagRestore:
        FShowState = kShowNormal;
        ::PostMessageW(FHandle, WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    case kTagMaximize: ToggleMaximize(); break;
    case kTagMinimize: ToggleMinimize(); break;
    case kTagClose:
        StopHoverTimer();
        ::PostMessageW(FHandle, WM_CLOSE, 0, 0);
        break;
    default: break;
    }
}
