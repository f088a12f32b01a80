#include "skin/form/SkinFormRegistry.h"

#include "skin/form/WinSkinForm.h"

#include <algorithm>

namespace {

constexpr wchar_t kFormProperty[] = L"QuelloxSkinForm";

TWinSkinForm* BoundForm(HWND window) {
    return window ? static_cast<TWinSkinForm*>(::GetPropW(window, kFormProperty)) : nullptr;
}

}  // namespace

TSkinFormRegistry& SkinFormRegistry() {
    // Never freed: objects may still leave it while the process ends.
    static auto* registry = new TSkinFormRegistry;
    return *registry;
}

void TSkinFormRegistry::Add(TWinSkinForm& form) {
    auto it = std::find_if(FEntries.begin(), FEntries.end(), [&](const TSkinFormEntry& e) { return e.Form == &form; });
    if (it == FEntries.end()) FEntries.push_back({&form, nullptr, nullptr});
}

void TSkinFormRegistry::Remove(TWinSkinForm& form) {
    Unbind(form, form.Handle());
    std::erase_if(FEntries, [&](const TSkinFormEntry& e) { return e.Form == &form; });
}

void TSkinFormRegistry::Bind(TWinSkinForm& form, HWND window) {
    if (!window || !::IsWindow(window)) return;
    TWinSkinForm* bound = BoundForm(window);
    if (bound && bound != &form && Find(window)) return;  // the first live one keeps it
    ::SetPropW(window, kFormProperty, &form);
}

// Only the object's own mark goes: the handle may belong to a new window by now.
void TSkinFormRegistry::Unbind(TWinSkinForm& form, HWND window) {
    if (BoundForm(window) == &form) ::RemovePropW(window, kFormProperty);
}

TWinSkinForm* TSkinFormRegistry::Find(HWND window) const {
    TWinSkinForm* form = BoundForm(window);
    if (!form || form->State() == kFormClosed) return nullptr;
    // A mark of ours, never a stale one: the object is still registered.
    const bool listed = std::any_of(FEntries.begin(), FEntries.end(), [&](const TSkinFormEntry& e) { return e.Form == form; });
    return listed ? form : nullptr;
}

std::vector<TWinSkinForm*> TSkinFormRegistry::Forms() const {
    std::vector<TWinSkinForm*> out;
    out.reserve(FEntries.size());
    for (const TSkinFormEntry& e : FEntries) out.push_back(e.Form);
    return out;
}

bool TSkinFormRegistry::Keep(TWinSkinForm& form, const void* keeper, HINSTANCE module) {
    for (TSkinFormEntry& e : FEntries)
        if (e.Form == &form) {
            e.Keeper = keeper;
            e.Module = module;
            return true;
        }
    return false;
}

bool TSkinFormRegistry::Release(TWinSkinForm& form, const void* keeper) {
    for (TSkinFormEntry& e : FEntries)
        if (e.Form == &form && e.Keeper == keeper && keeper) {
            e.Keeper = nullptr;
            e.Module = nullptr;
            return true;
        }
    return false;
}

std::vector<TSkinFormEntry> TSkinFormRegistry::KeptBy(const void* keeper) const {
    std::vector<TSkinFormEntry> out;
    for (const TSkinFormEntry& e : FEntries)
        if (keeper && e.Keeper == keeper) out.push_back(e);
    return out;
}

bool TSkinFormRegistry::IsKeptBy(const TWinSkinForm& form, const void* keeper) const {
    return keeper && std::any_of(FEntries.begin(), FEntries.end(),
                                 [&](const TSkinFormEntry& e) { return e.Form == &form && e.Keeper == keeper; });
}
