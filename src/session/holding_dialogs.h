#pragma once

#include <optional>
#include <span>
#include <string>

#include "fees/money.h"
#include "fees/trade_fees.h"
#include "input/verdict.h"
#include "session/calc_state.h"
#include "session/rules_choice.h"
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
};

// 补仓, 做T, 可买股数, 涨跌停价 and 除权参考价, in the menu's order.
std::span<const ToolDialog> toolDialogs();

class FieldReader;

// The dialogs of the tools menu for the shares an investor holds (FormAverage, FormSwing,
// FormLots, FormLimit, FormExRights). Each is modeless, opens beside the main window and is only
// hidden when closed, so that it shows its last figures when it opens again. Its fees, minimums
// and price steps are those of the main window: the rules in force, the market chosen there and
// the two list rates. A field the user got wrong is refused with its message, the focus back in
// it and its text selected; the results then go blank.
class HoldingDialogs {
public:
    HoldingDialogs(WindowModel& ui, RulesChoice& rules, const CalcState& state);

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
    bool run(FormId dialog, FieldReader& r);
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
    Prefill m_averagePrefill;
    Prefill m_swingPrefill;
};

// Reads a dialog's fields in order, each through its input rule: an accepted text is rewritten as
// the rule says, a refused one gets its message, the focus and the selection, and ends the
// reading. With `last` the reading also ends after that field (Enter there walks on).
class FieldReader {
public:
    FieldReader(WindowModel& ui, std::optional<Ctl> last) : m_ui(ui), m_last(last) {}

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
    bool m_ended = false;
    bool m_refused = false;
};

}  // namespace zm
