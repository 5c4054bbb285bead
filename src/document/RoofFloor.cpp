#include "document/RoofFloor.h"

#include "document/StoreyList.h"
#include "document/UndoableEdit.h"
#include "model/AppState.h"
#include "model/Messages.h"
#include "model/Model.h"

#include <algorithm>
#include <cmath>

namespace {

RoofFloorInputView silentView;
RoofFloorInputView* currentView = &silentView;

const char* const AreaCaption = "屋根床等入力エラー";
const char* const OverlapText =
    "領域が重なっています。\n\n入力する --- はい\n\n入力しない --- いいえ\n\n";
const char* const TopStoreyText = "最上階には入力出来ません。\n\n屋根に切り替えて下さい。\n";
const char* const TopStoreyCaption = "床入力問い合わせ";
const char* const AtticIgnoredText =
    "一般診断（略算法）では、小屋裏入力は無視されます。\n\nそれでも入力しますか？\n\n"
    "入力する --- はい\n\n入力しない --- いいえ\n\n";
const char* const AtticIgnoredCaption = "小屋裏入力問い合わせ";
const char* const AtticBelowText =
    "下の階にも小屋裏を入力する必要があります。\n\n入力する --- はい\n\n入力しない --- いいえ\n\n";
const char* const AtticBelowCaption = "下の階の小屋裏入力問い合わせ";
const char* const TriangleLargestText =
    "三角形では入力出来ません。\n\n矩形入力に切り替えて下さい。\n\n";
const char* const TriangleLargestCaption = "最大矩形入力問い合わせ";

bool AskYes(const char* text, const char* caption) {
    return Messages().ask(text, caption, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

// Refused: the plan is repainted (a rubber band goes) and nothing is stored.
int Refuse() {
    RoofFloorView().repaintSheet();
    return 0;
}

bool SamePair(int32_t a1, int32_t a2, int32_t b1, int32_t b2) {
    return (a1 == b1 && a2 == b2) || (a1 == b2 && a2 == b1);
}
template <typename Rect>
bool RectMatches(const Rect& r, int x1, int y1, int x2, int y2) {
    return SamePair(r.x1, r.x2, x1, x2) && SamePair(r.y1, r.y2, y1, y2);
}
bool SameThree(int32_t a, int32_t b, int32_t c, int32_t p, int32_t q, int32_t r) {
    int32_t u[3] = {a, b, c}, v[3] = {p, q, r};
    std::sort(u, u + 3);
    std::sort(v, v + 3);
    return std::equal(u, u + 3, v);
}
// The X indices and the Y indices are compared each in any order, independently.
template <typename Tri>
bool TriangleMatches(const Tri& t, int x1, int y1, int x2, int y2, int x3, int y3) {
    return SameThree(t.x1, t.x2, t.x3, x1, x2, x3) && SameThree(t.y1, t.y2, t.y3, y1, y2, y3);
}

bool DegenerateRect(int x1, int y1, int x2, int y2) {
    return x1 == x2 || y1 == y2 || !OnGrid(x1, y1) || !OnGrid(x2, y2);
}
// Two equal nodes, or three on one line in axis indices.
bool DegenerateTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
    if (!OnGrid(x1, y1) || !OnGrid(x2, y2) || !OnGrid(x3, y3)) return true;
    if ((x1 == x2 && y1 == y2) || (x2 == x3 && y2 == y3) || (x1 == x3 && y1 == y3)) return true;
    return (x3 - x2) * (y3 - y1) == (x3 - x1) * (y3 - y2);
}
// Twice the signed area in square metres of the triangle on three nodes.
double TwiceArea(int x1, int y1, int x2, int y2, int x3, int y3) {
    const double ax = AxisPosX(x1), ay = AxisPosY(y1);
    return (AxisPosX(x2) - ax) * (AxisPosY(y3) - ay) - (AxisPosX(x3) - ax) * (AxisPosY(y2) - ay);
}
// Uneven axes can put three nodes that are not in line by index on one line in metres; such a
// figure has no area and is no area of the plan. (An axis spacing is at least millimetres.)
bool ZeroArea(int x1, int y1, int x2, int y2, int x3, int y3) {
    return std::fabs(TwiceArea(x1, y1, x2, y2, x3, y3)) < 1e-9;
}

template <typename Rec, std::size_t Cap>
StoreyList<Rec, Cap> StoreyOf(int32_t (&counts)[ModelSlots][Storeys],
                              Rec (&records)[ModelSlots][Storeys][Cap], int storey) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(storey, Storeys);
    return {counts[s][f], records[s][f]};
}
auto Rects(int storey) {
    return StoreyOf(Doc.RoofFloorRectCount, Doc.RoofFloorRects, storey);
}
auto Tris(int storey) {
    return StoreyOf(Doc.RoofFloorTriCount, Doc.RoofFloorTris, storey);
}
int Current() {
    return ClampIndex(App.CurrentStorey, Storeys);
}

// A corner inside a stored triangle: the three doubled areas with the triangle's edges, each
// truncated to whole square metres, are all negative or all at least 1.
bool CornerInTriangle(double px, double py, const RoofFloorTriRecord& t) {
    const double tx[3] = {AxisPosX(t.x1), AxisPosX(t.x2), AxisPosX(t.x3)};
    const double ty[3] = {AxisPosY(t.y1), AxisPosY(t.y2), AxisPosY(t.y3)};
    int below = 0, atLeastOne = 0;
    for (int k = 0; k < 3; ++k) {
        const int j = (k + 1) % 3;
        const double twice = (tx[k] - px) * (ty[j] - py) - (tx[j] - px) * (ty[k] - py);
        const double whole = std::trunc(twice);
        below += whole < 0;
        atLeastOne += whole >= 1;
    }
    return below == 3 || atLeastOne == 3;
}

bool RectOverlapsStoredAreas(int x1, int y1, int x2, int y2) {
    const int xa = std::min(x1, x2), xb = std::max(x1, x2);
    const int ya = std::min(y1, y2), yb = std::max(y1, y2);
    const auto enclosedKind = [](int32_t code) {
        const int32_t kind = AreaKindOfCode(code);
        return kind >= 0 && kind < AreaKindAttic;
    };
    if (App.CurAreaKind < AreaKindAttic) {
        auto rects = Rects(Current());
        for (int i = 0; i < rects.live(); ++i) {
            const RoofFloorRectRecord& r = rects.records[i];
            if (!enclosedKind(r.code)) continue;
            const int ra = std::min(r.x1, r.x2), rb = std::max(r.x1, r.x2);
            const int rc = std::min(r.y1, r.y2), rd = std::max(r.y1, r.y2);
            if (xb > ra && rb > xa && yb > rc && rd > ya) return true;
        }
    }
    const double cx[2] = {AxisPosX(xa), AxisPosX(xb)};
    const double cy[2] = {AxisPosY(ya), AxisPosY(yb)};
    auto tris = Tris(Current());
    for (int i = 0; i < tris.live(); ++i) {
        const RoofFloorTriRecord& t = tris.records[i];
        if (!enclosedKind(t.code)) continue;
        const int32_t vx[3] = {t.x1, t.x2, t.x3}, vy[3] = {t.y1, t.y2, t.y3};
        for (int k = 0; k < 3; ++k)
            if (xa < vx[k] && vx[k] < xb && ya < vy[k] && vy[k] < yb) return true;
        for (double px : cx)
            for (double py : cy)
                if (CornerInTriangle(px, py, t)) return true;
    }
    return false;
}

bool OnTopStorey() {
    return App.CurrentStorey == TopStoreyOf(App.CurrentScenario);
}

int32_t NewAreaCode() {
    return App.CurAreaNotEnclosed * 8 + App.CurAreaKind;
}
int32_t NewSpecCode() {
    return App.CurFloorBrace * 32 + App.CurFloorSpec;
}

// Attic storage on the top storey needs the attic on the storeys below too: after a Yes the
// figure goes to every lower storey, down to the first or to the first full one.
template <typename Rec, std::size_t Cap>
void CopyAtticDown(int32_t (&counts)[ModelSlots][Storeys], Rec (&records)[ModelSlots][Storeys][Cap],
                   const Rec& figure) {
    if (App.CurAreaKind != AreaKindAttic || !OnTopStorey()) return;
    if (!AskYes(AtticBelowText, AtticBelowCaption)) return;
    for (int f = Current() - 1; f >= 0; --f) {
        auto below = StoreyOf(counts, records, f);
        if (below.full()) break;
        below.append(figure);
    }
}

} // namespace

RoofFloorInputView& RoofFloorView() {
    return *currentView;
}

void SetRoofFloorInputView(RoofFloorInputView* view) {
    currentView = view ? view : &silentView;
}

int32_t AreaKindOfCode(int32_t code) {
    return code < 0 ? -1 : code % 8;
}

bool LargestRectangleEntered() {
    auto rects = Rects(Current());
    for (int i = 0; i < rects.live(); ++i)
        if (AreaKindOfCode(rects.records[i].code) == AreaKindLargestRectangle) return true;
    return false;
}

int InputRoofFloorRect(int x1, int y1, int x2, int y2) {
    if (DegenerateRect(x1, y1, x2, y2)) return 0;
    auto rects = Rects(Current());
    const bool largest = App.CurAreaKind == AreaKindLargestRectangle;
    for (int i = 0; i < rects.live(); ++i) {
        const RoofFloorRectRecord& r = rects.records[i];
        const bool storedLargest = AreaKindOfCode(r.code) == AreaKindLargestRectangle;
        // A storey has one largest rectangle: entering one first removes the old one,
        // wherever it lies.
        const bool remove =
            largest ? storedLargest : !storedLargest && RectMatches(r, x1, y1, x2, y2);
        if (!remove) continue;
        UndoableEdit edit;
        rects.remove(i);
        RoofFloorView().repaintSheet();
        RoofFloorView().largestRectangleChanged();
        return 1;
    }
    if (rects.full()) return 0;
    if (RectOverlapsStoredAreas(x1, y1, x2, y2) && !AskYes(OverlapText, AreaCaption))
        return Refuse();
    if (OnTopStorey() && App.CurAreaKind >= 0 && App.CurAreaKind <= 2) {
        Messages().ask(TopStoreyText, TopStoreyCaption, MsgButtons::Ok, MsgIcon::Question);
        return Refuse();
    }
    if (Doc.DiagnosisMethod == MethodGeneralApprox && App.CurAreaKind == AreaKindAttic &&
        !AskYes(AtticIgnoredText, AtticIgnoredCaption))
        return Refuse();
    UndoableEdit edit;
    const RoofFloorRectRecord added{x1, y1, x2, y2, NewAreaCode()};
    rects.append(added);
    CopyAtticDown(Doc.RoofFloorRectCount, Doc.RoofFloorRects, added);
    RoofFloorView().repaintSheet();
    RoofFloorView().largestRectangleChanged();
    return 1;
}

int InputRoofFloorTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
    if (DegenerateTriangle(x1, y1, x2, y2, x3, y3)) return 0;
    if (Doc.DiagnosisMethod == MethodGeneralApprox && App.CurAreaKind == AreaKindAttic &&
        !AskYes(AtticIgnoredText, AtticIgnoredCaption))
        return Refuse();
    if (App.CurAreaKind == AreaKindLargestRectangle) {
        Messages().ask(TriangleLargestText, TriangleLargestCaption, MsgButtons::Ok,
                       MsgIcon::Question);
        return Refuse();
    }
    auto tris = Tris(Current());
    for (int i = 0; i < tris.live(); ++i) {
        if (!TriangleMatches(tris.records[i], x1, y1, x2, y2, x3, y3)) continue;
        UndoableEdit edit;
        tris.remove(i);
        RoofFloorView().repaintSheet();
        return 1;
    }
    if (tris.full()) return 0;
    if (ZeroArea(x1, y1, x2, y2, x3, y3)) return Refuse();
    UndoableEdit edit;
    const RoofFloorTriRecord added{x1, y1, x2, y2, x3, y3, NewAreaCode()};
    tris.append(added);
    CopyAtticDown(Doc.RoofFloorTriCount, Doc.RoofFloorTris, added);
    RoofFloorView().repaintSheet();
    return 1;
}

int InputFloorSpecRect(int x1, int y1, int x2, int y2) {
    if (DegenerateRect(x1, y1, x2, y2)) return 0;
    auto specs = StoreyOf(Doc.FloorSpecRectCount, Doc.FloorSpecRects, Current());
    for (int i = 0; i < specs.live(); ++i) {
        if (!RectMatches(specs.records[i], x1, y1, x2, y2)) continue;
        UndoableEdit edit;
        specs.remove(i);
        RoofFloorView().repaintSheet();
        return 1;
    }
    if (specs.full()) return 0;
    UndoableEdit edit;
    specs.append({x1, y1, x2, y2, NewSpecCode()});
    RoofFloorView().repaintSheet();
    return 1;
}

int InputFloorSpecTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
    if (DegenerateTriangle(x1, y1, x2, y2, x3, y3)) return 0;
    auto specs = StoreyOf(Doc.FloorSpecTriCount, Doc.FloorSpecTris, Current());
    for (int i = 0; i < specs.live(); ++i) {
        if (!TriangleMatches(specs.records[i], x1, y1, x2, y2, x3, y3)) continue;
        UndoableEdit edit;
        specs.remove(i);
        RoofFloorView().repaintSheet();
        return 1;
    }
    if (specs.full()) return 0;
    if (ZeroArea(x1, y1, x2, y2, x3, y3)) return Refuse();
    UndoableEdit edit;
    specs.append({x1, y1, x2, y2, x3, y3, NewSpecCode()});
    RoofFloorView().repaintSheet();
    return 1;
}
