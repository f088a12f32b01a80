#include "skin/data/PixelRows.h"

using qx::TBitmap;
using qx::TPixelFormat;

int BytesPerPixel(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf24bit: return 3;
    case TPixelFormat::pf32bit: return 4;
    case TPixelFormat::pf1bit: return 0;
    }
    return 0;
}

TPixelView ViewOf(TBitmap& bitmap) {
    TPixelView view;
    if (bitmap.Empty()) return view;
    view.Bits = bitmap.ScanLine(0);  // flushes GDI; the rows follow each other top down
    view.Stride = bitmap.ScanLineBytes();
    view.Width = bitmap.Width();
    view.Height = bitmap.Height();
    view.BytesPerPixel = BytesPerPixel(bitmap.PixelFormat());
    return view;
}

TColourRows::TColourRows(TBitmap& bitmap) : FSource(&bitmap) {
    if (bitmap.PixelFormat() == TPixelFormat::pf1bit && !bitmap.Empty()) {
        // Converting a copy resolves the two-colour table; the skin image itself stays as it is.
        FCopy.Assign(&bitmap);
        FCopy.SetPixelFormat(TPixelFormat::pf24bit);
        FSource = &FCopy;
    }
    FView = ViewOf(*FSource);
}
