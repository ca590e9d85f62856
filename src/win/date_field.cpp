#include "win/date_field.h"

#include <commctrl.h>

#include "fees/fee_rules.h"
#include "input/date_rules.h"
#include "win/wide_text.h"
#include "win/win_util.h"

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

HWND dropDownOf(HWND edit) {
    return FindWindowExW(edit, nullptr, DATETIMEPICK_CLASSW, nullptr);
}

}  // namespace

void addDateDropDown(HWND edit) {
    CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", WS_CHILD | WS_VISIBLE | DTS_SHORTDATEFORMAT, 0, 0,
                    0, 0, edit, nullptr,
                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(edit, GWLP_HINSTANCE)), nullptr);
}

void setUpDateField(HWND edit, HFONT calendarFont) {
    HWND picker = dropDownOf(edit);
    if (picker == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(edit, &client);
    // The picker's button is as wide as a scroll bar; only the button shows.
    const int button = GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
    SetWindowPos(picker, HWND_TOP, client.right - button, 0, button, client.bottom, SWP_NOACTIVATE);
    SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, button));
    SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy-MM-dd"));
    SYSTEMTIME range[2] = {systemTime(kFirstTradingDay), {}};
    SendMessageW(picker, DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(range));
    SendMessageW(picker, DTM_SETMCFONT, reinterpret_cast<WPARAM>(calendarFont), FALSE);
}

void onDateDropDownNotice(HWND edit, const NMHDR& header) {
    HWND picker = header.hwndFrom;
    if (header.code == DTN_DROPDOWN) {
        const auto calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
        if (calendar != nullptr) {
            SendMessageW(calendar, MCM_SETFIRSTDAYOFWEEK, 0, 0);  // 0: Monday
            const auto typed = readDateText(toUtf8(windowText(edit)));
            if (typed && typed->isValid() && *typed >= kFirstTradingDay) {
                SYSTEMTIME t = systemTime(*typed);
                SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&t));
            }
        }
    } else if (header.code == DTN_DATETIMECHANGE) {
        const auto& change = reinterpret_cast<const NMDATETIMECHANGE&>(header);
        if (change.dwFlags == GDT_VALID) {
            const TradeDate picked{change.st.wYear, change.st.wMonth, change.st.wDay};
            SetWindowTextW(edit, toWide(picked.iso()).c_str());
        }
    } else if (header.code == DTN_CLOSEUP) {
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
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
