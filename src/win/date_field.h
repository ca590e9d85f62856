#pragma once

// The date field (layout::Kind::Date): an edit that holds the date as typed (the session judges
// the text), with a date-time picker inside its right end whose drop-down button opens the
// calendar. A day picked there is written into the edit as "2019-03-15".
#include <windows.h>

namespace zm::win {

// Adds the picker to a date field's edit; the picker's notifications go to the edit.
void addDateDropDown(HWND edit);

// Places the picker over the edit's right end, with the calendar in `calendarFont`, any day
// from the exchanges' first trading day (1990-12-19) on, and keeps the edit's text clear of it.
void setUpDateField(HWND edit, HFONT calendarFont);

// The picker's notifications, to the edit: the calendar opens at the date typed, with its
// weeks starting on Monday (周一), as Chinese calendars do; a day picked is written into the
// edit, which SetWindowText reports as a change of its text; the calendar closed, the focus is
// back in the edit with its text selected.
void onDateDropDownNotice(HWND edit, const NMHDR& header);

// The calendars follow the thread's locale and UI language where the system lets them: the
// program's are Simplified Chinese whatever the system's are.
void useChineseCalendars();

}  // namespace zm::win
