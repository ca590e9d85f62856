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

// Texts a user may type: the worked examples' figures, the edges of every rule and range, and
// texts that are no numbers.
constexpr std::string_view kTexts[] = {
    "10.00",
    "1000",
    "11.00",
    "500",
    "10.50",
    "200",
    "100",
    "1,000",
    "1,500",
    "9.125",
    "9.375",
    "1.005",
    "0.00996",
    "0.01",
    "0.009",
    "abc",
    "",
    "   ",
    "150",
    "100.5",
    "1e3",
    "2.5",
    "0",
    "-100",
    "3",
    "2",
    "10",
    "10.4",
    "-1",
    "0.4",
    "1.234",
    "1.23",
    "0.00",
    "21474836.47",
    "21474836.48",
    "2147483600",
    "2147483700",
    "2147483647",
    "2147483648",
    "100000000000",
    "1e11",
    "1e300",
    "-1e300",
    "1e-300",
    "9.4567",
    "200.0",
    "1234",
    "0.5",
    "5.00",
    "1234.5",
    "8.88",
    "11.50",
    "15250",
    "9.999",
    "99999999",
    "0.015",
    "4938",
    "1.00",
    "12.344",
    "12.346",
    "大",
    "1e15",
    "1,0000",
    "+5",
    ".5",
    "5.",
    "1e",
    "7.59",
    "2147483.647",
    "2147483.648",
    "999",
    "1001",
    "1235",
    "100000",
    "3000000",
    "5",
    "0.1",
    "6",
    "-0.004",
    "-10",
    "-9.99",
    "1e-5",
    "0.0001",
    "47000000",
    "46566.12",
    "4294967.29",
    "12.5",
    "50",
    "1",
    "2,000",
    "1,234,567",
    "1.7976931348623157e308",
    "2e-324",
    " 10 ",
    "\t1000\t",
    "1,000.00",
    "0.005",
    "99.99",
    "1000000",
    "0.99",
    "1.01",
    "10.125",
    "10.25",
    "3.14159",
    "12,345.678",
    "-0",
    "+0.01",
};
constexpr std::string_view kChars = "0123456789.,-+eE \t5001.,9e-+0x.1";
static_assert(kChars.size() == 32);

// The main window's input fields, as a field operand picks them: the seeds depend on this order.
constexpr std::array<Ctl, 6> kMainInputs = {form1::Text1,  form1::Text2,  form1::Text11,
                                            form1::Text12, form1::Text21, form1::Text22};

enum Action : std::uint8_t {
    TypeMain,           // field, text
    EnterMain,          // field
    Calculate,          //
    ChooseMarket,       // 0 Shanghai, 1 Shenzhen, 2 fund/warrant
    ChooseCommission,   // entry index; from 128 on a fee-rules command and a text
    ChooseStampDuty,    // entry index
    OpenBatchBuy,       //
    OpenBatchSell,      //
    TypeBatch,          // dialog (bit 0: buy), field, text
    EnterBatch,         // dialog, field
    BatchOk,            // dialog
    BatchClear,         // dialog
    Clear,              //
    AboutBox,           //
    TypeAndEnterMain,   // field, text
    TypeAndEnterBatch,  // dialog, field, text
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t next() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::string text() {
        const std::uint8_t code = next();
        if (code < 160) {
            return std::string(kTexts[code % std::size(kTexts)]);
        }
        std::string out;
        const int length = (code - 160) % 24;
        for (int i = 0; i < length; ++i) {
            out += kChars[next() % kChars.size()];
        }
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

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
        m_ui.declareList(form1::Combo1,
                         {zm::commissionRateEntries().begin(), zm::commissionRateEntries().end()});
        m_ui.declareList(form1::Combo2,
                         {zm::stampDutyRateEntries().begin(), zm::stampDutyRateEntries().end()});
        m_ui.userCheck(form1::Option1);
        m_ui.MemoryWindowModel::load(FormId::Form1);
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

    void enter(Ctl c, ActionSource source) {
        m_ui.MemoryWindowModel::setFocus(c);
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
                if (market == 2) {
                    act(ActionSource::MainWindow,
                        [&] { m_session.handle(form1::Option3, Gesture::Choose); });
                }
                break;
            }
            case ChooseCommission: {
                // Below 128 a list entry; from 128 on the fee rules: the program's own, today's,
                // a trade date's, a minimum commission or a typed commission rate (texts).
                const std::uint8_t operand = in.next();
                if (operand < 128) {
                    const auto& e = zm::commissionRateEntries();
                    m_ui.userType(form1::Combo1, e[operand % e.size()]);
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

// ---------------------------------------------------------------------------------------------
// Seed sessions, encoded with the tables above.

class Encoder {
public:
    Encoder& flags(std::uint8_t f) {
        m_bytes.push_back(f);
        return *this;
    }
    Encoder& op(Action a) {
        m_bytes.push_back(a);
        return *this;
    }
    Encoder& byte(int b) {
        m_bytes.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    Encoder& text(std::string_view t) {
        for (std::size_t i = 0; i < std::size(kTexts); ++i) {
            if (kTexts[i] == t) {
                return byte(static_cast<int>(i));
            }
        }
        // Spelled out in characters of kChars.
        byte(160 + static_cast<int>(t.size()));
        for (char c : t) {
            const auto at = kChars.find(c);
            if (at == std::string_view::npos) {
                std::fprintf(stderr, "seed text [%.*s] has a character outside kChars\n",
                             static_cast<int>(t.size()), t.data());
                std::exit(1);
            }
            byte(static_cast<int>(at));
        }
        return *this;
    }
    // A main-window field's byte: its place in kMainInputs.
    static int mainField(Ctl field) {
        for (std::size_t i = 0; i < kMainInputs.size(); ++i) {
            if (kMainInputs[i] == field) {
                return static_cast<int>(i);
            }
        }
        return 0;
    }
    Encoder& typeEnter(Ctl field, std::string_view t) {
        return op(TypeAndEnterMain).byte(mainField(field)).text(t);
    }
    Encoder& type(Ctl field, std::string_view t) {
        return op(TypeMain).byte(mainField(field)).text(t);
    }
    Encoder& rates(std::string_view commission, std::string_view stampDuty) {
        const auto& c = zm::commissionRateEntries();
        const auto& s = zm::stampDutyRateEntries();
        int ci = 0;
        int si = 0;
        for (std::size_t i = 0; i < c.size(); ++i) {
            ci = c[i] == commission ? static_cast<int>(i) : ci;
        }
        for (std::size_t i = 0; i < s.size(); ++i) {
            si = s[i] == stampDuty ? static_cast<int>(i) : si;
        }
        return op(ChooseCommission).byte(ci).op(ChooseStampDuty).byte(si);
    }
    Encoder& market(int m) { return op(ChooseMarket).byte(m); }
    // A fee-rules command (0 own, 1 today's, 2 a trade date, 3 minimum, 4 typed rate) and text.
    Encoder& rules(int command, std::string_view t = "") {
        return op(ChooseCommission).byte(128 + command).text(t);
    }
    // dialog: 1 buy, 0 sell; field 0 … 5
    Encoder& batch(int dialog, int field, std::string_view t) {
        return op(TypeAndEnterBatch).byte(dialog).byte(field).text(t);
    }
    Encoder& batchType(int dialog, int field, std::string_view t) {
        return op(TypeBatch).byte(dialog).byte(field).text(t);
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

void writeSeeds(const std::string& dir) {
    std::filesystem::create_directories(dir);
    auto save = [&](const char* name, const Encoder& e) {
        std::ofstream out(dir + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(e.bytes().data()),
                  static_cast<std::streamsize>(e.bytes().size()));
    };
    // Today's rules at 0.25 per mille without minimum, a partial sale, and back.
    save("todays_rules_round_trip", Encoder()
                                        .flags(1)
                                        .rules(1)
                                        .rules(4, "0.25")
                                        .rules(3, "0")
                                        .typeEnter(form1::Text1, "10.00")
                                        .typeEnter(form1::Text2, "1000")
                                        .typeEnter(form1::Text11, "10.50")
                                        .typeEnter(form1::Text12, "600")
                                        .rules(0));
    // Worked example of the buy side: Shanghai, 3.0 and 3, 1,000 at 10.00.
    save("enter_buy_worked_example", Encoder()
                                         .flags(1)
                                         .rates("3.0", "3")
                                         .typeEnter(form1::Text1, "10.00")
                                         .typeEnter(form1::Text2, "1000"));
    // The same with 3 bonus shares and 2 yuan dividend per 10.
    save("enter_buy_bonus_dividend", Encoder()
                                         .flags(0)
                                         .rates("3.0", "3")
                                         .typeEnter(form1::Text21, "3")
                                         .typeEnter(form1::Text22, "2")
                                         .typeEnter(form1::Text1, "10.00")
                                         .typeEnter(form1::Text2, "1000"));
    // Partial sale, Shanghai, 3.0 and 1: 500 of 1,000 at 11.00.
    save("enter_partial_sale_shanghai", Encoder()
                                            .flags(0)
                                            .rates("3.0", "1")
                                            .typeEnter(form1::Text1, "10.00")
                                            .typeEnter(form1::Text2, "1000")
                                            .typeEnter(form1::Text11, "11.00")
                                            .typeEnter(form1::Text12, "500"));
    // Whole sale of the same purchase.
    save("enter_whole_sale", Encoder()
                                 .flags(0)
                                 .rates("3.0", "1")
                                 .typeEnter(form1::Text1, "10.00")
                                 .typeEnter(form1::Text2, "1000")
                                 .typeEnter(form1::Text11, "11.00")
                                 .op(EnterMain)
                                 .byte(3));
    // Shenzhen partial sale with the commission minimum and the second search.
    save("enter_partial_sale_shenzhen", Encoder()
                                            .flags(0)
                                            .market(1)
                                            .rates("3.0", "1")
                                            .typeEnter(form1::Text1, "10.00")
                                            .typeEnter(form1::Text2, "200")
                                            .typeEnter(form1::Text11, "10.50")
                                            .typeEnter(form1::Text12, "100"));
    // A sale of 1,234 at 8.88 with no purchase.
    save("enter_sale_without_purchase",
         Encoder().flags(0).typeEnter(form1::Text11, "8.88").typeEnter(form1::Text12, "1234"));
    // Calculate with all four fields.
    save("calculate_both_sides", Encoder()
                                     .flags(1)
                                     .rates("3.0", "3")
                                     .type(form1::Text1, "10.00")
                                     .type(form1::Text2, "1000")
                                     .type(form1::Text11, "11.00")
                                     .type(form1::Text12, "500")
                                     .op(Calculate));
    // Calculate with a refused buy quantity of 150 and a sale of 100.
    save("calculate_refused_lot_then_partial_sale", Encoder()
                                                        .flags(0)
                                                        .type(form1::Text1, "10.00")
                                                        .type(form1::Text2, "150")
                                                        .type(form1::Text11, "11.00")
                                                        .type(form1::Text12, "100")
                                                        .op(Calculate));
    // Fund market: the rates drop to 0.0 and 0.
    save("fund_market_purchase", Encoder()
                                     .flags(0)
                                     .market(2)
                                     .typeEnter(form1::Text1, "1.00")
                                     .typeEnter(form1::Text2, "1000")
                                     .typeEnter(form1::Text11, "1.01")
                                     .typeEnter(form1::Text12, "1000"));
    // Batch purchase 10.00 × 1000 + 10.50 × 500, Shenzhen, 3.0 and 1, then a batch sale.
    save("batch_buy_and_sell", Encoder()
                                   .flags(0)
                                   .market(1)
                                   .rates("3.0", "1")
                                   .op(OpenBatchBuy)
                                   .batch(1, 0, "10.00")
                                   .batch(1, 1, "1000")
                                   .batch(1, 2, "10.50")
                                   .batch(1, 3, "500")
                                   .op(BatchOk)
                                   .byte(1)
                                   .op(OpenBatchSell)
                                   .batch(0, 0, "11.00")
                                   .batch(0, 1, "1000")
                                   .batch(0, 2, "11.50")
                                   .batch(0, 3, "500")
                                   .op(BatchOk)
                                   .byte(0)
                                   .op(Calculate));
    // Batch purchase in Shanghai with odd quantities confirmed by OK without Enter.
    save("batch_buy_unchecked_quantities", Encoder()
                                               .flags(0)
                                               .op(OpenBatchBuy)
                                               .batchType(1, 0, "9.4567")
                                               .batchType(1, 1, "150")
                                               .batchType(1, 2, "10.25")
                                               .batchType(1, 3, "100.5")
                                               .batchType(1, 5, "100")
                                               .op(BatchOk)
                                               .byte(1)
                                               .op(Clear));
    // Batch sale against a purchase computed by Enter, then the dialog's own Clear.
    save("batch_sale_after_purchase", Encoder()
                                          .flags(0)
                                          .typeEnter(form1::Text1, "10.00")
                                          .typeEnter(form1::Text2, "1000")
                                          .op(OpenBatchSell)
                                          .batch(0, 0, "9.00")
                                          .batch(0, 1, "1000")
                                          .op(BatchClear)
                                          .byte(0)
                                          .op(Calculate));
    // Edges of the ranges.
    save("range_edges", Encoder()
                            .flags(0)
                            .typeEnter(form1::Text1, "21474836.47")
                            .typeEnter(form1::Text2, "4600")
                            .typeEnter(form1::Text1, "46566.12")
                            .typeEnter(form1::Text2, "2147483600")
                            .typeEnter(form1::Text11, "1e300")
                            .typeEnter(form1::Text12, "2147483648")
                            .typeEnter(form1::Text22, "21474836.48")
                            .op(Calculate));
    // A large dividend makes the cost per share and the amount paid negative.
    save("dividend_above_price", Encoder()
                                     .flags(0)
                                     .typeEnter(form1::Text22, "200")
                                     .typeEnter(form1::Text1, "10.00")
                                     .typeEnter(form1::Text2, "1000")
                                     .typeEnter(form1::Text11, "12.00")
                                     .typeEnter(form1::Text12, "300"));
    // Typed texts that are no numbers, and Enter through all six fields.
    save("texts_that_are_no_numbers", Encoder()
                                          .flags(0)
                                          .typeEnter(form1::Text1, "abc")
                                          .typeEnter(form1::Text2, "")
                                          .typeEnter(form1::Text11, "1e")
                                          .typeEnter(form1::Text12, "大")
                                          .typeEnter(form1::Text21, "10.4")
                                          .typeEnter(form1::Text22, "0.00")
                                          .op(Calculate)
                                          .op(AboutBox)
                                          .op(Clear));
    // Every stamp-duty rate and a high-priced odd-lot partial sale.
    save("high_price_partial_sale", Encoder()
                                        .flags(0)
                                        .rates("0.1", "6")
                                        .typeEnter(form1::Text1, "1234.5")
                                        .typeEnter(form1::Text2, "100000")
                                        .typeEnter(form1::Text11, "99.99")
                                        .typeEnter(form1::Text12, "1235"));
    // The tiny loss of a Shanghai sale: 1,054 sold at 10.79 after 1,000 bought at 11.28 lose
    // 0.004, shown 0.00.
    save("tiny_loss_shown_as_zero", Encoder()
                                        .flags(0)
                                        .rates("3.0", "1")
                                        .typeEnter(form1::Text1, "11.28")
                                        .typeEnter(form1::Text2, "1000")
                                        .typeEnter(form1::Text11, "10.79")
                                        .typeEnter(form1::Text12, "1054"));
    // Selling more than was bought, with bonus shares in the prefilled quantity.
    save("sell_more_than_bought_with_bonus", Encoder()
                                                 .flags(0)
                                                 .typeEnter(form1::Text21, "3")
                                                 .typeEnter(form1::Text1, "10.00")
                                                 .typeEnter(form1::Text2, "1000")
                                                 .typeEnter(form1::Text11, "11.00")
                                                 .op(EnterMain)
                                                 .byte(3));
    // Fund market, then rates picked again, and a batch purchase on it.
    save("fund_market_then_batch", Encoder()
                                       .flags(0)
                                       .market(2)
                                       .rates("2.5", "1")
                                       .op(OpenBatchBuy)
                                       .batch(1, 0, "1.005")
                                       .batch(1, 1, "100")
                                       .op(BatchOk)
                                       .byte(1)
                                       .op(OpenBatchSell)
                                       .batch(0, 0, "1.01")
                                       .batch(0, 1, "100")
                                       .op(BatchOk)
                                       .byte(0));
    // Calculate while a batch dialog has locked a side, then Clear and Calculate again.
    save("calculate_on_locked_sides", Encoder()
                                          .flags(0)
                                          .op(OpenBatchSell)
                                          .batch(0, 0, "11.00")
                                          .batch(0, 1, "500")
                                          .type(form1::Text1, "10.00")
                                          .type(form1::Text2, "1000")
                                          .op(Calculate)
                                          .op(Clear)
                                          .type(form1::Text1, "10.00")
                                          .type(form1::Text2, "1000")
                                          .type(form1::Text11, "11.00")
                                          .type(form1::Text12, "500")
                                          .op(Calculate));
    // A remaining-share search that starts from a negative price (a sale far above the cost).
    save("remaining_shares_after_a_big_gain", Encoder()
                                                  .flags(0)
                                                  .typeEnter(form1::Text1, "1.00")
                                                  .typeEnter(form1::Text2, "100000")
                                                  .typeEnter(form1::Text11, "1234.5")
                                                  .typeEnter(form1::Text12, "99999"));
    // Bonus and dividend typed without Enter, out of their ranges, then Calculate.
    save("bonus_and_dividend_without_enter", Encoder()
                                                 .flags(0)
                                                 .type(form1::Text21, "-10")
                                                 .type(form1::Text22, "-1")
                                                 .type(form1::Text1, "10.00")
                                                 .type(form1::Text2, "1000")
                                                 .op(Calculate)
                                                 .type(form1::Text21, "10.4")
                                                 .op(Calculate)
                                                 .type(form1::Text21, "abc")
                                                 .type(form1::Text22, "")
                                                 .op(Calculate));
    // All three batches of a sale by Enter, one of them an odd lot, against an empty purchase.
    save("three_batch_sale", Encoder()
                                 .flags(0)
                                 .op(OpenBatchSell)
                                 .batch(0, 0, "8.88")
                                 .batch(0, 1, "1234")
                                 .batch(0, 2, "9.125")
                                 .batch(0, 3, "150")
                                 .batch(0, 4, "10.25")
                                 .batch(0, 5, "1001"));
    // The prices' minimums and the rounding of halves.
    save("price_minimums_and_halves", Encoder()
                                          .flags(0)
                                          .typeEnter(form1::Text1, "0.00996")
                                          .typeEnter(form1::Text1, "0.009")
                                          .typeEnter(form1::Text1, "9.125")
                                          .typeEnter(form1::Text1, "9.375")
                                          .typeEnter(form1::Text2, "100")
                                          .typeEnter(form1::Text11, "1.005")
                                          .typeEnter(form1::Text12, "2.5"));
}

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
