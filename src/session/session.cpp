#include "session/session.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "fees/fee_schedule.h"
#include "layout/layout.h"
#include "session/apply_verdict.h"
#include "session/trade_fields.h"
#include "settings/profile_file.h"
#include "view/messages.h"

namespace zm {
namespace {

constexpr std::string_view kSection = "TIP";
constexpr std::string_view kCommissionKey = "手续费";
constexpr std::string_view kStampDutyKey = "印花税";

}  // namespace

// What each gesture does: one row per control and gesture the session acts on. Rows for the
// controls of a kind that all do the same (the input fields, the batch fields) are made from
// the control table's lists.
struct Routes {
    using Action = void (Session::*)(Ctl);
    struct Route {
        Ctl ctl;
        Gesture gesture;
        Action action;
    };

    static std::vector<Route> build() {
        using G = Gesture;
        using S = Session;
        std::vector<Route> r = {
            // Form1.
            {form1::Form1, G::Activate, &S::mainActivated},
            {form1::Form1, G::Close, &S::closeMain},
            {form1::Option1, G::Choose, &S::marketChosen},
            {form1::Option2, G::Choose, &S::marketChosen},
            {form1::Option3, G::Choose, &S::marketChosen},
            {form1::Combo1, G::Choose, &S::commissionChosen},
            {form1::Combo1, G::Enter, &S::commissionEntered},
            {form1::Combo1, G::Leave, &S::commissionLeft},
            {form1::Combo2, G::Choose, &S::stampDutyChosen},
            {form1::Combo2, G::Enter, &S::stampDutyEntered},
            {form1::Command1, G::Click, &S::calculate},
            {form1::Command2, G::Click, &S::closeMain},
            {form1::Command3, G::Click, &S::showAbout},
            {form1::Command4, G::Click, &S::clearAll},
            {form1::Command5, G::Click, &S::openBatchDialog},
            {form1::Command6, G::Click, &S::openBatchDialog},
            {form1::mnuRulesClassic, G::Click, &S::chooseOwnRules},
            {form1::mnuRulesCurrent, G::Click, &S::chooseCurrentRules},
            {form1::mnuRulesDate, G::Click, &S::openRulesDateDialog},
            {form1::mnuRulesMinimum, G::Click, &S::openMinimumDialog},
            {form1::mnuTarget, G::Click, &S::openTargetDialog},
            // Form2.
            {form2::Form2, G::Close, &S::closeAbout},
            {form2::Command1, G::Click, &S::closeAbout},
            {form2::Image1, G::Click, &S::openUserGuide},
            // FormRules and FormMinimum: Enter in the one field is OK.
            {formRules::DateTrade, G::DateSet, &S::rulesDateSet},
            {formRules::DateTrade, G::Enter, &S::rulesDateOk},
            {formRules::cmdOK, G::Click, &S::rulesDateOk},
            {formRules::cmdCancel, G::Click, &S::closeRulesDateDialog},
            {formRules::FormRules, G::Close, &S::closeRulesDateDialog},
            {formMinimum::TextMinimum, G::Enter, &S::minimumOk},
            {formMinimum::TextMinimum, G::Focus, &S::selectOnFocus},
            {formMinimum::cmdOK, G::Click, &S::minimumOk},
            {formMinimum::cmdCancel, G::Click, &S::closeMinimumDialog},
            {formMinimum::FormMinimum, G::Close, &S::closeMinimumDialog},
            // FormTarget: Enter in the target is 计 算.
            {formTarget::OptTarget_0, G::Choose, &S::targetKindChosen},
            {formTarget::OptTarget_1, G::Choose, &S::targetKindChosen},
            {formTarget::TextTarget, G::Enter, &S::calculateTarget},
            {formTarget::TextTarget, G::Focus, &S::selectOnFocus},
            {formTarget::cmdCalc, G::Click, &S::calculateTarget},
            {formTarget::cmdUse, G::Click, &S::useTargetSale},
            {formTarget::cmdClose, G::Click, &S::hideWindow},
            {formTarget::FormTarget, G::Close, &S::hideWindow},
        };
        // The holding tools: Enter in their fields walks on or is 计 算; closing only hides them.
        for (const ToolDialog& d : toolDialogs()) {
            r.push_back({d.menuItem, G::Click, &S::openTool});
            for (Ctl c : d.fields) {
                r.push_back({c, G::Enter, &S::enterTool});
                r.push_back({c, G::Focus, &S::selectOnFocus});
            }
            for (Ctl c : d.lists) {
                r.push_back({c, G::Enter, &S::enterTool});
                r.push_back({c,
                             layout::find(c)->kind == layout::Kind::Date ? G::DateSet : G::Choose,
                             &S::toolInputChanged});
            }
            std::ranges::transform(d.options, std::back_inserter(r), [](Ctl c) {
                return Route{c, G::Choose, &S::toolOptionChosen};
            });
            r.push_back({d.calc, G::Click, &S::calculateTool});
            r.push_back({d.close, G::Click, &S::hideWindow});
            r.push_back({d.form, G::Close, &S::hideWindow});
        }
        r.push_back({formExRights::cmdExLimit, G::Click, &S::exRightsToLimit});
        addJournalRoutes(r);
        addImportRoutes(r);
        for (Ctl c : kMainInputs) {
            r.push_back({c, G::Enter, &S::enterMain});
            r.push_back({c, G::Focus, &S::selectOnFocus});
        }
        for (FormId dialog : {FormId::Form3, FormId::Form4}) {
            for (Ctl c : batchFields(dialog)) {
                r.push_back({c, G::Enter, &S::enterBatch});
                r.push_back({c, G::Focus, &S::selectOnFocus});
            }
            r.push_back({batchOk(dialog), G::Click, &S::batchOk});
            r.push_back({batchClear(dialog), G::Click, &S::batchClear});
            // The close box only hides the dialog, like OK, but computes nothing.
            r.push_back({formControl(dialog), G::Close, &S::hideWindow});
        }
        return r;
    }

    // The journal: its menu, FormRecord, FormJournal, FormEntry and FormExport. Enter in a field
    // walks on to the next; in the last it is 确定. Closing a window only hides it.
    static void addJournalRoutes(std::vector<Route>& r) {
        using G = Gesture;
        using S = Session;
        r.insert(r.end(), {
                              {form1::mnuRecordBuy, G::Click, &S::openRecord},
                              {form1::mnuRecordSell, G::Click, &S::openRecord},
                              {form1::mnuJournalOpen, G::Click, &S::openJournal},
                              {form1::mnuJournalExport, G::Click, &S::openExport},
                              {formRecord::TextRecordCode, G::Enter, &S::recordEnter},
                              {formRecord::TextRecordName, G::Enter, &S::recordEnter},
                              {formRecord::DateRecord, G::Enter, &S::recordEnter},
                              {formRecord::cmdOK, G::Click, &S::recordOk},
                              {formRecord::cmdCancel, G::Click, &S::closeRecord},
                              {formRecord::FormRecord, G::Close, &S::closeRecord},
                              {formJournal::OptCostAverage, G::Choose, &S::journalMethodChosen},
                              {formJournal::OptCostFifo, G::Choose, &S::journalMethodChosen},
                              {formJournal::ListHoldings, G::Choose, &S::holdingChosen},
                              {formJournal::TextCurrentPrice, G::Enter, &S::currentPriceEntered},
                              {formJournal::ListEntries, G::Choose, &S::journalEntryChosen},
                              {formJournal::ListEntries, G::Enter, &S::editJournalEntry},
                              {formJournal::TextYear, G::Enter, &S::journalYearEntered},
                              {formJournal::cmdAdd, G::Click, &S::addJournalEntry},
                              {formJournal::cmdEdit, G::Click, &S::editJournalEntry},
                              {formJournal::cmdDelete, G::Click, &S::deleteJournalEntry},
                              {formJournal::cmdUndo, G::Click, &S::undoJournal},
                              {formJournal::cmdExport, G::Click, &S::openExport},
                              {formJournal::cmdClose, G::Click, &S::closeJournal},
                              {formJournal::FormJournal, G::Close, &S::closeJournal},
                              {formEntry::ComboEntryKind, G::Choose, &S::entryKindChosen},
                              {formEntry::DateEntry, G::DateSet, &S::entryDateSet},
                              {formEntry::cmdOK, G::Click, &S::entryOk},
                              {formEntry::cmdCancel, G::Click, &S::closeEntry},
                              {formEntry::FormEntry, G::Close, &S::closeEntry},
                              {formExport::TextExportFolder, G::Enter, &S::exportOk},
                              {formExport::TextExportFolder, G::Focus, &S::selectOnFocus},
                              {formExport::cmdBrowse, G::Click, &S::browseExportFolder},
                              {formExport::cmdOK, G::Click, &S::exportOk},
                              {formExport::cmdCancel, G::Click, &S::closeExport},
                              {formExport::FormExport, G::Close, &S::closeExport},
                          });
        const std::initializer_list<Ctl> selecting = {
            formRecord::TextRecordCode, formRecord::TextRecordName, formJournal::TextCurrentPrice,
            formJournal::TextYear};
        std::ranges::transform(selecting, std::back_inserter(r), [](Ctl c) {
            return Route{c, G::Focus, &S::selectOnFocus};
        });
        for (Ctl c :
             {formEntry::TextEntryCode, formEntry::TextEntryName, formEntry::DateEntry,
              formEntry::TextEntryQty, formEntry::TextEntryPrice, formEntry::TextEntryPerTen,
              formEntry::TextEntryTotal, formEntry::TextEntryCommission, formEntry::TextEntryStamp,
              formEntry::TextEntryTransfer, formEntry::TextEntryOther}) {
            r.push_back({c, G::Enter, &S::entryEnter});
            r.push_back({c, G::Focus, &S::entryFocus});
        }
    }

    // FormImport, from the 账本 menu or FormJournal: Enter in the file box reads the files, in the
    // agreement's fields checks the fees; Enter on a row takes or leaves a 不平 row.
    static void addImportRoutes(std::vector<Route>& r) {
        using G = Gesture;
        using S = Session;
        r.insert(r.end(), {
                              {form1::mnuJournalImport, G::Click, &S::openImport},
                              {formJournal::cmdImport, G::Click, &S::openImport},
                              {formJournal::cmdCheckFees, G::Click, &S::openFeeCheck},
                              {formImport::TextImportFile, G::Enter, &S::readImport},
                              {formImport::cmdBrowse, G::Click, &S::browseImportFiles},
                              {formImport::cmdRead, G::Click, &S::readImport},
                              {formImport::ListImport, G::Choose, &S::importRowChosen},
                              {formImport::ListImport, G::Enter, &S::takeImportRow},
                              {formImport::cmdTakeRow, G::Click, &S::takeImportRow},
                              {formImport::TextAgreedRate, G::Enter, &S::checkImportFees},
                              {formImport::TextAgreedMinimum, G::Enter, &S::checkImportFees},
                              {formImport::cmdCheckFees, G::Click, &S::checkImportFees},
                              {formImport::cmdOK, G::Click, &S::importOk},
                              {formImport::cmdCancel, G::Click, &S::closeImport},
                              {formImport::FormImport, G::Close, &S::closeImport},
                          });
        const std::initializer_list<Ctl> selecting = {
            formImport::TextImportFile, formImport::TextAgreedRate, formImport::TextAgreedMinimum};
        std::ranges::transform(selecting, std::back_inserter(r), [](Ctl c) {
            return Route{c, G::Focus, &S::selectOnFocus};
        });
    }

    static const std::vector<Route>& table() {
        static const std::vector<Route> routes = build();
        return routes;
    }

    static const Route* find(Ctl c, Gesture g) {
        const auto& routes = table();
        const auto it = std::ranges::find_if(
            routes, [&](const Route& r) { return r.ctl == c && r.gesture == g; });
        return it == routes.end() ? nullptr : &*it;
    }
};

Session::Session(WindowModel& ui, std::string settingsPath, std::string journalPath)
    : m_ui(ui),
      m_settingsPath(std::move(settingsPath)),
      m_rules(ui, m_settingsPath, [this] { mainChanged(); }),
      m_batch(ui, m_rules, m_state, m_choices),
      m_tools(ui, m_rules, m_state, m_choices),
      m_journal(ui, m_rules, m_state, m_choices, std::move(journalPath)),
      m_import(ui, m_journal) {}

void Session::handle(Ctl c, Gesture g) {
    // A disabled control or menu item takes no gesture; the windows deliver none, and a script
    // or a test that tries gets nothing either.
    const Routes::Route* route = Routes::find(c, g);
    if (route != nullptr && m_ui.isEnabled(c)) {
        // The choices as the gesture finds them, read once; what it changes there it takes again.
        takeChoices();
        (this->*route->action)(c);
        // Whatever the gesture did to the sides on screen, the recording items follow.
        m_journal.followTrade();
    }
}

bool Session::handles(Ctl c, Gesture g) {
    return Routes::find(c, g) != nullptr;
}

void Session::start(bool show) {
    m_ui.load(FormId::Form1);
    m_ui.paintBanner();
    formLoad();
    if (show) {
        m_ui.show(FormId::Form1);
    }
}

void Session::formLoad() {
    m_yieldTips.keep(m_ui, kYieldControls);
    m_state.StepCount = 0;
    // The windows fill the lists with commissionRateEntries() and stampDutyRateEntries() when
    // they build them; here the stored rates are chosen. A stored text that is no entry of its
    // list, or no stored text at all, gives the list's default.
    const settings::ProfileFile file(m_settingsPath);
    const auto commission = file.readString(kSection, kCommissionKey);
    m_ui.setText(form1::Combo1, commission && isCommissionRateEntry(*commission)
                                    ? std::string_view(*commission)
                                    : kDefaultCommissionRate);
    const auto stampDuty = file.readString(kSection, kStampDutyKey);
    m_ui.setText(form1::Combo2, stampDuty && isStampDutyRateEntry(*stampDuty)
                                    ? std::string_view(*stampDuty)
                                    : kDefaultStampDutyRate);
    m_rules.load();
    takeChoices();
    QK();
}

void Session::takeChoices() {
    m_choices = readMainChoices(m_ui);
}

void Session::mainChanged() {
    takeChoices();
    recomputeShownSides();
    m_tools.followMainChoices();
    m_journal.followMainChoices();
    followTarget();
}

void Session::QK() {
    for (Ctl field : kMainFields) {
        m_ui.setText(field, "");
    }
    m_ui.setText(form1::Text21, "0");
    m_ui.setText(form1::Text22, "0.00");
    for (FormId dialog : {FormId::Form3, FormId::Form4}) {
        m_batch.ensureLoaded(dialog);
        for (Ctl field : batchFields(dialog)) {
            m_ui.setText(field, "");
        }
    }
    const std::int32_t steps = m_state.StepCount;
    m_state = CalcState{};
    m_state.StepCount = steps;
}

void Session::SaveRates() {
    takeChoices();
    saveRates();
}

void Session::saveRates() {
    // Under trade-date rules the lists show that rule set's rates; the program's own rates stay
    // in the file as they were.
    if (!m_rules.own()) {
        m_rules.save();
        return;
    }
    settings::ProfileFile file(m_settingsPath);
    if (!file.writeString(kSection, kCommissionKey, m_choices.commissionText)) {
        m_ui.showMessage(msg::kWriteFailed);
    }
    if (!file.writeString(kSection, kStampDutyKey, m_choices.stampDutyText)) {
        m_ui.showMessage(msg::kWriteFailed);
    }
}

void Session::mainActivated(Ctl) {
    m_ui.setFocus(form1::Text1);
    m_ui.selectAllInFocused();
}

void Session::selectOnFocus(Ctl) {
    m_ui.selectAllInFocused();
}

void Session::marketChosen(Ctl c) {
    // Funds pay commission under trade-date rules; their other fees are nil by rule. The program's
    // own rules have no such rule, so the fund market takes both rates to zero.
    if (c == form1::Option3 && m_rules.own()) {
        m_ui.setText(form1::Combo1, "0.0");
        m_ui.setText(form1::Combo2, "0");
    }
    mainChanged();
}

void Session::commissionChosen(Ctl) {
    if (m_rules.own() || m_rules.confirmCommission() == RulesChoice::RateCheck::Changed) {
        mainChanged();
    }
}

void Session::commissionEntered(Ctl) {
    const RulesChoice::RateCheck check = m_rules.confirmCommission();
    if (check == RulesChoice::RateCheck::Refused) {
        return;
    }
    // On to the stamp-duty list, the next in the frame, where it takes a choice; else back to the
    // buy price, where the Enter road starts.
    moveTo(m_ui.isEnabled(form1::Combo2) ? form1::Combo2 : form1::Text1);
    if (check == RulesChoice::RateCheck::Changed) {
        mainChanged();
    }
}

void Session::commissionLeft(Ctl) {
    if (m_rules.confirmCommission() == RulesChoice::RateCheck::Changed) {
        mainChanged();
    }
}

void Session::stampDutyChosen(Ctl) {
    mainChanged();
}

void Session::stampDutyEntered(Ctl) {
    moveTo(form1::Text1);
}

void Session::showAbout(Ctl) {
    m_ui.show(FormId::Form2);
    m_ui.hide(FormId::Form1);
}

void Session::clearAll(Ctl) {
    QK();
    for (Ctl field : {form1::Text1, form1::Text2, form1::Text11, form1::Text12}) {
        m_ui.setReadOnly(field, false);
        m_ui.setBackground(field, Background::Window);
    }
    takeChoices();  // no side is locked any more
    m_ui.unload(FormId::Form3);
    m_ui.unload(FormId::Form4);
    resetSellMarks();
    m_ui.setFocus(form1::Text1);
    m_ui.selectAllInFocused();
}

void Session::resetSellMarks() {
    writeSellMark(m_ui, msg::kProfitLossCaption, kBlack);
    m_ui.setForeColor(form1::Label8, kBlack);
    m_ui.setToolTip(form1::Label8, msg::kBreakEvenTip);
    m_ui.setCaption(form1::Label19_17, msg::kYuanUnit);
    m_yieldTips.restore(m_ui, kYieldControls);
}

void Session::openBatchDialog(Ctl button) {
    const FormId dialog = button == form1::Command5 ? FormId::Form4 : FormId::Form3;
    m_batch.ensureLoaded(dialog);
    m_ui.show(dialog);
    m_ui.setFocus(batchFields(dialog)[0]);
    m_ui.selectAllInFocused();
}

void Session::closeMain(Ctl) {
    // Runs once: the windows' own closing calls back in while they are unloaded.
    if (m_unloading) {
        return;
    }
    m_unloading = true;
    m_ui.unload(FormId::Form1);
    m_ui.unload(FormId::Form2);
    m_ui.unload(FormId::Form3);
    m_ui.unload(FormId::Form4);
    m_ui.quit();
}

void Session::closeAbout(Ctl) {
    m_ui.show(FormId::Form1);
    m_ui.unload(FormId::Form2);
}

void Session::openUserGuide(Ctl) {
    const UserGuide guide = m_ui.openUserGuide();
    if (guide.outcome == UserGuide::Outcome::Missing) {
        m_ui.showMessage(msg::guideMissing(guide.path));
    } else if (guide.outcome == UserGuide::Outcome::NoBrowser) {
        m_ui.showMessage(msg::browserFailed(guide.path));
    }
}

void Session::enterBatch(Ctl c) {
    m_batch.enter(c);
}

void Session::batchOk(Ctl c) {
    m_batch.ok(c.form());
    takeChoices();  // the side it filled is locked
}

void Session::batchClear(Ctl c) {
    m_batch.clear(c.form());
    takeChoices();
}

void Session::hideWindow(Ctl c) {
    m_ui.hide(c.form());
}

void Session::chooseOwnRules(Ctl) {
    m_rules.chooseOwn();
}

void Session::chooseCurrentRules(Ctl) {
    m_rules.chooseCurrent();
}

void Session::openRulesDateDialog(Ctl) {
    m_rules.openDateDialog();
}

void Session::openMinimumDialog(Ctl) {
    m_rules.openMinimumDialog();
}

void Session::rulesDateSet(Ctl) {
    m_rules.dateSet();
}

void Session::rulesDateOk(Ctl) {
    m_rules.dateOk();
}

void Session::closeRulesDateDialog(Ctl) {
    m_rules.closeDateDialog();
}

void Session::minimumOk(Ctl) {
    m_rules.minimumOk();
}

void Session::closeMinimumDialog(Ctl) {
    m_rules.closeMinimumDialog();
}

void Session::openTool(Ctl item) {
    m_tools.open(item);
}

void Session::enterTool(Ctl c) {
    m_tools.enter(c);
}

void Session::calculateTool(Ctl button) {
    m_tools.calculate(button.form());
}

void Session::toolOptionChosen(Ctl option) {
    m_tools.optionChosen(option);
}

void Session::toolInputChanged(Ctl c) {
    m_tools.inputChanged(c);
}

void Session::exRightsToLimit(Ctl) {
    m_tools.exRightsToLimit();
}

}  // namespace zm
