#pragma once

#include <QAction>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <map>
#include <vector>

#include "session/window_model.h"

namespace zm {
class Session;
}

namespace zm::ui {

class MainWindow;

// The window model on the program's real windows. Controls are found by their objectName inside
// the top-level widget of their form; a form that is not loaded has no controls, and a call on a
// control that does not exist changes nothing (and reads as empty).
class QtWindowModel : public WindowModel {
public:
    QtWindowModel();
    ~QtWindowModel() override;
    QtWindowModel(const QtWindowModel&) = delete;
    QtWindowModel& operator=(const QtWindowModel&) = delete;

    // The session whose handlers the windows call; set before the first load.
    void setSession(Session& session) { m_session = &session; }

    // The top-level widget of a loaded form, else nullptr.
    QWidget* form(FormId f) const;
    MainWindow* mainWindow() const;
    // A control of a loaded form, else nullptr.
    QWidget* control(Ctl c) const;
    // Destroys every window now; the model is empty afterwards. Call it while the session
    // still lives (the destructor does it too).
    void destroyAll();

    std::string text(Ctl c) const override;
    void setText(Ctl c, std::string_view text) override;
    bool isReadOnly(Ctl c) const override;
    void setReadOnly(Ctl c, bool readOnly) override;
    void setBackground(Ctl c, Background background) override;
    std::string caption(Ctl c) const override;
    void setCaption(Ctl c, std::string_view caption) override;
    void setForeColor(Ctl c, Rgb colour) override;
    void setToolTip(Ctl c, std::string_view toolTip) override;
    bool isChecked(Ctl c) const override;
    void setChecked(Ctl c, bool checked) override;
    void setEnabled(Ctl c, bool enabled) override;
    void setEntries(Ctl c, const std::vector<std::string>& entries) override;
    void setEditable(Ctl c, bool editable) override;
    void setFocus(Ctl c) override;
    void selectAllInFocused() override;
    void showMessage(std::string_view text) override;
    bool isLoaded(FormId f) const override;
    void load(FormId f) override;
    void show(FormId f) override;
    void hide(FormId f) override;
    void unload(FormId f) override;
    void quit() override;

private:
    // Notes the place of each of the program's windows whenever it is hidden (by the program,
    // its close box or the window manager), for the window's next showing in this session.
    class PlaceKeeper : public QObject {
    public:
        explicit PlaceKeeper(std::map<FormId, QPoint>& places) : m_places(places) {}

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        std::map<FormId, QPoint>& m_places;
    };

    QWidget* create(FormId f);
    // A menu item of a loaded form, else nullptr.
    QAction* action(Ctl c) const;
    // Before a window is shown: where it was last in this session, else a batch dialog beside
    // the main window and the about box over it; the window manager places the rest.
    void place(FormId f, QWidget* window) const;

    Session* m_session = nullptr;
    std::map<FormId, QPointer<QWidget>> m_forms;
    // Unloaded windows wait for deletion until control is back in the event loop: the handler
    // that unloads them may still be running inside one of them (Exit, a dialog's OK).
    std::vector<QPointer<QWidget>> m_unloaded;
    // The control the program gave the focus to last, until the focus really arrives: a window
    // just shown becomes active a moment later, and a select-all in between means that control.
    QPointer<QWidget> m_pendingFocus;
    QObject m_context;  // receiver of the application's signals, for the model's lifetime
    // Where each window's client area was when it was last hidden, kept across unloads.
    std::map<FormId, QPoint> m_places;
    PlaceKeeper m_placeKeeper{m_places};
};

}  // namespace zm::ui
