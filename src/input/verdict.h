#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "fees/money.h"

namespace zm {

// What an input rule decides about a typed text, before anything is shown or stored: accepted,
// with the text the field is rewritten to and the value stored for it, or refused with its
// message. A refusal by a range test of a main-window price or quantity carries a stored value
// too, because that value is stored all the same (validation.h).
struct Verdict {
    bool accepted = false;
    std::string_view message;          // the refusal's message box text; empty when accepted
    std::optional<std::string> shown;  // the rewritten text; nullopt leaves the text as typed
    std::optional<Money> stored;       // the value to store; nullopt stores nothing

    static Verdict accept(std::optional<std::string> shown,
                          std::optional<Money> stored = std::nullopt) {
        return Verdict{true, {}, std::move(shown), stored};
    }
    static Verdict refuse(std::string_view message, std::optional<Money> stored = std::nullopt) {
        return Verdict{false, message, std::nullopt, stored};
    }
};

}  // namespace zm
