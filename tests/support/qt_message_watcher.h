#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <string_view>
#include <vector>

namespace zm::test {

// Watches for modal windows while a window test runs. Each message box is recorded (title,
// text, icon) and answered with OK, a question with the answer given by answer() (否 when none
// was); a box whose text was not announced with expect() fails the test. A folder dialog gets
// the path given by typeFolder() typed and accepted. Any other modal window but the program's
// own modal dialogs (which is closed), or a dialog nobody prepared, fails the test, so that a
// suite never hangs on a box nobody presses.
class QtMessageWatcher : public QObject {
    Q_OBJECT
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
        QString okText;  // the caption of its OK button, empty without one
    };

    explicit QtMessageWatcher(QObject* parent = nullptr);
    // Fails the test when an announced box never came.
    ~QtMessageWatcher() override;

    // The next box must show exactly this text.
    void expect(std::string_view text);
    // The next question is answered 是 (true) or 否.
    void answer(bool yes) { m_answers.push_back(yes); }
    // The next folder dialog gets this path typed; an empty one cancels it.
    void typeFolder(std::string_view path);
    const std::vector<Seen>& seen() const { return m_seen; }
    // Announced boxes that have not come (yet).
    std::size_t pending() const { return m_expected.size(); }

private:
    void poll();

    QTimer m_timer;
    std::deque<QString> m_expected;
    std::deque<bool> m_answers;
    std::deque<QString> m_folders;
    std::vector<Seen> m_seen;
};

}  // namespace zm::test
