#pragma once
// The local address watcher of the main window. Its watching thread is never started; the
// window uses only its lookup of this machine's own address. When it is destroyed it writes
// its address history, which stays empty, to its history file in the working directory.
#include "framework/Classes.h"

#include <string>

class TIdIPWatch : public qx::TComponent {
    QX_CLASS(TIdIPWatch)
public:
    explicit TIdIPWatch(qx::TComponent* owner);
    ~TIdIPWatch() override;

    bool Active() const { return FActive; }
    void SetActive(bool v) { FActive = v; }
    const std::wstring& HistoryFilename() const { return FHistoryFilename; }
    void SetHistoryFilename(const std::wstring& v) { FHistoryFilename = v; }

    // This machine's first IPv4 address (dotted decimal), or empty when there is none.
    std::string LocalIP() const;

private:
    bool FActive = false;
    std::wstring FHistoryFilename = L"iphist.dat";
};
