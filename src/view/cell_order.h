#pragma once

#include <charconv>
#include <cstddef>
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
    std::string plain(cell);
    std::erase(plain, ',');
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

// Whether the row set at index `a`, whose cell in the sorted column is `x`, is shown before the
// row at index `b` with cell `y`. Descending is ascending reversed; rows whose cells sort alike
// keep the order they were set in, in both directions, so every front end shows one order.
inline bool rowBefore(std::string_view x, std::size_t a, std::string_view y, std::size_t b,
                      bool ascending) {
    if (before(x, y)) {
        return ascending;
    }
    if (before(y, x)) {
        return !ascending;
    }
    return a < b;
}

// Where a click on column `column`'s header leaves a table sorted by `sorted` (none: not sorted
// yet): a new column sorts ascending, the same column again reverses.
struct SortState {
    std::optional<int> column;
    bool ascending = true;
};
inline SortState afterHeaderClick(SortState sorted, int column) {
    if (sorted.column == column) {
        return {column, !sorted.ascending};
    }
    return {column, true};
}

}  // namespace cell_order
}  // namespace zm
