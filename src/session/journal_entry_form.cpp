// FormEntry: one entry of the journal, added or changed. Its kind decides which fields take
// input; a new purchase or sale gets its fees proposed from the rules of its date.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "fees/display_format.h"
#include "fees/number_text.h"
#include "input/date_rules.h"
#include "input/journal_rules.h"
#include "session/apply_verdict.h"
#include "session/journal_windows.h"
#include "view/messages.h"

namespace zm {
namespace {

using journal::EntryKind;
using namespace formEntry;

constexpr std::array kKinds = {EntryKind::Buy,   EntryKind::Sell,        EntryKind::Dividend,
                               EntryKind::Bonus, EntryKind::DividendTax, EntryKind::OtherFee};
constexpr std::array kFeeFields = {TextEntryCommission, TextEntryStamp, TextEntryTransfer,
                                   TextEntryOther};
constexpr std::array kFeeRules = {JournalMoneyField::Commission, JournalMoneyField::StampDuty,
                                  JournalMoneyField::TransferFee, JournalMoneyField::OtherFees};

bool isTrade(EntryKind kind) {
    return kind == EntryKind::Buy || kind == EntryKind::Sell;
}

std::string moneyText(Money m) {
    return formatPrice(m, 2);
}

std::int64_t wholeSharesOf(Money quantity) {
    return quantity.ticks() / Money::kTicksPerYuan;
}

std::string priceText(Money m) {
    return formatPrice(m, m.isWholeFen() ? 2 : 3);
}

}  // namespace

void JournalWindows::openEntry(const journal::Entry* entry) {
    if (!m_ui.isLoaded(FormId::FormEntry)) {
        m_ui.load(FormId::FormEntry);
        std::vector<std::string> labels;
        labels.reserve(kKinds.size());
        for (EntryKind kind : kKinds) {
            labels.emplace_back(journal::kindLabel(kind));
        }
        m_ui.setEntries(ComboEntryKind, labels);
    }
    const journal::Entry shown = entry != nullptr ? *entry : journal::Entry{};
    m_editing = entry != nullptr ? std::optional(entry->id) : std::nullopt;
    m_ui.setText(ComboEntryKind, journal::kindLabel(shown.kind));
    m_ui.setText(TextEntryCode, shown.code);
    m_ui.setText(TextEntryName, shown.name);
    m_ui.setText(DateEntry, (entry != nullptr ? shown.date : TradeDate::today()).iso());
    const bool trade = isTrade(shown.kind);
    const bool bonus = shown.kind == EntryKind::Bonus;
    m_ui.setText(TextEntryQty, entry != nullptr && (trade || bonus)
                                   ? formatGroupedWhole(Money::fromYuan(shown.quantity))
                                   : "");
    m_ui.setText(TextEntryPrice, entry != nullptr && trade ? priceText(shown.price) : "");
    m_ui.setText(TextEntryPerTen, "");
    m_ui.setText(TextEntryTotal,
                 entry != nullptr && !trade && !bonus ? moneyText(shown.amount) : "");
    const std::array fees = {shown.commission, shown.stampDuty, shown.transferFee, shown.otherFees};
    for (std::size_t i = 0; i < kFeeFields.size(); ++i) {
        m_ui.setText(kFeeFields[i], entry != nullptr && trade ? moneyText(fees[i]) : "");
        m_proposedFees[i].clear();
    }
    m_proposedFor.clear();
    enableEntryFields();
    m_ui.show(FormId::FormEntry);
    m_ui.setFocus(TextEntryCode);
    m_ui.selectAllInFocused();
}

EntryKind JournalWindows::entryKind() const {
    const std::string label = m_ui.text(ComboEntryKind);
    for (EntryKind kind : kKinds) {
        if (journal::kindLabel(kind) == label) {
            return kind;
        }
    }
    return EntryKind::Buy;
}

void JournalWindows::enableEntryFields() {
    const EntryKind kind = entryKind();
    const bool trade = isTrade(kind);
    const bool perTen = kind == EntryKind::Dividend || kind == EntryKind::Bonus;
    m_ui.setEnabled(TextEntryQty, trade || kind == EntryKind::Bonus);
    m_ui.setEnabled(TextEntryPrice, trade);
    m_ui.setEnabled(TextEntryPerTen, perTen);
    m_ui.setEnabled(TextEntryTotal, !trade && kind != EntryKind::Bonus);
    for (Ctl fee : kFeeFields) {
        m_ui.setEnabled(fee, trade);
    }
}

void JournalWindows::entryKindChosen() {
    enableEntryFields();
    proposeFees();
}

void JournalWindows::entryEnter(Ctl field) {
    proposeFees();
    if (!focusNextInput(field)) {
        entryOk();  // Enter in the last field that takes input
    }
}

void JournalWindows::entryFocus(Ctl field) {
    if (std::ranges::find(kFeeFields, field) != kFeeFields.end()) {
        proposeFees();
    }
    m_ui.selectAllInFocused();
}

void JournalWindows::entryDateSet() {
    proposeFees();
}

// The fees a broker charges a new purchase or sale under the rules of its date, at the
// commission rate the main window's list shows and the minimum in force (the program's own rules
// have none of the user's: 5 yuan). Nothing is proposed before the dated rules begin, for a code no
// market uses, or while the quantity or price are not yet figures. A fee the user typed over keeps
// its text.
void JournalWindows::proposeFees() {
    const EntryKind kind = entryKind();
    if (m_editing || !isTrade(kind)) {
        return;
    }
    const std::string code(trimBlanks(m_ui.text(TextEntryCode)));
    const auto market = journal::marketOfCode(code);
    const auto date = readDateText(m_ui.text(DateEntry));
    const auto quantity = numberTextToMoney(m_ui.text(TextEntryQty));
    const auto price = numberTextToMoney(m_ui.text(TextEntryPrice));
    if (!market || !date || !date->isValid() || *date < kFirstRulesDate || !quantity || !price ||
        *quantity <= Money() || !quantity->isWholeFen() || *price < Money()) {
        return;
    }
    const std::string inputs = std::string(journal::kindKey(kind)) + " " + code + " " +
                               date->iso() + " " + formatMoneyGeneral(*quantity) + " " +
                               formatMoneyGeneral(*price);
    if (inputs == m_proposedFor) {
        return;
    }
    FeeRules rules = m_rules.rules();
    rules.commissionPpm =
        parseCommissionRate(m_choices.commissionText).value_or(rules.commissionPpm);
    if (rules.own()) {
        rules.minCommission = kMinCommission;
    }
    rules.kind = RuleKind::OnDate;
    rules.date = *date;
    const auto amount = Money::mul(*price, *quantity);
    const auto fees =
        amount ? eraFees(rules, *market, kind == EntryKind::Buy ? TradeSide::Buy : TradeSide::Sell,
                         *amount, *quantity)
               : std::nullopt;
    if (!fees) {
        return;
    }
    const std::array proposed = {moneyText(fees->commission), moneyText(fees->stampDuty),
                                 moneyText(fees->transferFee), moneyText(Money())};
    for (std::size_t i = 0; i < kFeeFields.size(); ++i) {
        if (m_ui.text(kFeeFields[i]) == m_proposedFees[i]) {
            m_ui.setText(kFeeFields[i], proposed[i]);
        }
        m_proposedFees[i] = proposed[i];
    }
    m_proposedFor = inputs;
}

bool JournalWindows::readTradeFigures(journal::Entry& e) {
    const Verdict quantity = ruleJournalQuantity(m_ui.text(TextEntryQty));
    if (!applyVerdict(m_ui, TextEntryQty, quantity)) {
        return false;
    }
    const Verdict price = ruleJournalPrice(m_ui.text(TextEntryPrice));
    if (!applyVerdict(m_ui, TextEntryPrice, price)) {
        return false;
    }
    std::array<Money, 4> fees{};
    for (std::size_t i = 0; i < kFeeFields.size(); ++i) {
        const Verdict fee = ruleJournalMoney(m_ui.text(kFeeFields[i]), kFeeRules[i]);
        if (!applyVerdict(m_ui, kFeeFields[i], fee, &fees[i])) {
            return false;
        }
    }
    e.quantity = wholeSharesOf(*quantity.stored);
    e.price = *price.stored;
    e.amount = Money::mul(e.price, *quantity.stored).value_or(Money());
    e.commission = fees[0];
    e.stampDuty = fees[1];
    e.transferFee = fees[2];
    e.otherFees = fees[3];
    return true;
}

// Reads the fields in tab order into `e`; a refused field gets its message, the focus and the
// selection, and ends the reading.
bool JournalWindows::readEntry(journal::Entry& e) {
    e.kind = entryKind();
    const Verdict code = ruleJournalCode(m_ui.text(TextEntryCode));
    if (!applyVerdict(m_ui, TextEntryCode, code)) {
        return false;
    }
    const Verdict date = ruleJournalDate(m_ui.text(DateEntry), TradeDate::today());
    if (!applyVerdict(m_ui, DateEntry, date)) {
        return false;
    }
    e.code = *code.shown;
    e.name = std::string(trimBlanks(m_ui.text(TextEntryName)));
    e.date = *TradeDate::parse(*date.shown);
    if (isTrade(e.kind)) {
        return readTradeFigures(e);
    }
    // Dividends and bonus shares may be given per 10 shares held on the day, or as what came.
    const std::int64_t held = heldOn(e.code, e.date, m_editing);
    const bool perTen = !trimBlanks(m_ui.text(TextEntryPerTen)).empty();
    if (e.kind == EntryKind::Bonus) {
        if (!perTen && !trimBlanks(m_ui.text(TextEntryQty)).empty()) {
            const Verdict quantity = ruleJournalQuantity(m_ui.text(TextEntryQty));
            if (!applyVerdict(m_ui, TextEntryQty, quantity)) {
                return false;
            }
            e.quantity = wholeSharesOf(*quantity.stored);
            return true;
        }
        const Verdict ratio = ruleJournalPerTen(m_ui.text(TextEntryPerTen), PerTenField::Bonus);
        if (!applyVerdict(m_ui, TextEntryPerTen, ratio)) {
            return false;
        }
        // Fractions of a share are paid out in cash, not recorded as shares.
        e.quantity = ratio.stored->ticks() * held / (10 * Money::kTicksPerYuan);
        return true;
    }
    if (e.kind == EntryKind::Dividend && perTen && trimBlanks(m_ui.text(TextEntryTotal)).empty()) {
        const Verdict cash = ruleJournalPerTen(m_ui.text(TextEntryPerTen), PerTenField::Cash);
        if (!applyVerdict(m_ui, TextEntryPerTen, cash)) {
            return false;
        }
        // Per 10 shares × shares ÷ 10, rounded half up to the fen as the journal's other sums.
        constexpr Int128 kTicksPerFen = Money::kTicksPerYuan / 100;
        const Int128 fen = divRoundHalfUp(Int128{cash.stored->ticks()} * held, 10 * kTicksPerFen);
        e.amount = Money::fromTicks(static_cast<std::int64_t>(fen * kTicksPerFen));
        m_ui.setText(TextEntryTotal, moneyText(e.amount));
        return true;
    }
    if (e.kind == EntryKind::Dividend && trimBlanks(m_ui.text(TextEntryTotal)).empty()) {
        ShowInputError(m_ui, TextEntryPerTen, msg::kJournalDividendMissing);
        return false;
    }
    const Verdict total = ruleJournalMoney(m_ui.text(TextEntryTotal), JournalMoneyField::Total);
    return applyVerdict(m_ui, TextEntryTotal, total, &e.amount);
}

void JournalWindows::entryOk() {
    journal::Entry e;
    if (m_editing) {
        const auto it = std::ranges::find(m_entries, *m_editing, &journal::Entry::id);
        if (it != m_entries.end()) {
            e.origin = it->origin;
        }
        e.id = *m_editing;
    }
    // Fees the user left as proposed follow the inputs as they are now.
    proposeFees();
    if (!storeReady() || !readEntry(e)) {
        return;
    }
    if (e.kind == EntryKind::Sell && !saleAllowed(e, TextEntryQty, m_editing)) {
        return;
    }
    if (write(e)) {
        m_ui.hide(FormId::FormEntry);
        refresh();
    }
}

void JournalWindows::closeEntry() {
    m_ui.hide(FormId::FormEntry);
}

}  // namespace zm
