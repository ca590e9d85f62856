#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// The order of a table's cells when the user sorts by a column, the same in every front end:
// figures ("12,588.57", "-90.00", "9.673") by their value, before any text; texts ("2024-01-31",
// "贵州茅台") by their bytes; empty cells last.
namespace cell_order {

// The value of a cell that is a figure: digits with grouping commas, a decimal point and a
// leading minus sign.
inline std::optional<double> figure(std::string_view cell) {
    std::string plain;
    for (const char ch : cell) {
        if (ch != ',') {
            plain.push_back(ch);
        }
    }
    if (plain.empty() || plain.front() == '+') {
        return std::nullopt;
    }
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

// Whether cell `a` sorts before cell `b` in ascending order.
inline bool before(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty()) {
        return !a.empty() && b.empty();
    }
    const auto x = figure(a);
    const auto y = figure(b);
    if (x && y) {
        return *x < *y;
    }
    if (x || y) {
        return x.has_value();
    }
    return a < b;
}

}  // namespace cell_order
}  // namespace zm
