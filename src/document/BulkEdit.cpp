#include "document/BulkEdit.h"

#include "document/UndoableEdit.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/Slots.h"

namespace {

bool Confirmed(const char* question) {
    return Messages().ask(question, BulkDeleteCaption, MsgButtons::YesNo, MsgIcon::Question) ==
           MsgAnswer::Yes;
}

} // namespace

bool BulkCopyOntoCurrent(int source, int destination, int mode, int storeyMask) {
    if (!InRange(source, Scenarios) || destination != App.CurrentScenario || source == destination)
        return false;
    UndoableEdit edit;
    CopyModelSlot(source, destination, mode, storeyMask);
    App.Modified = 1;
    return true;
}

bool BulkDeleteStoreyData() {
    if (!Confirmed(BulkDeleteStoreyQuestion)) return false;
    UndoableEdit edit;
    ClearStoreyData();
    App.Modified = 1;
    return true;
}

bool BulkDeleteWallElements() {
    if (!Confirmed(BulkDeleteWallElementsQuestion)) return false;
    UndoableEdit edit;
    ClearStoreyWallElements();
    App.Modified = 1;
    return true;
}
