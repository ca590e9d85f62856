#include "ui/dialog_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <utility>

#include "ui/widgets.h"

namespace zm::ui {

DialogWindow::DialogWindow(FormId form, GestureSink sink, QWidget* parent)
    : QWidget(parent, layout::form(form).resizable ? kResizableDialog : kFixedDialog),
      m_form(form),
      m_sink(std::move(sink)) {
    m_controls = buildFromLayout(this, form, m_sink);
    if (layout::form(form).modal) {
        setWindowModality(Qt::ApplicationModal);
    }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The session hides or unloads the window, or keeps it open.
    m_sink(formControl(m_form), Gesture::Close);
    event->setAccepted(!isVisible());
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (pressFocusedButtonOnEnter(this, event)) {
        return;
    }
    if (event->key() == Qt::Key_Escape && layout::form(m_form).escCloses) {
        event->accept();
        m_sink(formControl(m_form), Gesture::Close);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zm::ui
