// Published properties read and written by name, for every kind, and a missing property.
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "support/TestComponents.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace qx;
using namespace qx::test;

namespace {

class PropertyTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureApplication(); }
    TGadget g{nullptr};
};

TEST_F(PropertyTest, IntegerBooleanAndString) {
    SetOrdProp(g, L"Count", 42);
    EXPECT_EQ(g.Count, 42);
    EXPECT_EQ(GetOrdProp(g, L"count"), 42);  // names are case-insensitive
    SetOrdProp(g, L"Flag", 1);
    EXPECT_TRUE(g.Flag);
    EXPECT_EQ(GetEnumProp(g, L"Flag"), L"True");
    SetEnumProp(g, L"Flag", L"false");
    EXPECT_FALSE(g.Flag);
    SetStrProp(g, L"Label", L"连接设备");
    EXPECT_EQ(GetStrProp(g, L"Label"), L"连接设备");
    EXPECT_EQ(PropType(g, L"Label"), TTypeKind::String);
}

TEST_F(PropertyTest, EnumerationAndSetByName) {
    SetEnumProp(g, L"Shade", L"shDark");
    EXPECT_EQ(g.Shade, TShade::shDark);
    EXPECT_EQ(GetEnumProp(g, L"Shade"), L"shDark");
    EXPECT_THROW(SetEnumProp(g, L"Shade", L"shPurple"), EPropertyError);
    EXPECT_THROW(SetOrdProp(g, L"Shade", 3), EPropertyError);
    SetSetProp(g, L"Options", L"[goGamma, goAlpha]");
    EXPECT_EQ(g.Options, 0b101u);
    EXPECT_EQ(GetSetProp(g, L"Options"), L"[goAlpha,goGamma]");
    SetSetProp(g, L"Options", L"[]");
    EXPECT_EQ(g.Options, 0u);
    EXPECT_THROW(SetSetProp(g, L"Options", L"[goDelta]"), EPropertyError);
    EXPECT_THROW(SetSetProp(g, L"Options", L"goAlpha"), EPropertyError);
}

TEST_F(PropertyTest, ObjectAndEventProperties) {
    EXPECT_EQ(GetObjectProp(g, L"Font"), &g.Font);
    EXPECT_THROW(SetObjectProp(g, L"Font", nullptr), EPropertyError);  // owned, read-only
    TGadget other(nullptr);
    SetObjectProp(g, L"Buddy", &other);
    EXPECT_EQ(g.Buddy, &other);

    struct Listener {
        int Calls = 0;
        void Poke(TObject*) { ++Calls; }
    } listener;
    TNotifyEvent ev = TNotifyEvent::Of<&Listener::Poke>(&listener);
    SetMethodProp(g, L"OnPoke", ev.Untyped());
    ASSERT_TRUE(static_cast<bool>(g.OnPoke));
    g.OnPoke(&g);
    EXPECT_EQ(listener.Calls, 1);
    EXPECT_TRUE(GetMethodProp(g, L"OnPoke") == ev.Untyped());
    // A method of another signature is not taken.
    TWndMethod wrong;
    SetMethodProp(g, L"OnPoke", TMethod<void(TMessage&)>().Untyped());
    EXPECT_FALSE(static_cast<bool>(g.OnPoke));
    (void)wrong;
}

TEST_F(PropertyTest, MissingPropertyIsReportedNotGuessed) {
    EXPECT_FALSE(IsPublishedProp(g, L"Colour"));
    EXPECT_EQ(GetPropInfo(g, L"Colour"), nullptr);
    EXPECT_THROW(GetOrdProp(g, L"Colour"), EPropertyError);
    EXPECT_THROW(SetStrProp(g, L"Colour", L"x"), EPropertyError);
    // A property of another kind is an error too.
    EXPECT_THROW(GetStrProp(g, L"Count"), EPropertyError);
    EXPECT_THROW(SetOrdProp(g, L"Label", 1), EPropertyError);
}

TEST_F(PropertyTest, ControlsPublishWhatTheSkinEngineAsksFor) {
    TPanel panel(nullptr);
    TCheckBox box(nullptr);
    TEdit edit(nullptr);
    TButton button(nullptr);
    EXPECT_TRUE(IsPublishedProp(panel, L"ParentBackground"));
    EXPECT_TRUE(IsPublishedProp(panel, L"Color"));
    EXPECT_TRUE(IsPublishedProp(box, L"Checked"));
    EXPECT_TRUE(IsPublishedProp(box, L"State"));
    EXPECT_FALSE(IsPublishedProp(button, L"Checked"));
    EXPECT_FALSE(IsPublishedProp(edit, L"Flat"));
    SetEnumProp(box, L"State", L"cbGrayed");
    EXPECT_EQ(box.State(), TCheckBoxState::cbGrayed);
    EXPECT_EQ(GetOrdProp(box, L"Checked"), 0);
    SetOrdProp(panel, L"Color", clRed);
    EXPECT_EQ(panel.Color(), clRed);
    SetOrdProp(panel, L"ParentBackground", 1);
    EXPECT_TRUE(panel.ParentBackground());
    EXPECT_EQ(GetOrdProp(panel, L"Tag"), 0);
    SetOrdProp(panel, L"Tag", 99);
    EXPECT_EQ(panel.Tag(), 99);
}

}  // namespace
