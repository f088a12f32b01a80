// The common controls on a form: each gets a window of its framework class name over the
// system control it superclasses, and the properties set on it reach that window.
#include "framework/CoolBar.h"
#include "framework/DateTimePicker.h"
#include "framework/Forms.h"
#include "framework/HeaderControl.h"
#include "framework/ListControls.h"
#include "framework/ListView.h"
#include "framework/PageControl.h"
#include "framework/ProgressBar.h"
#include "framework/RichEdit.h"
#include "framework/ScrollBar.h"
#include "framework/StatusBar.h"
#include "framework/TabSet.h"
#include "framework/ToolBar.h"
#include "framework/TrackBar.h"
#include "support/TestSupport.h"

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
#include <richedit.h>

using namespace qx;

namespace {

std::wstring ClassOf(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

LONG_PTR StyleOf(TWinControl* c) { return ::GetWindowLongPtrW(c->Handle(), GWL_STYLE); }

std::wstring StatusText(HWND bar, int part) {
    wchar_t text[64] = {};
    ::SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring TabText(HWND tabs, int index) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ::SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

struct ControlCase {
    const char* Name;
    std::function<TWinControl*(TForm*)> Make;
    const wchar_t* WindowClass;
    const wchar_t* SystemClass;  // null: the framework's own class over DefWindowProc
    std::function<void(TWinControl*)> Check;
};

void PrintTo(const ControlCase& c, std::ostream* os) { *os << c.Name; }

template <class T>
T* Place(TForm* form, int left, int top, int width, int height) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetAlign(TAlign::alNone);
    c->SetBounds(left, top, width, height);
    return c;
}

const ControlCase kCases[] = {
    {"PageControl",
     [](TForm* f) {
         auto* pages = Place<TPageControl>(f, 0, 0, 300, 200);
         for (const wchar_t* caption : {L"One", L"Two"}) {
             auto* sheet = new TTabSheet(f);
             sheet->SetCaption(caption);
             sheet->SetPageControl(pages);
         }
         return pages;
     },
     L"TPageControl", WC_TABCONTROLW,
     [](TWinControl* c) {
         auto* pages = static_cast<TPageControl*>(c);
         EXPECT_EQ(::SendMessageW(c->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
         EXPECT_EQ(TabText(c->Handle(), 1), L"Two");
         EXPECT_EQ(ClassOf(pages->Pages(0)->Handle()), L"TTabSheet");
         EXPECT_TRUE(::GetWindowLongPtrW(pages->Pages(0)->Handle(), GWL_STYLE) & WS_VISIBLE);
         EXPECT_FALSE(::GetWindowLongPtrW(pages->Pages(1)->Handle(), GWL_STYLE) & WS_VISIBLE);
         RECT display = pages->DisplayRect();
         EXPECT_EQ(pages->Pages(0)->BoundsRect().top, display.top);  // below the tabs
     }},
    {"TabControlBottom",
     [](TForm* f) {
         auto* tabs = Place<TTabControl>(f, 0, 0, 300, 120);
         tabs->SetTabPosition(TTabPosition::tpBottom);
         tabs->Tabs()->SetText(L"a\nb\nc");
         tabs->SetTabIndex(2);
         return tabs;
     },
     L"TTabControl", WC_TABCONTROLW,
     [](TWinControl* c) {
         EXPECT_TRUE(StyleOf(c) & TCS_BOTTOM);
         EXPECT_EQ(::SendMessageW(c->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
         EXPECT_EQ(::SendMessageW(c->Handle(), TCM_GETCURSEL, 0, 0), 2);
     }},
    {"TabSet",
     [](TForm* f) {
         auto* set = Place<TTabSet>(f, 0, 0, 120, 21);
         set->Tabs()->SetText(L"First\nSecond\nThird\nFourth\nFifth");
         return set;
     },
     L"TTabSet", nullptr,
     [](TWinControl* c) {
         auto* set = static_cast<TTabSet*>(c);
         // Five tabs do not fit in 120 pixels: the up-down shows, as the first owned component.
         ASSERT_GT(set->ComponentCount(), 0);
         auto* scroller = dynamic_cast<TUpDown*>(set->Components(0));
         ASSERT_NE(scroller, nullptr);
         EXPECT_EQ(ClassOf(scroller->Handle()), L"TUpDown");
         EXPECT_TRUE(::GetWindowLongPtrW(scroller->Handle(), GWL_STYLE) & WS_VISIBLE);
         EXPECT_TRUE(::GetWindowLongPtrW(scroller->Handle(), GWL_STYLE) & UDS_HORZ);
         EXPECT_LT(set->VisibleTabs().size(), 5u);
     }},
    {"HeaderControl",
     [](TForm* f) {
         auto* header = Place<THeaderControl>(f, 0, 0, 300, 20);
         header->Sections()->Add()->SetText(L"Name");
         header->Sections()->Add()->SetText(L"Size");
         header->Sections()->Items(1)->SetWidth(80);
         return header;
     },
     L"THeaderControl", WC_HEADERW,
     [](TWinControl* c) {
         EXPECT_EQ(::SendMessageW(c->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
         HDITEMW item{};
         item.mask = HDI_WIDTH;
         ::SendMessageW(c->Handle(), HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
         EXPECT_EQ(item.cxy, 80);
     }},
    {"StatusBar",
     [](TForm* f) {
         auto* bar = Place<TStatusBar>(f, 0, 180, 300, 20);
         TStatusPanel* left = bar->Panels()->Add();
         left->SetText(L"Ready");
         left->SetWidth(100);
         TStatusPanel* right = bar->Panels()->Add();
         right->SetText(L"42");
         right->SetBevel(TStatusPanelBevel::pbRaised);
         return bar;
     },
     L"TStatusBar", STATUSCLASSNAMEW,
     [](TWinControl* c) {
         EXPECT_EQ(::SendMessageW(c->Handle(), SB_GETPARTS, 0, 0), 2);
         EXPECT_EQ(StatusText(c->Handle(), 0), L"Ready");
         EXPECT_EQ(StatusText(c->Handle(), 1), L"42");
         EXPECT_EQ(HIWORD(::SendMessageW(c->Handle(), SB_GETTEXTLENGTHW, 1, 0)), SBT_POPOUT);
         EXPECT_TRUE(StyleOf(c) & SBARS_SIZEGRIP);
     }},
    {"ProgressBarVertical",
     [](TForm* f) {
         auto* bar = Place<TProgressBar>(f, 0, 0, 20, 100);
         bar->SetOrientation(TProgressBarOrientation::pbVertical);
         bar->SetMax(200);
         bar->SetPosition(150);
         return bar;
     },
     L"TProgressBar", PROGRESS_CLASSW,
     [](TWinControl* c) {
         EXPECT_EQ(::SendMessageW(c->Handle(), PBM_GETPOS, 0, 0), 150);
         EXPECT_EQ(::SendMessageW(c->Handle(), PBM_GETRANGE, FALSE, 0), 200);
         EXPECT_TRUE(StyleOf(c) & PBS_VERTICAL);
     }},
    {"TrackBarVertical",
     [](TForm* f) {
         auto* bar = Place<TTrackBar>(f, 0, 0, 45, 150);
         bar->SetOrientation(TTrackBarOrientation::trVertical);
         bar->SetPosition(7);
         return bar;
     },
     L"TTrackBar", TRACKBAR_CLASSW,
     [](TWinControl* c) {
         EXPECT_TRUE(StyleOf(c) & TBS_VERT);
         EXPECT_EQ(::SendMessageW(c->Handle(), TBM_GETPOS, 0, 0), 7);
     }},
    {"ScrollBarVertical",
     [](TForm* f) {
         auto* bar = Place<TScrollBar>(f, 0, 0, 17, 120);
         bar->SetKind(TScrollBarKind::sbVertical);
         bar->SetPosition(30);
         return bar;
     },
     L"TScrollBar", L"ScrollBar",
     [](TWinControl* c) {
         EXPECT_EQ(StyleOf(c) & SBS_VERT, SBS_VERT);
         EXPECT_EQ(::GetScrollPos(c->Handle(), SB_CTL), 30);
     }},
    {"ListViewReport",
     [](TForm* f) {
         auto* list = Place<TListView>(f, 0, 0, 300, 150);
         list->SetViewStyle(TViewStyle::vsReport);
         list->Columns()->Add()->SetCaption(L"Host");
         list->Columns()->Add()->SetCaption(L"Sessions");
         TListItem* item = list->Items()->Add();
         item->SetCaption(L"10.0.0.7");
         item->SubItems()->Add(L"120");
         return list;
     },
     L"TListView", WC_LISTVIEWW,
     [](TWinControl* c) {
         auto* list = static_cast<TListView*>(c);
         EXPECT_EQ(StyleOf(c) & LVS_TYPEMASK, LVS_REPORT);
         EXPECT_EQ(::SendMessageW(list->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 2);
         wchar_t text[16] = {};
         LVITEMW item{};
         item.iSubItem = 1;
         item.pszText = text;
         item.cchTextMax = 16;
         ::SendMessageW(c->Handle(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
         EXPECT_STREQ(text, L"120");
     }},
    {"RichEdit",
     [](TForm* f) {
         auto* edit = Place<TRichEdit>(f, 0, 0, 200, 100);
         edit->SetScrollBars(TScrollStyle::ssVertical);
         edit->Lines()->Add(L"first");
         edit->Lines()->Add(L"second");
         return edit;
     },
     L"TRichEdit", RICHEDIT_CLASSW,
     [](TWinControl* c) {
         auto* edit = static_cast<TRichEdit*>(c);
         EXPECT_TRUE(StyleOf(c) & WS_VSCROLL);
         ASSERT_EQ(edit->Lines()->Count(), 2);
         EXPECT_EQ(edit->Lines()->Get(1), L"second");
     }},
    {"ToolBar",
     [](TForm* f) {
         auto* bar = Place<TToolBar>(f, 0, 0, 300, 29);
         bar->SetShowCaptions(true);
         for (const wchar_t* caption : {L"Check", L"", L"Block"}) {
             auto* button = new TToolButton(f);
             button->SetCaption(caption);
             if (!*caption) button->SetStyle(TToolButtonStyle::tbsSeparator);
             button->SetParent(bar);
         }
         return bar;
     },
     L"TToolBar", TOOLBARCLASSNAMEW,
     [](TWinControl* c) {
         auto* bar = static_cast<TToolBar*>(c);
         EXPECT_EQ(::SendMessageW(c->Handle(), TB_BUTTONCOUNT, 0, 0), 3);
         RECT r{};
         ::SendMessageW(c->Handle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
         EXPECT_EQ(bar->Buttons(2)->Left(), r.left);  // a button's bounds are its place on the bar
         EXPECT_TRUE(StyleOf(c) & TBSTYLE_FLAT);
     }},
    {"CoolBar",
     [](TForm* f) {
         auto* bar = Place<TCoolBar>(f, 0, 0, 300, 30);
         auto* edit = new TEdit(f);
         edit->SetParent(bar);
         TCoolBand* band = bar->Bands()->Add();
         band->SetControl(edit);
         band->SetText(L"Host");
         return bar;
     },
     L"TCoolBar", REBARCLASSNAMEW,
     [](TWinControl* c) {
         auto* bar = static_cast<TCoolBar*>(c);
         ASSERT_EQ(::SendMessageW(c->Handle(), RB_GETBANDCOUNT, 0, 0), 1);
         REBARBANDINFOW info{};
         info.cbSize = sizeof(info);
         info.fMask = RBBIM_CHILD;
         ::SendMessageW(c->Handle(), RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&info));
         EXPECT_EQ(info.hwndChild, bar->Bands()->Items(0)->Control()->Handle());
     }},
    {"DateTimePickerTime",
     [](TForm* f) {
         auto* picker = Place<TDateTimePicker>(f, 0, 0, 150, 21);
         picker->SetKind(TDateTimeKind::dtkTime);
         picker->SetDateTimeText(L"2024-02-29 10:20:30");
         return picker;
     },
     L"TDateTimePicker", DATETIMEPICK_CLASSW,
     [](TWinControl* c) {
         EXPECT_TRUE(StyleOf(c) & DTS_TIMEFORMAT);
         SYSTEMTIME t{};
         ASSERT_EQ(::SendMessageW(c->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)), GDT_VALID);
         EXPECT_EQ(t.wDay, 29);
         EXPECT_EQ(t.wMinute, 20);
     }},
    {"MemoBothScrollBars",
     [](TForm* f) {
         auto* memo = Place<TMemo>(f, 0, 0, 200, 100);
         memo->SetScrollBars(TScrollStyle::ssBoth);
         return memo;
     },
     L"TMemo", L"Edit",
     [](TWinControl* c) { EXPECT_EQ(StyleOf(c) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL); }},
    {"ListBoxBothScrollBars",
     [](TForm* f) {
         auto* list = Place<TListBox>(f, 0, 0, 100, 100);
         list->SetScrollBars(TScrollStyle::ssBoth);
         list->Items()->Add(L"short");
         list->Items()->Add(std::wstring(80, L'W'));
         return list;
     },
     L"TListBox", L"ListBox",
     [](TWinControl* c) {
         // The widest item sets how far the box scrolls sideways, so the bar shows; the
         // vertical bar hides while both items fit.
         EXPECT_GT(::SendMessageW(c->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 100);
         EXPECT_TRUE(StyleOf(c) & WS_HSCROLL);
         SCROLLINFO info{sizeof(info), SIF_RANGE};
         ASSERT_TRUE(::GetScrollInfo(c->Handle(), SB_HORZ, &info));
         EXPECT_GT(info.nMax, 100);
     }},
};

class CommonControlsTest : public ::testing::TestWithParam<ControlCase> {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete form; }
    TForm* form = nullptr;
};

TEST_P(CommonControlsTest, WindowOfItsClassOverTheSystemControlShowsItsProperties) {
    const ControlCase& c = GetParam();
    TWinControl* control = c.Make(form);
    HWND wnd = control->Handle();
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(ClassOf(wnd), c.WindowClass);
    EXPECT_EQ(control->ClassName(), c.WindowClass);
    WNDCLASSEXW system{sizeof(system)};
    if (c.SystemClass) {
        ASSERT_TRUE(::GetClassInfoExW(nullptr, c.SystemClass, &system));
        EXPECT_EQ(reinterpret_cast<void*>(control->DefWndProc()), reinterpret_cast<void*>(system.lpfnWndProc));
    } else {
        EXPECT_EQ(reinterpret_cast<void*>(control->DefWndProc()), reinterpret_cast<void*>(&::DefWindowProcW));
    }
    c.Check(control);
}

INSTANTIATE_TEST_SUITE_P(Each, CommonControlsTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ControlCase>& info) { return info.param.Name; });

}  // namespace
