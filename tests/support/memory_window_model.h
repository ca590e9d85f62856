#pragma once

#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "view/cell_order.h"
#include "view/window_model.h"

namespace zm::test {

// An in-memory window model: every control is a record that remembers what the engine did to
// it. Loading a window makes its controls as its layout rows say (captions, tool tips, read-only
// fields, chosen options, checked and disabled menu items); a control is also made on first use.
// Lists accept only their declared entries. A control that is no entry of the control table
// throws std::logic_error, which fails the running test, as does a write to a control of a window
// that is not loaded (the real windows have none). Message boxes are recorded in order and
// answered at once.
class MemoryWindowModel : public WindowModel {
public:
    struct Control {
        std::string text;
        std::string caption;
        std::string toolTip;
        Rgb foreColor = kBlack;
        Background background = Background::Window;
        bool readOnly = false;
        bool checked = false;
        bool enabled = true;
        bool editable = false;                            // a list that takes typed text
        std::optional<std::vector<std::string>> entries;  // set for drop-down lists
        std::vector<Cells> rows;                          // tables, in the order set
        std::optional<std::size_t> chosenRow;             // tables
        cell_order::SortState sorted;                     // tables: the header clicked last
    };

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
    // Questions, and the folder and file dialogs, take the next of the answers the test queued
    // (and are logged as messages are); one with no answer queued fails the test.
    bool askYesNo(std::string_view text) override;
    void setRows(Ctl c, const std::vector<Cells>& rows) override;
    std::optional<std::size_t> chosenRow(Ctl c) const override;
    void chooseRow(Ctl c, std::optional<std::size_t> row) override;
    std::optional<std::string> chooseFolder(std::string_view title,
                                            std::string_view start) override;
    std::vector<std::string> chooseFiles(std::string_view title, std::string_view start,
                                         std::string_view filter) override;
    // A click on a table's column header, as the front ends sort: by that column, or reversed
    // when it was sorted by it already.
    void sortBy(Ctl c, int column);
    // The indices of a table's rows in the order it shows them.
    std::vector<std::size_t> shownOrder(Ctl c) const;
    bool isLoaded(FormId f) const override;
    void load(FormId f) override;
    void show(FormId f) override;
    void hide(FormId f) override;
    void unload(FormId f) override;
    void quit() override { quitRequested = true; }
    // Records the request and answers with `guide`.
    UserGuide openUserGuide() override;

    // Declares a drop-down list with its entries (setText then only chooses among them).
    void declareList(Ctl c, std::vector<std::string> entries);
    // Combo1 and Combo2 with the program's rate entries.
    void declareRateLists();
    // The main window as the real one is built: the rate lists, Shanghai chosen, Form1 loaded.
    void setUpMainWindow();
    // Options of one group (the options of one container): checking one unchecks the others.
    Control& at(Ctl c);
    const Control* find(Ctl c) const;

    // The answers the next questions and file dialogs get, oldest first.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::vector<std::string>> fileAnswers;

    // What happened, for the tests to read.
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    // The control with the focus. A window shown takes it (to where it had it, else to the first
    // control of its tab chain); when the window that has it goes, the window shown that was
    // active last takes it back, as the system activates them.
    std::optional<Ctl> focus;
    // The control whose whole text was selected last, and the text it had then (each field keeps
    // its own selection too: see isWholeTextSelected).
    std::optional<Ctl> selection;
    std::string selectedText;
    std::map<FormId, bool> visible;
    std::map<Ctl, Ctl> tabAfter;  // the moves of the tab chain: control → the one before it
    std::vector<std::string> windowLog;  // "load Form3", "show Form4", "unload Form2", …
    // The calls that change what the user sees, in their order: "text Text3=10,000.00",
    // "caption Label17=大赚特赚", "colour Label8", "focus Text2", "select Text2", "message …".
    std::vector<std::string> callLog;
    bool quitRequested = false;
    UserGuide guide{UserGuide::Outcome::Opened, "/usr/share/doc/zunmo-calc/user-guide.html"};
    int guideOpenings = 0;

    bool hasFocus(Ctl c) const;
    bool isWholeTextSelected(Ctl c) const;

private:
    // A control the engine writes to; its window must be loaded.
    Control& written(Ctl c);
    // The focus a window takes when it becomes active: where it was left, else the first control
    // of its tab chain.
    std::optional<Ctl> focusOf(FormId f) const;
    // The window `f` goes: the focus, when it had it, goes to the window activated instead.
    void focusLeaves(FormId f);
    // `f` becomes the active window.
    void activated(FormId f);

    std::map<ControlId, Control> m_controls;
    std::map<FormId, bool> m_loaded;
    // Each window's focus, kept while it is inactive.
    std::map<FormId, Ctl> m_windowFocus;
    // The windows in the order they were last active.
    std::vector<FormId> m_activations;
    // Each field keeps its selection while the focus is elsewhere: the text it had when selected.
    std::map<ControlId, std::string> m_selections;
};

}  // namespace zm::test

namespace zm {
// Test messages name a control by its control name.
inline std::ostream& operator<<(std::ostream& out, Ctl c) {
    return out << formName(c.form()) << "." << c.name();
}
}  // namespace zm
