#pragma once

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QString>
#include <QStringList>

#include "layout/layout.h"
#include "view/window_model.h"

namespace zm::ui {

// Positions and sizes are laid out in twips, 15 to a pixel at 96 dpi; Qt scales the pixels on
// high-dpi screens.
constexpr int twips(int t) {
    return t / 15;
}
QRect twipsRect(int left, int top, int width, int height);

// The font families the windows ask for, in order: SimSun and 宋体 (its Chinese name) first, so
// that a machine with SimSun shows it, then the installed Song/Ming-style CJK faces that stand in
// where it is missing, so that no Chinese text shows as boxes. A list, not a replacement: Qt
// takes the first family that is there, and the later ones for any character it lacks.
QStringList songFamilies();

// The Qt alignment of a layout row's text (vertically centred).
Qt::Alignment textAlignment(layout::Align align);
// A font of songFamilies() at the given size.
QFont songFont(double pointSize);
// Maps the names 宋体 and SimSun to the installed faces for every font lookup of the program;
// called once at start-up, after the QApplication exists.
void installFontSubstitutions();

// A fixed-size dialog's window: a title and a close box, nothing to minimise or maximise.
inline constexpr Qt::WindowFlags kFixedDialog = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                                Qt::MSWindowsFixedSizeDialogHint;

// A dialog's window the user may resize and maximise (one with a table).
inline constexpr Qt::WindowFlags kResizableDialog =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::WindowMaximizeButtonHint;

// A push-button icon from the program's resources (":/icons/<name>.svg").
QIcon commandIcon(const QString& name);

// Sets a label's (or any widget's) text colour.
void setForeColor(QWidget* widget, Rgb colour);
// Sets a field's background to one of the two system colours.
void setBackground(QWidget* widget, Background background);

// Enter (Return or the keypad's Enter) on the window's focused push or tool button presses it,
// as in the program's dialogs. Returns true when it did, so the caller's key handler stops there.
bool pressFocusedButtonOnEnter(QWidget* window, QKeyEvent* event);

// A single-line field of the program: reports Enter (Return or the keypad's Enter) and focus
// gain, and keeps every other key as typed (no validator, no mask). Whatever brings the focus in
// (Tab, a mouse click, the program), the whole text ends up selected: a click into the field
// does not undo the selection. The focus merely returning with its window (from another
// application, after a message box) or from a context menu is not reported. A double-click in a
// read-only field (a result, or a locked input) selects its whole text: it holds one figure,
// which the word rules would split at its comma and point.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);

    // Keeps the whole text in view: a text wider than the field is shown in a smaller font
    // (down to 6 points) instead of being cut at its edges, where a figure would lose digits;
    // the field's own font (as set before this call) comes back when the text fits again.
    void setKeepTextInView(bool on);

signals:
    void enterPressed();
    void focusGained();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void fitText();

    bool m_keepSelectionOnClick = false;
    double m_fullPointSize = 0;  // the field's own size while the text is kept in view, else 0
};

// A drop-down list of the program: reports Enter (Return or the keypad's Enter), typed into it
// when it is editable or pressed while it has the focus.
class ListBox : public QComboBox {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr) : QComboBox(parent) {}

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A date field of the program: a text field that holds the date as typed ("2023-08-27",
// "2023/8/27", 20230827: the session judges the text on Enter), with a calendar that drops down
// from the arrow at its right end, or on F4 or Alt+Down, in Chinese (十二月, 周一) whatever the
// system's locale. A day picked there is written as "2019-03-15". Reports Enter, and dateEdited
// when the user changes the date, by typing or in the calendar (not when the program sets it).
class DateField : public QLineEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    // The calendar offers no day before `earliest`.
    void setEarliest(QDate earliest);
    QCalendarWidget* calendarWidget() const { return m_calendar; }
    // Drops the calendar down at the date typed (today's month when the text is no date).
    void showCalendar();

signals:
    void enterPressed();
    void dateEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QCalendarWidget* m_calendar;
};

// A picture that acts on a click: the left button pressed and released on it.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    explicit PictureLabel(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

}  // namespace zm::ui
