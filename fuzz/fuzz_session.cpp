// Fuzz target: a whole session of the program on the in-memory window model.
//
// The input is decoded into user actions: typing a text into any input field of the main window
// or of a batch dialog, Enter in any of them, Calculate, the market and rate choices, the batch
// dialogs' commands, Clear and the about box. After every action the rules of
// tests/session/trade_invariants.h are checked; a broken one aborts with the rule and the fields.
// Message boxes are recorded and answered at once, so a session never waits. Each input runs at
// most kMaxActions actions, and the rules bound the break-even stop tests and window calls of
// every action, so no input can make the engine work long.
//
// Input layout: one flags byte (bit 0: the settings file can be written; otherwise every save
// fails and says so), then actions: an action byte (its low four bits choose the action) and
// its operands. A text operand is one byte: below 160 it picks a text of kTexts, from 160 on it
// is followed by (byte − 160) % 24 bytes, each one character of kChars. Missing bytes read as 0.
//
// The seed corpus is written by the target itself: ZM_FUZZ_WRITE_SEEDS=DIR fuzz_session writes
// the sessions of kSeeds into DIR and exits.
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fees/break_even.h"
#include "fees/fee_schedule.h"
#include "fuzz_session_input.h"
#include "fuzz_session_seeds.h"
#include "session/session.h"
#include "session/trade_invariants.h"
#include "support/dialog_gestures.h"

namespace {

using zm::Ctl;
using zm::FormId;
using zm::Gesture;
using zm::test::chooseRulesOnDate;
using zm::test::setMinimumCommission;
namespace form1 = zm::form1;
namespace form2 = zm::form2;
using zm::Session;
using zm::test::ActionSource;
using zm::test::RecordingWindowModel;
using zm::test::TradeInvariants;

constexpr int kMaxActions = 48;
constexpr std::int64_t kLiteralBudget = 4000;

[[noreturn]] void fail(const std::vector<std::string>& problems, int action) {
    std::fprintf(stderr, "session fault after action %d:\n", action);
    for (const auto& p : problems) {
        std::fprintf(stderr, "  %s\n", p.c_str());
    }
    std::abort();
}

// A directory of this process for the settings file, on a memory file system when there is one,
// removed at exit. Held by a pointer that is never freed, so the exit handler can still use it.
const std::string& scratchDirectory() {
    static const std::string* const dir = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        auto* d = new std::string(std::string(base) + "/zm-fuzz-session-XXXXXX");
        if (::mkdtemp(d->data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        // A plain file in the place of a directory: a settings path below it cannot be written.
        std::ofstream(*d + "/blocker") << "x";
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(scratchDirectory(), ignored);
        });
        return d;
    }();
    return *dir;
}

FormId dialogOf(std::uint8_t b) {
    return (b & 1) != 0 ? FormId::Form4 : FormId::Form3;
}

class SessionRun {
public:
    explicit SessionRun(bool writableSettings)
        : m_path(writableSettings ? scratchDirectory() + "/TKVR.INI"
                                  : scratchDirectory() + "/blocker/TKVR.INI"),
          m_session(m_ui, m_path),
          m_rules(kLiteralBudget) {
        if (writableSettings) {
            std::remove(m_path.c_str());  // every input starts from no settings file
        }
        m_ui.MemoryWindowModel::load(FormId::Form1);
        m_ui.declareList(form1::Combo1,
                         {zm::commissionRateEntries().begin(), zm::commissionRateEntries().end()});
        m_ui.declareList(form1::Combo2,
                         {zm::stampDutyRateEntries().begin(), zm::stampDutyRateEntries().end()});
        m_ui.userCheck(form1::Option1);
        m_ui.MemoryWindowModel::show(FormId::Form1);
        act(ActionSource::MainWindow, [&] { m_session.formLoad(); });
    }

    void run(Reader& in) {
        for (int i = 0; i < kMaxActions && !in.atEnd() && !m_ui.quitRequested; ++i) {
            step(in);
        }
    }

private:
    template <class F>
    void act(ActionSource source, F&& f) {
        m_ui.startAction();
        const std::int64_t before = zm::breakEvenEvaluations();
        f();
        const std::int64_t evaluations = zm::breakEvenEvaluations() - before;
        const auto problems = m_rules.check(m_ui, m_session, source, evaluations);
        if (!problems.empty()) {
            fail(problems, m_actions);
        }
        ++m_actions;
    }

    bool visible(FormId f) const {
        auto it = m_ui.visible.find(f);
        return m_ui.MemoryWindowModel::isLoaded(f) && it != m_ui.visible.end() && it->second;
    }

    static ActionSource sourceOf(FormId dialog) {
        return dialog == FormId::Form4 ? ActionSource::BatchBuy : ActionSource::BatchSell;
    }

    // The user types into a field; a locked (read-only) field takes no typing.
    void type(Ctl c, const std::string& text) {
        if (!m_ui.MemoryWindowModel::isReadOnly(c)) {
            m_ui.userType(c, text);
        }
    }

    // Enter in the bonus or the dividend works the sides on screen again.
    void enter(Ctl c, ActionSource source) {
        m_ui.MemoryWindowModel::setFocus(c);
        if (c == form1::Text21 || c == form1::Text22) {
            source = ActionSource::RulesChange;
        }
        act(source, [&] { m_session.handle(c, Gesture::Enter); });
    }

    void step(Reader& in) {
        const auto action = static_cast<Action>(in.next() & 15);
        switch (action) {
            case TypeMain:
            case TypeAndEnterMain: {
                const Ctl c = kMainInputs[in.next() % kMainInputs.size()];
                type(c, in.text());
                if (action == TypeAndEnterMain) {
                    enter(c, ActionSource::MainWindow);
                }
                break;
            }
            case EnterMain:
                enter(kMainInputs[in.next() % kMainInputs.size()], ActionSource::MainWindow);
                break;
            case Calculate:
                m_ui.MemoryWindowModel::setFocus(form1::Command1);
                act(ActionSource::MainWindow,
                    [&] { m_session.handle(form1::Command1, Gesture::Click); });
                break;
            case ChooseMarket: {
                const int market = in.next() % 3;
                const Ctl option = market == 0   ? form1::Option1
                                   : market == 1 ? form1::Option2
                                                 : form1::Option3;
                m_ui.userCheck(option);
                act(ActionSource::RulesChange, [&] { m_session.handle(option, Gesture::Choose); });
                break;
            }
            case ChooseCommission: {
                // Below 128 a list entry; from 128 on the fee rules: the program's own, today's,
                // a trade date's, a minimum commission or a typed commission rate (texts).
                const std::uint8_t operand = in.next();
                if (operand < 128) {
                    const auto& e = zm::commissionRateEntries();
                    m_ui.userType(form1::Combo1, e[operand % e.size()]);
                    act(ActionSource::RulesChange,
                        [&] { m_session.handle(form1::Combo1, Gesture::Choose); });
                    break;
                }
                static constexpr const char* kDates[] = {"2008-09-18", "2008-09-19", "2015-08-01",
                                                         "2019-03-15", "2023-02-30", "9999-12-31"};
                const std::string text = in.text();
                act(ActionSource::RulesChange, [&] {
                    switch (operand % 5) {
                        case 0:
                            m_session.handle(form1::mnuRulesClassic, Gesture::Click);
                            break;
                        case 1:
                            m_session.handle(form1::mnuRulesCurrent, Gesture::Click);
                            break;
                        case 2:
                            chooseRulesOnDate(m_session, m_ui, kDates[(operand / 5) % 6]);
                            break;
                        case 3:
                            setMinimumCommission(m_session, m_ui, text);
                            break;
                        default:
                            m_ui.userType(form1::Combo1, text);
                            m_session.handle(form1::Combo1, Gesture::Leave);
                            break;
                    }
                });
                break;
            }
            case ChooseStampDuty: {
                const auto& e = zm::stampDutyRateEntries();
                m_ui.userType(form1::Combo2, e[in.next() % e.size()]);
                act(ActionSource::RulesChange,
                    [&] { m_session.handle(form1::Combo2, Gesture::Choose); });
                break;
            }
            case OpenBatchBuy:
                act(ActionSource::BatchBuy,
                    [&] { m_session.handle(form1::Command5, Gesture::Click); });
                break;
            case OpenBatchSell:
                act(ActionSource::BatchSell,
                    [&] { m_session.handle(form1::Command6, Gesture::Click); });
                break;
            case TypeBatch:
            case TypeAndEnterBatch: {
                const FormId dialog = dialogOf(in.next());
                const Ctl c = zm::batchFields(dialog)[in.next() % 6];
                const std::string text = in.text();
                if (visible(dialog)) {
                    m_ui.userType(c, text);
                    if (action == TypeAndEnterBatch) {
                        enter(c, sourceOf(dialog));
                    }
                }
                break;
            }
            case EnterBatch: {
                const FormId dialog = dialogOf(in.next());
                const Ctl c = zm::batchFields(dialog)[in.next() % 6];
                if (visible(dialog)) {
                    enter(c, sourceOf(dialog));
                }
                break;
            }
            case BatchOk: {
                const FormId dialog = dialogOf(in.next());
                if (visible(dialog)) {
                    act(sourceOf(dialog),
                        [&] { m_session.handle(batchOk(dialog), Gesture::Click); });
                }
                break;
            }
            case BatchClear: {
                const FormId dialog = dialogOf(in.next());
                if (visible(dialog)) {
                    act(sourceOf(dialog),
                        [&] { m_session.handle(batchClear(dialog), Gesture::Click); });
                }
                break;
            }
            case Clear:
                act(ActionSource::MainWindow,
                    [&] { m_session.handle(form1::Command4, Gesture::Click); });
                break;
            case AboutBox:
                act(ActionSource::MainWindow, [&] {
                    m_session.handle(form1::Command3, Gesture::Click);
                    m_session.handle(form2::Command1, Gesture::Click);
                });
                break;
        }
    }

    std::string m_path;
    RecordingWindowModel m_ui;
    Session m_session;
    TradeInvariants m_rules;
    int m_actions = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* dir = std::getenv("ZM_FUZZ_WRITE_SEEDS")) {
        writeSeeds(dir);
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    SessionRun run((in.next() & 1) != 0);
    run.run(in);
    return 0;
}
