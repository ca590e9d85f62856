#pragma once

#include <QFont>
#include <QIcon>
#include <QLineEdit>
#include <QRect>
#include <QString>

#include "fees/window_model.h"

namespace zm::ui {

// Positions and sizes are laid out in twips, 15 to a pixel at 96 dpi; Qt scales the pixels on
// high-dpi screens.
constexpr int twips(int t) { return t / 15; }
QRect twipsRect(int left, int top, int width, int height);

// 宋体 (SimSun) at the given size, mapped to an installed Song/Ming-style CJK font on machines
// that lack SimSun, so that no Chinese text shows as boxes.
QFont songFont(double pointSize);

// A push-button icon from the program's resources (":/icons/<name>.svg").
QIcon commandIcon(const QString& name);

// Sets a label's (or any widget's) text colour.
void setForeColor(QWidget* widget, Rgb colour);
// Sets a field's background to one of the two system colours.
void setBackground(QWidget* widget, Background background);

// A single-line field of the program: reports Enter (Return or the keypad's Enter) and focus
// gain, and keeps every other key as typed (no validator, no mask). Whatever brings the focus in
// (Tab, a mouse click, the program), the whole text ends up selected: a click into the field
// does not undo the selection.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(QWidget* parent = nullptr);

signals:
    void enterPressed();
    void focusGained();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_keepSelectionOnClick = false;
};

}  // namespace zm::ui
