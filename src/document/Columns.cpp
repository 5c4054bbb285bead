#include "document/Columns.h"

#include "document/UndoableEdit.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"

int32_t ColumnDlgResult = 0;
int32_t ColumnHardware = 0;
int32_t ColumnCornerMode = 0;

namespace {

ColumnInputView silentView;
ColumnInputView* currentView = &silentView;

struct StoreyColumns {
    int32_t& count;
    ColumnRecord (&records)[MaxColumns];
    int live() const { return LiveCount(count, MaxColumns); }
    // The first column standing at (x, y), or -1.
    int find(int x, int y) const {
        const int n = live();
        for (int i = 0; i < n; ++i)
            if (records[i].x == x && records[i].y == y) return i;
        return -1;
    }
    bool full() const { return live() >= MaxColumns; }
    void append(const ColumnRecord& c) {
        const int n = live();
        records[n] = c;
        count = n + 1;
    }
    void remove(int index) {
        const int n = live();
        for (int i = index; i + 1 < n; ++i) records[i] = records[i + 1];
        count = n - 1;
    }
};

StoreyColumns ColumnsOf(int storey) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(storey, Storeys);
    return {Doc.ColumnCount[s][f], Doc.Columns[s][f]};
}

// Whether a wall ending at the column loses its strength with it: an exterior wall always,
// every wall under the simplified precise method, every wall but a non-bearing one under the
// approximate precise method.
bool BearingWallEndsAt(int x, int y) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
    const int32_t method = Doc.DiagnosisMethod;
    for (int i = 0; i < n; ++i) {
        const WallRecord& w = Doc.Walls[s][f][i];
        const bool endsHere = (w.x1 == x && w.y1 == y) || (w.x2 == x && w.y2 == y);
        if (!endsHere) continue;
        if (w.type == WallTypeSolidOuter || method == MethodPreciseSimplified ||
            (method == MethodPreciseApprox && w.type != WallTypeNoStrength))
            return true;
    }
    return false;
}

// The clicked column exists: the dialog decides.
int ChangeColumn(StoreyColumns& storey, int index, int x, int y) {
    ColumnRecord& c = storey.records[index];
    // Division and remainder as the joint was made (corner * 4 + hardware), so that values no
    // dialog choice matches come back unchanged.
    ColumnHardware = c.joint % 4;
    ColumnCornerMode = c.joint / 4;
    ColumnDlgResult = BearingWallEndsAt(x, y) ? 1 : 0;

    ColumnView().showColumnChangeDialog(); // takes the undo snapshot for a change or deletion

    switch (ColumnDlgResult) {
    case ColumnDlgCancel:
        // Nothing changed: closing must not ask to save.
        ColumnView().repaintSheet();
        return 0;
    case ColumnDlgChange:
        c.joint = ColumnCornerMode * 4 + ColumnHardware;
        ColumnView().repaintSheet();
        return 1;
    case ColumnDlgDelete: {
        const int32_t kind = c.kind;
        storey.remove(index);
        const int partner = ThroughColumnPartner(kind, ClampIndex(App.CurrentStorey, Storeys));
        if (partner >= 0) {
            StoreyColumns other = ColumnsOf(partner);
            const int n = other.live();
            for (int i = 0; i < n; ++i)
                if (other.records[i].x == x && other.records[i].y == y) other.records[i].kind = 1;
        }
        ColumnView().repaintSheet();
        return 1;
    }
    default:
        return 0;
    }
}

} // namespace

void ColumnChangeOk(int32_t hardware, int32_t corner) {
    UndoableEdit edit;
    ColumnDlgResult = ColumnDlgChange;
    if (hardware >= 0) ColumnHardware = hardware;
    if (corner >= 0) ColumnCornerMode = corner;
}

void ColumnChangeDelete() {
    UndoableEdit edit;
    ColumnDlgResult = ColumnDlgDelete;
}

void ColumnChangeCancel() {
    ColumnDlgResult = ColumnDlgCancel;
}

ColumnInputView& ColumnView() {
    return *currentView;
}

void SetColumnInputView(ColumnInputView* view) {
    currentView = view ? view : &silentView;
}

int ThroughColumnPartner(int32_t kind, int storey) {
    if (kind == 2) return storey >= 2 ? 0 : 1 - storey;
    if (kind == 3) return storey == 2 ? 1 : 2;
    return -1;
}

int InputColumn(int x, int y) {
    if (!OnGrid(x, y)) return 0;
    StoreyColumns storey = ColumnsOf(App.CurrentStorey);
    const int existing = storey.find(x, y);
    if (existing >= 0) return ChangeColumn(storey, existing, x, y);

    if (storey.full()) return 0;
    UndoableEdit edit;
    const int32_t kind = App.CurColumnKind;
    storey.append({x, y, kind, App.CurColumnCorner * 4 + App.CurColumnHardware, 0});

    // A partner above the scenario's top storey is still placed: files may hold one, and it
    // shows once the storey is added.
    const int partner = ThroughColumnPartner(kind, ClampIndex(App.CurrentStorey, Storeys));
    if (partner >= 0) {
        StoreyColumns other = ColumnsOf(partner);
        const int there = other.find(x, y);
        if (there >= 0) {
            other.records[there].kind = kind;
        } else if (!other.full()) {
            other.append({x, y, kind, App.CurColumnHardware, 0});
        } else {
            // No room for the partner: the column stays an ordinary one, and is still placed.
            storey.records[storey.live() - 1].kind = 1;
        }
    }
    ColumnView().repaintSheet();
    return 1;
}
