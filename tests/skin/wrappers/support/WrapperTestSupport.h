// Helpers for the wrapper and classification tests: a skin whose every state frame is a colour
// of its own (so a pixel names the frame it came from), a host that keeps wrappers as a skinned
// form does, the default skin for screenshots, and pixel reads of a control printed off-screen.
#pragma once

#include "framework/Forms.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinControlHost.h"
#include "skin/data/SkinData.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace wraptest {

// Frame k of the test skin's images (k from 1).
COLORREF ButtonFrameColour(int k);
COLORREF CheckFrameColour(int k);
COLORREF RadioFrameColour(int k);
// The frame a colour names, or 0.
int ButtonFrameOf(COLORREF c);
int CheckFrameOf(COLORREF c);
int RadioFrameOf(COLORREF c);
inline constexpr COLORREF kTestFace = RGB(0xE0, 0xD8, 0xC8);
inline constexpr COLORREF kTestParent = RGB(0x30, 0x70, 0x30);

struct TTestSkinShape {
    int ButtonWidth = 20;   // per frame
    int ButtonHeight = 12;
    int Margin = 3;
    bool MagentaCorner = false;  // pixel (0, 0) of every button frame is magenta, Trans 1
    int CheckFrames = 4;
    int CheckWidth = 13;
    int RadioFrames = 4;
    int RadioWidth = 13;
    int ImageHeight = 13;
};

// A skin data component (not loaded from a package) with those images and ButtonFace kTestFace.
std::unique_ptr<TSkinData> MakeTestSkin(const TTestSkinShape& shape = {});
// A skin data component with the default skin loaded, or null when it was not built.
std::unique_ptr<TSkinData> LoadDefaultSkin();

// Keeps wrappers as a skinned form does and frees them like it when released or destroyed.
class TTestHost : public qx::TComponent, public TSkinControlHost {
public:
    explicit TTestHost(TSkinData* skin);
    ~TTestHost() override;

    bool RegisterControl(TSkinControl* wrapper) override;
    void UnregisterControl(TSkinControl* wrapper) override;
    std::vector<TSkinControl*> Wrappers() const override { return FWrappers; }
    qx::TComponent* HostComponent() override { return this; }
    TSkinData* HostSkinData() const override { return FSkin; }
    qx::TCanvas* ControlCanvas() override { return &FCanvas; }
    void PrepareControlMenu(qx::TControl* control) override { Menus.push_back(control); }
    void TakeOverToolbarDraw(qx::TControl* control) override { Toolbars.push_back(control); }
    void PreparePopupMenus(qx::TComponent* container) override { PopupOwners.push_back(container); }

    // Detaches every wrapper whose window is still there, then frees them all.
    void Release();
    // The wrapper of the control (windowed or not) or window, or null.
    TSkinControl* WrapperOf(qx::TControl* control) const;
    TSkinControl* WrapperOf(HWND window) const;
    template <class W>
    W* As(qx::TControl* control) const { return dynamic_cast<W*>(WrapperOf(control)); }

    std::vector<qx::TControl*> Menus;
    std::vector<qx::TControl*> Toolbars;
    std::vector<qx::TComponent*> PopupOwners;

private:
    TSkinData* FSkin;
    std::vector<TSkinControl*> FWrappers;
    qx::TCanvas FCanvas;
};

// A form of the given client size with a plain colour, shown without activation far off the
// visible area of the screen is not needed: Wine paints into memory for WM_PRINT anyway.
qx::TForm* MakeForm(int width = 320, int height = 200);

// The control's whole window painted through WM_PRINTCLIENT into a canvas of its size.
std::unique_ptr<qx::test::DibCanvas> PrintClient(HWND window);
// The same, but each pixel compared: true when the area of the canvas is one colour.
bool AreaIs(const qx::test::DibCanvas& canvas, const RECT& area, COLORREF colour);
// Saves the canvas as <name>.png under the artifacts folder; returns the path.
std::string SaveShot(const qx::test::DibCanvas& canvas, const std::string& name);

// Handles what is pending for a short while.
void Pump(int ms = 50);

}  // namespace wraptest
