// The seed corpus of the session fuzz target, written by the target itself
// (ZM_FUZZ_WRITE_SEEDS=DIR fuzz_session): sessions encoded with the tables of
// fuzz_session_input.h. Only fuzz_session.cpp includes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fees/fee_schedule.h"
#include "fuzz_session_input.h"
#include "view/controls.h"

namespace {

using zm::Ctl;
namespace form1 = zm::form1;

class Encoder {
public:
    Encoder& flags(std::uint8_t f) {
        m_bytes.push_back(f);
        return *this;
    }
    Encoder& op(Action a) {
        m_bytes.push_back(a);
        return *this;
    }
    Encoder& byte(int b) {
        m_bytes.push_back(static_cast<std::uint8_t>(b));
        return *this;
    }
    Encoder& text(std::string_view t) {
        for (std::size_t i = 0; i < std::size(kTexts); ++i) {
            if (kTexts[i] == t) {
                return byte(static_cast<int>(i));
            }
        }
        // Spelled out in characters of kChars.
        byte(160 + static_cast<int>(t.size()));
        for (char c : t) {
            const auto at = kChars.find(c);
            if (at == std::string_view::npos) {
                std::fprintf(stderr, "seed text [%.*s] has a character outside kChars\n",
                             static_cast<int>(t.size()), t.data());
                std::exit(1);
            }
            byte(static_cast<int>(at));
        }
        return *this;
    }
    // A main-window field's byte: its place in kMainInputs.
    static int mainField(Ctl field) {
        for (std::size_t i = 0; i < kMainInputs.size(); ++i) {
            if (kMainInputs[i] == field) {
                return static_cast<int>(i);
            }
        }
        return 0;
    }
    Encoder& typeEnter(Ctl field, std::string_view t) {
        return op(TypeAndEnterMain).byte(mainField(field)).text(t);
    }
    Encoder& type(Ctl field, std::string_view t) {
        return op(TypeMain).byte(mainField(field)).text(t);
    }
    Encoder& rates(std::string_view commission, std::string_view stampDuty) {
        const auto& c = zm::commissionRateEntries();
        const auto& s = zm::stampDutyRateEntries();
        int ci = 0;
        int si = 0;
        for (std::size_t i = 0; i < c.size(); ++i) {
            ci = c[i] == commission ? static_cast<int>(i) : ci;
        }
        for (std::size_t i = 0; i < s.size(); ++i) {
            si = s[i] == stampDuty ? static_cast<int>(i) : si;
        }
        return op(ChooseCommission).byte(ci).op(ChooseStampDuty).byte(si);
    }
    Encoder& market(int m) { return op(ChooseMarket).byte(m); }
    // A fee-rules command (0 own, 1 today's, 2 a trade date, 3 minimum, 4 typed rate) and text.
    Encoder& rules(int command, std::string_view t = "") {
        return op(ChooseCommission).byte(128 + command).text(t);
    }
    // dialog: 1 buy, 0 sell; field 0 … 5
    Encoder& batch(int dialog, int field, std::string_view t) {
        return op(TypeAndEnterBatch).byte(dialog).byte(field).text(t);
    }
    Encoder& batchType(int dialog, int field, std::string_view t) {
        return op(TypeBatch).byte(dialog).byte(field).text(t);
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

void writeSeeds(const std::string& dir) {
    std::filesystem::create_directories(dir);
    auto save = [&](const char* name, const Encoder& e) {
        std::ofstream out(dir + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(e.bytes().data()),
                  static_cast<std::streamsize>(e.bytes().size()));
    };
    // Today's rules at 0.25 per mille without minimum, a partial sale, and back.
    save("todays_rules_round_trip", Encoder()
                                        .flags(1)
                                        .rules(1)
                                        .rules(4, "0.25")
                                        .rules(3, "0")
                                        .typeEnter(form1::Text1, "10.00")
                                        .typeEnter(form1::Text2, "1000")
                                        .typeEnter(form1::Text11, "10.50")
                                        .typeEnter(form1::Text12, "600")
                                        .rules(0));
    // Worked example of the buy side: Shanghai, 3.0 and 3, 1,000 at 10.00.
    save("enter_buy_worked_example", Encoder()
                                         .flags(1)
                                         .rates("3.0", "3")
                                         .typeEnter(form1::Text1, "10.00")
                                         .typeEnter(form1::Text2, "1000"));
    // The same with 3 bonus shares and 2 yuan dividend per 10.
    save("enter_buy_bonus_dividend", Encoder()
                                         .flags(0)
                                         .rates("3.0", "3")
                                         .typeEnter(form1::Text21, "3")
                                         .typeEnter(form1::Text22, "2")
                                         .typeEnter(form1::Text1, "10.00")
                                         .typeEnter(form1::Text2, "1000"));
    // Partial sale, Shanghai, 3.0 and 1: 500 of 1,000 at 11.00.
    save("enter_partial_sale_shanghai", Encoder()
                                            .flags(0)
                                            .rates("3.0", "1")
                                            .typeEnter(form1::Text1, "10.00")
                                            .typeEnter(form1::Text2, "1000")
                                            .typeEnter(form1::Text11, "11.00")
                                            .typeEnter(form1::Text12, "500"));
    // Whole sale of the same purchase.
    save("enter_whole_sale", Encoder()
                                 .flags(0)
                                 .rates("3.0", "1")
                                 .typeEnter(form1::Text1, "10.00")
                                 .typeEnter(form1::Text2, "1000")
                                 .typeEnter(form1::Text11, "11.00")
                                 .op(EnterMain)
                                 .byte(3));
    // Shenzhen partial sale with the commission minimum and the second search.
    save("enter_partial_sale_shenzhen", Encoder()
                                            .flags(0)
                                            .market(1)
                                            .rates("3.0", "1")
                                            .typeEnter(form1::Text1, "10.00")
                                            .typeEnter(form1::Text2, "200")
                                            .typeEnter(form1::Text11, "10.50")
                                            .typeEnter(form1::Text12, "100"));
    // A sale of 1,234 at 8.88 with no purchase.
    save("enter_sale_without_purchase",
         Encoder().flags(0).typeEnter(form1::Text11, "8.88").typeEnter(form1::Text12, "1234"));
    // Calculate with all four fields.
    save("calculate_both_sides", Encoder()
                                     .flags(1)
                                     .rates("3.0", "3")
                                     .type(form1::Text1, "10.00")
                                     .type(form1::Text2, "1000")
                                     .type(form1::Text11, "11.00")
                                     .type(form1::Text12, "500")
                                     .op(Calculate));
    // Calculate with a refused buy quantity of 150 and a sale of 100.
    save("calculate_refused_lot_then_partial_sale", Encoder()
                                                        .flags(0)
                                                        .type(form1::Text1, "10.00")
                                                        .type(form1::Text2, "150")
                                                        .type(form1::Text11, "11.00")
                                                        .type(form1::Text12, "100")
                                                        .op(Calculate));
    // Fund market: the rates drop to 0.0 and 0.
    save("fund_market_purchase", Encoder()
                                     .flags(0)
                                     .market(2)
                                     .typeEnter(form1::Text1, "1.00")
                                     .typeEnter(form1::Text2, "1000")
                                     .typeEnter(form1::Text11, "1.01")
                                     .typeEnter(form1::Text12, "1000"));
    // Batch purchase 10.00 × 1000 + 10.50 × 500, Shenzhen, 3.0 and 1, then a batch sale.
    save("batch_buy_and_sell", Encoder()
                                   .flags(0)
                                   .market(1)
                                   .rates("3.0", "1")
                                   .op(OpenBatchBuy)
                                   .batch(1, 0, "10.00")
                                   .batch(1, 1, "1000")
                                   .batch(1, 2, "10.50")
                                   .batch(1, 3, "500")
                                   .op(BatchOk)
                                   .byte(1)
                                   .op(OpenBatchSell)
                                   .batch(0, 0, "11.00")
                                   .batch(0, 1, "1000")
                                   .batch(0, 2, "11.50")
                                   .batch(0, 3, "500")
                                   .op(BatchOk)
                                   .byte(0)
                                   .op(Calculate));
    // Batch purchase in Shanghai with odd quantities confirmed by OK without Enter.
    save("batch_buy_unchecked_quantities", Encoder()
                                               .flags(0)
                                               .op(OpenBatchBuy)
                                               .batchType(1, 0, "9.4567")
                                               .batchType(1, 1, "150")
                                               .batchType(1, 2, "10.25")
                                               .batchType(1, 3, "100.5")
                                               .batchType(1, 5, "100")
                                               .op(BatchOk)
                                               .byte(1)
                                               .op(Clear));
    // Batch sale against a purchase computed by Enter, then the dialog's own Clear.
    save("batch_sale_after_purchase", Encoder()
                                          .flags(0)
                                          .typeEnter(form1::Text1, "10.00")
                                          .typeEnter(form1::Text2, "1000")
                                          .op(OpenBatchSell)
                                          .batch(0, 0, "9.00")
                                          .batch(0, 1, "1000")
                                          .op(BatchClear)
                                          .byte(0)
                                          .op(Calculate));
    // Edges of the ranges.
    save("range_edges", Encoder()
                            .flags(0)
                            .typeEnter(form1::Text1, "21474836.47")
                            .typeEnter(form1::Text2, "4600")
                            .typeEnter(form1::Text1, "46566.12")
                            .typeEnter(form1::Text2, "2147483600")
                            .typeEnter(form1::Text11, "1e300")
                            .typeEnter(form1::Text12, "2147483648")
                            .typeEnter(form1::Text22, "21474836.48")
                            .op(Calculate));
    // A large dividend makes the cost per share and the amount paid negative.
    save("dividend_above_price", Encoder()
                                     .flags(0)
                                     .typeEnter(form1::Text22, "200")
                                     .typeEnter(form1::Text1, "10.00")
                                     .typeEnter(form1::Text2, "1000")
                                     .typeEnter(form1::Text11, "12.00")
                                     .typeEnter(form1::Text12, "300"));
    // Typed texts that are no numbers, and Enter through all six fields.
    save("texts_that_are_no_numbers", Encoder()
                                          .flags(0)
                                          .typeEnter(form1::Text1, "abc")
                                          .typeEnter(form1::Text2, "")
                                          .typeEnter(form1::Text11, "1e")
                                          .typeEnter(form1::Text12, "大")
                                          .typeEnter(form1::Text21, "10.4")
                                          .typeEnter(form1::Text22, "0.00")
                                          .op(Calculate)
                                          .op(AboutBox)
                                          .op(Clear));
    // Every stamp-duty rate and a high-priced odd-lot partial sale.
    save("high_price_partial_sale", Encoder()
                                        .flags(0)
                                        .rates("0.1", "6")
                                        .typeEnter(form1::Text1, "1234.5")
                                        .typeEnter(form1::Text2, "100000")
                                        .typeEnter(form1::Text11, "99.99")
                                        .typeEnter(form1::Text12, "1235"));
    // The tiny loss of a Shanghai sale: 1,054 sold at 10.79 after 1,000 bought at 11.28 lose
    // 0.004, shown 0.00.
    save("tiny_loss_shown_as_zero", Encoder()
                                        .flags(0)
                                        .rates("3.0", "1")
                                        .typeEnter(form1::Text1, "11.28")
                                        .typeEnter(form1::Text2, "1000")
                                        .typeEnter(form1::Text11, "10.79")
                                        .typeEnter(form1::Text12, "1054"));
    // Selling more than was bought, with bonus shares in the prefilled quantity.
    save("sell_more_than_bought_with_bonus", Encoder()
                                                 .flags(0)
                                                 .typeEnter(form1::Text21, "3")
                                                 .typeEnter(form1::Text1, "10.00")
                                                 .typeEnter(form1::Text2, "1000")
                                                 .typeEnter(form1::Text11, "11.00")
                                                 .op(EnterMain)
                                                 .byte(3));
    // Fund market, then rates picked again, and a batch purchase on it.
    save("fund_market_then_batch", Encoder()
                                       .flags(0)
                                       .market(2)
                                       .rates("2.5", "1")
                                       .op(OpenBatchBuy)
                                       .batch(1, 0, "1.005")
                                       .batch(1, 1, "100")
                                       .op(BatchOk)
                                       .byte(1)
                                       .op(OpenBatchSell)
                                       .batch(0, 0, "1.01")
                                       .batch(0, 1, "100")
                                       .op(BatchOk)
                                       .byte(0));
    // Calculate while a batch dialog has locked a side, then Clear and Calculate again.
    save("calculate_on_locked_sides", Encoder()
                                          .flags(0)
                                          .op(OpenBatchSell)
                                          .batch(0, 0, "11.00")
                                          .batch(0, 1, "500")
                                          .type(form1::Text1, "10.00")
                                          .type(form1::Text2, "1000")
                                          .op(Calculate)
                                          .op(Clear)
                                          .type(form1::Text1, "10.00")
                                          .type(form1::Text2, "1000")
                                          .type(form1::Text11, "11.00")
                                          .type(form1::Text12, "500")
                                          .op(Calculate));
    // A remaining-share search that starts from a negative price (a sale far above the cost).
    save("remaining_shares_after_a_big_gain", Encoder()
                                                  .flags(0)
                                                  .typeEnter(form1::Text1, "1.00")
                                                  .typeEnter(form1::Text2, "100000")
                                                  .typeEnter(form1::Text11, "1234.5")
                                                  .typeEnter(form1::Text12, "99999"));
    // Bonus and dividend typed without Enter, out of their ranges, then Calculate.
    save("bonus_and_dividend_without_enter", Encoder()
                                                 .flags(0)
                                                 .type(form1::Text21, "-10")
                                                 .type(form1::Text22, "-1")
                                                 .type(form1::Text1, "10.00")
                                                 .type(form1::Text2, "1000")
                                                 .op(Calculate)
                                                 .type(form1::Text21, "10.4")
                                                 .op(Calculate)
                                                 .type(form1::Text21, "abc")
                                                 .type(form1::Text22, "")
                                                 .op(Calculate));
    // All three batches of a sale by Enter, one of them an odd lot, against an empty purchase.
    save("three_batch_sale", Encoder()
                                 .flags(0)
                                 .op(OpenBatchSell)
                                 .batch(0, 0, "8.88")
                                 .batch(0, 1, "1234")
                                 .batch(0, 2, "9.125")
                                 .batch(0, 3, "150")
                                 .batch(0, 4, "10.25")
                                 .batch(0, 5, "1001"));
    // The prices' minimums and the rounding of halves.
    save("price_minimums_and_halves", Encoder()
                                          .flags(0)
                                          .typeEnter(form1::Text1, "0.00996")
                                          .typeEnter(form1::Text1, "0.009")
                                          .typeEnter(form1::Text1, "9.125")
                                          .typeEnter(form1::Text1, "9.375")
                                          .typeEnter(form1::Text2, "100")
                                          .typeEnter(form1::Text11, "1.005")
                                          .typeEnter(form1::Text12, "2.5"));
}

}  // namespace
