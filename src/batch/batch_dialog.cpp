#include "batch/batch_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <array>
#include <string_view>

#include "session/session.h"
#include "ui/layout_build.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {

QAbstractButton* makeButton(const layout::Control& c, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(toQ(c.caption));
    button->setIcon(commandIcon(toQ(c.icon)));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(c.iconPlace == layout::IconPlace::Above
                                   ? Qt::ToolButtonTextUnderIcon
                                   : Qt::ToolButtonTextBesideIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

}  // namespace

BatchDialog::BatchDialog(FormId form, Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_form(form),
      m_session(session) {
    build();
}

void BatchDialog::build() {
    buildFromLayout(this, m_form, makeButton);
    for (const Ctl ctl : batchFields(m_form)) {
        auto* field = child<FieldEdit>(this, ctl);
        connect(field, &FieldEdit::enterPressed, this,
                [this, ctl] { m_session.enterPressed(ctl); });
        connect(field, &FieldEdit::focusGained, this, [this, ctl] { m_session.focusGained(ctl); });
    }
    connect(child<QToolButton>(this, batchOk(m_form)), &QToolButton::clicked, this,
            [this] { m_session.batchOkClick(m_form); });
    connect(child<QToolButton>(this, batchClear(m_form)), &QToolButton::clicked, this,
            [this] { m_session.batchClearClick(m_form); });
}

void BatchDialog::closeEvent(QCloseEvent* event) {
    event->accept();  // hidden, not destroyed: the window model still holds it
}

void BatchDialog::keyPressEvent(QKeyEvent* event) {
    if (!pressFocusedButtonOnEnter(this, event)) {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace zm::ui
