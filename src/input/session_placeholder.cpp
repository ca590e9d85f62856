// Temporary: the Enter flows, the Calculate command and the batch dialogs replace this file.
#include "input/session.h"

namespace zm {
void Session::command1Click() {}
void Session::enterMain(Ctl) {}
void Session::enterBatch(Ctl) {}
void Session::batchFormLoad(FormId) {}
void Session::batchOkClick(FormId) {}
void Session::batchClearClick(FormId) {}
void Session::StoreBatchInputs(FormId) {}
void Session::CalcBatchBuy() {}
void Session::CalcBatchSell() {}
}  // namespace zm
