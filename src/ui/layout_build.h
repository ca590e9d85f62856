#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/layout.h"
#include "ui/qt_text.h"
#include "view/gesture.h"

namespace zm::ui {

// Where the windows send every gesture of the user: the session's one entry.
using GestureSink = std::function<void(Ctl, Gesture)>;

// Makes the widget of a row the window makes its own way (its buttons, a picture), or returns
// nullptr for the builder's own widget of that kind.
using WidgetFactory = std::function<QWidget*(const layout::Control&, QWidget* parent)>;

// The Qt object each row of a window became: widgets, and the menus and items of a menu bar
// (QAction). The window's own row is the window.
using BuiltControls = std::vector<std::pair<Ctl, QObject*>>;

// Gives the window its title, icon, font and fixed size from its row, then creates its controls
// from theirs, in table order: frames as QGroupBox, labels as QLabel (with their buddy, whose
// accessible name is the label's caption without the blanks that spread it), fields as FieldEdit
// (results read-only on the button face, out of the tab chain), lists as ListBox, options as
// QRadioButton, date fields as DateField, buttons as QPushButton (QToolButton with the icon above
// the caption), pictures as a clickable QLabel, lines as a sunken QFrame, the menu bar as
// QMenuBar with its menus and items — each with its objectName, geometry, caption, tool tip and
// font — then the tab chain. Every control reports its kind's gestures to `sink`: Enter and Focus
// of fields, Enter and DateSet of date fields, Choose, Enter and Leave of lists, Choose of options,
// Click of buttons, pictures and menu items. With a `client` widget (the main window's area below
// its menu bar), that widget takes the form's size and the controls the form itself would hold;
// the caller sizes the window.
BuiltControls buildFromLayout(QWidget* window, FormId f, const GestureSink& sink,
                              const WidgetFactory& makeOwn = {}, QWidget* client = nullptr);

// The child of `window` that is control `c`, of type T.
template <typename T>
T* child(const QWidget* window, Ctl c) {
    return window->findChild<T*>(qtName(c));
}

}  // namespace zm::ui
