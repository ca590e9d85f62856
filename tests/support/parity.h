// One script of gestures for every window model: the in-memory model of the tests, the Qt
// program and the Windows program each run it through a driver of their own, and each control's
// text, caption, colour, tool tip, enabled, read-only and checked state, each window's
// visibility, the control that has the focus with the selection in it, and every message must
// come out the same after every step.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/session.h"
#include "support/memory_window_model.h"
#include "support/temp_dir.h"
#include "view/window_model.h"

namespace zm::test::parity {

enum class Act {
    Type,     // the user replaces a field's (or an editable list's) text by typing
    Enter,    // Enter in a field, date field or list
    Click,    // a button or a menu item
    Choose,   // an option
    Pick,     // an entry of a drop-down list, by its text
    SetDate,  // a date picked in a date field's calendar ("2012-05-02")
    Close,    // a window's close box
    // Tables: a click on a column's header (by its caption), a click or a double click on the
    // row shown at a place ("0" the top one).
    Sort,
    ChooseRow,
    OpenRow,
    // The answer ("是" or "否") the user gives the next question box, and the path typed into the
    // next folder dialog (none: cancelled); both come from the step that follows.
    Answer,
    TypeFolder,
};

struct Step {
    Act act;
    Ctl ctl;  // the control, or the window's own control for Close; the table for its acts
    std::string_view text = {};
};

// The column whose header a Sort step names, and the place a ChooseRow or OpenRow step names.
int headerColumn(const Step& step);
int shownPlace(const Step& step);

// A purchase and a sale by the keyboard, a refusal, each menu item and each dialog (today's rules,
// the minimum commission, a trade date's rules, back to the program's own, the target price, the
// five holding tools with a calculation and a refusal each), a batch purchase, the about box,
// Clear, and the journal's windows (a trade recorded, the lists sorted, an entry opened,
// its deletion declined, the export's folder dialog). Each driver's journal file is new.
const std::vector<Step>& script();

struct Selection {
    int start = 0;
    int length = 0;
    friend bool operator==(const Selection&, const Selection&) = default;
};

// How a front end carries out each act, and what it reads back.
class Driver {
public:
    virtual ~Driver() = default;
    virtual void act(const Step& step) = 0;
    virtual const WindowModel& model() const = 0;
    virtual bool isVisible(FormId f) const = 0;
    // The texts of the message boxes shown since the last call.
    virtual std::vector<std::string> takeMessages() = 0;
    // The control that has the keyboard focus, if it is one of the program's.
    virtual std::optional<Ctl> focus() const = 0;
    // The selected part of the focused field's text, in UTF-16 code units; {0, 0} when nothing
    // is selected (where the caret stands is not compared).
    virtual Selection selection() const = 0;
    // A table's header texts, then its rows' cells in the order it shows them.
    virtual std::vector<std::vector<std::string>> table(Ctl c) const = 0;
};

// What the user sees of one control.
struct Seen {
    std::string text;
    std::string caption;
    Rgb colour;
    std::string toolTip;
    bool enabled = true;
    bool readOnly = false;
    bool checked = false;
    std::vector<std::vector<std::string>> table;  // tables: Driver::table
    std::optional<std::size_t> chosenRow;         // tables: as the session addresses it
    friend bool operator==(const Seen&, const Seen&) = default;
};

// Every control of every loaded window, which windows are visible, the focus and its selection,
// and the messages of a step.
struct Snapshot {
    std::map<Ctl, Seen> controls;
    std::map<FormId, bool> visible;
    std::optional<Ctl> focus;
    Selection selection;
    std::vector<std::string> messages;
};

Snapshot snapshot(Driver& driver);

// The in-memory model of the tests as the reference: each act is what the windows report for it.
class MemoryDriver : public Driver {
public:
    MemoryDriver();
    void act(const Step& step) override;
    const WindowModel& model() const override { return m_ui; }
    bool isVisible(FormId f) const override;
    std::vector<std::string> takeMessages() override;
    std::optional<Ctl> focus() const override { return m_ui.focus; }
    Selection selection() const override;
    std::vector<std::vector<std::string>> table(Ctl c) const override;

private:
    void perform(const Step& step);
    // The session's index of the row a table shows at the step's place.
    std::size_t rowShownAt(const Step& step) const;

    TempDir m_dir;
    MemoryWindowModel m_ui;
    std::size_t m_logTaken = 0;  // the entries of the model's log read for messages
    Session m_session;
};

// Runs the script: one snapshot after each step.
std::vector<Snapshot> run(Driver& driver);

// The differences between two runs, as lines naming the step, the control and both values;
// empty when they agree.
std::vector<std::string> differences(const std::vector<Snapshot>& expected,
                                     const std::vector<Snapshot>& actual);

}  // namespace zm::test::parity
