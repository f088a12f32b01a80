#pragma once
// Controls: TControl (anything with bounds and a parent), TGraphicControl (painted by its
// parent, no window), TWinControl (owns a window) and TCustomControl (a window with a canvas).
#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"
#include "ObjectInstance.h"

#include <string>
#include <vector>
#include <windows.h>

namespace qx {

class TWinControl;
class TCustomForm;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using TMouseEvent = TMethod<void(TObject*, int button, WPARAM keys, int x, int y)>;
using TKeyEvent = TMethod<void(TObject*, WORD& key, WPARAM shift)>;

// The window property that maps a window to its framework control: named by the global atom
// "ControlOfs%.8X%.8X" (module instance, thread id).
ATOM ControlAtom();
const std::wstring& ControlAtomName();
TWinControl* FindControl(HWND wnd);
// The framework control of a window, or of its nearest ancestor that has one.
TWinControl* FindVCLWindow(HWND wnd);

class TControl : public TComponent {
    QX_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    virtual RECT ClientRect();
    int ClientWidth() { RECT r = ClientRect(); return r.right - r.left; }
    int ClientHeight() { RECT r = ClientRect(); return r.bottom - r.top; }
    POINT ClientToScreen(POINT p);
    POINT ScreenToClient(POINT p);

    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool v);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign a);

    // Caption and Text are the same text (the window text of windowed controls).
    std::wstring Caption() { return GetText(); }
    void SetCaption(const std::wstring& s) { SetText(s); }
    virtual std::wstring GetText();
    virtual void SetText(const std::wstring& s);

    TColor Color() const { return FColor; }
    void SetColor(TColor c);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TFont* Font() { return &FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool v);

    // The replaceable window procedure: every message goes through it before the control's
    // own handling. Save it, install your own, call the saved one, put it back when done.
    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    virtual void WndProc(TMessage& m);
    virtual void DefaultHandler(TMessage& m);

    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void Click();
    void BringToFront();
    bool MouseInControl() const { return FMouseInControl; }

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    virtual void Changed() {}
    virtual void VisibleChanging() {}
    virtual void FontChanged(TObject*);
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    void SetMouseInControl(bool inside) { FMouseInControl = inside; }

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = TAlign::alNone;
    std::wstring FText;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    bool FMouseInControl = false;
    bool FIsControl = false;
    bool FClicksDisabled = false;

private:
    void ApplyParentFont();
    friend class TWinControl;
};

class TGraphicControl : public TControl {
    QX_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    TCanvas& Canvas() { return FCanvas; }
    // Paints with the parent's DC, already offset to this control's origin.
    void PaintTo(HDC dc);
    void WndProc(TMessage& m) override;

protected:
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};

struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    UINT WindowClassStyle = CS_DBLCLKS;
    HBRUSH Background = nullptr;
    HCURSOR Cursor = nullptr;
    std::wstring WinClassName;  // the framework's class name ("TButton")
    std::wstring SysClassName;  // the system class it superclasses ("BUTTON"); empty for own classes
};

class TWinControl : public TControl {
    QX_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Makes the window a child of a window the framework does not own.
    void SetParentWindow(HWND wnd);
    HWND ParentWindow() const { return FParentWindow; }
    void DestroyHandle();
    // Destroys and creates the window again (after a change of style).
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(i); }
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    // Sends a message to every child control.
    void Broadcast(TMessage& m);
    TControl* ControlAtPos(POINT p, bool allowDisabled);
    // Places the aligned children (Align other than alNone) in AlignArea.
    void Realign();
    // Where aligned children go: the client area, less what the control draws itself (tabs).
    virtual RECT AlignArea() { return ClientRect(); }

    int TabOrder();
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v) { FTabStop = v; }
    // Windowed children in tab order, descending into containers.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    virtual bool CanFocus();
    bool Focused();
    virtual void SetFocus();

    TBrush& Brush() { return FBrush; }
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
    bool ParentBackground() const { return FParentBackground; }
    virtual void SetParentBackground(bool v);
    RECT ClientRect() override;
    void SetBounds(int left, int top, int width, int height) override;
    std::wstring GetText() override;
    void SetText(const std::wstring& s) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void SetEnabled(bool v) override;

    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    // The stub's target: every message of the window enters here.
    void MainWndProc(TMessage& m);
    WNDPROC DefWndProc() const { return FDefWndProc; }
    WNDPROC ObjectInstance() const { return FObjectInstance; }

    TKeyEvent OnKeyDown;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    virtual void CreateHandleChildren();
    // Called once the window exists (the place to send it initial state).
    virtual void HandleCreated() {}
    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& m);
    // WM_PRINT for the framework's own window classes: background, client and children into
    // the given DC (the system's default prints no children under every platform).
    void PrintHandler(TMessage& m);
    void PaintControls(HDC dc);
    void UpdateShowing();
    // Colours a child window's background and text (reflected WM_CTLCOLOR*).
    virtual LRESULT CtlColor(HDC dc);
    virtual bool IsDialogKey(WORD key) { (void)key; return false; }

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    WNDPROC FObjectInstance = nullptr;
    std::vector<TControl*> FControls;     // every child, in z-order of insertion
    std::vector<TWinControl*> FTabList;   // windowed children in tab order
    bool FTabStop = false;
    TBrush FBrush;
    bool FDoubleBuffered = false;
    bool FParentBackground = false;
    bool FCreatingHandle = false;

private:
    void ColorChanged(TObject*);
    bool HandleKey(TMessage& m);
    friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM) noexcept;
};

class TCustomControl : public TWinControl {
    QX_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas& Canvas() { return FCanvas; }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TCanvas FCanvas;
};

// The form a control sits on, or none.
TCustomForm* GetParentForm(TControl* control);

}  // namespace qx
