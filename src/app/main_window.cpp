#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWindow>
#include <algorithm>
#include <array>
#include <iterator>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

#include "fees/fee_schedule.h"
#include "ui/layout_build.h"
#include "ui/placement.h"
#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "view/messages.h"

namespace zm::ui {
namespace {

// A push button that shows its 16 × 16 icon at the left of its caption. The buttons are only
// 73 pixels wide: a caption too long for one line beside the icon is split into lines of equal
// length (多次/买入) instead of being cut, which a plain QPushButton would do.
class CommandButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        opt.icon = QIcon();
        p.drawControl(QStyle::CE_PushButton, opt);

        const QStringList lines = captionLines();
        const QFontMetrics fm(font());
        int textWidth = 0;
        for (const QString& line : lines) {
            textWidth = std::max(textWidth, fm.horizontalAdvance(line));
        }
        const int lineHeight = fm.height();
        const int textHeight = lineHeight * static_cast<int>(lines.size());
        const QSize iconBox = iconSize();
        const int total = iconBox.width() + kGap + textWidth;
        int x = (width() - total) / 2;
        int shift = 0;
        if (isDown() || isChecked()) {
            shift = style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &opt, this);
        }
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        icon().paint(&p,
                     QRect(QPoint(x + shift, (height() - iconBox.height()) / 2 + shift), iconBox),
                     Qt::AlignCenter, mode);
        x += iconBox.width() + kGap;
        int y = (height() - textHeight) / 2 + shift;
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
        for (const QString& line : lines) {
            p.drawText(QRect(x + shift, y, textWidth, lineHeight), Qt::AlignCenter, line);
            y += lineHeight;
        }
    }

private:
    static constexpr int kGap = 3;

    QStringList captionLines() const {
        const QFontMetrics fm(font());
        const QString caption = text();
        const int room = width() - 6 - iconSize().width() - kGap;
        for (int count = 1; count < caption.size(); ++count) {
            const int perLine = static_cast<int>((caption.size() + count - 1) / count);
            QStringList lines;
            bool fits = true;
            for (qsizetype at = 0; at < caption.size(); at += perLine) {
                lines << caption.mid(at, perLine).trimmed();
                fits = fits && fm.horizontalAdvance(lines.back()) <= room;
            }
            if (fits) {
                return lines;
            }
        }
        return {caption};
    }
};

// Frames in the classic look: the caption sits on the etched line at the top, so the rows keep
// the room the layout gives them below it (a style that puts the caption above the box would
// push its top line through the first row).
QStyle* frameStyle() {
    static QPointer<QStyle> style;
    if (style == nullptr) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style != nullptr) {
            style->setParent(qApp);
        }
    }
    return style.data();
}

QWidget* makeCommandButton(const layout::Control& c, QWidget* parent) {
    if (c.kind != layout::Kind::Button) {
        return nullptr;
    }
    auto* button = new CommandButton(toQ(c.caption), parent);
    button->setIcon(commandIcon(toQ(c.icon)));
    button->setIconSize(QSize(16, 16));
    // Enter on a focused button presses it (as Space does); this window is no dialog, so
    // no button ever answers Enter typed into a field.
    button->setAutoDefault(true);
    button->setDefault(false);
    return button;
}

}  // namespace

MainWindow::MainWindow(GestureSink sink, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_sink(std::move(sink)) {
    // The menu bar stands above the client area, which keeps its size and every control its
    // place; the banner is painted on the client area.
    m_client = new QWidget(this);
    m_client->installEventFilter(this);
    m_controls = buildFromLayout(this, FormId::Form1, m_sink, makeCommandButton, m_client);
    buildFrames();
    m_menuBar = child<QMenuBar>(this, form1::MenuBar);
    const int menuHeight = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, m_client->width(), menuHeight);
    m_client->move(0, menuHeight);
    setFixedSize(m_client->width(), menuHeight + m_client->height());
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::onFocusWindowChanged);
}

MainWindow::~MainWindow() {
    // The window handle goes away inside QWidget's destructor, which changes the focus window;
    // this part of the object is gone by then.
    disconnect(qApp, nullptr, this, nullptr);
}

void MainWindow::buildFrames() {
    for (const layout::Control* c : layout::rowsOf(FormId::Form1)) {
        if (c->kind == layout::Kind::Frame) {
            if (QStyle* style = frameStyle()) {
                child<QGroupBox>(this, c->ctl)->setStyle(style);
            }
        } else if (c->kind == layout::Kind::Label) {
            // A box lower than the font's line would cut the glyphs' feet.
            auto* label = child<QLabel>(this, c->ctl);
            const int line = QFontMetrics(label->font()).height();
            label->resize(label->width(), std::max(label->height(), line));
        } else if (c->kind == layout::Kind::Field) {
            // Figures up to the trade-amount limit are longer than the fields are wide.
            child<FieldEdit>(this, c->ctl)->setKeepTextInView(true);
        }
    }
    auto* combo1 = child<QComboBox>(this, form1::Combo1);
    auto* combo2 = child<QComboBox>(this, form1::Combo2);
    for (const std::string& entry : commissionRateEntries()) {
        combo1->addItem(toQ(entry));
    }
    for (const std::string& entry : stampDutyRateEntries()) {
        combo2->addItem(toQ(entry));
    }
}

void MainWindow::WZ() {
    m_bannerShown = true;
    m_client->update();
}

QWidget* MainWindow::clientArea() const {
    return m_client;
}

QFont MainWindow::bannerFont() const {
    QFont banner = font();
    banner.setPointSizeF(layout::kBanner.pointSize);
    // The banner has the band left of the buy frame; a face wider than 宋体 is made smaller so
    // that the shadow's last glyph does not run under the frame.
    const qreal room =
        twips(layout::find(form1::Frame2)->left) - layout::kBanner.shadowLeft / 15.0 - 4.0;
    const qreal width = QFontMetricsF(banner).horizontalAdvance(toQ(layout::kBanner.text));
    if (width > room) {
        banner.setPointSizeF(layout::kBanner.pointSize * room / width);
    }
    return banner;
}

QRect MainWindow::keptClearOfDialogs() const {
    return std::accumulate(layout::kKeptClearOfDialogs.begin(), layout::kKeptClearOfDialogs.end(),
                           QRect(), [this](QRect kept, Ctl frame) {
                               if (const auto* box = child<QGroupBox>(this, frame)) {
                                   kept |= QRect(box->mapToGlobal(QPoint(0, 0)), box->size());
                               }
                               return kept;
                           });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Paint) {
        paintBanner();
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::paintBanner() {
    if (!m_bannerShown) {
        return;
    }
    // The client area's surface is cleared by Qt before every paint; drawing the banner here
    // keeps it across every repaint. Positions are the text's top-left corner, in twips.
    QPainter painter(m_client);
    const QFont banner = bannerFont();
    painter.setFont(banner);
    const qreal ascent = QFontMetricsF(banner).ascent();
    const layout::Banner& b = layout::kBanner;
    const QString text = toQ(b.text);
    painter.setPen(QColor(b.shadowColour.r, b.shadowColour.g, b.shadowColour.b));
    painter.drawText(QPointF(b.shadowLeft / 15.0, b.shadowTop / 15.0 + ascent), text);
    painter.setPen(QColor(b.colour.r, b.colour.g, b.colour.b));
    painter.drawText(QPointF(b.textLeft / 15.0, b.textTop / 15.0 + ascent), text);
}

void MainWindow::showEvent(QShowEvent* event) {
    // Once: where the window does not fit the screen (a small screen at a high scaling), its
    // title bar and input fields are kept on it. Later showings (after the about box) leave the
    // window where the user has put it.
    if (!m_placed) {
        m_placed = true;
        keepTitleBarOnScreen(this);
    }
    QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box: the engine unloads all four windows and ends the program.
    event->accept();
    m_sink(form1::Form1, Gesture::Close);
}

MainWindow::Previous MainWindow::classify(QWindow* window) const {
    if (window == windowHandle()) {
        return Previous::Form1;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window) {
            continue;
        }
        if (qobject_cast<QMessageBox*>(top) != nullptr) {
            return Previous::MessageBox;
        }
        // A window of the program whose row says that coming back from it activates Form1.
        const bool own = std::ranges::any_of(layout::controls(), [top](const auto& form) {
            return form.kind == layout::Kind::Form && form.returnActivatesMain &&
                   top->objectName() == qtName(form.ctl);
        });
        return own ? Previous::OwnWindow : Previous::Other;
    }
    return Previous::Other;
}

void MainWindow::onFocusWindowChanged(QWindow* window) {
    // No window of the program has the focus: another application has it. (The platforms
    // bridge the moment between two of the program's own windows, so this is no such step.)
    if (window == nullptr) {
        m_lastActive = Previous::Other;
        return;
    }
    const Previous now = classify(window);
    const Previous before = m_lastActive;
    m_lastActive = now;
    // Form1's activate event: first showing, or a return from the about box or a batch dialog.
    // A message box closing must leave the focus where the refusal put it; a drop-down list's
    // popup or a tool tip is no return either.
    if (now == Previous::Form1 && (before == Previous::Nothing || before == Previous::OwnWindow)) {
        m_sink(form1::Form1, Gesture::Activate);
    }
}

}  // namespace zm::ui
