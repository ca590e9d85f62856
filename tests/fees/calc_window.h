#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fees/calc_state.h"
#include "fees/fee_schedule.h"
#include "fees/number_text.h"
#include "fees/window_model.h"
#include "support/memory_window_model.h"

namespace zm::test {

// A main window in memory with its market and rate lists set, and the calculation state.
struct CalcWindow {
    MemoryWindowModel ui;
    CalcState st;

    // market: "Option1" Shanghai, "Option2" Shenzhen, "Option3" fund or warrant.
    CalcWindow(std::string_view market, std::string_view commission, std::string_view stampDuty) {
        ui.declareRateLists();
        ui.setText(f1("Combo1"), commission);
        ui.setText(f1("Combo2"), stampDuty);
        ui.setChecked(f1(market), true);
    }

    std::string text(std::string_view name) const { return ui.text(f1(name)); }
    void set(std::string_view name, std::string_view text) { ui.setText(f1(name), text); }
    const MemoryWindowModel::Control* control(std::string_view name) const {
        return ui.find(f1(name));
    }
    Rgb foreColor(std::string_view name) const {
        const auto* c = control(name);
        return c ? c->foreColor : kBlack;
    }
};

inline Money money(std::string_view text) {
    return numberTextToMoney(text).value();
}

}  // namespace zm::test
