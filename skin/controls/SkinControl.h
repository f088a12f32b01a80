// TSkinControl: the base of every control wrapper. A wrapper attaches itself to one control,
// takes over its message stream and paints the control's look from the skin, while the control
// keeps its behaviour.
//
// Two ways to attach:
//  - Attach: to the framework control that owns the wrapper (a component owned by the control,
//    so it dies with it); the control's WindowProc method pointer is replaced.
//  - AttachWindow: to a raw window (system dialog, other module); the window procedure is
//    replaced by an object-instance stub bound to the wrapper, which the host form owns.
//
// Every message then runs SkinWndProc: SKN_ENABLE switches skinned painting on and off;
// otherwise BeforeMessage decides (true: the previous procedure handles the message and
// AfterMessage follows; false: consumed, the result already set).
//
// States: 0 created, 1 attached, 2 detached (subclasses may use it), 6 the window was
// destroyed (the wrapper no longer touches it; the form frees it at its next purge).
#pragma once

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Messages.h"
#include "framework/SubclassSlot.h"
#include "skin/SkinMessages.h"
#include "skin/controls/SkinControlHost.h"
#include "skin/form/FormControl.h"

#include <cstdint>
#include <string>
#include <windows.h>

class TSkinData;

// Wrapper states.
enum class TWrapperState : std::uint8_t {
    wsCreated = 0,
    wsAttached = 1,
    wsDetached = 2,
    wsWindowDestroyed = 6,
};
inline constexpr TWrapperState kWrapperCreated = TWrapperState::wsCreated;
inline constexpr TWrapperState kWrapperAttached = TWrapperState::wsAttached;
inline constexpr TWrapperState kWrapperDetached = TWrapperState::wsDetached;
inline constexpr TWrapperState kWrapperWindowDestroyed = TWrapperState::wsWindowDestroyed;

// Mouse state bits.
inline constexpr std::uint8_t kMouseHot = 1;
inline constexpr std::uint8_t kMousePressed = 2;

// A control whose Tag is this paints the parent's background behind a button, check box or
// radio image.
inline constexpr int kTransparentTag = 5555;

// A component (owned by its control, or by the host form for a raw window) and, for the
// skinned form that holds it, a TFormControl.
class TSkinControl : public qx::TComponent, public TFormControl {
    QX_CLASS(TSkinControl)
public:
    explicit TSkinControl(qx::TComponent* owner);
    ~TSkinControl() override;

    //--- virtual slots
    // Attaches to the framework control that owns this wrapper. colourFlag: the control's
    // Color becomes the skin's ButtonFace (and ParentBackground is switched off) until Detach.
    virtual void Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas);
    // Attaches to a raw window by replacing its window procedure.
    virtual void AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas);
    // Undoes the recolouring and the ParentBackground change (once).
    void Detach() override;
    // True lets the message go on to the previous procedure; false consumes it.
    virtual bool BeforeMessage(qx::TMessage& m);
    // Runs after the previous procedure handled the message.
    virtual void AfterMessage(qx::TMessage& m);
    // Paints the whole window (frame included) into dc, or into a window DC when dc is 0.
    virtual void PaintWindow(HDC dc);
    // Draws the skinned look into dc at r (the window rectangle moved to the origin).
    virtual void Paint(HDC dc, const RECT& r);
    // Re-applies the skin colour after a skin change and repaints.
    void SkinChanged() override;
    // SKN_ENABLE switched skinned painting on or off (after the switch, before the repaint).
    virtual void PaintingSwitched(bool on) { (void)on; }

    //--- TFormControl
    HWND WrappedWindow() const override { return FWindow; }
    bool Closed() const override { return FState == kWrapperWindowDestroyed; }

    //--- the message stream
    void SkinWndProc(qx::TMessage& m);
    // The previous WindowProc, or the previous window procedure; the result lands in m.
    void CallDefault(qx::TMessage& m);
    void Repaint();
    // The host form is going away before this wrapper: it must not be called any more.
    void ForgetForm();

    //--- state, read by the form skinning, the classification and tests
    HWND Window() const { return FWindow; }
    qx::TWinControl* Control() const { return FControl; }
    qx::TControl* GraphicControl() const { return FGraphicControl; }
    // The framework control wrapped (windowed or not), none for a raw window.
    qx::TControl* WrappedControl() const;
    TSkinData* SkinData() const { return FSkinData; }
    TSkinControlHost* Form() const { return FForm; }
    TWrapperState State() const { return FState; }
    void SetState(TWrapperState state) { FState = state; }
    bool Attached() const { return FAttached; }
    bool PaintingOn() const { return FPaintingOn; }
    bool Hot() const { return (FMouseState & kMouseHot) != 0; }
    bool Pressed() const { return (FMouseState & kMousePressed) != 0; }
    // The wrapper recolours its control; an OnSkinControl handler sets it on the wrapper it
    // returns, and the classification attaches with it.
    bool ColourFlag() const { return FColourFlag; }
    void SetColourFlag(bool on) { FColourFlag = on; }
    std::uint8_t Variant() const { return FVariant; }
    bool ParentBackgroundChanged() const { return FParentBackgroundChanged; }
    bool Unicode() const { return FUnicode; }
    const RECT& WindowRect() const { return FWindowRect; }
    const std::wstring& CaptionText() const { return FCaption; }

protected:
    void SetHot(bool on) { SetMouseBit(kMouseHot, on); }
    void SetPressed(bool on) { SetMouseBit(kMousePressed, on); }
    void SetMouseBit(std::uint8_t bit, bool on) { FMouseState = on ? (FMouseState | bit) : (FMouseState & ~bit); }

    // Fills with the skin's ButtonFace.
    void FillBackground(HDC dc, const RECT& r);
    // Fills with the parent's colour when the control has a parent, else ButtonFace.
    void FillParentColour(HDC dc, const RECT& r);
    // The focus rectangle around FCaption as DrawText lays it out in r with `flags`.
    void DrawFocus(HDC dc, UINT flags, const RECT& r);
    // WM_PAINT / WM_PRINT / WM_PRINTCLIENT: Paint over the whole window into wParam's DC, or
    // between BeginPaint and EndPaint when wParam is 0.
    void PaintWholeWindow(qx::TMessage& m);
    // WM_ERASEBKGND: the parent's background (framework control) or parent colour; result 1.
    void EraseWithParentBackground(qx::TMessage& m);
    // Fires the framework control's mouse-down (left button) for a press the wrapper consumed.
    void ForwardMouseDown(const qx::TMessage& m);
    LONG_PTR WindowLong(HWND window, int index) const;
    // The caption as the control shows it: the Caption property, else the window text.
    std::wstring ReadCaption() const;
    bool WindowFocused() const { return FWindow && ::GetFocus() == FWindow; }
    bool WindowEnabled() const;

    // The recolouring of Attach (the colour flag), for wrappers with an attach of their own.
    void ApplyColourFlag();
    // Hooks a non-windowed control's WindowProc (speed buttons); no window handle.
    void HookGraphicControl(qx::TControl* control);

    //--- fields, in the order the engine keeps them
    std::uint8_t FMouseState = 0;
    qx::TCanvas* FCanvas = nullptr;
    bool FEnabled = true;
    bool FFocused = false;
    std::wstring FCaption;
    WNDPROC FPrevProc = nullptr;  // what a raw window's procedure was before us
    bool FPaintingOn = true;
    bool FUnicode = true;
    TSkinData* FSkinData = nullptr;
    HWND FWindow = nullptr;
    qx::TWndMethod FOldWindowProc;
    qx::TWinControl* FControl = nullptr;
    RECT FWindowRect{};
    qx::TControl* FGraphicControl = nullptr;
    bool FColourFlag = false;
    qx::TColor FSavedColour = 0;
    bool FSavedParentColour = false;
    bool FAttached = false;
    TWrapperState FState = kWrapperCreated;
    TSkinControlHost* FForm = nullptr;
    std::uint8_t FVariant = 0;
    bool FParentBackgroundChanged = false;

protected:
    // Puts our procedure in front of the control's WindowProc, keeping the one it replaces.
    // Wrappers of one control may hook over one another; each can leave in any order.
    void HookControl(qx::TControl* control);
    // Takes the framework control and what it is painted with, and registers with the form
    // (no hook).
    void BindControl(qx::TWinControl* control, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas);

private:
    // The raw window's entry: nothing may escape into the system's dispatch.
    void RawWndProc(qx::TMessage& m) noexcept;
    void Unhook();
    bool FColourApplied = false;
    qx::TSubclassSlot FRawSlot;  // a raw window's procedure slot
};
