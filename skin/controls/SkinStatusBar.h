// TSkinStatusBar: a status bar drawn whole from the skin: each panel's edge from the
// StatusBarEdges image (lowered, raised, none) or, without one, a 1-pixel 3D edge in the system
// colours; panel texts or the simple text; the size grip from ExtraImages. Owner-drawn panels
// are then handed to the bar's OnDrawPanel.
#pragma once

#include "skin/controls/SkinControl.h"

#include <vector>

// One panel as the painter needs it.
struct TStatusPanelLook {
    RECT Rect{};
    int Edge = 1;  // 1 lowered, 2 raised, 3 none
    bool Text = true;
    std::wstring Caption;
    UINT Align = DT_LEFT;
};

class TSkinStatusBar : public TSkinControl {
    QX_CLASS(TSkinStatusBar)
public:
    explicit TSkinStatusBar(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

private:
    bool SimpleMode() const;
    std::vector<TStatusPanelLook> Panels(const RECT& r) const;
    void DrawEdge(HDC dc, const RECT& r, int edge);
};

// The flags of a panel's alignment (0 left, 1 right, 2 centre), left and right exchanged for a
// right-to-left panel.
UINT StatusPanelAlign(int alignment, bool rightToLeft);
