#include "DateTimePicker.h"
#include "CommonControls.h"

#include <commctrl.h>
#include <cstdio>

namespace qx {

static const std::vector<std::wstring> kKindNames{L"dtkDate", L"dtkTime"};
static const std::vector<std::wstring> kDateModeNames{L"dmComboBox", L"dmUpDown"};
static const std::vector<std::wstring> kDateFormatNames{L"dfShort", L"dfLong"};

QX_DEFINE_CLASS(TDateTimePicker, TWinControl, b) {
    b.Enum<TDateTimeKind>(L"Kind", kKindNames, &TDateTimePicker::Kind, &TDateTimePicker::SetKind);
    b.Enum<TDTDateMode>(L"DateMode", kDateModeNames, &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode);
    b.Enum<TDTDateFormat>(L"DateFormat", kDateFormatNames, &TDateTimePicker::DateFormat,
                          &TDateTimePicker::SetDateFormat);
    b.Boolean(L"ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox);
    b.Boolean(L"Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked);
    b.String(L"DateTime", &TDateTimePicker::DateTimeText, &TDateTimePicker::SetDateTimeText);
    b.Event(L"OnChange", &TDateTimePicker::OnChange);
    b.Creatable();
}

// A new picker shows the moment it was made.
TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    FWidth = 186;
    FHeight = 21;
    FTabStop = true;
    FColor = clWindow;
    FParentColor = false;
    FBrush.SetColor(clWindow);
    ::GetLocalTime(&FDateTime);
    FDateTime.wMilliseconds = 0;
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    EnsureCommonControls(ICC_DATE_CLASSES);
    TWinControl::CreateParams(p);
    p.SysClassName = DATETIMEPICK_CLASSW;
    if (FKind == TDateTimeKind::dtkTime) p.Style |= DTS_TIMEFORMAT;
    else if (FDateFormat == TDTDateFormat::dfLong) p.Style |= DTS_LONGDATEFORMAT;
    if (FDateMode == TDTDateMode::dmUpDown) p.Style |= DTS_UPDOWN;
    if (FShowCheckbox) p.Style |= DTS_SHOWNONE;
}

void TDateTimePicker::HandleCreated() {
    ::SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
    if (FShowCheckbox && !FChecked) ::SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_NONE, 0);
}

void TDateTimePicker::DestroyWnd() {
    if (FHandle) {
        FChecked = Checked();
        FDateTime = DateTime();
    }
    TWinControl::DestroyWnd();
}

void TDateTimePicker::Restyle() { RecreateWnd(); }

void TDateTimePicker::SetKind(TDateTimeKind v) {
    if (v == FKind) return;
    FKind = v;
    Restyle();
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
    if (v == FDateMode) return;
    FDateMode = v;
    Restyle();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
    if (v == FDateFormat) return;
    FDateFormat = v;
    Restyle();
}

void TDateTimePicker::SetShowCheckbox(bool v) {
    if (v == FShowCheckbox) return;
    FShowCheckbox = v;
    Restyle();
}

bool TDateTimePicker::Checked() {
    if (!FShowCheckbox) return true;
    if (!FHandle) return FChecked;
    SYSTEMTIME t{};
    return ::SendMessageW(FHandle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) == GDT_VALID;
}

void TDateTimePicker::SetChecked(bool v) {
    FChecked = v;
    if (!FHandle || !FShowCheckbox) return;
    if (v) ::SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
    else ::SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_NONE, 0);
}

SYSTEMTIME TDateTimePicker::DateTime() {
    if (FHandle) {
        SYSTEMTIME t{};
        if (::SendMessageW(FHandle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) == GDT_VALID) FDateTime = t;
    }
    return FDateTime;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& v) {
    FDateTime = v;
    FDateTime.wMilliseconds = 0;
    if (FHandle) ::SendMessageW(FHandle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

std::wstring TDateTimePicker::DateTimeText() {
    SYSTEMTIME t = DateTime();
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return text;
}

// Checked by a round trip through FILETIME: impossible dates (Feb 30, month 13) fail it.
void TDateTimePicker::SetDateTimeText(const std::wstring& v) {
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (std::swscanf(v.c_str(), L"%u-%u-%u %u:%u:%u", &year, &month, &day, &hour, &minute, &second) < 3) return;
    if (year < 1601 || year > 9999 || month > 12 || day > 31 || hour > 23 || minute > 59 || second > 59) return;
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    FILETIME file{};
    SYSTEMTIME back{};
    if (!::SystemTimeToFileTime(&t, &file) || !::FileTimeToSystemTime(&file, &back)) return;
    if (back.wYear != t.wYear || back.wMonth != t.wMonth || back.wDay != t.wDay) return;
    SetDateTime(back);
}

void TDateTimePicker::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && m.LParam && reinterpret_cast<NMHDR*>(m.LParam)->code == DTN_DATETIMECHANGE) {
        DateTime();
        if (OnChange && !HasState(csLoading)) OnChange(this);
        return;
    }
    TWinControl::WndProc(m);
}

}  // namespace qx
