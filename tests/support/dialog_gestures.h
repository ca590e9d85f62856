// What a user does in the menus' dialogs, through the session's one entry: open the dialog from
// its menu item, fill it in, press OK (or 计 算). Used by the session tests, the invariant runs
// and the session fuzzer alike. The user's typing and choosing go to the in-memory model itself
// (a qualified call), so that a model that records what the program writes does not count them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/session.h"
#include "support/memory_window_model.h"

namespace zm::test {

// FormRules: the date typed, then OK. True when the dialog took the date and closed; a refused
// date leaves its message, and the dialog is cancelled.
inline bool chooseRulesOnDate(Session& s, MemoryWindowModel& ui, std::string_view date) {
    s.handle(form1::mnuRulesDate, Gesture::Click);
    ui.MemoryWindowModel::setText(formRules::DateTrade, date);
    s.handle(formRules::DateTrade, Gesture::DateSet);
    s.handle(formRules::cmdOK, Gesture::Click);
    if (!ui.isLoaded(FormId::FormRules)) {
        return true;
    }
    s.handle(formRules::cmdCancel, Gesture::Click);
    return false;
}

// FormMinimum: the minimum typed, then OK. True when the dialog took it and closed (it opens only
// under trade-date rules: its menu item is disabled under the program's own).
inline bool setMinimumCommission(Session& s, MemoryWindowModel& ui, std::string_view text) {
    s.handle(form1::mnuRulesMinimum, Gesture::Click);
    if (!ui.isLoaded(FormId::FormMinimum)) {
        return false;
    }
    ui.MemoryWindowModel::setText(formMinimum::TextMinimum, text);
    s.handle(formMinimum::cmdOK, Gesture::Click);
    if (!ui.isLoaded(FormId::FormMinimum)) {
        return true;
    }
    s.handle(formMinimum::cmdCancel, Gesture::Click);
    return false;
}

// FormTarget's results as it shows them.
struct TargetShown {
    std::string price, amount, fees, profit, yield;
};

// FormTarget: the kind chosen, the target typed, then 计 算. The results when the dialog shows
// a sale (its 填入卖出栏 button enabled), nullopt after a refusal.
inline std::optional<TargetShown> targetSale(Session& s, MemoryWindowModel& ui, bool yield,
                                             std::string_view target) {
    s.handle(form1::mnuTarget, Gesture::Click);
    const Ctl kind = yield ? formTarget::OptTarget_1 : formTarget::OptTarget_0;
    if (!ui.isChecked(kind)) {
        ui.MemoryWindowModel::setChecked(kind, true);
        s.handle(kind, Gesture::Choose);
    }
    ui.MemoryWindowModel::setText(formTarget::TextTarget, target);
    s.handle(formTarget::cmdCalc, Gesture::Click);
    if (!ui.isEnabled(formTarget::cmdUse)) {
        return std::nullopt;
    }
    return TargetShown{ui.text(formTarget::TextTargetPrice), ui.text(formTarget::TextTargetAmount),
                       ui.text(formTarget::TextTargetFees), ui.text(formTarget::TextTargetProfit),
                       ui.text(formTarget::TextTargetYield)};
}

}  // namespace zm::test
