#include "support/qt_message_watcher.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>

#include "layout/layout.h"
#include "ui/qt_text.h"

namespace zm::test {

QtMessageWatcher::QtMessageWatcher(QObject* parent) : QObject(parent) {
    connect(&m_timer, &QTimer::timeout, this, &QtMessageWatcher::poll);
    m_timer.start(10);
}

QtMessageWatcher::~QtMessageWatcher() {
    for (const QString& text : m_expected) {
        ADD_FAILURE() << "expected message box never came: " << text.toStdString();
    }
}

void QtMessageWatcher::expect(std::string_view text) {
    m_expected.push_back(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QtMessageWatcher::typeFolder(std::string_view path) {
    m_folders.push_back(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

void QtMessageWatcher::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    // The program's own modal dialogs (the rules dialogs) stay for the test to work them.
    for (const layout::Control& row : layout::controls()) {
        if (row.kind == layout::Kind::Form && row.modal &&
            modal->objectName() == ui::qtName(row.ctl)) {
            return;
        }
    }
    if (auto* folders = qobject_cast<QFileDialog*>(modal)) {
        auto* typed = folders->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (m_folders.empty() || typed == nullptr || m_folders.front().isEmpty()) {
            if (m_folders.empty() || typed == nullptr) {
                ADD_FAILURE() << "unexpected file dialog " << folders->windowTitle().toStdString();
            } else {
                m_folders.pop_front();
            }
            folders->reject();
            return;
        }
        typed->setText(m_folders.front());
        m_folders.pop_front();
        static_cast<QDialog*>(folders)->accept();  // as the dialog's button does
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        ADD_FAILURE() << "unexpected modal window " << modal->objectName().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        return;
    }
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    m_seen.push_back({box->windowTitle(), box->text(), box->icon(),
                      static_cast<int>(box->buttons().size()),
                      ok != nullptr ? ok->text() : QString()});
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message box: " << box->text().toStdString();
    } else {
        EXPECT_EQ(box->text().toStdString(), m_expected.front().toStdString());
        m_expected.pop_front();
    }
    QAbstractButton* yes = box->button(QMessageBox::Yes);
    QAbstractButton* no = box->button(QMessageBox::No);
    if (yes != nullptr && no != nullptr) {
        const bool agree = !m_answers.empty() && m_answers.front();
        if (m_answers.empty()) {
            ADD_FAILURE() << "no answer for the question: " << box->text().toStdString();
        } else {
            m_answers.pop_front();
        }
        (agree ? yes : no)->click();
    } else if (ok != nullptr) {
        ok->click();
    } else {
        box->reject();
    }
}

}  // namespace zm::test
