// The input rules of the main window (run by Enter) and the shared validators of the batch
// dialogs: which texts are refused with which message, and how accepted texts are rewritten.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fees/messages.h"
#include "input/main_window_fixture.h"
#include "input/validation.h"

namespace zm::test {
namespace {

const std::string kTenThousandDigitInteger = "1" + std::string(9'999, '0');
const std::string kTenThousandCharFraction = "0." + std::string(9'997, '0') + "1";
const std::string kTenThousandCharOne = "1." + std::string(9'998, '0');

// The price field that a quantity rule needs filled in first.
const char* priceFieldFor(std::string_view field) {
    if (field == "Text2") {
        return "Text1";
    }
    if (field == "Text12") {
        return "Text11";
    }
    return nullptr;
}

struct RefusalRow {
    const char* name;
    const char* field;
    const char* price;  // for a quantity field: the valid price of its side
    std::string typed;
    std::string_view message;
};

class MainRuleRefusal : public MainWindowTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(MainRuleRefusal, enter_refuses_with_the_message_and_hands_the_text_back_selected) {
    const RefusalRow& row = GetParam();
    if (const char* priceField = priceFieldFor(row.field)) {
        type(priceField, row.price);
    }
    type(row.field, row.typed);
    enter(row.field);
    expectRefusedOn(row.field, row.message, row.typed);
    EXPECT_EQ(shown("Text3"), "") << "the purchase was calculated";
    EXPECT_EQ(shown("Text13"), "") << "the sale was calculated";
}

using namespace msg;
const RefusalRow kRefusals[] = {
    {"buy_price_empty", "Text1", nullptr, "", kBuyPriceNotNumber},
    {"buy_price_blanks", "Text1", nullptr, "   ", kBuyPriceNotNumber},
    {"buy_price_letters", "Text1", nullptr, "abc", kBuyPriceNotNumber},
    {"buy_price_full_width_letters", "Text1", nullptr, "ＡＢＣ", kBuyPriceNotNumber},
    {"buy_price_bad_groups", "Text1", nullptr, "1,2,3", kBuyPriceNotNumber},
    {"buy_price_leading_comma", "Text1", nullptr, ",5", kBuyPriceNotNumber},
    {"buy_price_bare_exponent", "Text1", nullptr, "1e", kBuyPriceNotNumber},
    // Too large for a double: the number parse does not read it as a number.
    {"buy_price_ten_thousand_digits", "Text1", nullptr, kTenThousandDigitInteger,
     kBuyPriceNotNumber},
    {"buy_price_below_a_fen", "Text1", nullptr, "0.009", kBuyPriceMin},
    {"buy_price_zero", "Text1", nullptr, "0", kBuyPriceMin},
    {"buy_price_negative", "Text1", nullptr, "-5", kBuyPriceMin},
    {"buy_price_tiny_exponent", "Text1", nullptr, "1e-300", kBuyPriceMin},
    {"buy_price_huge_negative", "Text1", nullptr, "-1e300", kBuyPriceMin},
    {"buy_price_ten_thousand_char_fraction", "Text1", nullptr, kTenThousandCharFraction,
     kBuyPriceMin},
    {"buy_price_just_above_limit", "Text1", nullptr, "21474836.48", kBuyPriceMax},
    {"buy_price_eleven_digits", "Text1", nullptr, "99999999999", kBuyPriceMax},
    {"buy_price_huge", "Text1", nullptr, "1e300", kBuyPriceMax},

    {"buy_qty_empty", "Text2", "10", "", kBuyQtyNotNumber},
    {"buy_qty_letters", "Text2", "10", "abc", kBuyQtyNotNumber},
    {"buy_qty_zero", "Text2", "10", "0", kBuyQtyNotPositive},
    {"buy_qty_negative", "Text2", "10", "-100", kBuyQtyNotPositive},
    {"buy_qty_tiny_exponent", "Text2", "10", "1e-300", kBuyQtyNotPositive},
    {"buy_qty_huge_negative", "Text2", "10", "-1e300", kBuyQtyNotPositive},
    {"buy_qty_odd_lot", "Text2", "10", "150", kBuyQtyLot},
    {"buy_qty_fraction", "Text2", "10", "100.5", kBuyQtyLot},
    {"buy_qty_eleven_digits", "Text2", "10", "99999999999", kBuyQtyLot},
    {"buy_qty_above_limit", "Text2", "10", "2147483700", kBuyQtyMax},
    {"buy_qty_huge", "Text2", "10", "1e300", kBuyQtyMax},
    {"buy_amount_above_limit", "Text2", "100", "2000000000", kBuyAmountMax},
    {"buy_amount_just_above_limit", "Text2", "46.57", "2147483600", kBuyAmountMax},

    {"sell_price_letters", "Text11", nullptr, "abc", kSellPriceNotNumber},
    {"sell_price_below_a_fen", "Text11", nullptr, "0.009", kSellPriceMin},
    {"sell_price_huge_negative", "Text11", nullptr, "-1e300", kSellPriceMin},
    {"sell_price_just_above_limit", "Text11", nullptr, "21474836.48", kSellPriceMax},
    {"sell_price_huge", "Text11", nullptr, "1e300", kSellPriceMax},

    {"sell_qty_letters", "Text12", "10", "abc", kSellQtyNotNumber},
    {"sell_qty_half", "Text12", "10", "0.5", kSellQtyMin},
    {"sell_qty_zero", "Text12", "10", "0", kSellQtyMin},
    {"sell_qty_huge_negative", "Text12", "10", "-1e300", kSellQtyMin},
    {"sell_qty_above_limit", "Text12", "10", "2147483648", kSellQtyMax},
    {"sell_qty_rounds_above_limit", "Text12", "10", "2147483647.5", kSellQtyMax},
    {"sell_qty_eleven_digits", "Text12", "10", "99999999999", kSellQtyMax},
    {"sell_qty_huge", "Text12", "10", "1e300", kSellQtyMax},
    {"sell_amount_above_limit", "Text12", "100", "2000000000", kSellAmountMax},

    {"bonus_empty", "Text21", nullptr, "", kBonusNotNumber},
    {"bonus_letters", "Text21", nullptr, "abc", kBonusNotNumber},
    {"bonus_negative", "Text21", nullptr, "-1", kBonusMin},
    {"bonus_minus_ten", "Text21", nullptr, "-10", kBonusMin},
    {"bonus_above_ten", "Text21", nullptr, "10.4", kBonusMax},
    {"bonus_huge", "Text21", nullptr, "1e300", kBonusMax},

    {"dividend_letters", "Text22", nullptr, "abc", kDividendNotNumber},
    {"dividend_zero", "Text22", nullptr, "0", kDividendMin},
    {"dividend_reset_text", "Text22", nullptr, "0.00", kDividendMin},
    {"dividend_below_a_fen", "Text22", nullptr, "0.00996", kDividendMin},
    {"dividend_negative", "Text22", nullptr, "-1", kDividendMin},
    {"dividend_just_above_limit", "Text22", nullptr, "21474836.48", kDividendMax},
    {"dividend_huge", "Text22", nullptr, "1e300", kDividendMax},
};

INSTANTIATE_TEST_SUITE_P(Rows, MainRuleRefusal, ::testing::ValuesIn(kRefusals), rowName);

struct AcceptRow {
    const char* name;
    const char* field;
    const char* price;
    std::string typed;
    const char* rewritten;
    Money CalcState::*stored;  // the stored value the rule sets, if any
};

// Where Enter moves the focus after an accepted field.
const char* nextField(std::string_view field) {
    if (field == "Text1")
        return "Text2";
    if (field == "Text2")
        return "Text11";
    if (field == "Text11")
        return "Text12";
    if (field == "Text12")
        return "Text21";
    if (field == "Text21")
        return "Text22";
    return "Text1";
}

class MainRuleAcceptance : public MainWindowTest,
                           public ::testing::WithParamInterface<AcceptRow> {};

TEST_P(MainRuleAcceptance, enter_rewrites_the_text_stores_its_value_and_moves_on) {
    const AcceptRow& row = GetParam();
    if (const char* priceField = priceFieldFor(row.field)) {
        type(priceField, row.price);
    }
    type(row.field, row.typed);
    enter(row.field);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
    EXPECT_EQ(shown(row.field), row.rewritten);
    if (row.stored != nullptr) {
        EXPECT_EQ(st().*row.stored, money(row.rewritten));
    }
    // Enter in a quantity field calculates its side, up to the largest accepted figures.
    const std::string_view field = row.field;
    if (field == "Text2") {
        EXPECT_NE(shown("Text3"), "");
    } else if (field == "Text12") {
        EXPECT_NE(shown("Text13"), "");
    }
    const char* next = nextField(row.field);
    EXPECT_TRUE(ui.hasFocus(f1(next)));
    EXPECT_TRUE(ui.isWholeTextSelected(f1(next)));
}

const AcceptRow kAccepted[] = {
    {"buy_price_one_fen", "Text1", nullptr, "0.01", "0.01", &CalcState::BuyPrice},
    {"buy_price_half", "Text1", nullptr, "9.5", "9.50", &CalcState::BuyPrice},
    {"buy_price_half_fen_to_even_down", "Text1", nullptr, "9.125", "9.12", &CalcState::BuyPrice},
    {"buy_price_half_fen_to_even_up", "Text1", nullptr, "9.375", "9.38", &CalcState::BuyPrice},
    {"buy_price_binary_below_half", "Text1", nullptr, "1.005", "1.00", &CalcState::BuyPrice},
    {"buy_price_money_value_is_a_fen", "Text1", nullptr, "0.00996", "0.01", &CalcState::BuyPrice},
    {"buy_price_whole", "Text1", nullptr, "9", "9.00", &CalcState::BuyPrice},
    {"buy_price_blanks_around", "Text1", nullptr, " 9.5 ", "9.50", &CalcState::BuyPrice},
    {"buy_price_plus_sign", "Text1", nullptr, "+9.5", "9.50", &CalcState::BuyPrice},
    {"buy_price_grouped", "Text1", nullptr, "1,234.5", "1234.50", &CalcState::BuyPrice},
    {"buy_price_exponent", "Text1", nullptr, "1.5e1", "15.00", &CalcState::BuyPrice},
    {"buy_price_full_width", "Text1", nullptr, "１０．５", "10.50", &CalcState::BuyPrice},
    {"buy_price_ten_thousand_chars", "Text1", nullptr, kTenThousandCharOne, "1.00",
     &CalcState::BuyPrice},
    {"buy_price_at_limit", "Text1", nullptr, "21474836.47", "21474836.47", &CalcState::BuyPrice},
    {"buy_price_rounds_to_limit", "Text1", nullptr, "21474836.474", "21474836.47",
     &CalcState::BuyPrice},

    {"buy_qty_thousand", "Text2", "10", "1000", "1,000", &CalcState::BuyQty},
    {"buy_qty_grouped_again", "Text2", "10", "1,000", "1,000", &CalcState::BuyQty},
    {"buy_qty_exponent", "Text2", "10", "1e3", "1,000", &CalcState::BuyQty},
    {"buy_qty_one_lot", "Text2", "10", "100", "100", &CalcState::BuyQty},
    {"buy_qty_at_limit", "Text2", "10", "2147483600", "2,147,483,600", &CalcState::BuyQty},
    {"buy_amount_at_limit", "Text2", "50", "2000000000", "2,000,000,000", &CalcState::BuyQty},

    {"sell_price", "Text11", nullptr, "11", "11.00", &CalcState::SellPrice},
    {"sell_price_half_fen_to_even", "Text11", nullptr, "9.125", "9.12", &CalcState::SellPrice},
    {"sell_price_at_limit", "Text11", nullptr, "21474836.47", "21474836.47", &CalcState::SellPrice},

    {"sell_qty_one", "Text12", "10", "1", "1", &CalcState::SellQty},
    {"sell_qty_odd_lot", "Text12", "10", "99", "99", &CalcState::SellQty},
    {"sell_qty_half_to_even", "Text12", "10", "2.5", "2", &CalcState::SellQty},
    {"sell_qty_grouping", "Text12", "10", "1234", "1,234", &CalcState::SellQty},
    {"sell_qty_at_limit", "Text12", "10", "2147483647", "2,147,483,647", &CalcState::SellQty},
    {"sell_qty_rounds_to_limit", "Text12", "10", "2147483647.4", "2,147,483,647",
     &CalcState::SellQty},

    {"bonus_ten", "Text21", nullptr, "10", "10", nullptr},
    {"bonus_zero", "Text21", nullptr, "0", "0", nullptr},
    {"bonus_rounds_down", "Text21", nullptr, "0.4", "0", nullptr},
    {"bonus_half_to_even", "Text21", nullptr, "2.5", "2", nullptr},

    {"dividend_rounded_to_fen", "Text22", nullptr, "1.234", "1.23", nullptr},
    {"dividend_one_fen", "Text22", nullptr, "0.01", "0.01", nullptr},
    {"dividend_at_limit", "Text22", nullptr, "21474836.47", "21474836.47", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, MainRuleAcceptance, ::testing::ValuesIn(kAccepted), rowName);

using MainRuleStoredValue = MainWindowTest;

TEST_F(MainRuleStoredValue, a_range_refusal_keeps_the_refused_value_stored) {
    type("Text1", "0.005");
    enter("Text1");
    EXPECT_EQ(st().BuyPrice, money("0.005"));

    ui.messages.clear();
    type("Text1", "10");
    type("Text2", "150");
    enter("Text2");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kBuyQtyLot)});
    EXPECT_EQ(st().BuyQty, money("150"));
    EXPECT_EQ(st().BuyPrice, money("10"));

    ui.messages.clear();
    type("Text11", "11");
    type("Text12", "0.5");
    enter("Text12");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kSellQtyMin)});
    EXPECT_EQ(st().SellQty, money("0.5"));
}

TEST_F(MainRuleStoredValue, a_refusal_by_the_number_test_stores_nothing) {
    // Enter in Text2 does not zero the buy price before it validates Text1 again.
    st().BuyPrice = money("7");
    type("Text1", "abc");
    type("Text2", "100");
    enter("Text2");
    EXPECT_EQ(st().BuyPrice, money("7"));
}

TEST_F(MainRuleStoredValue, a_value_beyond_the_supported_range_is_stored_as_zero) {
    type("Text1", "10");
    type("Text2", "2147483700");
    enter("Text2");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(msg::kBuyQtyMax)});
    EXPECT_EQ(st().BuyQty, Money());

    type("Text11", "1e300");
    enter("Text11");
    EXPECT_EQ(st().SellPrice, Money());
}

// The shared validators of the batch dialogs.
enum class Validator { BuyPrice, BuyQty, SellPrice, SellQty };

struct ValidatorRow {
    const char* name;
    Validator validator;
    std::string typed;
    std::string_view message;  // empty when accepted
    const char* shown;         // the text afterwards
};

class SharedValidator : public MainWindowTest, public ::testing::WithParamInterface<ValidatorRow> {
protected:
    void run(Validator v, Ctl field, std::int32_t& accepted) {
        switch (v) {
            case Validator::BuyPrice:
                CheckBuyPrice(ui, field, accepted);
                break;
            case Validator::BuyQty:
                CheckBuyQty(ui, field, accepted);
                break;
            case Validator::SellPrice:
                CheckSellPrice(ui, field, accepted);
                break;
            case Validator::SellQty:
                CheckSellQty(ui, field, accepted);
                break;
        }
    }
    static Ctl fieldOf(Validator v) {
        const bool buy = v == Validator::BuyPrice || v == Validator::BuyQty;
        return Ctl{buy ? FormId::Form4 : FormId::Form3, "Text2"};
    }
};

TEST_P(SharedValidator, accepts_and_rewrites_or_refuses_leaving_the_flag_as_it_was) {
    const ValidatorRow& row = GetParam();
    const Ctl field = fieldOf(row.validator);
    ui.setText(field, row.typed);
    ui.setFocus(field);
    std::int32_t accepted = 0;
    run(row.validator, field, accepted);
    EXPECT_EQ(ui.text(field), row.shown);
    if (row.message.empty()) {
        EXPECT_EQ(accepted, 1);
        EXPECT_TRUE(ui.messages.empty());
    } else {
        EXPECT_EQ(accepted, 0);
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(row.message)});
        EXPECT_TRUE(ui.hasFocus(field));
        EXPECT_TRUE(ui.isWholeTextSelected(field));
    }
}

const ValidatorRow kValidatorRows[] = {
    {"buy_price_to_a_tenth_of_a_fen", Validator::BuyPrice, "9.4567", "", "9.457"},
    {"buy_price_keeps_its_decimals", Validator::BuyPrice, "9.5", "", "9.5"},
    {"buy_price_drops_trailing_zeros", Validator::BuyPrice, "10.00", "", "10"},
    {"buy_price_grouped", Validator::BuyPrice, "1,234.5", "", "1234.5"},
    {"buy_price_at_limit", Validator::BuyPrice, "2147483.647", "", "2147483.647"},
    {"buy_price_double_below_a_fen", Validator::BuyPrice, "0.00996", kBuyPriceMin, "0.00996"},
    {"buy_price_letters", Validator::BuyPrice, "abc", kBuyPriceNotNumber, "abc"},
    {"buy_price_empty", Validator::BuyPrice, "", kBuyPriceNotNumber, ""},
    {"buy_price_huge_negative", Validator::BuyPrice, "-1e300", kBuyPriceMin, "-1e300"},
    {"buy_price_above_limit", Validator::BuyPrice, "2147483.648", kBatchBuyPriceMax, "2147483.648"},
    {"buy_price_main_window_limit", Validator::BuyPrice, "21474836.47", kBatchBuyPriceMax,
     "21474836.47"},
    {"buy_price_huge", Validator::BuyPrice, "1e300", kBatchBuyPriceMax, "1e300"},

    {"buy_qty_left_as_typed", Validator::BuyQty, "200.0", "", "200.0"},
    {"buy_qty_grouped_left_as_typed", Validator::BuyQty, "1,000", "", "1,000"},
    {"buy_qty_full_width_shown_in_ascii", Validator::BuyQty, "１，０００", "", "1,000"},
    {"buy_qty_full_width_refused_as_typed", Validator::BuyQty, "１５０", kBuyQtyLot, "１５０"},
    {"buy_qty_at_limit", Validator::BuyQty, "2147483600", "", "2147483600"},
    {"buy_qty_letters", Validator::BuyQty, "abc", kBuyQtyNotNumber, "abc"},
    {"buy_qty_zero", Validator::BuyQty, "0", kBuyQtyNotPositive, "0"},
    {"buy_qty_negative", Validator::BuyQty, "-100", kBuyQtyNotPositive, "-100"},
    {"buy_qty_odd_lot", Validator::BuyQty, "150", kBuyQtyLot, "150"},
    {"buy_qty_two_and_a_half_lots", Validator::BuyQty, "250", kBuyQtyLot, "250"},
    {"buy_qty_fraction", Validator::BuyQty, "100.5", kBuyQtyLot, "100.5"},
    {"buy_qty_above_limit", Validator::BuyQty, "2147483700", kBuyQtyMax, "2147483700"},
    {"buy_qty_huge", Validator::BuyQty, "1e300", kBuyQtyMax, "1e300"},

    {"sell_price_to_a_tenth_of_a_fen", Validator::SellPrice, "9.4567", "", "9.457"},
    {"sell_price_letters", Validator::SellPrice, "abc", kSellPriceNotNumber, "abc"},
    {"sell_price_below_a_fen", Validator::SellPrice, "0.009", kSellPriceMin, "0.009"},
    {"sell_price_above_limit", Validator::SellPrice, "2147483.648", kBatchSellPriceMax,
     "2147483.648"},

    {"sell_qty_plain_digits", Validator::SellQty, "1234", "", "1234"},
    {"sell_qty_group_separators_dropped", Validator::SellQty, "1,234", "", "1234"},
    {"sell_qty_half_to_even", Validator::SellQty, "2.5", "", "2"},
    {"sell_qty_one", Validator::SellQty, "1", "", "1"},
    {"sell_qty_at_limit", Validator::SellQty, "2147483647", "", "2147483647"},
    {"sell_qty_letters", Validator::SellQty, "abc", kSellQtyNotNumber, "abc"},
    {"sell_qty_half", Validator::SellQty, "0.5", kSellQtyMin, "0.5"},
    {"sell_qty_above_limit", Validator::SellQty, "2147483648", kSellQtyMax, "2147483648"},
    {"sell_qty_huge", Validator::SellQty, "1e300", kSellQtyMax, "1e300"},
};

INSTANTIATE_TEST_SUITE_P(Rows, SharedValidator, ::testing::ValuesIn(kValidatorRows), rowName);

using SharedValidatorFlag = MainWindowTest;

TEST_F(SharedValidatorFlag, a_refusal_leaves_a_pending_acceptance_in_place) {
    const Ctl field{FormId::Form4, "Text1"};
    ui.setText(field, "abc");
    std::int32_t accepted = 1;
    CheckBuyPrice(ui, field, accepted);
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace zm::test
