#include "fees/fee_schedule.h"

#include <algorithm>

#include "fees/display_format.h"
#include "fees/number_text.h"

namespace zm {

const std::array<std::string, 31>& commissionRateEntries() {
    static const std::array<std::string, 31> entries = [] {
        std::array<std::string, 31> e;
        for (int i = 0; i < 31; ++i) {
            const int tenths = 30 - i;
            e[static_cast<std::size_t>(i)] =
                std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        }
        return e;
    }();
    return entries;
}

const std::array<std::string, 7>& stampDutyRateEntries() {
    static const std::array<std::string, 7> entries{"6", "5", "4", "3", "2", "1", "0"};
    return entries;
}

bool isCommissionRateEntry(std::string_view text) {
    const auto& e = commissionRateEntries();
    return std::find(e.begin(), e.end(), text) != e.end();
}

bool isStampDutyRateEntry(std::string_view text) {
    const auto& e = stampDutyRateEntries();
    return std::find(e.begin(), e.end(), text) != e.end();
}

std::optional<Money> proportionalFee(double ratePerMille, Money amount) {
    return fenRound(ratePerMille * amount.toDouble() * 0.001);
}

Money withCommissionMinimum(Money shownCommission) {
    return shownCommission < kMinCommission ? kMinCommission : shownCommission;
}

std::optional<Money> chargedCommission(Money computed) {
    const auto shown = numberTextToMoney(formatAmount(computed));
    return shown ? std::optional<Money>(withCommissionMinimum(*shown)) : std::nullopt;
}

Money transferFee(Market market, Money quantity) {
    if (market != Market::ShanghaiA) {
        return Money();
    }
    const double x = quantity.toDouble() * 0.001;
    if (x >= 1.0) {
        // Any Money quantity times 0.001 lies far inside Money's range: this cannot fail.
        return Money::fromDouble(x).value_or(Money());
    }
    return kMinTransferFee;
}

}  // namespace zm
