#include "win/date_field.h"

#include <commctrl.h>

#include "fees/fee_rules.h"

namespace zm::win {
namespace {

constexpr TradeDate kFirstTradingDay{1990, 12, 19};

SYSTEMTIME systemTime(const TradeDate& date) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(date.year);
    t.wMonth = static_cast<WORD>(date.month);
    t.wDay = static_cast<WORD>(date.day);
    return t;
}

}  // namespace

void setUpDateField(HWND picker, HFONT calendarFont) {
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy-MM-dd"));
    SYSTEMTIME range[2] = {systemTime(kFirstTradingDay), {}};
    SendMessageW(picker, DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(range));
    SendMessageW(picker, DTM_SETMCFONT, reinterpret_cast<WPARAM>(calendarFont), FALSE);
}

std::string dateFieldText(HWND picker) {
    SYSTEMTIME t{};
    if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) != GDT_VALID) {
        return {};
    }
    return TradeDate{t.wYear, t.wMonth, t.wDay}.iso();
}

bool setDateFieldText(HWND picker, std::string_view iso) {
    const auto date = TradeDate::parse(iso);
    if (!date) {
        return false;
    }
    SYSTEMTIME t = systemTime(*date);
    return SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t)) != 0;
}

void selectFirstDatePart(HWND picker) {
    // The picker finds its parts where it last painted them.
    UpdateWindow(picker);
    RECT client{};
    GetClientRect(picker, &client);
    const LPARAM at = MAKELPARAM(client.right / 8, client.bottom / 2);
    SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(picker, WM_LBUTTONUP, 0, at);
}

void calendarDroppedDown(HWND picker) {
    const auto calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    if (calendar != nullptr) {
        SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, 0);  // 0: Monday
    }
}

void useChineseCalendars() {
    const LANGID chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    SetThreadLocale(MAKELCID(chinese, SORT_DEFAULT));
    SetThreadUILanguage(chinese);
    ULONG count = 1;
    SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, L"zh-CN\0", &count);
}

}  // namespace zm::win
