// A control wrapper as the skinned window that holds it sees it: the form registers wrappers,
// tells them of skin changes, and detaches and frees them when it lets go of its window.
#pragma once

#include <windows.h>

class TFormControl {
public:
    TFormControl() = default;
    TFormControl(const TFormControl&) = delete;
    TFormControl& operator=(const TFormControl&) = delete;
    virtual ~TFormControl() = default;

    // The wrapped control's window.
    virtual HWND WrappedWindow() const = 0;
    // The wrapper's window is gone (nothing left to detach from).
    virtual bool Closed() const = 0;
    // Lets go of the control: the control paints itself again.
    virtual void Detach() = 0;
    // The skin changed: repaint from the new one.
    virtual void SkinChanged() = 0;
    // A tool bar wrapper: its custom-draw handlers are the form's and go with it.
    virtual void ReleaseToolbarHandlers() {}
};
