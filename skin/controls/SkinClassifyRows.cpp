// The decisions of the control classification: the row table for framework controls and the
// kinds of the Skin3rd list. Nothing here changes a control; the actions say what to do.
#include "skin/controls/SkinClassify.h"

#include "skin/controls/SkinObjImage.h"
#include "skin/controls/SkinPropText.h"
#include "skin/data/SkinData.h"

#include <initializer_list>

namespace {

using K = TSkinWrapperKind;

// The framework classes that make up each kind the rows test (a control of the class or of a
// descendant). Classes the framework does not have yet are named as the framework will name
// them, so the rows decide correctly as soon as they exist.
const std::initializer_list<const wchar_t*> kPageControl{L"TPageControl"};
const std::initializer_list<const wchar_t*> kMenuBarControl{L"TCustomActionMainMenuBar", L"TActionMainMenuBar"};
const std::initializer_list<const wchar_t*> kCoolBar{L"TCoolBar"};
const std::initializer_list<const wchar_t*> kTabSheet{L"TTabSheet"};
const std::initializer_list<const wchar_t*> kTabControl{L"TCustomTabControl", L"TTabControl"};
const std::initializer_list<const wchar_t*> kHeaderControl{L"TCustomHeaderControl", L"THeaderControl"};
const std::initializer_list<const wchar_t*> kCheckBox{L"TCustomCheckBox", L"TCheckBox"};
const std::initializer_list<const wchar_t*> kTrackBar{L"TTrackBar"};
const std::initializer_list<const wchar_t*> kRadioGroup{L"TCustomRadioGroup", L"TRadioGroup"};
const std::initializer_list<const wchar_t*> kGroupBox{L"TCustomGroupBox", L"TGroupBox"};
const std::initializer_list<const wchar_t*> kRadioButton{L"TRadioButton"};
const std::initializer_list<const wchar_t*> kToolBar{L"TToolBar"};
const std::initializer_list<const wchar_t*> kStatusBar{L"TCustomStatusBar", L"TStatusBar"};
const std::initializer_list<const wchar_t*> kProgressBar{L"TProgressBar"};
const std::initializer_list<const wchar_t*> kScrollBarControl{L"TScrollBar"};
const std::initializer_list<const wchar_t*> kComboBox{L"TCustomComboBox", L"TComboBox"};
const std::initializer_list<const wchar_t*> kDateTimePicker{L"TDateTimePicker"};
const std::initializer_list<const wchar_t*> kGlyphButton{L"TBitBtn"};
const std::initializer_list<const wchar_t*> kSpeedButton{L"TSpeedButton"};
const std::initializer_list<const wchar_t*> kPanel{L"TCustomPanel", L"TPanel"};
const std::initializer_list<const wchar_t*> kListView{L"TCustomListView", L"TListView"};
const std::initializer_list<const wchar_t*> kScrollingList{
    L"TCustomListBox", L"TListBox", L"TCustomMemo", L"TMemo", L"TCustomTreeView", L"TTreeView",
    L"TCustomGrid", L"TDrawGrid", L"TStringGrid"};
const std::initializer_list<const wchar_t*> kScrollingColoured{L"TScrollBox"};
const std::initializer_list<const wchar_t*> kButton{L"TButton"};
const std::initializer_list<const wchar_t*> kEdit{L"TCustomEdit", L"TEdit"};
const std::initializer_list<const wchar_t*> kFrame{L"TCustomFrame", L"TFrame"};
const std::initializer_list<const wchar_t*> kForm{L"TCustomForm"};

bool IsKind(const qx::TControl& control, std::initializer_list<const wchar_t*> names) {
    return IsControlKind(control, names);
}

bool Has(const TSkinData& skin, TSkinControlType element) { return InSet(skin.SkinControls(), element); }
bool HasTabs(const TSkinData& skin) { return Has(skin, xcTab) && skin.Tabs != nullptr; }

TSkinAction Wrap(qx::TControl& control, K kind, bool colour = false, int variant = 0) {
    TSkinAction a;
    a.Type = TSkinActionType::saWrap;
    a.Control = &control;
    a.Wrapper = kind;
    a.ColourFlag = colour;
    a.Variant = variant;
    return a;
}

TSkinAction Do(TSkinActionType type, qx::TControl& control) {
    TSkinAction a;
    a.Type = type;
    a.Control = &control;
    return a;
}

TSkinAction SetProp(qx::TControl& control, const wchar_t* name, const wchar_t* value) {
    TSkinAction a = Do(TSkinActionType::saSetProperty, control);
    a.Name = name;
    a.Value = value;
    return a;
}

// The windowed children of a container, or none.
template <class F>
void ForEachChild(qx::TControl& control, F f) {
    if (auto* container = dynamic_cast<qx::TWinControl*>(&control))
        for (int i = 0; i < container->ControlCount(); ++i) f(*container->Controls(i));
}

bool ShowsScrollBar(qx::TControl& control) {
    auto* windowed = dynamic_cast<qx::TWinControl*>(&control);
    if (!windowed || !windowed->HandleAllocated()) return false;
    return (::GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0;
}

bool ClassIs(const std::wstring& upper, std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* name : names)
        if (upper == name) return true;
    return false;
}

}  // namespace

bool IsControlKind(const qx::TControl& control, std::initializer_list<const wchar_t*> classNames) {
    for (const qx::TClassInfo* c = &control.ClassType(); c; c = c->Parent)
        for (const wchar_t* name : classNames)
            if (qx::SameText(c->ClassName, name)) return true;
    return false;
}

const wchar_t* WrapperKindName(TSkinWrapperKind kind) {
    static const wchar_t* const names[kWrapperKindCount] = {
        L"none", L"TSkinTab", L"TSkinTab31", L"TSkinTabSheet", L"TSkinCheckBox", L"TSkinTrackBar", L"TSkinUpDown",
        L"TSkinRadioButton", L"TSkinGroupBox", L"TSkinBox", L"TSkinObjImage", L"TSkinStatusBar", L"TSkinProgress",
        L"TSkinScControl", L"TSkinComBox", L"TSkinEdit", L"TSkinScrollbar", L"TSkinBitButton", L"TSkinSpeedButton",
        L"TSkinListView", L"TSkinButton", L"TSkinSizer", L"TSkinBoxH", L"TSkinHeader"};
    const int i = static_cast<int>(kind);
    return i >= 0 && i < kWrapperKindCount ? names[i] : L"?";
}

//--- the row table

TSkinActions DecideControlRow(TSkinData& skin, qx::TControl& control, const std::wstring& upper, int* row) {
    TSkinActions out;
    int matched = 0;
    auto take = [&](int number) { matched = number; };

    if (IsKind(control, kPageControl) && HasTabs(skin)) {
        take(1);
        out.push_back(Wrap(control, K::wkTab));
    } else if (IsKind(control, kMenuBarControl) && Has(skin, xcMainMenu)) {
        take(2);
        out.push_back(Do(TSkinActionType::saPrepareMenu, control));
    } else if (IsKind(control, kCoolBar) && Has(skin, xcToolbar)) {
        take(3);
        out.push_back(Do(TSkinActionType::saBandsFaceColour, control));
    } else if (upper == L"TTABSET" && HasTabs(skin)) {
        take(4);
        out.push_back(Wrap(control, K::wkTab31));
    } else if (IsKind(control, kTabSheet) && HasTabs(skin)) {
        take(5);
        out.push_back(Wrap(control, K::wkTabSheet));
    } else if (upper == L"TTABBEDNOTEBOOK" && HasTabs(skin)) {
        take(6);
        out.push_back(Wrap(control, K::wkTab));
    } else if (upper == L"TMVCPANEL") {
        take(7);
        out.push_back(Do(TSkinActionType::saEnumerate, control));
    } else if (IsKind(control, kTabControl) && HasTabs(skin)) {
        take(8);
        out.push_back(Wrap(control, K::wkTab));
    } else if (IsKind(control, kHeaderControl) && Has(skin, xcTab)) {
        // A header standing on its own (a list view's header is wrapped with its list view).
        // It goes with the tabs: both draw their captions the same way from tab-like images,
        // and the skin has no element of its own for headers. Without a Headerbar image the
        // wrapper leaves the painting to the system, so no image is asked for here.
        take(kHeaderRow);
        out.push_back(Wrap(control, K::wkHeader));
    } else if (IsKind(control, kCheckBox) && Has(skin, xcCheckBox)) {
        take(9);
        out.push_back(Wrap(control, K::wkCheckBox));
    } else if (IsKind(control, kTrackBar) && Has(skin, xcTrackBar)) {
        take(10);
        out.push_back(Wrap(control, K::wkTrackBar));
    } else if (ClassIs(upper, {L"TUPDOWN", L"TSPINBUTTON"}) && Has(skin, xcSpin)) {
        take(11);
        out.push_back(Wrap(control, K::wkUpDown));
    } else if (IsKind(control, kRadioGroup) && Has(skin, xcRadioButton)) {
        take(12);
        ForEachChild(control, [&](qx::TControl& child) { out.push_back(Wrap(child, K::wkRadioButton)); });
        out.push_back(Wrap(control, K::wkGroupBox, true));
    } else if (upper == L"TDBNAVIGATOR" && Has(skin, xcPanel)) {
        take(13);
        out.push_back(SetProp(control, L"Flat", L"True"));
        out.push_back(Wrap(control, K::wkBox, true));
    } else if (ClassIs(upper, {L"TRZDBCHECKBOX", L"TRZCHECKBOX"}) && Has(skin, xcCheckBox)) {
        take(14);
        out.push_back(Wrap(control, K::wkObjImage, true, kObjImageCheckGlyphs));
    } else if (ClassIs(upper, {L"TRZRADIOBUTTON", L"TRZDBRADIOBUTTON"}) && Has(skin, xcRadioButton)) {
        take(15);
        out.push_back(Wrap(control, K::wkObjImage, true, kObjImageRadioGlyphs));
    } else if (ClassIs(upper, {L"TCXDBCHECKBOX", L"TCXCHECKBOX"}) && Has(skin, xcCheckBox)) {
        take(16);
        out.push_back(Wrap(control, K::wkObjImage, true, kObjImagePropertiesGlyph));
    } else if (IsKind(control, kGroupBox) && Has(skin, xcPanel)) {
        take(17);
        out.push_back(Wrap(control, K::wkGroupBox, true));
        out.push_back(Do(TSkinActionType::saEnumerate, control));
    } else if (IsKind(control, kRadioButton) && Has(skin, xcRadioButton)) {
        take(18);
        out.push_back(Wrap(control, K::wkRadioButton));
    } else if (IsKind(control, kToolBar) && Has(skin, xcToolbar)) {
        take(19);
        out.push_back(SetProp(control, L"Flat", L"True"));
        out.push_back(Do(TSkinActionType::saToolbarDraw, control));
        out.push_back(Wrap(control, K::wkBox));
        out.push_back(Do(TSkinActionType::saPrepareMenu, control));
    } else if (IsKind(control, kStatusBar) && Has(skin, xcStatusBar)) {
        take(20);
        out.push_back(Wrap(control, K::wkStatusBar));
    } else if (IsKind(control, kProgressBar) && Has(skin, xcProgress)) {
        take(21);
        out.push_back(Wrap(control, K::wkProgress));
    } else if (IsKind(control, kScrollBarControl) && Has(skin, xcScrollbar)) {
        take(22);
        out.push_back(Wrap(control, K::wkScControl));
    } else if (upper == L"TTNTCOMBOBOX" && Has(skin, xcCombo)) {
        take(23);
        out.push_back(Wrap(control, K::wkComBox));
    } else if (IsKind(control, kComboBox) && Has(skin, xcCombo)) {
        take(24);
        out.push_back(Wrap(control, K::wkComBox));
    } else if (IsKind(control, kDateTimePicker) && Has(skin, xcEdit)) {
        take(25);
        // Its two style fields: the time kind and the up-down mode both show an edit box.
        const bool editLike = PropOrd(control, L"Kind", 0) == 1 || PropOrd(control, L"DateMode", 0) == 1;
        out.push_back(Wrap(control, editLike ? K::wkEdit : K::wkComBox));
    } else if (upper == L"TRICHEDIT" && Has(skin, xcScrollbar)) {
        take(26);
        out.push_back(Wrap(control, K::wkScrollbar));
    } else if (ClassIs(upper, {L"TWWDBRICHEDIT", L"TDXDBMEMO"}) && Has(skin, xcScrollbar)) {
        take(27);
        out.push_back(Wrap(control, K::wkScrollbar));
    } else if (IsKind(control, kGlyphButton)) {
        // The kind alone ends the rules: a glyph button is never treated as a plain button.
        take(28);
        if (Has(skin, xcBitBtn)) out.push_back(Wrap(control, K::wkBitButton));
    } else if (IsKind(control, kSpeedButton) && Has(skin, xcSpeedButton)) {
        take(29);
        out.push_back(Wrap(control, K::wkSpeedButton));
    } else if (IsKind(control, kPanel) && Has(skin, xcPanel)) {
        take(30);
        out.push_back(Wrap(control, K::wkBox, true));
        out.push_back(Do(TSkinActionType::saEnumerate, control));
    } else if (ClassIs(upper, {L"TDXTREELIST", L"TDXDBTREELIST", L"TDXDBGRID"}) && Has(skin, xcScrollbar)) {
        take(31);
        out.push_back(Wrap(control, K::wkScrollbar));
    } else if (IsKind(control, kListView) && Has(skin, xcScrollbar)) {
        take(32);
        out.push_back(Wrap(control, K::wkListView));
    } else if (IsKind(control, kScrollingList) && Has(skin, xcScrollbar)) {
        take(33);
        out.push_back(Wrap(control, K::wkScrollbar));
    } else if (IsKind(control, kScrollingColoured) && Has(skin, xcScrollbar)) {
        take(34);
        out.push_back(Wrap(control, K::wkScrollbar));
        out.push_back(Do(TSkinActionType::saFaceColour, control));
    } else if (ShowsScrollBar(control) && Has(skin, xcScrollbar)) {
        take(35);
        out.push_back(Wrap(control, K::wkScrollbar));
    } else if (IsKind(control, kButton) && Has(skin, xcButton)) {
        take(36);
        out.push_back(Wrap(control, K::wkButton));
    } else if (IsKind(control, kEdit) && Has(skin, xcEdit)) {
        take(37);
        out.push_back(Wrap(control, K::wkEdit));
    } else if (!ClassIs(upper, {L"TDCEDIT", L"TDCDBEDIT"})) {
        if (IsKind(control, kFrame)) {
            take(38);
            out.push_back(Do(TSkinActionType::saEnumerate, control));
        } else if (IsKind(control, kForm)) {
            take(38);
            out.push_back(Wrap(control, K::wkBox, true));
            out.push_back(Do(TSkinActionType::saEnumerate, control));
        }
    } else {
        take(39);
        const long long buttons = PropOrd(control, L"NumButtons", -1);
        if (buttons == 1 && Has(skin, xcCombo)) {
            out.push_back(Wrap(control, K::wkComBox));
        } else if (buttons == 0 && Has(skin, xcEdit)) {
            if (auto* windowed = dynamic_cast<qx::TWinControl*>(&control); windowed && windowed->HandleAllocated()) {
                TSkinAction a = Wrap(control, K::wkEdit);
                a.Type = TSkinActionType::saWrapWindow;
                a.Window = windowed->Handle();
                out.push_back(a);
            }
        }
    }
    if (row) *row = matched;
    return out;
}

//--- the Skin3rd list

namespace {

// The first line naming the class ("Class=kind", letter case ignored); the kind is what
// follows the "=", at most 50 characters, lower-cased.
bool FindSkin3rd(TSkinData& skin, const std::wstring& className, std::wstring& kind) {
    const std::wstring prefix = LowerText(className) + L"=";
    qx::TStringList& lines = *skin.Skin3rd();
    for (int i = 0; i < lines.Count(); ++i) {
        const std::wstring line = LowerText(lines.Get(i));
        if (line.compare(0, prefix.size(), prefix) != 0) continue;
        kind = line.substr(prefix.size(), 50);
        return true;
    }
    return false;
}

}  // namespace

std::wstring Skin3rdKind(TSkinData& skin, const std::wstring& className) {
    std::wstring kind;
    FindSkin3rd(skin, className, kind);
    return kind;
}

TSkinActions DecideByName(TSkinData& skin, const std::wstring& className, qx::TControl& control, bool& handled) {
    TSkinActions out;
    std::wstring kind;
    handled = FindSkin3rd(skin, className, kind);
    if (!handled) return out;

    if (kind == L"nil") return out;
    if (kind == L"combobox") {
        if (Has(skin, xcCombo)) out.push_back(Wrap(control, K::wkComBox));
    } else if (kind == L"edit") {
        // Only an edit with a frame of its own (the window larger than its client area).
        auto* windowed = dynamic_cast<qx::TWinControl*>(&control);
        if (Has(skin, xcEdit) && windowed && windowed->HandleAllocated()) {
            RECT window{}, client{};
            ::GetWindowRect(windowed->Handle(), &window);
            ::GetClientRect(windowed->Handle(), &client);
            if (window.right - window.left != client.right || window.bottom - window.top != client.bottom)
                out.push_back(Wrap(control, K::wkEdit));
        }
    } else if (kind == L"radiobutton") {
        if (Has(skin, xcRadioButton)) out.push_back(Wrap(control, K::wkRadioButton));
    } else if (kind == L"panel") {
        if (Has(skin, xcPanel)) {
            out.push_back(SetProp(control, L"Transparent", L"True"));
            out.push_back(Wrap(control, K::wkBox, true));
        }
    } else if (kind == L"trackbar") {
        if (Has(skin, xcButton)) {
            out.push_back(SetProp(control, L"Transparent", L"True"));
            out.push_back(Wrap(control, K::wkTrackBar));
        }
    } else if (kind == L"button") {
        if (Has(skin, xcButton)) out.push_back(Wrap(control, K::wkButton));
    } else if (kind == L"bitbtn") {
        if (Has(skin, xcButton)) out.push_back(Wrap(control, K::wkBitButton));
    } else if (kind == L"speedbutton") {
        if (Has(skin, xcSpeedButton)) out.push_back(Wrap(control, K::wkSpeedButton));
    } else if (kind == L"tab") {
        if (HasTabs(skin)) out.push_back(Wrap(control, K::wkTab));
    } else if (kind == L"progress") {
        if (Has(skin, xcProgress)) out.push_back(Wrap(control, K::wkProgress));
    } else if (kind == L"scrollbar") {
        if (Has(skin, xcScrollbar)) {
            out.push_back(Wrap(control, K::wkScrollbar));
            out.push_back(Do(TSkinActionType::saEnumerate, control));
        }
    } else if (kind == L"embedscrollbar") {
        if (Has(skin, xcScrollbar))
            ForEachChild(control, [&](qx::TControl& child) {
                if (IsKind(child, kScrollBarControl)) out.push_back(Wrap(child, K::wkScControl));
                else if (ShowsScrollBar(child)) out.push_back(Wrap(child, K::wkScrollbar));
            });
    } else if (kind == L"container") {
        ForEachChild(control, [&](qx::TControl& child) {
            bool childHandled = false;
            TSkinActions more = DecideByName(skin, UpperText(child.ClassName()), child, childHandled);
            out.insert(out.end(), more.begin(), more.end());
        });
    } else if (kind == L"groupbox") {
        if (Has(skin, xcGroupBox)) out.push_back(Wrap(control, K::wkGroupBox, true));
    } else if (kind == L"radiogroup") {
        if (Has(skin, xcGroupBox)) {
            if (Has(skin, xcRadioButton)) {
                const bool ownGlyphs = className.find(L"TRZ") != std::wstring::npos;
                ForEachChild(control, [&](qx::TControl& child) {
                    out.push_back(ownGlyphs ? Wrap(child, K::wkObjImage, true, kObjImageRadioGlyphs)
                                            : Wrap(child, K::wkRadioButton));
                });
            }
            out.push_back(Wrap(control, K::wkGroupBox, true));
        }
    } else if (kind == L"checkgroup") {
        if (Has(skin, xcPanel)) {
            if (Has(skin, xcRadioButton)) {
                const bool ownGlyphs = className.find(L"TRZ") != std::wstring::npos;
                ForEachChild(control, [&](qx::TControl& child) {
                    out.push_back(ownGlyphs ? Wrap(child, K::wkObjImage, true, kObjImageCheckGlyphs)
                                            : Wrap(child, K::wkCheckBox));
                });
            }
            if (Has(skin, xcGroupBox)) out.push_back(Wrap(control, K::wkGroupBox, true));
        }
    } else if (kind == L"checkbox") {
        if (Has(skin, xcCheckBox)) out.push_back(Wrap(control, K::wkCheckBox));
    }
    return out;
}
