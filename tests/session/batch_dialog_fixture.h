// The main window with the two batch dialogs, driven through the engine session on the in-memory
// window model: the Shenzhen market unless told, a settings file of its own.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "session/session.h"
#include "support/memory_window_model.h"
#include "support/temp_dir.h"

namespace zm::test {

constexpr FormId kBuy = FormId::Form4;
constexpr FormId kSell = FormId::Form3;
inline Ctl dlg(FormId d, int index) {
    return batchFields(d).at(static_cast<std::size_t>(index));
}

// The six dialog fields p1, q1, p2, q2, p3, q3.
using Batches = std::array<std::string_view, 6>;

class BatchDialog : public ::testing::Test {
protected:
    BatchDialog() : session(ui, settingsFile()) {
        ui.setUpMainWindow();
        ui.setCaption(form1::Label17, "盈亏金额");
        session.formLoad();
        ui.windowLog.clear();
    }

    // Commission and stamp duty of the worked examples, Shenzhen unless told otherwise.
    void useRates(std::string_view commission, std::string_view stampDuty, bool shanghai = false) {
        ui.setText(form1::Combo1, commission);
        ui.setText(form1::Combo2, stampDuty);
        ui.setChecked(shanghai ? form1::Option1 : form1::Option2, true);
    }
    void fill(FormId d, const Batches& b) {
        for (int i = 0; i < 6; ++i) {
            ui.setText(dlg(d, i), b[static_cast<std::size_t>(i)]);
        }
    }
    void open(FormId d) {
        d == kBuy ? session.handle(form1::Command5, Gesture::Click)
                  : session.handle(form1::Command6, Gesture::Click);
    }
    void ok(FormId d) { session.handle(batchOk(d), Gesture::Click); }
    void enter(FormId d, int index) {
        ui.setFocus(dlg(d, index));
        session.handle(dlg(d, index), Gesture::Enter);
    }
    std::string shown(Ctl name) const { return ui.text(name); }
    bool locked(Ctl name) {
        return ui.isReadOnly(name) && ui.at(name).background == Background::ButtonFace;
    }
    bool editable(Ctl name) {
        return !ui.isReadOnly(name) && ui.at(name).background == Background::Window;
    }
    std::vector<std::string> texts(int from, int to) const {
        std::vector<std::string> out;
        for (int i = from; i <= to; ++i) {
            out.push_back(ui.text(kMainFields.at(static_cast<std::size_t>(i - 1))));
        }
        return out;
    }
    std::string settingsFile() const { return dir.path() + "/TKVR.INI"; }

    TempDir dir;
    test::MemoryWindowModel ui;
    Session session;
};

}  // namespace zm::test
