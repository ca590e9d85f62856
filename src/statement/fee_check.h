#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fees/money.h"
#include "journal/entry.h"

// Checking the fees a broker charged (核对费用): each purchase and sale against the commission the
// user agreed with the broker and the stamp duty and transfer fee the rules of its trade date
// charge. The import dialog and the journal window show the result as a list and one summary.
namespace zm::statement {

// The texts the user sees, all in one place.
namespace fee_check_text {
inline constexpr std::string_view kWan = "万";  // before a rate in ten-thousandths: "万2.98"
inline constexpr std::string_view kYuan = "元";
inline constexpr std::string_view kRulesUnknown = "2008年9月19日以前的收费规则未知，未核对";
inline constexpr std::string_view kNotATrade = "不是买卖，不核对";
inline constexpr std::string_view kUnknownCode = "证券代码无法识别，未核对";
inline constexpr std::string_view kOutOfRange = "金额超出范围，未核对";
inline constexpr std::string_view kCommission = "佣金";
inline constexpr std::string_view kCommissionWithTransfer = "佣金（含过户费）";
inline constexpr std::string_view kStampDuty = "印花税";
inline constexpr std::string_view kTransferFee = "过户费";
inline constexpr std::string_view kOverCharged = "多收";
// A fee's line of a row's tip: "佣金多收4.38元（应收0.62元）".
inline constexpr std::string_view kAllowedOpen = "（应收";
inline constexpr std::string_view kAllowedClose = "元）";
inline constexpr std::string_view kMinimumApplied = "按最低收费";
inline constexpr std::string_view kNothingChecked = "没有可核对的买卖";
// The summary: "核对5笔，其中2笔多收，共多收9.38元；实际佣金率万2.98；另有1笔在2008年9月19日
// 以前，未核对", or "核对5笔，未发现多收；…".
inline constexpr std::string_view kChecked = "核对";
inline constexpr std::string_view kTradesCount = "笔";
inline constexpr std::string_view kOfWhich = "，其中";
inline constexpr std::string_view kTradesOverCharged = "笔多收，共多收";
inline constexpr std::string_view kNoneOverCharged = "，未发现多收";
inline constexpr std::string_view kActualRate = "；实际佣金率";
inline constexpr std::string_view kAlso = "；另有";
inline constexpr std::string_view kTradesBeforeRules = "笔在2008年9月19日以前，未核对";
inline constexpr std::string_view kListSeparator = "，";
}  // namespace fee_check_text

// What the user agreed with the broker.
struct CommissionAgreement {
    std::int64_t ratePpm = 0;  // millionths of the amount, as the commission box reads it
    Money minimum;             // per order; 0 for none
    // The commission includes the exchange's handling fee (经手费) and the regulatory fee
    // (证管费), and in Shenzhen the transfer fee too. Without it those are charged apart.
    bool feesIncluded = false;
    bool minimumForFunds = false;  // funds usually pay the rate alone
};

// The agreement from the texts typed: the rate in per mille as the main window's commission box
// takes it ("0.1" is 万1) and the minimum in yuan. nullopt when either text is not accepted.
std::optional<CommissionAgreement> agreementFromText(std::string_view ratePerMille,
                                                     std::string_view minimumYuan,
                                                     bool feesIncluded, bool minimumForFunds);

// One trade of a statement or of the journal. Fills of one order share its order id (合同编号);
// a trade without one is an order of its own.
struct TradeToCheck {
    journal::Entry entry;
    std::string orderId;
};

enum class CheckStatus {
    Checked,
    RulesUnknown,  // before the first trade-date rules: nothing checked
    NotATrade,     // an entry other than a purchase or sale
    UnknownCode,   // no market known for the code
    OutOfRange,    // figures no fee arithmetic can take
};

struct FeeFigures {
    Money commission;
    Money stampDuty;
    Money transferFee;
    Money total() const { return commission + stampDuty + transferFee; }
};

// The check of one trade, for one row of the list.
struct TradeCheck {
    CheckStatus status = CheckStatus::NotATrade;
    // Commission ÷ amount in millionths, rounded half up (万2.98 is 298); none without an amount.
    std::optional<std::int64_t> chargedRatePpm;
    bool minimumApplied = false;  // charged the minimum, which rate × amount stays below
    // The transfer fee counts as part of the commission: fees included, in Shenzhen.
    bool transferInCommission = false;
    FeeFigures allowed;      // Checked only
    FeeFigures overCharged;  // each fee's charge above the allowed one, to the fen; else 0

    bool isOverCharged() const { return overCharged.total() > Money(); }
    // The 佣金率 column: "万2.98", or "" without an amount.
    std::string rateText() const;
    // The 多收 column: "4.38", or "" when nothing was over-charged.
    std::string overChargedText() const;
    // What the row's tip says: each fee over-charged with the amount allowed, why a trade was
    // not checked, or that the minimum was applied.
    std::string detail() const;
};

struct FeeCheckResult {
    std::vector<TradeCheck> trades;  // one per trade given, in the same order
    int checkedCount = 0;
    int overChargedCount = 0;
    int rulesUnknownCount = 0;
    Money overChargedTotal;
    // Total commission ÷ total amount of the trades checked, in millionths, rounded half up.
    std::optional<std::int64_t> overallRatePpm;

    // The summary line, as fee_check_text composes it.
    std::string summary() const;
};

// A rate in millionths as "万x.xx": 298 → "万2.98", 1000 → "万10.00", -5 → "万-0.05".
std::string wanRateText(std::int64_t ppm);

// Checks every trade. The allowed commission is the agreed rate × the amount of the trade's
// order, rounded half up to the fen and at least the minimum (funds only when the agreement says
// so), split among the order's fills in proportion to their amounts, the last fill taking what
// rounding leaves. Stamp duty and transfer fee are allowed as the rules of the trade date charge
// them.
FeeCheckResult checkFees(const CommissionAgreement& agreement,
                         const std::vector<TradeToCheck>& trades);

}  // namespace zm::statement
