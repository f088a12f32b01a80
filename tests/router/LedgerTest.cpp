#include "router/Ledger.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "TempFolder.h"

using router::LedgerLines;
using testing::ElementsAre;

namespace {
std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
}  // namespace

TEST(LedgerTest, RecordTextJoinsAddressesAndTrims) {
    EXPECT_EQ(router::LedgerRecordText({"10.0.0.1", "10.0.0.2"}), "10.0.0.1\r\n10.0.0.2");
    EXPECT_EQ(router::LedgerRecordText({"", "10.0.0.2", " "}), "10.0.0.2");
    EXPECT_EQ(router::LedgerRecordText({}), "");
}

TEST(LedgerTest, AppendCreatesThenAppends) {
    TTempFolder folder;
    const auto ledger = folder.Path() / router::kLedgerFileName;
    ASSERT_TRUE(router::AppendLedger(ledger, "10.0.0.1\r\n10.0.0.2"));
    ASSERT_TRUE(router::AppendLedger(ledger, "10.0.0.1"));
    EXPECT_EQ(Contents(ledger), "10.0.0.1\r\n10.0.0.2\r\n10.0.0.1\r\n");
    EXPECT_THAT(*router::ReadLedger(ledger), ElementsAre("10.0.0.1", "10.0.0.2", "10.0.0.1"));
}

TEST(LedgerTest, AppendFailureIsReported) {
    TTempFolder folder;
    EXPECT_FALSE(router::AppendLedger(folder.Path() / "missing-folder" / "cctdlsc.txt", "x"));
    EXPECT_FALSE(router::AppendLedger(folder.Path(), "x"));  // a folder, not a file
}

TEST(LedgerTest, EveryLineEndStyleEndsALine) {
    EXPECT_THAT(LedgerLines("a\r\nb\nc\rd"), ElementsAre("a", "b", "c", "d"));
    EXPECT_THAT(LedgerLines("a\n\rb"), ElementsAre("a", "", "b"));
    EXPECT_THAT(LedgerLines("a\r\n\r\n"), ElementsAre("a", ""));
    EXPECT_THAT(LedgerLines("a\r"), ElementsAre("a"));
    EXPECT_THAT(LedgerLines("\r\n"), ElementsAre(""));
    EXPECT_TRUE(LedgerLines("").empty());
}

TEST(LedgerTest, MissingOrOversizedLedgerHasNoLines) {
    TTempFolder folder;
    const auto ledger = folder.Path() / router::kLedgerFileName;
    EXPECT_FALSE(router::ReadLedger(ledger).has_value());
    EXPECT_FALSE(router::ReadLedger(folder.Path()).has_value());

    Write(ledger, std::string(router::kMaxLedgerBytes + 1, '1'));
    EXPECT_FALSE(router::ReadLedger(ledger).has_value());
    Write(ledger, "");
    ASSERT_TRUE(router::ReadLedger(ledger).has_value());
    EXPECT_TRUE(router::ReadLedger(ledger)->empty());
}

TEST(LedgerTest, ArbitraryBytesReadBackLineByLine) {
    TTempFolder folder;
    const auto ledger = folder.Path() / router::kLedgerFileName;
    std::mt19937 random(7);
    std::string bytes(200000, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 256);
    Write(ledger, bytes);
    const auto lines = router::ReadLedger(ledger);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, LedgerLines(bytes));
}

TEST(LedgerTest, DeleteRemovesTheFileOnce) {
    TTempFolder folder;
    const auto ledger = folder.Path() / router::kLedgerFileName;
    ASSERT_TRUE(router::AppendLedger(ledger, "x"));
    EXPECT_TRUE(router::DeleteLedger(ledger));
    EXPECT_FALSE(std::filesystem::exists(ledger));
    EXPECT_FALSE(router::DeleteLedger(ledger));
}
