// The skinpack tool's commands on real folders and files: pack, info, unpack, both file forms.
#include "SkinPackCommands.h"

#include "LzhEncoder.h"
#include "PackageWriter.h"
#include "SkinFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

class SkinPackTool : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        FRoot = fs::temp_directory_path() / ("skinpack-test-" + std::to_string(rd()));
        fs::create_directories(FRoot / "skin");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(FRoot, ec);
    }

    static void Write(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void MakeSkin() {
        Write(FRoot / "skin" / "Skin.ini",
              "[Personality]\r\nTop=Frame-Top.bmp\r\nLeft=dir\\left.bmp\r\n[Buttons]\r\nBitmap=missing.bmp\r\n"
              "CheckButton=check.BMP\r\n");
        Write(FRoot / "skin" / "Frame-Top.bmp", "BM" + std::string(500, '\x11'));
        Write(FRoot / "skin" / "left.bmp", "BM" + std::string(300, '\x22'));
        Write(FRoot / "skin" / "notes.txt", "not packed");
    }

    int Run(int (*command)(const fs::path&, const fs::path&, std::ostream&, std::ostream&), const fs::path& a,
            const fs::path& b) {
        FOut.str("");
        FErr.str("");
        return command(a, b, FOut, FErr);
    }

    fs::path FRoot;
    std::ostringstream FOut, FErr;
};

}  // namespace

TEST_F(SkinPackTool, PackInfoUnpackRoundTrip) {
    MakeSkin();
    const fs::path file = FRoot / "skin.skn";
    ASSERT_EQ(PackCommand(FRoot / "skin", file, false, FOut, FErr), 0) << FErr.str();
    // Warnings for what will not load: the missing bitmap, the upper-case extension, the stray file.
    EXPECT_NE(FErr.str().find("missing.bmp, which is not in the folder"), std::string::npos) << FErr.str();
    EXPECT_NE(FErr.str().find("check.BMP"), std::string::npos) << FErr.str();
    EXPECT_NE(FErr.str().find("notes.txt"), std::string::npos) << FErr.str();
    EXPECT_EQ(FErr.str().find("left.bmp"), std::string::npos) << "a directory part is not part of the name";

    FOut.str("");
    ASSERT_EQ(InfoCommand(file, FOut, FErr), 0) << FErr.str();
    const std::string info = FOut.str();
    EXPECT_NE(info.find("form: skin file"), std::string::npos) << info;
    EXPECT_NE(info.find("version: 20000"), std::string::npos) << info;
    EXPECT_NE(info.find("3 entries"), std::string::npos) << info;
    // Bitmaps in name order, the description last.
    const auto top = info.find("frame-top.bmp"), left = info.find("left.bmp"), ini = info.find("skin.ini");
    ASSERT_NE(ini, std::string::npos) << info;
    EXPECT_LT(top, left);
    EXPECT_LT(left, ini);

    ASSERT_EQ(Run(UnpackCommand, file, FRoot / "out"), 0) << FErr.str();
    EXPECT_EQ(Read(FRoot / "out" / "frame-top.bmp"), Read(FRoot / "skin" / "Frame-Top.bmp"));
    EXPECT_EQ(Read(FRoot / "out" / "left.bmp"), Read(FRoot / "skin" / "left.bmp"));
    EXPECT_EQ(Read(FRoot / "out" / "skin.ini"), Read(FRoot / "skin" / "Skin.ini"));
    EXPECT_FALSE(fs::exists(FRoot / "out" / "notes.txt"));
}

TEST_F(SkinPackTool, StoredFormIsAcceptedToo) {
    MakeSkin();
    const fs::path file = FRoot / "skin.prop";
    ASSERT_EQ(PackCommand(FRoot / "skin", file, true, FOut, FErr), 0) << FErr.str();
    const std::string bytes = Read(file);
    const Bytes raw(bytes.begin(), bytes.end());
    const TStoredSkin stored = ReadStoredSkin(raw);
    ASSERT_EQ(stored.Kind, TStoredSkin::skSkin);
    EXPECT_EQ(stored.Skin.size() + 4, raw.size());

    TSkinReader reader;
    std::string form;
    ASSERT_EQ(LoadSkinOrStoredForm(raw, reader, form), TPackageStatus::psLoaded);
    EXPECT_EQ(form, "stored property");
    ASSERT_EQ(Run(UnpackCommand, file, FRoot / "out"), 0) << FErr.str();
    EXPECT_EQ(Read(FRoot / "out" / "left.bmp"), Read(FRoot / "skin" / "left.bmp"));
}

TEST_F(SkinPackTool, FolderNeedsExactlyOneDescription) {
    Write(FRoot / "skin" / "a.bmp", "BM");
    EXPECT_EQ(PackCommand(FRoot / "skin", FRoot / "x.skn", false, FOut, FErr), 1);
    Write(FRoot / "skin" / "one.ini", "[A]");
    Write(FRoot / "skin" / "two.INI", "[B]");
    EXPECT_EQ(PackCommand(FRoot / "skin", FRoot / "x.skn", false, FOut, FErr), 1);
    EXPECT_NE(FErr.str().find("found 2"), std::string::npos) << FErr.str();
    EXPECT_FALSE(fs::exists(FRoot / "x.skn"));
    EXPECT_EQ(PackCommand(FRoot / "nowhere", FRoot / "x.skn", false, FOut, FErr), 1);
}

TEST_F(SkinPackTool, UnpackWritesOnlyInsideTheFolder) {
    const Bytes package = BuildPackage({{"../escape.bmp", {1}},
                                        {"sub\\dir.bmp", {2}},
                                        {"", {3}},
                                        {"ok.bmp", {4}},
                                        {"OK.bmp", {5}},
                                        {"skin.ini", {6}}});
    const Bytes skin = CompressSkin(package);
    const fs::path file = FRoot / "evil.skn";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(skin.data()), static_cast<std::streamsize>(skin.size()));

    ASSERT_EQ(Run(UnpackCommand, file, FRoot / "out"), 0) << FErr.str();
    EXPECT_FALSE(fs::exists(FRoot / "escape.bmp"));
    EXPECT_EQ(Read(FRoot / "out" / "ok.bmp"), "\x04") << "the first of a repeated name";
    EXPECT_TRUE(fs::exists(FRoot / "out" / "skin.ini"));
    std::size_t files = 0;
    for (const auto& e : fs::directory_iterator(FRoot / "out")) files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2u);
    EXPECT_NE(FOut.str().find("unpacked 2 of 6"), std::string::npos) << FOut.str();
}

TEST_F(SkinPackTool, DamagedFilesAreReportedNotUnpacked) {
    const fs::path file = FRoot / "bad.skn";
    Write(file, std::string("\xFF\xFF\xFF\x7F", 4) + "short");
    EXPECT_EQ(InfoCommand(file, FOut, FErr), 1);
    EXPECT_NE(FErr.str().find("This is Older Skin File Please update to new version !"), std::string::npos)
        << FErr.str();
    EXPECT_EQ(Run(UnpackCommand, file, FRoot / "out"), 1);
    EXPECT_FALSE(fs::exists(FRoot / "out"));
    EXPECT_EQ(InfoCommand(FRoot / "absent.skn", FOut, FErr), 1);

    // An outdated package reads as such.
    Bytes old = BuildPackage({{"a.ini", {1}}});
    old[0] = 0x1F;  // 19999 = 0x4E1F
    const Bytes skin = CompressSkin(old);
    TSkinReader reader;
    std::string form;
    EXPECT_EQ(LoadSkinOrStoredForm(skin, reader, form), TPackageStatus::psOldVersion);
}

TEST(SkinFolderNames, FileNamePartFollowsTheLoader) {
    EXPECT_EQ(SkinImageFileName("CandyGlass_2\\MenuBackground.bmp"), "MenuBackground.bmp");
    EXPECT_EQ(SkinImageFileName("C:top.bmp"), "top.bmp");
    EXPECT_EQ(SkinImageFileName("dir/top.bmp"), "dir/top.bmp");
    EXPECT_EQ(SkinImageFileName("top.bmp"), "top.bmp");
}
