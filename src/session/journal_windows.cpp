#include "session/journal_windows.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "fees/display_format.h"
#include "fees/number_text.h"
#include "input/journal_rules.h"
#include "journal/journal_lists.h"
#include "layout/layout.h"
#include "session/apply_verdict.h"
#include "view/messages.h"

namespace zm {
namespace {

std::int64_t wholeShares(Money quantity) {
    return quantity.ticks() / Money::kTicksPerYuan;
}

void focusAndSelect(WindowModel& ui, Ctl c) {
    ui.setFocus(c);
    ui.selectAllInFocused();
}

}  // namespace

JournalWindows::JournalWindows(WindowModel& ui, const RulesChoice& rules, const CalcState& state,
                               const MainChoices& choices, std::string path)
    : m_ui(ui), m_rules(rules), m_state(state), m_choices(choices), m_path(std::move(path)) {}

bool JournalWindows::storeReady() {
    if (m_store.isOpen()) {
        return true;
    }
    if (m_refusedNewer) {
        m_ui.showMessage(msg::kJournalNewerSchema);
        return false;
    }
    if (m_path.empty()) {
        m_ui.showMessage(msg::journalCannotOpen(m_path));
        return false;
    }
    journal::OpenResult result = m_store.open(m_path);
    if (result.status == journal::OpenStatus::Damaged) {
        // Nothing is deleted: the damaged file keeps its data under another name.
        if (!m_ui.askYesNo(msg::kJournalDamagedQuestion)) {
            return false;
        }
        if (!journal::setAsideDamaged(m_path, journal::Timestamp::now())) {
            m_ui.showMessage(msg::kJournalSetAsideFailed);
            return false;
        }
        result = m_store.open(m_path);
    }
    switch (result.status) {
        case journal::OpenStatus::Ok:
            return true;
        case journal::OpenStatus::NewerSchema:
            m_refusedNewer = true;
            m_ui.showMessage(msg::kJournalNewerSchema);
            return false;
        case journal::OpenStatus::Damaged:
        case journal::OpenStatus::CannotOpen:
            break;
    }
    m_ui.showMessage(msg::journalCannotOpen(m_path));
    return false;
}

void JournalWindows::followTrade() {
    if (!m_ui.isLoaded(FormId::Form1)) {
        return;
    }
    m_ui.setEnabled(form1::mnuRecordBuy,
                    !m_ui.text(form1::Text3).empty() && wholeShares(m_state.BuyQty) > 0);
    m_ui.setEnabled(form1::mnuRecordSell,
                    !m_ui.text(form1::Text13).empty() && wholeShares(m_state.SellQty) > 0);
}

// FormRecord.

void JournalWindows::openRecord(Ctl item) {
    if (!storeReady()) {
        return;
    }
    const bool buy = item == form1::mnuRecordBuy;
    journal::Entry& e = m_pending;
    e = journal::Entry{};
    e.kind = buy ? journal::EntryKind::Buy : journal::EntryKind::Sell;
    e.quantity = wholeShares(buy ? m_state.BuyQty : m_state.SellQty);
    e.price = buy ? m_state.BuyPrice : m_state.SellPrice;
    e.amount = buy ? m_state.BuyAmount : m_state.SellAmount;
    e.commission = buy ? m_state.BuyCommission : m_state.SellCommission;
    e.stampDuty = buy ? m_state.BuyStampDuty : m_state.SellStampDuty;
    e.transferFee = buy ? m_state.BuyTransferFee : m_state.SellTransferFee;
    e.origin.source = journal::EntrySource::Recorded;

    using namespace formRecord;
    m_ui.load(FormId::FormRecord);
    // Each figure as the main window shows it.
    const auto shown = [this, buy](Ctl buyField, Ctl sellField) {
        return m_ui.text(buy ? buyField : sellField);
    };
    m_ui.setCaption(LabelRecordTrade,
                    msg::recordTradeText(
                        journal::kindLabel(e.kind), formatGroupedWhole(Money::fromYuan(e.quantity)),
                        shown(form1::Text1, form1::Text11), shown(form1::Text3, form1::Text13),
                        shown(form1::Text4, form1::Text14), shown(form1::Text5, form1::Text15),
                        shown(form1::Text6, form1::Text16)));
    const FeeRules& rules = m_rules.rules();
    m_ui.setText(DateRecord,
                 (rules.kind == RuleKind::OnDate ? rules.date : TradeDate::today()).iso());
    m_ui.show(FormId::FormRecord);
    focusAndSelect(m_ui, TextRecordCode);
}

bool JournalWindows::focusNextInput(Ctl field) {
    const auto order = layout::tabOrder(field.form());
    auto it = std::ranges::find(order, field, &layout::Control::ctl);
    while (it != order.end() && ++it != order.end()) {
        const layout::Control& next = **it;
        if ((next.kind == layout::Kind::Field || next.kind == layout::Kind::Date) &&
            m_ui.isEnabled(next.ctl)) {
            focusAndSelect(m_ui, next.ctl);
            return true;
        }
    }
    return false;
}

void JournalWindows::recordEnter(Ctl field) {
    if (!focusNextInput(field)) {
        recordOk();
    }
}

void JournalWindows::recordOk() {
    using namespace formRecord;
    const Verdict code = ruleJournalCode(m_ui.text(TextRecordCode));
    if (!applyVerdict(m_ui, TextRecordCode, code)) {
        return;
    }
    const Verdict date = ruleJournalDate(m_ui.text(DateRecord), TradeDate::today());
    if (!applyVerdict(m_ui, DateRecord, date)) {
        return;
    }
    journal::Entry e = m_pending;
    e.code = *code.shown;
    e.name = std::string(trimBlanks(m_ui.text(TextRecordName)));
    e.date = *TradeDate::parse(*date.shown);
    if (!storeReady()) {
        return;
    }
    if (e.kind == journal::EntryKind::Sell && !saleAllowed(e, TextRecordCode, std::nullopt)) {
        return;
    }
    if (write(e)) {
        m_ui.hide(FormId::FormRecord);
        refresh();
    }
}

void JournalWindows::closeRecord() {
    m_ui.hide(FormId::FormRecord);
}

// Checks shared by FormRecord and FormEntry.

std::vector<journal::Entry> JournalWindows::entriesWithout(
    std::optional<std::int64_t> without) const {
    std::vector<journal::Entry> entries = m_store.entries();
    if (without) {
        std::erase_if(entries, [&](const journal::Entry& e) { return e.id == *without; });
    }
    return entries;
}

std::int64_t JournalWindows::heldOn(const std::string& code, TradeDate date,
                                    std::optional<std::int64_t> without) const {
    std::vector<journal::Entry> entries = entriesWithout(without);
    std::erase_if(entries,
                  [&](const journal::Entry& e) { return e.code != code || date < e.date; });
    const auto held = journal::positions(entries);
    return held.empty() ? 0 : held.front().shares;
}

bool JournalWindows::saleAllowed(const journal::Entry& sale, Ctl field,
                                 std::optional<std::int64_t> without) {
    const std::int64_t held = heldOn(sale.code, sale.date, without);
    if (sale.quantity > held) {
        ShowInputError(m_ui, field, msg::journalSaleOverHeld(held));
        return false;
    }
    if (journal::isFundCode(sale.code)) {
        return true;  // funds may be sold the day they are bought
    }
    const std::vector<journal::Entry> others = entriesWithout(without);
    const std::int64_t boughtThatDay =
        std::accumulate(others.begin(), others.end(), std::int64_t{0},
                        [&sale](std::int64_t sum, const journal::Entry& e) {
                            const bool sameDayBuy = e.code == sale.code && e.date == sale.date &&
                                                    e.kind == journal::EntryKind::Buy;
                            return sameDayBuy ? sum + e.quantity : sum;
                        });
    return sale.quantity <= held - boughtThatDay || m_ui.askYesNo(msg::kJournalSameDaySale);
}

bool JournalWindows::write(const journal::Entry& entry) {
    const bool written = entry.id == 0 ? m_store.add(entry).has_value() : m_store.update(entry);
    if (!written) {
        m_ui.showMessage(msg::kJournalWriteFailed);
    }
    return written;
}

// FormJournal.

void JournalWindows::openJournal() {
    if (!storeReady()) {
        return;
    }
    m_ui.show(FormId::FormJournal);
    refresh();
}

void JournalWindows::closeJournal() {
    m_ui.hide(FormId::FormJournal);
}

journal::ProfitMethod JournalWindows::method() const {
    return m_method;
}

journal::ListSettings JournalWindows::listSettings() const {
    journal::ListSettings settings;
    settings.method = method();
    settings.basis = FeeBasis{m_rules.rules(), m_choices.market, m_choices.commissionRate(),
                              m_choices.stampDutyRate()};
    settings.today = TradeDate::today();
    settings.currentPrice = [this](const std::string& code) { return m_store.price(code); };
    return settings;
}

void JournalWindows::refresh() {
    using namespace formJournal;
    if (!m_ui.isLoaded(FormId::FormJournal) || !m_store.isOpen()) {
        return;
    }
    std::optional<std::string> chosenCode;
    if (const auto row = m_ui.chosenRow(ListHoldings); row && *row < m_holdingCodes.size()) {
        chosenCode = m_holdingCodes[*row];
    }
    m_entries = m_store.entries();
    const auto held = journal::positions(m_entries);
    const journal::ListSettings settings = listSettings();

    std::vector<WindowModel::Cells> cells;
    m_holdingCodes.clear();
    for (journal::HoldingRow& row : journal::holdingListRows(held, settings)) {
        m_holdingCodes.push_back(row.code);
        cells.push_back(std::move(row.cells));
    }
    m_ui.setRows(ListHoldings, cells);
    // The holding chosen before stays chosen, for its current price.
    const auto again = std::ranges::find(m_holdingCodes, chosenCode);
    if (chosenCode && again != m_holdingCodes.end()) {
        m_ui.chooseRow(ListHoldings,
                       static_cast<std::size_t>(std::distance(m_holdingCodes.begin(), again)));
    } else {
        m_ui.setText(TextCurrentPrice, "");
    }

    cells.clear();
    m_entryIds.clear();
    for (journal::EntryRow& row : journal::entryListRows(m_entries, held, settings.method)) {
        m_entryIds.push_back(row.id);
        cells.push_back(std::move(row.cells));
    }
    m_ui.setRows(ListEntries, cells);
    enableEntryButtons();
    if (const Verdict year = ruleJournalYear(m_ui.text(TextYear)); year.accepted) {
        showYearSummary(static_cast<int>(wholeShares(*year.stored)));
    }
}

void JournalWindows::enableEntryButtons() {
    using namespace formJournal;
    const bool chosen = m_ui.chosenRow(ListEntries).has_value();
    m_ui.setEnabled(cmdEdit, chosen);
    m_ui.setEnabled(cmdDelete, chosen);
    m_ui.setEnabled(cmdUndo, m_store.canUndo());
}

void JournalWindows::methodChosen() {
    m_method = m_ui.isChecked(formJournal::OptCostFifo) ? journal::ProfitMethod::Fifo
                                                        : journal::ProfitMethod::Average;
    refresh();
}

void JournalWindows::holdingChosen() {
    using namespace formJournal;
    const auto row = m_ui.chosenRow(ListHoldings);
    std::optional<Money> price;
    if (row && *row < m_holdingCodes.size()) {
        price = m_store.price(m_holdingCodes[*row]);
    }
    m_ui.setText(TextCurrentPrice, price ? formatPrice(*price, price->isWholeFen() ? 2 : 3) : "");
}

void JournalWindows::currentPriceEntered() {
    using namespace formJournal;
    const auto row = m_ui.chosenRow(ListHoldings);
    if (!row || *row >= m_holdingCodes.size()) {
        m_ui.showMessage(msg::kJournalNoHoldingChosen);
        m_ui.setFocus(ListHoldings);
        return;
    }
    const Verdict price = ruleJournalPrice(m_ui.text(TextCurrentPrice));
    if (!applyVerdict(m_ui, TextCurrentPrice, price)) {
        return;
    }
    if (!m_store.setPrice(m_holdingCodes[*row], *price.stored)) {
        m_ui.showMessage(msg::kJournalWriteFailed);
        return;
    }
    refresh();
}

void JournalWindows::entryChosen() {
    enableEntryButtons();
}

void JournalWindows::yearEntered() {
    using namespace formJournal;
    const Verdict year = ruleJournalYear(m_ui.text(TextYear));
    if (applyVerdict(m_ui, TextYear, year)) {
        showYearSummary(static_cast<int>(wholeShares(*year.stored)));
    }
}

void JournalWindows::showYearSummary(int year) {
    using namespace formJournal;
    const auto summary =
        journal::yearSummary(m_entries, journal::positions(m_entries), year, method());
    const auto texts = journal::yearSummaryTexts(summary);
    // 已实现盈亏; the four fees; 已收分红; 红利税.
    m_ui.setCaption(LabelYearRealised, texts[0]);
    m_ui.setCaption(LabelYearFees, texts[1] + "  " + texts[2] + "  " + texts[3] + "  " + texts[4]);
    m_ui.setCaption(LabelYearDividends, texts[5]);
    m_ui.setCaption(LabelYearTax, texts[6]);
}

void JournalWindows::addEntry() {
    openEntry(nullptr);
}

void JournalWindows::editEntry() {
    const auto row = m_ui.chosenRow(formJournal::ListEntries);
    if (!row || *row >= m_entryIds.size()) {
        return;
    }
    const auto it = std::ranges::find(m_entries, m_entryIds[*row], &journal::Entry::id);
    if (it != m_entries.end()) {
        openEntry(&*it);
    }
}

void JournalWindows::deleteEntry() {
    const auto row = m_ui.chosenRow(formJournal::ListEntries);
    if (!m_store.isOpen() || !row || *row >= m_entryIds.size() ||
        !m_ui.askYesNo(msg::kJournalDeleteQuestion)) {
        return;
    }
    if (!m_store.remove(m_entryIds[*row])) {
        m_ui.showMessage(msg::kJournalWriteFailed);
    }
    // The button the user pressed is disabled with no row chosen: the focus goes to the list
    // first, so that it is nowhere no key reaches.
    m_ui.setFocus(formJournal::ListEntries);
    refresh();
}

void JournalWindows::undo() {
    if (!m_store.isOpen()) {
        return;
    }
    if (!m_store.undo()) {
        m_ui.showMessage(msg::kJournalWriteFailed);
    }
    // 撤销 is disabled when nothing is left to take back: the focus goes to the list first.
    m_ui.setFocus(formJournal::ListEntries);
    refresh();
}

}  // namespace zm
