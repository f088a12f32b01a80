#include "support/BoxesTestSupport.h"

#include "framework/Handles.h"
#include "skin/controls/SkinControl.h"

#include "framework/Streams.h"

#include <algorithm>

namespace boxestest {

TTestHost::~TTestHost() {
    // Wrappers of raw windows are owned here: they leave the list as they go.
    while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
    for (TSkinControl* w : std::vector<TSkinControl*>(FWrappers)) w->ForgetForm();
}

bool TTestHost::RegisterControl(TSkinControl* wrapper) {
    if (std::find(FWrappers.begin(), FWrappers.end(), wrapper) != FWrappers.end()) return true;
    FWrappers.push_back(wrapper);
    return false;
}

void TTestHost::UnregisterControl(TSkinControl* wrapper) {
    FWrappers.erase(std::remove(FWrappers.begin(), FWrappers.end(), wrapper), FWrappers.end());
}

namespace {

// Hands the stored skin to the component the way the form reader does: as its binary
// property SkinStream.
class TSkinStreamFiler : public qx::TFiler {
public:
    explicit TSkinStreamFiler(const void* bytes, DWORD size) : FBytes(bytes), FSize(size) {}
    void DefineProperty(const std::wstring&, TReaderProc, TWriterProc, bool) override {}
    void DefineListProperty(const std::wstring&, TListReaderProc, TListWriterProc, bool) override {}
    void DefineBinaryProperty(const std::wstring& name, TStreamProc read, TStreamProc, bool) override {
        if (name != L"SkinStream" || !read) return;
        qx::TMemoryStream stream;
        stream.WriteBuffer(FBytes, FSize);
        stream.SetPosition(0);
        read(stream);
    }

private:
    const void* FBytes;
    DWORD FSize;
};

std::vector<std::wstring> gSkinMessages;
void KeepSkinMessage(const std::wstring& text) { gSkinMessages.push_back(text); }

}  // namespace

std::unique_ptr<TSkinData> LoadDefaultSkin() {
    qx::test::EnsureApplication();
    SetSkinMessageProc(&KeepSkinMessage);
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, L"DEFAULTSKIN", MAKEINTRESOURCEW(10));
    if (!res) return nullptr;
    const void* bytes = ::LockResource(::LoadResource(module, res));
    const DWORD size = ::SizeofResource(module, res);
    if (!bytes || !size) return nullptr;
    auto skin = std::make_unique<TSkinData>(nullptr);
    TSkinStreamFiler filer(bytes, size);
    skin->DefineProperties(filer);
    if (skin->NotLoaded()) return nullptr;
    return skin;
}

std::unique_ptr<TSkinData> EmptySkin() {
    qx::test::EnsureApplication();
    return std::make_unique<TSkinData>(nullptr);
}

void FillFrames(qx::TBitmap& bitmap, int frameWidth, int height, const std::vector<COLORREF>& colours) {
    bitmap.SetSize(frameWidth * static_cast<int>(colours.size()), height);
    HDC dc = bitmap.Canvas().Handle();
    for (size_t i = 0; i < colours.size(); ++i) {
        RECT r{static_cast<int>(i) * frameWidth, 0, static_cast<int>(i + 1) * frameWidth, height};
        qx::UniqueBrush brush(::CreateSolidBrush(colours[i]));
        ::FillRect(dc, &r, brush.get());
    }
    ::GdiFlush();
}

COLORREF BitmapPixel(const qx::TBitmap& bitmap, int x, int y) { return static_cast<COLORREF>(bitmap.Pixel(x, y)); }

qx::TForm* NewForm(int width, int height) {
    qx::test::EnsureApplication();
    auto* form = new qx::TForm(qx::Application);
    form->SetBounds(40, 40, width, height);
    form->Font()->SetName(L"Tahoma");
    form->Font()->SetHeight(-11);
    return form;
}

void PaintNow(HWND wnd) {
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    qx::test::PumpPending(std::chrono::milliseconds(30));
}

std::string SaveShot(const qx::test::DibCanvas& canvas, const std::string& name) {
    std::string path = qx::test::ArtifactsDir() + "/" + name + ".png";
    canvas.SavePng(path);
    return path;
}

void ScreenShot(HWND wnd, qx::test::DibCanvas& canvas) {
    PaintNow(wnd);
    ::GdiFlush();
    qx::test::CaptureScreen(wnd, canvas);
}

}  // namespace boxestest
