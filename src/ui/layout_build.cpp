#include "ui/layout_build.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <map>
#include <vector>

#include "ui/table_view.h"
#include "ui/widgets.h"

namespace zm::ui {
namespace {

QAbstractButton* makeButton(const layout::Control& c, QWidget* parent) {
    const QIcon icon = commandIcon(toQ(c.icon));
    if (c.iconPlace == layout::IconPlace::Above) {
        auto* button = new QToolButton(parent);
        button->setText(toQ(c.caption));
        button->setIcon(icon);
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setFocusPolicy(Qt::StrongFocus);
        return button;
    }
    auto* button = new QPushButton(icon, toQ(c.caption), parent);
    button->setIconSize(QSize(16, 16));
    // Enter on a field is the field's; Enter on a focused button presses that button.
    button->setAutoDefault(false);
    return button;
}

// The widget of one row, and the gestures it reports.
QWidget* create(const layout::Control& c, QWidget* parent, const GestureSink& sink) {
    const Ctl ctl = c.ctl;
    switch (c.kind) {
        case layout::Kind::Frame:
            return new QGroupBox(toQ(c.caption), parent);
        case layout::Kind::Label: {
            auto* label = new QLabel(toQ(c.caption), parent);
            label->setWordWrap(c.wordWrap);
            if (c.wordWrap) {
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            }
            return label;
        }
        case layout::Kind::Field: {
            auto* field = new FieldEdit(parent);
            field->setAlignment(textAlignment(c.align));
            if (c.readOnly) {
                field->setReadOnly(true);
                setBackground(field, Background::ButtonFace);
                // Results: only the program writes them. They take the focus on a click (to
                // copy a figure) but stay out of the tab chain, which runs through the inputs.
                field->setFocusPolicy(Qt::ClickFocus);
            }
            QObject::connect(field, &FieldEdit::enterPressed, field,
                             [sink, ctl] { sink(ctl, Gesture::Enter); });
            QObject::connect(field, &FieldEdit::focusGained, field,
                             [sink, ctl] { sink(ctl, Gesture::Focus); });
            return field;
        }
        case layout::Kind::Date: {
            auto* date = new DateField(parent);
            if (const auto earliest = QDate::fromString(toQ(c.earliestDate), Qt::ISODate);
                earliest.isValid()) {
                date->setEarliest(earliest);
            }
            QObject::connect(date, &DateField::enterPressed, date,
                             [sink, ctl] { sink(ctl, Gesture::Enter); });
            QObject::connect(date, &DateField::dateEdited, date,
                             [sink, ctl] { sink(ctl, Gesture::DateSet); });
            return date;
        }
        case layout::Kind::List: {
            auto* list = new ListBox(parent);
            QObject::connect(list, &QComboBox::activated, list,
                             [sink, ctl] { sink(ctl, Gesture::Choose); });
            QObject::connect(list, &ListBox::enterPressed, list,
                             [sink, ctl] { sink(ctl, Gesture::Enter); });
            // Leaving the list for another control of the program. The focus going to a message
            // box, the list's own popup or another application is no leaving.
            QObject::connect(
                qApp, &QApplication::focusChanged, list,
                [list, sink, ctl](QWidget* old, QWidget* now) {
                    const auto inList = [list](QWidget* w) {
                        return w == list || list->isAncestorOf(w);
                    };
                    if (old == nullptr || now == nullptr || !inList(old) || inList(now)) {
                        return;
                    }
                    QWidget* top = now->window();
                    if (qobject_cast<QMessageBox*>(top) != nullptr ||
                        top->windowType() == Qt::Popup) {
                        return;
                    }
                    sink(ctl, Gesture::Leave);
                });
            return list;
        }
        case layout::Kind::Option: {
            auto* option = new QRadioButton(toQ(c.caption), parent);
            option->setChecked(c.chosen);
            // Chosen by a click, by the arrow keys or by the program.
            QObject::connect(option, &QRadioButton::toggled, option, [sink, ctl](bool checked) {
                if (checked) {
                    sink(ctl, Gesture::Choose);
                }
            });
            return option;
        }
        case layout::Kind::Check: {
            auto* check = new QCheckBox(toQ(c.caption), parent);
            check->setChecked(c.chosen);
            QObject::connect(check, &QCheckBox::clicked, check,
                             [sink, ctl] { sink(ctl, Gesture::Click); });
            return check;
        }
        case layout::Kind::Button:
            return makeButton(c, parent);
        case layout::Kind::Picture: {
            auto* picture = new PictureLabel(parent);
            picture->setCursor(Qt::PointingHandCursor);
            QObject::connect(picture, &PictureLabel::clicked, picture,
                             [sink, ctl] { sink(ctl, Gesture::Click); });
            return picture;
        }
        case layout::Kind::Line: {
            auto* line = new QFrame(parent);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            return line;
        }
        case layout::Kind::Table: {
            auto* table = new TableView(c.columns, parent);
            QObject::connect(table, &TableView::chosenByUser, table,
                             [sink, ctl] { sink(ctl, Gesture::Choose); });
            QObject::connect(table, &TableView::entered, table,
                             [sink, ctl] { sink(ctl, Gesture::Enter); });
            return table;
        }
        case layout::Kind::Form:
        case layout::Kind::MenuBar:
        case layout::Kind::Menu:
        case layout::Kind::MenuItem:
        case layout::Kind::Separator:
            break;
    }
    return nullptr;
}

// The menu bar, a menu or an item: made on the window's menu bar in table order.
QObject* createMenuRow(const layout::Control& c, QWidget* window, std::map<Ctl, QObject*>& made,
                       const GestureSink& sink) {
    const Ctl ctl = c.ctl;
    QObject* container = c.container ? made[*c.container] : nullptr;
    if (container == nullptr && c.kind != layout::Kind::MenuBar) {
        // A menu row outside any menu is a fault of the layout table: the row is left out, and
        // the window tests report the control missing.
        return nullptr;
    }
    switch (c.kind) {
        case layout::Kind::MenuBar: {
            auto* bar = new QMenuBar(window);
            bar->setFont(songFont(c.pointSize));
            return bar;
        }
        case layout::Kind::Menu: {
            auto* menu = static_cast<QMenuBar*>(container)->addMenu(toQ(c.caption));
            menu->setFont(songFont(c.pointSize));
            return menu;
        }
        case layout::Kind::MenuItem: {
            QAction* item = static_cast<QMenu*>(container)->addAction(toQ(c.caption));
            item->setCheckable(c.checkable);
            item->setChecked(c.chosen);
            item->setEnabled(c.enabled);
            QObject::connect(item, &QAction::triggered, item,
                             [sink, ctl] { sink(ctl, Gesture::Click); });
            return item;
        }
        case layout::Kind::Separator:
            return static_cast<QMenu*>(container)->addSeparator();
        default:
            break;
    }
    return nullptr;
}

// Moves and sizes the controls of a window the user may resize, by their rows' Follow: each
// takes its share of what the window has grown beyond the size in its row.
class FollowResize : public QObject {
public:
    FollowResize(QWidget* area, const layout::Control& form) : QObject(area), m_form(form) {
        area->installEventFilter(this);
    }
    void add(QWidget* w, const layout::Control& row) {
        if (row.follow.moveX != 0 || row.follow.moveY != 0 || row.follow.growX != 0 ||
            row.follow.growY != 0) {
            m_followers.emplace_back(w, &row);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const auto* area = static_cast<QWidget*>(watched);
            const int grownX = area->width() - twips(m_form.width);
            const int grownY = area->height() - twips(m_form.height);
            for (const auto& [w, row] : m_followers) {
                const layout::Follow& f = row->follow;
                QRect r = twipsRect(row->left, row->top, row->width, row->height);
                r.translate(grownX * f.moveX / 100, grownY * f.moveY / 100);
                r.setWidth(r.width() + grownX * f.growX / 100);
                r.setHeight(r.height() + grownY * f.growY / 100);
                w->setGeometry(r);
            }
        }
        return false;
    }

private:
    const layout::Control& m_form;
    std::vector<std::pair<QWidget*, const layout::Control*>> m_followers;
};

bool isMenuRow(layout::Kind kind) {
    return kind == layout::Kind::MenuBar || kind == layout::Kind::Menu ||
           kind == layout::Kind::MenuItem || kind == layout::Kind::Separator;
}

}  // namespace

BuiltControls buildFromLayout(QWidget* window, FormId f, const GestureSink& sink,
                              const WidgetFactory& makeOwn, QWidget* client) {
    const layout::Control& form = layout::form(f);
    window->setObjectName(qtName(form.ctl));
    window->setWindowTitle(toQ(form.caption));
    window->setWindowIcon(commandIcon(toQ(form.icon)));  // every window shows the program's icon
    window->setFont(songFont(form.pointSize));
    QWidget* area = client != nullptr ? client : window;
    FollowResize* follow = nullptr;
    if (form.resizable) {
        // Never smaller than its row; the controls follow its growth.
        area->setMinimumSize(twips(form.width), twips(form.height));
        area->resize(twips(form.width), twips(form.height));
        follow = new FollowResize(area, form);
    } else {
        area->setFixedSize(twips(form.width), twips(form.height));
    }

    BuiltControls built{{form.ctl, window}};
    std::map<Ctl, QObject*> made;
    for (const layout::Control* c : layout::rowsOf(f)) {
        if (c->kind == layout::Kind::Form) {
            continue;
        }
        if (isMenuRow(c->kind)) {
            QObject* object = createMenuRow(*c, window, made, sink);
            if (object == nullptr) {
                continue;
            }
            object->setObjectName(qtName(c->ctl));
            made[c->ctl] = object;
            built.emplace_back(c->ctl, object);
            continue;
        }
        QWidget* parent = c->container ? static_cast<QWidget*>(made[*c->container]) : area;
        QWidget* w = makeOwn ? makeOwn(*c, parent) : nullptr;
        if (w == nullptr) {
            w = create(*c, parent, sink);
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button != nullptr && c->kind == layout::Kind::Button) {
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [sink, ctl = c->ctl] { sink(ctl, Gesture::Click); });
        }
        w->setObjectName(qtName(c->ctl));
        w->setEnabled(c->enabled);
        if (c->pointSize != 0) {
            w->setFont(songFont(c->pointSize));
        }
        if (!c->toolTip.empty()) {
            w->setToolTip(toQ(c->toolTip));
            if (c->kind == layout::Kind::Field || c->kind == layout::Kind::List ||
                c->kind == layout::Kind::Date) {
                w->setAccessibleDescription(toQ(c->toolTip));
            }
        }
        w->setGeometry(twipsRect(c->left, c->top, c->width, c->height));
        if (follow != nullptr) {
            follow->add(w, *c);
        }
        made[c->ctl] = w;
        built.emplace_back(c->ctl, w);
    }
    for (const layout::Control* c : layout::rowsOf(f)) {
        if (!c->buddy) {
            continue;
        }
        auto* buddy = static_cast<QWidget*>(made[*c->buddy]);
        static_cast<QLabel*>(made[c->ctl])->setBuddy(buddy);
        buddy->setAccessibleName(toQ(c->caption).remove(QLatin1Char(' ')));
    }
    QWidget* previous = nullptr;
    for (const layout::Control* c : layout::tabOrder(f)) {
        auto* w = static_cast<QWidget*>(made[c->ctl]);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, w);
        }
        previous = w;
    }
    return built;
}

}  // namespace zm::ui
