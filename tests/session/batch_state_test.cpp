// A trade filled in a batch dialog on one side and typed in the main window on the other: the
// round trip is set against the batch purchase (or the batch sale against the typed purchase)
// under the program's own rules and today's, whole and partial; the target price and a refused
// Calculate keep the batch purchase.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "session/main_window_fixture.h"
#include "view/messages.h"

namespace zm::test {
namespace {

using Fields = std::vector<std::pair<Ctl, std::string_view>>;
using Typed = std::vector<std::string_view>;

class RoundTrip : public MainWindowTest {
protected:
    // Today's rules at a commission of 0.25‰, or the program's own at the rates the window opens
    // with (2.7‰ and 3‰); Shanghai either way.
    void useRules(bool today) {
        if (today) {
            session.handle(form1::mnuRulesCurrent, Gesture::Click);
            type(form1::Combo1, "0.25");
        }
    }
    // The batches typed into a dialog (p1, q1, p2, q2, …), then OK.
    void batches(FormId dialog, const Typed& typed) {
        session.handle(dialog == FormId::Form4 ? form1::Command5 : form1::Command6, Gesture::Click);
        for (std::size_t i = 0; i < typed.size(); ++i) {
            ui.setText(batchFields(dialog).at(i), typed[i]);
        }
        session.handle(batchOk(dialog), Gesture::Click);
    }
    // A price and a quantity typed into one side of the main window, each confirmed by Enter.
    void typed(Ctl price, Ctl quantity, const Typed& trade) {
        type(price, trade.at(0));
        enter(price);
        type(quantity, trade.at(1));
        enter(quantity);
    }
    void expectShown(const Fields& expected) {
        for (const auto& [field, text] : expected) {
            const std::string got =
                field.name().starts_with("Label") ? ui.caption(field) : shown(field);
            EXPECT_EQ(got, text) << field;
        }
    }
};

struct RoundTripRow {
    const char* name;
    bool today;
    bool batchPurchase;  // the purchase in the buy dialog, else typed; the sale the other way
    Typed buy;
    Typed sell;
    Fields expected;
    const char* realised;  // the end of the yield's tool tip after a partial sale
};

class BatchRoundTrip : public RoundTrip, public ::testing::WithParamInterface<RoundTripRow> {};

TEST_P(BatchRoundTrip, is_set_against_the_other_side_as_the_window_shows_it) {
    const RoundTripRow& r = GetParam();
    useRules(r.today);
    if (r.batchPurchase) {
        batches(FormId::Form4, r.buy);
        typed(form1::Text11, form1::Text12, r.sell);
    } else {
        typed(form1::Text1, form1::Text2, r.buy);
        batches(FormId::Form3, r.sell);
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    expectShown(r.expected);
    // The state holds the round trip as the window shows it.
    EXPECT_EQ(formatAmount(st().AmountPaid), shown(form1::Text10));
    EXPECT_EQ(formatAmount(st().AmountReceived), shown(form1::Text20));
    if (r.realised != nullptr) {
        EXPECT_TRUE(ui.toolTip(form1::Text18).ends_with(r.realised)) << ui.toolTip(form1::Text18);
        EXPECT_EQ(ui.toolTip(form1::Label18), ui.toolTip(form1::Text18));
    } else {
        EXPECT_EQ(formatAmount(st().ProfitLoss), shown(form1::Text19));
    }
}

const RoundTripRow kRoundTrips[] = {
    // 16,404.45 received against the 15,338.93 paid for both batches, not against nothing.
    {"own_rules_batch_purchase_then_sale",
     false,
     true,
     {"10.00", "1000", "10.50", "500"},
     {"11", "1500"},
     {{form1::Text10, "15,338.93"},
      {form1::Text20, "16,404.45"},
      {form1::Text19, "1,065.52"},
      {form1::Text18, "6.95"},
      {form1::Label17, "大赚特赚"}},
     nullptr},
    // 600 of the 1,500 shares: the remaining 900 and their break-even from the batches' cost.
    {"own_rules_batch_purchase_then_partial_sale",
     false,
     true,
     {"10.00", "1000", "10.50", "500"},
     {"11", "600"},
     {{form1::Text20, "6,561.38"},
      {form1::Text19, "900"},
      {form1::Text18, "-57.22"},
      {form1::Text9, "9.81"},
      {form1::Label17, "剩余股票"}},
     "卖出的600股按股数分摊实付金额6,135.57元，实现盈亏425.81元，收益率6.94％"},
    {"todays_rules_batch_purchase_then_sale",
     true,
     true,
     {"10.00", "1000", "10.50", "500"},
     {"11", "1500"},
     {{form1::Text10, "15,255.15"},
      {form1::Text20, "16,486.58"},
      {form1::Text19, "1,231.43"},
      {form1::Text18, "8.07"},
      {form1::Label17, "大赚特赚"}},
     nullptr},
    {"todays_rules_batch_purchase_then_partial_sale",
     true,
     true,
     {"10.00", "1000", "10.50", "500"},
     {"11", "600"},
     {{form1::Text20, "6,591.63"},
      {form1::Text19, "900"},
      {form1::Text18, "-56.79"},
      {form1::Text9, "9.64"},
      {form1::Label17, "剩余股票"}},
     "卖出的600股按股数分摊实付金额6,102.06元，实现盈亏489.57元，收益率8.02％"},
    {"own_rules_typed_purchase_then_batch_sale",
     false,
     false,
     {"10", "1000"},
     {"11", "1000"},
     {{form1::Text10, "10,058.00"},
      {form1::Text20, "10,936.30"},
      {form1::Text19, "878.30"},
      {form1::Text18, "8.73"}},
     nullptr},
    {"todays_rules_typed_purchase_then_batch_sale",
     true,
     false,
     {"10", "1000"},
     {"11", "1000"},
     {{form1::Text10, "10,005.10"},
      {form1::Text20, "10,989.39"},
      {form1::Text19, "984.29"},
      {form1::Text18, "9.84"}},
     nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, BatchRoundTrip, ::testing::ValuesIn(kRoundTrips), rowName);

// The target price works from the batch purchase: selling every share at it brings back what
// was paid, one fen less does not.
TEST_F(RoundTrip, the_target_price_works_from_a_batch_purchase) {
    batches(FormId::Form4, {"10.00", "1000", "10.50", "500"});
    const auto sale = targetSale(session, ui, false, "0");
    ASSERT_TRUE(sale);
    EXPECT_TRUE(ui.messages.empty());
    const Money price = money(sale->price);
    for (const auto& [at, loss] : {std::pair{price, false}, {price - Money::fromFen(1), true}}) {
        typed(form1::Text11, form1::Text12, {formatPrice(at), "1500"});
        EXPECT_EQ(money(shown(form1::Text19)) < Money(), loss) << formatPrice(at);
    }
}

// Calculate refuses to work a locked side again and leaves the batch purchase in force for the
// sale typed afterwards.
TEST_F(RoundTrip, a_refused_calculate_keeps_the_batch_purchase) {
    batches(FormId::Form4, {"10.00", "1000", "10.50", "500"});
    calculate();
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kClearFirst)});
    typed(form1::Text11, form1::Text12, {"11", "1500"});
    EXPECT_EQ(shown(form1::Text19), "1,065.52");
}

}  // namespace
}  // namespace zm::test
