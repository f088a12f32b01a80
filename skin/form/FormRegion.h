// The shape of a skinned window cut out of its border images.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Handles.h"
#include "skin/form/FrameMetrics.h"

class TSkinData;

// The region a skinned window was given: the window owns it, so the handle is only its
// identity; the size it was cut for tells when it must be cut again.
struct TFormShape {
    HRGN Region = nullptr;
    bool HasRegion = false;
    int Width = 0;
    int Height = 0;
};

// True when the window's region follows the border images (any of the left, right and top
// borders is transparent); false for a plain rectangle over the whole window.
bool RegionFollowsBorders(const TSkinData& skin);

// The region of a W x H window: the inner rectangle plus the four borders, each either its
// rectangle or the non-magenta pixels of its rendered image. A transparent top border takes
// its shape from the painted caption strip when there is one (so the title plate and caption
// buttons count). A window of no area has no region (null).
qx::UniqueRgn BuildFrameRegion(TSkinData& skin, const TFrameMetrics& m, TBorderKind kind, int w, int h, bool active,
                               qx::TBitmap* captionStrip);
