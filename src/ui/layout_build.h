#pragma once

#include <QAbstractButton>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

#include "layout/layout.h"
#include "ui/qt_text.h"

namespace zm::ui {

// Makes the push button of one window's kind (its own class, icon place and focus rules).
using ButtonFactory = std::function<QAbstractButton*(const layout::Control&, QWidget* parent)>;

// Gives the window its title, icon, font and fixed size from its row, then creates its controls
// from theirs, in table order: frames as QGroupBox, labels as QLabel (with their buddy, whose
// accessible name is the label's caption without the blanks that spread it), fields as
// FieldEdit (results read-only on the button face, out of the tab chain), lists as
// non-editable QComboBox, options as QRadioButton and buttons through `makeButton`, each with its
// objectName, geometry, caption, tool tip and font; then the tab chain. Pictures and lines are
// left to the window. Returns nothing: the window finds its controls by name.
// With a `client` widget (the main window's area below its menu bar), that widget takes the
// form's size and the controls the form itself would hold; the caller sizes the window.
void buildFromLayout(QWidget* window, FormId f, const ButtonFactory& makeButton,
                     QWidget* client = nullptr);

// The child of `window` that is control `c`, of type T.
template <typename T>
T* child(const QWidget* window, Ctl c) {
    return window->findChild<T*>(qtName(c));
}

// The child of `window` named `name` (a row of the layout table), of type T.
template <typename T>
T* child(const QWidget* window, std::string_view name) {
    return window->findChild<T*>(toQ(name));
}

}  // namespace zm::ui
