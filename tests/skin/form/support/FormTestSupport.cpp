#include "support/FormTestSupport.h"

#include "LzhEncoder.h"
#include "SkinFolder.h"

#include <algorithm>
#include <map>

namespace formtest {

//--- skins

std::unique_ptr<TSkinData> LoadDefaultSkin() {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, L"DEFAULTSKIN", MAKEINTRESOURCEW(10));
    if (!res) return nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(module, res)));
    const DWORD size = ::SizeofResource(module, res);
    // The stored property: the compressed skin's length, then the compressed skin.
    if (!bytes || size < 4) return nullptr;
    auto skin = std::make_unique<TSkinData>(nullptr);
    skin->Store().WriteBuffer(bytes + 4, size - 4);
    skin->Store().SetPosition(0);
    if (!skin->LoadSkin()) return nullptr;
    return skin;
}

std::vector<TPackageMember> DefaultSkinMembers() {
    TSkinFolder folder = ReadSkinFolder(QUELLOX_SKIN_FOLDER);
    EXPECT_TRUE(folder.Error.empty()) << folder.Error;
    return folder.Members;
}

void SetIniValue(std::vector<TPackageMember>& members, const std::string& section, const std::string& key,
                 const std::string& value) {
    for (auto& m : members) {
        if (m.Name.size() < 4 || m.Name.substr(m.Name.size() - 4) != ".ini") continue;
        std::string text(m.Bytes.begin(), m.Bytes.end());
        const std::string header = "[" + section + "]";
        size_t at = text.find(header);
        if (at == std::string::npos) {
            text += "\r\n" + header + "\r\n" + key + "=" + value + "\r\n";
        } else {
            size_t end = text.find("\n[", at + header.size());
            if (end == std::string::npos) end = text.size();
            size_t line = text.find("\n" + key + "=", at);
            if (line != std::string::npos && line < end) {
                size_t stop = text.find_first_of("\r\n", line + 1);
                text.replace(line + 1, stop - line - 1, key + "=" + value);
            } else {
                text.insert(at + header.size(), "\r\n" + key + "=" + value);
            }
        }
        m.Bytes.assign(text.begin(), text.end());
    }
}

void RemoveMember(std::vector<TPackageMember>& members, const std::string& name) {
    members.erase(std::remove_if(members.begin(), members.end(), [&](const TPackageMember& m) { return m.Name == name; }),
                  members.end());
}

void PutMember(std::vector<TPackageMember>& members, const std::string& name, std::vector<std::uint8_t> bytes) {
    for (auto& m : members)
        if (m.Name == name) {
            m.Bytes = std::move(bytes);
            return;
        }
    members.insert(members.begin(), TPackageMember{name, std::move(bytes)});
}

std::vector<std::uint8_t> Bmp24(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    const int stride = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride * h);
    std::vector<std::uint8_t> out(54 + dataSize, 0);
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            std::uint8_t* p = &out[54 + static_cast<size_t>(h - 1 - y) * stride + static_cast<size_t>(x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return out;
}

std::unique_ptr<TSkinData> LoadSkin(const std::vector<TPackageMember>& members) {
    const std::vector<std::uint8_t> compressed = CompressSkin(BuildPackage(members));
    auto skin = std::make_unique<TSkinData>(nullptr);
    skin->Store().WriteBuffer(compressed.data(), static_cast<std::int64_t>(compressed.size()));
    skin->Store().SetPosition(0);
    if (!skin->LoadSkin()) return nullptr;
    return skin;
}

//--- plain windows

namespace {

std::map<HWND, std::vector<TSeen>>& SeenBy() {
    static std::map<HWND, std::vector<TSeen>> seen;
    return seen;
}

LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    SeenBy()[wnd].push_back({msg, wp, lp});
    if (msg == WM_CLOSE) return 0;  // tests close their windows themselves
    return ::DefWindowProcW(wnd, msg, wp, lp);
}

const wchar_t* PlainClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &PlainProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"QxFormTestWindow";
        ::RegisterClassExW(&wc);
        return L"QxFormTestWindow";
    }();
    return name;
}

}  // namespace

TPlainWindow::TPlainWindow(DWORD style, DWORD exStyle, const std::wstring& text, SIZE client) {
    RECT r{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
    FHandle = ::CreateWindowExW(exStyle, PlainClass(), text.c_str(), style, 100, 100, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // The default frame's client must be what was asked (AdjustWindowRectEx may differ).
    RECT c{};
    ::GetClientRect(FHandle, &c);
    if (c.right != client.cx || c.bottom != client.cy) {
        RECT w{};
        ::GetWindowRect(FHandle, &w);
        ::SetWindowPos(FHandle, nullptr, 0, 0, (w.right - w.left) + client.cx - c.right,
                       (w.bottom - w.top) + client.cy - c.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

TPlainWindow::~TPlainWindow() {
    if (FHandle && ::IsWindow(FHandle)) ::DestroyWindow(FHandle);
    SeenBy().erase(FHandle);
}

std::vector<TSeen>& TPlainWindow::Seen() { return SeenBy()[FHandle]; }

int TPlainWindow::Count(UINT msg) const {
    const auto& seen = SeenBy()[FHandle];
    return static_cast<int>(std::count_if(seen.begin(), seen.end(), [&](const TSeen& s) { return s.Msg == msg; }));
}

int TPlainWindow::Count(UINT msg, WPARAM wp) const {
    const auto& seen = SeenBy()[FHandle];
    return static_cast<int>(
        std::count_if(seen.begin(), seen.end(), [&](const TSeen& s) { return s.Msg == msg && s.WParam == wp; }));
}

//--- skinned windows

bool TSkinnedWindow::Attach() {
    ::ShowWindow(Window->Handle(), SW_SHOW);
    ::SetForegroundWindow(Window->Handle());
    qx::test::PumpPending(std::chrono::milliseconds(30));
    Form->SetHandle(Window->Handle());
    Form->Attach(Skin.get());
    if (!Form->Subclassed()) return false;
    ::PostMessageW(Window->Handle(), SKN_ACTIVATE, 0, 1000);
    return qx::test::PumpUntil([&] { return Form->State() == kFormActive; }, std::chrono::milliseconds(2000));
}

void TSkinnedWindow::LayOut() { Print(Window->Handle()); }

TWinSysButton* TSkinnedWindow::Button(int action) const {
    for (auto& b : Form->Buttons())
        if (b->FVisible && b->FData->Action == action) return b.get();
    return nullptr;
}

POINT TSkinnedWindow::ButtonCentre(int action) const {
    TWinSysButton* b = Button(action);
    if (!b) return {-100, -100};
    return {(b->FRect.left + b->FRect.right) / 2, (b->FRect.top + b->FRect.bottom) / 2};
}

std::unique_ptr<TSkinnedWindow> MakeSkinned(DWORD style, DWORD exStyle, const std::wstring& text, SIZE client,
                                            std::unique_ptr<TSkinData> skin) {
    qx::test::EnsureApplication();
    auto s = std::make_unique<TSkinnedWindow>();
    s->Skin = skin ? std::move(skin) : LoadDefaultSkin();
    s->Window = std::make_unique<TPlainWindow>(style, exStyle, text, client);
    s->Form = std::make_unique<TWinSkinForm>(nullptr);
    return s;
}

//--- geometry and pixels

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

RECT ClientRectOf(HWND wnd) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    return r;
}

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

std::unique_ptr<qx::test::DibCanvas> Print(HWND wnd) {
    const SIZE size = SizeOf(WindowRectOf(wnd));
    auto canvas = std::make_unique<qx::test::DibCanvas>(size.cx, size.cy);
    canvas->Fill(RGB(1, 2, 3));
    qx::test::PrintWindowTo(wnd, *canvas);
    ::GdiFlush();
    return canvas;
}

LPARAM ScreenPoint(HWND wnd, POINT p) {
    const RECT r = WindowRectOf(wnd);
    return MAKELPARAM(r.left + p.x, r.top + p.y);
}

COLORREF FramePixel(qx::TBitmap& bitmap, int frames, int frame, bool stacked, int x, int y) {
    if (stacked) return static_cast<COLORREF>(bitmap.Pixel(x, bitmap.Height() / frames * (frame - 1) + y));
    return static_cast<COLORREF>(bitmap.Pixel(bitmap.Width() / frames * (frame - 1) + x, y));
}

COLORREF CanvasPixel(const qx::test::DibCanvas& canvas, int x, int y) { return canvas.PixelRef(x, y); }

std::string SaveShot(const qx::test::DibCanvas& canvas, const std::string& name) {
    const std::string path = qx::test::ArtifactsDir() + "/" + name + ".png";
    canvas.SavePng(path);
    return path;
}

void CutToWindowRegion(HWND wnd, qx::test::DibCanvas& canvas, COLORREF outside) {
    qx::UniqueRgn shape(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(wnd, shape.get()) == ERROR) return;
    qx::UniqueRgn rest(::CreateRectRgn(0, 0, canvas.Width(), canvas.Height()));
    ::CombineRgn(rest.get(), rest.get(), shape.get(), RGN_DIFF);
    qx::UniqueBrush brush(::CreateSolidBrush(outside));
    ::FillRgn(canvas.Dc(), rest.get(), brush.get());
    ::GdiFlush();
}

//--- menus

namespace {
TMenuWatcher* gWatcher = nullptr;

HWND FindMenuWindow() {
    struct Find {
        HWND Found = nullptr;
    } find;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32768" && ::IsWindowVisible(w)) {
            reinterpret_cast<Find*>(lp)->Found = w;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&find));
    return find.Found;
}
}  // namespace

TMenuWatcher::TMenuWatcher(int choose) : FChoose(choose) {
    gWatcher = this;
    FTimer = ::SetTimer(nullptr, 0, 30, &TMenuWatcher::Tick);
}

TMenuWatcher::~TMenuWatcher() {
    if (FTimer) ::KillTimer(nullptr, FTimer);
    if (gWatcher == this) gWatcher = nullptr;
}

void CALLBACK TMenuWatcher::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    TMenuWatcher* w = gWatcher;
    if (!w) return;
    HWND menu = FindMenuWindow();
    if (!menu) w->FHandled = nullptr;
    if (!menu) return;
    // A menu that ignores the keys must not hang the test: close it after a while.
    if (menu == w->FHandled) {
        if (++w->FTicks > 40) ::EndMenu();
        return;
    }
    w->FTicks = 0;
    w->FHandled = menu;
    if (w->FSeen.Opened++ == 0) {
        ::GetWindowRect(menu, &w->FSeen.Rect);
        auto handle = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
        w->FSeen.Items = handle ? ::GetMenuItemCount(handle) : 0;
    }
    if (w->FChoose == kChooseNone || w->FSeen.Opened > 1) {
        ::EndMenu();
        return;
    }
    if (w->FChoose == kChooseLast) {
        ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
    } else {
        for (int i = 0; i < w->FChoose; ++i) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    }
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
}

}  // namespace formtest
