#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "fees/fee_rules.h"
#include "fees/fee_schedule.h"
#include "fees/money.h"

namespace zm {

// The number test of the batch dialogs' captured values: true when the text is a number text of
// at least 0.01 (compared as a double). Empty text, letters, 0, 0.009 and negatives give false.
// Used for prices and quantities alike.
bool isValidPriceText(std::string_view text);

// The captured value of a batch field as a number: the value of its text, 0 for the empty text
// (and for any text that is no number, which a capture never produces).
double capturedNumber(std::string_view captured);

enum class BatchSide { Buy, Sell };

// The Shanghai transfer fee of a purchase or sale filled in three batches, in yuan: each batch
// pays its quantity × 0.001, at least 1 when its quantity is positive; a batch of no shares pays
// nothing. Summed in double as (f1 + f2) + f3, not rounded.
double batchTransferFee(double q1, double q2, double q3);

// Why a batch computation cannot be carried out: the figures it would write leave the range the
// calculations are built for (limits.h). `field` is the dialog field to correct (0 … 5 for
// Text1 … Text6), or nullopt when the main window's dividend Text22 is to blame.
struct BatchRefusal {
    std::optional<int> field;
    std::string_view message;
    friend bool operator==(const BatchRefusal&, const BatchRefusal&) = default;
};

// Checks, before anything is written, that every figure of the batch computation stays inside
// the supported range. `values` are p1, q1, p2, q2, p3, q3 as numbers (0 for an empty capture);
// the total quantity must be positive. `dividend` is the number in Text22 (buy side only;
// ignored for a sale). The tests, first failing one reported:
//  - each field in turn: a price above 2,147,483.647 (a dialog price) or a quantity above the
//    side's quantity limit;
//  - batch by batch, the running total quantity above the side's quantity limit, and the running
//    trade sum above 100,000,000,000 yuan (both on the quantity field of that batch);
//  - a total quantity that shows as no shares at all ("###,###" of less than half a share), on
//    the first batch with a quantity: the combined price and cost per share would divide by it;
//  - the combined price rounded to fen times the quantity shown, the trade amount the main window
//    then holds, above 100,000,000,000 yuan (on the last batch with a quantity);
//  - buy side: a dividend per 10 shares beyond ±21,474,836.47, or a dividend total
//    (dividend × quantity × 0.1) beyond ±100,000,000,000 yuan.
std::optional<BatchRefusal> checkBatchRange(BatchSide side, const std::array<double, 6>& values,
                                            double dividend);

// The cost per share of step "cost per share" of the batch purchase: (T + F) / N raised to the
// next whole fen, where T, F and N are the texts of the trade amount, the fee total and the
// quantity as the main window shows them. A quotient that is a whole number of fen stays.
// When the three texts are exact decimals of at most four places (always so for the figures the
// dialog writes within its range) the quotient is taken exactly, so 1,005.00 / 100 is 10.05 and
// never 10.06; otherwise the double quotient is raised (x × 100 rounded half to even, one fen
// more when x × 100 lies above it). nullopt when a text is no number or N is 0.
std::optional<Money> batchCostPerShare(std::string_view amountText, std::string_view feeTotalText,
                                       std::string_view quantityText);

// The yield of a round trip in percent: L / P × 10000 rounded to the nearest integer (halves to
// even), divided by 100. nullopt when P is 0 (no yield on nothing paid) or the result leaves the
// range a field can show.
std::optional<Money> batchYieldPercent(double profitLoss, double amountPaid);

// What a batch computation reads from the main window: the two list rates, whether Shanghai
// (Option1) is chosen and the market, and the texts of the dividend (Text22), the amount paid
// (Text10) and the profit (Text19) as they are before the computation.
struct BatchWindowTexts {
    double commissionRate = 0.0;
    double stampDutyRate = 0.0;
    bool shanghai = false;
    std::string dividend;
    std::string amountPaid;
    std::string profit;
    Market market = Market::ShanghaiA;
};

// The main-window texts that one side of a combined trade writes, in the order of the steps:
// the combined price, the total quantity, the trade amount, the commission (written a second
// time as the minimum when it shows below it), the stamp duty, the transfer fee and the fee
// total.
struct CombinedTradeTexts {
    std::string price, quantity, amount, commission;
    std::optional<std::string> commissionMinimum;
    std::string stampDuty, transferFee, feeTotal;
};

// The batch purchase under the program's own rules: the combined trade into Text1 … Text7, then
// the cost per share (Text8), the break-even price (Text9) and the amount paid (Text10).
// Under trade-date rules a dividend text that holds no number is shown as "0" (dividendFix).
struct BatchBuyTexts {
    CombinedTradeTexts trade;
    std::optional<std::string> dividendFix;
    std::string costPerShare, breakEven, amountPaid;
};
// The batch sale: the combined trade into Text11 … Text17 and the amount received (Text20); with
// an amount paid on screen the profit (Text19) and the yield (Text18); and the gain or loss mark
// of the profit as Text19 then shows it (none when it holds no number).
struct BatchSellTexts {
    CombinedTradeTexts trade;
    std::string received;
    std::optional<std::string> profit;
    std::string yield;
    std::optional<bool> loss;
};

// The combined trades under the program's own rules, from the captured values p1, q1 … p3, q3.
// Each figure is worked from the one before it as its field shows it (formatted, then read
// back). nullopt when there are no shares or a figure leaves the supported range
// (checkBatchRange): then nothing is written.
std::optional<BatchBuyTexts> batchBuy(const std::array<double, 6>& values,
                                      const BatchWindowTexts& w);
std::optional<BatchSellTexts> batchSell(const std::array<double, 6>& values,
                                        const BatchWindowTexts& w);

// The combined trades under `rules`: the program's own as above, or a trade date's, where the
// batches are fills of one order (exact Money; one commission with its minimum, stamp duty and
// transfer fee on the combined amount, each half up; the combined price half up to the
// market's step). The one place a batch computation chooses between the two.
std::optional<BatchBuyTexts> batchBuy(const FeeRules& rules, const std::array<double, 6>& values,
                                      const BatchWindowTexts& w);
std::optional<BatchSellTexts> batchSell(const FeeRules& rules, const std::array<double, 6>& values,
                                        const BatchWindowTexts& w);

}  // namespace zm
