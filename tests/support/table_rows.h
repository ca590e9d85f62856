// What the table-driven tests share: row names for parameterised tests, Money from a number
// text, and Money printed as a figure.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "fees/display_format.h"
#include "fees/money.h"
#include "fees/number_text.h"

namespace zm {

inline void PrintTo(Money m, std::ostream* os) {
    *os << formatMoneyGeneral(m);
}

namespace test {

// The name of a table row, for the names of parameterised tests.
struct RowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};
inline constexpr RowName rowName;

// Money from a number text, for expectations.
inline Money money(std::string_view text) {
    return numberTextToMoney(text).value();
}

}  // namespace test
}  // namespace zm
