// The batch dialogs refuse inputs beyond the supported range before anything is written, and
// compute the largest they support.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "fees/number_text.h"
#include "session/batch_dialog_fixture.h"
#include "view/messages.h"

namespace zm::test {
namespace {

// --- Inputs beyond the supported range ---------------------------------------------------------

struct RefusalCase {
    const char* name;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
    FormId dialog;
    Batches batches;
    const char* dividend;
    std::string_view message;
    int field;  // dialog field index, or -1 for Form1.Text22
};

class BatchRefusals : public BatchDialog, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(BatchRefusals, ok_refuses_and_writes_nothing) {
    const RefusalCase& c = GetParam();
    useRates("3.0", "1");
    ui.setText(form1::Text22, c.dividend);
    open(c.dialog);
    fill(c.dialog, c.batches);
    ok(c.dialog);

    const Ctl target = c.field < 0 ? form1::Text22 : dlg(c.dialog, c.field);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(c.message)});
    EXPECT_TRUE(ui.hasFocus(target));
    EXPECT_TRUE(ui.isWholeTextSelected(target));
    EXPECT_EQ(texts(1, 20), std::vector<std::string>(20, ""));
    for (Ctl name : {form1::Text1, form1::Text2, form1::Text11, form1::Text12}) {
        EXPECT_TRUE(editable(name)) << name;
    }
    EXPECT_TRUE(ui.visible[c.dialog]);  // left open for the correction
    EXPECT_EQ(ui.text(dlg(c.dialog, 0)), c.batches[0]);
}

INSTANTIATE_TEST_SUITE_P(Cases, BatchRefusals,
                         ::testing::Values(RefusalCase{"buy_price_beyond_range",
                                                       kBuy,
                                                       {"10", "100", "1e300", "100", "", ""},
                                                       "0.00",
                                                       msg::kBatchBuyPriceMax,
                                                       2},
                                           RefusalCase{"buy_price_just_beyond_range",
                                                       kBuy,
                                                       {"2147483.648", "100", "", "", "", ""},
                                                       "0.00",
                                                       msg::kBatchBuyPriceMax,
                                                       0},
                                           RefusalCase{"buy_quantity_beyond_range",
                                                       kBuy,
                                                       {"10", "1e300", "", "", "", ""},
                                                       "0.00",
                                                       msg::kBuyQtyMax,
                                                       1},
                                           RefusalCase{"buy_total_quantity_beyond_range",
                                                       kBuy,
                                                       {"0.01", "1000000000", "0.01", "1000000000",
                                                        "0.01", "1000000000"},
                                                       "0.00",
                                                       msg::kBuyQtyMax,
                                                       5},
                                           RefusalCase{"buy_trade_sum_beyond_range",
                                                       kBuy,
                                                       {"1", "100", "2147483.647", "46600", "", ""},
                                                       "0.00",
                                                       msg::kBuyAmountMax,
                                                       3},
                                           RefusalCase{"buy_total_of_no_whole_share",
                                                       kBuy,
                                                       {"10", "", "10", "0.3", "", ""},
                                                       "0.00",
                                                       msg::kBuyQtyNotPositive,
                                                       3},
                                           RefusalCase{"dividend_beyond_range",
                                                       kBuy,
                                                       {"10", "100", "", "", "", ""},
                                                       "1e9",
                                                       msg::kDividendMax,
                                                       -1},
                                           RefusalCase{"dividend_total_beyond_range",
                                                       kBuy,
                                                       {"1", "200000000", "", "", "", ""},
                                                       "10000",
                                                       msg::kDividendAmountMax,
                                                       -1},
                                           RefusalCase{"sell_price_beyond_range",
                                                       kSell,
                                                       {"1e300", "100", "", "", "", ""},
                                                       "0.00",
                                                       msg::kBatchSellPriceMax,
                                                       0},
                                           RefusalCase{"sell_quantity_beyond_range",
                                                       kSell,
                                                       {"10", "", "", "", "10", "2147483648"},
                                                       "0.00",
                                                       msg::kSellQtyMax,
                                                       5},
                                           RefusalCase{"sell_trade_sum_beyond_range",
                                                       kSell,
                                                       {"2147483.647", "50000", "", "", "", ""},
                                                       "0.00",
                                                       msg::kSellAmountMax,
                                                       1},
                                           RefusalCase{"sell_total_of_no_whole_share",
                                                       kSell,
                                                       {"10", "0.2", "", "", "", ""},
                                                       "0.00",
                                                       msg::kSellQtyMin,
                                                       1}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(BatchDialog, the_largest_supported_purchase_is_computed) {
    useRates("3.0", "6", true);
    fill(kBuy, {"2147483.647", "46500", "", "", "", ""});  // 99,857,989,585.5 yuan
    ok(kBuy);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(shown(form1::Text1), "2147483.65");
    EXPECT_EQ(shown(form1::Text3), "99857989585.5");
    EXPECT_EQ(shown(form1::Text4), "299,573,968.76");
    EXPECT_EQ(shown(form1::Text6), "46.5");
    EXPECT_TRUE(IsNumberText(shown(form1::Text9)));
    EXPECT_TRUE(locked(form1::Text1));
}

TEST_F(BatchDialog, enter_on_a_quantity_refuses_a_figure_beyond_range_in_another_field) {
    open(kBuy);
    fill(kBuy, {"10", "100", "1e300", "100", "", ""});
    enter(kBuy, 1);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kBatchBuyPriceMax)});
    EXPECT_TRUE(ui.hasFocus(dlg(kBuy, 2)));
    EXPECT_TRUE(ui.isWholeTextSelected(dlg(kBuy, 2)));
    EXPECT_EQ(shown(form1::Text1), "");
    EXPECT_TRUE(editable(form1::Text1));
}

}  // namespace
}  // namespace zm::test
