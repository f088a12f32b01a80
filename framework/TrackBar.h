#pragma once
// TTrackBar: the system track bar ("msctls_trackbar32", window class "TTrackBar"), horizontal
// or vertical, with tick marks on either side, both or none. Moving the thumb (mouse or keys)
// reports OnChange.
#include "Controls.h"

namespace qx {

enum class TTrackBarOrientation { trHorizontal, trVertical };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
    QX_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position();
    void SetPosition(int v);
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation v);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark v);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle v);
    void WndProc(TMessage& m) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    void Restyle();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FFrequency = 1;
    int FLineSize = 1;
    int FPageSize = 2;
    TTrackBarOrientation FOrientation = TTrackBarOrientation::trHorizontal;
    TTickMark FTickMarks = TTickMark::tmBottomRight;
    TTickStyle FTickStyle = TTickStyle::tsAuto;
};

}  // namespace qx
