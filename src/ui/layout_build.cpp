#include "ui/layout_build.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "ui/widgets.h"

namespace zm::ui {
namespace {

Qt::Alignment alignment(layout::Align align) {
    switch (align) {
        case layout::Align::Center:
            return Qt::AlignCenter;
        case layout::Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case layout::Align::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QWidget* create(const layout::Control& c, QWidget* parent, const ButtonFactory& makeButton) {
    switch (c.kind) {
        case layout::Kind::Frame:
            return new QGroupBox(toQ(c.caption), parent);
        case layout::Kind::Label:
            return new QLabel(toQ(c.caption), parent);
        case layout::Kind::Field: {
            auto* field = new FieldEdit(parent);
            field->setAlignment(alignment(c.align));
            if (c.readOnly) {
                field->setReadOnly(true);
                setBackground(field, Background::ButtonFace);
            }
            return field;
        }
        case layout::Kind::List: {
            auto* list = new QComboBox(parent);
            list->setEditable(false);
            return list;
        }
        case layout::Kind::Option: {
            auto* option = new QRadioButton(toQ(c.caption), parent);
            option->setChecked(c.chosen);
            return option;
        }
        case layout::Kind::Button:
            return makeButton(c, parent);
        case layout::Kind::Form:
        case layout::Kind::Picture:
        case layout::Kind::Line:
            break;
    }
    return nullptr;
}

}  // namespace

void buildFromLayout(QWidget* window, FormId f, const ButtonFactory& makeButton, QWidget* client) {
    const layout::Control& form = layout::form(f);
    window->setObjectName(qtName(form.ctl));
    window->setWindowTitle(toQ(form.caption));
    window->setWindowIcon(commandIcon(toQ(form.icon)));  // every window shows the program's icon
    window->setFont(songFont(form.pointSize));
    QWidget* area = client != nullptr ? client : window;
    area->setFixedSize(twips(form.width), twips(form.height));

    for (const layout::Control& c : layout::controls()) {
        if (c.form() != f || c.kind == layout::Kind::Form) {
            continue;
        }
        QWidget* parent = c.container.empty() ? area : child<QWidget>(window, c.container);
        QWidget* w = create(c, parent, makeButton);
        if (w == nullptr) {
            continue;
        }
        w->setObjectName(qtName(c.ctl));
        if (c.pointSize != 0) {
            w->setFont(songFont(c.pointSize));
        }
        if (!c.toolTip.empty()) {
            w->setToolTip(toQ(c.toolTip));
            if (c.kind == layout::Kind::Field || c.kind == layout::Kind::List) {
                w->setAccessibleDescription(toQ(c.toolTip));
            }
        }
        w->setGeometry(twipsRect(c.left, c.top, c.width, c.height));
    }
    for (const layout::Control& c : layout::controls()) {
        if (c.form() != f || c.buddy.empty()) {
            continue;
        }
        QWidget* buddy = child<QWidget>(window, c.buddy);
        child<QLabel>(window, c.ctl)->setBuddy(buddy);
        buddy->setAccessibleName(toQ(c.caption).remove(QLatin1Char(' ')));
    }
    QWidget* previous = nullptr;
    for (const layout::Control* c : layout::tabOrder(f)) {
        QWidget* w = child<QWidget>(window, c->ctl);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, w);
        }
        previous = w;
    }
}

}  // namespace zm::ui
