#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace zm {
class Session;
}

namespace zm::ui {

// The page where the program is published; the about box's picture opens it.
inline constexpr char kHomePageUrl[] = "https://zunmo-calc.example.org/";

// The author's note (Label1), the notice (Label2), and the message shown when no web browser
// could be started for the picture.
QString aboutNote();
QString aboutNotice();
QString browserFailedMessage();

// The about box Form2: the banner picture Image1 (a click opens the program's page in the
// system's web browser), the author's note Label1 (a read-only text that scrolls), a line, the
// notice Label2 and OK (Command1). OK has the focus when the box opens; Tab reaches the note. The main window is hidden while it is open; OK and the
// close box both bring the main window back and close this one through the Session.
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
