#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fees/money.h"
#include "fees/trade_fees.h"
#include "input/verdict.h"
#include "session/calc_state.h"
#include "session/rules_choice.h"
#include "session/trade_fields.h"
#include "view/window_model.h"

namespace zm {

// The controls of one dialog of the tools menu that the session's dispatch table routes.
struct ToolDialog {
    Ctl form;      // the window's own control: its close box and Esc hide it
    Ctl menuItem;  // opens it
    // Its text inputs in the order Enter walks them; Enter in the last one that takes input is
    // 计 算.
    std::span<const Ctl> fields;
    std::span<const Ctl> lists;  // its lists and date fields: Enter there is 计 算 too
    std::span<const Ctl> options;
    Ctl calc;
    Ctl close;
    Ctl rulesInUse;  // the line under the inputs naming what it computes with
};

// 补仓, 做T, 可买股数, 涨跌停价 and 除权参考价, in the menu's order.
std::span<const ToolDialog> toolDialogs();

class FieldReader;

// What a dialog that charges fees computes with, as its LabelRulesInUse says it: the rules in
// force, and under trade-date rules the market, the commission rate and the minimum.
std::string feesInUse(const FeeRules& rules, const MainChoices& choices);

// The dialogs of the tools menu for the shares an investor holds (FormAverage, FormSwing,
// FormLots, FormLimit, FormExRights). Each is modeless, opens beside the main window and is only
// hidden when closed, so that it shows its last figures when it opens again. Its fees, minimums
// and price steps are those of the main window: the rules in force, the market chosen there and
// the two list rates. A field the user got wrong is refused with its message, the focus back in
// it and its text selected; the results then go blank. A dialog that shows results follows its
// inputs: a change of its board, date or option, or of the main window's choices, works it out
// again at once, without a message, or clears its results when an input no longer passes.
class HoldingDialogs {
public:
    HoldingDialogs(WindowModel& ui, RulesChoice& rules, const CalcState& state,
                   const MainChoices& choices);

    // The menu item `item` was chosen: its dialog opens (filled in from the main window's
    // purchase where it has a holding's fields), the focus in its first empty field.
    void open(Ctl item);
    // Enter in a field: the fields up to it are checked in order and the focus goes to the next
    // one that takes input. In the last such field, in a list or in a date field it is 计 算.
    void enter(Ctl c);
    // 计 算 of the dialog; true when it shows results.
    bool calculate(FormId dialog);
    // An option of 补仓 (the count or the target cost) or of 做T (正T or 倒T) was chosen.
    void optionChosen(Ctl option);
    // 求涨跌停价: FormLimit opens (or comes to the front) with the ex-rights price as its close,
    // its board and date as they were, and works out its limits at once.
    void exRightsToLimit();
    // A board picked or a date set in a dialog: its results follow, and its rules line.
    void inputChanged(Ctl c);
    // The main window's rules, market or rates changed: every loaded dialog's rules line
    // follows, and each one that shows results is worked out again.
    void followMainChoices();

private:
    // What the dialog filled into a holding's two fields the last time it opened.
    struct Prefill {
        std::string held;
        std::string cost;
    };

    void firstLoad(FormId dialog);
    void prefill(Ctl held, Ctl cost, Prefill& last);
    void clearResults(FormId dialog);
    void showBreakEvenKind();
    // 倒T sells first: its sell price comes before its buy price, for Tab and for Enter.
    void orderSwingPrices();
    std::vector<Ctl> inputOrder(FormId dialog) const;
    bool run(FormId dialog, FieldReader& r);
    // Works the dialog out again without a message when it shows results.
    void recompute(FormId dialog);
    void showRulesInUse(FormId dialog);
    // A tool's answer refused: its message on the field it concerns (none while recomputing).
    // False, for the caller to return.
    bool refuse(Ctl field, std::string_view message);
    // Before a calculation that charges fees: a commission rate typed into the main window's
    // list is checked (with its message, unless recomputing).
    bool commissionReady() {
        return m_quiet ? m_rules.commissionPasses() : m_rules.commissionReady();
    }
    FeeBasis basis() const;
    Money priceStep() const;
    // The five calculations (holding_dialogs_calc.cpp): each reads its fields through `r` and,
    // when all were read, works out and shows its results, or refuses. True when it shows them.
    bool average(FieldReader& r);
    bool swing(FieldReader& r);
    bool lots(FieldReader& r);
    bool limit(FieldReader& r);
    bool exRights(FieldReader& r);

    WindowModel& m_ui;
    RulesChoice& m_rules;
    const CalcState& m_state;
    const MainChoices& m_choices;
    bool m_quiet = false;  // recomputing: refusals clear the results without a message
    Prefill m_averagePrefill;
    Prefill m_swingPrefill;
};

// Reads a dialog's fields in order, each through its input rule: an accepted text is rewritten as
// the rule says, a refused one gets its message, the focus and the selection, and ends the
// reading. With `last` the reading also ends after that field (Enter there walks on).
class FieldReader {
public:
    // `quiet`: a refused field ends the reading without its message, the focus staying.
    FieldReader(WindowModel& ui, std::optional<Ctl> last, bool quiet = false)
        : m_ui(ui), m_last(last), m_quiet(quiet) {}

    // The field's value as its rule stores it (zero for a rule that stores none); zero without
    // a look at the field once the reading has ended.
    template <class Rule>
    Money read(Ctl field, Rule&& rule) {
        if (m_ended) {
            return Money();
        }
        const Verdict verdict = rule(m_ui.text(field));
        if (!judge(field, verdict)) {
            return Money();
        }
        m_ended = m_last == field;
        return verdict.stored.value_or(Money());
    }
    // Every field was read and taken: the values are the dialog's inputs.
    bool complete() const { return !m_ended; }
    bool refused() const { return m_refused; }

private:
    bool judge(Ctl field, const Verdict& verdict);

    WindowModel& m_ui;
    std::optional<Ctl> m_last;
    bool m_quiet;
    bool m_ended = false;
    bool m_refused = false;
};

}  // namespace zm
