// TSkinScrollbar: a framework control with window scroll bars (memo, rich edit, list box,
// grid) gets an overlay over each of its bars, a skinned corner square between them and a
// plain two-line border. TSkinListView does the same for a list view and hands the list view's
// header window to the header wrapper.
#pragma once

#include "skin/controls/SkinBarPair.h"

class TSkinScrollbar : public TSkinBarPair {
    QX_CLASS(TSkinScrollbar)
public:
    explicit TSkinScrollbar(qx::TComponent* owner);

    // The classification's attach: goes to AttachScroll with the owning control.
    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    // The scroll-bar wrappers' own attach slot.
    virtual void AttachScroll(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form,
                              qx::TCanvas* canvas);
    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    bool BorderFlag() const { return FBorder; }

protected:
    bool FBorder = false;
    bool FRecreating = false;
};

class TSkinListView : public TSkinScrollbar {
    QX_CLASS(TSkinListView)
public:
    explicit TSkinListView(qx::TComponent* owner);

    void AttachScroll(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form,
                      qx::TCanvas* canvas) override;
    // The header's wrapper, when a header wrapper maker is installed and the list view has a
    // header window.
    TSkinControl* HeaderWrapper() const { return FHeader; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    TSkinControl* FHeader = nullptr;
};

// Fills the corner square between two shown bars and frames the window, as the scroll-bar
// wrappers draw around their overlays. `offset`: where the target's client area starts in its
// window rectangle.
void PaintScrollCorner(HDC dc, const TWScrollbar& horz, const TWScrollbar& vert, POINT offset, COLORREF face);
// The target's client origin in its window rectangle.
POINT ClientOffset(HWND window);
