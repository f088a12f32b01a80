#include "support/DrawTestSupport.h"

#include <vector>

namespace skintest {

std::unique_ptr<qx::TBitmap> MakeBitmap(int w, int h, qx::TPixelFormat format,
                                        const std::function<COLORREF(int, int)>& colour) {
    auto bitmap = std::make_unique<qx::TBitmap>();
    // Built in 24 bits and converted, so 1-bit pictures get their nearest black or white.
    bitmap->SetPixelFormat(qx::TPixelFormat::pf24bit);
    bitmap->SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bitmap->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    bitmap->SetPixelFormat(format);
    return bitmap;
}

std::unique_ptr<qx::TBitmap> MakeTaggedBitmap(int w, int h, qx::TPixelFormat format) {
    return MakeBitmap(w, h, format, Tagged);
}

void UsePath(const qx::test::DibCanvas& canvas, TPath path) {
    if (path == TPath::Direct) return;
    ::SetMapMode(canvas.Dc(), MM_ANISOTROPIC);
    ::SetWindowExtEx(canvas.Dc(), 1, 1, nullptr);
    ::SetViewportExtEx(canvas.Dc(), 1, 1, nullptr);
}

std::string PathName(const testing::TestParamInfo<TPath>& info) { return info.param == TPath::Direct ? "Direct" : "Gdi"; }

COLORREF At(const qx::test::DibCanvas& canvas, int x, int y) {
    ::GdiFlush();
    return canvas.PixelRef(x, y);
}

namespace {
std::string SavePicture(const std::string& path, qx::TBitmap& picture) {
    std::vector<uint32_t> pixels(static_cast<size_t>(picture.Width()) * picture.Height());
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const COLORREF c = static_cast<COLORREF>(picture.Pixel(x, y));
            pixels[static_cast<size_t>(y) * picture.Width() + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return qx::test::WritePng(path, pixels.data(), picture.Width(), picture.Height()) ? path : "(not written)";
}
}  // namespace

std::string Dump(const std::string& name, const qx::test::DibCanvas& canvas, qx::TBitmap* source) {
    ::GdiFlush();
    const std::string base = qx::test::ArtifactsDir() + "\\" + name;
    std::string line = "pictures: " + (canvas.SavePng(base + ".png") ? base + ".png" : std::string("(not written)"));
    if (source && !source->Empty()) line += ", " + SavePicture(base + "_source.png", *source);
    return line;
}

std::string Dump(const std::string& name, qx::TBitmap& picture) {
    return "picture: " + SavePicture(qx::test::ArtifactsDir() + "\\" + name + ".png", picture);
}

}  // namespace skintest
