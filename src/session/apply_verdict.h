#pragma once

#include <string_view>

#include "fees/money.h"
#include "input/verdict.h"
#include "view/window_model.h"

namespace zm {

// The refusal sequence of every input rule: the message box, then the focus to `field`, then the
// whole text of the control that has the focus selected, so that typing replaces it. The field
// keeps the text as typed.
void ShowInputError(WindowModel& ui, Ctl field, std::string_view message);

// A verdict carried out on `field`. A refusal stores the value it carries into `*stored` (when
// both are there), then runs ShowInputError. An acceptance rewrites the field's text as the
// verdict says, then stores its value. applyVerdict runs whichever of the two the verdict is and
// tells whether it was an acceptance.
void applyRefusal(WindowModel& ui, Ctl field, const Verdict& verdict, Money* stored = nullptr);

void applyAcceptance(WindowModel& ui, Ctl field, const Verdict& verdict, Money* stored = nullptr);

bool applyVerdict(WindowModel& ui, Ctl field, const Verdict& verdict, Money* stored = nullptr);

}  // namespace zm
