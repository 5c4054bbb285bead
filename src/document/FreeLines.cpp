#include "document/FreeLines.h"

#include "document/UndoableEdit.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Messages.h"
#include "model/Model.h"

#include <cmath>

namespace {

FreeLineInputView silentView;
FreeLineInputView* currentView = &silentView;

bool SameNodes(const FreeLineRecord& l, int x1, int y1, int x2, int y2) {
    return (l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2) ||
           (l.x1 == x2 && l.y1 == y2 && l.x2 == x1 && l.y2 == y1);
}

bool Storable(double v) {
    return std::isfinite(v) && std::fabs(v) <= OffsetLimit;
}

int Repainted(int result) {
    FreeLineView().repaintSheet();
    return result;
}

} // namespace

double TypedOffset(int field) {
    const int f = ClampIndex(field, 4);
    const double stored = App.CurLineOffset[f];
    // + 0.0: a stored 0 negated shows as 0, not -0.
    return (f % 2 ? -stored : stored) + 0.0;
}

void SetTypedOffset(int field, double typed) {
    const int f = ClampIndex(field, 4);
    App.CurLineOffset[f] = f % 2 ? -typed : typed;
}

FreeLineInputView& FreeLineView() {
    return *currentView;
}

void SetFreeLineInputView(FreeLineInputView* view) {
    currentView = view ? view : &silentView;
}

int InputFreeLine(int x1, int y1, int x2, int y2) {
    if ((x1 == x2 && y1 == y2) || !OnGrid(x1, y1) || !OnGrid(x2, y2)) return Repainted(0);
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    int32_t& count = Doc.FreeLineCount[s][f];
    FreeLineRecord(&lines)[MaxFreeLines] = Doc.FreeLines[s][f];
    const int n = LiveCount(count, MaxFreeLines);

    for (int i = 0; i < n; ++i) {
        if (!SameNodes(lines[i], x1, y1, x2, y2)) continue;
        UndoableEdit edit;
        for (int k = i; k + 1 < n; ++k) lines[k] = lines[k + 1];
        count = n - 1;
        return Repainted(1);
    }
    if (n >= MaxFreeLines) return 0;

    if (!FreeLineView().showOffsetDialog()) return Repainted(0); // cancelled: nothing added

    const double* o = App.CurLineOffset;
    // A wider value would shift every later field of the saved file.
    if (!Storable(o[0]) || !Storable(o[1]) || !Storable(o[2]) || !Storable(o[3])) {
        Messages().ask("オフセットは -99.999 から 99.999 (m) の範囲で入力して下さい。",
                       "オフセット入力エラー", MsgButtons::Ok, MsgIcon::Stop);
        return Repainted(0);
    }
    const bool wide = std::fabs(o[0]) > OffsetAskBeyond || std::fabs(o[1]) > OffsetAskBeyond ||
                      std::fabs(o[2]) > OffsetAskBeyond || std::fabs(o[3]) > OffsetAskBeyond;
    if (wide && Messages().ask("元の位置と離れますが。\n\n入力する --- はい\n\n入力しない --- "
                               "いいえ\n\n",
                               "オフセット入力問い合わせ", MsgButtons::YesNo,
                               MsgIcon::Question) != MsgAnswer::Yes)
        return Repainted(0);

    UndoableEdit edit;
    lines[n] = {x1, y1, x2, y2, o[0], o[1], o[2], o[3], App.CurLineStyle, App.CurLineColour};
    count = n + 1;
    return Repainted(1);
}
