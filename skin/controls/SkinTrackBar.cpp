#include "skin/controls/SkinTrackBar.h"

#include "framework/Handles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDraw.h"

#include <utility>

QX_DEFINE_CLASS(TSkinTrackBar, TSkinControl, b) {}

TSkinTrackBar::TSkinTrackBar(qx::TComponent* owner) : TSkinControl(owner) {}

// The notification reaches a framework track bar reflected (CN_NOTIFY) and a raw one's parent
// as WM_NOTIFY; both are answered the same way.
bool TSkinTrackBar::BeforeMessage(qx::TMessage& m) {
    if ((m.Msg == WM_NOTIFY || m.Msg == qx::CN_NOTIFY) && m.LParam) {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == NM_CUSTOMDRAW && header->hwndFrom == FWindow) {
            LRESULT result = CDRF_DODEFAULT;
            if (CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam), result)) {
                m.Result = result;
                return false;
            }
        }
    }
    return TSkinControl::BeforeMessage(m);
}

bool TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& draw, LRESULT& result) {
    const bool vertical = (WindowLong(FWindow, GWL_STYLE) & TBS_VERT) != 0;
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
        return true;
    }
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT) return false;
    switch (draw.dwItemSpec) {
    case TBCD_TICS: result = CDRF_DODEFAULT; return true;
    case TBCD_THUMB:
        DrawThumb(draw.hdc, vertical);
        result = CDRF_SKIPDEFAULT;
        return true;
    case TBCD_CHANNEL:
        DrawChannel(draw.hdc, vertical);
        result = CDRF_SKIPDEFAULT;
        return true;
    default: return false;
    }
}

void TSkinTrackBar::DrawThumb(HDC dc, bool vertical) {
    RECT r{};
    ::SendMessageW(FWindow, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    TDataSkinObject* look = nullptr;
    if (FSkinData) look = vertical ? FSkinData->ThumbVert.get() : FSkinData->ThumbHorz.get();
    if (look && !look->Bitmap.Empty()) {
        DrawSkinFrame(dc, r, look->Bitmap, true, 5, 2);
        return;
    }
    FillBackground(dc, r);
    qx::UniqueBrush edge(::CreateSolidBrush(qx::ColorToRGB(FSkinData ? FSkinData->ButtonShadow : qx::clBtnShadow)));
    ::FrameRect(dc, &r, edge.get());
}

// The system reports a vertical bar's channel as if the bar lay down (some versions report it
// upright): a lying rectangle is turned upright.
void TSkinTrackBar::DrawChannel(HDC dc, bool vertical) {
    RECT r{};
    ::SendMessageW(FWindow, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
    if (vertical && r.right - r.left > r.bottom - r.top) r = RECT{r.top, r.left, r.bottom, r.right};
    TDataSkinObject* look = nullptr;
    if (FSkinData) look = vertical ? FSkinData->TrackVert.get() : FSkinData->Track.get();
    if (look && !look->Bitmap.Empty()) {
        DrawSkinImage(dc, r, look->Bitmap, look->Margins, false, false, false, 1, 1);
        return;
    }
    ::DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
}

// A track bar repaints its parts when its focus changes; moving the focus there and straight
// back is how it is made to draw again with the new skin.
void TSkinTrackBar::SkinChanged() {
    TSkinControl::SkinChanged();
    if (!FWindow || !::IsWindowVisible(FWindow)) return;
    HWND had = ::GetFocus();
    ::SetFocus(FWindow);
    if (had && had != FWindow) ::SetFocus(had);
}
