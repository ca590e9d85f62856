#include "session/apply_verdict.h"

namespace zm {

void ShowInputError(WindowModel& ui, Ctl field, std::string_view message) {
    ui.showMessage(message);
    ui.setFocus(field);
    ui.selectAllInFocused();
}

void applyRefusal(WindowModel& ui, Ctl field, const Verdict& verdict, Money* stored) {
    if (stored != nullptr && verdict.stored) {
        *stored = *verdict.stored;
    }
    ShowInputError(ui, field, verdict.message);
}

void applyAcceptance(WindowModel& ui, Ctl field, const Verdict& verdict, Money* stored) {
    if (verdict.shown) {
        ui.setText(field, *verdict.shown);
    }
    if (stored != nullptr && verdict.stored) {
        *stored = *verdict.stored;
    }
}

bool applyVerdict(WindowModel& ui, Ctl field, const Verdict& verdict, Money* stored) {
    if (verdict.accepted) {
        applyAcceptance(ui, field, verdict, stored);
    } else {
        applyRefusal(ui, field, verdict, stored);
    }
    return verdict.accepted;
}

}  // namespace zm
