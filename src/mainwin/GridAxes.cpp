#include "mainwin/GridAxes.h"

#include "mainwin/dialogs/Axis_Dlg.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "ui/Forms.h"

#include <cstdint>
#include <cstdio>

namespace {

int32_t KindOf(const int32_t (&kinds)[100], int i) {
    return ClampIndex(kinds[i], 3);
}

} // namespace

// ---- Axis editing ----

int EditAxis(int ix, int iy, int px, int py) {
    (void)px, (void)py;
    const int mode = App.AxisEditMode;
    if (mode == AxisModeDelete) return ApplyAxisEdit(mode, ix, iy, AxisDlgCancelled, 0.0);
    const AxisEditProposal proposal = ProposeAxisEdit(mode, ix, iy);
    if (!proposal.valid || !AxisDlg) return 0; // a click in no gap changes nothing
    AxisDlg->AxisOldDistance = proposal.oldDistance;
    AxisDlg->AxisNewDistance = proposal.newDistance;
    AxisDlg->AxisDlgResult = AxisDlgCancelled;
    ShowModal(*AxisDlg);
    if (AxisDlg->AxisDlgResult == AxisDlgCancelled) return 0;
    return ApplyAxisEdit(mode, ix, iy, AxisDlg->AxisDlgResult, AxisDlg->AxisNewDistance);
}

bool StepAxisKinds(int ix, int iy) {
    bool changed = false;
    if (InRange(ix, AxisCountX)) {
        Doc.AxisKindX[ix] = (KindOf(Doc.AxisKindX, ix) + 1) % 3;
        changed = true;
    }
    if (InRange(iy, AxisCountY)) {
        Doc.AxisKindY[iy] = (KindOf(Doc.AxisKindY, iy) + 1) % 3;
        changed = true;
    }
    return changed;
}
