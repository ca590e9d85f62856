#include "fees/trade_fees.h"

namespace zm {

std::optional<TradeFees> tradeFees(const FeeBasis& basis, TradeSide side, Money amount,
                                   Money quantity) {
    if (!basis.rules.own()) {
        return eraFees(basis.rules, basis.market, side, amount, quantity);
    }
    const auto computed = proportionalFee(basis.commissionRate, amount);
    const auto commission = computed ? chargedCommission(*computed) : std::nullopt;
    // The fund and warrant market pays no stamp duty on a purchase; a sale pays it everywhere.
    const bool stampDutyDue = side == TradeSide::Sell || basis.market != Market::FundWarrant;
    const auto stampDuty =
        stampDutyDue ? proportionalFee(basis.stampDutyRate, amount) : std::optional<Money>(Money());
    if (!commission || !stampDuty) {
        return std::nullopt;
    }
    TradeFees f;
    f.commission = *commission;
    f.stampDuty = *stampDuty;
    // Not rounded to fen: 1,234 shares in Shanghai pay 1.234.
    f.transferFee = transferFee(basis.market, quantity);
    const auto all = checkedSum(Money::add(f.commission, f.stampDuty), f.transferFee);
    if (!all) {
        return std::nullopt;
    }
    // The buy side shows its fee total rounded to the fen and adds that figure to the amount
    // paid; the sell side keeps the exact sum.
    f.total = side == TradeSide::Buy ? fenRound(*all) : *all;
    return f;
}

}  // namespace zm
