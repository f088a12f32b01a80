// The skinned item handlers and the window's WM_MEASUREITEM / WM_DRAWITEM for menu items.
#include "skin/form/SkinMenuItems.h"

#include "framework/Forms.h"
#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/form/MenuBar.h"
#include "skin/form/MenuHooks.h"
#include "skin/form/MenuItemPaint.h"
#include "skin/form/WinSkinForm.h"

#include <array>

namespace {

// Form classes whose popup menus are their own business.
bool KeepsOwnMenus(qx::TComponent* owner) {
    return owner && std::wstring(owner->ClassName()) == L"TwwRichEditForm";
}

HFONT MenuFont() { return qx::Screen ? qx::Screen->MenuFont()->Handle() : nullptr; }

}  // namespace

TSkinData* TSkinMenuItems::Skin() const { return FForm.SkinData(); }

bool TSkinMenuItems::IsOurs(const qx::TMenuDrawItemEvent& e) const {
    return e == qx::TMenuDrawItemEvent::Of<&TSkinMenuItems::SkinDrawItem>(const_cast<TSkinMenuItems*>(this));
}

bool TSkinMenuItems::IsOurs(const qx::TMenuMeasureItemEvent& e) const {
    auto* self = const_cast<TSkinMenuItems*>(this);
    return e == qx::TMenuMeasureItemEvent::Of<&TSkinMenuItems::SkinMeasureItem>(self) ||
           e == qx::TMenuMeasureItemEvent::Of<&TSkinMenuItems::SkinMeasureSubItem>(self);
}

//--- handlers

void TSkinMenuItems::SkinDrawItem(qx::TObject* sender, qx::TCanvas& canvas, const RECT& rect, bool selected) {
    auto* item = dynamic_cast<qx::TMenuItem*>(sender);
    TSkinData* skin = Skin();
    if (!item || !skin) return;
    MarkMenuBarPopups();
    HDC dc = canvas.Handle();
    const HFONT font = static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT));
    const TMenuItemLook look = LookOf(*item);
    if (!MenuItemImage(*skin)) return DrawPlainMenuItem(dc, rect, look, *skin, selected, font);
    qx::TBitmap* frame = nullptr;
    if (qx::TMenuItem* parent = item->Parent()) {
        HMENU menu = parent->Handle();
        AssignPopupMenuHandle(menu);
        frame = FindPopupFrameImage(menu);
    }
    DrawSkinMenuItem(dc, rect, look, *skin, selected, frame, font);
}

void TSkinMenuItems::SkinMeasureItem(qx::TObject* sender, qx::TCanvas&, int& width, int&) {
    auto* item = dynamic_cast<qx::TMenuItem*>(sender);
    TSkinData* skin = Skin();
    if (!item || !skin) return;
    qx::TMenu* menu = item->GetParentMenu();
    width += SkinItemExtraWidth(*skin, menu && menu->Images(), false);
}

void TSkinMenuItems::SkinMeasureSubItem(qx::TObject* sender, qx::TCanvas& canvas, int& width, int& height) {
    auto* item = dynamic_cast<qx::TMenuItem*>(sender);
    TSkinData* skin = Skin();
    qx::TMenu* menu = item ? item->GetParentMenu() : nullptr;
    if (!menu || !skin) return;
    // The framework's own measure first, without this handler.
    menu->DefaultMeasureItem(*item, canvas, width, height);
    width += SkinItemExtraWidth(*skin, menu->Images() != nullptr, true);
}

//--- installing

void TSkinMenuItems::HookItems(qx::TMenuItem& parent, bool on, bool popup) {
    for (int i = 0; i < parent.Count(); ++i) {
        qx::TMenuItem* item = parent.Items(i);
        if (on) {
            if (popup) {
                item->OnDrawItem = qx::TMenuDrawItemEvent::Of<&TSkinMenuItems::SkinDrawItem>(this);
                if (!item->OnMeasureItem) item->OnMeasureItem = qx::TMenuMeasureItemEvent::Of<&TSkinMenuItems::SkinMeasureItem>(this);
            } else if (!item->OnDrawItem) {
                item->OnDrawItem = qx::TMenuDrawItemEvent::Of<&TSkinMenuItems::SkinDrawItem>(this);
                item->OnMeasureItem = qx::TMenuMeasureItemEvent::Of<&TSkinMenuItems::SkinMeasureSubItem>(this);
            }
        } else {
            // Only what this object installed goes: a program's own handlers stay.
            if (IsOurs(item->OnDrawItem)) item->OnDrawItem = {};
            if (IsOurs(item->OnMeasureItem)) item->OnMeasureItem = {};
        }
        HookItems(*item, on, popup);
    }
}

void TSkinMenuItems::HookPopupMenu(qx::TMenu& menu, bool on) {
    if (on) {
        if (std::none_of(FOwnerDraw.begin(), FOwnerDraw.end(), [&](const auto& p) { return p.first == &menu; }))
            FOwnerDraw.emplace_back(&menu, menu.OwnerDraw());
        menu.SetOwnerDraw(true);
    } else {
        auto it = std::find_if(FOwnerDraw.begin(), FOwnerDraw.end(), [&](const auto& p) { return p.first == &menu; });
        if (it != FOwnerDraw.end()) {
            menu.SetOwnerDraw(it->second);
            FOwnerDraw.erase(it);
        }
    }
    HookItems(*menu.Items(), on, true);
}

void TSkinMenuItems::HookPopupMenus(qx::TComponent* owner, bool on) {
    TSkinData* skin = Skin();
    if (!owner || !skin || KeepsOwnMenus(owner)) return;
    if (on && !InSet(skin->SkinControls(), xcPopupMenu)) return;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        qx::TComponent* c = owner->Components(i);
        if (auto* popup = dynamic_cast<qx::TPopupMenu*>(c)) {
            if (popup->Tag() != skin->DisableTag()) HookPopupMenu(*popup, on);
        } else if (dynamic_cast<qx::TCustomForm*>(c)) {
            HookPopupMenus(c, on);
        }
    }
}

void TSkinMenuItems::HookMainMenu(qx::TMenu& menu, bool on) {
    HookItems(*menu.Items(), false, false);
    auto it = std::find_if(FOwnerDraw.begin(), FOwnerDraw.end(), [&](const auto& p) { return p.first == &menu; });
    if (!on) {
        if (it != FOwnerDraw.end()) {
            menu.SetOwnerDraw(it->second);
            FOwnerDraw.erase(it);
        }
        return;
    }
    if (it == FOwnerDraw.end()) FOwnerDraw.emplace_back(&menu, menu.OwnerDraw());
    menu.SetOwnerDraw(true);
    // The top level is the skinned menu bar; the handlers go on the items below it.
    for (int i = 0; i < menu.Items()->Count(); ++i) HookItems(*menu.Items()->Items(i), true, false);
}

void TSkinMenuItems::HookMainMenus(qx::TComponent* owner, bool on) {
    if (!owner) return;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<qx::TMainMenu*>(owner->Components(i))) HookMainMenu(*menu, on);
}

//--- the window's own menu messages

qx::TMenuItem* TSkinMenuItems::BarItem(UINT command) const {
    const TWinSkinMenu* bar = FForm.MenuPart().Bar.get();
    qx::TMenu* menu = bar ? bar->Menu() : nullptr;
    return menu ? menu->Items()->Find(command) : nullptr;
}

bool TSkinMenuItems::WMMeasureItem(MEASUREITEMSTRUCT& mis) {
    TSkinData* skin = Skin();
    if (mis.CtlType != ODT_MENU || !skin) return false;
    qx::WindowDc screen(FForm.Handle());
    qx::SelectGuard font(screen.get(), MenuFont());
    if (FForm.Form()) {
        MarkMenuBarPopups();
        if (qx::TMenuItem* item = BarItem(mis.itemID)) {
            qx::TCanvas canvas;
            canvas.SetHandle(screen.get());
            if (qx::Screen) canvas.Font().Assign(qx::Screen->MenuFont());
            int width = 0, height = 0;
            SkinMeasureSubItem(item, canvas, width, height);
            canvas.SetHandle(nullptr);
            mis.itemWidth = static_cast<UINT>(std::max(width, 0));
            mis.itemHeight = static_cast<UINT>(std::max(height, 0));
            return true;
        }
        if (mis.itemID >= 1 && mis.itemID <= 4095) return false;
    }
    // A native item: its text in the menu font, 26 pixels for the glyph and margins.
    std::array<wchar_t, 81> text{};
    ::GetMenuStringW(FForm.MenuPart().TrackedMenu, mis.itemID, text.data(), 80, MF_BYCOMMAND);
    RECT size{};
    ::DrawTextW(screen.get(), text.data(), -1, &size, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    mis.itemWidth = static_cast<UINT>(size.right + 26);
    if (TDataSkinObject* image = MenuItemImage(*skin)) mis.itemWidth += static_cast<UINT>(image->Margins.left);
    // The system's proposal may not hold the text: the text's own height is the least.
    if (text[0]) mis.itemHeight = std::max<UINT>(mis.itemHeight, static_cast<UINT>(size.bottom)) + 4;
    else mis.itemHeight = 8;
    return true;
}

bool TSkinMenuItems::WMDrawItem(const DRAWITEMSTRUCT& dis) {
    TSkinData* skin = Skin();
    if (dis.CtlType != ODT_MENU || !skin) return false;
    const auto menu = reinterpret_cast<HMENU>(dis.hwndItem);
    AssignPopupMenuHandle(menu);
    MarkMenuBarPopups();
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const HFONT font = MenuFont();
    if (FForm.Form()) {
        if (qx::TMenuItem* item = BarItem(dis.itemID)) {
            qx::TCanvas canvas;
            canvas.SetHandle(dis.hDC);
            if (qx::Screen) canvas.Font().Assign(qx::Screen->MenuFont());
            SkinDrawItem(item, canvas, dis.rcItem, selected);
            canvas.SetHandle(nullptr);
            return true;
        }
        if (dis.itemID >= 1 && dis.itemID <= 4095) return false;
    }
    const TMenuItemLook look = NativeLook(menu, dis.itemID);
    if (MenuItemImage(*skin)) DrawSkinMenuItem(dis.hDC, dis.rcItem, look, *skin, selected, FindPopupFrameImage(menu), font, true);
    else DrawPlainMenuItem(dis.hDC, dis.rcItem, look, *skin, selected, font);
    return true;
}
