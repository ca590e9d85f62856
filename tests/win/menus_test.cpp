// The menu bar of the Windows window model, in this test's own process: its items' check marks,
// enabled states and captions, which another process cannot read from a menu, after items are
// chosen by real input (Alt and the access keys) through the model's own message handling.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/program.h"

namespace zm {
namespace {

using test::waitFor;

// The windows and a session in this process, with the messages handled while the test waits.
struct InProcess {
    test::TempDir dir;
    win::WinWindowModel windows{GetModuleHandleW(nullptr)};
    Session session{windows, dir.file("TKVR.INI")};
    InProcess() {
        windows.setSession(session);
        windows.load(FormId::Form1);
        session.formLoad();
        windows.show(FormId::Form1);
    }
    ~InProcess() { session.handle(form1::Command2, Gesture::Click); }
    InProcess(const InProcess&) = delete;
    InProcess& operator=(const InProcess&) = delete;

    bool until(const std::function<bool()>& done) {
        return waitFor([&] {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                windows.dispatch(msg);
            }
            return done();
        });
    }
    void chooseMenu(Ctl item) {
        const auto accessKey = [](Ctl c) {
            const std::string_view caption = layout::find(c)->caption;
            return static_cast<WORD>(caption[caption.find('&') + 1]);
        };
        // All at once: the menu's own loop, which runs inside the dispatch of Alt, takes the
        // item's key.
        const Ctl menu = *layout::find(item)->container;
        test::sendKeys({test::key(VK_MENU, 0, false), test::key(accessKey(menu), 0, false),
                        test::key(accessKey(menu), 0, true), test::key(VK_MENU, 0, true),
                        test::key(accessKey(item), 0, false), test::key(accessKey(item), 0, true)});
    }
    // Only `item` of the three rule choices has its check mark.
    bool checkedOnly(Ctl item) const {
        for (Ctl choice : {form1::mnuRulesClassic, form1::mnuRulesCurrent, form1::mnuRulesDate}) {
            if (windows.isChecked(choice) != (choice == item)) {
                return false;
            }
        }
        return true;
    }
};

TEST(WindowsMenus, the_rules_items_show_the_rules_in_force_and_the_minimum_follows_them) {
    InProcess p;
    const std::string title(msg::kMainTitle);
    EXPECT_TRUE(p.checkedOnly(form1::mnuRulesClassic));
    EXPECT_FALSE(p.windows.isEnabled(form1::mnuRulesMinimum));
    EXPECT_EQ(p.windows.caption(form1::mnuRules), "费用规则(&R)");
    EXPECT_EQ(p.windows.caption(form1::mnuRulesCurrent), "现行规则（2023年8月28日起）(&C)");

    p.chooseMenu(form1::mnuRulesCurrent);
    ASSERT_TRUE(p.until([&] { return p.windows.caption(form1::Form1) != title; }));
    EXPECT_EQ(p.windows.caption(form1::Form1), title + "（现行规则）");
    EXPECT_TRUE(p.checkedOnly(form1::mnuRulesCurrent));
    EXPECT_TRUE(p.windows.isEnabled(form1::mnuRulesMinimum));
    // The commission list takes a typed rate now, and shows the one in force.
    EXPECT_EQ(p.windows.text(form1::Combo1), "2.7");

    // The trade-date dialog opens with today's date; OK takes it.
    p.chooseMenu(form1::mnuRulesDate);
    ASSERT_TRUE(p.until([&] { return p.windows.isLoaded(FormId::FormRules); }));
    const std::string today = p.windows.text(formRules::DateTrade);
    EXPECT_EQ(today, TradeDate::today().iso());
    // Meanwhile the check mark stays on the rules in force.
    EXPECT_TRUE(p.checkedOnly(form1::mnuRulesCurrent));
    test::sendKeys({test::key(VK_RETURN, 0, false), test::key(VK_RETURN, 0, true)});
    ASSERT_TRUE(p.until([&] { return !p.windows.isLoaded(FormId::FormRules); }));
    EXPECT_EQ(p.windows.caption(form1::Form1),
              title + msg::datedRulesNote(TradeDate::parse(today)->chinese()));
    EXPECT_TRUE(p.checkedOnly(form1::mnuRulesDate));

    p.chooseMenu(form1::mnuRulesClassic);
    ASSERT_TRUE(p.until([&] { return p.windows.caption(form1::Form1) == title; }));
    EXPECT_TRUE(p.checkedOnly(form1::mnuRulesClassic));
    EXPECT_FALSE(p.windows.isEnabled(form1::mnuRulesMinimum));

    // The window model writes captions and states of items too.
    p.windows.setCaption(form1::mnuTarget, "目标(&T)");
    EXPECT_EQ(p.windows.caption(form1::mnuTarget), "目标(&T)");
    p.windows.setEnabled(form1::mnuTarget, false);
    EXPECT_FALSE(p.windows.isEnabled(form1::mnuTarget));
}

}  // namespace
}  // namespace zm
