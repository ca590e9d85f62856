// The multi-batch dialogs Form4 (buy) and Form3 (sell) driven through the engine session on the
// in-memory window model: their Enter flow, OK and Clear, the combined figures they write into
// the main window, and the main-window commands that open and close them. The inputs they refuse
// are in batch_refusals_test.cpp.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fees/batch_calc.h"
#include "fees/display_format.h"
#include "fees/fee_schedule.h"
#include "fees/number_text.h"
#include "session/batch_dialog_fixture.h"
#include "session/session.h"
#include "support/memory_window_model.h"
#include "support/table_rows.h"
#include "support/temp_dir.h"
#include "view/messages.h"

namespace zm::test {
namespace {

// --- Buy dialog: the combined purchase ------------------------------------------------------

TEST_F(BatchDialog, ok_writes_the_combined_purchase_into_the_buy_side_and_locks_it) {
    useRates("3.0", "1");
    open(kBuy);
    fill(kBuy, {"10.00", "1000", "10.50", "500", "", ""});
    ok(kBuy);

    const std::vector<std::string> expected = {"10.17", "1,500", "15250", "45.75",
                                               "15.25", "0",     "61.00", "10.21"};
    EXPECT_EQ(texts(1, 8), expected);
    EXPECT_EQ(shown(form1::Text9), "10.26");
    EXPECT_EQ(shown(form1::Text10), "15,311.00");
    EXPECT_EQ(ui.at(form1::Label8).foreColor, kRed);
    EXPECT_TRUE(locked(form1::Text1));
    EXPECT_TRUE(locked(form1::Text2));
    EXPECT_TRUE(editable(form1::Text11));
    EXPECT_FALSE(ui.visible[kBuy]);
    EXPECT_TRUE(ui.messages.empty());
}

// --- The combined figures, from the captures -----------------------------------------------

// The captured values of six dialog texts: a valid number as typed, anything else 0.
std::array<double, 6> captures(const Batches& b) {
    std::array<double, 6> v{};
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = isValidPriceText(b[i]) ? capturedNumber(b[i]) : 0.0;
    }
    return v;
}

using Fields = std::vector<std::pair<Ctl, std::string>>;  // main-window field, text

Fields tradeFields(const CombinedTradeTexts& t, int first) {
    const std::string texts[] = {
        t.price,     t.quantity,    t.amount,  t.commissionMinimum.value_or(t.commission),
        t.stampDuty, t.transferFee, t.feeTotal};
    Fields out;
    for (int i = 0; i < 7; ++i) {
        out.emplace_back(kMainFields.at(static_cast<std::size_t>(first - 1 + i)), texts[i]);
    }
    return out;
}

// Every field a result writes, with the text it ends with.
Fields fieldsOf(const BatchBuyTexts& r) {
    Fields f = tradeFields(r.trade, 1);
    f.insert(f.end(), {{form1::Text8, r.costPerShare},
                       {form1::Text9, r.breakEven},
                       {form1::Text10, r.amountPaid}});
    return f;
}
Fields fieldsOf(const BatchSellTexts& r) {
    Fields f = tradeFields(r.trade, 11);
    f.insert(f.end(), {{form1::Text20, r.received},
                       {form1::Text19, r.profit.value_or("")},
                       {form1::Text18, r.yield}});
    return f;
}

// The expected texts appear among what the result writes.
void expectFields(const Fields& written, const Fields& expected) {
    for (const auto& e : expected) {
        EXPECT_NE(std::find(written.begin(), written.end(), e), written.end())
            << e.first << " should show " << e.second;
    }
}

struct BuyCase {
    const char* name;
    double commission, stampDuty;
    bool shanghai;
    Batches batches;
    Fields expected;
    friend void PrintTo(const BuyCase& c, std::ostream* os) { *os << c.name; }
};

class BatchBuyFigures : public ::testing::TestWithParam<BuyCase> {};

TEST_P(BatchBuyFigures, the_combined_purchase_shows_its_figures) {
    const BuyCase& c = GetParam();
    const auto r =
        batchBuy(captures(c.batches), {c.commission, c.stampDuty, c.shanghai, "0.00", "", ""});
    ASSERT_TRUE(r);
    expectFields(fieldsOf(*r), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, BatchBuyFigures, ::testing::Values(
    // Each batch pays its own transfer-fee minimum: 1 + max(0.5, 1).
    BuyCase{"shanghai_transfer_fee_per_batch", 3, 1, true, {"10.00", "1000", "10.50", "500", "", ""},
            {{form1::Text6, "2"}, {form1::Text7, "63.00"}, {form1::Text10, "15,313.00"}}},
    // Three batches of 100 pay 3, where one purchase of 300 would pay 1.
    BuyCase{"three_small_shanghai_batches", 3, 1, true, {"10", "100", "10", "100", "10", "100"},
            {{form1::Text2, "300"}, {form1::Text6, "3"}}},
    BuyCase{"shanghai_fee_above_the_minimum_unrounded", 3, 1, true, {"10", "1500", "", "", "10", "2500"},
            {{form1::Text6, "4"}, {form1::Text2, "4,000"}}},
    BuyCase{"shanghai_fractional_fee_in_general_form", 3, 1, true, {"10", "1500", "", "", "", ""},
            {{form1::Text6, "1.5"}, {form1::Text7, "61.50"}}},
    // 10.125 lies halfway: the even fen.
    BuyCase{"average_halfway_goes_to_the_even_fen", 3, 1, false, {"10.25", "100", "10.00", "100", "", ""},
            {{form1::Text1, "10.12"}, {form1::Text3, "2025"}}},
    BuyCase{"commission_below_the_minimum_is_raised", 1, 1, false, {"49.90", "100", "", "", "", ""},
            {{form1::Text3, "4990"}, {form1::Text4, "5.00"}}},
    BuyCase{"commission_just_above_the_minimum_stays", 1, 1, false, {"50.10", "100", "", "", "", ""},
            {{form1::Text4, "5.01"}}},
    // (1000 + 5.00) / 100 is exactly 10.05: not raised.
    BuyCase{"whole_fen_cost_per_share_is_not_raised", 3, 0, false, {"10.00", "100", "", "", "", ""},
            {{form1::Text4, "5.00"}, {form1::Text5, "0.00"}, {form1::Text7, "5.00"}, {form1::Text8, "10.05"}}},
    BuyCase{"fractional_cost_per_share_goes_to_the_next_fen", 3, 0, false, {"10.011", "100", "", "", "", ""},
            {{form1::Text3, "1001.1"}, {form1::Text8, "10.07"}}},
    // An empty price counts 0 and lowers the average.
    BuyCase{"batch_without_price_counts_at_zero", 3, 1, false, {"10.00", "1000", "", "1000", "", ""},
            {{form1::Text1, "5.00"}, {form1::Text2, "2,000"}, {form1::Text3, "10000"}}},
    // Letters, blanks, zero and negatives count 0, prices and quantities alike.
    BuyCase{"fields_without_a_valid_number_count_zero", 3, 1, false, {"abc", "1000", "10", "   ", "-5", "-100"},
            {{form1::Text1, "0.00"}, {form1::Text2, "1,000"}, {form1::Text3, "0"}, {form1::Text4, "5.00"}}},
    BuyCase{"grouped_quantities_are_numbers", 3, 1, false, {"10", "1,000", "", "", "", ""},
            {{form1::Text2, "1,000"}, {form1::Text3, "10000"}}}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(BatchDialog, ok_runs_no_field_check_and_uses_an_odd_lot_as_typed) {
    useRates("3.0", "1");
    fill(kBuy, {"10", "150", "", "", "", ""});
    ok(kBuy);
    EXPECT_EQ(shown(form1::Text2), "150");
    EXPECT_EQ(shown(form1::Text3), "1500");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(BatchCalc, the_cost_per_share_of_a_whole_fen_quotient_is_exact) {
    // The double quotient of 1,005.00 / 100 lies above 10.05, which raises it to 10.06.
    ASSERT_EQ(fenCeil(1005.0 / 100.0), Money::fromFen(1006));
    EXPECT_EQ(batchCostPerShare("1000", "5.00", "100"), Money::fromFen(1005));
    EXPECT_EQ(batchCostPerShare("15250", "61.00", "1,500"), Money::fromFen(1021));
    // A trade amount with more than four decimals cannot be exact in Money: the double is raised.
    EXPECT_EQ(batchCostPerShare("100.00001", "5.00", "100"), Money::fromFen(106));
    EXPECT_EQ(batchCostPerShare("1000", "5.00", ""), std::nullopt);
}

TEST_F(BatchDialog, the_dividend_lowers_the_amount_paid_and_a_dividend_without_number_counts_zero) {
    useRates("3.0", "1");
    ui.setText(form1::Text22, "2.00");
    fill(kBuy, {"10.00", "1000", "10.50", "500", "", ""});
    ok(kBuy);
    EXPECT_EQ(shown(form1::Text10), "15,011.00");  // 15,311.00 − 2.00 × 1500 × 0.1

    ui.setText(form1::Text22, "abc");
    session.handle(batchClear(kBuy), Gesture::Click);
    fill(kBuy, {"10.00", "1000", "10.50", "500", "", ""});
    ok(kBuy);
    EXPECT_EQ(shown(form1::Text10), "15,311.00");
    EXPECT_EQ(shown(form1::Text22), "abc");  // the dialog writes Text1 … Text10 only
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BatchDialog, ok_without_any_quantity_writes_nothing_locks_nothing_and_hides) {
    open(kBuy);
    fill(kBuy, {"10.00", "", "1e300", "0", "", "abc"});
    ok(kBuy);
    EXPECT_EQ(texts(1, 10), std::vector<std::string>(10, ""));
    EXPECT_TRUE(editable(form1::Text1));
    EXPECT_TRUE(editable(form1::Text2));
    EXPECT_EQ(ui.at(form1::Label8).foreColor, kBlack);
    EXPECT_FALSE(ui.visible[kBuy]);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BatchDialog, hidden_dialog_keeps_its_fields_and_shows_them_again) {
    open(kBuy);
    fill(kBuy, {"10.00", "1000", "", "", "", ""});
    ok(kBuy);
    open(kBuy);
    EXPECT_TRUE(ui.visible[kBuy]);
    EXPECT_EQ(ui.text(dlg(kBuy, 1)), "1000");
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 0)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kBuy, 0)));
    EXPECT_EQ(session.captured(kBuy, 0), "10.00");
}

// --- Captured values -------------------------------------------------------------------------

TEST_F(BatchDialog, capture_keeps_valid_numbers_as_typed_and_turns_the_rest_into_zero) {
    fill(kBuy, {"10.00", "1,000", "abc", "0.009", "-3", ""});
    ui.setText(dlg(kBuy, 0), "10.00");
    enter(kBuy, 0);  // a price Enter captures all six fields
    const std::array<std::string, 6> expected = {"10", "1,000", "0", "0", "0", "0"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(session.captured(kBuy, i), expected[static_cast<std::size_t>(i)]) << i;
    }
}

TEST(BatchCalc, is_valid_price_wants_a_number_of_at_least_one_fen) {
    struct Row {
        const char* text;
        bool valid;
    };
    const Row rows[] = {{"0.01", true},    {"1,000", true}, {"1e3", true},    {" 5 ", true},
                        {"", false},       {"  ", false},   {"abc", false},   {"0", false},
                        {"0.0099", false}, {"-1", false},   {"1e-400", false}};
    for (const Row& r : rows) {
        EXPECT_EQ(isValidPriceText(r.text), r.valid) << '"' << r.text << '"';
    }
}

TEST_F(BatchDialog, load_and_clear_empty_the_texts_and_captured_values) {
    fill(kSell, {"11", "100", "", "", "", ""});
    ok(kSell);
    ASSERT_EQ(session.captured(kSell, 0), "11");
    session.handle(batchClear(kSell), Gesture::Click);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ui.text(dlg(kSell, i)), "");
        EXPECT_EQ(session.captured(kSell, i), "");
    }
}

// --- Enter flow --------------------------------------------------------------------------------

TEST_F(BatchDialog, enter_walks_the_buy_fields_and_recomputes_on_every_quantity) {
    useRates("3.0", "1");
    open(kBuy);
    ui.setText(dlg(kBuy, 0), "9.4567");
    ui.setText(dlg(kBuy, 1), "1000");
    enter(kBuy, 0);
    EXPECT_EQ(ui.text(dlg(kBuy, 0)), "9.457");  // rewritten by the check, then captured
    EXPECT_EQ(session.captured(kBuy, 0), "9.457");
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 1)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kBuy, 1)));
    EXPECT_EQ(shown(form1::Text1), "");  // a price alone changes nothing in the main window

    enter(kBuy, 1);
    EXPECT_EQ(shown(form1::Text1), "9.46");
    EXPECT_EQ(shown(form1::Text3), "9457");
    EXPECT_TRUE(locked(form1::Text1));
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 2)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kBuy, 2)));

    ui.setText(dlg(kBuy, 2), "10.00");
    ui.setText(dlg(kBuy, 3), "1000");
    enter(kBuy, 2);
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 3)));
    enter(kBuy, 3);
    EXPECT_EQ(shown(form1::Text2), "2,000");
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 4)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kBuy, 4)));

    ui.setText(dlg(kBuy, 4), "11");
    ui.setText(dlg(kBuy, 5), "200.0");
    enter(kBuy, 4);
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 5)));
    enter(kBuy, 5);
    EXPECT_EQ(ui.text(dlg(kBuy, 5)), "200.0");  // a buy quantity stays as typed
    EXPECT_EQ(shown(form1::Text2), "2,200");
    EXPECT_TRUE(ui.hasFocus(batchOk(kBuy)));
    EXPECT_TRUE(ui.visible[kBuy]);  // Enter never hides the dialog
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BatchDialog, refused_enter_shows_the_check_message_and_goes_no_further) {
    open(kBuy);
    ui.setText(dlg(kBuy, 0), "10");
    ui.setText(dlg(kBuy, 1), "150");
    enter(kBuy, 1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kBuyQtyLot)});
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 1)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kBuy, 1)));
    EXPECT_EQ(ui.text(dlg(kBuy, 1)), "150");
    EXPECT_EQ(shown(form1::Text1), "");
    EXPECT_TRUE(editable(form1::Text1));
    EXPECT_EQ(session.captured(kBuy, 0), "");  // no capture either
}

TEST_F(BatchDialog, enter_walks_the_sell_fields_with_the_sell_checks) {
    useRates("3.0", "1");
    open(kSell);
    ui.setText(dlg(kSell, 0), "11.00");
    enter(kSell, 0);
    EXPECT_EQ(ui.text(dlg(kSell, 0)), "11");
    EXPECT_TRUE(ui.hasFocus(dlg(kSell, 1)));
    ui.setText(dlg(kSell, 1), "1000.4");
    enter(kSell, 1);
    EXPECT_EQ(ui.text(dlg(kSell, 1)), "1000");  // the sell check writes whole shares
    EXPECT_EQ(shown(form1::Text11), "11.00");
    EXPECT_EQ(shown(form1::Text12), "1,000");
    EXPECT_TRUE(locked(form1::Text11));
    EXPECT_TRUE(locked(form1::Text12));
    EXPECT_TRUE(editable(form1::Text1));
    EXPECT_TRUE(ui.hasFocus(dlg(kSell, 2)));

    ui.setText(dlg(kSell, 3), "0.5");
    enter(kSell, 3);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kSellQtyMin)});
    ui.messages.clear();
    ui.setText(dlg(kSell, 3), "");  // a refused text left in place would count at the next capture

    ui.setText(dlg(kSell, 4), "12");
    enter(kSell, 4);
    EXPECT_TRUE(ui.hasFocus(dlg(kSell, 5)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kSell, 5)));
    ui.setText(dlg(kSell, 5), "500");
    enter(kSell, 5);
    EXPECT_EQ(shown(form1::Text12), "1,500");
    EXPECT_TRUE(ui.hasFocus(batchOk(kSell)));
    EXPECT_TRUE(ui.messages.empty());
}

// --- Sell dialog -------------------------------------------------------------------------------

struct SellCase {
    const char* name;
    bool shanghai;
    const char* amountPaid;  // Form1.Text10 before the sale
    Batches batches;
    Fields expected;
    std::optional<bool> loss;  // the mark afterwards; none leaves it as it was
    friend void PrintTo(const SellCase& c, std::ostream* os) { *os << c.name; }
};

class BatchSellFigures : public ::testing::TestWithParam<SellCase> {};

TEST_P(BatchSellFigures, the_combined_sale_shows_its_figures_and_its_mark) {
    const SellCase& c = GetParam();
    const auto r = batchSell(captures(c.batches), {3.0, 1.0, c.shanghai, "", c.amountPaid, ""});
    ASSERT_TRUE(r);
    expectFields(fieldsOf(*r), c.expected);
    EXPECT_EQ(r->loss, c.loss);
}

const Batches kWorkedSale = {"11.00", "1000", "11.50", "500", "", ""};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, BatchSellFigures, ::testing::Values(
    SellCase{"without_purchase_no_round_trip", false, "", kWorkedSale,
             {{form1::Text11, "11.17"}, {form1::Text12, "1,500"}, {form1::Text13, "16750"}, {form1::Text14, "50.25"},
              {form1::Text15, "16.75"}, {form1::Text16, "0.00"}, {form1::Text17, "67.00"}, {form1::Text20, "16,683.00"},
              {form1::Text18, ""}, {form1::Text19, ""}}, std::nullopt},
    SellCase{"profit_against_the_purchase", false, "15,311.00", kWorkedSale,
             {{form1::Text19, "1,372.00"}, {form1::Text18, "8.96"}}, false},
    SellCase{"shanghai_transfer_fee_per_batch", true, "", kWorkedSale,
             {{form1::Text16, "2.00"}, {form1::Text17, "69.00"}, {form1::Text20, "16,681.00"}}, std::nullopt},
    SellCase{"odd_lots_each_pay_the_shanghai_minimum", true, "", {"10", "150", "10", "150", "", ""},
             {{form1::Text12, "300"}, {form1::Text16, "2.00"}}, std::nullopt},
    SellCase{"large_shanghai_fee_with_grouping", true, "", {"1", "1234500", "", "", "", ""},
             {{form1::Text16, "1,234.50"}}, std::nullopt},
    SellCase{"zero_profit_counts_as_a_gain", false, "16,683.00", kWorkedSale,
             {{form1::Text19, "0.00"}, {form1::Text18, "0.00"}}, false},
    // -3,317 / 20,000 × 10000 = -1658.5: halves go to the even neighbour.
    SellCase{"loss_is_marked_blue", false, "20,000.00", kWorkedSale,
             {{form1::Text19, "-3,317.00"}, {form1::Text18, "-16.58"}}, true},
    // Nothing paid has no yield: the field is emptied, the profit still shown.
    SellCase{"zero_amount_paid_shows_no_yield", false, "0.00", kWorkedSale,
             {{form1::Text19, "16,683.00"}, {form1::Text18, ""}}, false}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(BatchDialog, without_purchase_the_mark_follows_the_profit_already_shown) {
    useRates("3.0", "1");
    ui.setText(form1::Text19, "-5.00");
    ui.setText(form1::Text18, "-1.00");
    fill(kSell, kWorkedSale);
    ok(kSell);
    EXPECT_EQ(ui.caption(form1::Label17), "大亏特亏");
    EXPECT_EQ(ui.at(form1::Label18).foreColor, kBlue);
    EXPECT_EQ(shown(form1::Text18), "-1.00");  // not written without a purchase
    EXPECT_EQ(shown(form1::Text20), "16,683.00");
    EXPECT_TRUE(locked(form1::Text11));
    EXPECT_TRUE(locked(form1::Text12));
    EXPECT_TRUE(ui.messages.empty());
}

// The combined trades are recorded in the state as the main window records its own (a sale
// typed afterwards is set against the batch purchase); the remaining-share search's figures are
// none of theirs, and the settings file is not written.
TEST_F(BatchDialog, dialogs_record_their_trades_in_the_state_and_leave_the_settings_file_alone) {
    using M = Money CalcState::*;
    const std::pair<M, const char*> members[] = {
        {&CalcState::BuyPrice, "10.17"},        {&CalcState::BuyQty, "1500"},
        {&CalcState::BuyAmount, "15250"},       {&CalcState::BuyCommission, "45.75"},
        {&CalcState::BuyStampDuty, "15.25"},    {&CalcState::BuyTransferFee, "0"},
        {&CalcState::BuyFeeTotal, "61"},        {&CalcState::BuyCostPerShare, "10.21"},
        {&CalcState::AmountPaid, "15311"},      {&CalcState::HeldQty, "1500"},
        {&CalcState::SellPrice, "11.17"},       {&CalcState::SellQty, "1500"},
        {&CalcState::SellAmount, "16750"},      {&CalcState::SellCommission, "50.25"},
        {&CalcState::SellStampDuty, "16.75"},   {&CalcState::SellTransferFee, "0"},
        {&CalcState::SellFeeTotal, "67"},       {&CalcState::AmountReceived, "16683"},
        {&CalcState::ProfitLoss, "1372"},       {&CalcState::SellYield, "8.96"},
        {&CalcState::RemainBasePrice, nullptr}, {&CalcState::RemainQty, nullptr},
        {&CalcState::RemainTarget, nullptr},    {&CalcState::RemainTransferFee, nullptr}};
    CalcState& st = session.state();
    for (std::size_t i = 0; i < std::size(members); ++i) {
        st.*members[i].first = Money::fromFen(static_cast<std::int64_t>(i) + 7);
    }
    st.StepCount = 3;

    useRates("3.0", "1");
    fill(kBuy, {"10.00", "1000", "10.50", "500", "", ""});
    ok(kBuy);
    enter(kBuy, 1);
    fill(kSell, kWorkedSale);
    ok(kSell);
    session.handle(batchClear(kBuy), Gesture::Click);
    session.handle(batchClear(kSell), Gesture::Click);

    ASSERT_EQ(shown(form1::Text20), "16,683.00");
    for (std::size_t i = 0; i < std::size(members); ++i) {
        const auto& [member, expected] = members[i];
        EXPECT_EQ(st.*member,
                  expected ? money(expected) : Money::fromFen(static_cast<std::int64_t>(i) + 7))
            << i;
    }
    EXPECT_EQ(st.StepCount, 3);
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

// --- Clear ------------------------------------------------------------------------------------

TEST_F(BatchDialog, dialog_clear_unlocks_its_side_keeps_the_figures_and_stays_open) {
    useRates("3.0", "1");
    open(kBuy);
    fill(kBuy, {"10.00", "1000", "", "", "", ""});
    ok(kBuy);
    fill(kSell, kWorkedSale);
    ok(kSell);
    open(kBuy);
    session.handle(batchClear(kBuy), Gesture::Click);
    EXPECT_TRUE(editable(form1::Text1));
    EXPECT_TRUE(editable(form1::Text2));
    EXPECT_TRUE(locked(form1::Text11));  // the other side keeps its lock
    EXPECT_EQ(shown(form1::Text1), "10.00");
    EXPECT_TRUE(ui.visible[kBuy]);
    EXPECT_EQ(ui.text(dlg(kBuy, 0)), "");

    session.handle(batchClear(kSell), Gesture::Click);
    EXPECT_TRUE(editable(form1::Text11));
    EXPECT_TRUE(editable(form1::Text12));
}

// --- Main-window commands around the dialogs ---------------------------------------------------

TEST_F(BatchDialog, multi_batch_commands_show_their_dialog_with_the_first_price_selected) {
    ui.setText(dlg(kSell, 0), "11.5");
    session.handle(form1::Command6, Gesture::Click);
    EXPECT_TRUE(ui.visible[kSell]);
    EXPECT_FALSE(ui.visible[kBuy]);
    EXPECT_TRUE(ui.hasFocus(dlg(kSell, 0)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kSell, 0)));
    EXPECT_EQ(texts(1, 20), std::vector<std::string>(20, ""));  // no main-window field changes

    session.handle(form1::Command5, Gesture::Click);
    EXPECT_TRUE(ui.visible[kBuy]);
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 0)));
}

TEST_F(BatchDialog, main_clear_after_batches_unlocks_recolours_and_closes_both_dialogs) {
    useRates("3.0", "1");
    open(kBuy);
    fill(kBuy, {"10.00", "1000", "10.50", "500", "", ""});
    ok(kBuy);
    ui.setText(form1::Text10, "20,000.00");
    open(kSell);
    fill(kSell, kWorkedSale);
    ok(kSell);
    ASSERT_EQ(ui.caption(form1::Label17), "大亏特亏");
    ui.windowLog.clear();

    session.handle(form1::Command4, Gesture::Click);
    for (Ctl name : {form1::Text1, form1::Text2, form1::Text11, form1::Text12}) {
        EXPECT_TRUE(editable(name)) << name;
        EXPECT_EQ(shown(name), "") << name;
    }
    EXPECT_FALSE(ui.isLoaded(kSell));
    EXPECT_FALSE(ui.isLoaded(kBuy));
    EXPECT_EQ(ui.caption(form1::Label17), "盈亏金额");
    EXPECT_EQ(ui.at(form1::Label17).foreColor, kBlack);
    EXPECT_EQ(ui.at(form1::Label18).foreColor, kBlack);
    EXPECT_EQ(ui.at(form1::Label8).foreColor, kBlack);
    EXPECT_EQ(ui.caption(form1::Label19_17), "元");
    EXPECT_TRUE(ui.hasFocus(form1::Text1));

    // The next use loads the dialog afresh: empty fields and captures.
    session.handle(form1::Command5, Gesture::Click);
    EXPECT_TRUE(ui.isLoaded(kBuy));
    EXPECT_EQ(ui.text(dlg(kBuy, 0)), "");
    EXPECT_EQ(session.captured(kBuy, 0), "");
    ok(kBuy);
    EXPECT_EQ(shown(form1::Text1), "");
}

TEST_F(BatchDialog, about_box_replaces_the_main_window_until_its_ok) {
    ui.setText(form1::Text1, "9.50");
    session.handle(form1::Command3, Gesture::Click);
    EXPECT_TRUE(ui.visible[FormId::Form2]);
    EXPECT_FALSE(ui.visible[FormId::Form1]);
    session.handle(form2::Command1, Gesture::Click);
    EXPECT_TRUE(ui.visible[FormId::Form1]);
    EXPECT_FALSE(ui.isLoaded(FormId::Form2));
    EXPECT_EQ(shown(form1::Text1), "9.50");
    const std::vector<std::string> log = {"load Form2", "show Form2", "hide Form1", "show Form1",
                                          "unload Form2"};
    EXPECT_EQ(ui.windowLog, log);
}

}  // namespace
}  // namespace zm::test
