#pragma once

#include <QFont>
#include <QWidget>

#include "ui/layout_build.h"

class QMenuBar;
class QWindow;

namespace zm::ui {

// The main window Form1: its menu bar and every control of the calculator, laid out in twips,
// with the banner painted on the window's surface. It keeps no state of its own beyond what the
// widgets show: every gesture goes to the session, which acts back through the window model.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(GestureSink sink, QWidget* parent = nullptr);
    ~MainWindow() override;

    const BuiltControls& controls() const { return m_controls; }
    // Paints the banner "Zunmo算股" with its grey shadow; it stays for the whole run.
    void WZ();
    // The font the banner is painted in: the window's font at 30 points, made smaller only if
    // the installed face would run the banner into the buy frame.
    QFont bannerFont() const;
    // The trade category, the rates and the buy frame, in screen coordinates: what a dialog
    // beside the window leaves in view where it can.
    QRect keptClearOfDialogs() const;

    // The client area below the menu bar: every control, and the banner, 10065 × 6720 twips.
    QWidget* clientArea() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Previous { Nothing, Form1, OwnWindow, MessageBox, Other };

    void buildFrames();
    void paintBanner();
    void onFocusWindowChanged(QWindow* window);
    Previous classify(QWindow* window) const;

    GestureSink m_sink;
    BuiltControls m_controls;
    QWidget* m_client = nullptr;
    QMenuBar* m_menuBar = nullptr;
    bool m_bannerShown = false;
    bool m_placed = false;  // placed on the screen at its first showing
    // The kind of the last of the program's windows that was active before the current one;
    // Form1's return to the top is told apart by it (Nothing: never active yet).
    Previous m_lastActive = Previous::Nothing;
};

}  // namespace zm::ui
