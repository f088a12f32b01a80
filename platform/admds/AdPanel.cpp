#include "AdPanel.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <vector>

#include "AdColour.h"
#include "admds.h"
#include "AdPainter.h"
#include "GdiHandles.h"

namespace admds {

namespace {

// One per hooked panel, owned by the subclass entry (its reference data).
struct TAdPanelState {
    DWORD Colour;
    TAdVariant Variant;
};

constexpr UINT_PTR kSubclassId = 0x41444D53;   // "ADMS"

// Every hooked panel and its state; an entry lives from the hook to WM_NCDESTROY. The import
// library of the system subclass helpers lacks GetWindowSubclass, so this list is how a
// repeated call finds the panel's state. InitScreen may in principle be called from several
// GUI threads, so the list is guarded; no thread of our own ever runs.
struct TPanelEntry {
    HWND Panel;
    TAdPanelState* State;
};
SRWLOCK gPanelsLock = SRWLOCK_INIT;
std::vector<TPanelEntry>* gPanels = nullptr;   // allocated on first hook, freed when the last goes

TAdPanelState* Find(HWND panel) noexcept {
    TAdPanelState* state = nullptr;
    ::AcquireSRWLockShared(&gPanelsLock);
    if (gPanels)
        for (const TPanelEntry& e : *gPanels)
            if (e.Panel == panel) state = e.State;
    ::ReleaseSRWLockShared(&gPanelsLock);
    return state;
}

bool Remember(HWND panel, TAdPanelState* state) noexcept {
    bool stored = true;
    ::AcquireSRWLockExclusive(&gPanelsLock);
    try {
        if (!gPanels) gPanels = new std::vector<TPanelEntry>;
        gPanels->push_back({panel, state});
    } catch (...) {
        stored = false;
    }
    ::ReleaseSRWLockExclusive(&gPanelsLock);
    return stored;
}

void Forget(HWND panel) noexcept {
    ::AcquireSRWLockExclusive(&gPanelsLock);
    if (gPanels) {
        std::erase_if(*gPanels, [panel](const TPanelEntry& e) { return e.Panel == panel; });
        if (gPanels->empty()) {
            delete gPanels;
            gPanels = nullptr;
        }
    }
    ::ReleaseSRWLockExclusive(&gPanelsLock);
}

// Once a panel is hooked the module stays loaded until the process ends, even if its host
// calls FreeLibrary: a hooked panel would otherwise call into unmapped code. Unhooking at
// unload instead is no cure, because removing the last entry of the system's subclass chain
// also throws out whoever subclassed the panel after us (Wine restores the original window
// procedure unconditionally), and the skin engine does subclass the panels later.
void PinModuleOnce() noexcept {
    static const bool pinned = [] {
        HMODULE self = nullptr;
        return ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCWSTR>(&PinModuleOnce), &self) != FALSE;
    }();
    (void)pinned;
}

UINT QueryMessage() noexcept {
    static const UINT message = ::RegisterWindowMessageW(ADMDS_QUERY_MESSAGE);
    return message;
}

void Paint(HWND panel, HDC dc, const TAdPanelState& state) noexcept {
    RECT client{};
    ::GetClientRect(panel, &client);
    PaintAdPanel(dc, client.right, client.bottom, {ResolveColourValue(state.Colour), state.Variant});
}

void Unhook(HWND panel, SUBCLASSPROC proc, TAdPanelState* state) noexcept {
    ::RemoveWindowSubclass(panel, proc, kSubclassId);
    Forget(panel);
    delete state;
}

LRESULT CALLBACK AdPanelProc(HWND panel, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) noexcept {
    auto* state = reinterpret_cast<TAdPanelState*>(ref);
    switch (msg) {
    case WM_PAINT: {
        // The panel's own painting (caption, bevel) is not wanted under the ad, so WM_PAINT
        // stops here; everything else reaches the previous procedure.
        PAINTSTRUCT ps;
        if (HDC dc = ::BeginPaint(panel, &ps)) Paint(panel, dc, *state);
        ::EndPaint(panel, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(panel, reinterpret_cast<HDC>(wp), *state);
        return 0;
    case WM_ERASEBKGND:
        return 1;   // WM_PAINT covers every pixel; erasing first would only flicker
    case WM_SIZE:
        // The layout scales with the panel (and may switch format), so all of it is stale.
        ::InvalidateRect(panel, nullptr, FALSE);
        break;
    case WM_NCDESTROY:
        Unhook(panel, AdPanelProc, state);
        return ::DefSubclassProc(panel, msg, wp, lp);
    default:
        // Each admds layer adds one, so a double hook would show up as 2.
        if (msg == QueryMessage() && msg != 0) return 1 + ::DefSubclassProc(panel, msg, wp, lp);
        break;
    }
    return ::DefSubclassProc(panel, msg, wp, lp);
}

// Our hook is in the subclass chain but the chain itself was cut out of the window: a careless
// outer subclasser put back a procedure it saved before us, so WM_NCDESTROY would never reach
// us either. The system helper keeps its stale chain and would not hook the window again, so
// our entry goes first; if that empties the chain the helper also resets the window procedure,
// which is put back as the careless subclasser left it.
bool DropDeadHook(HWND panel, TAdPanelState* state) noexcept {
    const LONG_PTR current = ::GetWindowLongPtrW(panel, GWLP_WNDPROC);
    if (!::RemoveWindowSubclass(panel, AdPanelProc, kSubclassId)) return false;
    if (::GetWindowLongPtrW(panel, GWLP_WNDPROC) != current) ::SetWindowLongPtrW(panel, GWLP_WNDPROC, current);
    Forget(panel);
    delete state;
    return true;
}

bool Answers(HWND panel) noexcept { return ::SendMessageW(panel, QueryMessage(), 0, 0) > 0; }

}  // namespace

bool AttachAdPanel(HWND panel, const TAdVariant& variant, DWORD colour) noexcept {
    TAdPanelState* state = Find(panel);
    if (state && !Answers(panel)) {
        if (!DropDeadHook(panel, state)) return false;
        state = nullptr;
    }
    if (state) {
        state->Colour = colour;
        state->Variant = variant;
    } else {
        state = new (std::nothrow) TAdPanelState{colour, variant};
        if (!state) return false;
        if (!Remember(panel, state)) {
            delete state;
            return false;
        }
        PinModuleOnce();
        if (!::SetWindowSubclass(panel, AdPanelProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
            Forget(panel);
            delete state;
            return false;
        }
        // Other hooks of the same helper may keep a cut chain alive; then ours is dead too.
        // The entry stays listed (the chain refers to its state) for a later call to retry.
        if (!Answers(panel)) return false;
    }
    ::InvalidateRect(panel, nullptr, FALSE);
    return true;
}

}  // namespace admds
