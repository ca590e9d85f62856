#pragma once

#include <QAction>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <map>
#include <vector>

#include "ui/layout_build.h"
#include "view/gesture.h"
#include "view/window_model.h"

namespace zm {
class Session;
}

namespace zm::ui {

class MainWindow;

// The window model on the program's real windows, every one built from its layout rows. The Qt
// object of each control (widget, menu or menu item) is kept in an array indexed by the control's
// id while its window is loaded; a form that is not loaded has no controls, and a call on one
// changes nothing (and reads as empty). Every gesture the windows report goes to the session's
// one entry.
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
    // A control of a loaded form, else nullptr (a menu item is no widget: see object()).
    QWidget* control(Ctl c) const;
    // The Qt object of a control of a loaded form (a widget, a QMenu or a QAction), else nullptr.
    QObject* object(Ctl c) const;
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
    Rgb foreColor(Ctl c) const override;
    void setForeColor(Ctl c, Rgb colour) override;
    std::string toolTip(Ctl c) const override;
    void setToolTip(Ctl c, std::string_view toolTip) override;
    bool isChecked(Ctl c) const override;
    void setChecked(Ctl c, bool checked) override;
    bool isEnabled(Ctl c) const override;
    void setEnabled(Ctl c, bool enabled) override;
    void setEntries(Ctl c, const std::vector<std::string>& entries) override;
    void setEditable(Ctl c, bool editable) override;
    void setTabAfter(Ctl c, Ctl previous) override;
    void setFocus(Ctl c) override;
    void selectAllInFocused() override;
    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;
    void setRows(Ctl c, const std::vector<Cells>& rows) override;
    std::optional<std::size_t> chosenRow(Ctl c) const override;
    void chooseRow(Ctl c, std::optional<std::size_t> row) override;
    std::optional<std::string> chooseFolder(std::string_view title,
                                            std::string_view start) override;
    std::vector<std::string> chooseFiles(std::string_view title, std::string_view start,
                                         std::string_view filter) override;
    bool isLoaded(FormId f) const override;
    void load(FormId f) override;
    void show(FormId f) override;
    void hide(FormId f) override;
    void unload(FormId f) override;
    void paintBanner() override;
    void quit() override;
    UserGuide openUserGuide() override;
    // Where the user guide page is; by default the one of the running program (userGuidePath).
    void setUserGuidePath(const QString& path) { m_guidePath = path; }

private:
    // Where a window was left, and where the main window's frame was then.
    struct KeptPlace {
        QPoint at;
        QPoint mainAt;
    };
    // Notes the place of each of the program's windows whenever it is hidden (by the program,
    // its close box or the window manager), for the window's next showing in this session.
    class PlaceKeeper : public QObject {
    public:
        explicit PlaceKeeper(std::map<FormId, KeptPlace>& places) : m_places(places) {}

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        std::map<FormId, KeptPlace>& m_places;
    };

    // The window of a form, built from its rows, and its controls into the array.
    QWidget* create(FormId f);
    void report(Ctl c, Gesture g);
    // A menu item of a loaded form, else nullptr.
    QAction* action(Ctl c) const;
    // Before a window is shown: where it was last in this session, else where its row says (over
    // or beside the main window); the window manager places the rest.
    void place(FormId f, QWidget* window) const;
    // The window a message box, question or file dialog opens over: the active one, else the
    // main window.
    QWidget* dialogOwner() const;

    Session* m_session = nullptr;
    std::map<FormId, QPointer<QWidget>> m_forms;
    std::array<QPointer<QObject>, kControlCount> m_controls{};
    QString m_guidePath;
    // Unloaded windows wait for deletion until control is back in the event loop: the handler
    // that unloads them may still be running inside one of them (Exit, a dialog's OK).
    std::vector<QPointer<QWidget>> m_unloaded;
    // The control the program gave the focus to last, until the focus really arrives: a window
    // just shown becomes active a moment later, and a select-all in between means that control.
    QPointer<QWidget> m_pendingFocus;
    QObject m_context;  // receiver of the application's signals, for the model's lifetime
    // Where each window's client area was when it was last hidden, kept across unloads.
    std::map<FormId, KeptPlace> m_places;
    PlaceKeeper m_placeKeeper{m_places};
};

}  // namespace zm::ui
