// Temporary: the batch dialogs' engine replaces this file.
#include "input/session.h"

namespace zm {
void Session::enterBatch(Ctl) {}
void Session::batchFormLoad(FormId) {}
void Session::batchOkClick(FormId) {}
void Session::batchClearClick(FormId) {}
void Session::StoreBatchInputs(FormId) {}
void Session::CalcBatchBuy() {}
void Session::CalcBatchSell() {}
}  // namespace zm
