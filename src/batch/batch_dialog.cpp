#include "batch/batch_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <array>
#include <string_view>

#include "input/session.h"
#include "ui/layout_build.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {

// The six fields; the names outlive every call into the engine.
constexpr std::array<std::string_view, 6> kFields = {"Text1", "Text2", "Text3",
                                                     "Text4", "Text5", "Text6"};

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
    for (std::string_view name : kFields) {
        auto* field = child<FieldEdit>(this, name);
        const Ctl ctl{m_form, name};
        connect(field, &FieldEdit::enterPressed, this,
                [this, ctl] { m_session.enterPressed(ctl); });
        connect(field, &FieldEdit::focusGained, this, [this, ctl] { m_session.focusGained(ctl); });
    }
    connect(child<QToolButton>(this, "Command1"), &QToolButton::clicked, this,
            [this] { m_session.batchOkClick(m_form); });
    connect(child<QToolButton>(this, "Command2"), &QToolButton::clicked, this,
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
