// The skin data component: its published properties as a new component has them, the program's
// own bitmaps, loading a skin from the store and from a skin file, the outdated-skin message,
// the face brush, the form filter and the application icon.
#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "support/SkinDataTestSupport.h"

#include <gtest/gtest.h>

using namespace skinobjtest;

namespace {

class SkinDataTest : public SkinDataFixture {};

void FillStore(TSkinData& data, const std::vector<std::uint8_t>& compressed) {
    data.Store().Clear();
    data.Store().WriteBuffer(compressed.data(), static_cast<std::int64_t>(compressed.size()));
}

const wchar_t kOutdated[] = L"This is Older Skin File\rPlease update to new version !";

struct TFilterHandler {
    std::wstring SeenName;
    bool Answer = true;
    void FormSkin(qx::TObject*, const std::wstring& name, bool& doSkin) {
        SeenName = name;
        doSkin = Answer;
    }
};

}  // namespace

TEST_F(SkinDataTest, PublishedPropertiesHaveTheirConstructorValues) {
    TSkinData data(nullptr);
    EXPECT_EQ(qx::GetEnumProp(data, L"Active"), L"False");
    EXPECT_EQ(qx::GetOrdProp(data, L"DisableTag"), 99);
    EXPECT_EQ(qx::GetSetProp(data, L"SkinControls"),
              L"[xcMainMenu,xcPopupMenu,xcToolbar,xcControlbar,xcCombo,xcCheckBox,xcRadioButton,xcProgress,"
              L"xcScrollbar,xcEdit,xcButton,xcBitBtn,xcSpeedButton,xcSpin,xcPanel,xcGroupBox,xcStatusBar,xcTab,"
              L"xcTrackBar,xcSystemMenu]");
    EXPECT_EQ(qx::GetSetProp(data, L"Options"), L"[xoPreview,xoToolbarBK]");
    EXPECT_EQ(qx::GetStrProp(data, L"SkinFile"), L"");
    EXPECT_EQ(qx::GetStrProp(data, L"SkinStore"), L"(none)");
    EXPECT_EQ(qx::GetEnumProp(data, L"SkinFormtype"), L"sfMainform");
    EXPECT_EQ(qx::GetStrProp(data, L"Version"), L"3.40.09.21");
    EXPECT_EQ(qx::GetEnumProp(data, L"MenuUpdate"), L"True");
    EXPECT_EQ(qx::GetEnumProp(data, L"MenuMerge"), L"False");
    for (const wchar_t* event : {L"OnFormSkin", L"OnSkinChanged", L"OnSkinControl"})
        EXPECT_EQ(qx::GetMethodProp(data, event).Code, nullptr) << event;
    EXPECT_TRUE(data.NotLoaded());
    EXPECT_EQ(data.FramePainting, 1);
    EXPECT_EQ(data.FaceBrush(), nullptr);

    // Writing the read-only ones changes nothing.
    qx::SetStrProp(data, L"Version", L"9");
    qx::SetStrProp(data, L"SkinStore", L"(Good)");
    EXPECT_EQ(data.Version(), L"3.40.09.21");
    EXPECT_EQ(data.SkinStore(), L"(none)");
    // The class can be created by name, as the form reader does.
    RegisterSkinDataClasses();
    const qx::TClassInfo* info = qx::FindClass(L"TSkinData");
    ASSERT_NE(info, nullptr);
    ASSERT_NE(info->Create, nullptr);
}

TEST_F(SkinDataTest, Skin3rdStartsWithTheDefaultListAndAssigningCopies) {
    TSkinData data(nullptr);
    qx::TStringList* lines = data.Skin3rd();
    ASSERT_EQ(lines->Count(), 115);
    EXPECT_EQ(lines->Get(0), L"TVirtualStringTree=scrollbar");
    EXPECT_EQ(lines->Get(114), L"TLMDDBCHECKBOX=Checkbox");
    // The group box line comes first, so that class is a group box, not a panel.
    const int groupBox = lines->IndexOf(L"TLMDGroupBox=Groupbox");
    int panel = -1;
    for (int i = 0; i < lines->Count(); ++i)
        if (lines->Get(i) == L"TLMDGROUPBOX=Panel") panel = i;
    ASSERT_GE(groupBox, 0);
    EXPECT_GT(panel, groupBox);
    EXPECT_EQ(lines->IndexOf(L"TAdvPageControl=nil") >= 0, true);

    qx::TStringList other;
    other.Add(L"TMine=button");
    qx::SetObjectProp(data, L"Skin3rd", &other);
    other.Add(L"TLater=edit");
    ASSERT_EQ(data.Skin3rd()->Count(), 1);  // a copy, not the list given
    EXPECT_EQ(data.Skin3rd()->Get(0), L"TMine=button");
}

TEST_F(SkinDataTest, MenuGlyphsComeFromTheProgramsBitmap) {
    TSkinData data(nullptr);
    qx::TImageList* glyphs = data.MenuGlyphs();
    ASSERT_NE(glyphs, nullptr);
    ASSERT_EQ(glyphs->Count(), 4);
    EXPECT_EQ(glyphs->Width(), 16);
    qx::TBitmap image;
    auto black = [&](int index, int x, int y) {
        EXPECT_TRUE(glyphs->GetBitmap(index, &image));
        return image.Pixel(x, y) == 0;
    };
    // restore: the back window's title bar, the front window's frame, white inside the front
    EXPECT_TRUE(black(0, 5, 4));
    EXPECT_TRUE(black(0, 12, 6));
    EXPECT_TRUE(black(0, 3, 12));
    EXPECT_FALSE(black(0, 7, 10));
    // maximize, minimize, close
    EXPECT_TRUE(black(1, 3, 3));
    EXPECT_TRUE(black(1, 12, 12));
    EXPECT_FALSE(black(1, 7, 7));
    EXPECT_TRUE(black(2, 5, 7));
    EXPECT_TRUE(black(2, 11, 8));
    EXPECT_FALSE(black(2, 4, 7));
    EXPECT_FALSE(black(2, 5, 9));
    EXPECT_TRUE(black(3, 3, 4));
    EXPECT_TRUE(black(3, 11, 4));
    EXPECT_TRUE(black(3, 7, 8));
    EXPECT_FALSE(black(3, 7, 4));
}

TEST_F(SkinDataTest, LoadingBuildsTheObjectsTracksAndFaceBrush) {
    TSkinData data(nullptr);
    FillStore(data, RealisticSkin());
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_FALSE(data.NotLoaded());
    EXPECT_EQ(data.SkinName(), "Candy Test");
    EXPECT_EQ(data.ButtonFace, 0xD8E9EC);
    ASSERT_NE(data.Progress, nullptr);
    EXPECT_EQ(data.SysButtons.size(), 11u);
    EXPECT_EQ(data.FrameColour(), static_cast<qx::TColor>(MemberColour("frame-top.bmp")));

    LOGBRUSH brush{};
    ASSERT_EQ(::GetObjectW(data.FaceBrush(), sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, 0xD8E9ECu);

    ASSERT_EQ(data.Track->Bitmap.Width(), 16);
    ASSERT_EQ(data.Track->Bitmap.Height(), 4);
    const qx::TColor light = 0xC0C0C0, dark = 0x808080, white = 0xFFFFFF;
    EXPECT_EQ(data.Track->Bitmap.Pixel(0, 0), light);
    EXPECT_EQ(data.Track->Bitmap.Pixel(1, 3), light);
    EXPECT_EQ(data.Track->Bitmap.Pixel(0, 2), dark);
    EXPECT_EQ(data.Track->Bitmap.Pixel(2, 0), dark);
    EXPECT_EQ(data.Track->Bitmap.Pixel(13, 0), dark);
    EXPECT_EQ(data.Track->Bitmap.Pixel(14, 0), white);
    EXPECT_EQ(data.Track->Bitmap.Pixel(2, 1), white);
    ASSERT_EQ(data.TrackVert->Bitmap.Width(), 4);
    ASSERT_EQ(data.TrackVert->Bitmap.Height(), 16);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(0, 0), light);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(2, 0), dark);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(3, 1), light);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(0, 2), dark);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(0, 13), dark);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(1, 7), white);
    EXPECT_EQ(data.TrackVert->Bitmap.Pixel(0, 14), white);

    // A skin without its own button face: the brush gets the system colour, resolved.
    FillStore(data, CompressedSkin(WithDescription("[Colours]\nWindowText=1 2 3\n")));
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.ButtonFace, qx::SysColor(COLOR_BTNFACE));
    ASSERT_EQ(::GetObjectW(data.FaceBrush(), sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(SkinDataTest, OutdatedOrDamagedSkinsShowTheMessageAndStayNotLoaded) {
    TSkinData data(nullptr);
    FillStore(data, CompressedSkin(RealisticMembers(), 19999));
    EXPECT_FALSE(data.LoadSkin());
    EXPECT_TRUE(data.NotLoaded());
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0], kOutdated);
    EXPECT_EQ(data.Progress, nullptr);  // nothing else was loaded

    // Whatever the store holds, loading reports and never fails otherwise.
    const std::vector<std::vector<std::uint8_t>> stores = {
        {}, {1, 2, 3}, {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}, {16, 0, 0, 0, 0xAA, 0x55, 0xAA, 0x55}};
    for (const auto& store : stores) {
        ShownMessages().clear();
        FillStore(data, store);
        EXPECT_FALSE(data.LoadSkin());
        EXPECT_TRUE(data.NotLoaded());
        ASSERT_EQ(ShownMessages().size(), 1u) << store.size();
        EXPECT_EQ(ShownMessages()[0], kOutdated);
    }
}

TEST_F(SkinDataTest, SkinFileLoadsAtRunTimeAndClearsTheStoreAtDesignTime) {
    TSkinData data(nullptr);
    TTempFile file(RealisticSkin());
    data.SetSkinFile(file.Path());
    EXPECT_EQ(data.SkinFile(), file.Path());
    EXPECT_FALSE(data.NotLoaded());
    EXPECT_EQ(data.SkinName(), "Candy Test");
    EXPECT_EQ(data.Store().Bytes(), RealisticSkin());
    ASSERT_NE(SkinManager, nullptr);  // a main-form skin change needs the manager

    // A file that does not exist leaves the store as it was.
    data.SetSkinFile(L"Z:\\no\\such\\skin.skn");
    EXPECT_EQ(data.Store().Bytes(), RealisticSkin());
    EXPECT_TRUE(ShownMessages().empty());

    // At design time the skin will come from the file: the stored one goes, nothing decodes.
    TSkinData designed(nullptr);
    designed.SetDesigning(true);
    FillStore(designed, RealisticSkin());
    EXPECT_EQ(designed.SkinStore(), L"(Good)");
    EXPECT_FALSE(designed.LoadSkin());
    designed.SetSkinFile(file.Path());
    EXPECT_EQ(designed.Store().Size(), 0);
    EXPECT_EQ(designed.SkinStore(), L"(none)");
    EXPECT_TRUE(designed.NotLoaded());
}

TEST_F(SkinDataTest, FormFilterLeavesOutCalendarsAndReportWindowsUnlessTheHandlerDecides) {
    TSkinData data(nullptr);
    auto filter = [&](const wchar_t* name, bool start = true) {
        bool doSkin = start;
        data.FormFilter(name, doSkin);
        return doSkin;
    };
    EXPECT_FALSE(filter(L"SysMonthCal32"));
    EXPECT_TRUE(filter(L"TForm8"));
    EXPECT_FALSE(filter(L"TForm8", false));  // the manager's earlier answer stands
    EXPECT_TRUE(filter(L"TfrDesignerForm"));
    data.SetSkinControls(data.SkinControls() | SkinControlBit(xcFastReport));
    EXPECT_FALSE(filter(L"TfrDesignerForm"));
    EXPECT_TRUE(filter(L"TFRDesignerForm"));

    TFilterHandler handler;
    data.OnFormSkin = TOnFormSkin::Of<&TFilterHandler::FormSkin>(&handler);
    EXPECT_TRUE(filter(L"SysMonthCal32"));
    EXPECT_EQ(handler.SeenName, L"SysMonthCal32");
    handler.Answer = false;
    EXPECT_FALSE(filter(L"TForm8"));
}

TEST_F(SkinDataTest, AppIconIsTheSmallIconOnMagenta) {
    HWND app = qx::Application->Handle();
    ::SendMessageW(app, WM_SETICON, ICON_SMALL, 0);
    ::SendMessageW(app, WM_SETICON, ICON_BIG, 0);
    TSkinData data(nullptr);
    data.BuildAppIcon();
    EXPECT_TRUE(data.AppIcon.Empty());  // no icon: left as it was

    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ::SendMessageW(app, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    data.BuildAppIcon();
    ASSERT_EQ(data.AppIcon.Width(), ::GetSystemMetrics(SM_CXSMICON));
    ASSERT_EQ(data.AppIcon.Height(), ::GetSystemMetrics(SM_CYSMICON));
    EXPECT_TRUE(data.AppIcon.Transparent());
    EXPECT_EQ(data.AppIcon.TransparentColor(), 0xFF00FF);
    int drawn = 0;
    for (int y = 0; y < data.AppIcon.Height(); ++y)
        for (int x = 0; x < data.AppIcon.Width(); ++x) drawn += data.AppIcon.Pixel(x, y) != 0xFF00FF;
    EXPECT_GT(drawn, 0);
    ::SendMessageW(app, WM_SETICON, ICON_BIG, 0);
}
