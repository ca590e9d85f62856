#include "batch/batch_dialog.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <array>
#include <string_view>

#include "ui/qt_text.h"
#include "ui/widgets.h"
#include "input/session.h"

namespace zm::ui {
namespace {

constexpr double kPointSize = 12;

// The six fields, two per frame; the names outlive every call into the engine.
constexpr std::array<std::string_view, 6> kFields = {"Text1", "Text2", "Text3",
                                                     "Text4", "Text5", "Text6"};
constexpr std::array<int, 3> kFrameLefts = {120, 3360, 6600};

struct Texts {
    const char* caption;
    std::array<const char*, 3> frames;
    const char* priceCaption;
    const char* quantityCaption;
};

constexpr Texts kBuyTexts{
    "Zunmo算股多批买入", {"第一批买入", "第二批买入", "第三批买入"}, "买入价格", "买入数量"};
constexpr Texts kSellTexts{
    "Zunmo算股多批卖出", {"第一批卖出", "第二批卖出", "第三批卖出"}, "卖出价格", "卖出数量"};

QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QLabel* makeLabel(QWidget* parent, int index, const char* text, QRect geometry) {
    auto* label = new QLabel(q(text), parent);
    label->setObjectName(QStringLiteral("Label1_%1").arg(index));
    label->setGeometry(geometry);
    return label;
}

QToolButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* icon,
                        QRect geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(q(name));
    button->setText(q(caption));
    button->setIcon(commandIcon(q(icon)));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

BatchDialog::BatchDialog(FormId form, Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_form(form),
      m_session(session) {
    const Texts& t = form == FormId::Form4 ? kBuyTexts : kSellTexts;
    setObjectName(form == FormId::Form4 ? QStringLiteral("Form4") : QStringLiteral("Form3"));
    setWindowTitle(q(t.caption));
    setWindowIcon(commandIcon(QStringLiteral("app")));  // every window shows the program's icon
    setFont(songFont(kPointSize));
    setFixedSize(twips(9870), twips(2760));
    build();
}

void BatchDialog::build() {
    const Texts& t = m_form == FormId::Form4 ? kBuyTexts : kSellTexts;
    QWidget* previous = nullptr;
    for (int frameIndex = 0; frameIndex < 3; ++frameIndex) {
        const auto i = static_cast<std::size_t>(frameIndex);
        auto* frame = new QGroupBox(q(t.frames[i]), this);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(frameIndex));
        frame->setGeometry(twipsRect(kFrameLefts[i], 120, 3135, 1575));

        const int label = 4 * frameIndex;
        makeLabel(frame, label, t.priceCaption, twipsRect(240, 480, 960, 240));
        makeLabel(frame, label + 1, "元", twipsRect(2640, 480, 240, 240));
        makeLabel(frame, label + 2, t.quantityCaption, twipsRect(240, 1080, 960, 240));
        makeLabel(frame, label + 3, "股", twipsRect(2640, 1080, 240, 240));

        for (int row = 0; row < 2; ++row) {
            const std::string_view name = kFields[2 * i + static_cast<std::size_t>(row)];
            auto* field = new FieldEdit(frame);
            field->setObjectName(toQ(name));
            field->setAlignment(Qt::AlignCenter);
            field->setGeometry(twipsRect(1320, row == 0 ? 360 : 960, 1335, 375));
            const Ctl ctl{m_form, name};
            connect(field, &FieldEdit::enterPressed, this,
                    [this, ctl] { m_session.enterPressed(ctl); });
            connect(field, &FieldEdit::focusGained, this,
                    [this, ctl] { m_session.focusGained(ctl); });
            if (previous != nullptr) {
                setTabOrder(previous, field);
            }
            previous = field;
        }
    }

    auto* ok = makeButton(this, "Command1", "确 定", "ok", twipsRect(2640, 1920, 1335, 615));
    auto* clear = makeButton(this, "Command2", "清 空", "clear", twipsRect(5880, 1920, 1335, 615));
    setTabOrder(previous, ok);
    setTabOrder(ok, clear);
    connect(ok, &QToolButton::clicked, this, [this] { m_session.batchOkClick(m_form); });
    connect(clear, &QToolButton::clicked, this, [this] { m_session.batchClearClick(m_form); });
}

void BatchDialog::closeEvent(QCloseEvent* event) {
    event->accept();  // hidden, not destroyed: the window model still holds it
}

void BatchDialog::keyPressEvent(QKeyEvent* event) {
    if (!pressFocusedButtonOnEnter(this, event)) {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace zm::ui
