#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

#include "layout/layout.h"

class QLabel;

namespace zm {
class Session;
}

namespace zm::ui {

// The program's page is its user guide, installed with it (share/doc/zunmo-calc/user-guide.html
// under the install prefix, the program being in lib/zunmo-calc) or, for a program run from
// the build folder, the copy made there (guide/user-guide.html beside it). The first of the two
// that exists; the installed place when neither does.
QString userGuidePath(const QString& programDirectory);
// The guide of the running program, as the about box's picture opens it.
QUrl userGuideUrl();

// The author's note (Label1), the notice (Label2), and the message shown when no web browser
// could be started for the picture.
QString aboutNote();
QString aboutNotice();
QString browserFailedMessage();

// The about box Form2: the banner picture Image1 (a click opens the user guide in the
// system's web browser), the author's note Label1 (a read-only text that scrolls), a line, the
// notice Label2 and OK (Command1). OK has the focus when the box opens; Tab reaches the note. The
// main window is hidden while it is open; OK and the close box both bring the main window back and
// close this one through the Session.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(Session& session, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    // Opens the program's page; if no browser can be started, says so and where the page is.
    // The about box stays open either way.
    void openHomePage();

    Session& m_session;
    QLabel* m_image = nullptr;
    bool m_imagePressed = false;
};

}  // namespace zm::ui
