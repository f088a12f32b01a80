// TSkinScrollbarH: the scroll-bar overlays for a raw window with window scroll bars (the list
// of a simple combo box, a list of another module): attached by handle, owned by the form.
#pragma once

#include "skin/controls/SkinBarPair.h"

class TSkinScrollbarH : public TSkinBarPair {
    QX_CLASS(TSkinScrollbarH)
public:
    explicit TSkinScrollbarH(qx::TComponent* owner);

    void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

private:
    void PlaceBars() override;

    bool FPlacing = false;
};

// The maker the combo box wrapper uses for its simple list.
TSkinControl* MakeSkinScrollbarH(qx::TComponent* owner);
