// The viewer's page of range controls: progress bars (horizontal, vertical, in chunks), track
// bars in both orientations, scroll-bar controls of both kinds (one disabled) and an up-down
// standing on its own.
#include "SkinViewForm.h"
#include "SkinViewPlace.h"

#include "framework/ProgressBar.h"
#include "framework/ScrollBar.h"
#include "framework/TrackBar.h"
#include "framework/UpDown.h"

using namespace qx;
using skinview::Place;

void TSkinViewForm::BuildRangesPage() {
    Place<TLabel>(RangesPage, this, 12, 8, 280, 16, L"进度条");
    const struct {
        int Left, Top, Width, Height, Position;
        TProgressBarOrientation Orientation;
        TProgressBarStyle Style;
    } bars[] = {
        {12, 28, 280, 20, 60, TProgressBarOrientation::pbHorizontal, TProgressBarStyle::pbstNormal},
        {12, 56, 280, 20, 45, TProgressBarOrientation::pbHorizontal, TProgressBarStyle::pbstChunks},
        {12, 86, 22, 200, 70, TProgressBarOrientation::pbVertical, TProgressBarStyle::pbstNormal},
        {44, 86, 22, 200, 30, TProgressBarOrientation::pbVertical, TProgressBarStyle::pbstChunks},
    };
    for (const auto& b : bars) {
        auto* bar = Place<TProgressBar>(RangesPage, this, b.Left, b.Top, b.Width, b.Height);
        bar->SetOrientation(b.Orientation);
        bar->SetStyle(b.Style);
        bar->SetPosition(b.Position);
    }

    Place<TLabel>(RangesPage, this, 84, 86, 200, 16, L"滑块");
    auto* across = Place<TTrackBar>(RangesPage, this, 84, 106, 208, 40);
    across->SetPosition(3);
    // Turning a placed track bar swaps its width and height: the vertical one is turned first.
    auto* down = new TTrackBar(this);
    down->SetOrientation(TTrackBarOrientation::trVertical);
    down->SetParent(RangesPage);
    down->SetBounds(310, 28, 40, 258);
    down->SetPosition(6);

    Place<TLabel>(RangesPage, this, 84, 160, 200, 16, L"滚动条");
    const struct {
        int Left, Top, Width, Height, Position;
        TScrollBarKind Kind;
        bool Enabled;
    } scrolls[] = {
        {84, 180, 208, 17, 30, TScrollBarKind::sbHorizontal, true},
        {84, 206, 208, 17, 60, TScrollBarKind::sbHorizontal, false},
        {370, 28, 17, 258, 40, TScrollBarKind::sbVertical, true},
    };
    for (const auto& s : scrolls) {
        auto* bar = new TScrollBar(this);
        bar->SetKind(s.Kind);
        bar->SetParent(RangesPage);
        bar->SetBounds(s.Left, s.Top, s.Width, s.Height);
        bar->SetPageSize(20);
        bar->SetPosition(s.Position);
        bar->SetEnabled(s.Enabled);
    }

    Place<TLabel>(RangesPage, this, 410, 8, 200, 16, L"独立的上下按钮");
    auto* spin = Place<TUpDown>(RangesPage, this, 410, 28, 20, 44);
    spin->SetPosition(5);
    auto* sideways = Place<TUpDown>(RangesPage, this, 440, 28, 44, 20);
    sideways->SetOrientation(TUDOrientation::udHorizontal);
}
