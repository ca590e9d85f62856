#include "about/about_box.h"

#include <QCloseEvent>
#include <QDesktopServices>
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

#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "input/session.h"

namespace zm::ui {
namespace {

constexpr double kTextPointSize = 12;
constexpr double kButtonPointSize = 14.25;
constexpr QSize kBannerSize(210, 90);
constexpr int kNoteLineHeightPercent = 135;

// Paragraphs are set apart by line breaks and indented with full-width blanks; the signature is
// pushed to the right the same way.
constexpr char kNote[] =
    "各位股友：\n"
    "　　你们好！我是一名普通的散户，平时用自己攒下的一点积蓄买卖A股。每次下单之前，我都想先弄明"
    "白这笔交易到底要花多少钱：佣金多少，印花税多少，上海的股票还有过户费；佣金不足5元要按5元收，"
    "过户费不足1元也要按1元收。可是我试遍了手头的炒股软件和网上的计算器，没有一个能在下单之前把一"
    "笔买卖的各项费用一一列出来，更说不清股价要涨到多少才能保本。券商的交割单倒是列得清清楚楚，可"
    "那已经是成交以后的事了。\n"
    "　　于是我自己动手，写了这个小小的计算器。它按照A股的收费规则，把买入和卖出的每一项费用、成本"
    "价、保本价、付出和收回的金额、盈亏和收益率都事先算给你看，送股、分红和分几批成交的买卖也能算"
    "。有了它，下单之前就能把账算得明明白白。\n"
    "　　它是写给和我一样的普通投资者的：钱来得不容易，每一分费用都应该心中有数。如果发现算得不对，"
    "或者有什么好的建议，欢迎写信告诉我，我会尽快改进。\n"
    "　　祝大家投资顺利，身体健康，天天开心！\n"
    "　　　　　　　　　　　　　　　　Zunmo";

constexpr char kNotice[] = "本软件发布在zunmo-calc.example.org网站，点击上方的图片即可前往。";

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
    return QString::fromUtf8(kNote);
}

QString aboutNotice() {
    return QString::fromUtf8(kNotice);
}

QString browserFailedMessage() {
    // In the pattern of the program's other messages, seven blanks included.
    return QStringLiteral("无法启动网页浏览器，请在浏览器中打开本程序的网页：%1       ")
        .arg(QLatin1String(kHomePageUrl));
}

AboutBox::AboutBox(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_session(session) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("关于股票交易费用Zunmo计算器"));
    setWindowIcon(commandIcon(QStringLiteral("app")));  // every window shows the program's icon
    setFont(songFont(kTextPointSize));
    setFixedSize(twips(6015), twips(7215));
    build();
}

void AboutBox::build() {
    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(twipsRect(1440, 240, 3150, 1350));
    m_image->setPixmap(bannerPixmap(devicePixelRatioF()));
    m_image->setCursor(Qt::PointingHandCursor);
    m_image->setToolTip(QString::fromLatin1(kHomePageUrl));
    m_image->installEventFilter(this);

    // The note is longer than its box: a read-only text view that scrolls. It takes the focus by
    // Tab or a click, after OK, so that the keyboard scrolls it too (arrow keys, Page Up and Page
    // Down, Home, End), and its text can be selected and copied (Ctrl+A, Ctrl+C).
    auto* note = new QTextEdit(this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setGeometry(twipsRect(360, 1800, 5295, 3615));
    note->setFont(songFont(kTextPointSize));
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
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twips(360), twips(5520) - 1, twips(5640 - 360), 3);

    auto* notice = new QLabel(this);
    notice->setObjectName(QStringLiteral("Label2"));
    notice->setFont(songFont(kTextPointSize));
    notice->setTextFormat(Qt::PlainText);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QToolButton(this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setText(QStringLiteral("确 定"));
    ok->setFont(songFont(kButtonPointSize));
    ok->setIcon(commandIcon(QStringLiteral("ok")));
    ok->setIconSize(QSize(16, 16));
    ok->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ok->setFocusPolicy(Qt::StrongFocus);
    ok->setGeometry(twipsRect(2400, 6360, 1215, 615));
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
    const QRect box = twipsRect(360, 5640, 5295, 495);
    const int room = ok->geometry().top() - box.top() - 2;
    notice->setGeometry(box.left(), box.top(), box.width(),
                        qBound(box.height(), notice->heightForWidth(box.width()), room));
}

void AboutBox::openHomePage() {
    if (!QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePageUrl)))) {
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
