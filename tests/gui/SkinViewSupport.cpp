#include "SkinViewSupport.h"

#include "LzhEncoder.h"
#include "PackageWriter.h"
#include "skin/controls/SkinManage.h"
#include "support/FormTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>

namespace viewtest {

namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::wstring WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = qx::test::ArtifactsDir() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Widen(path);
}

}  // namespace

std::wstring WriteSkinFile(const std::string& name, const std::string& section, const std::string& key,
                           const std::string& value) {
    std::vector<TPackageMember> members = formtest::DefaultSkinMembers();
    formtest::SetIniValue(members, section, key, value);
    return WriteBytes(name, CompressSkin(BuildPackage(members)));
}

std::wstring WriteSkinFileWithout(const std::string& name, const std::vector<std::string>& members) {
    std::vector<TPackageMember> kept = formtest::DefaultSkinMembers();
    for (const std::string& member : members) formtest::RemoveMember(kept, member);
    return WriteBytes(name, CompressSkin(BuildPackage(kept)));
}

std::wstring WriteJunkFile(const std::string& name) {
    return WriteBytes(name, std::vector<std::uint8_t>(300, 0x5A));
}

bool IsSkinned(HWND wnd) { return SkinManager && SkinManager->FindSkinForm(wnd) != nullptr; }

TSkinViewForm* OpenViewer(const std::wstring& skinFile, bool skinned) {
    qx::test::EnsureApplication();
    auto* form = new TSkinViewForm(qx::Application, skinFile);
    form->Tell = [](const std::wstring&) {};
    form->Show();
    ::SetForegroundWindow(form->Handle());
    if (skinned) qx::test::PumpUntil([&] { return IsSkinned(form->Handle()); });
    qx::test::PumpPending(std::chrono::milliseconds(300));
    return form;
}

void CloseViewer(TSkinViewForm*& form) {
    delete form;
    form = nullptr;
    qx::test::PumpPending(std::chrono::milliseconds(100));
}

void RepaintAll(HWND wnd) {
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    qx::test::PumpPending(std::chrono::milliseconds(300));
}

std::unique_ptr<qx::test::DibCanvas> ShootWindow(HWND wnd, const std::string& name) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    auto canvas = std::make_unique<qx::test::DibCanvas>(r.right - r.left, r.bottom - r.top);
    ::GdiFlush();
    qx::test::CaptureScreen(wnd, *canvas);
    if (!name.empty()) {
        EXPECT_TRUE(canvas->SavePng(qx::test::ArtifactsDir() + "/" + name + ".png")) << name;
    }
    return canvas;
}

POINT PlaceInShot(HWND outer, HWND inner) {
    RECT o{}, i{};
    ::GetWindowRect(outer, &o);
    ::GetWindowRect(inner, &i);
    return {i.left - o.left, i.top - o.top};
}

int Differing(const qx::test::DibCanvas& one, POINT a, const qx::test::DibCanvas& other, POINT b, int w, int h) {
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) differing += one.PixelRef(a.x + x, a.y + y) != other.PixelRef(b.x + x, b.y + y);
    return differing;
}

std::vector<HWND> MenuWindows() {
    std::vector<HWND> found;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(w, name, 16);
        if (std::wstring(name) == L"#32768" && ::IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string ShotWithMenus(HWND wnd, const std::string& name) {
    RECT all{};
    ::GetWindowRect(wnd, &all);
    for (HWND menu : MenuWindows()) {
        RECT r{};
        ::GetWindowRect(menu, &r);
        ::UnionRect(&all, &all, &r);
    }
    qx::test::DibCanvas canvas(all.right - all.left, all.bottom - all.top);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen, all.left, all.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    const std::string path = qx::test::ArtifactsDir() + "/" + name + ".png";
    return canvas.SavePng(path) ? path : std::string();
}

namespace {

struct TShooter {
    HWND Window;
    std::vector<TMenuStep> Steps;
    size_t Next = 0;
    size_t MenusForShot;
    std::string Name;
    std::string Path;
    int Ticks = 0;
    int Settle = 0;
};
TShooter* gShooter = nullptr;

void CALLBACK ShooterTick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    TShooter* s = gShooter;
    if (!s) return;
    // Nothing may keep a test waiting on a menu that never came: give up after two seconds.
    if (++s->Ticks > 100) {
        ::EndMenu();
        return;
    }
    const size_t open = MenuWindows().size();
    if (s->Next < s->Steps.size()) {
        if (open < s->Steps[s->Next].Menus) return;
        if (s->Steps[s->Next].Action) s->Steps[s->Next].Action();
        ++s->Next;
        return;
    }
    if (open < s->MenusForShot || !s->Path.empty()) return;
    // A few ticks for the last menu to be painted.
    if (++s->Settle < 5) return;
    s->Path = ShotWithMenus(s->Window, s->Name);
    ::EndMenu();
}

}  // namespace

std::string ShootMenu(HWND wnd, const std::function<void()>& open, const std::vector<TMenuStep>& steps,
                      size_t menusForShot, const std::string& name) {
    TShooter shooter{wnd, steps, 0, menusForShot, name};
    gShooter = &shooter;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &ShooterTick);
    open();
    qx::test::PumpUntil([&] { return !shooter.Path.empty() || shooter.Ticks > 100; });
    qx::test::PumpUntil([] { return MenuWindows().empty(); });
    ::KillTimer(nullptr, timer);
    gShooter = nullptr;
    return shooter.Path;
}

}  // namespace viewtest
