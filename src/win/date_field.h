#pragma once

// The date field (layout::Kind::Date) on a date-time picker of the common controls.
#include <windows.h>

#include <string>
#include <string_view>

namespace zm::win {

// Shows the date as "2019-03-15", with the calendar in `calendarFont`, and takes any date from
// the exchanges' first trading day (1990-12-19) on: a date the fee rules do not cover yet can be
// entered, and gets the program's own refusal.
void setUpDateField(HWND picker, HFONT calendarFont);

// The date shown, as "2019-03-15".
std::string dateFieldText(HWND picker);
// Shows the date of "2019-03-15"; false (nothing changes) for a text that is no date or one the
// picker does not take.
bool setDateFieldText(HWND picker, std::string_view iso);

// Selects the date's first part, the year, so that what is typed goes there (Wine's picker
// selects no part when it gets the focus): a click on it.
void selectFirstDatePart(HWND picker);

// The calendar that drops down starts its weeks on Monday (周一), as Chinese calendars do.
void calendarDroppedDown(HWND picker);

// The calendars follow the thread's locale and UI language where the system lets them: the
// program's are Simplified Chinese whatever the system's are.
void useChineseCalendars();

}  // namespace zm::win
