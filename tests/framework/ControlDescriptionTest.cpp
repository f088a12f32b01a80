// Form descriptions of the common controls: collections ("Panels = < item ... end >") are read
// into the control's items, references inside items are resolved, a written description reads
// back the same, and a malformed collection is refused with the line it is on.
#include "framework/CoolBar.h"
#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "framework/ListView.h"
#include "framework/PageControl.h"
#include "framework/StatusBar.h"
#include "support/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace qx;

namespace {

const wchar_t* kDescription = LR"(object Form1: TForm
  Width = 400
  Height = 300
  object PageControl1: TPageControl
    Width = 300
    Height = 200
    ActivePage = TabSheet2
    Tag = 7777
    object TabSheet1: TTabSheet
      Caption = 'Hosts'
      object ListView1: TListView
        ViewStyle = vsReport
        Columns = <
          item
            Caption = 'Host'
            Width = 120
          end
          item
            Caption = 'Sessions'
            Alignment = taRightJustify
          end>
        Items = <
          item
            Caption = '10.0.0.7'
            SubItems.Strings = (
              '120')
          end>
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Log'
    end
  end
  object CoolBar1: TCoolBar
    Bands = <
      item
        Control = Edit1
        Text = 'Router'
      end>
    object Edit1: TEdit
    end
  end
  object StatusBar1: TStatusBar
    SimpleText = 'idle'
    Panels = <
      item
        Text = 'Ready'
        Width = 80
        Bevel = pbRaised
        BiDiMode = bdRightToLeft
      end
      item
        Style = psOwnerDraw
      end>
  end
end
)";

class ControlDescriptionTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureApplication(); }
};

void ExpectAsDescribed(TForm& form) {
    auto* pages = dynamic_cast<TPageControl*>(form.FindComponent(L"PageControl1"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->ActivePage(), form.FindComponent(L"TabSheet2"));
    EXPECT_EQ(pages->Tag(), 7777);
    auto* list = dynamic_cast<TListView*>(form.FindComponent(L"ListView1"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Parent(), form.FindComponent(L"TabSheet1"));
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 120);
    EXPECT_EQ(list->Columns()->Items(1)->Alignment(), TAlignment::taRightJustify);
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Items()->Items(0)->SubItems()->Get(0), L"120");
    auto* cool = dynamic_cast<TCoolBar*>(form.FindComponent(L"CoolBar1"));
    ASSERT_NE(cool, nullptr);
    ASSERT_EQ(cool->Bands()->Count(), 1);
    EXPECT_EQ(cool->Bands()->Items(0)->Control(), form.FindComponent(L"Edit1"));
    auto* status = dynamic_cast<TStatusBar*>(form.FindComponent(L"StatusBar1"));
    ASSERT_NE(status, nullptr);
    ASSERT_EQ(status->Panels()->Count(), 2);
    EXPECT_EQ(status->Panels()->Items(0)->Bevel(), TStatusPanelBevel::pbRaised);
    EXPECT_EQ(status->Panels()->Items(0)->BiDiMode(), TBiDiMode::bdRightToLeft);
    EXPECT_EQ(status->Panels()->Items(1)->Style(), TStatusPanelStyle::psOwnerDraw);
    EXPECT_EQ(status->SimpleText(), L"idle");
}

TEST_F(ControlDescriptionTest, CollectionsAndTheirReferencesAreReadAndReachTheWindows) {
    TForm form(nullptr);
    ReadComponentText(kDescription, &form);
    ExpectAsDescribed(form);
    auto* list = static_cast<TListView*>(form.FindComponent(L"ListView1"));
    EXPECT_EQ(::SendMessageW(list->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 2);
    auto* status = static_cast<TStatusBar*>(form.FindComponent(L"StatusBar1"));
    EXPECT_EQ(::SendMessageW(status->Handle(), SB_GETPARTS, 0, 0), 2);
}

TEST_F(ControlDescriptionTest, AWrittenDescriptionReadsBackTheSame) {
    TForm form(nullptr);
    ReadComponentText(kDescription, &form);
    const std::wstring text = WriteComponentText(&form);
    TForm copy(nullptr);
    ReadComponentText(text, &copy);
    ExpectAsDescribed(copy);
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST_F(ControlDescriptionTest, AMalformedCollectionIsRefusedWithItsLine) {
    struct Case {
        const wchar_t* body;
        int line;  // within the body, which starts on line 3
    };
    const Case cases[] = {
        {L"  Panels = <\n    item\n      Width = 1\n    >\n", 4},     // an item without end
        {L"  Panels = <\n    Width = 1\n  end>\n", 2},               // no item keyword
        {L"  SimpleText = <\n    item\n    end>\n", 1},              // not a collection
        {L"  Panels = <\n    item\n      Nothing = 1\n    end>\n", 3},  // unknown item property
        {L"  Panels = <\n    item\n", 4},  // the text ends inside: the form's end closes the item
    };
    for (const Case& c : cases) {
        const std::wstring text = L"object Form1: TForm\nobject StatusBar1: TStatusBar\n" + std::wstring(c.body) + L"end\nend\n";
        TForm form(nullptr);
        try {
            ReadComponentText(text, &form);
            ADD_FAILURE() << "accepted: " << std::string(c.body, c.body + wcslen(c.body));
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Line, c.line + 2) << e.what();
        }
        EXPECT_EQ(form.ComponentCount(), 0);  // what the read created is gone again
    }
}

}  // namespace
