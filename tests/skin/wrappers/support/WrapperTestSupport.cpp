#include "support/WrapperTestSupport.h"

#include "framework/Streams.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace wraptest {

namespace {

void FillFrames(qx::TBitmap& bitmap, int frames, int w, int h, COLORREF (*colour)(int), bool magentaCorner) {
    bitmap.SetPixelFormat(qx::TPixelFormat::pf24bit);
    bitmap.SetSize(w * frames, h);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < w * frames; ++x) {
            COLORREF c = colour(x / w + 1);
            if (magentaCorner && x % w == 0 && y == 0) c = RGB(255, 0, 255);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
}

int FrameOf(COLORREF c, COLORREF (*colour)(int)) {
    for (int k = 1; k <= 12; ++k)
        if (colour(k) == c) return k;
    return 0;
}

// The binary property a component stores its skin in, handed out so a test can read the default
// skin the way the form reader does.
class TSkinStreamProbe : public qx::TFiler {
public:
    void DefineProperty(const std::wstring&, TReaderProc, TWriterProc, bool) override {}
    void DefineListProperty(const std::wstring&, TListReaderProc, TListWriterProc, bool) override {}
    void DefineBinaryProperty(const std::wstring& name, TStreamProc read, TStreamProc, bool) override {
        if (name == L"SkinStream") Read = std::move(read);
    }
    TStreamProc Read;
};

}  // namespace

COLORREF ButtonFrameColour(int k) { return RGB(40 * k, 0x20, 0x60); }
COLORREF CheckFrameColour(int k) { return RGB(16 * k, 0x40, 0x90); }
COLORREF RadioFrameColour(int k) { return RGB(16 * k, 0x90, 0x40); }
int ButtonFrameOf(COLORREF c) { return FrameOf(c, &ButtonFrameColour); }
int CheckFrameOf(COLORREF c) { return FrameOf(c, &CheckFrameColour); }
int RadioFrameOf(COLORREF c) { return FrameOf(c, &RadioFrameColour); }

std::unique_ptr<TSkinData> MakeTestSkin(const TTestSkinShape& shape) {
    qx::test::EnsureApplication();
    auto skin = std::make_unique<TSkinData>(nullptr);
    TDataSkinButton& b = *skin->Button;
    FillFrames(b.Bitmap, 5, shape.ButtonWidth, shape.ButtonHeight, &ButtonFrameColour, shape.MagentaCorner);
    b.Margins = {shape.Margin, shape.Margin, shape.Margin, shape.Margin};
    b.Trans = shape.MagentaCorner ? 1 : 0;
    b.Tile = 0;
    b.FrameCount = 5;
    if (shape.CheckFrames > 0) FillFrames(b.CheckBitmap, shape.CheckFrames, shape.CheckWidth, shape.ImageHeight, &CheckFrameColour, false);
    if (shape.RadioFrames > 0) FillFrames(b.RadioBitmap, shape.RadioFrames, shape.RadioWidth, shape.ImageHeight, &RadioFrameColour, false);
    b.CheckFrames = shape.CheckFrames;
    b.RadioFrames = shape.RadioFrames;
    skin->ButtonFace = static_cast<qx::TColor>(kTestFace);
    return skin;
}

std::unique_ptr<TSkinData> LoadDefaultSkin() {
#ifdef QUELLOX_DEFAULT_SKIN
    std::string path = QUELLOX_DEFAULT_SKIN;
    // Under Wine the build tree's Unix path is reached through drive Z:.
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    qx::test::EnsureApplication();
    auto skin = std::make_unique<TSkinData>(nullptr);
    TSkinStreamProbe probe;
    skin->DefineProperties(probe);
    if (!probe.Read) return nullptr;
    qx::TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    probe.Read(stream);
    if (skin->NotLoaded()) return nullptr;
    return skin;
#else
    return nullptr;
#endif
}

//--- TTestHost

TTestHost::TTestHost(TSkinData* skin) : qx::TComponent(nullptr), FSkin(skin) {}

TTestHost::~TTestHost() { Release(); }

bool TTestHost::RegisterControl(TSkinControl* wrapper) {
    if (std::find(FWrappers.begin(), FWrappers.end(), wrapper) != FWrappers.end()) return true;
    FWrappers.push_back(wrapper);
    return false;
}

void TTestHost::UnregisterControl(TSkinControl* wrapper) {
    FWrappers.erase(std::remove(FWrappers.begin(), FWrappers.end(), wrapper), FWrappers.end());
}

void TTestHost::Release() {
    std::vector<TSkinControl*> wrappers;
    wrappers.swap(FWrappers);
    for (TSkinControl* w : wrappers) {
        if (!w->Closed()) w->Detach();
        delete w;
    }
}

TSkinControl* TTestHost::WrapperOf(qx::TControl* control) const {
    for (TSkinControl* w : FWrappers)
        if (w->WrappedControl() == control) return w;
    return nullptr;
}

TSkinControl* TTestHost::WrapperOf(HWND window) const {
    for (TSkinControl* w : FWrappers)
        if (w->Window() == window) return w;
    return nullptr;
}

//--- forms and pixels

qx::TForm* MakeForm(int width, int height) {
    qx::test::EnsureApplication();
    auto* form = new qx::TForm(qx::Application);
    form->SetBounds(40, 40, width, height);
    form->SetColor(static_cast<qx::TColor>(kTestParent));
    form->HandleNeeded();
    return form;
}

std::unique_ptr<qx::test::DibCanvas> PrintClient(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    auto canvas = std::make_unique<qx::test::DibCanvas>(std::max(1, static_cast<int>(r.right - r.left)),
                                                        std::max(1, static_cast<int>(r.bottom - r.top)));
    canvas->Fill(RGB(1, 2, 3));
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
    ::GdiFlush();
    return canvas;
}

bool AreaIs(const qx::test::DibCanvas& canvas, const RECT& area, COLORREF colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.PixelRef(x, y) != colour) return false;
    return true;
}

std::string SaveShot(const qx::test::DibCanvas& canvas, const std::string& name) {
    const std::string path = qx::test::ArtifactsDir() + "/" + name + ".png";
    canvas.SavePng(path);
    return path;
}

void Pump(int ms) { qx::test::PumpPending(std::chrono::milliseconds(ms)); }

}  // namespace wraptest
