#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"
#include "session/kept_tips.h"
#include "view/window_model.h"

namespace zm {

// The fee rules the calculator computes with (its own, today's, or a trade date's), and all
// that shows them: the rules menu's check marks, the main window's title and rate lists, the
// two dialogs of the menu (FormRules, FormMinimum), and the settings file's [费用规则] section.
class RulesChoice {
public:
    // `changed` runs after every change of the rules or of the minimum commission, so that the
    // sides on screen are worked again under them.
    RulesChoice(WindowModel& ui, const std::string& settingsPath, std::function<void()> changed);

    const FeeRules& rules() const { return m_rules; }
    bool own() const { return m_rules.own(); }

    // Form load, after the rate lists show the stored rates: those are the program's own rates;
    // the rules of the settings file's section are shown.
    void load();
    // Writes the [费用规则] section; a failed write shows kWriteFailed.
    void save();

    // The rules menu.
    void chooseOwn();
    void chooseCurrent();
    void openDateDialog();     // FormRules, on the rules' date or today
    void openMinimumDialog();  // FormMinimum, showing the minimum commission
    // The check marks of the rules menu as the rules are: a click on a checkable item toggles
    // its mark before the item's command runs.
    void showMenuChecks();

    // FormRules: the date changed (the summary follows it); OK; Cancel or the close box.
    void dateSet();
    void dateOk();
    void closeDateDialog();
    // FormMinimum: OK; Cancel or the close box.
    void minimumOk();
    void closeMinimumDialog();

    // What became of a rate typed into the commission list when it was checked.
    enum class RateCheck { Refused, Unchanged, Changed };
    // The user left the commission list, picked an entry or pressed Enter there: under trade-date
    // rules the rate it shows is checked now (a refusal shows its message and puts the focus
    // back) and, when it is another rate than the one in force, taken and saved. Under the
    // program's own rules the lists are no rules of this choice: Unchanged.
    RateCheck confirmCommission();
    // Before every calculation: true under the program's own rules, else whether the rate typed
    // into the commission list is one (a refusal shows its message on the list).
    bool commissionReady();
    // The same test without a message and without taking the rate.
    bool commissionPasses() const;

private:
    void apply();     // the lists, the title, the rules menu and the tool tips for m_rules
    void showTips();  // the fee fields' and rate lists' tool tips for m_rules
    void switchTo(FeeRules next);
    bool chooseOnDate(std::string_view date);
    bool checkTypedCommission();

    WindowModel& m_ui;
    const std::string& m_settingsPath;
    std::function<void()> m_changed;
    FeeRules m_rules;
    // The rate lists' texts under the program's own rules, kept while trade-date rules show
    // other entries there.
    std::string m_ownCommission;
    std::string m_ownStampDuty;
    bool m_checkingCommission = false;
    // The tool tips of the fee fields and rate lists under the program's own rules.
    KeptTips m_ownTips;
};

}  // namespace zm
