#pragma once

#include <string_view>

// What the statement reader tells the user. A text shown in a message box ends with seven
// blanks, as every message box of the program does; a row's reason is shown in the import
// table and has none.
namespace zm::statement::messages {

inline constexpr std::string_view kEmptyFile = "无法识别交割单：文件是空的       ";
inline constexpr std::string_view kSpreadsheetFile =
    "无法识别交割单：这是Excel文件，请在交易软件中把交割单另存为文本或CSV文件后再导入       ";
inline constexpr std::string_view kWebPageFile =
    "无法识别交割单：这是网页文件，请在交易软件中把交割单另存为文本或CSV文件后再导入       ";
inline constexpr std::string_view kBinaryFile =
    "无法识别交割单：这不是文本文件，请在交易软件中把交割单另存为文本或CSV文件后再导入       ";
inline constexpr std::string_view kUnknownEncoding =
    "无法识别交割单：文件的编码既不是UTF-8也不是GB18030       ";
inline constexpr std::string_view kNoHeader =
    "无法识别交割单：前50行中找不到表头。表头至少要有日期（如“成交日期”）、代码（如“证券代码”）"
    "和业务（如“操作”或“买卖标志”）三列       ";
inline constexpr std::string_view kNoRows = "无法识别交割单：表头下面没有数据行       ";

// Reasons of a row, shown beside it.
inline constexpr std::string_view kUnknownKind = "未知业务";
inline constexpr std::string_view kCellCount = "单元格数与表头不符";
inline constexpr std::string_view kCellTooLong = "单元格过长";
inline constexpr std::string_view kBadDate = "日期不对：";
inline constexpr std::string_view kBadTime = "时间不对：";
inline constexpr std::string_view kBadCode = "证券代码不对：";
inline constexpr std::string_view kBadNumber = "数字不对：";
inline constexpr std::string_view kNotImported = "不计入账本：";
// 不平: the two figures that should agree, "… = X，… = Y".
inline constexpr std::string_view kTradeUnbalanced = "成交金额与费用合计";
inline constexpr std::string_view kBalanceUnbalanced = "上一余额加发生金额";
inline constexpr std::string_view kNetCash = "发生金额";
inline constexpr std::string_view kBalance = "资金余额";

// The status of a row: 新增 to add, 已有 already in the journal, 跳过 skipped, 不平 does not
// reconcile.
inline constexpr std::string_view kStatusNew = "新增";
inline constexpr std::string_view kStatusKnown = "已有";
inline constexpr std::string_view kStatusSkipped = "跳过";
inline constexpr std::string_view kStatusUnbalanced = "不平";

}  // namespace zm::statement::messages
