// The skin data component in a form description: the SkinStream property written and read
// back through the form writer and reader, and what Loaded does once the form is read.
#include "LzhEncoder.h"
#include "PackageWriter.h"
#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "support/SkinDataTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skinobjtest;

namespace {

class SkinDataStreamTest : public SkinDataFixture {
protected:
    void TearDown() override {
        FForms.clear();
        SkinDataFixture::TearDown();
    }

    // A form read from `text`, freed with the fixture.
    qx::TForm* ReadForm(const std::wstring& text) {
        FForms.push_back(std::make_unique<qx::TForm>(nullptr));
        qx::ReadComponentText(text, FForms.back().get());
        return FForms.back().get();
    }

    static TSkinData* SkinDataOf(qx::TComponent* form) {
        return dynamic_cast<TSkinData*>(form->FindComponent(L"SkinData1"));
    }

    std::vector<std::unique_ptr<qx::TForm>> FForms;
};

std::wstring Hex(const std::vector<std::uint8_t>& bytes) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring out;
    for (std::uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::wstring FormText(const std::wstring& body) {
    return L"object Form1: TForm\n  object SkinData1: TSkinData\n" + body + L"  end\nend\n";
}

std::wstring StoredProperty(const std::vector<std::uint8_t>& compressed) {
    std::vector<std::uint8_t> property(4);
    const auto n = static_cast<std::uint32_t>(compressed.size());
    for (int i = 0; i < 4; ++i) property[i] = static_cast<std::uint8_t>(n >> (8 * i));
    property.insert(property.end(), compressed.begin(), compressed.end());
    return L"    SkinStream = {" + Hex(property) + L"}\n";
}

}  // namespace

TEST_F(SkinDataStreamTest, SkinStreamRoundTripsThroughTheFormWriterAndReader) {
    qx::TForm source(nullptr);
    source.SetName(L"Form1");
    auto* data = new TSkinData(&source);
    data->SetName(L"SkinData1");
    data->Store().WriteBuffer(RealisticSkin().data(), static_cast<std::int64_t>(RealisticSkin().size()));
    data->SetActive(true);  // not loaded yet: only the property is set
    EXPECT_TRUE(data->Active());
    const std::wstring text = qx::WriteComponentText(&source);
    EXPECT_NE(text.find(L"Active = True"), std::wstring::npos);
    EXPECT_NE(text.find(L"Skin3rd.Strings = ("), std::wstring::npos);
    EXPECT_NE(text.find(L"SkinStream = {"), std::wstring::npos);

    TSkinData* read = SkinDataOf(ReadForm(text));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Store().Bytes(), RealisticSkin());
    EXPECT_EQ(read->Skin3rd()->Count(), 115);
    // The skin was decoded while the form was read.
    EXPECT_FALSE(read->NotLoaded());
    EXPECT_EQ(read->SkinName(), "Candy Test");
    EXPECT_TRUE(read->Active());
    EXPECT_TRUE(ShownMessages().empty());

    // Loaded made the manager, registered the component and asked for skinning: nothing was
    // ever activated, so that only marks the manager active.
    ASSERT_NE(SkinManager, nullptr);
    EXPECT_EQ(SkinManager->SkinDataList(), std::vector<TSkinData*>{read});
    EXPECT_EQ(SkinManager->DefaultSkinData(), read);
    EXPECT_TRUE(SkinManager->HookInstalled());
    EXPECT_TRUE(SkinManager->Active());
    EXPECT_EQ(SkinManager->State(), kManagerNeverActivated);
    EXPECT_FALSE(SkinManager->CommandTimerEnabled());
    EXPECT_FALSE(InSet(read->SkinControls(), xcMenuItem));
    EXPECT_TRUE(InSet(read->SkinControls(), xcSystemMenu));
}

TEST_F(SkinDataStreamTest, AnEmptyStoreWritesOnlyAZeroLength) {
    TSkinData data(nullptr);
    TBinaryProbe probe(L"SkinStream");
    data.DefineProperties(probe);
    ASSERT_TRUE(probe.Found);
    EXPECT_TRUE(probe.HasData);  // always written
    EXPECT_EQ(probe.Write(), (std::vector<std::uint8_t>{0, 0, 0, 0}));

    qx::TForm source(nullptr);
    source.SetName(L"Form1");
    (new TSkinData(&source))->SetName(L"SkinData1");
    EXPECT_NE(qx::WriteComponentText(&source).find(L"SkinStream = {\n      00000000\n      }"), std::wstring::npos);
}

TEST_F(SkinDataStreamTest, ActiveFallsBackWhenTheStoredSkinCannotBeLoaded) {
    TSkinData* none = SkinDataOf(ReadForm(FormText(L"    Active = True\n    SkinStream = {00000000}\n")));
    ASSERT_NE(none, nullptr);
    EXPECT_FALSE(none->Active());
    EXPECT_TRUE(none->NotLoaded());
    EXPECT_TRUE(ShownMessages().empty());  // no skin stored is no error
    EXPECT_FALSE(SkinManager->Active());

    TSkinData* old = SkinDataOf(ReadForm(
        FormText(L"    Active = True\n" + StoredProperty(CompressedSkin(RealisticMembers(), 19999)))));
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(old->Active());
    EXPECT_TRUE(old->NotLoaded());
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0], L"This is Older Skin File\rPlease update to new version !");
}

// The length word promises more than the property holds: the form still reads, the skin is
// treated as damaged.
TEST_F(SkinDataStreamTest, ALengthBeyondThePropertyIsADamagedSkin) {
    TSkinData* data = SkinDataOf(ReadForm(FormText(L"    Active = True\n    SkinStream = {FFFF00000102}\n")));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Store().Size(), 0);
    EXPECT_TRUE(data->NotLoaded());
    EXPECT_FALSE(data->Active());
    EXPECT_EQ(ShownMessages().size(), 1u);

    TSkinData* shortProperty = SkinDataOf(ReadForm(FormText(L"    SkinStream = {0102}\n")));
    ASSERT_NE(shortProperty, nullptr);
    EXPECT_TRUE(shortProperty->NotLoaded());
}

// 2.6 MB of stored skin whose name list is 120 MiB of line feeds, 125 million empty names: the
// component reports a damaged skin instead of allocating an entry for each, and the program
// (this test) goes on.
TEST_F(SkinDataStreamTest, AStoredSkinOfMillionsOfEmptyNamesIsDamaged) {
    constexpr std::uint32_t kLineFeeds = 120u << 20;
    std::vector<std::uint8_t> package;
    for (std::uint32_t word : {static_cast<std::uint32_t>(kSkinPackageVersion), kLineFeeds, 0u, 0u})
        AppendInt32(package, word);
    package.resize(package.size() + kLineFeeds, '\n');
    const std::vector<std::uint8_t> hostile = CompressSkin(package);
    package = {};
    ASSERT_LT(hostile.size(), 3u << 20);

    TSkinData* data = SkinDataOf(ReadForm(FormText(L"    Active = True\n" + StoredProperty(hostile))));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->Store().Size(), static_cast<std::int64_t>(hostile.size()));
    EXPECT_TRUE(data->NotLoaded());
    EXPECT_FALSE(data->Active());
    EXPECT_FALSE(SkinManager->Active());
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0], L"This is Older Skin File\rPlease update to new version !");
}

TEST_F(SkinDataStreamTest, LoadedAdjustsSkinControlsToTheMenuBar) {
    TSkinData* withBar = SkinDataOf(ReadForm(FormText(L"    SkinControls = [xcMainMenu, xcMenuItem, xcSystemMenu]\n")));
    ASSERT_NE(withBar, nullptr);
    EXPECT_EQ(qx::GetSetProp(*withBar, L"SkinControls"), L"[xcMainMenu,xcSystemMenu]");
    TSkinData* withoutBar = SkinDataOf(ReadForm(FormText(L"    SkinControls = [xcPopupMenu, xcMenuItem, xcSystemMenu]\n")));
    ASSERT_NE(withoutBar, nullptr);
    EXPECT_EQ(qx::GetSetProp(*withoutBar, L"SkinControls"), L"[xcPopupMenu,xcMenuItem]");
    // Both registered, the first main-form one is the default.
    EXPECT_EQ(SkinManager->SkinDataList(), (std::vector<TSkinData*>{withBar, withoutBar}));
    EXPECT_EQ(SkinManager->DefaultSkinData(), withBar);
}

TEST_F(SkinDataStreamTest, AComponentForOneFormSwitchesTheManagerOnAtOnce) {
    TSkinData* data = SkinDataOf(ReadForm(FormText(L"    SkinFormtype = sfOnlyThisForm\n" + StoredProperty(RealisticSkin()))));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(SkinManager->Active());
    EXPECT_EQ(SkinManager->State(), 1);
    EXPECT_FALSE(SkinManager->HookInstalled());
    EXPECT_EQ(SkinManager->DefaultSkinData(), nullptr);  // not a main-form component
    SkinDataOf(ReadForm(FormText(L"    SkinFormtype = sfDialog\n")));
    EXPECT_EQ(SkinManager->State(), 2);
}

TEST_F(SkinDataStreamTest, AtDesignTimeTheStoreIsKeptButNeverDecoded) {
    TSkinData data(nullptr);
    data.SetDesigning(true);
    TBinaryProbe probe(L"SkinStream");
    data.DefineProperties(probe);
    std::vector<std::uint8_t> property = {0, 0, 0, 0};
    const auto n = static_cast<std::uint32_t>(RealisticSkin().size());
    for (int i = 0; i < 4; ++i) property[i] = static_cast<std::uint8_t>(n >> (8 * i));
    property.insert(property.end(), RealisticSkin().begin(), RealisticSkin().end());
    probe.Read(property);
    EXPECT_EQ(data.Store().Bytes(), RealisticSkin());
    EXPECT_TRUE(data.NotLoaded());
    EXPECT_EQ(data.SkinStore(), L"(Good)");
    EXPECT_EQ(probe.Write(), property);
    data.Loaded();
    EXPECT_EQ(SkinManager, nullptr);
}
