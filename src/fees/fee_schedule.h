#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "fees/money.h"

namespace zm {

// The three markets of the option buttons Option1, Option2 and Option3.
enum class Market { ShanghaiA, ShenzhenA, FundWarrant };

// Rate lists. Both rates are per mille and live as the text of the chosen list entry.
// Combo1, commission: "3.0", "2.9", … "0.1", "0.0" (31 entries, one decimal each).
const std::array<std::string, 31>& commissionRateEntries();
// Combo2, stamp duty: "6", "5", "4", "3", "2", "1", "0".
const std::array<std::string, 7>& stampDutyRateEntries();
inline constexpr std::string_view kDefaultCommissionRate = "2.7";
inline constexpr std::string_view kDefaultStampDutyRate = "3";
bool isCommissionRateEntry(std::string_view text);
bool isStampDutyRateEntry(std::string_view text);

// The commission minimum, in yuan, and the Shanghai transfer-fee minimum.
inline constexpr Money kMinCommission = Money::fromYuan(5);
// The same in yuan, for the break-even formulas, which work in double.
inline constexpr double kMinCommissionYuan = 5.0;
inline constexpr Money kMinTransferFee = Money::fromYuan(1);

// A proportional fee: fen rounding of (rate × amount × 0.001), the double product formed in this
// order (rate × amount, then × 0.001, then × 100 inside the rounding). Used for the commission
// before its minimum and for the stamp duty. nullopt when the fee leaves the supported range.
std::optional<Money> proportionalFee(double ratePerMille, Money amount);

// The commission minimum, applied to the commission as the field displays it: below 5.00 it is
// 5.00; exactly 5.00 stays.
Money withCommissionMinimum(Money shownCommission);
// The commission charged for a fen-rounded proportional commission: the minimum is tested on the
// figure as its field shows it, the formatted text read back through the number parse. Every
// path that charges a commission under the program's own rules goes through here.
std::optional<Money> chargedCommission(Money computed);

// Shanghai transfer fee of a single trade of `quantity` shares: x = quantity × 0.001 in double;
// from 1 on it is x converted to Money and not rounded to fen (1,234 shares pay 1.234); below 1
// it is the minimum 1.00. Other markets pay none.
Money transferFee(Market market, Money quantity);

}  // namespace zm
