#pragma once
// Tab controls over the system's "SysTabControl32": TCustomTabControl (tabs, selection, tab
// position) and TTabControl (a container whose tabs are a list of texts). Children aligned to
// the client go into the display area below (or beside) the tabs.
#include "Controls.h"
#include "Strings.h"

namespace qx {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
using TTabChangingEvent = TMethod<void(TObject* sender, bool& allowChange)>;

class TCustomTabControl : public TWinControl {
    QX_CLASS(TCustomTabControl)
public:
    explicit TCustomTabControl(TComponent* owner);

    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool v);
    // The selected tab, -1 when none.
    int TabIndex();
    void SetTabIndex(int v);
    int TabCount();
    // The client area less the tabs.
    RECT DisplayRect();
    RECT AlignArea() override { return DisplayRect(); }
    void WndProc(TMessage& m) override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& p) override;
    // The window's tabs are these texts (all replaced), with `selected` chosen.
    void SetWindowTabs(const std::vector<std::wstring>& texts, int selected);
    virtual bool CanChange();
    virtual void Change();
    int FTabIndex = -1;  // kept while there is no window

private:
    TTabPosition FTabPosition = TTabPosition::tpTop;
    bool FMultiLine = false;
};

class TTabControl : public TCustomTabControl {
    QX_CLASS(TTabControl)
public:
    explicit TTabControl(TComponent* owner);

    TStrings* Tabs() { return &FTabs; }

protected:
    void HandleCreated() override;
    void DestroyWnd() override;

private:
    void TabsChanged(TObject*);
    TStringList FTabs;
};

}  // namespace qx
