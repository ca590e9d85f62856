// The dialogs of the tools menu for the shares an investor holds: opening them, Enter walking
// their fields, their options, and 求涨跌停价. The calculations are in holding_dialogs_calc.cpp.
#include "session/holding_dialogs.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "fees/display_format.h"
#include "fees/fee_rules.h"
#include "fees/holding_tools.h"
#include "session/apply_verdict.h"
#include "session/holding_boards.h"
#include "session/trade_fields.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr std::array kAverageFields = {formAverage::TextAvgHeld, formAverage::TextAvgCost,
                                       formAverage::TextAvgPrice, formAverage::TextAvgShares,
                                       formAverage::TextAvgTarget};
constexpr std::array kAverageLists = {formAverage::ComboAvgBoard};
constexpr std::array kAverageOptions = {formAverage::OptAvg_0, formAverage::OptAvg_1};
constexpr std::array kSwingFields = {formSwing::TextSwingHeld, formSwing::TextSwingCost,
                                     formSwing::TextSwingQty, formSwing::TextSwingBuy,
                                     formSwing::TextSwingSell};
constexpr std::array kSwingOptions = {formSwing::OptSwing_0, formSwing::OptSwing_1};
constexpr std::array kLotsFields = {formLots::TextLotsCash, formLots::TextLotsPrice};
constexpr std::array kLotsLists = {formLots::ComboLotsBoard};
constexpr std::array kLimitFields = {formLimit::TextLimitClose};
constexpr std::array kLimitLists = {formLimit::ComboLimitBoard, formLimit::DateLimit};
constexpr std::array kExRightsFields = {formExRights::TextExClose, formExRights::TextExCash,
                                        formExRights::TextExBonus, formExRights::TextExRights,
                                        formExRights::TextExRightsPrice};

const std::array<ToolDialog, 5> kDialogs = {{
    {formAverage::FormAverage, form1::mnuAverage, kAverageFields, kAverageLists, kAverageOptions,
     formAverage::cmdCalc, formAverage::cmdClose},
    {formSwing::FormSwing,
     form1::mnuSwing,
     kSwingFields,
     {},
     kSwingOptions,
     formSwing::cmdCalc,
     formSwing::cmdClose},
    {formLots::FormLots,
     form1::mnuLots,
     kLotsFields,
     kLotsLists,
     {},
     formLots::cmdCalc,
     formLots::cmdClose},
    {formLimit::FormLimit,
     form1::mnuLimit,
     kLimitFields,
     kLimitLists,
     {},
     formLimit::cmdCalc,
     formLimit::cmdClose},
    {formExRights::FormExRights,
     form1::mnuExRights,
     kExRightsFields,
     {},
     {},
     formExRights::cmdCalc,
     formExRights::cmdClose},
}};

const ToolDialog& dialogOf(FormId f) {
    return *std::ranges::find(kDialogs, f, [](const ToolDialog& d) { return d.form.form(); });
}

// The fields of a dialog that take input now, in Enter's order.
std::vector<Ctl> enabledFields(const WindowModel& ui, const ToolDialog& d) {
    std::vector<Ctl> fields;
    std::ranges::copy_if(d.fields, std::back_inserter(fields),
                         [&ui](Ctl c) { return ui.isEnabled(c); });
    return fields;
}

template <std::size_t N, class Value>
std::vector<std::string> entriesOf(const std::array<BoardEntry<Value>, N>& boards) {
    std::vector<std::string> entries(N);
    std::ranges::transform(boards, entries.begin(),
                           [](const BoardEntry<Value>& b) { return std::string(b.text); });
    return entries;
}

}  // namespace

std::span<const ToolDialog> toolDialogs() {
    return kDialogs;
}

bool FieldReader::judge(Ctl field, const Verdict& verdict) {
    if (applyVerdict(m_ui, field, verdict)) {
        return true;
    }
    m_ended = true;
    m_refused = true;
    return false;
}

HoldingDialogs::HoldingDialogs(WindowModel& ui, RulesChoice& rules, const CalcState& state)
    : m_ui(ui), m_rules(rules), m_state(state) {}

void HoldingDialogs::firstLoad(FormId dialog) {
    m_ui.load(dialog);
    if (dialog == FormId::FormAverage) {
        m_ui.setEntries(formAverage::ComboAvgBoard, entriesOf(kBoards));
        m_ui.setText(formAverage::ComboAvgBoard, kBoards.front().text);
    } else if (dialog == FormId::FormLots) {
        m_ui.setEntries(formLots::ComboLotsBoard, entriesOf(kBoards));
        m_ui.setText(formLots::ComboLotsBoard, kBoards.front().text);
    } else if (dialog == FormId::FormLimit) {
        m_ui.setEntries(formLimit::ComboLimitBoard, entriesOf(kLimitBoards));
        m_ui.setText(formLimit::ComboLimitBoard, kLimitBoards.front().text);
        m_ui.setText(formLimit::DateLimit, TradeDate::today().iso());
    } else if (dialog == FormId::FormExRights) {
        // Most events pay cash only: the other figures start at none.
        for (Ctl c :
             {formExRights::TextExCash, formExRights::TextExBonus, formExRights::TextExRights}) {
            m_ui.setText(c, "0");
        }
    }
}

void HoldingDialogs::open(Ctl item) {
    const ToolDialog& d =
        *std::ranges::find(kDialogs, item, [](const ToolDialog& t) { return t.menuItem; });
    const FormId f = d.form.form();
    if (!m_ui.isLoaded(f)) {
        firstLoad(f);
    }
    if (f == FormId::FormAverage) {
        prefill(formAverage::TextAvgHeld, formAverage::TextAvgCost, m_averagePrefill);
    } else if (f == FormId::FormSwing) {
        prefill(formSwing::TextSwingHeld, formSwing::TextSwingCost, m_swingPrefill);
    }
    m_ui.show(f);
    const std::vector<Ctl> fields = enabledFields(m_ui, d);
    const auto empty = std::ranges::find_if(fields, [this](Ctl c) { return m_ui.text(c).empty(); });
    m_ui.setFocus(empty != fields.end() ? *empty : fields.front());
    m_ui.selectAllInFocused();
}

// The holding of the main window's purchase: the shares held after the bonus and the amount paid
// per share, to 0.001 yuan. Filled in on every opening while both fields are empty or still show
// what the dialog filled in last; a figure the user typed there stays, and with it the other.
void HoldingDialogs::prefill(Ctl held, Ctl cost, Prefill& last) {
    if (m_state.HeldQty <= Money()) {
        return;
    }
    const auto perShare = costPerShare(m_state.AmountPaid, m_state.HeldQty);
    if (!perShare || !isCostPerShare(*perShare)) {
        return;
    }
    const auto untouched = [this](Ctl field, const std::string& filled) {
        const std::string text = m_ui.text(field);
        return text.empty() || text == filled;
    };
    if (!untouched(held, last.held) || !untouched(cost, last.cost)) {
        return;
    }
    last = {formatGroupedWhole(m_state.HeldQty), formatCostPerShare(*perShare)};
    m_ui.setText(held, last.held);
    m_ui.setText(cost, last.cost);
}

void HoldingDialogs::enter(Ctl c) {
    const FormId f = c.form();
    const std::vector<Ctl> fields = enabledFields(m_ui, dialogOf(f));
    const auto at = std::ranges::find(fields, c);
    if (at == fields.end() || std::next(at) == fields.end()) {
        calculate(f);
        return;
    }
    FieldReader reader(m_ui, c);
    run(f, reader);
    if (!reader.refused()) {
        m_ui.setFocus(*std::next(at));
        m_ui.selectAllInFocused();
    }
}

bool HoldingDialogs::calculate(FormId dialog) {
    FieldReader reader(m_ui, std::nullopt);
    const bool shown = run(dialog, reader);
    if (!shown) {
        clearResults(dialog);
    }
    return shown;
}

bool HoldingDialogs::run(FormId dialog, FieldReader& r) {
    switch (dialog) {
        case FormId::FormAverage:
            return average(r);
        case FormId::FormSwing:
            return swing(r);
        case FormId::FormLots:
            return lots(r);
        case FormId::FormLimit:
            return limit(r);
        case FormId::FormExRights:
            return exRights(r);
        default:
            return false;
    }
}

void HoldingDialogs::optionChosen(Ctl option) {
    if (option == formAverage::OptAvg_0 || option == formAverage::OptAvg_1) {
        // Only the chosen way's field takes input; the focus goes there.
        const bool byCount = option == formAverage::OptAvg_0;
        m_ui.setEnabled(formAverage::TextAvgShares, byCount);
        m_ui.setEnabled(formAverage::TextAvgTarget, !byCount);
        m_ui.setFocus(byCount ? formAverage::TextAvgShares : formAverage::TextAvgTarget);
        m_ui.selectAllInFocused();
        return;
    }
    // The break-even row means another price after a change of the order: the results go.
    showBreakEvenKind();
    clearResults(FormId::FormSwing);
}

void HoldingDialogs::showBreakEvenKind() {
    const bool buyFirst = m_ui.isChecked(formSwing::OptSwing_0);
    m_ui.setCaption(formSwing::LabelSwingBreakEven, buyFirst ? msg::kSwingSellBreakEvenCaption
                                                             : msg::kSwingBuyBackBreakEvenCaption);
    for (Ctl c : {formSwing::LabelSwingBreakEven, formSwing::TextSwingBreakEven,
                  formSwing::LabelSwingBreakEvenUnit}) {
        m_ui.setToolTip(c, buyFirst ? msg::kSwingSellBreakEvenTip : msg::kSwingBuyBackBreakEvenTip);
    }
}

void HoldingDialogs::exRightsToLimit() {
    const std::string price = m_ui.text(formExRights::TextExPrice);
    if (price.empty()) {
        return;
    }
    if (!m_ui.isLoaded(FormId::FormLimit)) {
        firstLoad(FormId::FormLimit);
    }
    m_ui.setText(formLimit::TextLimitClose, price);
    m_ui.show(FormId::FormLimit);
    // The close is given; the board is what the user is likely to change next.
    if (calculate(FormId::FormLimit)) {
        m_ui.setFocus(formLimit::ComboLimitBoard);
    }
}

FeeBasis HoldingDialogs::basis() const {
    return FeeBasis{m_rules.rules(), chosenMarket(m_ui), rateOf(m_ui, form1::Combo1),
                    rateOf(m_ui, form1::Combo2)};
}

Money HoldingDialogs::priceStep() const {
    return zm::priceStep(m_rules.rules(), chosenMarket(m_ui));
}

}  // namespace zm
