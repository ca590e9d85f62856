#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Every window and every control the program addresses, by window. A control's text is its
// control name, which is also its Qt objectName and the name automation tools find it by;
// members of a control array carry their index after an underscore (Label19_17, Frame1_0).
// A window's first entry is the window itself (its title is that entry's caption).
//
// This table is the only place a control is named: code refers to `form1::Text1`,
// `form4::Text2`, `formTarget::TextTarget`, so a mistyped control does not compile.

// clang-format off
#define ZM_FORM1_CONTROLS(X)                                                                       \
    X(Form1) X(MenuBar) X(mnuRules) X(mnuRulesClassic) X(mnuRulesCurrent) X(mnuRulesDate)         \
    X(mnuRulesSep) X(mnuRulesMinimum) X(mnuTools) X(mnuTarget) X(mnuAverage) X(mnuSwing)           \
    X(mnuLots) X(mnuLimit) X(mnuExRights)                                                          \
    X(mnuJournal) X(mnuRecordBuy) X(mnuRecordSell) X(mnuJournalSep) X(mnuJournalOpen)              \
    X(mnuJournalExport) X(mnuJournalImport)                                                        \
    X(Frame1) X(Frame2) X(Frame3) X(Frame4) X(Frame5)                                              \
    X(Text1) X(Text2) X(Text3) X(Text4) X(Text5) X(Text6) X(Text7) X(Text8) X(Text9) X(Text10)     \
    X(Text11) X(Text12) X(Text13) X(Text14) X(Text15) X(Text16) X(Text17) X(Text18) X(Text19)      \
    X(Text20) X(Text21) X(Text22)                                                                  \
    X(Label1) X(Label2) X(Label3) X(Label4) X(Label5) X(Label6) X(Label7) X(Label8) X(Label9)       \
    X(Label10) X(Label11) X(Label12) X(Label13) X(Label14) X(Label15) X(Label16) X(Label17)        \
    X(Label18) X(Label21) X(Label22) X(Label23) X(Label24)                                         \
    X(Label19_0) X(Label19_1) X(Label19_2) X(Label19_3) X(Label19_4) X(Label19_5) X(Label19_6)     \
    X(Label19_7) X(Label19_8) X(Label19_9) X(Label19_10) X(Label19_11) X(Label19_12)               \
    X(Label19_13) X(Label19_14) X(Label19_15) X(Label19_16) X(Label19_17) X(Label19_18)            \
    X(Label19_19)                                                                                  \
    X(Label20_0) X(Label20_1) X(Label20_2) X(Label20_3) X(Label20_4) X(Label20_5)                  \
    X(Option1) X(Option2) X(Option3) X(Combo1) X(Combo2)                                           \
    X(Command1) X(Command2) X(Command3) X(Command4) X(Command5) X(Command6)

#define ZM_FORM2_CONTROLS(X) X(Form2) X(Image1) X(Label1) X(Line1) X(Label2) X(Command1)

// The two batch dialogs have the same controls.
#define ZM_BATCH_CONTROLS(X)                                                                       \
    X(Frame1_0) X(Frame1_1) X(Frame1_2)                                                            \
    X(Label1_0) X(Label1_1) X(Label1_2) X(Label1_3) X(Label1_4) X(Label1_5) X(Label1_6)            \
    X(Label1_7) X(Label1_8) X(Label1_9) X(Label1_10) X(Label1_11)                                  \
    X(Text1) X(Text2) X(Text3) X(Text4) X(Text5) X(Text6) X(Command1) X(Command2)
#define ZM_FORM3_CONTROLS(X) X(Form3) ZM_BATCH_CONTROLS(X)
#define ZM_FORM4_CONTROLS(X) X(Form4) ZM_BATCH_CONTROLS(X)

#define ZM_FORMRULES_CONTROLS(X)                                                                   \
    X(FormRules) X(LabelDate) X(DateTrade) X(LabelRules) X(cmdOK) X(cmdCancel)
#define ZM_FORMMINIMUM_CONTROLS(X)                                                                 \
    X(FormMinimum) X(LabelMinimum) X(TextMinimum) X(LabelMinimumNote) X(cmdOK) X(cmdCancel)
#define ZM_FORMTARGET_CONTROLS(X)                                                                  \
    X(FormTarget) X(OptTarget_0) X(OptTarget_1) X(LabelTarget) X(TextTarget) X(LabelTargetUnit)    \
    X(cmdCalc) X(LabelTargetPrice) X(TextTargetPrice) X(LabelTargetPriceUnit) X(LabelTargetAmount) \
    X(TextTargetAmount) X(LabelTargetAmountUnit) X(LabelTargetFees) X(TextTargetFees)              \
    X(LabelTargetFeesUnit) X(LabelTargetProfit) X(TextTargetProfit) X(LabelTargetProfitUnit)       \
    X(LabelTargetYield) X(TextTargetYield) X(LabelTargetYieldUnit) X(cmdUse) X(cmdClose)            \
    X(LabelRulesInUse)

// The tools of the 工具 menu for the shares an investor holds: each input and result is a caption
// label, the field and a unit label.
#define ZM_FORMAVERAGE_CONTROLS(X)                                                                 \
    X(FormAverage)                                                                                 \
    X(LabelAvgHeld) X(TextAvgHeld) X(LabelAvgHeldUnit)                                             \
    X(LabelAvgCost) X(TextAvgCost) X(LabelAvgCostUnit)                                             \
    X(LabelAvgPrice) X(TextAvgPrice) X(LabelAvgPriceUnit)                                          \
    X(LabelAvgBoard) X(ComboAvgBoard)                                                              \
    X(OptAvg_0) X(TextAvgShares) X(LabelAvgSharesUnit)                                             \
    X(OptAvg_1) X(TextAvgTarget) X(LabelAvgTargetUnit)                                             \
    X(LabelAvgNeed) X(TextAvgNeed) X(LabelAvgNeedUnit)                                             \
    X(LabelAvgAmount) X(TextAvgAmount) X(LabelAvgAmountUnit)                                       \
    X(LabelAvgFees) X(TextAvgFees) X(LabelAvgFeesUnit)                                             \
    X(LabelAvgPaid) X(TextAvgPaid) X(LabelAvgPaidUnit)                                             \
    X(LabelAvgNewShares) X(TextAvgNewShares) X(LabelAvgNewSharesUnit)                              \
    X(LabelAvgNewCost) X(TextAvgNewCost) X(LabelAvgNewCostUnit)                                    \
    X(LabelAvgBreakEven) X(TextAvgBreakEven) X(LabelAvgBreakEvenUnit)                              \
    X(LabelRulesInUse) X(cmdCalc) X(cmdClose)
#define ZM_FORMSWING_CONTROLS(X)                                                                   \
    X(FormSwing) X(OptSwing_0) X(OptSwing_1)                                                       \
    X(LabelSwingHeld) X(TextSwingHeld) X(LabelSwingHeldUnit)                                       \
    X(LabelSwingCost) X(TextSwingCost) X(LabelSwingCostUnit)                                       \
    X(LabelSwingBoard) X(ComboSwingBoard)                                                          \
    X(LabelSwingQty) X(TextSwingQty) X(LabelSwingQtyUnit)                                          \
    X(LabelSwingBuy) X(TextSwingBuy) X(LabelSwingBuyUnit)                                          \
    X(LabelSwingSell) X(TextSwingSell) X(LabelSwingSellUnit)                                       \
    X(LabelSwingBuyPaid) X(TextSwingBuyPaid) X(LabelSwingBuyPaidUnit)                              \
    X(LabelSwingSellNet) X(TextSwingSellNet) X(LabelSwingSellNetUnit)                              \
    X(LabelSwingProfit) X(TextSwingProfit) X(LabelSwingProfitUnit)                                 \
    X(LabelSwingNewCost) X(TextSwingNewCost) X(LabelSwingNewCostUnit)                              \
    X(LabelSwingBreakEven) X(TextSwingBreakEven) X(LabelSwingBreakEvenUnit)                        \
    X(LabelRulesInUse) X(cmdCalc) X(cmdClose)
#define ZM_FORMLOTS_CONTROLS(X)                                                                    \
    X(FormLots)                                                                                    \
    X(LabelLotsCash) X(TextLotsCash) X(LabelLotsCashUnit)                                          \
    X(LabelLotsPrice) X(TextLotsPrice) X(LabelLotsPriceUnit)                                       \
    X(LabelLotsBoard) X(ComboLotsBoard)                                                            \
    X(LabelLotsShares) X(TextLotsShares) X(LabelLotsSharesUnit)                                    \
    X(LabelLotsAmount) X(TextLotsAmount) X(LabelLotsAmountUnit)                                    \
    X(LabelLotsFees) X(TextLotsFees) X(LabelLotsFeesUnit)                                          \
    X(LabelLotsPaid) X(TextLotsPaid) X(LabelLotsPaidUnit)                                          \
    X(LabelLotsLeft) X(TextLotsLeft) X(LabelLotsLeftUnit)                                          \
    X(LabelRulesInUse) X(cmdCalc) X(cmdClose)
#define ZM_FORMLIMIT_CONTROLS(X)                                                                   \
    X(FormLimit)                                                                                   \
    X(LabelLimitClose) X(TextLimitClose) X(LabelLimitCloseUnit)                                    \
    X(LabelLimitBoard) X(ComboLimitBoard)                                                          \
    X(LabelLimitDate) X(DateLimit)                                                                 \
    X(LabelLimitUp) X(TextLimitUp) X(LabelLimitUpUnit)                                             \
    X(LabelLimitDown) X(TextLimitDown) X(LabelLimitDownUnit)                                       \
    X(LabelRulesInUse) X(cmdCalc) X(cmdClose)
#define ZM_FORMEXRIGHTS_CONTROLS(X)                                                                \
    X(FormExRights)                                                                                \
    X(LabelExClose) X(TextExClose) X(LabelExCloseUnit)                                             \
    X(LabelExCash) X(TextExCash) X(LabelExCashUnit)                                                \
    X(LabelExBonus) X(TextExBonus) X(LabelExBonusUnit)                                             \
    X(LabelExRights) X(TextExRights) X(LabelExRightsUnit)                                          \
    X(LabelExRightsPrice) X(TextExRightsPrice) X(LabelExRightsPriceUnit)                           \
    X(LabelExPrice) X(TextExPrice) X(LabelExPriceUnit)                                             \
    X(LabelRulesInUse) X(cmdCalc) X(cmdExLimit) X(cmdClose)

// The journal (账本): recording the trade on screen, the journal window, one entry, the export.
#define ZM_FORMRECORD_CONTROLS(X)                                                                  \
    X(FormRecord) X(LabelRecordTrade) X(LabelRecordCode) X(TextRecordCode) X(LabelRecordName)      \
    X(TextRecordName) X(LabelRecordDate) X(DateRecord) X(cmdOK) X(cmdCancel)
#define ZM_FORMJOURNAL_CONTROLS(X)                                                                 \
    X(FormJournal) X(LabelHoldings) X(ListHoldings) X(LabelCurrentPrice) X(TextCurrentPrice)       \
    X(LabelCostMethod) X(OptCostAverage) X(OptCostFifo) X(LabelEntries) X(ListEntries)             \
    X(cmdAdd) X(cmdEdit) X(cmdDelete) X(cmdUndo) X(cmdExport) X(cmdClose)                          \
    X(LabelYear) X(TextYear) X(LabelYearRealised) X(LabelYearFees) X(LabelYearDividends)           \
    X(LabelYearTax) X(cmdImport) X(cmdCheckFees)
#define ZM_FORMENTRY_CONTROLS(X)                                                                   \
    X(FormEntry) X(LabelEntryKind) X(ComboEntryKind) X(LabelEntryCode) X(TextEntryCode)            \
    X(LabelEntryName) X(TextEntryName) X(LabelEntryDate) X(DateEntry) X(LabelEntryQty)             \
    X(TextEntryQty) X(LabelEntryPrice) X(TextEntryPrice) X(LabelEntryPerTen) X(TextEntryPerTen)    \
    X(LabelEntryTotal) X(TextEntryTotal) X(LabelEntryCommission) X(TextEntryCommission)            \
    X(LabelEntryStamp) X(TextEntryStamp) X(LabelEntryTransfer) X(TextEntryTransfer)                \
    X(LabelEntryOther) X(TextEntryOther) X(cmdOK) X(cmdCancel)
#define ZM_FORMEXPORT_CONTROLS(X)                                                                  \
    X(FormExport) X(LabelExportFolder) X(TextExportFolder) X(cmdBrowse) X(LabelExportNote)         \
    X(cmdOK) X(cmdCancel)
// A broker's statement (交割单) read, previewed, its fees checked and its new rows imported.
#define ZM_FORMIMPORT_CONTROLS(X)                                                                  \
    X(FormImport) X(LabelImportFile) X(TextImportFile) X(cmdBrowse) X(cmdRead) X(ListImport)       \
    X(cmdTakeRow) X(LabelAgreedRate) X(TextAgreedRate) X(LabelAgreedMinimum) X(TextAgreedMinimum)  \
    X(ChkFeesIncluded) X(ChkFundMinimum) X(cmdCheckFees) X(LabelOverCharged) X(TextOverCharged)    \
    X(cmdOK) X(cmdCancel)

// Each window: its id, the namespace of its controls, its list above.
#define ZM_FORMS(X)                                         \
    X(Form1, form1, ZM_FORM1_CONTROLS)                      \
    X(Form2, form2, ZM_FORM2_CONTROLS)                      \
    X(Form3, form3, ZM_FORM3_CONTROLS)                      \
    X(Form4, form4, ZM_FORM4_CONTROLS)                      \
    X(FormRules, formRules, ZM_FORMRULES_CONTROLS)          \
    X(FormMinimum, formMinimum, ZM_FORMMINIMUM_CONTROLS)    \
    X(FormTarget, formTarget, ZM_FORMTARGET_CONTROLS)       \
    X(FormAverage, formAverage, ZM_FORMAVERAGE_CONTROLS)    \
    X(FormSwing, formSwing, ZM_FORMSWING_CONTROLS)          \
    X(FormLots, formLots, ZM_FORMLOTS_CONTROLS)             \
    X(FormLimit, formLimit, ZM_FORMLIMIT_CONTROLS)          \
    X(FormExRights, formExRights, ZM_FORMEXRIGHTS_CONTROLS) \
    X(FormRecord, formRecord, ZM_FORMRECORD_CONTROLS)       \
    X(FormJournal, formJournal, ZM_FORMJOURNAL_CONTROLS)    \
    X(FormEntry, formEntry, ZM_FORMENTRY_CONTROLS)          \
    X(FormExport, formExport, ZM_FORMEXPORT_CONTROLS)       \
    X(FormImport, formImport, ZM_FORMIMPORT_CONTROLS)

// clang-format on

namespace zm {

// The program's windows, by their form names: the main window, the about box, the two batch
// dialogs and the dialogs of the menus.
enum class FormId : std::uint8_t {
#define ZM_FORM_ENUM(form, ns, list) form,
    ZM_FORMS(ZM_FORM_ENUM)
#undef ZM_FORM_ENUM
};

namespace detail {
inline constexpr FormId kFormList[] = {
#define ZM_FORM_LIST(form, ns, list) FormId::form,
    ZM_FORMS(ZM_FORM_LIST)
#undef ZM_FORM_LIST
};
}  // namespace detail

inline constexpr std::size_t kFormCount = std::size(detail::kFormList);

// Every control of every window, numbered in table order.
enum class ControlId : std::uint16_t {
#define ZM_FORM_CONTROLS_ENUM(form, ns, list) list(ZM_CONTROL_ENUM_##form)
#define ZM_CONTROL_ENUM_Form1(name) Form1_##name,
#define ZM_CONTROL_ENUM_Form2(name) Form2_##name,
#define ZM_CONTROL_ENUM_Form3(name) Form3_##name,
#define ZM_CONTROL_ENUM_Form4(name) Form4_##name,
#define ZM_CONTROL_ENUM_FormRules(name) FormRules_##name,
#define ZM_CONTROL_ENUM_FormMinimum(name) FormMinimum_##name,
#define ZM_CONTROL_ENUM_FormTarget(name) FormTarget_##name,
#define ZM_CONTROL_ENUM_FormAverage(name) FormAverage_##name,
#define ZM_CONTROL_ENUM_FormSwing(name) FormSwing_##name,
#define ZM_CONTROL_ENUM_FormLots(name) FormLots_##name,
#define ZM_CONTROL_ENUM_FormLimit(name) FormLimit_##name,
#define ZM_CONTROL_ENUM_FormExRights(name) FormExRights_##name,
#define ZM_CONTROL_ENUM_FormRecord(name) FormRecord_##name,
#define ZM_CONTROL_ENUM_FormJournal(name) FormJournal_##name,
#define ZM_CONTROL_ENUM_FormEntry(name) FormEntry_##name,
#define ZM_CONTROL_ENUM_FormExport(name) FormExport_##name,
#define ZM_CONTROL_ENUM_FormImport(name) FormImport_##name,
    ZM_FORMS(ZM_FORM_CONTROLS_ENUM)
#undef ZM_FORM_CONTROLS_ENUM
};

struct ControlInfo {
    FormId form;
    std::string_view name;
};

namespace detail {
inline constexpr ControlInfo kControlTable[] = {
#define ZM_FORM_CONTROLS_INFO(form, ns, list) list(ZM_CONTROL_INFO_##form)
#define ZM_CONTROL_INFO_Form1(name) {FormId::Form1, #name},
#define ZM_CONTROL_INFO_Form2(name) {FormId::Form2, #name},
#define ZM_CONTROL_INFO_Form3(name) {FormId::Form3, #name},
#define ZM_CONTROL_INFO_Form4(name) {FormId::Form4, #name},
#define ZM_CONTROL_INFO_FormRules(name) {FormId::FormRules, #name},
#define ZM_CONTROL_INFO_FormMinimum(name) {FormId::FormMinimum, #name},
#define ZM_CONTROL_INFO_FormTarget(name) {FormId::FormTarget, #name},
#define ZM_CONTROL_INFO_FormAverage(name) {FormId::FormAverage, #name},
#define ZM_CONTROL_INFO_FormSwing(name) {FormId::FormSwing, #name},
#define ZM_CONTROL_INFO_FormLots(name) {FormId::FormLots, #name},
#define ZM_CONTROL_INFO_FormLimit(name) {FormId::FormLimit, #name},
#define ZM_CONTROL_INFO_FormExRights(name) {FormId::FormExRights, #name},
#define ZM_CONTROL_INFO_FormRecord(name) {FormId::FormRecord, #name},
#define ZM_CONTROL_INFO_FormJournal(name) {FormId::FormJournal, #name},
#define ZM_CONTROL_INFO_FormEntry(name) {FormId::FormEntry, #name},
#define ZM_CONTROL_INFO_FormExport(name) {FormId::FormExport, #name},
#define ZM_CONTROL_INFO_FormImport(name) {FormId::FormImport, #name},
    ZM_FORMS(ZM_FORM_CONTROLS_INFO)
#undef ZM_FORM_CONTROLS_INFO
};
}  // namespace detail

inline constexpr std::size_t kControlCount = std::size(detail::kControlTable);

// A control of one of the windows. Only the table makes them: `form1::Text1`.
struct Ctl {
    ControlId id;

    // The window the control belongs to.
    constexpr FormId form() const {
        return detail::kControlTable[static_cast<std::size_t>(id)].form;
    }
    constexpr std::string_view name() const {
        return detail::kControlTable[static_cast<std::size_t>(id)].name;
    }
    constexpr std::size_t index() const { return static_cast<std::size_t>(id); }
    friend constexpr bool operator==(const Ctl& a, const Ctl& b) { return a.id == b.id; }
    friend constexpr bool operator<(const Ctl& a, const Ctl& b) { return a.id < b.id; }
};

constexpr Ctl controlAt(std::size_t index) {
    return {static_cast<ControlId>(index)};
}

// The window's own entry: its title is this control's caption.
constexpr Ctl formControl(FormId f) {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (detail::kControlTable[i].form == f) {
            return controlAt(i);
        }
    }
    return controlAt(0);
}

constexpr std::string_view formName(FormId f) {
    return formControl(f).name();
}

#define ZM_CONTROL_CONST(form, name) inline constexpr Ctl name{ControlId::form##_##name};
#define ZM_FORM_NAMESPACE(form, ns, list) \
    namespace ns {                        \
    list(ZM_CONTROL_CONST_##form)         \
    }
#define ZM_CONTROL_CONST_Form1(name) ZM_CONTROL_CONST(Form1, name)
#define ZM_CONTROL_CONST_Form2(name) ZM_CONTROL_CONST(Form2, name)
#define ZM_CONTROL_CONST_Form3(name) ZM_CONTROL_CONST(Form3, name)
#define ZM_CONTROL_CONST_Form4(name) ZM_CONTROL_CONST(Form4, name)
#define ZM_CONTROL_CONST_FormRules(name) ZM_CONTROL_CONST(FormRules, name)
#define ZM_CONTROL_CONST_FormMinimum(name) ZM_CONTROL_CONST(FormMinimum, name)
#define ZM_CONTROL_CONST_FormTarget(name) ZM_CONTROL_CONST(FormTarget, name)
#define ZM_CONTROL_CONST_FormAverage(name) ZM_CONTROL_CONST(FormAverage, name)
#define ZM_CONTROL_CONST_FormSwing(name) ZM_CONTROL_CONST(FormSwing, name)
#define ZM_CONTROL_CONST_FormLots(name) ZM_CONTROL_CONST(FormLots, name)
#define ZM_CONTROL_CONST_FormLimit(name) ZM_CONTROL_CONST(FormLimit, name)
#define ZM_CONTROL_CONST_FormExRights(name) ZM_CONTROL_CONST(FormExRights, name)
#define ZM_CONTROL_CONST_FormRecord(name) ZM_CONTROL_CONST(FormRecord, name)
#define ZM_CONTROL_CONST_FormJournal(name) ZM_CONTROL_CONST(FormJournal, name)
#define ZM_CONTROL_CONST_FormEntry(name) ZM_CONTROL_CONST(FormEntry, name)
#define ZM_CONTROL_CONST_FormExport(name) ZM_CONTROL_CONST(FormExport, name)
#define ZM_CONTROL_CONST_FormImport(name) ZM_CONTROL_CONST(FormImport, name)
ZM_FORMS(ZM_FORM_NAMESPACE)
#undef ZM_FORM_NAMESPACE

// Control arrays and field lists, in index order.
inline constexpr std::array<Ctl, 20> kLabel19 = {
    form1::Label19_0,  form1::Label19_1,  form1::Label19_2,  form1::Label19_3,  form1::Label19_4,
    form1::Label19_5,  form1::Label19_6,  form1::Label19_7,  form1::Label19_8,  form1::Label19_9,
    form1::Label19_10, form1::Label19_11, form1::Label19_12, form1::Label19_13, form1::Label19_14,
    form1::Label19_15, form1::Label19_16, form1::Label19_17, form1::Label19_18, form1::Label19_19};
// Every field of the main window, Text1 … Text20, in the order of their numbers.
inline constexpr std::array<Ctl, 20> kMainFields = {
    form1::Text1,  form1::Text2,  form1::Text3,  form1::Text4,  form1::Text5,
    form1::Text6,  form1::Text7,  form1::Text8,  form1::Text9,  form1::Text10,
    form1::Text11, form1::Text12, form1::Text13, form1::Text14, form1::Text15,
    form1::Text16, form1::Text17, form1::Text18, form1::Text19, form1::Text20};
// The buy side's results, Text3 … Text10, and the sell side's, Text13 … Text20.
inline constexpr std::array<Ctl, 8> kBuyResults = {form1::Text3, form1::Text4, form1::Text5,
                                                   form1::Text6, form1::Text7, form1::Text8,
                                                   form1::Text9, form1::Text10};
inline constexpr std::array<Ctl, 8> kSellResults = {form1::Text13, form1::Text14, form1::Text15,
                                                    form1::Text16, form1::Text17, form1::Text18,
                                                    form1::Text19, form1::Text20};
// The six input fields of the main window, in the order the Enter key walks them.
inline constexpr std::array<Ctl, 6> kMainInputs = {form1::Text1,  form1::Text2,  form1::Text11,
                                                   form1::Text12, form1::Text21, form1::Text22};

// A batch dialog's six fields (price and quantity of each batch) and its control arrays.
constexpr std::array<Ctl, 6> batchFields(FormId dialog) {
    if (dialog == FormId::Form3) {
        return {form3::Text1, form3::Text2, form3::Text3, form3::Text4, form3::Text5, form3::Text6};
    }
    return {form4::Text1, form4::Text2, form4::Text3, form4::Text4, form4::Text5, form4::Text6};
}
constexpr std::array<Ctl, 3> batchFrames(FormId dialog) {
    if (dialog == FormId::Form3) {
        return {form3::Frame1_0, form3::Frame1_1, form3::Frame1_2};
    }
    return {form4::Frame1_0, form4::Frame1_1, form4::Frame1_2};
}
constexpr std::array<Ctl, 12> batchLabels(FormId dialog) {
    if (dialog == FormId::Form3) {
        return {form3::Label1_0, form3::Label1_1, form3::Label1_2,  form3::Label1_3,
                form3::Label1_4, form3::Label1_5, form3::Label1_6,  form3::Label1_7,
                form3::Label1_8, form3::Label1_9, form3::Label1_10, form3::Label1_11};
    }
    return {form4::Label1_0, form4::Label1_1, form4::Label1_2,  form4::Label1_3,
            form4::Label1_4, form4::Label1_5, form4::Label1_6,  form4::Label1_7,
            form4::Label1_8, form4::Label1_9, form4::Label1_10, form4::Label1_11};
}
// A batch dialog's OK (Command1) and Clear (Command2) buttons.
constexpr Ctl batchOk(FormId dialog) {
    return dialog == FormId::Form3 ? form3::Command1 : form4::Command1;
}
constexpr Ctl batchClear(FormId dialog) {
    return dialog == FormId::Form3 ? form3::Command2 : form4::Command2;
}

}  // namespace zm
