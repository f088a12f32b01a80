#include "support/SkinDataTestSupport.h"

#include "LzhEncoder.h"
#include "skin/controls/SkinManage.h"
#include "skin/data/SkinData.h"
#include "support/TestSupport.h"

#include <windows.h>

namespace skinobjtest {

namespace {

void CaptureMessage(const std::wstring& text) { ShownMessages().push_back(text); }

}  // namespace

std::vector<std::uint8_t> CompressedSkin(const std::vector<TMember>& members, std::int32_t version) {
    return CompressSkin(Package(members, version));
}

const std::vector<std::uint8_t>& RealisticSkin() {
    static const std::vector<std::uint8_t> skin = CompressedSkin(RealisticMembers());
    return skin;
}

std::vector<std::wstring>& ShownMessages() {
    static std::vector<std::wstring> messages;
    return messages;
}

void SkinDataFixture::SetUp() {
    qx::test::EnsureApplication();
    RegisterSkinDataClasses();
    FreeSkinManager();
    ShownMessages().clear();
    SetSkinMessageProc(&CaptureMessage);
}

void SkinDataFixture::TearDown() {
    FreeSkinManager();
    SetSkinMessageProc(nullptr);
}

void TBinaryProbe::DefineBinaryProperty(const std::wstring& name, TStreamProc read, TStreamProc write, bool hasData) {
    if (name != FName) return;
    Found = true;
    HasData = hasData;
    FRead = std::move(read);
    FWrite = std::move(write);
}

std::vector<std::uint8_t> TBinaryProbe::Write() {
    qx::TMemoryStream stream;
    if (FWrite) FWrite(stream);
    return stream.Bytes();
}

void TBinaryProbe::Read(const std::vector<std::uint8_t>& bytes) {
    qx::TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    if (FRead) FRead(stream);
}

TTempFile::TTempFile(const std::vector<std::uint8_t>& bytes) {
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"skn", 0, file);
    FPath = file;
    qx::TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SaveToFile(FPath);
}

TTempFile::~TTempFile() { ::DeleteFileW(FPath.c_str()); }

}  // namespace skinobjtest
