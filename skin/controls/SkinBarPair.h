// TSkinBarPair: what the two window scroll-bar wrappers share, the horizontal and the vertical
// overlay of one scrolled window: they follow the window, step aside when painting is switched
// off or the skin has no scroll-bar images, repaint on the scroll messages, and go with the
// wrapper.
#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

class TSkinBarPair : public TSkinControl {
    QX_CLASS(TSkinBarPair)
public:
    explicit TSkinBarPair(qx::TComponent* owner);

    void Detach() override;
    void SkinChanged() override;
    void PaintingSwitched(bool on) override;

    TWScrollbar* HorzBar() const { return FHorz; }
    TWScrollbar* VertBar() const { return FVert; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;
    // Lays both overlays over their bars (or hides those whose bar is not shown).
    virtual void PlaceBars();
    void HideBars();
    // WM_HSCROLL/WM_VSCROLL reached the window: the bar shows the scroll code and repaints.
    void Scrolled(TWScrollbar* bar, WPARAM wParam);
    // After any other message: a bar the system moved without a scroll message is repainted.
    void RepaintMovedBars();

    TWScrollbar* FHorz = nullptr;
    TWScrollbar* FVert = nullptr;
};
