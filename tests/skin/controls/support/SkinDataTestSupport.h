// Helpers for the skin data component and manager tests: compressed skins, a fixture that
// starts every test without a manager and catches the outdated-skin message instead of showing
// it, and a filer that hands out a component's binary property.
#pragma once

#include "framework/Classes.h"
#include "framework/Streams.h"
#include "support/SkinObjectTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skinobjtest {

// A compressed skin (decoded length, then the LZHUF stream) of these members.
std::vector<std::uint8_t> CompressedSkin(const std::vector<TMember>& members,
                                         std::int32_t version = kSkinPackageVersion);
// The realistic skin, compressed.
const std::vector<std::uint8_t>& RealisticSkin();

// The messages the skin data components showed since the fixture started.
std::vector<std::wstring>& ShownMessages();

class SkinDataFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Finds the binary property a persistent object defines and reads or writes it.
class TBinaryProbe : public qx::TFiler {
public:
    explicit TBinaryProbe(const std::wstring& name) : FName(name) {}
    void DefineProperty(const std::wstring&, TReaderProc, TWriterProc, bool) override {}
    void DefineListProperty(const std::wstring&, TListReaderProc, TListWriterProc, bool) override {}
    void DefineBinaryProperty(const std::wstring& name, TStreamProc read, TStreamProc write, bool hasData) override;

    bool Found = false;
    bool HasData = false;
    // The property's bytes as written.
    std::vector<std::uint8_t> Write();
    // Reads the property from these bytes.
    void Read(const std::vector<std::uint8_t>& bytes);

private:
    std::wstring FName;
    TStreamProc FRead, FWrite;
};

// A file under the temporary folder, deleted again with the object.
class TTempFile {
public:
    explicit TTempFile(const std::vector<std::uint8_t>& bytes);
    ~TTempFile();
    const std::wstring& Path() const { return FPath; }

private:
    std::wstring FPath;
};

}  // namespace skinobjtest
