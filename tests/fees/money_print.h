#pragma once

#include <ostream>

#include "fees/display_format.h"
#include "fees/money.h"

namespace zm {

// Failure messages show Money as its general text ("16.6", "-0.015") instead of raw bytes.
inline void PrintTo(Money m, std::ostream* os) {
    *os << formatMoneyGeneral(m);
}

}  // namespace zm
