#include "skin/controls/SkinTabSheet.h"

QX_DEFINE_CLASS(TSkinTabSheet, TSkinControl, b) {}

TSkinTabSheet::TSkinTabSheet(qx::TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabSheet::BeforeMessage(qx::TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT: PaintWholeWindow(m); return false;
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(FWindow, &client);
        FillBackground(reinterpret_cast<HDC>(m.WParam), client);
        m.Result = 1;
        return false;
    }
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTabSheet::Paint(HDC dc, const RECT& r) {
    FillBackground(dc, r);
    if (FControl)
        for (int i = 0; i < FControl->ControlCount(); ++i)
            if (auto* g = dynamic_cast<qx::TGraphicControl*>(FControl->Controls(i)); g && g->Visible()) g->PaintTo(dc);
}
