#include "support/parity.h"

#include "layout/layout.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace zm::test::parity {
namespace {

using layout::Kind;

bool hasText(Kind k) {
    return k == Kind::Field || k == Kind::List || k == Kind::Date;
}

bool hasCaption(Kind k) {
    return k == Kind::Form || k == Kind::Frame || k == Kind::Label || k == Kind::Button ||
           k == Kind::Option || k == Kind::Menu || k == Kind::MenuItem;
}

bool isMenuRow(Kind k) {
    return k == Kind::MenuBar || k == Kind::Menu || k == Kind::MenuItem || k == Kind::Separator;
}

// Code units of UTF-16, as both front ends count a selection.
int utf16Length(std::string_view utf8) {
    int units = 0;
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        units += (byte & 0xC0) != 0x80 ? 1 : 0;  // one per character
        units += (byte & 0xF8) == 0xF0 ? 1 : 0;  // and a second one beyond the BMP
    }
    return units;
}

std::string nameOf(const std::optional<Ctl>& c) {
    return c ? std::string(formName(c->form())) + "." + std::string(c->name()) : "nothing";
}

std::string describeTable(const Seen& s) {
    std::string lines;
    for (const auto& cells : s.table) {
        lines += " |";
        for (const std::string& cell : cells) {
            lines += cell + "|";
        }
    }
    if (s.chosenRow) {
        lines += " chosen " + std::to_string(*s.chosenRow);
    }
    return lines;
}

std::string describe(const Seen& s) {
    return describeTable(s) + "text [" + s.text + "] caption [" + s.caption + "] tip [" +
           s.toolTip + "] colour " + std::to_string(s.colour.r) + "," + std::to_string(s.colour.g) +
           "," + std::to_string(s.colour.b) + (s.enabled ? "" : " disabled") +
           (s.readOnly ? " read-only" : "") + (s.checked ? " checked" : "");
}

// A tab-separated GBK statement with `="…"` cells, as trading clients save it.
constexpr std::string_view kStatement = ZM_STATEMENT_SAMPLES "/tab_gbk_quoted.txt";

}  // namespace

const std::vector<Step>& script() {
    using A = Act;
    static const std::vector<Step> steps = {
        // A purchase and a sale by the keyboard; the sell quantity is prefilled.
        {A::Type, form1::Text1, "10"},
        {A::Enter, form1::Text1},
        {A::Type, form1::Text2, "1000"},
        {A::Enter, form1::Text2},
        {A::Type, form1::Text11, "10.5"},
        {A::Enter, form1::Text11},
        {A::Enter, form1::Text12},
        // A refusal: not a board lot.
        {A::Type, form1::Text2, "150"},
        {A::Enter, form1::Text2},
        {A::Type, form1::Text2, "1,000"},
        {A::Enter, form1::Text2},
        // The fund market and back, a rate picked from the list.
        {A::Choose, form1::Option3},
        {A::Choose, form1::Option1},
        {A::Pick, form1::Combo1, "2.5"},
        {A::Click, form1::Command1},
        // Today's rules: the commission typed, the minimum commission, a trade date's rules.
        {A::Click, form1::mnuRulesCurrent},
        {A::Type, form1::Combo1, "0.25"},
        {A::Click, form1::Command1},
        {A::Click, form1::mnuRulesMinimum},
        {A::Type, formMinimum::TextMinimum, "abc"},
        {A::Click, formMinimum::cmdOK},
        {A::Type, formMinimum::TextMinimum, "0"},
        {A::Enter, formMinimum::TextMinimum},
        {A::Click, form1::mnuRulesDate},
        {A::SetDate, formRules::DateTrade, "2012-05-02"},
        {A::Click, formRules::cmdOK},
        {A::Click, form1::mnuRulesDate},
        {A::Click, formRules::cmdCancel},
        // The target price, into the sell side.
        {A::Click, form1::mnuTarget},
        {A::Type, formTarget::TextTarget, "500"},
        {A::Enter, formTarget::TextTarget},
        {A::Click, formTarget::cmdUse},
        {A::Choose, formTarget::OptTarget_1},
        {A::Close, formTarget::FormTarget},
        // The holding tools, each with a calculation and a refusal; 补仓 and 做T open with the
        // purchase filled in, 求涨跌停价 takes the ex-rights price to the limit dialog.
        {A::Click, form1::mnuAverage},
        {A::Type, formAverage::TextAvgPrice, "9"},
        {A::Enter, formAverage::TextAvgPrice},
        {A::Type, formAverage::TextAvgShares, "150"},
        {A::Enter, formAverage::TextAvgShares},
        {A::Choose, formAverage::OptAvg_1},
        {A::Pick, formAverage::ComboAvgBoard, "科创板"},
        {A::Type, formAverage::TextAvgTarget, "9.5"},
        {A::Click, formAverage::cmdCalc},
        {A::Close, formAverage::FormAverage},
        {A::Click, form1::mnuSwing},
        {A::Type, formSwing::TextSwingQty, "500"},
        {A::Type, formSwing::TextSwingBuy, "9.8"},
        {A::Type, formSwing::TextSwingSell, "10.1"},
        {A::Enter, formSwing::TextSwingSell},
        {A::Choose, formSwing::OptSwing_1},
        {A::Type, formSwing::TextSwingQty, "5000"},
        {A::Click, formSwing::cmdCalc},
        {A::Click, formSwing::cmdClose},
        {A::Click, form1::mnuLots},
        {A::Type, formLots::TextLotsCash, "100"},
        {A::Type, formLots::TextLotsPrice, "10"},
        {A::Enter, formLots::TextLotsPrice},
        {A::Type, formLots::TextLotsCash, "10000"},
        {A::Enter, formLots::TextLotsPrice},
        // Another board works the shown figures out again at once.
        {A::Pick, formLots::ComboLotsBoard, "科创板"},
        {A::Close, formLots::FormLots},
        {A::Click, form1::mnuExRights},
        {A::Type, formExRights::TextExClose, "10"},
        {A::Type, formExRights::TextExCash, "200"},
        {A::Click, formExRights::cmdCalc},
        {A::Type, formExRights::TextExCash, "0.5"},
        {A::Enter, formExRights::TextExCash},
        {A::Type, formExRights::TextExRights, "3"},
        {A::Type, formExRights::TextExRightsPrice, "6"},
        {A::Enter, formExRights::TextExRightsPrice},
        {A::Click, formExRights::cmdExLimit},
        {A::SetDate, formLimit::DateLimit, "2008-09-18"},
        {A::Enter, formLimit::DateLimit},
        {A::SetDate, formLimit::DateLimit, "2026-07-03"},
        {A::Pick, formLimit::ComboLimitBoard, "主板ST"},
        {A::Enter, formLimit::ComboLimitBoard},
        {A::Close, formLimit::FormLimit},
        {A::Close, formExRights::FormExRights},
        {A::Click, form1::mnuRulesClassic},
        // A batch purchase.
        {A::Click, form1::Command4},
        {A::Click, form1::Command5},
        {A::Type, form4::Text1, "10"},
        {A::Enter, form4::Text1},
        {A::Type, form4::Text2, "1000"},
        {A::Enter, form4::Text2},
        {A::Type, form4::Text3, "10.5"},
        {A::Enter, form4::Text3},
        {A::Type, form4::Text4, "abc"},
        {A::Enter, form4::Text4},
        {A::Type, form4::Text4, "500"},
        {A::Enter, form4::Text4},
        {A::Click, form4::Command1},
        {A::Click, form1::Command1},
        // The about box, and Clear.
        {A::Click, form1::Command3},
        {A::Click, form2::Command1},
        {A::Click, form1::Command4},
        // The journal: a purchase and its sale recorded, the lists sorted (by date, reversed,
        // by a column where both rows are alike), an entry chosen and opened, its deletion
        // declined, then agreed and undone, the export's folder dialog opened and cancelled.
        {A::Type, form1::Text1, "10"},
        {A::Enter, form1::Text1},
        {A::Type, form1::Text2, "1000"},
        {A::Enter, form1::Text2},
        {A::Type, form1::Text11, "10.5"},
        {A::Enter, form1::Text11},
        {A::Enter, form1::Text12},
        {A::Click, form1::mnuRecordBuy},
        {A::Type, formRecord::TextRecordCode, "600000"},
        {A::Type, formRecord::TextRecordName, "浦发银行"},
        {A::SetDate, formRecord::DateRecord, "2024-03-01"},
        {A::Click, formRecord::cmdOK},
        {A::Click, form1::mnuRecordSell},
        {A::Type, formRecord::TextRecordCode, "600000"},
        {A::SetDate, formRecord::DateRecord, "2024-03-20"},
        {A::Click, formRecord::cmdOK},
        {A::Click, form1::mnuJournalOpen},
        {A::Sort, formJournal::ListEntries, "日期"},
        {A::Sort, formJournal::ListEntries, "日期"},
        {A::Sort, formJournal::ListEntries, "数量"},
        {A::Sort, formJournal::ListHoldings, "代码"},
        {A::ChooseRow, formJournal::ListEntries, "1"},
        {A::OpenRow, formJournal::ListEntries, "0"},
        {A::Click, formEntry::cmdCancel},
        {A::Answer, formJournal::cmdDelete, "否"},
        {A::Click, formJournal::cmdDelete},
        {A::ChooseRow, formJournal::ListEntries, "0"},
        {A::Answer, formJournal::cmdDelete, "是"},
        {A::Click, formJournal::cmdDelete},
        {A::Click, formJournal::cmdUndo},
        {A::Click, formJournal::cmdExport},
        // Wine's folder dialog takes no typed folder: the dialog is cancelled.
        {A::TypeFolder, formExport::cmdBrowse, ""},
        {A::Click, formExport::cmdBrowse},
        {A::Click, formExport::cmdCancel},
        {A::Click, formJournal::cmdClose},
        // A broker's statement read, its fees checked against 万1 with the minimum and the
        // regulatory fees included, and its new rows imported.
        {A::Click, form1::mnuJournalImport},
        {A::Type, formImport::TextImportFile, kStatement},
        {A::Click, formImport::cmdRead},
        {A::Type, formImport::TextAgreedRate, "0.1"},
        {A::Type, formImport::TextAgreedMinimum, "5"},
        {A::Click, formImport::ChkFeesIncluded},
        {A::Click, formImport::cmdCheckFees},
        {A::Sort, formImport::ListImport, "状态"},
        {A::Click, formImport::cmdOK},
        {A::Click, form1::mnuJournalOpen},
        {A::Click, formJournal::cmdClose},
    };
    return steps;
}

int headerColumn(const Step& step) {
    const auto columns = layout::find(step.ctl)->columns;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].caption == step.text) {
            return static_cast<int>(i);
        }
    }
    throw std::logic_error("no column " + std::string(step.text) + " in " +
                           std::string(step.ctl.name()));
}

int shownPlace(const Step& step) {
    int place = -1;
    const auto [end, error] =
        std::from_chars(step.text.data(), step.text.data() + step.text.size(), place);
    if (error != std::errc{} || end != step.text.data() + step.text.size() || place < 0) {
        throw std::logic_error("no row place: " + std::string(step.text));
    }
    return place;
}

MemoryDriver::MemoryDriver()
    : m_session(m_ui, m_dir.path() + "/TKVR.INI", m_dir.path() + "/journal.sqlite") {
    m_ui.setUpMainWindow();
    m_session.formLoad();
    m_ui.show(FormId::Form1);
    m_session.handle(form1::Form1, Gesture::Activate);
}

void MemoryDriver::act(const Step& step) {
    // The main window reports its activation when a window whose row says so goes.
    std::vector<FormId> returning;
    for (std::size_t i = 0; i < kFormCount; ++i) {
        const auto f = static_cast<FormId>(i);
        if (layout::form(f).returnActivatesMain && isVisible(f)) {
            returning.push_back(f);
        }
    }
    perform(step);
    if (isVisible(FormId::Form1) &&
        std::ranges::any_of(returning, [this](FormId f) { return !isVisible(f); })) {
        m_session.handle(form1::Form1, Gesture::Activate);
    }
}

void MemoryDriver::perform(const Step& step) {
    const Ctl c = step.ctl;
    switch (step.act) {
        case Act::Type:
            m_ui.setFocus(c);
            m_ui.setText(c, step.text);
            return;
        case Act::Enter:
            m_ui.setFocus(c);
            m_session.handle(c, Gesture::Enter);
            return;
        case Act::Click:
            // A click takes the focus into a button or a check box (not into a menu item or a
            // picture); a check box turns its tick over before it reports the click.
            if (layout::find(c)->kind == Kind::Button || layout::find(c)->kind == Kind::Check) {
                m_ui.setFocus(c);
            }
            if (layout::find(c)->kind == Kind::Check) {
                m_ui.setChecked(c, !m_ui.isChecked(c));
            }
            m_session.handle(c, Gesture::Click);
            return;
        case Act::Choose:
            m_ui.setFocus(c);
            m_ui.setChecked(c, true);
            m_session.handle(c, Gesture::Choose);
            return;
        case Act::Pick:
            m_ui.setText(c, step.text);
            m_session.handle(c, Gesture::Choose);
            return;
        case Act::SetDate:
            // Typed into the date field, which has the focus then.
            m_ui.setFocus(c);
            m_ui.setText(c, step.text);
            m_session.handle(c, Gesture::DateSet);
            return;
        case Act::Close:
            m_session.handle(c, Gesture::Close);
            return;
        case Act::Sort:
            // A click on the header takes the focus into the table.
            m_ui.setFocus(c);
            m_ui.sortBy(c, headerColumn(step));
            return;
        case Act::ChooseRow:
        case Act::OpenRow: {
            // A click in the table takes the focus into it and chooses the row; the second click
            // of a double click opens it.
            const std::size_t row = rowShownAt(step);
            m_ui.setFocus(c);
            if (m_ui.chosenRow(c) != row) {
                m_ui.chooseRow(c, row);
                m_session.handle(c, Gesture::Choose);
            }
            if (step.act == Act::OpenRow) {
                m_session.handle(c, Gesture::Enter);
            }
            return;
        }
        case Act::Answer:
            m_ui.yesNoAnswers.push_back(step.text == "是");
            return;
        case Act::TypeFolder:
            if (step.text.empty()) {
                m_ui.folderAnswers.emplace_back(std::nullopt);
            } else {
                m_ui.folderAnswers.emplace_back(std::string(step.text));
            }
            return;
    }
}

std::size_t MemoryDriver::rowShownAt(const Step& step) const {
    const std::vector<std::size_t> order = m_ui.shownOrder(step.ctl);
    const auto place = static_cast<std::size_t>(shownPlace(step));
    if (place >= order.size()) {
        throw std::logic_error("no row shown at " + std::string(step.text));
    }
    return order[place];
}

std::vector<std::vector<std::string>> MemoryDriver::table(Ctl c) const {
    std::vector<std::vector<std::string>> lines(1);
    for (const layout::Column& column : layout::find(c)->columns) {
        lines.front().emplace_back(column.caption);
    }
    const MemoryWindowModel::Control* shown = m_ui.find(c);
    for (const std::size_t row : m_ui.shownOrder(c)) {
        lines.push_back(shown->rows[row]);
    }
    return lines;
}

bool MemoryDriver::isVisible(FormId f) const {
    const auto it = m_ui.visible.find(f);
    return it != m_ui.visible.end() && it->second;
}

std::vector<std::string> MemoryDriver::takeMessages() {
    // Message boxes and questions, in the order they came.
    std::vector<std::string> texts;
    for (; m_logTaken < m_ui.callLog.size(); ++m_logTaken) {
        const std::string& entry = m_ui.callLog[m_logTaken];
        for (const std::string_view kind : {"message ", "question "}) {
            if (entry.starts_with(kind)) {
                texts.push_back(entry.substr(kind.size()));
            }
        }
    }
    return texts;
}

Selection MemoryDriver::selection() const {
    const std::optional<Ctl> c = m_ui.focus;
    const layout::Control* row = c ? layout::find(*c) : nullptr;
    if (row == nullptr || (row->kind != Kind::Field && row->kind != Kind::Date) ||
        !m_ui.isWholeTextSelected(*c)) {
        return {};
    }
    return {0, utf16Length(m_ui.text(*c))};
}

Snapshot snapshot(Driver& driver) {
    const WindowModel& ui = driver.model();
    Snapshot s;
    for (std::size_t i = 0; i < kFormCount; ++i) {
        const auto f = static_cast<FormId>(i);
        if (!ui.isLoaded(f)) {
            continue;
        }
        s.visible[f] = driver.isVisible(f);
        for (const layout::Control* row : layout::rowsOf(f)) {
            const Ctl c = row->ctl;
            Seen seen;
            if (hasText(row->kind)) {
                seen.text = ui.text(c);
            }
            if (hasCaption(row->kind)) {
                seen.caption = ui.caption(c);
            }
            seen.enabled = ui.isEnabled(c);
            // A disabled field shows the system's grey, whatever colour it was given.
            if (row->kind == Kind::Label || (row->kind == Kind::Field && seen.enabled)) {
                seen.colour = ui.foreColor(c);
            }
            if (!isMenuRow(row->kind)) {
                seen.toolTip = ui.toolTip(c);
            }
            if (row->kind == Kind::Field) {
                seen.readOnly = ui.isReadOnly(c);
            }
            if (row->kind == Kind::Option || row->kind == Kind::MenuItem) {
                seen.checked = ui.isChecked(c);
            }
            if (row->kind == Kind::Table) {
                seen.table = driver.table(c);
                seen.chosenRow = ui.chosenRow(c);
            }
            s.controls[c] = seen;
        }
    }
    s.focus = driver.focus();
    s.selection = driver.selection();
    s.messages = driver.takeMessages();
    return s;
}

std::vector<Snapshot> run(Driver& driver) {
    std::vector<Snapshot> snapshots;
    for (const Step& step : script()) {
        driver.act(step);
        snapshots.push_back(snapshot(driver));
    }
    return snapshots;
}

std::vector<std::string> differences(const std::vector<Snapshot>& expected,
                                     const std::vector<Snapshot>& actual) {
    std::vector<std::string> lines;
    if (expected.size() != actual.size()) {
        lines.push_back("the runs have " + std::to_string(expected.size()) + " and " +
                        std::to_string(actual.size()) + " steps");
        return lines;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string at = "after step " + std::to_string(i + 1) + " (" +
                               std::string(script()[i].ctl.name()) + "): ";
        const Snapshot& e = expected[i];
        const Snapshot& a = actual[i];
        for (const auto& [f, shown] : e.visible) {
            const auto it = a.visible.find(f);
            if (it == a.visible.end()) {
                lines.push_back(at + std::string(formName(f)) + " is not loaded");
            } else if (it->second != shown) {
                lines.push_back(at + std::string(formName(f)) + (shown ? " hidden" : " shown"));
            }
        }
        for (const auto& [f, shown] : a.visible) {
            if (!e.visible.contains(f)) {
                lines.push_back(at + std::string(formName(f)) + " is loaded");
            }
        }
        for (const auto& [c, seen] : e.controls) {
            const auto it = a.controls.find(c);
            if (it != a.controls.end() && !(it->second == seen)) {
                lines.push_back(at + std::string(formName(c.form())) + "." + std::string(c.name()) +
                                " expected " + describe(seen) + ", is " + describe(it->second));
            }
        }
        if (e.focus != a.focus) {
            lines.push_back(at + "focus expected in " + nameOf(e.focus) + ", is in " +
                            nameOf(a.focus));
        }
        if (e.selection != a.selection) {
            lines.push_back(at + "selection expected " + std::to_string(e.selection.start) + "+" +
                            std::to_string(e.selection.length) + ", is " +
                            std::to_string(a.selection.start) + "+" +
                            std::to_string(a.selection.length));
        }
        if (e.messages != a.messages) {
            std::string got;
            for (const std::string& m : a.messages) {
                got += "[" + m + "]";
            }
            std::string want;
            for (const std::string& m : e.messages) {
                want += "[" + m + "]";
            }
            lines.push_back(at + "messages expected " + want + ", are " + got);
        }
    }
    return lines;
}

}  // namespace zm::test::parity
