#pragma once

#include <cstdint>

namespace zm {

// What the user did to a control or a window. Every front end reports each gesture, for every
// control of the layout table of the kind that has it, to Session::handle; the session's one
// dispatch table decides what it does, if anything.
enum class Gesture : std::uint8_t {
    Click,     // a button, a picture or a menu item was pressed
    Enter,     // Enter (Return or the keypad's) in a field, a date field or an editable list,
               // or Enter or a double click on a table's row
    Focus,     // a field received the focus from another control of the program
    Leave,     // the focus left a list for another control of the program
    Choose,    // an option was chosen (click, arrow keys or the program), a list entry picked,
               // a table's row chosen by the user
    DateSet,   // a date field's date changed
    Close,     // a window's close box, or Esc in a window whose row says Esc closes it
    Activate,  // a window became the active one after another window of the program
};

}  // namespace zm
