// The manager's side of the popup menu painters: which menu window gets one, and the list of
// them. The painters themselves come through a factory; until one is installed, every menu
// window keeps the system's look.
#include "skin/controls/SkinManage.h"

#include "skin/data/SkinData.h"
#include "skin/form/SkinFormHost.h"

#include <algorithm>

namespace {
TSkinPopupPainterFactory gPopupPainterFactory = nullptr;
}  // namespace

void SetSkinPopupPainterFactory(TSkinPopupPainterFactory factory) { gPopupPainterFactory = factory; }

bool TSkinManage::AttachPopupMenu(HWND menuWindow) {
    if (!FActive || !menuWindow || IsPopupMenu(menuWindow)) return false;
    if (::SendMessageW(menuWindow, SKN_QUERY, 0, 0) == 1) return false;
    TSkinData* skin = ChooseSkinData(menuWindow);
    if (!skin || skin->NotLoaded()) return false;
    const TSkinControlTypes elements = skin->SkinControls();
    switch (MenuMode()) {
    case kMenuModePopup:
        if (!InSet(elements, xcPopupMenu)) return false;
        break;
    case kMenuModeMenuBar:
        if (!InSet(elements, xcMainMenu) && !InSet(elements, xcMenuItem)) return false;
        break;
    case kMenuModeSystem:
        if (!InSet(elements, xcSystemMenu)) return false;
        break;
    default:
        return false;
    }
    if (!gPopupPainterFactory) return false;
    TSkinPopupPainter* painter = gPopupPainterFactory(menuWindow, skin);
    if (!painter) return false;
    FPopupMenus.emplace_back(painter);
    if (FMenuBarPopups) painter->MarkFromMenuBar();
    return true;
}

bool TSkinManage::DetachPopupMenu(HWND menuWindow) {
    auto it = std::find_if(FPopupMenus.begin(), FPopupMenus.end(),
                           [menuWindow](const auto& p) { return p->Window() == menuWindow; });
    if (!menuWindow || it == FPopupMenus.end()) return false;
    std::unique_ptr<TSkinPopupPainter> painter = std::move(*it);
    FPopupMenus.erase(it);
    painter->Detach();
    painter.reset();
    if (FPopupMenus.empty()) {
        // The menu loop is over: the next menu is a popup menu again until told otherwise.
        FMenuBarPopups = false;
        SetMenuMode(kMenuModePopup);
    }
    return true;
}

bool TSkinManage::IsPopupMenu(HWND menuWindow) const {
    return std::any_of(FPopupMenus.begin(), FPopupMenus.end(),
                       [menuWindow](const auto& p) { return p->Window() == menuWindow; });
}

void TSkinManage::MarkMenuBarPopups() {
    FMenuBarPopups = true;
    for (auto& painter : FPopupMenus) painter->MarkFromMenuBar();
}

// The newest painter without a menu is the one whose menu is opening.
void TSkinManage::AssignPopupMenuHandle(HMENU menu) {
    for (auto it = FPopupMenus.rbegin(); it != FPopupMenus.rend(); ++it)
        if (!(*it)->MenuHandle()) {
            (*it)->SetMenuHandle(menu);
            return;
        }
}

qx::TBitmap* TSkinManage::FindPopupFrameImage(HMENU menu) const {
    for (const auto& painter : FPopupMenus)
        if (menu && painter->MenuHandle() == menu) return painter->FrameImage();
    return nullptr;
}
