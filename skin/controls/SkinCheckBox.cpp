#include "skin/controls/SkinCheckBox.h"

#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

namespace {

bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

}  // namespace

QX_DEFINE_CLASS(TSkinCheckBox, TSkinCheckBase, b) {}

TSkinCheckBox::TSkinCheckBox(qx::TComponent* owner) : TSkinCheckBase(owner) {}

void TSkinCheckBox::Attach(TSkinControlHost* form, TSkinData* skinData, bool colourFlag, qx::TCanvas* canvas) {
    TSkinCheckBase::Attach(form, skinData, colourFlag, canvas);
    FAnnounced = 0;
}

void TSkinCheckBox::AttachWindow(HWND window, TSkinData* skinData, TSkinControlHost* form, qx::TCanvas* canvas) {
    TSkinCheckBase::AttachWindow(window, skinData, form, canvas);
    FAnnounced = 0;
}

void TSkinCheckBox::AfterMessage(qx::TMessage& m) {
    if (m.Msg == BM_SETCHECK) FAnnounced = static_cast<int>(m.WParam) + 1;
    TSkinCheckBase::AfterMessage(m);
}

qx::TBitmap* TSkinCheckBox::Image(int& frames) const {
    if (!FSkinData || !FSkinData->Button || FSkinData->Button->CheckBitmap.Empty()) return nullptr;
    frames = FSkinData->Button->CheckFrames;
    return &FSkinData->Button->CheckBitmap;
}

int TSkinCheckBox::StateFrame(int frames) {
    const auto state = static_cast<UINT>(::SendMessageW(FWindow, BM_GETSTATE, 0, 0));
    int s = (state & BST_CHECKED) ? 2 : 1;
    if (FControl) {
        if (HasProp(*FControl, L"State")) {
            const std::wstring value = LowerText(PropText(*FControl, L"State"));
            if (Contains(value, L"uncheck")) s = 1;
            else if (Contains(value, L"check")) s = 2;
            else if (Contains(value, L"gray")) s = 4;
        } else if (HasProp(*FControl, L"Checked")) {
            s = LowerText(PropText(*FControl, L"Checked")) == L"true" ? 2 : 1;
        }
        if (HasProp(*FControl, L"DataField") && FAnnounced != 0) {
            s = FAnnounced;
            if (s == 3) s = 4;
        }
        if (HasProp(*FControl, L"DataBinding")) s = 1;
    }
    // A disabled container disables the image too, as it greys the caption.
    const bool disabled = !WindowEnabled();
    if (disabled) s += 2;
    const bool indeterminate = (state & BST_INDETERMINATE) != 0;
    if (indeterminate) s = 4;
    return CheckImageFrame(s, frames, indeterminate, disabled);
}

TCheckLayout TSkinCheckBox::Layout(const RECT& r, int w, int h, bool rightButton) const {
    return CheckBoxLayout(r, w, h, rightButton);
}
