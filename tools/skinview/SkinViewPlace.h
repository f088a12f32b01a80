// Places a new control of the viewer on its parent: owned by the form, at the given bounds,
// with an optional caption.
#pragma once

#include "framework/Controls.h"

#include <string>

namespace skinview {

template <class T>
T* Place(qx::TWinControl* parent, qx::TComponent* owner, int left, int top, int width, int height,
         const std::wstring& text = {}) {
    auto* control = new T(owner);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    if (!text.empty()) control->SetCaption(text);
    return control;
}

}  // namespace skinview
