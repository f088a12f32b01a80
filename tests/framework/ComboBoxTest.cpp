// TComboBox: items and selection survive the window's creation and re-creation, the styles map
// to the system's, a stored description selects its item whatever the order of its lines, and
// the user's choice reaches OnSelect / OnChange with Text already updated.
#include "framework/ComboBox.h"
#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qx;

namespace {

std::wstring WindowClass(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

std::vector<std::wstring> WindowItems(HWND combo) {
    std::vector<std::wstring> items;
    int n = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[128] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureApplication();
        form = new TForm(Application);
        form->SetBounds(0, 0, 300, 200);
        combo = new TComboBox(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 150, 21);
    }
    void TearDown() override { delete form; }

public:
    void Changed(TObject*) {
        log.push_back(L"change:" + combo->Text());
    }
    void Selected(TObject*) { log.push_back(L"select:" + combo->Text()); }

    TForm* form = nullptr;
    TComboBox* combo = nullptr;
    std::vector<std::wstring> log;
};

TEST_F(ComboBoxTest, ItemsAndSelectionReachTheWindowAndSurviveItsRecreation) {
    combo->Items()->Add(L"alpha");
    combo->Items()->Add(L"beta");
    combo->SetItemIndex(1);
    EXPECT_FALSE(combo->HandleAllocated());

    HWND first = combo->Handle();
    EXPECT_EQ(WindowClass(first), L"TComboBox");
    EXPECT_EQ(WindowItems(first), (std::vector<std::wstring>{L"alpha", L"beta"}));
    EXPECT_EQ(::SendMessageW(first, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo->Text(), L"beta");

    // Items added to the live window go straight into it; a new style re-creates the window.
    combo->Items()->Insert(0, L"zero");
    combo->SetItemIndex(2);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    HWND second = combo->Handle();
    EXPECT_EQ(::GetWindowLongW(second, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(WindowItems(second), (std::vector<std::wstring>{L"zero", L"alpha", L"beta"}));
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), L"beta");
}

TEST_F(ComboBoxTest, DropDownWindowIsTheFieldAndKeepsTheListHeightForDropping) {
    combo->SetDropDownCount(5);
    combo->Items()->Add(L"x");
    HWND wnd = combo->Handle();
    RECT r{};
    ::GetWindowRect(wnd, &r);
    // The window is the selection field, and the framework agrees with it.
    EXPECT_LT(r.bottom - r.top, 40);
    EXPECT_EQ(combo->Height(), r.bottom - r.top);
    COMBOBOXINFO info{sizeof(info)};
    ASSERT_TRUE(::GetComboBoxInfo(wnd, &info));
    EXPECT_NE(info.hwndItem, nullptr);  // a drop-down combo has an edit field
    EXPECT_EQ(combo->EditHandle(), info.hwndItem);
}

TEST_F(ComboBoxTest, SortedListsKeepTheirOrderBeforeAndAfterTheWindowExists) {
    combo->SetSorted(true);
    combo->Items()->Add(L"pear");
    combo->Items()->Add(L"apple");
    EXPECT_EQ(combo->Items()->Get(0), L"apple");
    combo->HandleNeeded();
    combo->Items()->Add(L"fig");
    EXPECT_EQ(WindowItems(combo->Handle()), (std::vector<std::wstring>{L"apple", L"fig", L"pear"}));
}

TEST_F(ComboBoxTest, DescriptionSelectsItsItemWhateverTheOrderOfItsLines) {
    RegisterFrameworkClasses();
    TForm* read = new TForm(Application);
    ReadComponentText(LR"(object Form1: TForm
  object ComboBox1: TComboBox
    Left = 8
    Top = 8
    Width = 120
    Height = 21
    ItemIndex = 2
    Style = csDropDownList
    Items.Strings = (
      'one'
      'two'
      'three')
  end
  object ComboBox2: TComboBox
    Left = 8
    Top = 40
    Width = 120
    Height = 21
    Text = 'two'
    Style = csDropDownList
    Items.Strings = (
      'one'
      'two')
  end
end
)",
                      read);
    auto* c1 = dynamic_cast<TComboBox*>(read->FindComponent(L"ComboBox1"));
    auto* c2 = dynamic_cast<TComboBox*>(read->FindComponent(L"ComboBox2"));
    ASSERT_NE(c1, nullptr);
    ASSERT_NE(c2, nullptr);
    EXPECT_EQ(c1->ItemIndex(), 2);
    EXPECT_EQ(c1->Text(), L"three");
    EXPECT_EQ(c2->ItemIndex(), 1);
    // Written and read again, the selection stays.
    std::wstring text = WriteComponentText(read);
    delete read;
    TForm* again = new TForm(Application);
    ReadComponentText(text, again);
    auto* copy = dynamic_cast<TComboBox*>(again->FindComponent(L"ComboBox1"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Items()->Count(), 3);
    EXPECT_EQ(copy->ItemIndex(), 2);
    delete again;
}

TEST_F(ComboBoxTest, KeyboardChoiceReportsTheNewTextOnce) {
    combo->Items()->Add(L"red");
    combo->Items()->Add(L"green");
    combo->SetItemIndex(0);
    combo->OnChange = TNotifyEvent::Of<&ComboBoxTest::Changed>(this);
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    HWND wnd = combo->Handle();
    ::SendMessageW(wnd, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"change:green"}));

    // With an OnSelect handler the choice goes there instead; the edit field shows it already.
    log.clear();
    combo->OnSelect = TNotifyEvent::Of<&ComboBoxTest::Selected>(this);
    combo->SetStyle(TComboBoxStyle::csDropDown);
    ::SendMessageW(combo->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"select:red"}));
}

TEST_F(ComboBoxTest, TextOfAListStyleChoosesTheItem) {
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->Items()->Add(L"one");
    combo->Items()->Add(L"two");
    combo->HandleNeeded();
    combo->SetText(L"TWO");
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetText(L"none of them");
    EXPECT_EQ(combo->ItemIndex(), 1);  // not an item: nothing changes
    combo->SetItemIndex(7);            // out of range: no selection
    EXPECT_EQ(combo->ItemIndex(), -1);
}

}  // namespace
