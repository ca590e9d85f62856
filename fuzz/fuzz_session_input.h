// The input of the session fuzz target (fuzz_session.cpp), which its seeds (fuzz_session_seeds.h)
// are encoded with: the texts a text operand picks, the characters a spelled-out text is made of,
// the main window's fields as a field operand picks them, the action codes, and the reader that
// decodes them. Only fuzz_session.cpp includes it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "view/controls.h"

namespace {

using zm::Ctl;
namespace form1 = zm::form1;

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

}  // namespace
