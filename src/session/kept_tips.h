#pragma once

#include <algorithm>
#include <iterator>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "view/window_model.h"

namespace zm {

// The tool tips some controls open with, as the windows were built from their layout rows, kept
// so that the program can put them back after it has shown others in their place (the rules of
// a trade date, a partial sale).
class KeptTips {
public:
    // Remembers the tool tips the controls show now.
    void keep(const WindowModel& ui, std::span<const Ctl> controls) {
        std::ranges::transform(controls, std::back_inserter(m_tips), [&ui](Ctl c) {
            return std::pair{c, ui.toolTip(c)};
        });
    }
    // Puts back the remembered tool tip of each of the controls; one never remembered is left.
    void restore(WindowModel& ui, std::span<const Ctl> controls) const {
        for (Ctl c : controls) {
            for (const auto& [kept, tip] : m_tips) {
                if (kept == c) {
                    ui.setToolTip(c, tip);
                }
            }
        }
    }

private:
    std::vector<std::pair<Ctl, std::string>> m_tips;
};

}  // namespace zm
