#include "PanelCapture.h"

#include <cstdlib>
#include <fstream>

namespace admds::test {

TPicture CaptureClient(HWND wnd) {
    TPicture p;
    RECT client{};
    ::GetClientRect(wnd, &client);
    p.Width = client.right;
    p.Height = client.bottom;
    if (p.Width <= 0 || p.Height <= 0) return p;

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = p.Width;
    bi.bmiHeader.biHeight = -p.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    auto* px = static_cast<DWORD*>(bits);
    std::fill(px, px + p.Width * p.Height, kUntouched);
    ::SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    p.Pixels.assign(px, px + p.Width * p.Height);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    return p;
}

void Blit(TPicture& into, const TPicture& part, int x, int y) {
    for (int row = 0; row < part.Height; ++row)
        for (int col = 0; col < part.Width; ++col) {
            int tx = x + col, ty = y + row;
            if (tx >= 0 && ty >= 0 && tx < into.Width && ty < into.Height)
                into.Pixels[static_cast<size_t>(ty) * into.Width + tx] = part.At(col, row);
        }
}

std::wstring ArtifactsDir() {
    const wchar_t* dir = _wgetenv(L"QUELLOX_ARTIFACTS");
    if (!dir || !*dir) return L".";
    // Under Wine the variable holds a Unix path; the Z: drive is the Unix root.
    std::wstring path(dir);
    if (path[0] == L'/') path = L"Z:" + path;
    // Make every level that is missing.
    for (size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == L'/' || path[i] == L'\\') ::CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    return path;
}

bool SaveBmp(const std::wstring& path, const TPicture& picture) {
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    const DWORD imageBytes = static_cast<DWORD>(picture.Pixels.size() * 4);
    fh.bfType = 0x4D42;   // "BM"
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + imageBytes;
    ih.biSize = sizeof(ih);
    ih.biWidth = picture.Width;
    ih.biHeight = -picture.Height;   // top-down rows
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = imageBytes;
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
    out.write(reinterpret_cast<const char*>(&ih), sizeof(ih));
    out.write(reinterpret_cast<const char*>(picture.Pixels.data()), imageBytes);
    return static_cast<bool>(out);
}

}  // namespace admds::test
