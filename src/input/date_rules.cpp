#include "input/date_rules.h"

#include <string>

#include "fees/number_text.h"
#include "view/messages.h"

namespace zm {
namespace {

// The leading digits of `s` (at most `most`, at least one), as a number; the digits are taken off
// `s`. -1 when `s` does not start with a digit.
int takeNumber(std::string_view& s, std::size_t most) {
    std::size_t n = 0;
    int value = 0;
    while (n < s.size() && n < most && s[n] >= '0' && s[n] <= '9') {
        value = value * 10 + (s[n] - '0');
        ++n;
    }
    s.remove_prefix(n);
    return n == 0 ? -1 : value;
}

bool allDigits(std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

std::optional<TradeDate> readDateText(std::string_view text) {
    std::string ascii = asciiNumberText(text);
    // The full-width solidus of a Chinese input method, as "/".
    for (std::size_t at = ascii.find("／"); at != std::string::npos; at = ascii.find("／")) {
        ascii.replace(at, std::string_view("／").size(), "/");
    }
    std::string_view s = trimBlanks(ascii);
    if (s.size() == 8 && allDigits(s)) {
        std::string_view year = s.substr(0, 4);
        std::string_view month = s.substr(4, 2);
        std::string_view day = s.substr(6, 2);
        return TradeDate{takeNumber(year, 4), takeNumber(month, 2), takeNumber(day, 2)};
    }
    if (s.size() < 8 || !allDigits(s.substr(0, 4))) {
        return std::nullopt;
    }
    const int year = takeNumber(s, 4);
    const char mark = s.front();
    if (mark != '-' && mark != '/' && mark != '.') {
        return std::nullopt;
    }
    s.remove_prefix(1);
    const int month = takeNumber(s, 2);
    if (month < 0 || s.empty() || s.front() != mark) {
        return std::nullopt;
    }
    s.remove_prefix(1);
    const int day = takeNumber(s, 2);
    if (day < 0 || !s.empty()) {
        return std::nullopt;
    }
    return TradeDate{year, month, day};
}

Verdict ruleDate(std::string_view text, const DateRule& field) {
    const auto date = readDateText(text);
    if (!date) {
        return Verdict::refuse(field.notDate);
    }
    if (!date->isValid()) {
        return Verdict::refuse(field.noSuchDay);
    }
    if (*date < field.earliest) {
        return Verdict::refuse(field.tooEarly);
    }
    return Verdict::accept(date->iso());
}

Verdict ruleTradeDate(std::string_view text) {
    static constexpr DateRule kTradeDate{kFirstRulesDate, msg::kRulesDateNotDate,
                                         msg::kRulesDateInvalid, msg::kRulesDateTooEarly};
    return ruleDate(text, kTradeDate);
}

}  // namespace zm
