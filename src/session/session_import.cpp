// The session's routes into FormImport (JournalImport).
#include "session/session.h"

namespace zm {

void Session::openImport(Ctl) {
    m_import.open();
}
void Session::openFeeCheck(Ctl) {
    m_import.openCheck();
}
void Session::browseImportFiles(Ctl) {
    m_import.browse();
}
void Session::readImport(Ctl) {
    m_import.read();
}
void Session::importRowChosen(Ctl) {
    m_import.rowChosen();
}
void Session::takeImportRow(Ctl) {
    m_import.takeRow();
}
void Session::checkImportFees(Ctl) {
    m_import.checkFees();
}
void Session::importOk(Ctl) {
    m_import.ok();
}
void Session::closeImport(Ctl) {
    m_import.close();
}

}  // namespace zm
