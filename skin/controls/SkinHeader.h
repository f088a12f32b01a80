// TSkinHeader: a header control (stand-alone, attached to its framework control by the
// classification, or the header of a list view, attached by its window) drawn from the skin's
// Headerbar image: frame 2 for the item under the mouse, frame 1 for the others and for the
// space right of the last item. Without a Headerbar image the system draws the header.
#pragma once

#include "skin/controls/SkinControl.h"

#include <vector>

class TSkinHeader : public TSkinControl {
    QX_CLASS(TSkinHeader)
public:
    explicit TSkinHeader(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    // The item under the mouse, -1 when none.
    int HotItem() const { return FHotItem; }
    // The items' rectangles of the last paint, each shrunk by 3 horizontally (hit testing).
    const std::vector<RECT>& ItemRects() const { return FItemRects; }

private:
    bool HasImage() const;
    int ItemAt(POINT p) const;
    std::vector<RECT> FItemRects;
    int FHotItem = -1;
};
