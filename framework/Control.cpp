#include "Controls.h"
#include "Forms.h"

#include <cstdio>

namespace qx {

//--- the control property

const std::wstring& ControlAtomName() {
    static const std::wstring name = [] {
        wchar_t buf[40];
        std::swprintf(buf, 40, L"ControlOfs%.8X%.8X",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(::GetModuleHandleW(nullptr))),
                      static_cast<unsigned>(::GetCurrentThreadId()));
        return std::wstring(buf);
    }();
    return name;
}

ATOM ControlAtom() {
    static const ATOM atom = ::GlobalAddAtomW(ControlAtomName().c_str());
    return atom;
}

TWinControl* FindControl(HWND wnd) {
    if (!wnd || !::IsWindow(wnd)) return nullptr;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid != ::GetCurrentProcessId()) return nullptr;
    return static_cast<TWinControl*>(::GetPropW(wnd, MAKEINTATOM(ControlAtom())));
}

TWinControl* FindVCLWindow(HWND wnd) {
    for (; wnd; wnd = ::GetParent(wnd))
        if (TWinControl* c = FindControl(wnd)) return c;
    return nullptr;
}

TCustomForm* GetParentForm(TControl* control) {
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

//--- TControl

static const std::vector<std::wstring> kAlignNames{L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient"};

QX_DEFINE_CLASS(TControl, TComponent, b) {
    b.Integer(L"Left", &TControl::Left, &TControl::SetLeft);
    b.Integer(L"Top", &TControl::Top, &TControl::SetTop);
    b.Integer(L"Width", &TControl::Width, &TControl::SetWidth);
    b.Integer(L"Height", &TControl::Height, &TControl::SetHeight);
    b.Boolean(L"Visible", &TControl::Visible, &TControl::SetVisible);
    b.Boolean(L"Enabled", &TControl::Enabled, &TControl::SetEnabled);
    b.Enum<TAlign>(L"Align", kAlignNames, &TControl::Align, &TControl::SetAlign);
    b.String(L"Caption", &TControl::Caption, &TControl::SetCaption);
    b.Integer(L"Color", &TControl::Color, &TControl::SetColor);
    b.Boolean(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    b.Object(L"Font", &TControl::Font);
    b.Boolean(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    b.Event(L"OnClick", &TControl::OnClick);
    b.Event(L"OnMouseDown", &TControl::OnMouseDown);
    b.Event(L"OnMouseUp", &TControl::OnMouseUp);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
    FFont.OnChange = TNotifyEvent::Of<&TControl::FontChanged>(this);
}

TControl::~TControl() {
    if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (parent == this) throw std::invalid_argument("a control cannot be its own parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        if (FParentFont) ApplyParentFont();
        if (FParentColor) ParentColorChanged();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
}

RECT TControl::ClientRect() { return {0, 0, FWidth, FHeight}; }

POINT TControl::ClientToScreen(POINT p) {
    POINT origin{FLeft, FTop};
    if (FParent) origin = FParent->ClientToScreen(origin);
    return {p.x + origin.x, p.y + origin.y};
}

POINT TControl::ScreenToClient(POINT p) {
    POINT origin = ClientToScreen({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

void TControl::SetVisible(bool v) {
    if (v == FVisible) return;
    VisibleChanging();
    Invalidate();
    FVisible = v;
    Perform(CM_VISIBLECHANGED, v ? 1 : 0);
    Invalidate();
}

void TControl::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetAlign(TAlign a) {
    if (a == FAlign) return;
    FAlign = a;
    if (FParent) FParent->Realign();
}

std::wstring TControl::GetText() { return FText; }

void TControl::SetText(const std::wstring& s) {
    if (s == FText) return;
    FText = s;
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor c) {
    if (c == FColor && !FParentColor) return;
    FColor = c;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TControl::SetParentColor(bool v) {
    FParentColor = v;
    if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (FParentColor && FParent) {
        FColor = FParent->Color();
        FParentColor = true;
        Perform(CM_COLORCHANGED);
        Invalidate();
    }
}

void TControl::SetParentFont(bool v) {
    FParentFont = v;
    if (v) ApplyParentFont();
}

void TControl::ApplyParentFont() {
    if (!FParent) return;
    bool keep = FParentFont;
    FFont.Assign(FParent->Font());
    FParentFont = keep;
}

void TControl::ParentFontChanged() {
    if (FParentFont) ApplyParentFont();
}

void TControl::FontChanged(TObject*) {
    FParentFont = false;
    Perform(CM_FONTCHANGED);
    Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
    TMessage m{msg, wp, lp, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        int button = (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONUP) ? 0 : 1;
        bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN;
        const TMouseEvent& ev = down ? OnMouseDown : OnMouseUp;
        if (ev) ev(this, button, m.WParam, static_cast<short>(m.LParamLo()), static_cast<short>(m.LParamHi()));
        break;
    }
    case CM_PARENTFONTCHANGED: ParentFontChanged(); return;
    case CM_PARENTCOLORCHANGED: ParentColorChanged(); return;
    }
    DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) {
    switch (m.Msg) {
    case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<wchar_t*>(m.LParam);
        size_t cap = m.WParam;
        if (!buf || cap == 0) return;
        size_t n = std::min(FText.size(), cap - 1);
        FText.copy(buf, n);
        buf[n] = 0;
        m.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_SETTEXT:
        FText = m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"";
        m.Result = 1;
        return;
    }
}

void TControl::Invalidate() {
    if (FParent && FParent->HandleAllocated() && FVisible) {
        RECT r = BoundsRect();
        ::InvalidateRect(FParent->Handle(), &r, TRUE);
    }
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::BringToFront() {
    if (!FParent) return;
    FParent->RemoveControl(this);
    FParent->InsertControl(this);
}

//--- TGraphicControl

QX_DEFINE_CLASS(TGraphicControl, TControl, b) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}
TGraphicControl::~TGraphicControl() { FCanvas.SetHandle(nullptr); }

void TGraphicControl::PaintTo(HDC dc) {
    DcStateGuard state(dc);
    ::OffsetViewportOrgEx(dc, FLeft, FTop, nullptr);
    ::IntersectClipRect(dc, 0, 0, FWidth, FHeight);
    FCanvas.SetHandle(dc);
    Paint();
    FCanvas.SetHandle(nullptr);
}

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_LBUTTONUP && FEnabled) {
        TControl::WndProc(m);
        Click();
        return;
    }
    TControl::WndProc(m);
}

}  // namespace qx
