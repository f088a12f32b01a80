// TWinSkinPopMenu: the painter of one menu window (class "#32768"). It replaces the window's
// 3-pixel frame with the skin's MenuBackground image, stretched over the whole window, and
// lets the system draw the items inside; the owner-drawn items take their backgrounds from
// the same frame image, found by the menu handle the menu code gives the painter.
#pragma once

#include "framework/Bitmap.h"
#include "skin/controls/SkinManage.h"
#include "framework/SubclassSlot.h"

#include <windows.h>

class TSkinData;

// The width of a menu window's frame.
inline constexpr int kPopupFrame = 3;

class TWinSkinPopMenu : public TSkinPopupPainter {
public:
    TWinSkinPopMenu() = default;
    ~TWinSkinPopMenu() override;

    // Subclasses the menu window; false when the window refused it.
    bool Attach(HWND window, TSkinData* skin, HMENU menu);
    void Detach() override;
    bool Hooked() const { return FSubclass.Installed(); }

    HWND Window() const override { return FWindow; }
    HMENU MenuHandle() const override { return FMenu; }
    void SetMenuHandle(HMENU menu) override;
    void MarkFromMenuBar() override { FFromMenuBar = true; }
    bool FromMenuBar() const { return FFromMenuBar; }
    // The MenuBackground image fitted to the window at the last paint; null before it.
    qx::TBitmap* FrameImage() override { return FFrameImage.Empty() ? nullptr : &FFrameImage; }

    // Fits the MenuBackground image to a window of this size; false (image emptied) when the
    // skin has no such image.
    bool BuildFrameImage(int width, int height);

private:
    void WndProc(qx::TMessage& m);
    void WMNCPaint(qx::TMessage& m);
    void WMPaint(qx::TMessage& m);
    void PaintBands();
    void WMPrint(qx::TMessage& m);
    bool CanPaint() const;
    void Pass(qx::TMessage& m) { FSubclass.CallPrevious(m); }

    qx::TSubclassSlot FSubclass;
    HWND FWindow = nullptr;
    TSkinData* FSkinData = nullptr;
    qx::TBitmap FFrameImage;
    HMENU FMenu = nullptr;
    bool FFromMenuBar = false;
};

// The most recently painted painter that had no menu yet; null when none.
TWinSkinPopMenu* CurrentPopupMenu();

// Makes the manager attach a TWinSkinPopMenu to every menu window it accepts, and gives the
// form skinning's menu code the manager's popup operations.
void InstallPopupMenuPainters();
