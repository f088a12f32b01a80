#pragma once
// TToolBar and TToolButton: the system tool bar ("ToolbarWindow32", window class "TToolBar")
// whose buttons are TToolButton controls placed on it. A tool button has no window: the tool bar
// draws and clicks it, and the button's bounds follow its place on the bar. Custom-draw events
// let the owner draw the bar and its buttons.
#include "Controls.h"

#include <commctrl.h>

namespace qx {

class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolButton : public TGraphicControl {
    QX_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool v);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool v);
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* v) { FDropdownMenu = v; }
    // The button's command identifier on its bar, 0 while it is on none.
    int CommandId() const { return FCommandId; }
    TToolBar* ToolBar() const;
    // The top-level menu item a button of the bar's Menu opens, or none.
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetEnabled(bool v) override;
    void SetParent(TWinControl* parent) override;
    void WndProc(TMessage& m) override;

private:
    void BarChanged();
    TToolButtonStyle FStyle = TToolButtonStyle::tbsButton;
    int FImageIndex = -1;
    bool FDown = false;
    bool FGrouped = false;
    bool FWrap = false;
    TPopupMenu* FDropdownMenu = nullptr;
    int FCommandId = 0;
    TMenuItem* FMenuItem = nullptr;
    friend class TToolBar;
};

using TTBCustomDrawEvent = TMethod<void(TToolBar* sender, const RECT& rect, bool& defaultDraw)>;
// `state`: the CDIS_* flags of the button being drawn.
using TTBCustomDrawBtnEvent = TMethod<void(TToolBar* sender, TToolButton* button, UINT state, bool& defaultDraw)>;

class TToolBar : public TWinControl {
    QX_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool v);
    bool List() const { return FList; }
    void SetList(bool v);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool v);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int v);
    // A menu the bar shows as buttons (one per top-level item).
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* v);
    int ButtonCount() const;
    TToolButton* Buttons(int index) const;
    // The canvas the custom-draw events draw on.
    TCanvas& Canvas() { return FCanvas; }
    // Writes the buttons to the window again (after a button changed).
    void UpdateButtons();
    void WndProc(TMessage& m) override;

    TTBCustomDrawEvent OnCustomDraw;
    TTBCustomDrawBtnEvent OnCustomDrawButton;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::vector<TToolButton*> ToolButtons() const;
    void PlaceButtons();
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    void ButtonCommand(int id);
    void ShowButtonMenu(TToolButton* button, HMENU menu);
    HMENU SubMenuOf(TMenuItem* item);
    void DropMenuButtons();

    bool FFlat = true;
    bool FShowCaptions = false;
    bool FList = false;
    bool FWrapable = true;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    TMainMenu* FMenu = nullptr;
    TCanvas FCanvas;
    bool FUpdating = false;
};

}  // namespace qx
