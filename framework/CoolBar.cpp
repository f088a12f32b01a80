#include "CoolBar.h"
#include "CommonControls.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace qx {

QX_DEFINE_CLASS(TCoolBand, TCollectionItem, b) {
    b.Object(L"Control", &TCoolBand::Control,
             [](TCoolBand& band, TObject* v) { band.SetControl(dynamic_cast<TWinControl*>(v)); });
    b.String(L"Text", &TCoolBand::Text, &TCoolBand::SetText);
    b.Integer(L"Width", &TCoolBand::Width, &TCoolBand::SetWidth);
    b.Integer(L"MinHeight", &TCoolBand::MinHeight, &TCoolBand::SetMinHeight);
    b.Integer(L"MinWidth", &TCoolBand::MinWidth, &TCoolBand::SetMinWidth);
    b.Boolean(L"Break", &TCoolBand::Break, &TCoolBand::SetBreak);
    b.Integer(L"Color", &TCoolBand::Color, &TCoolBand::SetColor);
}

QX_DEFINE_CLASS(TCoolBar, TWinControl, b) {
    b.Object(L"Bands", &TCoolBar::Bands);
    b.Boolean(L"BandBorders", &TCoolBar::BandBorders, &TCoolBar::SetBandBorders);
    b.Boolean(L"FixedOrder", &TCoolBar::FixedOrder, &TCoolBar::SetFixedOrder);
    b.Creatable();
}

TCoolBar::TCoolBar(TComponent* owner)
    : TWinControl(owner), FBands(this, [this](TCollectionItem* item) { BandsChanged(item); }) {
    FWidth = 150;
    FHeight = 29;
    FAlign = TAlign::alTop;
}

// The framework places and sizes the bar; the bands place their controls.
void TCoolBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_COOL_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = REBARCLASSNAMEW;
    p.Style |= WS_CLIPCHILDREN | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | RBS_VARHEIGHT;
    if (FBandBorders) p.Style |= RBS_BANDBORDERS;
    if (FFixedOrder) p.Style |= RBS_FIXEDORDER;
}

void TCoolBar::HandleCreated() { BandsChanged(nullptr); }

void TCoolBar::SetBandBorders(bool v) {
    if (v == FBandBorders) return;
    FBandBorders = v;
    RecreateWnd();
}

void TCoolBar::SetFixedOrder(bool v) {
    if (v == FFixedOrder) return;
    FFixedOrder = v;
    RecreateWnd();
}

TCoolBand* TCoolBar::BandOf(TControl* control) const {
    for (int i = 0; i < FBands.Count(); ++i)
        if (FBands.Items(i)->Control() == control) return FBands.Items(i);
    return nullptr;
}

// A band's control is a child of the bar and placed by its band, not by alignment.
void TCoolBar::WriteBand(int index, bool insert) {
    TCoolBand* band = FBands.Items(index);
    HWND child = nullptr;
    if (TWinControl* control = band->Control()) {
        control->FreeNotification(this);
        if (control->Parent() != this) control->SetParent(this);
        control->SetAlign(TAlign::alNone);
        child = control->Handle();
    }
    std::wstring text = band->Text();
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_SIZE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_COLORS;
    info.fStyle = RBBS_CHILDEDGE | (band->Break() ? RBBS_BREAK : 0);
    info.lpText = text.data();
    info.cx = static_cast<UINT>(band->Width());
    info.hwndChild = child;
    info.cxMinChild = static_cast<UINT>(band->MinWidth());
    info.cyMinChild = static_cast<UINT>(band->MinHeight());
    info.clrFore = ColorToRGB(clBtnText);
    info.clrBack = ColorToRGB(band->Color());
    ::SendMessageW(FHandle, insert ? RB_INSERTBANDW : RB_SETBANDINFOW, static_cast<WPARAM>(insert ? -1 : index),
                   reinterpret_cast<LPARAM>(&info));
    if (child && band->Control()->Visible()) ::ShowWindow(child, SW_SHOWNA);
}

void TCoolBar::BandsChanged(TCollectionItem* item) {
    if (!FHandle || HasState(csDestroying)) return;
    if (item) return WriteBand(item->Index(), false);
    while (::SendMessageW(FHandle, RB_GETBANDCOUNT, 0, 0) > 0) ::SendMessageW(FHandle, RB_DELETEBAND, 0, 0);
    for (int i = 0; i < FBands.Count(); ++i) WriteBand(i, true);
}

// The system bar erases only its bands; the rest of a bar taller than its rows (the framework
// sizes it, not the bar) would keep whatever was on the screen. The whole client area is given
// the bar's own background first: the theme's when the bar is themed (as its bands are), else
// the bar's colour. The bands are then erased over it as the system draws them.
void TCoolBar::EraseBackground(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    RECT client{};
    ::GetClientRect(FHandle, &client);
    HTHEME theme = ::GetWindowTheme(FHandle);
    if (!theme || FAILED(::DrawThemeBackground(theme, dc, 0, 0, &client, nullptr)))
        ::FillRect(dc, &client, FBrush.Handle());
    DefaultHandler(m);
    m.Result = 1;
}

void TCoolBar::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND && FHandle && m.WParam) return EraseBackground(m);
    TWinControl::WndProc(m);
}

void TCoolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    for (int i = 0; i < FBands.Count(); ++i)
        if (FBands.Items(i)->Control() == component) FBands.Items(i)->ForgetControl();
}

}  // namespace qx
