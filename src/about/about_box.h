#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <vector>

#include "layout/layout.h"
#include "ui/layout_build.h"

namespace zm::ui {

// The program's page is its user guide, installed with it (share/doc/zunmo-calc/user-guide.html
// under the install prefix, the program being in lib/zunmo-calc) or, for a program run from
// the build folder, the copy made there (guide/user-guide.html beside it). The first of the two
// that exists; the installed place when neither does.
QString userGuidePath(const QString& programDirectory);
// The guide of the running program, as the about box's picture opens it.
QUrl userGuideUrl();

// The commands that may show a page in a web browser where the desktop's own way (xdg-open) is
// missing or finds no browser, in the order they are tried: each entry of `browser`
// (the BROWSER variable: commands separated by colons, "%s" standing for the page, else the page
// last), then sensible-browser and x-www-browser (Debian's alternatives). Each is the program
// and its arguments.
std::vector<QStringList> fallbackBrowsers(const QString& page, const QString& browser);
// Opens a local page: with xdg-open, else with the first fallback browser that is installed and
// starts. False when none did: xdg-open is missing or failed, and no fallback is installed.
bool openInBrowser(const QUrl& page);

// The author's note (Label1) and the notice (Label2).
QString aboutNote();
QString aboutNotice();

// The about box Form2: the banner picture Image1 (a click opens the user guide in the
// system's web browser), the author's note Label1 (a read-only text that scrolls), a line, the
// notice Label2 and OK (Command1). OK has the focus when the box opens; Tab reaches the note. The
// main window is hidden while it is open; OK, the close box and Esc all bring the main window back
// and close this one through the session.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    explicit AboutBox(GestureSink sink, QWidget* parent = nullptr);

    const BuiltControls& controls() const { return m_controls; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void finish();

    GestureSink m_sink;
    BuiltControls m_controls;
};

}  // namespace zm::ui
