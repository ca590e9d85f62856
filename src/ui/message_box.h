#pragma once

class QMessageBox;

namespace zm::ui {

// Sets the width at which the text of a message box, not yet shown, wraps (messageWrapWidth):
// on one line where it fits, else in lines of equal length, so that no line holds a single
// glyph. QMessageBox on its own wraps any text wider than 500 pixels at about that width, which
// left the last character of a refusal alone on its second line.
void fitMessageText(QMessageBox& box);

// The width, in pixels, to give a message text of `textWidth` pixels (its trailing blanks left
// out): the text itself when it is at most `widest`; else the width of lines of equal length,
// with one glyph (`glyphWidth`) to spare for where a line may break, in as few lines as fit in
// `widest`. Never narrower than `narrowest` for a text that wraps (the message box makes a
// wrapped text at least that wide) nor wider than `widest`.
int messageWrapWidth(int textWidth, int glyphWidth, int narrowest, int widest);

}  // namespace zm::ui
