#pragma once
// Panels and timers.
#include "Controls.h"
#include "StdCtrls.h"

namespace qx {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyle { bsNone, bsSingle };

class TPanel : public TCustomControl {
    QX_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v) { FBevelInner = v; Invalidate(); }
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v) { FBevelOuter = v; Invalidate(); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { FBevelWidth = v; Invalidate(); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; Invalidate(); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; Invalidate(); }

protected:
    void CreateParams(TCreateParams& p) override;
    void Paint() override;

private:
    TBevelCut FBevelInner = TBevelCut::bvNone;
    TBevelCut FBevelOuter = TBevelCut::bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = TBorderStyle::bsNone;
    TAlignment FAlignment = TAlignment::taCenter;
};

// Draws a 3D frame of `width` pixels inside r and shrinks r by it.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width);

class TTimer : public TComponent {
    QX_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    void Loaded() override;

    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    void WndProc(TMessage& m);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    HWND FWindow = nullptr;
    WNDPROC FStub = nullptr;
};

}  // namespace qx
