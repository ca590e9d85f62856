#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "fees/money.h"
#include "fees/window_model.h"

namespace zm {

// The number test of the batch dialogs' captured values: true when the text is a number text of
// at least 0.01 (compared as a double). Empty text, letters, 0, 0.009 and negatives give false.
// Used for prices and quantities alike.
bool isValidPriceText(std::string_view text);
// The same on a field's current text.
bool IsValidPrice(const WindowModel& ui, Ctl field);

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

}  // namespace zm
