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
constexpr std::array kSwingLists = {formSwing::ComboSwingBoard};
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
     formAverage::cmdCalc, formAverage::cmdClose, formAverage::LabelRulesInUse},
    {formSwing::FormSwing, form1::mnuSwing, kSwingFields, kSwingLists, kSwingOptions,
     formSwing::cmdCalc, formSwing::cmdClose, formSwing::LabelRulesInUse},
    {formLots::FormLots,
     form1::mnuLots,
     kLotsFields,
     kLotsLists,
     {},
     formLots::cmdCalc,
     formLots::cmdClose,
     formLots::LabelRulesInUse},
    {formLimit::FormLimit,
     form1::mnuLimit,
     kLimitFields,
     kLimitLists,
     {},
     formLimit::cmdCalc,
     formLimit::cmdClose,
     formLimit::LabelRulesInUse},
    {formExRights::FormExRights,
     form1::mnuExRights,
     kExRightsFields,
     {},
     {},
     formExRights::cmdCalc,
     formExRights::cmdClose,
     formExRights::LabelRulesInUse},
}};

const ToolDialog& dialogOf(FormId f) {
    return *std::ranges::find(kDialogs, f, [](const ToolDialog& d) { return d.form.form(); });
}

constexpr std::string_view marketName(Market market) {
    switch (market) {
        case Market::ShanghaiA:
            return "上海A股";
        case Market::ShenzhenA:
            return "深圳A股";
        case Market::FundWarrant:
            return "基金、权证";
    }
    return {};
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

std::string feesInUse(const FeeRules& rules, const MainChoices& choices) {
    if (rules.own()) {
        return msg::ownRulesInUse(choices.commissionText, choices.stampDutyText);
    }
    const std::string dated = rules.kind == RuleKind::OnDate ? rules.date.chinese() : "";
    const std::string minimum =
        rules.minCommission.isZero() ? "" : formatMoneyGeneral(rules.minCommission);
    return msg::tradeRulesInUse(dated, marketName(choices.market),
                                formatCommissionRate(rules.commissionPpm), minimum);
}

bool FieldReader::judge(Ctl field, const Verdict& verdict) {
    if (verdict.accepted || !m_quiet) {
        if (applyVerdict(m_ui, field, verdict)) {
            return true;
        }
    }
    m_ended = true;
    m_refused = true;
    return false;
}

HoldingDialogs::HoldingDialogs(WindowModel& ui, RulesChoice& rules, const CalcState& state,
                               const MainChoices& choices)
    : m_ui(ui), m_rules(rules), m_state(state), m_choices(choices) {}

// The fields of a dialog that take input now, in Enter's order.
std::vector<Ctl> HoldingDialogs::inputOrder(FormId dialog) const {
    std::vector<Ctl> fields;
    std::ranges::copy_if(dialogOf(dialog).fields, std::back_inserter(fields),
                         [this](Ctl c) { return m_ui.isEnabled(c); });
    if (dialog == FormId::FormSwing && m_ui.isChecked(formSwing::OptSwing_1)) {
        std::iter_swap(std::ranges::find(fields, formSwing::TextSwingBuy),
                       std::ranges::find(fields, formSwing::TextSwingSell));
    }
    return fields;
}

void HoldingDialogs::firstLoad(FormId dialog) {
    m_ui.load(dialog);
    if (dialog == FormId::FormAverage) {
        m_ui.setEntries(formAverage::ComboAvgBoard, entriesOf(kBoards));
        m_ui.setText(formAverage::ComboAvgBoard, kBoards.front().text);
    } else if (dialog == FormId::FormSwing) {
        m_ui.setEntries(formSwing::ComboSwingBoard, entriesOf(kBoards));
        m_ui.setText(formSwing::ComboSwingBoard, kBoards.front().text);
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
    showRulesInUse(dialog);
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
    const std::vector<Ctl> fields = inputOrder(f);
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
    const std::vector<Ctl> fields = inputOrder(f);
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
        recompute(FormId::FormAverage);
        return;
    }
    showBreakEvenKind();
    orderSwingPrices();
    recompute(FormId::FormSwing);
}

void HoldingDialogs::orderSwingPrices() {
    const bool sellFirst = m_ui.isChecked(formSwing::OptSwing_1);
    const Ctl first = sellFirst ? formSwing::TextSwingSell : formSwing::TextSwingBuy;
    const Ctl second = sellFirst ? formSwing::TextSwingBuy : formSwing::TextSwingSell;
    m_ui.setTabAfter(first, formSwing::TextSwingQty);
    m_ui.setTabAfter(second, first);
}

void HoldingDialogs::inputChanged(Ctl c) {
    showRulesInUse(c.form());
    recompute(c.form());
}

void HoldingDialogs::followMainChoices() {
    for (const ToolDialog& d : kDialogs) {
        if (m_ui.isLoaded(d.form.form())) {
            showRulesInUse(d.form.form());
            recompute(d.form.form());
        }
    }
}

void HoldingDialogs::showRulesInUse(FormId dialog) {
    std::string line;
    if (dialog == FormId::FormLimit) {
        const std::string board = m_ui.text(formLimit::ComboLimitBoard);
        const auto date = TradeDate::parse(m_ui.text(formLimit::DateLimit));
        if (date && *date >= kFirstRulesDate) {
            line = msg::limitRatioInUse(board, limitPercentOn(boardOf(kLimitBoards, board), *date));
        }
    } else if (dialog == FormId::FormExRights) {
        line = msg::kExRightsInUse;
    } else {
        line = feesInUse(m_rules.rules(), m_choices);
    }
    m_ui.setCaption(dialogOf(dialog).rulesInUse, line);
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
    return FeeBasis{m_rules.rules(), m_choices.market, m_choices.commissionRate(),
                    m_choices.stampDutyRate()};
}

Money HoldingDialogs::priceStep() const {
    return zm::priceStep(m_rules.rules(), m_choices.market);
}

}  // namespace zm
