// What the skin data layer needs of the process's skin manager, which lives in a layer above it:
// the manager announces itself here when it comes into being and leaves when it goes, and its
// library installs the factory that makes one on demand. The skin data component and the form
// skinning talk to the manager only through this interface.
#pragma once

#include <vector>
#include <windows.h>

class TSkinData;

// The commands a skin data component posts.
enum TSkinCommand : int { scNone = 0, scActivate = 1, scDeactivate = 2, scSkinChanged = 3, scPurge = 6 };

// Manager states.
inline constexpr int kManagerNeverActivated = 0;
inline constexpr int kManagerActivated = 1;
inline constexpr int kManagerDestroying = 4;

class TSkinManagerLink {
public:
    TSkinManagerLink() = default;
    TSkinManagerLink(const TSkinManagerLink&) = delete;
    TSkinManagerLink& operator=(const TSkinManagerLink&) = delete;

    virtual void AddSkinData(TSkinData* skinData) = 0;
    virtual void RemoveSkinData(TSkinData* skinData) = 0;
    virtual const std::vector<TSkinData*>& SkinDataList() const = 0;
    virtual void InstallHook() = 0;
    virtual bool SkinWindow(HWND window) = 0;
    virtual void SetPendingSkinData(TSkinData* skinData) = 0;
    virtual void PostCommand(int command, unsigned interval) = 0;
    virtual void ReloadSkinData() = 0;
    virtual bool Active() const = 0;
    virtual void SetActive(bool value) = 0;
    virtual int State() const = 0;
    virtual void SetState(int value) = 0;

protected:
    ~TSkinManagerLink() = default;
};

// The manager in charge; null while there is none.
TSkinManagerLink* SkinManagerLink();
// The manager announces itself (or, with null, that it is gone).
void SetSkinManagerLink(TSkinManagerLink* manager);

// Makes the process's manager; installed by the manager's library.
using TSkinManagerFactory = TSkinManagerLink* (*)();
void SetSkinManagerFactory(TSkinManagerFactory factory);
// The manager in charge, made first when there is none and a factory is installed.
TSkinManagerLink* RequireSkinManager();
