// TSkinScControl: a scroll-bar control (a control that is itself a scroll bar) covered whole by
// one overlay. TSkinSizer: the size grip of a dialog, a plain face-coloured square.
#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

class TSkinScControl : public TSkinControl {
    QX_CLASS(TSkinScControl)
public:
    explicit TSkinScControl(qx::TComponent* owner);

    // The classification's attach: goes to AttachScroll with the owning control.
    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    void AttachScroll(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas);
    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Detach() override;
    void Paint(HDC dc, const RECT& r) override;
    void SkinChanged() override;
    void PaintingSwitched(bool on) override;

    TWScrollbar* Bar() const { return FBar; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    TWScrollbar* FBar = nullptr;
    bool FRecreating = false;
};

class TSkinSizer : public TSkinControl {
    QX_CLASS(TSkinSizer)
public:
    explicit TSkinSizer(qx::TComponent* owner);
    void Paint(HDC dc, const RECT& r) override;
};
