#include "document/UndoableEdit.h"

#include "document/Recompute.h"
#include "model/Slots.h"

UndoableEdit::UndoableEdit() {
    PushUndo();
}

UndoableEdit::~UndoableEdit() {
    if (changed_) MarkDocumentChanged();
}

void UndoableEdit::nothingChanged() {
    if (!changed_) return;
    changed_ = false;
    TakeBackUndo();
}
