#include "skin/controls/SkinTab31.h"

#include "framework/Handles.h"
#include "framework/TabSet.h"
#include "skin/controls/SkinCaptionText.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPaintHelpers.h"

#include <algorithm>

QX_DEFINE_CLASS(TSkinTab31, TSkinControl, b) {}

TSkinTab31::TSkinTab31(qx::TComponent* owner) : TSkinControl(owner) {}

void TSkinTab31::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    TSkinControl::Attach(form, skinData, colourFlag, canvas);
    if (!FAttached) return;
    PrepareImage();
    // The arrows are the tab set's first component when it has them.
    auto* tabSet = dynamic_cast<qx::TTabSet*>(FControl);
    if (!tabSet || tabSet->ComponentCount() == 0) return;
    auto* arrows = dynamic_cast<qx::TUpDown*>(tabSet->Components(0));
    if (!arrows || ::SendMessageW(arrows->Handle(), SKN_QUERY, 0, 0) == 1) return;
    auto* upDown = new TSkinUpDown(arrows);
    upDown->SetHorizontal(true);
    upDown->Attach(form, skinData, false, canvas);
    upDown->FreeNotification(this);
    FUpDown = upDown;
}

void TSkinTab31::Notification(qx::TComponent* component, qx::TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == qx::TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
}

void TSkinTab31::PrepareImage() {
    FTabImage.SetSize(0, 0);
    TDataSkinBorder* tabs = FSkinData ? FSkinData->Tabs.get() : nullptr;
    if (!tabs || tabs->Bitmap.Empty()) return;
    FTabImage.Assign(&tabs->Bitmap);
    FTabImage.SetPixelFormat(qx::TPixelFormat::pf24bit);
    FlipBitmap(FTabImage);
}

void TSkinTab31::SkinChanged() {
    PrepareImage();
    TSkinControl::SkinChanged();
}

// The whole strip is painted here; the tab set still runs its own paint, which finds nothing
// left to draw (the update region was validated).
bool TSkinTab31::BeforeMessage(qx::TMessage& m) {
    if (FTabImage.Empty()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT: PaintWholeWindow(m); return true;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinTab31::Paint(HDC dc, const RECT& r) {
    auto* tabSet = dynamic_cast<qx::TTabSet*>(FControl);
    if (FTabImage.Empty() || !tabSet || !FSkinData || !FSkinData->Tabs) return;
    TDataSkinBorder& look = *FSkinData->Tabs;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    qx::TBitmap buffer;
    buffer.SetPixelFormat(qx::TPixelFormat::pf24bit);
    buffer.SetSize(w, h);
    HDC b = buffer.Canvas().Handle();
    FillBackground(b, RECT{0, 0, w, h});
    FDrawn.clear();
    {
        qx::SelectGuard selectFont(b, tabSet->Font()->Handle());
        const bool arrows = FUpDown && ::IsWindowVisible(FUpDown->Window());
        int x = tabSet->StartMargin();
        for (int i = std::max(0, tabSet->FirstIndex()); i < tabSet->Tabs()->Count(); ++i) {
            const std::wstring text = tabSet->Tabs()->Get(i);
            RECT measured{0, 0, 0, 0};
            DrawTextWide(b, text, measured, DT_SINGLELINE | DT_CALCRECT | DT_NOCLIP);
            const int textWidth = measured.right - measured.left;
            if (x + textWidth + (arrows ? 21 : 9) > w - tabSet->EndMargin()) break;
            const RECT tab{x, 0, x + textWidth + 9, h};
            const int frame = i == tabSet->TabIndex() ? 2 : 1;
            DrawSkinImage(b, tab, FTabImage, look.Margins, false, look.Tile != 0, look.Trans != 0, look.FrameCount, frame);
            ::SetTextColor(b, qx::ColorToRGB(frame == 2 ? look.MouseOverColour2 : look.NormalColour2));
            DrawPlainCaption(b, tab, text, DT_CENTER);
            FDrawn.emplace_back(i, tab);
            x = tab.right;
        }
    }
    qx::BitmapDc source(buffer);
    ::BitBlt(dc, r.left, r.top, w, h, source.get(), 0, 0, SRCCOPY);
}
