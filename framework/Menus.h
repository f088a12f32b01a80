#pragma once
// Menus: TMenuItem (a tree of items with captions, images and click handlers), TMenu (a tree
// turned into a menu handle), TPopupMenu (shown at a screen point) and TMainMenu (a form's
// menu bar). Owner-drawn menus draw each item through the item's OnDrawItem / OnMeasureItem,
// or, without them, through the framework's own item drawing (text, shortcut, image, check).
#include "BiDiMode.h"
#include "Classes.h"
#include "Graphics.h"
#include "Handles.h"

#include <cstdint>
#include <string>
#include <vector>
#include <windows.h>

namespace qx {

class TMenu;
class TImageList;

// A keyboard shortcut: the virtual key in the low byte, the modifiers as the high bits.
using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;
// The shortcut of `key` with the modifiers `modifiers` (scShift | scCtrl | scAlt).
constexpr TShortCut ShortCut(std::uint8_t key, TShortCut modifiers) { return static_cast<TShortCut>(key | modifiers); }
// "Ctrl+Shift+O", "Alt+F4", "Del": modifiers in the order Shift, Ctrl, Alt; empty for none or
// for a key without a name.
std::wstring ShortCutToText(TShortCut shortCut);
// The modifiers held down now, as shortcut bits.
TShortCut ShortCutModifiersNow();


using TMenuDrawItemEvent = TMethod<void(TObject* sender, TCanvas& canvas, const RECT& rect, bool selected)>;
using TMenuMeasureItemEvent = TMethod<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

class TMenuItem : public TComponent {
    QX_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    // Frees the sub-items and leaves the parent item.
    ~TMenuItem() override;

    const std::wstring& Caption() const { return FCaption; }
    void SetCaption(const std::wstring& caption);
    // The text shown right-aligned after the caption ("ALT+F4"): the one given, else the
    // shortcut's own text.
    std::wstring ShortCutText() const;
    void SetShortCutText(const std::wstring& text);
    // The key that runs the item's click while its form has the focus.
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    // The item that a double click would choose: drawn bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool on);
    // A radio item shows a bullet when checked; checking one unchecks the other radio items of
    // its GroupIndex under the same parent.
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool on);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int index);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool on);
    bool Checked() const { return FChecked; }
    void SetChecked(bool on);
    bool Visible() const { return FVisible; }
    void SetVisible(bool on);
    // Index into the menu's image list; -1 for none.
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int index);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return FCaption == L"-"; }
    // The command identifier the item has in its menu handle (unique in the process).
    UINT Command() const { return FCommand; }

    // The sub-menu handle in the built menu (the menu's own handle for its root item); null for
    // an item without visible sub-items.
    HMENU Handle();
    // The menu reads right to left.
    bool IsRightToLeft() const;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    TMenuItem* Parent() const { return FParent; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it.
    void Remove(TMenuItem* item);
    // Frees every sub-item.
    void Clear();
    // The item of this command among this item and its sub-items.
    TMenuItem* Find(UINT command);
    TMenu* GetParentMenu() const;

    // Runs OnClick.
    virtual void Click();

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // The item behind a menu's item data, if it still exists.
    static TMenuItem* FromItemData(ULONG_PTR data);

private:
    friend class TMenu;
    void Changed();
    // Appends this item to `menu` (with its sub-menu); owner-drawn items carry themselves as
    // item data.
    void AppendTo(HMENU menu, bool ownerDraw, bool rightToLeft);
    void ForgetHandles();

    std::wstring FCaption;
    std::wstring FShortCutText;
    TShortCut FShortCut = scNone;
    bool FDefault = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    HMENU FHandle = nullptr;  // borrowed: the built menu owns it
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    int FImageIndex = -1;
    UINT FCommand = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
    QX_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool on);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* images);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool IsRightToLeft() const { return FBiDiMode != TBiDiMode::bdLeftToRight; }

    // The menu handle, built from the items on first use and again after they changed.
    HMENU Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    // Runs the click of the item with this command; false when the menu has none.
    bool DispatchCommand(UINT command);
    // Runs the click of the enabled, visible item with this shortcut; false when none has it.
    bool IsShortCut(TShortCut shortCut);

    // WM_MEASUREITEM / WM_DRAWITEM for menus (ODT_MENU): handled for the items of any framework
    // menu, wherever the message arrives; false for anything else.
    static bool MeasureItemMessage(MEASUREITEMSTRUCT& mis);
    static bool DrawItemMessage(const DRAWITEMSTRUCT& dis);

    // The framework's own drawing of an owner-drawn item (used when the item has no handler).
    void DefaultMeasureItem(TMenuItem& item, TCanvas& canvas, int& width, int& height);
    void DefaultDrawItem(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected);

protected:
    virtual HMENU CreateMenuHandle() = 0;
    // A new handle replaced `old`, which is destroyed right after this call.
    virtual void HandleRebuilt(HMENU old, HMENU now) { (void)old; (void)now; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TMenuItem;
    void ItemsChanged() { FDirty = true; }

    TMenuItem* FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    UniqueMenu FHandle;
    bool FDirty = true;
};

class TPopupMenu : public TMenu {
    QX_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    // Shows the menu with its top-left corner at the screen point and runs the click of the
    // item chosen, if any, before returning.
    virtual void Popup(int x, int y);
    // Runs just before the menu shows.
    TNotifyEvent OnPopup;

protected:
    HMENU CreateMenuHandle() override { return ::CreatePopupMenu(); }
};

class TMainMenu : public TMenu {
    QX_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    // The window showing this menu bar (set by its form); the bar is put on it now and again
    // whenever the items change the handle.
    void SetWindow(HWND window);
    HWND Window() const { return FWindow; }

protected:
    HMENU CreateMenuHandle() override { return ::CreateMenu(); }
    void HandleRebuilt(HMENU old, HMENU now) override;

private:
    HWND FWindow = nullptr;
};

}  // namespace qx
