// The control classification: every row of the table with a control of its kind (classes the
// framework does not have yet are stood in for by test classes of the same name), every kind of
// the Skin3rd list, every raw-window row, and the steps around them: DisableTag, the handler,
// no second wrapper, and a form classified as the form skinning does it.
#include "framework/Buttons.h"
#include "framework/ComboBox.h"
#include "framework/ExtCtrls.h"
#include "framework/GroupBox.h"
#include "framework/HeaderControl.h"
#include "framework/ListControls.h"
#include "framework/StdCtrls.h"
#include "framework/UpDown.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/controls/SkinClassify.h"
#include "skin/controls/SkinPropText.h"
#include "skin/controls/SkinRadioButton.h"
#include "support/WrapperTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

using namespace wraptest;

//--- stand-ins for control classes the rows name

#define FAKE_CONTROL(Name, Base)                                   \
    class Name : public Base {                                     \
        QX_CLASS(Name)                                             \
    public:                                                        \
        explicit Name(qx::TComponent* owner) : Base(owner) {}      \
    };                                                             \
    QX_DEFINE_CLASS(Name, Base, b) {}

namespace {
FAKE_CONTROL(TCustomTabControl, qx::TCustomControl)
FAKE_CONTROL(TPageControl, TCustomTabControl)
FAKE_CONTROL(TTabSheet, qx::TCustomControl)
FAKE_CONTROL(TActionMainMenuBar, qx::TCustomControl)
FAKE_CONTROL(TCoolBar, qx::TCustomControl)
FAKE_CONTROL(TTabSet, qx::TCustomControl)
FAKE_CONTROL(TTabbedNotebook, qx::TCustomControl)
FAKE_CONTROL(TMVCPanel, qx::TCustomControl)
FAKE_CONTROL(TTrackBar, qx::TWinControl)
FAKE_CONTROL(TSpinButton, qx::TWinControl)
FAKE_CONTROL(TRzCheckBox, qx::TWinControl)
FAKE_CONTROL(TRzDBRadioButton, qx::TWinControl)
FAKE_CONTROL(TcxDBCheckBox, qx::TWinControl)
FAKE_CONTROL(TToolBar, qx::TCustomControl)
FAKE_CONTROL(TStatusBar, qx::TWinControl)
FAKE_CONTROL(TProgressBar, qx::TWinControl)
FAKE_CONTROL(TScrollBar, qx::TWinControl)
FAKE_CONTROL(TTntComboBox, qx::TWinControl)
FAKE_CONTROL(TRichEdit, qx::TWinControl)
FAKE_CONTROL(TdxDBMemo, qx::TWinControl)
FAKE_CONTROL(TdxDBGrid, qx::TWinControl)
FAKE_CONTROL(TListView, qx::TWinControl)
FAKE_CONTROL(TScrollBox, qx::TCustomControl)
FAKE_CONTROL(TFrame, qx::TCustomControl)
FAKE_CONTROL(TDBComboBoxEh, qx::TWinControl)
FAKE_CONTROL(TMyButton, qx::TButton)
FAKE_CONTROL(TRzRadioGroup, qx::TCustomControl)
FAKE_CONTROL(TCheckGroupThing, qx::TCustomControl)
FAKE_CONTROL(TSortingHeader, qx::THeaderControl)

// Controls with the published properties some rows read or write.
class TDBNavigator : public qx::TCustomControl {
    QX_CLASS(TDBNavigator)
public:
    explicit TDBNavigator(qx::TComponent* owner) : qx::TCustomControl(owner) {}
    bool Flat = false;
};
QX_DEFINE_CLASS(TDBNavigator, qx::TCustomControl, b) {
    b.Boolean(L"Flat", [](TDBNavigator& c) { return c.Flat; }, [](TDBNavigator& c, bool v) { c.Flat = v; });
}

class TDateTimePicker : public qx::TWinControl {
    QX_CLASS(TDateTimePicker)
public:
    explicit TDateTimePicker(qx::TComponent* owner) : qx::TWinControl(owner) {}
    int Kind = 0, DateMode = 0;
};
QX_DEFINE_CLASS(TDateTimePicker, qx::TWinControl, b) {
    b.Integer(L"Kind", [](TDateTimePicker& c) { return c.Kind; }, [](TDateTimePicker& c, int v) { c.Kind = v; });
    b.Integer(L"DateMode", [](TDateTimePicker& c) { return c.DateMode; },
              [](TDateTimePicker& c, int v) { c.DateMode = v; });
}

class TDCEdit : public qx::TWinControl {
    QX_CLASS(TDCEdit)
public:
    explicit TDCEdit(qx::TComponent* owner) : qx::TWinControl(owner) {}
    int NumButtons = 0;
};
QX_DEFINE_CLASS(TDCEdit, qx::TWinControl, b) {
    b.Integer(L"NumButtons", [](TDCEdit& c) { return c.NumButtons; }, [](TDCEdit& c, int v) { c.NumButtons = v; });
}

class TSeeThrough : public qx::TCustomControl {
    QX_CLASS(TSeeThrough)
public:
    explicit TSeeThrough(qx::TComponent* owner) : qx::TCustomControl(owner) {}
    bool Transparent = false;
};
QX_DEFINE_CLASS(TSeeThrough, qx::TCustomControl, b) {
    b.Boolean(L"Transparent", [](TSeeThrough& c) { return c.Transparent; },
              [](TSeeThrough& c, bool v) { c.Transparent = v; });
}

// The actions in short: "wrap:TSkinButton+c@2" (colour flag, target other than the control:
// its child number), "enum", "set:Flat=True", "face", "bands", "menu", "toolbar".
std::string Describe(const TSkinActions& actions, qx::TControl* control) {
    std::ostringstream out;
    for (const TSkinAction& a : actions) {
        if (out.tellp() > 0) out << ' ';
        switch (a.Type) {
        case TSkinActionType::saWrap:
        case TSkinActionType::saWrapWindow: {
            const std::wstring name = WrapperKindName(a.Wrapper);
            out << (a.Type == TSkinActionType::saWrap ? "wrap:" : "hwnd:") << std::string(name.begin(), name.end());
            if (a.Variant) out << '#' << a.Variant;
            if (a.ColourFlag) out << "+c";
            break;
        }
        case TSkinActionType::saEnumerate: out << "enum"; break;
        case TSkinActionType::saSetProperty:
            out << "set:" << std::string(a.Name.begin(), a.Name.end()) << '=' << std::string(a.Value.begin(), a.Value.end());
            break;
        case TSkinActionType::saFaceColour: out << "face"; break;
        case TSkinActionType::saBandsFaceColour: out << "bands"; break;
        case TSkinActionType::saPrepareMenu: out << "menu"; break;
        case TSkinActionType::saToolbarDraw: out << "toolbar"; break;
        case TSkinActionType::saDisableTag: out << "tag"; break;
        }
        if (a.Control && a.Control != control) {
            auto* parent = dynamic_cast<qx::TWinControl*>(control);
            for (int i = 0; parent && i < parent->ControlCount(); ++i)
                if (parent->Controls(i) == a.Control) out << '@' << i;
        }
    }
    return out.str();
}

class SkinClassifyTest : public ::testing::Test {
public:
    void SetUp() override {
        skin = MakeTestSkin();
        skin->Tabs = std::make_unique<TDataSkinBorder>("Tabs");
        host = std::make_unique<TTestHost>(skin.get());
        form = MakeForm();
    }
    void TearDown() override {
        host.reset();
        delete form;
    }

    template <class C>
    C* Add(qx::TWinControl* parent = nullptr) {
        auto* c = new C(form);
        c->SetParent(parent ? parent : form);
        c->SetBounds(5, 5, 60, 20);
        return c;
    }
    // Row number and actions for a control.
    std::string Row(qx::TControl* control, int* row = nullptr) {
        int number = 0;
        const std::string text =
            Describe(DecideControlRow(*skin, *control, UpperText(control->ClassName()), &number), control);
        if (row) *row = number;
        return std::to_string(number) + (text.empty() ? "" : " " + text);
    }
    void Without(TSkinControlType element) { skin->SetSkinControls(skin->SkinControls() & ~SkinControlBit(element)); }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TTestHost> host;
    qx::TForm* form = nullptr;
};

}  // namespace

TEST_F(SkinClassifyTest, EveryRowWithAControlOfItsKind) {
    EXPECT_EQ(Row(Add<TPageControl>()), "1 wrap:TSkinTab");
    EXPECT_EQ(Row(Add<TActionMainMenuBar>()), "2 menu");
    EXPECT_EQ(Row(Add<TCoolBar>()), "3 bands");
    EXPECT_EQ(Row(Add<TTabSet>()), "4 wrap:TSkinTab31");
    EXPECT_EQ(Row(Add<TTabSheet>()), "5 wrap:TSkinTabSheet");
    EXPECT_EQ(Row(Add<TTabbedNotebook>()), "6 wrap:TSkinTab");
    EXPECT_EQ(Row(Add<TMVCPanel>()), "7 enum");
    EXPECT_EQ(Row(Add<TCustomTabControl>()), "8 wrap:TSkinTab");
    EXPECT_EQ(Row(Add<qx::THeaderControl>()), "40 wrap:TSkinHeader");
    EXPECT_EQ(Row(Add<TSortingHeader>()), "40 wrap:TSkinHeader");
    EXPECT_EQ(Row(Add<qx::TCheckBox>()), "9 wrap:TSkinCheckBox");
    EXPECT_EQ(Row(Add<TTrackBar>()), "10 wrap:TSkinTrackBar");
    EXPECT_EQ(Row(Add<qx::TUpDown>()), "11 wrap:TSkinUpDown");
    EXPECT_EQ(Row(Add<TSpinButton>()), "11 wrap:TSkinUpDown");
    auto* group = Add<qx::TRadioGroup>();
    group->Items()->Add(L"a");
    group->Items()->Add(L"b");
    ASSERT_EQ(group->ControlCount(), 2);
    EXPECT_EQ(Row(group), "12 wrap:TSkinRadioButton@0 wrap:TSkinRadioButton@1 wrap:TSkinGroupBox+c");
    auto* navigator = Add<TDBNavigator>();
    EXPECT_EQ(Row(navigator), "13 set:Flat=True wrap:TSkinBox+c");
    EXPECT_EQ(Row(Add<TRzCheckBox>()), "14 wrap:TSkinObjImage#1+c");
    EXPECT_EQ(Row(Add<TRzDBRadioButton>()), "15 wrap:TSkinObjImage#2+c");
    EXPECT_EQ(Row(Add<TcxDBCheckBox>()), "16 wrap:TSkinObjImage#3+c");
    EXPECT_EQ(Row(Add<qx::TGroupBox>()), "17 wrap:TSkinGroupBox+c enum");
    EXPECT_EQ(Row(Add<qx::TRadioButton>()), "18 wrap:TSkinRadioButton");
    EXPECT_EQ(Row(Add<TToolBar>()), "19 set:Flat=True toolbar wrap:TSkinBox menu");
    EXPECT_EQ(Row(Add<TStatusBar>()), "20 wrap:TSkinStatusBar");
    EXPECT_EQ(Row(Add<TProgressBar>()), "21 wrap:TSkinProgress");
    EXPECT_EQ(Row(Add<TScrollBar>()), "22 wrap:TSkinScControl");
    EXPECT_EQ(Row(Add<TTntComboBox>()), "23 wrap:TSkinComBox");
    EXPECT_EQ(Row(Add<qx::TComboBox>()), "24 wrap:TSkinComBox");
    auto* picker = Add<TDateTimePicker>();
    EXPECT_EQ(Row(picker), "25 wrap:TSkinComBox");
    picker->DateMode = 1;
    EXPECT_EQ(Row(picker), "25 wrap:TSkinEdit");
    picker->DateMode = 0;
    picker->Kind = 1;
    EXPECT_EQ(Row(picker), "25 wrap:TSkinEdit");
    EXPECT_EQ(Row(Add<TRichEdit>()), "26 wrap:TSkinScrollbar");
    EXPECT_EQ(Row(Add<TdxDBMemo>()), "27 wrap:TSkinScrollbar");
    EXPECT_EQ(Row(Add<qx::TBitBtn>()), "28 wrap:TSkinBitButton");
    EXPECT_EQ(Row(Add<qx::TSpeedButton>()), "29 wrap:TSkinSpeedButton");
    EXPECT_EQ(Row(Add<qx::TPanel>()), "30 wrap:TSkinBox+c enum");
    EXPECT_EQ(Row(Add<TdxDBGrid>()), "31 wrap:TSkinScrollbar");
    EXPECT_EQ(Row(Add<TListView>()), "32 wrap:TSkinListView");
    EXPECT_EQ(Row(Add<qx::TListBox>()), "33 wrap:TSkinScrollbar");
    EXPECT_EQ(Row(Add<qx::TMemo>()), "33 wrap:TSkinScrollbar");
    EXPECT_EQ(Row(Add<TScrollBox>()), "34 wrap:TSkinScrollbar face");
    auto* scrolled = Add<TStatusBar>();
    Without(xcStatusBar);
    ::SetWindowLongPtrW(scrolled->Handle(), GWL_STYLE, ::GetWindowLongPtrW(scrolled->Handle(), GWL_STYLE) | WS_VSCROLL);
    EXPECT_EQ(Row(scrolled), "35 wrap:TSkinScrollbar");
    EXPECT_EQ(Row(Add<qx::TButton>()), "36 wrap:TSkinButton");
    EXPECT_EQ(Row(Add<qx::TEdit>()), "37 wrap:TSkinEdit");
    EXPECT_EQ(Row(Add<TFrame>()), "38 enum");
    auto* embedded = new qx::TForm(form);
    embedded->SetParent(form);
    EXPECT_EQ(Row(embedded), "38 wrap:TSkinBox+c enum");
    auto* dc = Add<TDCEdit>();
    dc->NumButtons = 1;
    EXPECT_EQ(Row(dc), "39 wrap:TSkinComBox");
    dc->NumButtons = 0;
    dc->HandleNeeded();
    EXPECT_EQ(Row(dc), "39 hwnd:TSkinEdit");
    EXPECT_EQ(Row(Add<qx::TLabel>()), "0") << "a label matches no row";
}

// A row whose element is missing lets the control fall to later rows, except the glyph
// button's, which ends the rules by kind alone.
TEST_F(SkinClassifyTest, MissingElementsFallThroughExceptForGlyphButtons) {
    Without(xcBitBtn);
    EXPECT_EQ(Row(Add<qx::TBitBtn>()), "28");
    Without(xcScrollbar);
    EXPECT_EQ(Row(Add<qx::TMemo>()), "37 wrap:TSkinEdit") << "a memo is an edit when scroll bars are not skinned";
    Without(xcCheckBox);
    EXPECT_EQ(Row(Add<qx::TCheckBox>()), "0");
    skin->Tabs.reset();
    EXPECT_EQ(Row(Add<TPageControl>()), "0") << "no tab image, no tab wrapper";
    EXPECT_EQ(Row(Add<qx::THeaderControl>()), "40 wrap:TSkinHeader") << "a header asks for no tab image";
    Without(xcTab);
    EXPECT_EQ(Row(Add<qx::THeaderControl>()), "0") << "headers go with the tabs";
    Without(xcRadioButton);
    EXPECT_EQ(Row(Add<qx::TRadioGroup>()), "17 wrap:TSkinGroupBox+c enum");
}

TEST_F(SkinClassifyTest, EveryKindOfTheSkin3rdList) {
    skin->Skin3rd()->Clear();
    auto* plain = Add<TSeeThrough>();
    auto kind = [&](const std::wstring& word, qx::TControl* control = nullptr) {
        skin->Skin3rd()->Clear();
        skin->Skin3rd()->Add(L"TX=" + word);
        bool handled = false;
        control = control ? control : plain;
        const std::string text = Describe(DecideByName(*skin, L"TX", *control, handled), control);
        return std::string(handled ? "handled" : "not") + (text.empty() ? "" : " " + text);
    };
    EXPECT_EQ(kind(L"nil"), "handled");
    EXPECT_EQ(kind(L"combobox"), "handled wrap:TSkinComBox");
    EXPECT_EQ(kind(L"radiobutton"), "handled wrap:TSkinRadioButton");
    EXPECT_EQ(kind(L"Panel"), "handled set:Transparent=True wrap:TSkinBox+c");
    EXPECT_EQ(kind(L"trackbar"), "handled set:Transparent=True wrap:TSkinTrackBar");
    EXPECT_EQ(kind(L"button"), "handled wrap:TSkinButton");
    EXPECT_EQ(kind(L"bitbtn"), "handled wrap:TSkinBitButton");
    EXPECT_EQ(kind(L"speedbutton"), "handled wrap:TSkinSpeedButton");
    EXPECT_EQ(kind(L"tab"), "handled wrap:TSkinTab");
    EXPECT_EQ(kind(L"progress"), "handled wrap:TSkinProgress");
    EXPECT_EQ(kind(L"scrollbar"), "handled wrap:TSkinScrollbar enum");
    EXPECT_EQ(kind(L"Groupbox"), "handled wrap:TSkinGroupBox+c");
    EXPECT_EQ(kind(L"checkbox"), "handled wrap:TSkinCheckBox");
    EXPECT_EQ(kind(L"whatever"), "handled");

    // An edit only when it has a frame of its own.
    auto* framed = Add<qx::TEdit>();
    EXPECT_EQ(kind(L"edit", framed), "handled wrap:TSkinEdit");
    EXPECT_EQ(kind(L"edit", plain), "handled");

    // Children: scroll-bar controls, controls showing a scroll bar, and their own names.
    auto* holder = Add<qx::TPanel>();
    Add<TScrollBar>(holder);
    auto* memo = Add<qx::TMemo>(holder);
    memo->HandleNeeded();
    ::SetWindowLongPtrW(memo->Handle(), GWL_STYLE, ::GetWindowLongPtrW(memo->Handle(), GWL_STYLE) | WS_VSCROLL);
    Add<qx::TButton>(holder);
    EXPECT_EQ(kind(L"embedscrollbar", holder), "handled wrap:TSkinScControl@0 wrap:TSkinScrollbar@1");
    skin->Skin3rd()->Clear();
    skin->Skin3rd()->Add(L"TX=container");
    skin->Skin3rd()->Add(L"TButton=button");
    bool handled = false;
    EXPECT_EQ(Describe(DecideByName(*skin, L"TX", *holder, handled), holder), "wrap:TSkinButton@2");

    // Group kinds: the children first, then the group.
    auto* group = Add<qx::TPanel>();
    Add<qx::TCheckBox>(group);
    EXPECT_EQ(kind(L"radiogroup", group), "handled wrap:TSkinRadioButton@0 wrap:TSkinGroupBox+c");
    EXPECT_EQ(kind(L"checkgroup", group), "handled wrap:TSkinCheckBox@0 wrap:TSkinGroupBox+c");
    skin->Skin3rd()->Clear();
    skin->Skin3rd()->Add(L"TRZX=checkgroup");
    EXPECT_EQ(Describe(DecideByName(*skin, L"TRZX", *group, handled), group), "wrap:TSkinObjImage#1+c@0 wrap:TSkinGroupBox+c");
    skin->Skin3rd()->Clear();
    skin->Skin3rd()->Add(L"TRZX=radiogroup");
    EXPECT_EQ(Describe(DecideByName(*skin, L"TRZX", *group, handled), group), "wrap:TSkinObjImage#2+c@0 wrap:TSkinGroupBox+c");

    // A kind whose element is missing creates nothing but is still handled.
    Without(xcGroupBox);
    EXPECT_EQ(kind(L"checkgroup", group), "handled wrap:TSkinCheckBox@0");
    EXPECT_EQ(kind(L"radiogroup", group), "handled");
    Without(xcButton);
    EXPECT_EQ(kind(L"button"), "handled");
    skin->Skin3rd()->Clear();
    EXPECT_FALSE((DecideByName(*skin, L"TX", *plain, handled), handled)) << "a class the list does not name";
}

TEST_F(SkinClassifyTest, Skin3rdTakesTheFirstLineWhateverTheCase) {
    EXPECT_EQ(Skin3rdKind(*skin, L"TLMDGROUPBOX"), L"groupbox") << "the default list's first line wins";
    EXPECT_EQ(Skin3rdKind(*skin, L"TADVPAGECONTROL"), L"nil");
    EXPECT_EQ(Skin3rdKind(*skin, L"TButton"), L"");
}

namespace {

struct TRawWindows {
    HWND Parent;
    std::vector<HWND> Made;
    HWND Make(const wchar_t* cls, DWORD style, HWND parent = nullptr) {
        HWND w = ::CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 60, 20, parent ? parent : Parent, nullptr,
                                   nullptr, nullptr);
        Made.push_back(w);
        return w;
    }
    ~TRawWindows() {
        for (auto it = Made.rbegin(); it != Made.rend(); ++it)
            if (::IsWindow(*it)) ::DestroyWindow(*it);
    }
};

std::string Window(HWND window) { return Describe(DecideWindow(window), nullptr); }

}  // namespace

TEST_F(SkinClassifyTest, EveryRawWindowRow) {
    TRawWindows raw{form->Handle(), {}};
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_PUSHBUTTON)), "hwnd:TSkinButton");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_DEFPUSHBUTTON)), "hwnd:TSkinButton");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_CHECKBOX)), "hwnd:TSkinCheckBox");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_AUTOCHECKBOX)), "hwnd:TSkinCheckBox");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_3STATE)), "hwnd:TSkinCheckBox");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_AUTO3STATE)), "hwnd:TSkinCheckBox");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_RADIOBUTTON)), "hwnd:TSkinRadioButton");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_AUTORADIOBUTTON)), "hwnd:TSkinRadioButton");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_GROUPBOX)), "");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_OWNERDRAW)), "");
    EXPECT_EQ(Window(raw.Make(L"BUTTON", BS_PUSHBUTTON | BS_BITMAP)), "");
    EXPECT_EQ(Window(raw.Make(L"COMBOBOX", CBS_DROPDOWNLIST)), "hwnd:TSkinComBox");
    EXPECT_EQ(Window(raw.Make(L"COMBOBOX", CBS_SIMPLE)), "");
    EXPECT_EQ(Window(raw.Make(L"SCROLLBAR", SBS_SIZEGRIP)), "hwnd:TSkinSizer");
    EXPECT_EQ(Window(raw.Make(L"SCROLLBAR", WS_TABSTOP)), "");
    EXPECT_EQ(Window(raw.Make(L"EDIT", 0)), "hwnd:TSkinEdit");
    EXPECT_EQ(Window(raw.Make(L"STATIC", 0)), "");

    HWND dialog = raw.Make(L"#32770", 0);
    raw.Make(L"BUTTON", BS_PUSHBUTTON, dialog);
    raw.Make(L"EDIT", 0, dialog);
    EXPECT_EQ(Window(dialog), "hwnd:TSkinButton hwnd:TSkinEdit hwnd:TSkinBoxH");
    EXPECT_EQ(Window(raw.Make(L"#32770", WS_TABSTOP)), "");

    // Windows of framework classes, by their class names.
    auto* panel = Add<qx::TPanel>();
    Add<qx::TButton>(panel);
    EXPECT_EQ(Window(panel->Handle()), "hwnd:TSkinButton face");
    EXPECT_EQ(Window(Add<qx::TCheckBox>()->Handle()), "hwnd:TSkinCheckBox");
    EXPECT_EQ(Window(Add<qx::TComboBox>()->Handle()), "hwnd:TSkinComBox");
    EXPECT_EQ(Window(Add<qx::TButton>()->Handle()), "hwnd:TSkinButton");
}

TEST_F(SkinClassifyTest, CommonControlRows) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES | ICC_USEREX_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&init));
    TRawWindows raw{form->Handle(), {}};
    EXPECT_EQ(Window(raw.Make(WC_TABCONTROLW, 0)), "hwnd:TSkinTab");
    EXPECT_EQ(Window(raw.Make(WC_TABCONTROLW, 0x2000)), "");
    EXPECT_EQ(Window(raw.Make(WC_TREEVIEWW, 0)), "");
    EXPECT_EQ(Window(raw.Make(TOOLBARCLASSNAMEW, 0)), "");
    HWND extended = raw.Make(WC_COMBOBOXEXW, CBS_DROPDOWNLIST);
    HWND inner = ::GetWindow(extended, GW_CHILD);
    ASSERT_NE(inner, nullptr);
    TSkinActions actions = DecideWindow(extended);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0].Window, inner);
}

//--- classification with its side steps

TEST_F(SkinClassifyTest, ButtonOnPanelGetsItsWrapperAndThePanelIsRecoloured) {
    auto* panel = Add<qx::TPanel>();
    panel->SetBounds(10, 10, 200, 100);
    panel->SetColor(qx::clRed);
    auto* button = Add<qx::TButton>(panel);
    auto* label = new qx::TLabel(form);
    label->SetParent(panel);
    auto* check = Add<qx::TCheckBox>(panel);
    auto* radio = Add<qx::TRadioButton>(panel);
    ClassifyFormControls(*host, form);

    EXPECT_NE(host->As<TSkinButton>(button), nullptr);
    EXPECT_NE(host->As<TSkinCheckBox>(check), nullptr);
    EXPECT_NE(host->As<TSkinRadioButton>(radio), nullptr);
    EXPECT_EQ(host->WrapperOf(label), nullptr);
    TSkinControl* box = host->WrapperOf(panel);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(std::wstring(box->ClassName()), L"TSkinBox");
    EXPECT_TRUE(box->ColourFlag());
    EXPECT_EQ(panel->Color(), static_cast<qx::TColor>(kTestFace));
    // The popup menus of every container enumerated are handed over.
    EXPECT_EQ(host->PopupOwners, (std::vector<qx::TComponent*>{panel, form}));

    // A second pass creates nothing new.
    const size_t count = host->Wrappers().size();
    ClassifyFormControls(*host, form);
    EXPECT_EQ(host->Wrappers().size(), count);

    host->Release();
    EXPECT_EQ(panel->Color(), qx::clRed);
    EXPECT_EQ(::SendMessageW(button->Handle(), SKN_QUERY, 0, 0), 0);

    // Switched on again: the same controls are wrapped again.
    ClassifyFormControls(*host, form);
    EXPECT_EQ(host->Wrappers().size(), count);
    EXPECT_NE(host->As<TSkinButton>(button), nullptr);
}

TEST_F(SkinClassifyTest, ControlSkinnedElsewhereGetsNoSecondWrapper) {
    auto* button = Add<qx::TButton>();
    TTestHost other(skin.get());
    ClassifyControl(other, button, form);
    ASSERT_EQ(other.Wrappers().size(), 1u);
    ClassifyControl(*host, button, form);
    EXPECT_TRUE(host->Wrappers().empty());
    ClassifyWindow(*host, button->Handle());
    EXPECT_TRUE(host->Wrappers().empty());
}

TEST_F(SkinClassifyTest, DisableTagLeavesTheControlAndAGroupsChildren) {
    auto* tagged = Add<qx::TButton>();
    tagged->SetTag(99);  // the default DisableTag
    ClassifyFormControls(*host, form);
    EXPECT_EQ(host->WrapperOf(tagged), nullptr);
    host->Release();
    delete tagged;

    skin->SetDisableTag(7);
    auto* button = Add<qx::TButton>();
    button->SetTag(7);
    auto* group = Add<qx::TRadioGroup>();
    group->Items()->Add(L"a");
    group->Items()->Add(L"b");
    group->SetTag(7);
    ClassifyFormControls(*host, form);
    EXPECT_TRUE(host->Wrappers().empty());
    for (int i = 0; i < group->ControlCount(); ++i) EXPECT_EQ(group->Controls(i)->Tag(), 7);

    // Tag 99 is only special to windows; a control with it is classified when the tag differs.
    button->SetTag(99);
    ClassifyControl(*host, button, form);
    EXPECT_NE(host->As<TSkinButton>(button), nullptr);
}

TEST_F(SkinClassifyTest, Skin3rdNilKeepsAClassUnskinned) {
    auto* mine = Add<TMyButton>();
    auto* plain = Add<qx::TButton>();
    skin->Skin3rd()->Insert(0, L"tmybutton=nil");
    ClassifyFormControls(*host, form);
    EXPECT_EQ(host->WrapperOf(mine), nullptr);
    EXPECT_NE(host->As<TSkinButton>(plain), nullptr);
    EXPECT_TRUE(ClassifyByName(*host, L"TMYBUTTON", mine));
}

TEST_F(SkinClassifyTest, NeverTouchedClassesAndUnknownKindsStayAlone) {
    auto* eh = Add<TDBComboBoxEh>();
    ClassifyControl(*host, eh, form);
    EXPECT_TRUE(host->Wrappers().empty());
    auto* orphan = new qx::TButton(form);  // no parent
    ClassifyControl(*host, orphan, form);
    EXPECT_TRUE(host->Wrappers().empty());
}

namespace {

struct THandler {
    TSkinControl* Given = nullptr;
    std::wstring Class;
    qx::TControl* Form = nullptr;
    int Calls = 0;
    void Skin(qx::TComponent*, TSkinData*, qx::TControl* form, qx::TControl* control, const std::wstring& cls,
              qx::TComponent*& skinned) {
        ++Calls;
        Class = cls;
        Form = form;
        if (dynamic_cast<qx::TButton*>(control)) {
            Given = new TSkinButton(control);
            Given->SetColourFlag(true);
            skinned = Given;
        }
    }
};

}  // namespace

TEST_F(SkinClassifyTest, HandlerMaySupplyTheWrapper) {
    auto* button = Add<qx::TButton>();
    auto* edit = Add<qx::TEdit>();
    THandler handler;
    skin->OnSkinControl = TOnSkinControl::Of<&THandler::Skin>(&handler);
    ClassifyControl(*host, button, form);
    EXPECT_EQ(handler.Class, L"TBUTTON");
    EXPECT_EQ(handler.Form, form);
    ASSERT_NE(handler.Given, nullptr);
    EXPECT_TRUE(handler.Given->Attached());
    EXPECT_EQ(button->Color(), static_cast<qx::TColor>(kTestFace)) << "attached with the flag it carries";
    ClassifyControl(*host, edit, form);
    EXPECT_EQ(std::wstring(host->WrapperOf(edit)->ClassName()), L"TSkinEdit") << "no wrapper given: the rules decide";
}

TEST_F(SkinClassifyTest, RawDialogChildrenGetWrappersOwnedByTheHost) {
    HWND dialog = ::CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, form->Handle(), nullptr,
                                    nullptr, nullptr);
    HWND ok = ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | BS_PUSHBUTTON, 5, 5, 60, 20, dialog, nullptr, nullptr,
                                nullptr);
    ClassifyWindowChildren(*host, form->Handle());
    TSkinControl* wrapper = host->WrapperOf(ok);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->Owner(), host.get());
    EXPECT_EQ(::SendMessageW(ok, SKN_QUERY, 0, 0), 1);
    EXPECT_NE(host->WrapperOf(dialog), nullptr);
    const size_t count = host->Wrappers().size();
    ClassifyWindow(*host, dialog);
    EXPECT_EQ(host->Wrappers().size(), count);
    host->Release();
    ::DestroyWindow(dialog);
}
