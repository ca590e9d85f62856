// The journal's worked examples of the user guide, driven through the session's one entry the
// way a user drives the windows: the same gestures for the Qt program and the Windows program,
// so that both pictures show the same figures. No Qt, no Win32: each front end's tool runs the
// drive on its own window model and then takes the picture.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "session/session.h"
#include "view/window_model.h"

namespace zm::guide {

// A cell of a table as the front end shows it: table, row, column; empty past the last one.
// The window model sets rows but does not read them back, so each tool reads its own widgets.
using CellReader = std::function<std::string(Ctl, std::size_t, std::size_t)>;

// Today's rules (Shanghai, commission 0.25‰, minimum 5); then, typed into FormEntry from the
// journal window: 600000 浦发银行 bought 1,000 @ 10.00 on 2024-03-01 and 500 @ 9.00 on
// 2024-03-05, 1,200 sold @ 10.50 on 2024-06-03, 10派3 on the 300 held on 2024-07-10; the current
// price 10.20 typed for 600000 and the year 2024 for its summary. FormJournal is left open.
// Returns what went wrong, empty when every step showed what it should (持仓成本价 9.673).
std::string journalExample(Session& session, WindowModel& ui, const CellReader& cell);

// FormImport with `statements` (one or more files, separated by " ; ") read and the fees
// checked against 0.1‰, minimum 5. FormImport is left open. Returns what went wrong, empty
// when the preview holds 新增, 跳过 and 不平 rows and the check reported its result.
std::string importExample(Session& session, WindowModel& ui, const CellReader& cell,
                          const std::string& statements);

}  // namespace zm::guide
