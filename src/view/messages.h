#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Every text the program shows in a message box, and the captions and tool tips the engine
// writes, in one place. Each message ends with seven blanks; the punctuation inside is the
// full-width comma "，" except in kMsgWriteFailed, which has an ASCII comma. Every box
// has the warning icon, one OK button and the title kMessageTitle.
namespace zm::msg {

inline constexpr std::string_view kMessageTitle = "股票计算器提示";

// A message without its trailing blanks, for a label that shows it.
inline std::string trimmed(std::string_view message) {
    return std::string(message.substr(0, message.find_last_not_of(' ') + 1));
}

// Buy price (main window Text1, and the batch buy dialog's prices).
inline constexpr std::string_view kBuyPriceNotNumber =
    "输入错误，买入价格必须输入数字，请重新输入       ";
inline constexpr std::string_view kBuyPriceMin = "输入错误，买入价格至少要1分钱，请重新输入       ";
// Buy quantity (Text2, and the batch buy dialog's quantities).
inline constexpr std::string_view kBuyQtyNotNumber =
    "输入错误，买入数量必须输入数字，请重新输入       ";
inline constexpr std::string_view kBuyQtyNotPositive =
    "输入错误，买入数量不能为零，也不能小于零，请重新输入       ";
inline constexpr std::string_view kBuyQtyLot =
    "输入错误，买入数量一手最少为100股，委托数量必须为100的倍数，请重新输入       ";
// Sell price (Text11, and the batch sell dialog's prices).
inline constexpr std::string_view kSellPriceNotNumber =
    "输入错误，卖出价格必须输入数字，请重新输入       ";
inline constexpr std::string_view kSellPriceMin =
    "输入错误，买出的价格至少要1分钱，请重新输入       ";
// Sell quantity (Text12, and the batch sell dialog's quantities).
inline constexpr std::string_view kSellQtyNotNumber =
    "输入错误，卖出数量必须输入数字，请重新输入       ";
inline constexpr std::string_view kSellQtyMin = "输入错误，买出的数量至少要1股，请重新输入       ";
// Bonus shares per 10 (Text21).
inline constexpr std::string_view kBonusNotNumber =
    "输入错误，送股的数量必须输入数字，请重新输入       ";
inline constexpr std::string_view kBonusMin = "输入错误，送股的数量至少要0股，请重新输入       ";
inline constexpr std::string_view kBonusMax = "输入错误，送股的数量不得大于10股，请重新输入       ";
// Announcements give the bonus and the dividend per 10 shares with up to four decimals (10转4.8,
// 10派2.356); a fifth decimal is no figure a company announces.
inline constexpr std::string_view kBonusDecimals =
    "输入错误，送股的数量最多四位小数，请重新输入       ";
// Cash dividend per 10 (Text22).
inline constexpr std::string_view kDividendNotNumber =
    "输入错误，分红的数量必须输入数字，请重新输入       ";
inline constexpr std::string_view kDividendNegative =
    "输入错误，分红的数量不能小于零，请重新输入       ";
inline constexpr std::string_view kDividendDecimals =
    "输入错误，分红的数量最多四位小数，请重新输入       ";

// Calculate with a side locked by a batch dialog.
inline constexpr std::string_view kClearFirst = "若要重新计算，请先清空原有数据！       ";
// A failed write of the settings file.
inline constexpr std::string_view kWriteFailed = "写文件时出错,无法写入       ";

// Upper limits. The calculations are exact only inside these ranges, so a value beyond them is
// refused with a message that names the range instead of being computed wrongly.
inline constexpr std::string_view kBuyPriceMax =
    "输入错误，买入价格不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kSellPriceMax =
    "输入错误，卖出价格不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kBuyQtyMax =
    "输入错误，买入数量不得超过2,147,483,600股，请重新输入       ";
inline constexpr std::string_view kSellQtyMax =
    "输入错误，卖出数量不得超过21.47亿股，请重新输入       ";
inline constexpr std::string_view kDividendMax =
    "输入错误，分红的数量不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kBuyAmountMax =
    "输入错误，买入金额（价格×数量）不得超过100,000,000,000元，请重新输入       ";
inline constexpr std::string_view kSellAmountMax =
    "输入错误，卖出金额（价格×数量）不得超过100,000,000,000元，请重新输入       ";
// The batch dialogs' prices are rewritten to a tenth of a fen and must stay below these.
inline constexpr std::string_view kBatchBuyPriceMax =
    "输入错误，买入价格不得超过2,147,483.647元，请重新输入       ";
inline constexpr std::string_view kBatchSellPriceMax =
    "输入错误，卖出价格不得超过2,147,483.647元，请重新输入       ";
// A batch purchase against a dividend whose total (dividend per 10 shares × shares ÷ 10) leaves
// the range of a trade amount.
inline constexpr std::string_view kDividendAmountMax =
    "输入错误，分红的总金额（每10股分红×股数÷10）不得超过100,000,000,000元，请重新输入       ";

// Captions and tool tips that change with the fee rules.
inline constexpr std::string_view kMainTitle = "股票交易费用成本Zunmo计算器3.0版";
inline constexpr std::string_view kCombo2Tip = "历史最高印花税为6‰，最低为1‰";

// Tool tips under a trade date's rules (the program's own rules keep the layout's). `side` is
// "买入" or "卖出"; rates are per mille as the rate boxes show them ("0.5"); `from` is the first
// day of the rules in force ("2023年8月28日"); `minimum` is the minimum commission in yuan
// ("5.00"), "0.00" for none (免五).
inline std::string commissionMinimumNote(std::string_view minimum) {
    return minimum == "0.00" ? std::string("不设最低佣金（免五）")
                             : "每笔最低" + std::string(minimum) + "元";
}
inline std::string commissionRulesTip(std::string_view side, std::string_view minimum) {
    return "本次" + std::string(side) + "佣金，即手续费：成交金额×佣金费率，" +
           commissionMinimumNote(minimum) + "；基金、权证也收";
}
inline std::string buyStampDutyRulesTip(std::string_view rate, std::string_view from) {
    return "买入不收印花税：" + std::string(from) + "起印花税只在卖出时收，成交金额的" +
           std::string(rate) + "‰";
}
inline std::string sellStampDutyRulesTip(std::string_view rate, std::string_view from) {
    return "本次卖出印花税，即成交金额的" + std::string(rate) + "‰（" + std::string(from) +
           "起），买入不收；基金、权证不收";
}
// The transfer fee: a share of the amount in both exchanges (`rate` per mille), or, with an
// empty rate, the Shanghai fee per share of 2008 to 2015.
inline std::string transferRulesTip(std::string_view side, std::string_view rate,
                                    std::string_view from) {
    const std::string head = "本次" + std::string(side) + "过户费（" + std::string(from) + "起）：";
    return rate.empty()
               ? head + "仅上海A股收，每1000股1元，起点1元；深圳A股、基金、权证不收"
               : head + "沪深两市都收，成交金额的" + std::string(rate) + "‰；基金、权证不收";
}
inline std::string commissionBoxRulesTip(std::string_view minimum) {
    return "佣金费率由券商定，单位是‰：可选常用费率，也可直接输入0到3之间的数，最多三位小数。"
           "券商说的“万2.5”在这里是0.25，" +
           commissionMinimumNote(minimum);
}
inline std::string stampDutyBoxRulesTip(std::string_view rate, std::string_view from) {
    return "印花税由国家规定，" + std::string(from) + "起只在卖出时按成交金额的" +
           std::string(rate) + "‰收取，买入不收";
}

// The main window title's note on the rules in force.
inline constexpr std::string_view kCurrentRulesNote = "（现行规则）";
inline std::string datedRulesNote(std::string_view date) {
    return "（按" + std::string(date) + "的规则）";
}
// The rules dialog's summary of a rule set: the stamp duty rate (per mille), the transfer fee
// (per mille of the amount, or none for the Shanghai fee per 1,000 shares), the minimum
// commission (yuan), one line each, and the line on funds and warrants.
inline std::string rulesSummary(std::string_view stampDutyRate,
                                std::optional<std::string_view> transferRate,
                                std::string_view minCommission) {
    const std::string transfer =
        transferRate ? "过户费：沪深两市都收，成交金额的" + std::string(*transferRate) + "‰"
                     : std::string("过户费：仅上海A股收，每1000股1元，起点1元；深圳不收");
    return "印花税：卖出时收成交金额的" + std::string(stampDutyRate) + "‰，买入不收\n" + transfer +
           "\n最低佣金：" + std::string(minCommission) + "元\n基金、权证只收佣金";
}

// Fee rules of a trade date.
inline constexpr std::string_view kRulesDateTooEarly =
    "2008年9月19日以前的成交请用本程序规则计算       ";
inline constexpr std::string_view kRulesDateInvalid =
    "输入错误，成交日期不是有效的日期，请重新输入       ";
inline constexpr std::string_view kRulesDateNotDate =
    "输入错误，成交日期请按2023-08-27、2023/8/27、2023.8.27或20230827输入，请重新输入       ";
inline constexpr std::string_view kCommissionRateInvalid =
    "输入错误，佣金费率必须是0到3之间的数字，请重新输入       ";
inline constexpr std::string_view kCommissionRateForm =
    "输入错误，佣金费率请写成0.25这样的小数，不用1e-1这样的写法，请重新输入       ";
inline constexpr std::string_view kCommissionRateDecimals =
    "输入错误，佣金费率最多三位小数，请重新输入       ";
inline constexpr std::string_view kMinCommissionInvalid =
    "输入错误，最低佣金必须是0到100之间的数字，请重新输入       ";

// Importing a statement (FormImport). The agreed rate and minimum are refused with the texts of
// the main window's commission box above.
inline constexpr std::string_view kImportFilesTitle = "选择交割单文件";
inline constexpr std::string_view kImportFilesFilter = "交割单 (*.txt *.xls *.csv);;所有文件 (*)";
inline constexpr std::string_view kImportFileMissing =
    "输入错误，请输入交割单文件的路径，或按“浏览…”选择，请重新输入       ";
inline std::string importCannotRead(std::string_view file) {
    return "无法读取文件“" + std::string(file) + "”，请检查路径后重新输入       ";
}
// A statement file larger than any a trading client saves (a year of trades is a few megabytes):
// refused before it is read, so that a wrong file chosen never fills the memory.
inline std::string importFileTooLarge(std::string_view file, std::uintmax_t megabytes) {
    return "文件“" + std::string(file) + "”有" + std::to_string(megabytes) +
           "MB，不像是交割单（交割单一般不超过几MB），请检查后重新输入       ";
}
// A file refused as a whole: its name, then the reader's reason.
inline std::string importFileRefused(std::string_view file, std::string_view reason) {
    return std::string(file) + "\n" + std::string(reason);
}
// 导入此行 marks a 不平 row to be imported all the same.
inline constexpr std::string_view kImportTakenStatus = "不平·导入";

// Target sell price.
inline constexpr std::string_view kTargetNoPurchase = "请先计算买入，再求目标卖出价       ";
inline constexpr std::string_view kTargetNotNumber =
    "输入错误，目标必须输入数字，请重新输入       ";
inline constexpr std::string_view kTargetUnreachable =
    "在允许的价格范围内达不到这个目标，请把目标改小       ";
inline constexpr std::string_view kTargetLossAbovePurchase =
    "输入错误，目标的亏损不能超过买入的实付金额，请重新输入       ";

// The about box's picture: no web browser could be started for the user guide, or the guide
// page is not where the program looked for it.
inline std::string browserFailed(std::string_view guidePath) {
    return "无法启动网页浏览器，请在浏览器中打开本程序的网页：" + std::string(guidePath) +
           "       ";
}
inline std::string guideMissing(std::string_view guidePath) {
    return "找不到本程序的使用说明网页：" + std::string(guidePath) +
           "，请重新安装本程序或把它复制到这里       ";
}

// The fields of the tools for the shares an investor holds. 买入价格 and 卖出价格 share the
// main window's messages where the wording fits; prices of funds under trade-date rules, and a
// fund's close, are in steps of 0.001 yuan.
inline constexpr std::string_view kHeldNotNumber =
    "输入错误，持有股数必须输入数字，请重新输入       ";
inline constexpr std::string_view kHeldMin = "输入错误，持有股数至少要1股，请重新输入       ";
inline constexpr std::string_view kHeldWhole = "输入错误，持有股数必须是整数，请重新输入       ";
inline constexpr std::string_view kHeldMax =
    "输入错误，持有股数不得超过21.47亿股，请重新输入       ";
inline constexpr std::string_view kCostNotNumber =
    "输入错误，成本价必须输入数字，请重新输入       ";
inline constexpr std::string_view kCostMin = "输入错误，成本价必须大于0，请重新输入       ";
inline constexpr std::string_view kCostDecimals = "输入错误，成本价最多三位小数，请重新输入       ";
inline constexpr std::string_view kCostMax =
    "输入错误，成本价不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kTargetCostNotNumber =
    "输入错误，目标成本价必须输入数字，请重新输入       ";
inline constexpr std::string_view kTargetCostMin =
    "输入错误，目标成本价必须大于0，请重新输入       ";
inline constexpr std::string_view kTargetCostDecimals =
    "输入错误，目标成本价最多三位小数，请重新输入       ";
inline constexpr std::string_view kTargetCostMax =
    "输入错误，目标成本价不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kAddSharesNotNumber =
    "输入错误，补仓股数必须输入数字，请重新输入       ";
inline constexpr std::string_view kAddSharesWhole =
    "输入错误，补仓股数必须是整数，请重新输入       ";
inline constexpr std::string_view kAddSharesMin =
    "输入错误，补仓股数至少要100股，请重新输入       ";
inline constexpr std::string_view kAddSharesStarMin =
    "输入错误，科创板补仓股数至少要200股，请重新输入       ";
inline constexpr std::string_view kAddSharesLot =
    "输入错误，补仓股数必须是100的整数倍，请重新输入       ";
inline constexpr std::string_view kAddSharesMax =
    "输入错误，补仓股数不得超过2,147,483,600股，请重新输入       ";
inline constexpr std::string_view kSwingSharesNotNumber =
    "输入错误，做T股数必须输入数字，请重新输入       ";
inline constexpr std::string_view kSwingSharesMin = "输入错误，做T股数至少要1股，请重新输入       ";
inline constexpr std::string_view kSwingSharesWhole =
    "输入错误，做T股数必须是整数，请重新输入       ";
inline constexpr std::string_view kSwingSharesAboveHeld =
    "输入错误，做T股数不得超过持有股数，请重新输入       ";
// 做T股数 against the board's purchase rule: the buy of a 正T and the buy-back of a 倒T are
// purchases like any other.
inline constexpr std::string_view kSwingSharesMin100 =
    "输入错误，做T股数至少要100股，请重新输入       ";
inline constexpr std::string_view kSwingSharesStarMin =
    "输入错误，科创板做T股数至少要200股，请重新输入       ";
inline constexpr std::string_view kSwingSharesLot =
    "输入错误，做T股数必须是100的整数倍，请重新输入       ";
inline constexpr std::string_view kBuyPriceMinMill =
    "输入错误，买入价格至少要0.001元，请重新输入       ";
inline constexpr std::string_view kBuyPriceFen =
    "输入错误，买入价格最多两位小数，请重新输入       ";
inline constexpr std::string_view kBuyPriceMill =
    "输入错误，买入价格最多三位小数，请重新输入       ";
inline constexpr std::string_view kToolSellPriceMin =
    "输入错误，卖出价格至少要1分钱，请重新输入       ";
inline constexpr std::string_view kSellPriceMinMill =
    "输入错误，卖出价格至少要0.001元，请重新输入       ";
inline constexpr std::string_view kSellPriceFen =
    "输入错误，卖出价格最多两位小数，请重新输入       ";
inline constexpr std::string_view kSellPriceMill =
    "输入错误，卖出价格最多三位小数，请重新输入       ";
inline constexpr std::string_view kCloseNotNumber =
    "输入错误，收盘价必须输入数字，请重新输入       ";
inline constexpr std::string_view kCloseMin = "输入错误，收盘价至少要1分钱，请重新输入       ";
inline constexpr std::string_view kCloseMinMill =
    "输入错误，收盘价至少要0.001元，请重新输入       ";
inline constexpr std::string_view kCloseFen = "输入错误，收盘价最多两位小数，请重新输入       ";
inline constexpr std::string_view kCloseMill = "输入错误，收盘价最多三位小数，请重新输入       ";
inline constexpr std::string_view kCloseMax =
    "输入错误，收盘价不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kRightsPriceNotNumber =
    "输入错误，配股价必须输入数字，请重新输入       ";
inline constexpr std::string_view kRightsPriceMin =
    "输入错误，配股价至少要1分钱，请重新输入       ";
inline constexpr std::string_view kRightsPriceFen =
    "输入错误，配股价最多两位小数，请重新输入       ";
inline constexpr std::string_view kRightsPriceMax =
    "输入错误，配股价不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kCashNotNumber =
    "输入错误，可用资金必须输入数字，请重新输入       ";
inline constexpr std::string_view kCashMin = "输入错误，可用资金至少要1分钱，请重新输入       ";
inline constexpr std::string_view kCashDecimals =
    "输入错误，可用资金最多两位小数，请重新输入       ";
inline constexpr std::string_view kCashMax =
    "输入错误，可用资金不得超过100,000,000,000元，请重新输入       ";
inline constexpr std::string_view kPer10CashNotNumber =
    "输入错误，每10股派现必须输入数字，请重新输入       ";
inline constexpr std::string_view kPer10CashMin =
    "输入错误，每10股派现不能小于0，请重新输入       ";
inline constexpr std::string_view kPer10CashDecimals =
    "输入错误，每10股派现最多四位小数，请重新输入       ";
inline constexpr std::string_view kPer10CashMax =
    "输入错误，每10股派现不得超过21,474,836.47元，请重新输入       ";
inline constexpr std::string_view kPer10BonusNotNumber =
    "输入错误，每10股送转必须输入数字，请重新输入       ";
inline constexpr std::string_view kPer10BonusMin =
    "输入错误，每10股送转不能小于0，请重新输入       ";
inline constexpr std::string_view kPer10BonusDecimals =
    "输入错误，每10股送转最多四位小数，请重新输入       ";
inline constexpr std::string_view kPer10BonusMax =
    "输入错误，每10股送转不得超过21,474,836.47股，请重新输入       ";
inline constexpr std::string_view kPer10RightsNotNumber =
    "输入错误，每10股配股必须输入数字，请重新输入       ";
inline constexpr std::string_view kPer10RightsMin =
    "输入错误，每10股配股不能小于0，请重新输入       ";
inline constexpr std::string_view kPer10RightsDecimals =
    "输入错误，每10股配股最多四位小数，请重新输入       ";
inline constexpr std::string_view kPer10RightsMax =
    "输入错误，每10股配股不得超过21,474,836.47股，请重新输入       ";
inline constexpr std::string_view kLimitDateInvalid =
    "输入错误，交易日期不是有效的日期，请重新输入       ";
inline constexpr std::string_view kLimitDateNotDate =
    "输入错误，交易日期请按2023-08-27、2023/8/27、2023.8.27或20230827输入，请重新输入       ";
inline constexpr std::string_view kLimitDateTooEarly =
    "输入错误，交易日期不能早于2008年9月19日，请重新输入       ";

// The refusals of the tools' calculations (the reasons of their Refusal enums).
inline constexpr std::string_view kHoldingCostMax =
    "输入错误，持股成本（持有股数×成本价）不得超过100,000,000,000元，请重新输入       ";
inline constexpr std::string_view kTargetCostNotBelowCost =
    "输入错误，目标成本价必须低于现在的成本价，请重新输入       ";
inline constexpr std::string_view kTargetCostNotAbovePrice =
    "输入错误，目标成本价必须高于补仓价格，请重新输入       ";
inline constexpr std::string_view kTargetCostUnreachable =
    "在允许的股数和金额范围内补仓达不到这个目标成本价，请提高目标成本价或降低补仓价格       ";
inline constexpr std::string_view kTargetCostAtFeeEdge =
    "目标成本价离买入价格加手续费太近，求不出补仓股数       ";
inline constexpr std::string_view kNotEnoughForOneLot = "可用资金不够买入一手       ";
// 科创板 takes no purchase under 200 shares.
inline constexpr std::string_view kNotEnoughForStarMin =
    "可用资金不够买入200股，科创板每笔最少买200股       ";
inline constexpr std::string_view kExRightsNotPositive =
    "输入错误，每10股派现太多，除权参考价不大于0，请重新输入       ";

// The about box: no web browser could be started for the user guide (%1 is the guide's path).
inline constexpr std::string_view kBrowserFailed =
    "无法启动网页浏览器，请在浏览器中打开本程序的网页：%1       ";

// Captions and tool tips the sell side writes.
inline constexpr std::string_view kProfitLossCaption = "盈亏金额";
inline constexpr std::string_view kGainCaption = "大赚特赚";
inline constexpr std::string_view kLossCaption = "大亏特亏";
inline constexpr std::string_view kRemainingSharesCaption = "剩余股票";
inline constexpr std::string_view kYuanUnit = "元";
inline constexpr std::string_view kSharesUnit = "股";
inline constexpr std::string_view kPercentUnit = "％";
inline constexpr std::string_view kBreakEvenTip =
    "每股的保本价格，既扣除买入卖出的各种费用后保证不亏损的每股价格";

// The 做T dialog's break-even row, as the order of the two trades makes it: the lowest sell
// price of a 正T, the highest buy-back price of a 倒T.
inline constexpr std::string_view kSwingSellBreakEvenCaption = "保本卖出价";
inline constexpr std::string_view kSwingSellBreakEvenTip =
    "正T的保本卖出价：卖出收回的钱不少于买入付出的钱的最低卖出价";
inline constexpr std::string_view kSwingBuyBackBreakEvenCaption = "最高买回价";
inline constexpr std::string_view kSwingBuyBackBreakEvenTip =
    "倒T的最高买回价：买回付出的钱不超过卖出收回的钱的最高买入价";
// The tool tip of Label8 after a partial sale, quoting the sold quantity as Text12 shows it.
inline std::string remainingBreakEvenTip(std::string_view soldQtyText) {
    return "剩余股票每股的保本价格，卖出的" + std::string(soldQtyText) +
           "股的各种费用计入剩余股票成本里面。";
}
// The tool tip of the yield (Text18 and Label18) after a partial sale: what the yield shown is,
// then the realised profit of the shares sold against the part of the amount paid they carry,
// and its yield (none when that part is no positive amount).
inline std::string partialSaleYieldTip(std::string_view soldQtyText, std::string_view costPart,
                                       std::string_view profit,
                                       std::optional<std::string_view> yield) {
    std::string tip =
        "部分卖出：收益率是本次实收金额减去全部实付金额后占实付金额的百分比，剩余股票没有计入。"
        "卖出的" +
        std::string(soldQtyText) + "股按股数分摊实付金额" + std::string(costPart) + "元，实现盈亏" +
        std::string(profit) + "元";
    if (yield) {
        tip += "，收益率" + std::string(*yield) + "％";
    }
    return tip;
}

// The line under a tool's inputs naming what it computes with. The program's own rules: the two
// list rates (per mille, "2.7", "3"). A trade date's rules or today's: `dated` the date as the
// title's note names it ("2015年8月1日"), empty for today's; the market as its option says; the
// commission rate (per mille); the minimum commission in yuan ("5"), empty for none (免五).
inline std::string ownRulesInUse(std::string_view commission, std::string_view stampDuty) {
    return "按本程序规则 · 佣金" + std::string(commission) + "‰ · 印花税" + std::string(stampDuty) +
           "‰（买卖都收）";
}
inline std::string tradeRulesInUse(std::string_view dated, std::string_view market,
                                   std::string_view commission, std::string_view minimum) {
    const std::string rules =
        dated.empty() ? std::string("按现行规则") : "按" + std::string(dated) + "的规则";
    return rules + " · " + std::string(market) + " · 佣金" + std::string(commission) + "‰ · " +
           (minimum.empty() ? std::string("不设最低（免五）")
                            : "最低" + std::string(minimum) + "元");
}
// 涨跌停价: the board and the limit in percent in force on the date ("主板ST 10%").
inline std::string limitRatioInUse(std::string_view board, int percent) {
    return "按" + std::string(board) + " " + std::to_string(percent) + "%涨跌幅，不计费用";
}
inline constexpr std::string_view kExRightsInUse = "按除权除息公式，不计费用，四舍五入到分";

// The journal (账本). The input rules' refusals name the field.
inline constexpr std::string_view kJournalCodeInvalid =
    "输入错误，证券代码必须是6位数字，请重新输入       ";
inline constexpr std::string_view kJournalDateNotDate =
    "输入错误，日期应写成2024-01-31这样，请重新输入       ";
inline constexpr std::string_view kJournalDateNoSuchDay =
    "输入错误，日历上没有这一天，请重新输入       ";
inline constexpr std::string_view kJournalDateTooEarly =
    "输入错误，日期不得早于1990年12月19日，请重新输入       ";
inline constexpr std::string_view kJournalDateFuture =
    "输入错误，日期不得晚于今天，请重新输入       ";
inline constexpr std::string_view kJournalQtyNotNumber =
    "输入错误，数量必须是数字，请重新输入       ";
inline constexpr std::string_view kJournalQtyMin = "输入错误，数量至少要1股，请重新输入       ";
inline constexpr std::string_view kJournalQtyMax =
    "输入错误，数量不得大于2147483647股，请重新输入       ";
inline constexpr std::string_view kJournalQtyWhole =
    "输入错误，数量必须是整数股，请重新输入       ";
inline constexpr std::string_view kJournalPriceNotNumber =
    "输入错误，价格必须是数字，请重新输入       ";
inline constexpr std::string_view kJournalPriceNegative =
    "输入错误，价格不得为负数，请重新输入       ";
inline constexpr std::string_view kJournalPriceMax =
    "输入错误，价格不得大于21474836.47元，请重新输入       ";
inline constexpr std::string_view kJournalPriceDecimals =
    "输入错误，价格最多三位小数，请重新输入       ";
inline constexpr std::string_view kJournalCommissionInvalid =
    "输入错误，佣金必须是金额：不为负数，最多两位小数，请重新输入       ";
inline constexpr std::string_view kJournalStampInvalid =
    "输入错误，印花税必须是金额：不为负数，最多两位小数，请重新输入       ";
inline constexpr std::string_view kJournalTransferInvalid =
    "输入错误，过户费必须是金额：不为负数，最多两位小数，请重新输入       ";
inline constexpr std::string_view kJournalOtherInvalid =
    "输入错误，其他费用必须是金额：不为负数，最多两位小数，请重新输入       ";
inline constexpr std::string_view kJournalPerTenCashInvalid =
    "输入错误，每10股派现必须是不为负数的数字，请重新输入       ";
inline constexpr std::string_view kJournalPerTenBonusInvalid =
    "输入错误，每10股送转必须是不为负数的数字，请重新输入       ";
inline constexpr std::string_view kJournalTotalInvalid =
    "输入错误，金额必须是金额：不为负数，最多两位小数，请重新输入       ";
inline constexpr std::string_view kJournalDividendMissing =
    "输入错误，每10股派现和金额至少要填一项，请重新输入       ";
inline constexpr std::string_view kJournalYearInvalid =
    "输入错误，年度必须是1990到9999之间的年份，请重新输入       ";
inline constexpr std::string_view kJournalNoHoldingChosen =
    "请先在持仓中选中一只证券，再输入它的现价       ";
// A sale of more shares than the journal holds of the code on the day.
inline std::string journalSaleOverHeld(std::int64_t held) {
    return "输入错误，卖出的数量多于当时持有的" + std::to_string(held) + "股，请重新输入       ";
}
inline constexpr std::string_view kJournalSameDaySale =
    "这笔卖出含有当天买入的股份，按T+1规则当天买入的股票当天不能卖出。仍然记入账本吗？       ";
inline constexpr std::string_view kJournalDeleteQuestion = "确实要删除选中的这一笔吗？       ";
inline constexpr std::string_view kJournalNewerSchema =
    "账本文件是更新版本的本程序写的，无法打开。账本没有任何改动，计算器可以照常使用。       ";
inline constexpr std::string_view kJournalDamagedQuestion =
    "账本文件已损坏，无法读取。要把它改名留在原处，另建一个新账本吗？       ";
inline constexpr std::string_view kJournalSetAsideFailed =
    "损坏的账本文件无法改名，账本没有任何改动       ";
inline std::string journalCannotOpen(std::string_view path) {
    return path.empty() ? std::string("找不到保存账本的文件夹，无法打开账本       ")
                        : "无法打开或建立账本文件，请检查文件夹是否可以写入：" + std::string(path) +
                              "       ";
}
inline constexpr std::string_view kJournalWriteFailed =
    "写入账本时出错，这次改动没有记入，原有的记录没有丢失       ";
// The export of the two lists: the files it writes, and what it says.
inline constexpr std::string_view kExportEntriesFile = "流水.csv";
inline constexpr std::string_view kExportHoldingsFile = "持仓.csv";
inline constexpr std::string_view kExportFolderMissing =
    "输入错误，请填写保存CSV文件的文件夹，请重新输入       ";
inline constexpr std::string_view kExportFolderTitle = "选择保存CSV文件的文件夹";
inline std::string exportNoSuchFolder(std::string_view folder) {
    return "找不到文件夹“" + std::string(folder) + "”，请重新输入       ";
}
inline std::string exportReplaceQuestion(std::string_view file) {
    return "文件“" + std::string(file) + "”已经存在，要替换它吗？       ";
}
inline std::string exportFailed(std::string_view file) {
    return "无法写入文件“" + std::string(file) + "”，请检查文件是否被其他程序打开       ";
}
// What recording the trade on screen will put into the journal: the side, the shares, the price,
// the amount and the fees, each figure as the main window shows it.
inline std::string recordTradeText(std::string_view side, std::string_view shares,
                                   std::string_view price, std::string_view amount,
                                   std::string_view commission, std::string_view stampDuty,
                                   std::string_view transferFee) {
    return "将记入：" + std::string(side) + " " + std::string(shares) + "股，价格" +
           std::string(price) + "元，成交金额" + std::string(amount) + "元；佣金" +
           std::string(commission) + "元，印花税" + std::string(stampDuty) + "元，过户费" +
           std::string(transferFee) + "元";
}

}  // namespace zm::msg
