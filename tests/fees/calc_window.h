#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fees/fee_schedule.h"
#include "fees/number_text.h"
#include "session/calc_state.h"
#include "support/memory_window_model.h"
#include "view/window_model.h"

namespace zm::test {

// A main window in memory with its market and rate lists set, and the calculation state.
struct CalcWindow {
    MemoryWindowModel ui;
    CalcState st;

    // market: form1::Option1 Shanghai, form1::Option2 Shenzhen, form1::Option3 fund or warrant.
    CalcWindow(Ctl market, std::string_view commission, std::string_view stampDuty) {
        ui.load(FormId::Form1);
        ui.declareRateLists();
        ui.setText(form1::Combo1, commission);
        ui.setText(form1::Combo2, stampDuty);
        ui.setChecked(market, true);
    }

    std::string text(Ctl name) const { return ui.text(name); }
    void set(Ctl name, std::string_view text) { ui.setText(name, text); }
    const MemoryWindowModel::Control* control(Ctl name) const { return ui.find(name); }
    Rgb foreColor(Ctl name) const {
        const auto* c = control(name);
        return c ? c->foreColor : kBlack;
    }
};

inline Money money(std::string_view text) {
    return numberTextToMoney(text).value();
}

}  // namespace zm::test
