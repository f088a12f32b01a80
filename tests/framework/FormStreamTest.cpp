// Form descriptions: reading, writing, custom and binary properties, Loaded, and errors.
#include "framework/ExtCtrls.h"
#include "framework/FormReader.h"
#include "framework/StdCtrls.h"
#include "support/TestComponents.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;

namespace {

const wchar_t* kDescription = LR"(object GadgetForm1: TGadgetForm
  Left = 10
  Top = 20
  Width = 300
  Height = 200
  Caption = 'Gadgets '#36830#25509' ok'
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  BorderIcons = [biSystemMenu, biMinimize]
  object Panel1: TPanel
    Left = 0
    Top = 8
    Width = 200
    Height = 100
    BevelOuter = bvNone
    Color = clBtnFace
    object Edit1: TEdit
      Left = 4
      Top = 4
      Width = 100
      Height = 21
      PasswordChar = '*'
      Text = 'it''s'
      TabOrder = 0
    end
    object Label1: TLabel
      Left = 4
      Top = 40
      Width = 60
      Height = 13
      AutoSize = False
      Caption = 'label'
    end
  end
  object Gadget1: TGadget
    Count = -7
    Flag = True
    Label = 'one' +
      'two'
    Shade = shMedium
    Options = [goBeta]
    Font.Style = [fsBold]
    Items.Strings = (
      'a'
      'b c')
    Buddy = Gadget2
    OnPoke = GadgetPoke
    Note = 'custom'
    Blob = {
      00FF10
      20}
  end
  object Gadget2: TGadget
    Count = $10
  end
end
)";

class FormStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureApplication();
        RegisterTestComponents();
        LoadedLog().clear();
    }
};

TEST_F(FormStreamTest, ReadsNestedComponentsAndEveryKindOfValue) {
    TGadgetForm form(nullptr);
    ReadComponentText(kDescription, &form);
    EXPECT_EQ(form.Caption(), L"Gadgets 连接 ok");
    EXPECT_EQ(form.BorderIcons(), biSystemMenu | biMinimize);
    auto* panel = dynamic_cast<TPanel*>(form.FindComponent(L"Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Parent(), &form);
    EXPECT_EQ(panel->BevelOuter(), TBevelCut::bvNone);
    auto* edit = dynamic_cast<TEdit*>(form.FindComponent(L"Edit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Parent(), panel);
    EXPECT_EQ(edit->PasswordChar(), L'*');
    EXPECT_EQ(edit->Text(), L"it's");
    auto* label = dynamic_cast<TLabel*>(form.FindComponent(L"Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Width(), 60);  // AutoSize off: not resized to its text

    ASSERT_NE(form.Gadget1, nullptr);
    ASSERT_NE(form.Gadget2, nullptr);
    TGadget& g = *form.Gadget1;
    EXPECT_EQ(g.Count, -7);
    EXPECT_TRUE(g.Flag);
    EXPECT_EQ(g.Label, L"onetwo");
    EXPECT_EQ(g.Shade, TShade::shMedium);
    EXPECT_EQ(g.Options, 0b010u);
    EXPECT_EQ(g.Font.Style(), static_cast<TFontStyles>(fsBold));
    ASSERT_EQ(g.Items.Count(), 2);
    EXPECT_EQ(g.Items[1], L"b c");
    EXPECT_EQ(g.Buddy, form.Gadget2);  // a reference to a component read later
    EXPECT_EQ(g.Note, L"custom");
    EXPECT_EQ(g.Blob, (std::vector<uint8_t>{0x00, 0xFF, 0x10, 0x20}));
    EXPECT_EQ(form.Gadget2->Count, 16);
    ASSERT_TRUE(static_cast<bool>(g.OnPoke));
    g.OnPoke(&g);
    EXPECT_EQ(form.Pokes, 1);
    EXPECT_EQ(form.LastSender, &g);
}

TEST_F(FormStreamTest, LoadedRunsOnceForEveryComponentAfterAllAreRead) {
    TGadgetForm form(nullptr);
    ReadComponentText(kDescription, &form);
    EXPECT_EQ(LoadedLog(), (std::vector<std::wstring>{L"GadgetForm1", L"Gadget1", L"Gadget2"}));
    EXPECT_FALSE(form.Gadget1->HasState(csLoading));
    EXPECT_FALSE(form.Gadget1->HasState(csReading));
}

TEST_F(FormStreamTest, RoundTripKeepsEverythingIncludingALargeBinaryProperty) {
    TGadgetForm form(nullptr);
    ReadComponentText(kDescription, &form);
    form.Gadget1->Blob.resize(100 * 1024);
    for (size_t i = 0; i < form.Gadget1->Blob.size(); ++i) form.Gadget1->Blob[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    std::wstring text = WriteComponentText(&form);

    TGadgetForm copy(nullptr);
    ReadComponentText(text, &copy);
    EXPECT_EQ(copy.Caption(), form.Caption());
    EXPECT_EQ(copy.Gadget1->Blob, form.Gadget1->Blob);
    EXPECT_EQ(copy.Gadget1->Label, L"onetwo");
    EXPECT_EQ(copy.Gadget1->Items.Text(), form.Gadget1->Items.Text());
    EXPECT_EQ(copy.Gadget1->Buddy, copy.Gadget2);
    EXPECT_EQ(copy.Gadget1->Options, form.Gadget1->Options);
    EXPECT_TRUE(static_cast<bool>(copy.Gadget1->OnPoke));
    auto* edit = dynamic_cast<TEdit*>(copy.FindComponent(L"Edit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Parent(), copy.FindComponent(L"Panel1"));
    EXPECT_EQ(edit->Text(), L"it's");
    EXPECT_EQ(edit->PasswordChar(), L'*');
    // Writing the copy gives the same text again.
    EXPECT_EQ(WriteComponentText(&copy), text);
}

struct BadCase {
    const wchar_t* Text;
    int Line;
};

TEST_F(FormStreamTest, MalformedDescriptionsNameTheLineAndLeakNothing) {
    const BadCase cases[] = {
        {L"object F: TGadgetForm\n  Count = 1\nend\n", 2},                          // no such property
        {L"object F: TGadgetForm\n  object G: TGadget\n    Shade = shPurple\n  end\nend\n", 3},
        {L"object F: TGadgetForm\n  object G: TNoSuchClass\n  end\nend\n", 2},
        {L"object F: TGadgetForm\n  object G: TGadget\n    Label = 'open\n  end\nend\n", 3},
        {L"object F: TGadgetForm\n  object G: TGadget\n    Blob = { 0F1 }\n  end\nend\n", 3},
        {L"object F: TGadgetForm\n  object G: TGadget\n    Blob = { 0G }\n  end\nend\n", 3},
        {L"object F: TGadgetForm\n  object G: TGadget\n    OnPoke = Missing\n  end\nend\n", 3},
        {L"object F: TGadgetForm\n  object G: TGadget\n    Buddy = Nobody\n  end\nend\n", 3},
        {L"object F: TGadgetForm\n  object G: TGadget\n    Count = 1\n", 4},                // no end
        {L"object F: TOther\nend\n", 1},                                                 // wrong class
        {L"object F: TGadgetForm\n  object G: TGadget\n  end\n  object G: TGadget\n  end\nend\n", 4},  // same name
        {L"object F: TGadgetForm\n  object Gadget1: TPanel\n  end\nend\n", 2},          // field of another class
    };
    for (const auto& c : cases) {
        int before = TGadget::LiveCount;
        TGadgetForm form(nullptr);
        try {
            ReadComponentText(c.Text, &form);
            ADD_FAILURE() << "no error for:\n" << WideToUtf8(c.Text);
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Line, c.Line) << e.what();
            EXPECT_NE(std::string(e.what()).find("line " + std::to_string(c.Line)), std::string::npos) << e.what();
        }
        EXPECT_EQ(form.ComponentCount(), 0) << WideToUtf8(c.Text);
        EXPECT_EQ(form.Gadget1, nullptr);
        EXPECT_EQ(TGadget::LiveCount, before);
    }
}

TEST_F(FormStreamTest, CreatesTheTopObjectByClassName) {
    TComponent* c = CreateComponentFromText(L"object Btn: TButton\n  Caption = 'Go'\n  Left = 3\nend\n", nullptr);
    auto* button = dynamic_cast<TButton*>(c);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), L"Go");
    EXPECT_EQ(button->Left(), 3);
    delete c;
}

}  // namespace
