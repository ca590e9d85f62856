// The session's routes into the journal's windows (JournalWindows).
#include "session/session.h"

namespace zm {

void Session::openRecord(Ctl item) {
    m_journal.openRecord(item);
}
void Session::recordEnter(Ctl c) {
    m_journal.recordEnter(c);
}
void Session::recordOk(Ctl) {
    m_journal.recordOk();
}
void Session::closeRecord(Ctl) {
    m_journal.closeRecord();
}
void Session::openJournal(Ctl) {
    m_journal.openJournal();
}
void Session::closeJournal(Ctl) {
    m_journal.closeJournal();
}
void Session::journalMethodChosen(Ctl) {
    m_journal.methodChosen();
}
void Session::holdingChosen(Ctl) {
    m_journal.holdingChosen();
}
void Session::currentPriceEntered(Ctl) {
    m_journal.currentPriceEntered();
}
void Session::journalEntryChosen(Ctl) {
    m_journal.entryChosen();
}
void Session::journalYearEntered(Ctl) {
    m_journal.yearEntered();
}
void Session::addJournalEntry(Ctl) {
    m_journal.addEntry();
}
void Session::editJournalEntry(Ctl) {
    m_journal.editEntry();
}
void Session::deleteJournalEntry(Ctl) {
    m_journal.deleteEntry();
}
void Session::undoJournal(Ctl) {
    m_journal.undo();
}
void Session::openExport(Ctl) {
    m_journal.openExport();
}
void Session::browseExportFolder(Ctl) {
    m_journal.browseFolder();
}
void Session::exportOk(Ctl) {
    m_journal.exportOk();
}
void Session::closeExport(Ctl) {
    m_journal.closeExport();
}
void Session::entryKindChosen(Ctl) {
    m_journal.entryKindChosen();
}
void Session::entryEnter(Ctl c) {
    m_journal.entryEnter(c);
}
void Session::entryFocus(Ctl c) {
    m_journal.entryFocus(c);
}
void Session::entryDateSet(Ctl) {
    m_journal.entryDateSet();
}
void Session::entryOk(Ctl) {
    m_journal.entryOk();
}
void Session::closeEntry(Ctl) {
    m_journal.closeEntry();
}

}  // namespace zm
