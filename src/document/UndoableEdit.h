#pragma once
// One edit of the document as one undo step. The snapshot is taken when the edit begins (the
// guard's construction, right before the element lists change) and the document is marked
// changed when it ends, so that neither can be forgotten. An edit that turns out to change
// nothing says so, and then leaves neither a snapshot nor a mark behind.
//
//   UndoableEdit edit;
//   list.remove(i);
//
// Whether the click counts as a change for the save question stays with the caller.
class UndoableEdit {
public:
    UndoableEdit();
    ~UndoableEdit();
    UndoableEdit(const UndoableEdit&) = delete;
    UndoableEdit& operator=(const UndoableEdit&) = delete;

    // Nothing changed after all: the snapshot is taken back and the document is not marked.
    void nothingChanged();

private:
    bool changed_ = true;
};
