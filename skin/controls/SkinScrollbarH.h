// TSkinScrollbarH: the scroll-bar overlays for a raw window with window scroll bars (the list
// of a simple combo box, a list of another module): attached by handle, owned by the form.
#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/controls/WScrollbar.h"

class TSkinScrollbarH : public TSkinControl {
    QX_CLASS(TSkinScrollbarH)
public:
    explicit TSkinScrollbarH(qx::TComponent* owner);

    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Detach() override;
    void Paint(HDC dc, const RECT& r) override;
    void SkinChanged() override;
    void PaintingSwitched(bool on) override;

    TWScrollbar* HorzBar() const { return FHorz; }
    TWScrollbar* VertBar() const { return FVert; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    void PlaceBars();
    void HideBars();

    TWScrollbar* FHorz = nullptr;
    TWScrollbar* FVert = nullptr;
    bool FPlacing = false;
};

// The maker the combo box wrapper uses for its simple list.
TSkinControl* MakeSkinScrollbarH(qx::TComponent* owner);
