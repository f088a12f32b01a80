// TSkinTab31: a tab set (tabs drawn by the control itself, below its owner's pages) drawn from
// the skin's Tabs image turned upside down: frame 2 for the selected tab, frame 1 for the
// others, laid out as the tab set lays them out. Its scroll arrows get a horizontal up-down
// wrapper.
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinControl.h"

#include <vector>

class TSkinTab31 : public TSkinControl {
    QX_CLASS(TSkinTab31)
public:
    explicit TSkinTab31(qx::TComponent* owner);

    void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) override;
    bool BeforeMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;
    void SkinChanged() override;

    TSkinControl* UpDown() const { return FUpDown; }
    // The tabs of the last paint (index, rectangle).
    const std::vector<std::pair<int, RECT>>& DrawnTabs() const { return FDrawn; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    void PrepareImage();
    qx::TBitmap FTabImage;
    TSkinControl* FUpDown = nullptr;
    std::vector<std::pair<int, RECT>> FDrawn;
};
