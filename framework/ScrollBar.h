#pragma once
// TScrollBar: a scroll-bar control (window class "TScrollBar" over "SCROLLBAR"), horizontal or
// vertical by Kind. The system only reports what the user did; the control moves its position
// by SmallChange, LargeChange or to the dragged thumb, within Min..Max less the page.
#include "Controls.h"

namespace qx {

enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TMethod<void(TObject* sender, TScrollCode code, int& position)>;

class TScrollBar : public TWinControl {
    QX_CLASS(TScrollBar)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind v);
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int v) { FSmallChange = v; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int v) { FLargeChange = v; }
    // The highest position the thumb can reach: Max less the page.
    int HighestPosition() const;
    void WndProc(TMessage& m) override;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

protected:
    void CreateParams(TCreateParams& p) override;
    void HandleCreated() override;

private:
    void WriteScrollInfo();
    void Scroll(WORD code);

    TScrollBarKind FKind = TScrollBarKind::sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};

}  // namespace qx
