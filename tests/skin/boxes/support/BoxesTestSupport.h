// Helpers for the wrapper tests: a skinned-form stand-in that keeps the wrapper list, skin
// data loaded from the default skin (a resource of every test program), skin objects made of
// solid-coloured frames, and screenshots under $QUELLOX_ARTIFACTS.
#pragma once

#include "framework/Forms.h"
#include "skin/controls/SkinControlHost.h"
#include "skin/data/SkinData.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace boxestest {

// What a TWinSkinForm offers its wrappers, and nothing else.
class TTestHost : public qx::TComponent, public TSkinControlHost {
public:
    explicit TTestHost(TSkinData* skinData) : qx::TComponent(nullptr), FSkinData(skinData) {}
    ~TTestHost() override;

    bool RegisterControl(TSkinControl* wrapper) override;
    void UnregisterControl(TSkinControl* wrapper) override;
    std::vector<TSkinControl*> Wrappers() const override { return FWrappers; }
    qx::TComponent* HostComponent() override { return this; }
    TSkinData* HostSkinData() const override { return FSkinData; }
    qx::TCanvas* ControlCanvas() override { return &FCanvas; }

private:
    TSkinData* FSkinData;
    std::vector<TSkinControl*> FWrappers;
    qx::TCanvas FCanvas;
};

// The default skin (Slate), loaded into a new component.
std::unique_ptr<TSkinData> LoadDefaultSkin();
// A component with no skin loaded: every object absent, colours the system's.
std::unique_ptr<TSkinData> EmptySkin();

// A picture of `colours.size()` frames side by side, each frameWidth x height of one colour.
void FillFrames(qx::TBitmap& bitmap, int frameWidth, int height, const std::vector<COLORREF>& colours);
// The colour of a skin picture's pixel.
COLORREF BitmapPixel(const qx::TBitmap& bitmap, int x, int y);

// A form with the application's font, shown off to the side, for window tests.
qx::TForm* NewForm(int width, int height);
// Repaints the window now (and its children).
void PaintNow(HWND wnd);
// Writes the canvas as <name>.png into the artifacts folder; returns the path.
std::string SaveShot(const qx::test::DibCanvas& canvas, const std::string& name);
// The on-screen picture of the window (frame included), after pending painting is done.
void ScreenShot(HWND wnd, qx::test::DibCanvas& canvas);

}  // namespace boxestest
