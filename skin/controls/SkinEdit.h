// TSkinEdit: replaces an edit box's sunken 3D border with the flat skin border after every
// paint of the system, and gives an up-down control embedded in the edit its own wrapper.
#pragma once

#include "framework/Handles.h"
#include "skin/controls/SkinControl.h"

class TSkinEdit : public TSkinControl {
    QX_CLASS(TSkinEdit)
public:
    explicit TSkinEdit(qx::TComponent* owner);

    bool BeforeMessage(qx::TMessage& m) override;
    void AfterMessage(qx::TMessage& m) override;
    void Paint(HDC dc, const RECT& r) override;

    // The wrapper made for the embedded up-down, none before the first paint that found one.
    TSkinControl* UpDown() const { return FUpDown; }

protected:
    void Notification(qx::TComponent* component, qx::TOperation operation) override;

private:
    void WrapEmbeddedUpDown();
    void Print(HDC dc);
    void KeepClip(HDC dc);
    void RestoreClip(HDC dc);

    TSkinControl* FUpDown = nullptr;
    // The clip of a given context as it was before the system painted the edit into it.
    qx::UniqueRgn FClip;
    bool FHadClip = false;
};

// True for the class names of up-down (spin) windows: "msctls_updown32", or any containing
// "spin" or "updown" (compared in lower case).
bool IsUpDownClassName(const std::wstring& className);
