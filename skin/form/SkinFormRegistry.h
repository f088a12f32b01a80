// The one registry of skinned windows: every TWinSkinForm alive, oldest first, and for each
// window the object that skins it, found through a property of the window itself. A window
// handle that the system hands out again after its window went carries no property, so a
// lookup never lands on the object of a window that is gone; an object whose window is gone
// (closed) is never found either.
//
// A keeper (the skin manager) may take charge of an object: it frees it when it purges or
// lets go. Objects nobody keeps belong to whoever made them.
#pragma once

#include <vector>
#include <windows.h>

class TWinSkinForm;

struct TSkinFormEntry {
    TWinSkinForm* Form = nullptr;
    const void* Keeper = nullptr;  // who frees it; null: its maker
    HINSTANCE Module = nullptr;     // the module whose keeper took it
};

class TSkinFormRegistry {
public:
    // A new object (its constructor) and a freed one (its destructor).
    void Add(TWinSkinForm& form);
    void Remove(TWinSkinForm& form);
    // The object takes the window: the window points at it unless another object has it.
    void Bind(TWinSkinForm& form, HWND window);
    // The object lets go of its window (the window is going, or the object is).
    void Unbind(TWinSkinForm& form, HWND window);

    // The object skinning the window, unless it is closed; null when none.
    TWinSkinForm* Find(HWND window) const;
    // Every object, oldest first.
    std::vector<TWinSkinForm*> Forms() const;

    // A keeper takes charge of an object; returns false when it is not registered.
    bool Keep(TWinSkinForm& form, const void* keeper, HINSTANCE module);
    // The keeper hands the object back without freeing it; false when it did not keep it.
    bool Release(TWinSkinForm& form, const void* keeper);
    // What a keeper keeps, oldest first.
    std::vector<TSkinFormEntry> KeptBy(const void* keeper) const;
    bool IsKeptBy(const TWinSkinForm& form, const void* keeper) const;

private:
    std::vector<TSkinFormEntry> FEntries;
};

TSkinFormRegistry& SkinFormRegistry();
