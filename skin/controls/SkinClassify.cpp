// The classification's side: the steps before the row table, the wrapper factories and the
// application of the decided actions.
#include "skin/controls/SkinClassify.h"

#include "skin/SkinMessages.h"
#include "skin/controls/SkinBitButton.h"
#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTab.h"
#include "skin/controls/SkinTab31.h"
#include "skin/controls/SkinTabSheet.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinPropText.h"
#include "skin/controls/SkinRadioButton.h"
#include "skin/controls/SkinScControl.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "framework/CoolBar.h"
#include "skin/data/SkinData.h"

#include <algorithm>
#include <array>
#include <memory>

//--- wrapper factories

namespace {

template <class W>
TSkinControl* Make(qx::TComponent* owner, int) {
    return new W(owner);
}

TSkinControl* MakeObjImage(qx::TComponent* owner, int kind) { return new TSkinObjImage(owner, kind); }

std::array<TSkinWrapperFactory, kWrapperKindCount>& Factories() {
    static std::array<TSkinWrapperFactory, kWrapperKindCount> factories = [] {
        std::array<TSkinWrapperFactory, kWrapperKindCount> f{};
        f[static_cast<int>(TSkinWrapperKind::wkScrollbar)] = &Make<TSkinScrollbar>;
        f[static_cast<int>(TSkinWrapperKind::wkListView)] = &Make<TSkinListView>;
        f[static_cast<int>(TSkinWrapperKind::wkScControl)] = &Make<TSkinScControl>;
        f[static_cast<int>(TSkinWrapperKind::wkSizer)] = &Make<TSkinSizer>;
        f[static_cast<int>(TSkinWrapperKind::wkButton)] = &Make<TSkinButton>;
        f[static_cast<int>(TSkinWrapperKind::wkBitButton)] = &Make<TSkinBitButton>;
        f[static_cast<int>(TSkinWrapperKind::wkSpeedButton)] = &Make<TSkinSpeedButton>;
        f[static_cast<int>(TSkinWrapperKind::wkCheckBox)] = &Make<TSkinCheckBox>;
        f[static_cast<int>(TSkinWrapperKind::wkRadioButton)] = &Make<TSkinRadioButton>;
        f[static_cast<int>(TSkinWrapperKind::wkObjImage)] = &MakeObjImage;
        f[static_cast<int>(TSkinWrapperKind::wkEdit)] = &Make<TSkinEdit>;
        f[static_cast<int>(TSkinWrapperKind::wkComBox)] = &Make<TSkinComBox>;
        f[static_cast<int>(TSkinWrapperKind::wkBox)] = &Make<TSkinBox>;
        f[static_cast<int>(TSkinWrapperKind::wkBoxH)] = &Make<TSkinBoxH>;
        f[static_cast<int>(TSkinWrapperKind::wkGroupBox)] = &Make<TSkinGroupBox>;
        f[static_cast<int>(TSkinWrapperKind::wkTab)] = &Make<TSkinTab>;
        f[static_cast<int>(TSkinWrapperKind::wkTab31)] = &Make<TSkinTab31>;
        f[static_cast<int>(TSkinWrapperKind::wkTabSheet)] = &Make<TSkinTabSheet>;
        f[static_cast<int>(TSkinWrapperKind::wkTrackBar)] = &Make<TSkinTrackBar>;
        f[static_cast<int>(TSkinWrapperKind::wkUpDown)] = &Make<TSkinUpDown>;
        f[static_cast<int>(TSkinWrapperKind::wkStatusBar)] = &Make<TSkinStatusBar>;
        f[static_cast<int>(TSkinWrapperKind::wkProgress)] = &Make<TSkinProgress>;
        f[static_cast<int>(TSkinWrapperKind::wkHeader)] = &Make<TSkinHeader>;
        return f;
    }();
    return factories;
}

}  // namespace

void RegisterSkinWrapper(TSkinWrapperKind kind, TSkinWrapperFactory factory) {
    const int i = static_cast<int>(kind);
    if (i > 0 && i < kWrapperKindCount) Factories()[static_cast<size_t>(i)] = factory;
}

TSkinWrapperFactory SkinWrapperFactory(TSkinWrapperKind kind) {
    const int i = static_cast<int>(kind);
    return i > 0 && i < kWrapperKindCount ? Factories()[static_cast<size_t>(i)] : nullptr;
}

//--- what is skinned already

bool HostHoldsWrapper(const TSkinControlHost& host, qx::TControl* control) {
    if (!control) return false;
    auto* windowed = dynamic_cast<qx::TWinControl*>(control);
    const HWND window = windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
    for (TSkinControl* w : host.Wrappers())
        if (w && (w->WrappedControl() == control || (window && w->Window() == window))) return true;
    return false;
}

bool HostHoldsWindow(const TSkinControlHost& host, HWND window) {
    if (!window) return false;
    for (TSkinControl* w : host.Wrappers())
        if (w && w->Window() == window) return true;
    return false;
}

// Through WindowProc first (a wrapper of a control without a window answers there), then the
// window itself (a wrapper attached by handle answers there).
bool AnswersSkinQuery(qx::TControl& control) {
    if (control.Perform(SKN_QUERY) == 1) return true;
    auto* windowed = dynamic_cast<qx::TWinControl*>(&control);
    return windowed && windowed->HandleAllocated() && ::SendMessageW(windowed->Handle(), SKN_QUERY, 0, 0) == 1;
}

//--- applying decisions

namespace {

// Creates, attaches and keeps a wrapper; one that does not attach is freed again, and a failure
// leaves the control as the system draws it.
void AttachWrapper(TSkinControlHost& host, const TSkinAction& a) {
    TSkinWrapperFactory factory = SkinWrapperFactory(a.Wrapper);
    if (!factory) return;
    TSkinData* skin = host.HostSkinData();
    TSkinControl* wrapper = nullptr;
    try {
        if (a.Type == TSkinActionType::saWrap) {
            if (!a.Control || HostHoldsWrapper(host, a.Control) || AnswersSkinQuery(*a.Control)) return;
            wrapper = factory(a.Control, a.Variant);
            wrapper->Attach(&host, skin, a.ColourFlag, host.ControlCanvas());
        } else {
            if (!a.Window || HostHoldsWindow(host, a.Window) || ::SendMessageW(a.Window, SKN_QUERY, 0, 0) == 1) return;
            wrapper = factory(host.HostComponent(), a.Variant);
            wrapper->AttachWindow(a.Window, skin, &host, host.ControlCanvas());
        }
        if (!wrapper->Attached()) delete wrapper;
    } catch (...) {
        delete wrapper;
    }
}

}  // namespace

void ApplySkinActions(TSkinControlHost& host, const TSkinActions& actions, qx::TControl* owner) {
    (void)owner;
    TSkinData* skin = host.HostSkinData();
    for (const TSkinAction& a : actions) {
        switch (a.Type) {
        case TSkinActionType::saWrap:
        case TSkinActionType::saWrapWindow: AttachWrapper(host, a); break;
        case TSkinActionType::saEnumerate:
            if (auto* container = dynamic_cast<qx::TWinControl*>(a.Control)) EnumerateContainer(host, container);
            break;
        case TSkinActionType::saSetProperty:
            if (a.Control) SetPropText(*a.Control, a.Name, a.Value);
            break;
        case TSkinActionType::saFaceColour:
            if (a.Control && skin) a.Control->SetColor(skin->ButtonFace);
            break;
        case TSkinActionType::saBandsFaceColour:
            if (auto* coolBar = dynamic_cast<qx::TCoolBar*>(a.Control); coolBar && skin)
                for (int i = 0; i < coolBar->Bands()->Count(); ++i) coolBar->Bands()->Items(i)->SetColor(skin->ButtonFace);
            break;
        case TSkinActionType::saPrepareMenu:
            if (a.Control) host.PrepareControlMenu(a.Control);
            break;
        case TSkinActionType::saToolbarDraw:
            if (a.Control) host.TakeOverToolbarDraw(a.Control);
            break;
        case TSkinActionType::saDisableTag:
            if (a.Control && skin) a.Control->SetTag(skin->DisableTag());
            break;
        }
    }
}

//--- classification

bool ClassifyByName(TSkinControlHost& host, const std::wstring& className, qx::TControl* control) {
    TSkinData* skin = host.HostSkinData();
    if (!skin || !control) return false;
    bool handled = false;
    const TSkinActions actions = DecideByName(*skin, className, *control, handled);
    ApplySkinActions(host, actions, control);
    return handled;
}

void ClassifyControl(TSkinControlHost& host, qx::TControl* control, qx::TControl* owner) {
    TSkinData* skin = host.HostSkinData();
    if (!skin || !control) return;
    // 1. Disabled by tag; a radio or check group takes its children with it.
    if (control->Tag() == skin->DisableTag()) {
        const std::wstring lower = LowerText(control->ClassName());
        if (lower.find(L"radiogroup") != std::wstring::npos || lower.find(L"checkgroup") != std::wstring::npos)
            if (auto* group = dynamic_cast<qx::TWinControl*>(control))
                for (int i = 0; i < group->ControlCount(); ++i) group->Controls(i)->SetTag(skin->DisableTag());
        return;
    }
    // 2. Nothing to do for a control without a parent or one skinned already.
    if (!control->Parent() || AnswersSkinQuery(*control) || HostHoldsWrapper(host, control)) return;
    // 3. The class name in capitals; a windowed control needs its window.
    const std::wstring upper = UpperText(control->ClassName());
    if (auto* windowed = dynamic_cast<qx::TWinControl*>(control)) {
        try {
            if (!windowed->Handle()) return;
        } catch (...) {
            return;
        }
    }
    // 4. The program's own handler may supply the wrapper.
    if (skin->OnSkinControl) {
        qx::TComponent* given = nullptr;
        skin->OnSkinControl(host.HostComponent(), skin, owner, control, upper, given);
        if (auto* wrapper = dynamic_cast<TSkinControl*>(given)) {
            const std::vector<TSkinControl*> held = host.Wrappers();
            if (std::find(held.begin(), held.end(), wrapper) == held.end()) {
                wrapper->Attach(&host, skin, wrapper->ColourFlag(), host.ControlCanvas());
                if (auto* panel = dynamic_cast<qx::TWinControl*>(control);
                    panel && IsControlKind(*panel, {L"TCustomPanel", L"TPanel"}))
                    EnumerateContainer(host, panel);
            }
            return;
        }
    }
    // 5. The Skin3rd list.
    if (ClassifyByName(host, upper, control)) return;
    // 6. Classes that must never be touched.
    if (upper == L"TDBCOMBOBOXEH" || upper == L"TFRDESIGNERPAGE" || upper == L"TFRPBOX") return;
    // 7. The row table.
    ApplySkinActions(host, DecideControlRow(*skin, *control, upper), owner);
}

void ClassifyWindow(TSkinControlHost& host, HWND window) {
    if (!window || HostHoldsWindow(host, window)) return;
    ApplySkinActions(host, DecideWindow(window), nullptr);
}

void ClassifyWindowChildren(TSkinControlHost& host, HWND window) {
    if (!window) return;
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) children.push_back(child);
    for (HWND child : children) ClassifyWindow(host, child);
}

void EnumerateContainer(TSkinControlHost& host, qx::TWinControl* container) {
    if (!container) return;
    // A snapshot: wrappers of raw windows become components of the host while this runs.
    std::vector<qx::TControl*> controls;
    for (int i = 0; i < container->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<qx::TControl*>(container->Components(i))) controls.push_back(control);
    for (qx::TControl* control : controls) ClassifyControl(host, control, container);
    if (TSkinData* skin = host.HostSkinData(); skin && InSet(skin->SkinControls(), xcPopupMenu))
        host.PreparePopupMenus(container);
}

void ClassifyFormControls(TSkinControlHost& host, qx::TCustomForm* form) {
    TSkinData* skin = host.HostSkinData();
    if (!form || !skin) return;
    EnumerateContainer(host, form);
    std::vector<qx::TWinControl*> tabOrder;
    form->GetTabOrderList(tabOrder);
    for (qx::TWinControl* control : tabOrder) {
        if (!control->HandleAllocated() || control->Tag() == skin->DisableTag()) continue;
        if (::SendMessageW(control->Handle(), SKN_QUERY, 0, 0) == 1) continue;
        ClassifyControl(host, control, form);
    }
}
