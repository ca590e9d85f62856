// The calculations of the tools menu's dialogs: each reads its fields in order through their
// input rules (src/input/holding_rules.h), hands the figures to its tool in src/fees with the main
// window's fee basis, and writes the answer into its result fields, or refuses it with the
// message that names the field it concerns.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "fees/affordable_lots.h"
#include "fees/average_cost.h"
#include "fees/display_format.h"
#include "fees/ex_rights.h"
#include "fees/number_text.h"
#include "fees/price_limits.h"
#include "fees/swing_trade.h"
#include "input/holding_rules.h"
#include "session/apply_verdict.h"
#include "session/holding_boards.h"
#include "session/holding_dialogs.h"
#include "view/messages.h"

namespace zm {
namespace {

namespace avg = formAverage;
namespace swg = formSwing;
namespace lts = formLots;
namespace lim = formLimit;
namespace exr = formExRights;

constexpr std::array kAverageResults = {
    avg::TextAvgNeed,      avg::TextAvgAmount,  avg::TextAvgFees,     avg::TextAvgPaid,
    avg::TextAvgNewShares, avg::TextAvgNewCost, avg::TextAvgBreakEven};
constexpr std::array kSwingResults = {swg::TextSwingBuyPaid, swg::TextSwingSellNet,
                                      swg::TextSwingProfit, swg::TextSwingNewCost,
                                      swg::TextSwingBreakEven};
constexpr std::array kLotsResults = {lts::TextLotsShares, lts::TextLotsAmount, lts::TextLotsFees,
                                     lts::TextLotsPaid, lts::TextLotsLeft};
constexpr std::array kLimitResults = {lim::TextLimitUp, lim::TextLimitDown};
constexpr std::array kExRightsResults = {exr::TextExPrice};

std::span<const Ctl> resultsOf(FormId dialog) {
    switch (dialog) {
        case FormId::FormAverage:
            return kAverageResults;
        case FormId::FormSwing:
            return kSwingResults;
        case FormId::FormLots:
            return kLotsResults;
        case FormId::FormLimit:
            return kLimitResults;
        case FormId::FormExRights:
            return kExRightsResults;
        default:
            return {};
    }
}

auto priceRule(PriceField field, Money step) {
    return [field, step](std::string_view text) { return ruleToolPrice(text, field, step); };
}

auto per10Rule(Per10Field field) {
    return [field](std::string_view text) { return rulePer10(text, field); };
}

std::string priceText(const std::optional<Money>& price, int decimals) {
    return price ? formatPrice(*price, decimals) : std::string();
}

// Whether a profit is a loss as its field shows it: one of less than half a fen shows 0.00 and
// counts as none, as on the main window.
bool shownAsLoss(Money profit) {
    return numberTextToMoney(formatAmount(profit)).value_or(Money()) < Money();
}

// 做T股数: at most the holding, and a purchase the board allows, as the buy (or the buy-back)
// of the same count is one.
auto swingSharesRule(Money held, Board board) {
    return [held, board](std::string_view text) {
        Verdict v = ruleSwingShares(text, held);
        if (!v.accepted || isLegalPurchase(board, *v.stored)) {
            return v;
        }
        if (*v.stored < Money::fromYuan(lotRule(board).first)) {
            return Verdict::refuse(board == Board::Star ? msg::kSwingSharesStarMin
                                                        : msg::kSwingSharesMin100);
        }
        return Verdict::refuse(msg::kSwingSharesLot);
    };
}

}  // namespace

bool HoldingDialogs::refuse(Ctl field, std::string_view message) {
    if (!m_quiet) {
        ShowInputError(m_ui, field, message);
    }
    return false;
}

void HoldingDialogs::recompute(FormId dialog) {
    const std::span<const Ctl> results = resultsOf(dialog);
    if (!m_ui.isLoaded(dialog) || results.empty() || m_ui.text(results.front()).empty()) {
        return;  // a dialog never calculated, or cleared, stays blank
    }
    m_quiet = true;
    FieldReader reader(m_ui, std::nullopt, true);
    const bool shown = run(dialog, reader);
    m_quiet = false;
    if (!shown) {
        clearResults(dialog);
    }
}

void HoldingDialogs::clearResults(FormId dialog) {
    for (Ctl c : resultsOf(dialog)) {
        m_ui.setText(c, "");
    }
    if (dialog == FormId::FormSwing) {
        m_ui.setForeColor(swg::LabelSwingProfit, kBlack);
    } else if (dialog == FormId::FormExRights) {
        m_ui.setEnabled(exr::cmdExLimit, false);
    }
}

// Every refusal below that is not named was made by the field rules first: the tools refuse
// as invalid only figures those rules do not let through.

bool HoldingDialogs::average(FieldReader& r) {
    const Money step = priceStep();
    const Board board = boardOf(kBoards, m_ui.text(avg::ComboAvgBoard));
    const bool byCount = m_ui.isChecked(avg::OptAvg_0);
    const Money held = r.read(avg::TextAvgHeld, ruleHeldShares);
    const Money cost = r.read(avg::TextAvgCost, ruleCostPerShare);
    const Money price = r.read(avg::TextAvgPrice, priceRule(PriceField::Buy, step));
    const Money given =
        byCount ? r.read(avg::TextAvgShares,
                         [board](std::string_view text) { return ruleAddShares(text, board); })
                : r.read(avg::TextAvgTarget, ruleTargetCost);
    if (!r.complete() || !commissionReady()) {
        return false;
    }
    const AverageDownInput in{basis(), board, held, cost, price};
    const auto answer = byCount ? averageDownBy(in, given) : averageDownTo(in, given);
    if (!answer) {
        using R = AverageDownRefusal;
        switch (answer.reason()) {
            case R::CountNotLegal:
                return refuse(avg::TextAvgShares, msg::kAddSharesLot);
            case R::HoldingTooLarge:
                return refuse(avg::TextAvgHeld, msg::kHoldingCostMax);
            case R::AmountTooLarge:
                return refuse(avg::TextAvgShares, msg::kBuyAmountMax);
            case R::TargetNotBelowCost:
                return refuse(avg::TextAvgTarget, msg::kTargetCostNotBelowCost);
            case R::TargetNotAbovePrice:
                return refuse(avg::TextAvgTarget, msg::kTargetCostNotAbovePrice);
            case R::TargetUnreachable:
                return refuse(avg::TextAvgTarget, msg::kTargetCostUnreachable);
            case R::TargetAtFeeEdge:
                return refuse(avg::TextAvgTarget, msg::kTargetCostAtFeeEdge);
            case R::InvalidInput:
                break;
        }
        return false;
    }
    const AverageDownResult& a = *answer;
    m_ui.setText(avg::TextAvgNeed, formatGroupedWhole(a.sharesBought));
    m_ui.setText(avg::TextAvgAmount, formatAmount(a.purchase.amount));
    m_ui.setText(avg::TextAvgFees, formatAmount(a.purchase.fees.total));
    m_ui.setText(avg::TextAvgPaid, formatAmount(a.purchase.net));
    m_ui.setText(avg::TextAvgNewShares, formatGroupedWhole(a.sharesHeld));
    m_ui.setText(avg::TextAvgNewCost, formatCostPerShare(a.newCost));
    m_ui.setText(avg::TextAvgBreakEven, priceText(a.breakEven, stepDecimals(step)));
    return true;
}

bool HoldingDialogs::swing(FieldReader& r) {
    const Money step = priceStep();
    const Board board = boardOf(kBoards, m_ui.text(swg::ComboSwingBoard));
    const SwingOrder order =
        m_ui.isChecked(swg::OptSwing_0) ? SwingOrder::BuyFirst : SwingOrder::SellFirst;
    const Money held = r.read(swg::TextSwingHeld, ruleHeldShares);
    const Money cost = r.read(swg::TextSwingCost, ruleCostPerShare);
    const Money quantity = r.read(swg::TextSwingQty, swingSharesRule(held, board));
    // The two prices in the order of the trades, as Enter walks them.
    Money buy;
    Money sell;
    if (order == SwingOrder::BuyFirst) {
        buy = r.read(swg::TextSwingBuy, priceRule(PriceField::Buy, step));
        sell = r.read(swg::TextSwingSell, priceRule(PriceField::Sell, step));
    } else {
        sell = r.read(swg::TextSwingSell, priceRule(PriceField::Sell, step));
        buy = r.read(swg::TextSwingBuy, priceRule(PriceField::Buy, step));
    }
    if (!r.complete() || !commissionReady()) {
        return false;
    }
    const auto answer = swingTrade({basis(), order, held, cost, quantity, buy, sell});
    if (!answer) {
        switch (answer.reason()) {
            case SwingRefusal::QuantityAboveHolding:
                return refuse(swg::TextSwingQty, msg::kSwingSharesAboveHeld);
            case SwingRefusal::HoldingTooLarge:
                return refuse(swg::TextSwingHeld, msg::kHoldingCostMax);
            case SwingRefusal::BuyAmountTooLarge:
                return refuse(swg::TextSwingBuy, msg::kBuyAmountMax);
            case SwingRefusal::SellAmountTooLarge:
                return refuse(swg::TextSwingSell, msg::kSellAmountMax);
            case SwingRefusal::InvalidInput:
                break;
        }
        return false;
    }
    const SwingResult& s = *answer;
    m_ui.setText(swg::TextSwingBuyPaid, formatAmount(s.bought.net));
    m_ui.setText(swg::TextSwingSellNet, formatAmount(s.sold.net));
    m_ui.setText(swg::TextSwingProfit, formatAmount(s.profit));
    m_ui.setForeColor(swg::LabelSwingProfit, shownAsLoss(s.profit) ? kBlue : kRed);
    m_ui.setText(swg::TextSwingNewCost, formatCostPerShare(s.newCost));
    m_ui.setText(swg::TextSwingBreakEven, priceText(s.breakEven, stepDecimals(step)));
    return true;
}

bool HoldingDialogs::lots(FieldReader& r) {
    const Money step = priceStep();
    const Money cash = r.read(lts::TextLotsCash, ruleCash);
    const Money price = r.read(lts::TextLotsPrice, priceRule(PriceField::Buy, step));
    if (!r.complete() || !commissionReady()) {
        return false;
    }
    const Board board = boardOf(kBoards, m_ui.text(lts::ComboLotsBoard));
    const auto answer = affordableShares({basis(), board, cash, price});
    if (!answer) {
        if (answer.reason() == AffordableRefusal::NotEnoughForOneLot) {
            return refuse(lts::TextLotsCash, board == Board::Star ? msg::kNotEnoughForStarMin
                                                                  : msg::kNotEnoughForOneLot);
        }
        return false;
    }
    m_ui.setText(lts::TextLotsShares, formatGroupedWhole(answer->shares));
    m_ui.setText(lts::TextLotsAmount, formatAmount(answer->purchase.amount));
    m_ui.setText(lts::TextLotsFees, formatAmount(answer->purchase.fees.total));
    m_ui.setText(lts::TextLotsPaid, formatAmount(answer->purchase.net));
    m_ui.setText(lts::TextLotsLeft, formatAmount(answer->cashLeft));
    return true;
}

bool HoldingDialogs::limit(FieldReader& r) {
    const LimitBoard board = boardOf(kLimitBoards, m_ui.text(lim::ComboLimitBoard));
    const Money close = r.read(lim::TextLimitClose, priceRule(PriceField::Close, limitTick(board)));
    r.read(lim::DateLimit, ruleLimitDate);
    const auto date = TradeDate::parse(m_ui.text(lim::DateLimit));
    if (!r.complete() || !date) {
        return false;
    }
    const auto answer = priceLimits(close, board, *date);
    if (!answer) {
        if (answer.reason() == PriceLimitRefusal::DateTooEarly) {
            return refuse(lim::DateLimit, msg::kLimitDateTooEarly);
        }
        return false;
    }
    const int decimals = stepDecimals(answer->tick);
    m_ui.setText(lim::TextLimitUp, formatPrice(answer->upper, decimals));
    m_ui.setText(lim::TextLimitDown, formatPrice(answer->lower, decimals));
    return true;
}

bool HoldingDialogs::exRights(FieldReader& r) {
    const Money close = r.read(exr::TextExClose, priceRule(PriceField::Close, Money::fromFen(1)));
    const Money cash = r.read(exr::TextExCash, per10Rule(Per10Field::Cash));
    const Money bonus = r.read(exr::TextExBonus, per10Rule(Per10Field::Bonus));
    const Money rights = r.read(exr::TextExRights, per10Rule(Per10Field::Rights));
    // The rights price counts only with rights shares; without them its field is not read.
    const Money rightsPrice =
        rights > Money() ? r.read(exr::TextExRightsPrice, ruleRightsPrice) : Money();
    if (!r.complete()) {
        return false;
    }
    const auto answer = exRightsPrice({close, cash, bonus, rights, rightsPrice});
    if (!answer) {
        if (answer.reason() == ExRightsRefusal::NotAboveZero) {
            return refuse(exr::TextExCash, msg::kExRightsNotPositive);
        }
        return false;
    }
    m_ui.setText(exr::TextExPrice, formatPrice(*answer));
    m_ui.setEnabled(exr::cmdExLimit, true);
    return true;
}

}  // namespace zm
