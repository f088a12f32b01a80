// A date-time picker's moment as text: a valid "yyyy-mm-dd hh:mm:ss" sets it and reaches the
// window; anything else (an impossible day, a month 13, garbage) leaves it as it was.
#include "framework/DateTimePicker.h"
#include "framework/Forms.h"
#include "support/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using namespace qx;

namespace {

TEST(DateTimePickerTest, OnlyAValidMomentReplacesTheShownOne) {
    struct Case {
        const wchar_t* text;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"2024-02-29 23:59:58", L"2024-02-29 23:59:58"},
        {L"2023-02-29 10:00:00", L"2024-02-29 23:59:58"},  // no leap year
        {L"2024-13-01 10:00:00", L"2024-02-29 23:59:58"},
        {L"2024-04-31", L"2024-02-29 23:59:58"},
        {L"2024-01-02 24:00:00", L"2024-02-29 23:59:58"},
        {L"yesterday", L"2024-02-29 23:59:58"},
        {L"", L"2024-02-29 23:59:58"},
        {L"1999-12-31", L"1999-12-31 00:00:00"},
    };
    test::EnsureApplication();
    TForm form(nullptr);
    auto* picker = new TDateTimePicker(&form);
    picker->SetParent(&form);
    picker->HandleNeeded();
    for (const Case& c : cases) {
        picker->SetDateTimeText(c.text);
        EXPECT_EQ(picker->DateTimeText(), c.shown) << std::string(c.text, c.text + wcslen(c.text));
        SYSTEMTIME t{};
        ASSERT_EQ(::SendMessageW(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)), GDT_VALID);
        EXPECT_EQ(t.wDay, static_cast<WORD>(std::stoi(std::wstring(c.shown).substr(8, 2))));
    }
}

}  // namespace
