#include "journal/csv.h"

#include <gtest/gtest.h>

namespace zm::journal {
namespace {

struct FieldRow {
    CsvCell cell;
    const char* field;
};

const FieldRow kFields[] = {
    {CsvCell::plain("平安银行"), "平安银行"},
    {CsvCell::plain("a,b"), "\"a,b\""},
    {CsvCell::plain("say \"hi\""), "\"say \"\"hi\"\"\""},
    {CsvCell::plain("two\nlines"), "\"two\nlines\""},
    {CsvCell::plain("=1+2"), "'=1+2"},
    {CsvCell::plain("+86"), "'+86"},
    {CsvCell::plain("-5"), "'-5"},
    {CsvCell::plain("@SUM(A1)"), "'@SUM(A1)"},
    {CsvCell::plain("\tx"), "'\tx"},
    {CsvCell::plain("\rx"), "\"'\rx\""},
    {CsvCell::plain("=a,b"), "\"'=a,b\""},
    {CsvCell::plain("a=b"), "a=b"},
    {CsvCell::code("000001"), "=\"000001\""},
    {CsvCell::code("=cmd"), "'=cmd"},
    {CsvCell::whole(-1200), "-1200"},
    {CsvCell::money(Money::fromTicks(123'456'789)), "12345.6789"},
    {CsvCell::money(Money::fromYuan(100)), "100.00"},
    {CsvCell::money(Money()), "0.00"},
    {CsvCell::money(-Money::fromTicks(96'730)), "-9.673"},
    {CsvCell::money(-Money::fromTicks(50)), "-0.005"},
};

TEST(JournalCsv, each_cell_as_the_file_holds_it) {
    for (const auto& r : kFields) {
        EXPECT_EQ(csvField(r.cell), r.field) << r.cell.text;
    }
}

TEST(JournalCsv, entries_file_has_the_byte_order_mark_a_heading_and_crlf_rows) {
    Entry e;
    e.date = {2024, 3, 1};
    e.code = "000001";
    e.name = "平安银行";
    e.kind = EntryKind::Sell;
    e.quantity = 1200;
    e.price = Money::fromTicks(105'000);
    e.amount = Money::fromYuan(12600);
    e.commission = Money::fromYuan(5);
    e.stampDuty = Money::fromFen(630);
    e.transferFee = Money::fromFen(13);
    e.origin = {EntrySource::Imported, "交割单,3月.csv", 7};
    EXPECT_EQ(csvText(entryRows({e})),
              "\xEF\xBB\xBF日期,代码,名称,类别,数量,价格,金额,佣金,印花税,过户费,其他费用,来源\r\n"
              "2024-03-01,=\"000001\",平安银行,卖出,1200,10.50,12600.00,5.00,6.30,0.13,0.00,"
              "\"交割单,3月.csv 第7行\"\r\n");
}

}  // namespace
}  // namespace zm::journal
