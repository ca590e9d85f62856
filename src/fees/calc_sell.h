#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"

namespace zm {

// What the sell side reads from the main window besides the state: the two list rates, the
// market, whether Text10 shows an amount paid, and the sold quantity as Text12 shows it.
struct SellInputs {
    double commissionRate = 0.0;
    double stampDutyRate = 0.0;
    Market market = Market::ShenzhenA;
    bool amountPaidShown = false;
    std::string quantityText;
};

// What the sell side reads of the session's state: the sale, the purchase it is set against, and
// the remaining-share search's last figures (kept where this sale works out none).
struct SaleBasis {
    Money sellPrice;
    Money sellQty;
    Money buyQty;
    Money heldQty;  // after the bonus
    Money buyAmount;
    Money buyFeeTotal;
    Money amountPaid;
    Money remainQty;
    Money remainBasePrice;
    Money remainTarget;
    Money remainTransferFee;
    std::int32_t stepCount = 0;
};

// Everything the sell side writes and records, worked out before the first field changes.
struct SellResult {
    Money amount;
    Money commission;
    Money stampDuty;
    Money transferFee;
    Money feeTotal;
    Money received;
    Money profitLoss;
    bool loss = false;  // the profit as Text19 shows it is below zero
    // The yield, written only when Text10 shows an amount paid; nullopt empties the field.
    bool yieldShown = false;
    std::optional<Money> yield;
    // A partial sale: the remaining shares replace the profit, and their break-even the buy
    // side's (nullopt when none can be given, and the field is emptied).
    bool partial = false;
    Money remainingShares;
    std::string remainingTip;
    std::string yieldTip;  // what the yield of a partial sale is, with its realised profit
    std::optional<Money> remainingPrice;
    int priceDecimals = 2;
    // The remaining-share search's figures, as far as they could be worked out; the others keep
    // the values the state had.
    Money remainQty;
    Money remainBasePrice;
    Money remainTarget;
    Money remainTransferFee;
    std::int32_t stepCount = 0;
};

// The sell side of the main window: from the sale and the purchase in `st`, the
// sale's fees, what it brought, the profit or loss and the yield, and for a partial sale the
// remaining shares and their break-even price. Under trade-date rules the fees are those of
// `rules`, a partial sale is one of fewer shares than were held after the bonus, and the
// remaining shares' break-even is the lowest price on the market's step at which selling them
// brings back the amount paid less this sale's proceeds. nullopt when a figure leaves the
// supported range: then nothing is written.
std::optional<SellResult> CalcSell(const SellInputs& in, const SaleBasis& st,
                                   const FeeRules& rules);

// The shares sold of a holding set against the part of the amount paid they carry,
// paid × sold ÷ held: that part, the realised profit (what the sale brought less that part) and
// its yield in percent, worked exactly and each rounded half up to the fen or to a hundredth of a
// percent. The yield is nullopt when that part is no positive amount. nullopt when `held` is no
// positive number of shares.
struct RealisedSale {
    Money costPart;
    Money profit;
    std::optional<Money> yield;
};
std::optional<RealisedSale> realisedSale(Money received, Money amountPaid, Money sold, Money held);

// The fees of a sale of `quantity` shares for `amount`: under the program's own rules from the
// two list rates (the commission rounded to fen, raised to 5.00 when it shows below that, the
// stamp duty, the Shanghai transfer fee unrounded, an exact total), else those of `rules`.
// The sale side of tradeFees (trade_fees.h), kept for its callers.
std::optional<TradeFees> saleFees(const FeeRules& rules, Market market, double commissionRate,
                                  double stampDutyRate, Money amount, Money quantity);

// A yield in percent, to two decimals: profit ÷ amount paid × 10000 rounded to a whole number
// of hundredths (halves to even), then ÷ 100. nullopt when nothing was paid or the hundredths
// pass ±maxHundredths.
std::optional<Money> yieldPercent(double profitLoss, double amountPaid, std::int64_t maxHundredths);
// The yield of a round trip, nullopt when nothing was paid or the figure leaves Money's range.
std::optional<Money> roundTripYield(Money profitLoss, Money amountPaid);

}  // namespace zm
