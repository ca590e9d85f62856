#pragma once

#include <QWidget>

#include "session/window_model.h"

namespace zm {
class Session;
}

namespace zm::ui {

// A multi-batch dialog: Form4 combines a purchase filled in up to three batches, Form3 a sale.
// Three frames side by side (Frame1_0 … Frame1_2), each with a price and a quantity field
// (Text1/Text2, Text3/Text4, Text5/Text6) and their captions and units; OK (Command1) and Clear
// (Command2). The labels are Label1_0 … Label1_11, four per frame from left to right: price
// caption, price unit "元", quantity caption, quantity unit "股".
//
// The window is modeless and keeps no state of its own: Enter, the focus, OK and Clear go to the
// Session, which writes the main window and hides this one through the window model.
class BatchDialog : public QWidget {
    Q_OBJECT
public:
    // `form` is FormId::Form4 (buy) or FormId::Form3 (sell).
    BatchDialog(FormId form, Session& session, QWidget* parent = nullptr);

    FormId formId() const { return m_form; }

protected:
    // The close box only hides the window, like OK, but computes nothing: the fields keep what
    // was typed for the next opening, and the main window stays as it was.
    void closeEvent(QCloseEvent* event) override;
    // Enter on a focused button presses it, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();

    FormId m_form;
    Session& m_session;
};

}  // namespace zm::ui
