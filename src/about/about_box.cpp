#include "about/about_box.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
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
#include <QSvgRenderer>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

#include "fees/messages.h"
#include "session/session.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"

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

QString browserFailedMessage() {
    return toQ(msg::kBrowserFailed).arg(userGuideUrl().toLocalFile());
}

AboutBox::AboutBox(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_session(session) {
    const layout::Control& form = layout::form(FormId::Form2);
    setObjectName(qtName(form.ctl));
    setWindowTitle(toQ(form.caption));
    setWindowIcon(commandIcon(toQ(form.icon)));  // every window shows the program's icon
    setFont(songFont(form.pointSize));
    setFixedSize(twips(form.width), twips(form.height));
    build();
}

void AboutBox::build() {
    m_image = new QLabel(this);
    m_image->setObjectName(qtName(form2::Image1));
    m_image->setGeometry(rectOf(form2::Image1));
    m_image->setPixmap(bannerPixmap(devicePixelRatioF()));
    m_image->setCursor(Qt::PointingHandCursor);
    m_image->setToolTip(userGuideUrl().toLocalFile());
    m_image->installEventFilter(this);

    // The note is longer than its box: a read-only text view that scrolls. It takes the focus by
    // Tab or a click, after OK, so that the keyboard scrolls it too (arrow keys, Page Up and Page
    // Down, Home, End), and its text can be selected and copied (Ctrl+A, Ctrl+C).
    auto* note = new QTextEdit(this);
    note->setObjectName(qtName(form2::Label1));
    note->setGeometry(rectOf(form2::Label1));
    note->setFont(songFont(row(form2::Label1).pointSize));
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

    auto* line = new QFrame(this);
    line->setObjectName(qtName(form2::Line1));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    const layout::Control& lineRow = row(form2::Line1);
    line->setGeometry(twips(lineRow.left), twips(lineRow.top) - 1, twips(lineRow.width), 3);

    auto* notice = new QLabel(this);
    notice->setObjectName(qtName(form2::Label2));
    notice->setFont(songFont(row(form2::Label2).pointSize));
    notice->setTextFormat(Qt::PlainText);
    notice->setWordWrap(row(form2::Label2).wordWrap);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QToolButton(this);
    const layout::Control& okRow = row(form2::Command1);
    ok->setObjectName(qtName(okRow.ctl));
    ok->setText(toQ(okRow.caption));
    ok->setFont(songFont(okRow.pointSize));
    ok->setIcon(commandIcon(toQ(okRow.icon)));
    ok->setIconSize(QSize(16, 16));
    ok->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ok->setFocusPolicy(Qt::StrongFocus);
    ok->setGeometry(rectOf(form2::Command1));
    connect(ok, &QToolButton::clicked, this, [this] { m_session.aboutOkClick(); });
    // OK has the focus when the box opens; Tab goes on to the note and back.
    setFocusProxy(ok);
    setTabOrder(ok, note);
    ok->setFocus();

    // Form load: the two texts.
    note->setPlainText(aboutNote());
    setNoteSpacing(note);
    notice->setText(aboutNotice());
    // The notice has its line in 宋体; a taller face gets the room down to the button.
    const QRect box = rectOf(form2::Label2);
    const int room = ok->geometry().top() - box.top() - 2;
    notice->setGeometry(box.left(), box.top(), box.width(),
                        qBound(box.height(), notice->heightForWidth(box.width()), room));
}

void AboutBox::openHomePage() {
    if (!QDesktopServices::openUrl(userGuideUrl())) {
        m_session.ui().showMessage(fromQ(browserFailedMessage()));
    }
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_image) {
        return QWidget::eventFilter(watched, event);
    }
    // A click: the left button pressed and released on the picture.
    if (event->type() == QEvent::MouseButtonPress) {
        m_imagePressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        return m_imagePressed;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = m_imagePressed && mouse->button() == Qt::LeftButton &&
                           m_image->rect().contains(mouse->position().toPoint());
        m_imagePressed = false;
        if (click) {
            openHomePage();
        }
        return click;
    }
    return QWidget::eventFilter(watched, event);
}

void AboutBox::closeEvent(QCloseEvent* event) {
    // The close box does what OK does, so the program never runs without a visible window.
    event->accept();
    m_session.aboutOkClick();
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
    if (!pressFocusedButtonOnEnter(this, event)) {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace zm::ui
