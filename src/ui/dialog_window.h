#pragma once

#include <QWidget>

#include "ui/layout_build.h"

namespace zm::ui {

// Every window of the program but the main window and the about box: the batch dialogs (Form3,
// Form4) and the dialogs of the menus, each built from its layout rows. It keeps no state of its
// own: every gesture goes to the session, which writes the window and shows, hides or unloads it
// through the window model. Its close box, and Esc where its row says so, report Close and
// leave the window as it is until the session acts; Enter on a focused button presses it.
class DialogWindow : public QWidget {
    Q_OBJECT
public:
    DialogWindow(FormId form, GestureSink sink, QWidget* parent);

    FormId formId() const { return m_form; }
    const BuiltControls& controls() const { return m_controls; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    FormId m_form;
    GestureSink m_sink;
    BuiltControls m_controls;
};

}  // namespace zm::ui
