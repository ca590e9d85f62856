#include "statement/fee_check.h"

#include <gtest/gtest.h>

namespace zm::statement {
namespace {

using journal::EntryKind;

struct Fill {
    const char* date;
    const char* code;
    EntryKind kind;
    std::int64_t quantity;
    std::int64_t amountFen, commissionFen, stampDutyFen, transferFen;
    const char* orderId;
    const char* rate;         // the 佣金率 column
    const char* overCharged;  // the 多收 column
};

struct Case {
    const char* what;
    CommissionAgreement agreement;  // rate in millionths, minimum, fees included, minimum for funds
    std::vector<Fill> fills;
    CheckStatus status;
};

constexpr Money kFive = Money::fromYuan(5);
constexpr auto kBuy = EntryKind::Buy;
constexpr auto kSell = EntryKind::Sell;

const Case kCases[] = {
    {"minimum with the Shenzhen fees inside",
     {100, kFive, true, false},
     {{"2021-06-01", "000001", kBuy, 500, 489500, 500, 0, 0, "", "万10.21", ""}},
     CheckStatus::Checked},
    {"fees included: a Shenzhen transfer fee on top of the commission",
     {100, kFive, true, false},
     {{"2021-06-01", "000001", kBuy, 500, 489500, 500, 0, 10, "", "万10.21", "0.10"}},
     CheckStatus::Checked},
    {"fees charged apart: the same transfer fee is due",
     {100, kFive, false, false},
     {{"2021-06-01", "000001", kBuy, 500, 489500, 500, 0, 10, "", "万10.21", ""}},
     CheckStatus::Checked},
    {"minimum on a fund sale without a minimum for funds",
     {220, kFive, false, false},
     {{"2021-06-01", "159915", kSell, 1000, 279840, 500, 0, 0, "", "万17.87", "4.38"}},
     CheckStatus::Checked},
    {"minimum on a fund sale with a minimum for funds",
     {220, kFive, false, true},
     {{"2021-06-01", "159915", kSell, 1000, 279840, 500, 0, 0, "", "万17.87", ""}},
     CheckStatus::Checked},
    {"万3 charged when 万1 agreed",
     {100, kFive, false, false},
     {{"2021-06-01", "600000", kBuy, 10000, 10000000, 3000, 0, 200, "", "万3.00", "20.00"}},
     CheckStatus::Checked},
    {"minimum per fill instead of per order, shared 1.67 + 1.67 + 1.66",
     {100, kFive, false, false},
     {{"2021-06-01", "000001", kBuy, 100, 100000, 500, 0, 2, "7", "万50.00", "3.33"},
      {"2021-06-01", "000001", kBuy, 100, 100000, 500, 0, 2, "7", "万50.00", "3.33"},
      {"2021-06-01", "000001", kBuy, 100, 100000, 500, 0, 2, "7", "万50.00", "3.34"}},
     CheckStatus::Checked},
    {"an order's 5.01 shared half up, 2.51 + 2.50",
     {100, kFive, false, false},
     {{"2021-06-01", "000001", kSell, 2505, 2505000, 501, 2505, 50, "8", "万2.00", "2.50"},
      {"2021-06-01", "000001", kSell, 2505, 2505000, 501, 2505, 50, "8", "万2.00", "2.51"}},
     CheckStatus::Checked},
    {"fills without an order id are orders of their own",
     {100, kFive, false, false},
     {{"2021-06-01", "000001", kBuy, 100, 100000, 500, 0, 2, "", "万50.00", ""},
      {"2021-06-01", "000001", kBuy, 100, 100000, 500, 0, 2, "", "万50.00", ""}},
     CheckStatus::Checked},
    {"stamp duty charged on a 2010 purchase",
     {300, kFive, false, false},
     {{"2010-05-04", "600000", kBuy, 1000, 800000, 500, 800, 100, "", "万6.25", "8.00"}},
     CheckStatus::Checked},
    {"Shanghai transfer fee per share too high in 2012",
     {298, kFive, false, false},
     {{"2012-03-01", "600000", kSell, 1500, 1500000, 500, 1500, 300, "", "万3.33", "1.50"}},
     CheckStatus::Checked},
    {"the rate of 万2.98 charged as agreed, stamp duty of 2023-08-28",
     {298, kFive, false, false},
     {{"2023-08-28", "600000", kSell, 10000, 10000000, 2980, 5000, 100, "", "万2.98", ""}},
     CheckStatus::Checked},
    {"before 2008-09-19 nothing is checked",
     {100, kFive, false, false},
     {{"2008-09-18", "600000", kBuy, 1000, 800000, 2400, 800, 100, "", "万30.00", ""}},
     CheckStatus::RulesUnknown},
};

journal::Entry entryOf(const Fill& f) {
    journal::Entry e;
    e.date = *TradeDate::parse(f.date);
    e.code = f.code;
    e.kind = f.kind;
    e.quantity = f.quantity;
    e.amount = Money::fromFen(f.amountFen);
    e.commission = Money::fromFen(f.commissionFen);
    e.stampDuty = Money::fromFen(f.stampDutyFen);
    e.transferFee = Money::fromFen(f.transferFen);
    return e;
}

TEST(FeeCheck, each_fill_against_the_agreement_and_the_trade_dates_rules) {
    for (const auto& c : kCases) {
        std::vector<TradeToCheck> trades;
        for (const auto& f : c.fills) {
            trades.push_back({entryOf(f), f.orderId});
        }
        const FeeCheckResult result = checkFees(c.agreement, trades);
        for (std::size_t i = 0; i < c.fills.size(); ++i) {
            const TradeCheck& t = result.trades[i];
            EXPECT_EQ(t.status, c.status) << c.what;
            EXPECT_EQ(t.rateText(), c.fills[i].rate) << c.what;
            EXPECT_EQ(t.overChargedText(), c.fills[i].overCharged) << c.what << " fill " << i;
        }
    }
}

TEST(FeeCheck, summary_counts_the_trades_checked_and_over_charged) {
    const auto agreement = agreementFromText(" 0.22 ", "5", false, false);
    ASSERT_TRUE(agreement);
    EXPECT_FALSE(agreementFromText("3.5", "5", false, false));
    EXPECT_FALSE(agreementFromText("0.22", "101", false, false));
    const std::vector<TradeToCheck> trades{
        {entryOf(kCases[3].fills[0]), ""},
        {entryOf(kCases[2].fills[0]), ""},
        {entryOf(kCases[12].fills[0]), ""},
        {entryOf({"2021-06-01", "000001", EntryKind::Dividend, 0, 9500, 0, 0, 0, "", "", ""}), ""},
    };
    const FeeCheckResult result = checkFees(*agreement, trades);
    EXPECT_EQ(result.trades[0].detail(), "佣金多收4.38元（应收0.62元），按最低收费");
    EXPECT_EQ(result.trades[2].detail(), fee_check_text::kRulesUnknown);
    EXPECT_EQ(result.trades[3].status, CheckStatus::NotATrade);
    EXPECT_EQ(result.summary(),
              "核对2笔，其中1笔多收，共多收4.38元；实际佣金率万13.00；"
              "另有1笔在2008年9月19日以前，未核对");
}

}  // namespace
}  // namespace zm::statement
