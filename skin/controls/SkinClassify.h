// The control classification: the ordered rules by which a skinned form chooses, for each child
// control or child window, which wrapper (if any) is attached to it.
//
// Each rule set comes in two halves. The decision (Decide...) looks at the control and the skin
// data and returns what to do as a list of actions, without touching anything; the public
// Classify... operations run the side steps the rules prescribe (tags, handles, the
// OnSkinControl handler) and apply the actions. Wrappers are made through a factory per wrapper
// kind, so that a kind whose wrapper does not exist yet still decides correctly and simply
// creates nothing.
#pragma once

#include "framework/Controls.h"
#include "framework/Forms.h"
#include "skin/controls/SkinControlHost.h"

#include <initializer_list>
#include <string>
#include <vector>
#include <windows.h>

class TSkinData;
class TSkinControl;

enum class TSkinWrapperKind {
    wkNone, wkTab, wkTab31, wkTabSheet, wkCheckBox, wkTrackBar, wkUpDown, wkRadioButton, wkGroupBox, wkBox,
    wkObjImage, wkStatusBar, wkProgress, wkScControl, wkComBox, wkEdit, wkScrollbar, wkBitButton, wkSpeedButton,
    wkListView, wkButton, wkSizer, wkBoxH, wkHeader,
};
inline constexpr int kWrapperKindCount = static_cast<int>(TSkinWrapperKind::wkHeader) + 1;
const wchar_t* WrapperKindName(TSkinWrapperKind kind);

enum class TSkinActionType {
    saWrap,          // a wrapper for Control, owned by it, attached with ColourFlag
    saWrapWindow,    // a wrapper for Window, owned by the host, attached by handle
    saEnumerate,     // Control is a container whose components are classified in turn
    saSetProperty,   // Control's published property Name := Value (skipped when it has none)
    saFaceColour,    // Control's Color := the skin's ButtonFace
    saBandsFaceColour,  // every band of a cool bar: colour := ButtonFace
    saPrepareMenu,   // the menu items the control carries get the skinned look
    saToolbarDraw,   // the form's custom-draw handlers for a tool bar
    saDisableTag,    // Control's Tag := the skin data's DisableTag
};

struct TSkinAction {
    TSkinActionType Type = TSkinActionType::saWrap;
    qx::TControl* Control = nullptr;
    HWND Window = nullptr;
    TSkinWrapperKind Wrapper = TSkinWrapperKind::wkNone;
    int Variant = 0;  // TSkinObjImage's kind
    bool ColourFlag = false;
    std::wstring Name;
    std::wstring Value;
};
using TSkinActions = std::vector<TSkinAction>;

//--- wrapper factories
// Makes a wrapper of one kind, owned by `owner` (the control, or the host for a raw window).
using TSkinWrapperFactory = TSkinControl* (*)(qx::TComponent* owner, int variant);
// Installs (or, with null, removes) the factory of a kind. Every wrapper of this folder is
// installed from the start (buttons, check boxes, radio buttons, glyph images, edits, combo
// boxes, panels and group boxes, scroll bars, list views, scroll-bar controls and size grips,
// tabs, tab sets and pages, headers, track bars, up-downs, status and progress bars); a kind without a
// factory creates nothing.
void RegisterSkinWrapper(TSkinWrapperKind kind, TSkinWrapperFactory factory);
TSkinWrapperFactory SkinWrapperFactory(TSkinWrapperKind kind);

// Whether the control is of one of these framework classes or descends from one (compared by
// name, so that classes the framework does not have yet can be named).
bool IsControlKind(const qx::TControl& control, std::initializer_list<const wchar_t*> classNames);

//--- decisions (no side effects)
// The table of ClassifyControl's last step; `row` receives the matching row number (0: none).
// Rows the program adds to the table are numbered from kFirstOwnRow on, wherever they are tried.
inline constexpr int kFirstOwnRow = 40;
inline constexpr int kHeaderRow = kFirstOwnRow;  // a stand-alone header control
TSkinActions DecideControlRow(TSkinData& skin, qx::TControl& control, const std::wstring& upperClassName,
                              int* row = nullptr);
// The Skin3rd mapping: the kind the list gives the class (lower case), empty when none.
std::wstring Skin3rdKind(TSkinData& skin, const std::wstring& className);
// What the kind does to the control; `handled` is false when the list does not name the class.
TSkinActions DecideByName(TSkinData& skin, const std::wstring& className, qx::TControl& control, bool& handled);
// The rows for a raw child window (recursing into dialog and panel children as the rows say).
TSkinActions DecideWindow(HWND window);

//--- classification
// Whether the host holds a wrapper for the control (windowed or not) or the window.
bool HostHoldsWrapper(const TSkinControlHost& host, qx::TControl* control);
bool HostHoldsWindow(const TSkinControlHost& host, HWND window);
// Any window or control that answers SKN_QUERY with 1 is skinned already.
bool AnswersSkinQuery(qx::TControl& control);

// `owner`: the container being enumerated (the Form of OnSkinControl).
void ClassifyControl(TSkinControlHost& host, qx::TControl* control, qx::TControl* owner);
// True when Skin3rd names the class (whatever the kind then did).
bool ClassifyByName(TSkinControlHost& host, const std::wstring& className, qx::TControl* control);
void ClassifyWindow(TSkinControlHost& host, HWND window);
// Every component the container owns that is a control goes through ClassifyControl; its popup
// menus are handed to the host when the skin skins popup menus.
void EnumerateContainer(TSkinControlHost& host, qx::TWinControl* container);
// A framework form: its own components, then every windowed control of its tab order that has
// a window, is not disabled by tag and is not skinned yet.
void ClassifyFormControls(TSkinControlHost& host, qx::TCustomForm* form);
// A raw window: each direct child window with WS_CHILD goes through ClassifyWindow.
void ClassifyWindowChildren(TSkinControlHost& host, HWND window);

// Carries the actions out for the host.
void ApplySkinActions(TSkinControlHost& host, const TSkinActions& actions, qx::TControl* owner);
