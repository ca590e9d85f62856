#include "about/about_box.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "view/messages.h"

namespace zm::ui {
namespace {

constexpr QSize kBannerSize(210, 90);
constexpr int kNoteLineHeightPercent = 135;

const layout::Control& row(Ctl c) {
    return *layout::find(c);
}

QRect rectOf(Ctl ctl) {
    const layout::Control& c = row(ctl);
    return twipsRect(c.left, c.top, c.width, c.height);
}

// Drawn at the screen's resolution (`ratio` device pixels to a logical pixel), so that the
// picture stays sharp on a scaled desktop instead of being blown up.
QPixmap bannerPixmap(qreal ratio) {
    QImage image((QSizeF(kBannerSize) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/about/banner.svg"));
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(kBannerSize)));
    painter.end();
    return QPixmap::fromImage(image);
}

// Lines a third of a line apart and paragraphs set off by half a line more, which the dense
// Chinese lines need to be read comfortably.
void setNoteSpacing(QTextEdit* note) {
    QTextBlockFormat spacing;
    spacing.setLineHeight(kNoteLineHeightPercent, QTextBlockFormat::ProportionalHeight);
    spacing.setBottomMargin(QFontMetricsF(note->font()).height() / 2);
    QTextCursor cursor(note->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(spacing);
    note->moveCursor(QTextCursor::Start);
}

}  // namespace

QString aboutNote() {
    return toQ(row(form2::Label1).caption);
}

QString aboutNotice() {
    return toQ(row(form2::Label2).caption);
}

QString userGuidePath(const QString& programDirectory) {
    const QDir program(programDirectory);
    QString installed = QDir::cleanPath(
        program.filePath(QStringLiteral("../../share/doc/zunmo-calc/user-guide.html")));
    QString built = QDir::cleanPath(program.filePath(QStringLiteral("guide/user-guide.html")));
    if (!QFileInfo::exists(installed) && QFileInfo::exists(built)) {
        return built;
    }
    return installed;
}

QUrl userGuideUrl() {
    return QUrl::fromLocalFile(userGuidePath(QCoreApplication::applicationDirPath()));
}

std::vector<QStringList> fallbackBrowsers(const QString& page, const QString& browser) {
    std::vector<QStringList> commands;
    for (const QString& entry : browser.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        QStringList words = QProcess::splitCommand(entry);
        if (words.isEmpty()) {
            continue;
        }
        const bool placed = std::any_of(words.begin(), words.end(), [](const QString& w) {
            return w.contains(QStringLiteral("%s"));
        });
        for (QString& w : words) {
            w.replace(QStringLiteral("%s"), page);
        }
        if (!placed) {
            words.append(page);
        }
        commands.push_back(words);
    }
    commands.push_back({QStringLiteral("sensible-browser"), page});
    commands.push_back({QStringLiteral("x-www-browser"), page});
    return commands;
}

namespace {

// How long the desktop's opener may take to say whether a browser took the page. One that keeps
// running past it has handed the page to a browser that stays in front of it (xdg-open waits for
// some browsers to close).
constexpr int kOpenerPatienceMs = 2000;

// The desktop's own way to open a page, xdg-open, run where it is installed: true when it hands
// the page on; false when it is missing, or ends with a failure (it found no browser).
bool openWithDesktopOpener(const QUrl& page) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return false;
    }
    // Never deleted while it runs: deleting a QProcess ends its process, and with it the browser
    // that xdg-open may be waiting for.
    auto* run = new QProcess;
    QObject::connect(run, &QProcess::finished, run, &QObject::deleteLater);
    QObject::connect(run, &QProcess::errorOccurred, run, &QObject::deleteLater);
    run->start(opener, {page.toString()});
    if (!run->waitForStarted()) {
        return false;
    }
    if (!run->waitForFinished(kOpenerPatienceMs)) {
        return true;
    }
    return run->exitStatus() == QProcess::NormalExit && run->exitCode() == 0;
}

}  // namespace

bool openInBrowser(const QUrl& page) {
    if (openWithDesktopOpener(page)) {
        return true;
    }
    const QString browser = qEnvironmentVariable("BROWSER");
    for (QStringList command : fallbackBrowsers(page.toLocalFile(), browser)) {
        const QString program = QStandardPaths::findExecutable(command.takeFirst());
        // Started from an argument list, never through a shell.
        if (!program.isEmpty() && QProcess::startDetached(program, command)) {
            return true;
        }
    }
    return false;
}

AboutBox::AboutBox(GestureSink sink, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_sink(std::move(sink)) {
    m_controls = buildFromLayout(
        this, FormId::Form2, m_sink, [](const layout::Control& c, QWidget* in) -> QWidget* {
            if (c.ctl == form2::Label1) {
                // The note is longer than its box: a read-only text view that scrolls. It takes the
                // focus by Tab or a click, after OK, so that the keyboard scrolls it too (arrow
                // keys, Page Up and Page Down, Home, End), and its text can be selected and copied.
                auto* note = new QTextEdit(in);
                note->setReadOnly(true);
                note->setTextInteractionFlags(Qt::TextSelectableByMouse);
                note->setFocusPolicy(Qt::StrongFocus);
                note->setTabChangesFocus(true);
                note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                note->setAccessibleName(QStringLiteral("作者的话"));
                // On the window's own background, as the other texts of the box.
                QPalette palette = note->palette();
                palette.setColor(QPalette::Base, palette.color(QPalette::Window));
                note->setPalette(palette);
                return note;
            }
            if (c.ctl == form2::Command1) {
                auto* ok = new QToolButton(in);
                ok->setText(toQ(c.caption));
                ok->setIcon(commandIcon(toQ(c.icon)));
                ok->setIconSize(QSize(16, 16));
                ok->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
                ok->setFocusPolicy(Qt::StrongFocus);
                return ok;
            }
            return nullptr;
        });
    finish();
}

void AboutBox::finish() {
    auto* image = child<QLabel>(this, form2::Image1);
    image->setPixmap(bannerPixmap(devicePixelRatioF()));

    auto* line = child<QFrame>(this, form2::Line1);
    const layout::Control& lineRow = row(form2::Line1);
    line->setGeometry(twips(lineRow.left), twips(lineRow.top) - 1, twips(lineRow.width), 3);

    // Form load: the two texts.
    auto* note = child<QTextEdit>(this, form2::Label1);
    note->setPlainText(aboutNote());
    setNoteSpacing(note);
    auto* notice = child<QLabel>(this, form2::Label2);
    notice->setTextFormat(Qt::PlainText);
    // OK has the focus when the box opens; Tab goes on to the note and back.
    auto* ok = child<QToolButton>(this, form2::Command1);
    setFocusProxy(ok);
    ok->setFocus();
    // The notice has its line in 宋体; a taller face gets the room down to the button.
    const QRect box = rectOf(form2::Label2);
    const int room = ok->geometry().top() - box.top() - 2;
    notice->setGeometry(box.left(), box.top(), box.width(),
                        qBound(box.height(), notice->heightForWidth(box.width()), room));
}

void AboutBox::closeEvent(QCloseEvent* event) {
    // The close box does what OK does, so the program never runs without a visible window.
    m_sink(form2::Form2, Gesture::Close);
    event->setAccepted(!isVisible());
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
    if (pressFocusedButtonOnEnter(this, event)) {
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        m_sink(form2::Form2, Gesture::Close);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zm::ui
