#include "document/WallInput.h"

#include "calc/WallElementTables.h"
#include "calc/WallStrength.h"
#include "document/UndoableEdit.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/Slots.h"

#include <algorithm>
#include <cmath>

int32_t WallChangeIndex = 0;
int32_t WallChangeDlgResult = 0;
int32_t WallChangeKind = 0;
int32_t WallChangeBrace = 0;
int32_t WallChangeRetrofit = 0;
int32_t WallChangePanelL = 0;
int32_t WallChangePanelR = 0;
int32_t WallChangeDeterioration = 2;
int32_t WallChangeBraceSize = 0;
int32_t WallChangeBraceHardware = 0;
int32_t WallChangeBraceDirection = 2;
int32_t WallChangeMudWall = 0;
int32_t RetrofitEndColumnsNotice = 0;

namespace {

WallChangeDialogRunner* Runner = nullptr;

constexpr double GeometryTolerance = 0.0001; // metres

const char* const QuestionCaption = "壁入力問い合わせ";
const char* const NoStrengthText = "耐力無壁には耐力要素は入れられません。\n\n";
const char* const CoreText =
    "有開口壁に心材を入れますか。\n\n入力する --- はい\n\n入力しない --- いいえ\n\n";
const char* const CrossingText = "壁が交差しているか重なっています。\n\n";
const char* const NoEndColumnText = "両端に柱が無い壁は耐力無しとなります。\n\n入力する --- "
                                    "はい\n\n入力しない --- いいえ\n\n";
const char* const ColumnInsideText = "柱に重なります。\n\n柱を消すか壁を分けて入力して下さい\n\n";

// Panel rows whose walls need no end columns.
constexpr int32_t EndColumnExemptPanels[] = {57, 58};

bool Refused(const char* text) {
    Messages().ask(text, QuestionCaption, MsgButtons::Ok, MsgIcon::Question);
    return false;
}
// Only an explicit Yes goes on; closing the box is No.
bool AnsweredYes(const char* text) {
    return Messages().ask(text, QuestionCaption, MsgButtons::YesNo, MsgIcon::Question) ==
           MsgAnswer::Yes;
}

// The checks of a wall's kind against its elements that a new and a changed wall share.
bool KindAllowsElements(int32_t kind, int32_t brace, int32_t panelL, int32_t panelR) {
    if (kind == WallKindNoStrength && HasStrengthElements(brace, panelL, panelR))
        return Refused(NoStrengthText);
    if (kind != 0 && kind != 7 && HasCoreMaterial(brace)) return AnsweredYes(CoreText);
    return true;
}

struct StoreyWalls {
    int32_t& count;
    WallRecord* records;
    int n;
};
StoreyWalls CurrentWalls() {
    const int sc = ClampIndex(App.CurrentScenario, Scenarios);
    const int st = ClampIndex(App.CurrentStorey, Storeys);
    int32_t& count = Doc.WallCount[sc][st];
    return {count, Doc.Walls[sc][st], LiveCount(count, MaxWalls)};
}

bool RangesApart(double a1, double a2, double b1, double b2) {
    return std::max(a1, a2) < std::min(b1, b2) - GeometryTolerance ||
           std::max(b1, b2) < std::min(a1, a2) - GeometryTolerance;
}

// Which side of the line through p1-p2 the point q lies on: -1, 1, or 0 when it lies within
// the tolerance of the line. The cross product is the line's length times q's distance from
// it, so its tolerance is scaled by that length; a product of two cross products (metres to the
// fourth) against a tolerance for one would take a strict crossing on a fine grid for a touch.
int SideOf(double px1, double py1, double px2, double py2, double qx, double qy) {
    const double cross = (px1 - px2) * (qy - py1) + (py1 - py2) * (px1 - qx);
    const double tolerance = GeometryTolerance * std::hypot(px2 - px1, py2 - py1);
    if (std::fabs(cross) <= tolerance) return 0;
    return cross < 0 ? -1 : 1;
}

// Any pair of walls, in metres.
int CrossOrOverlapInMetres(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2) {
    const double xa1 = AxisPosX(ax1), ya1 = AxisPosY(ay1), xa2 = AxisPosX(ax2), ya2 = AxisPosY(ay2);
    const double xb1 = AxisPosX(bx1), yb1 = AxisPosY(by1), xb2 = AxisPosX(bx2), yb2 = AxisPosY(by2);
    if (RangesApart(xa1, xa2, xb1, xb2) || RangesApart(ya1, ya2, yb1, yb2)) return 0;
    const int b1 = SideOf(xa1, ya1, xa2, ya2, xb1, yb1);
    const int b2 = SideOf(xa1, ya1, xa2, ya2, xb2, yb2);
    if (b1 == 0 && b2 == 0) {
        // On one line: they overlap when they share a length, not only an end.
        const bool alongX = std::fabs(xa1 - xa2) >= std::fabs(ya1 - ya2);
        const double a1 = alongX ? xa1 : ya1, a2 = alongX ? xa2 : ya2;
        const double c1 = alongX ? xb1 : yb1, c2 = alongX ? xb2 : yb2;
        const double common = std::min(std::max(a1, a2), std::max(c1, c2)) -
                              std::max(std::min(a1, a2), std::min(c1, c2));
        return common > GeometryTolerance ? 1 : 0;
    }
    const int a1 = SideOf(xb1, yb1, xb2, yb2, xa1, ya1);
    const int a2 = SideOf(xb1, yb1, xb2, yb2, xa2, ya2);
    // An end on the other wall's line is a touch at most (a T or meeting ends).
    return b1 * b2 < 0 && a1 * a2 < 0 ? 1 : 0;
}

// Two walls on grid lines of one direction (a along its first index, b likewise): they
// overlap when they lie on the same line and share a length.
int OverlapOnLine(long long aLine, long long a1, long long a2, long long bLine, long long b1,
                  long long b2) {
    if (aLine != bLine) return 0;
    const long long lo = std::min(a1, a2), hi = std::max(a1, a2);
    if (hi <= b1 && hi <= b2) return 0;
    return lo < b1 || lo < b2 ? 1 : 0;
}
// A wall along one direction against one along the other: a strict crossing (a T-junction
// does not count).
int CrossAtRightAngle(long long aLine, long long a1, long long a2, long long bLine, long long b1,
                      long long b2) {
    return (a1 - bLine) * (a2 - bLine) < 0 && (b1 - aLine) * (b2 - aLine) < 0 ? 1 : 0;
}

void RunWallChangeDialog() {
    if (Runner)
        Runner->showWallChangeDialog();
    else
        WallChangeDlgResult = WallChangeCancelled;
}

} // namespace

// ---- The wall the forms edit ----------------------------------------------------------------

WallSpecRefs CurrentWallSpec() {
    return {App.CurWallKind,          App.CurWallBrace,          App.CurWallPanelL,
            App.CurWallPanelR,        App.CurWallDeterioration,  App.WallDlgBraceSize,
            App.WallDlgBraceHardware, App.WallDlgBraceDirection, App.WallDlgMudWall};
}

WallSpecRefs WallChangeSpec() {
    return {WallChangeKind,          WallChangeBrace,          WallChangePanelL,
            WallChangePanelR,        WallChangeDeterioration,  WallChangeBraceSize,
            WallChangeBraceHardware, WallChangeBraceDirection, WallChangeMudWall};
}

void DecodeBrace(const WallSpecRefs& s) {
    const int32_t row = BraceRowOf(s.brace);
    s.mudWall = MudWallOf(s.brace);
    s.braceSize = BraceSizeOf(row);
    s.braceHardware = BraceHardwareOf(row);
    s.braceDirection = BraceDirectionOf(row);
}

void RecomposeBrace(const WallSpecRefs& s) {
    s.brace = s.mudWall * MudWallUnit + s.braceSize * 12 + s.braceHardware * 4 + s.braceDirection;
}

double WallPreviewStrength(const WallSpecRefs& s) {
    return WallElementsStrength(s.brace, s.panelL, s.panelR);
}

bool HasCoreMaterial(int32_t brace) {
    return BraceRowOf(brace) >= 24 || MudWallOf(brace) >= 2;
}

bool HasStrengthElements(int32_t brace, int32_t panelL, int32_t panelR) {
    return HasCoreMaterial(brace) || panelL >= 2 || panelR >= 2;
}

int32_t NormaliseBraceWord(int32_t brace) {
    if (brace < 12) return 0;
    if (brace < 24) return 12;
    return brace;
}

// ---- The wall-change dialog -----------------------------------------------------------------

WallRecord* WallChangeTarget() {
    StoreyWalls walls = CurrentWalls();
    return InRange(WallChangeIndex, static_cast<std::size_t>(walls.n))
               ? &walls.records[WallChangeIndex]
               : nullptr;
}

void WallChangeLoad() {
    const WallRecord* w = WallChangeTarget();
    if (!w) return;
    WallChangeKind = w->type;
    WallChangeRetrofit = (w->bracing & RetrofitWallBit) ? 1 : 0;
    WallChangeBrace = w->bracing & BraceWordMask;
    WallChangePanelL = w->panelL;
    WallChangePanelR = w->panelR;
    WallChangeDeterioration = w->deterioration;
}

bool WallChangeOk() {
    WallRecord* w = WallChangeTarget();
    if (!w) return true; // nothing to write: the dialog just closes
    if (!KindAllowsElements(WallChangeKind, WallChangeBrace, WallChangePanelL, WallChangePanelR))
        return false;
    UndoableEdit edit;
    w->type = WallChangeKind;
    w->deterioration = WallChangeDeterioration;
    int32_t word = NormaliseBraceWord(WallChangeBrace);
    if (WallChangeRetrofit == 1) word += RetrofitWallBit;
    w->bracing = word;
    w->panelL = WallChangePanelL;
    w->panelR = WallChangePanelR;
    return true;
}

void WallChangeCancel() {
    WallChangeDlgResult = WallChangeCancelled;
}

void WallChangeGet() {
    App.CurWallKind = WallChangeKind;
    App.CurWallBrace = WallChangeBrace % RetrofitWallBit;
    App.CurWallPanelL = WallChangePanelL;
    App.CurWallPanelR = WallChangePanelR;
    App.CurWallDeterioration = WallChangeDeterioration;
    WallChangeDlgResult = WallChangeCancelled;
}

void WallChangePut() {
    WallChangeKind = App.CurWallKind;
    WallChangeBrace = App.CurWallBrace % RetrofitWallBit;
    WallChangePanelL = App.CurWallPanelL;
    WallChangePanelR = App.CurWallPanelR;
    WallChangeDeterioration = App.CurWallDeterioration;
}

void WallChangeDelete() {
    UndoableEdit edit;
    WallChangeDlgResult = WallChangeDeleted;
}

void WallChangeBringToFront() {
    UndoableEdit edit;
    WallChangeDlgResult = WallChangeToFront;
}

void SetWallChangeDialogRunner(WallChangeDialogRunner* runner) {
    Runner = runner;
}

// ---- Wall input ------------------------------------------------------------------------------

int SegmentsCrossOrOverlap(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2) {
    const bool aAlongX = ay1 == ay2, aAlongY = ax1 == ax2;
    const bool bAlongX = by1 == by2, bAlongY = bx1 == bx2;
    if (aAlongX && bAlongX) return OverlapOnLine(ay1, ax1, ax2, by1, bx1, bx2);
    if (aAlongX && bAlongY) return CrossAtRightAngle(ay1, ax1, ax2, bx1, by1, by2);
    if (aAlongY && bAlongY) return OverlapOnLine(ax1, ay1, ay2, bx1, by1, by2);
    if (aAlongY && bAlongX) return CrossAtRightAngle(ax1, ay1, ay2, by1, bx1, bx2);
    // An oblique wall on either side: the general test, in metres.
    return CrossOrOverlapInMetres(ax1, ay1, ax2, ay2, bx1, by1, bx2, by2);
}

void SetEndColumnsNotice(int x1, int y1, int x2, int y2) {
    const int sc = ClampIndex(App.CurrentScenario, Scenarios);
    const int st = ClampIndex(App.CurrentStorey, Storeys);
    const int n = LiveCount(Doc.ColumnCount[sc][st], MaxColumns);
    for (int i = 0; i < n; ++i) {
        ColumnRecord& c = Doc.Columns[sc][st][i];
        if ((c.x == x1 && c.y == y1) || (c.x == x2 && c.y == y2))
            c.joint = c.joint - c.joint % 4 + 2;
    }
}

int InputWall(int x1, int y1, int x2, int y2) {
    if ((x1 == x2 && y1 == y2) || !OnGrid(x1, y1) || !OnGrid(x2, y2)) return 0;
    StoreyWalls walls = CurrentWalls();
    WallRecord* const rec = walls.records;

    for (int i = 0; i < walls.n; ++i) {
        const WallRecord& w = rec[i];
        const bool same = w.x1 == x1 && w.y1 == y1 && w.x2 == x2 && w.y2 == y2;
        const bool reversed = w.x1 == x2 && w.y1 == y2 && w.x2 == x1 && w.y2 == y1;
        if (!same && !reversed) continue;

        WallChangeDlgResult = WallChangeAccepted;
        WallChangeIndex = i;
        const uint64_t pushesBefore = UndoPushCount();
        RunWallChangeDialog();
        switch (WallChangeDlgResult) {
        case WallChangeToFront:
            // Only the drawing order changes: the wall passed its checks when it was placed,
            // and the dialog took the one undo snapshot.
            std::rotate(rec + i, rec + i + 1, rec + walls.n);
            return 1;
        case WallChangeDeleted:
            std::copy(rec + i + 1, rec + walls.n, rec + i);
            walls.count = walls.n - 1;
            return 1;
        case WallChangeAccepted:
            rec[i].x1 = x1, rec[i].y1 = y1, rec[i].x2 = x2, rec[i].y2 = y2;
            if (App.CurrentScenario != 0 && RetrofitEndColumnsNotice == 1)
                SetEndColumnsNotice(x1, y1, x2, y2);
            return 1;
        default:
            // Cancelled, or the elements taken over by OK after 要素の取得: only the latter took
            // a snapshot, and only then did the click change the document.
            return UndoPushCount() != pushesBefore ? 1 : 0;
        }
    }

    if (walls.n >= MaxWalls) return 0;

    for (int i = 0; i < walls.n; ++i) {
        const WallRecord& w = rec[i];
        if (SegmentsCrossOrOverlap(x1, y1, x2, y2, w.x1, w.y1, w.x2, w.y2) == 1) {
            Messages().ask(CrossingText, "壁入力エラー", MsgButtons::Ok, MsgIcon::Stop);
            return 0;
        }
    }

    // Columns at the ends and columns standing inside the wall.
    const int sc = ClampIndex(App.CurrentScenario, Scenarios);
    const int st = ClampIndex(App.CurrentStorey, Storeys);
    const int nc = LiveCount(Doc.ColumnCount[sc][st], MaxColumns);
    const double X1 = AxisPosX(x1), Y1 = AxisPosY(y1), X2 = AxisPosX(x2), Y2 = AxisPosY(y2);
    bool atStart = false, atEnd = false, inside = false;
    for (int i = 0; i < nc; ++i) {
        const ColumnRecord& c = Doc.Columns[sc][st][i];
        if (c.x == x1 && c.y == y1) {
            atStart = true;
            continue;
        }
        if (c.x == x2 && c.y == y2) {
            atEnd = true;
            continue;
        }
        const double xc = AxisPosX(c.x), yc = AxisPosY(c.y);
        if (std::fabs((X1 - X2) * (yc - Y1) + (Y1 - Y2) * (X1 - xc)) < GeometryTolerance &&
            (xc - X1) * (xc - X2) <= 0 && (yc - Y1) * (yc - Y2) <= 0)
            inside = true;
    }

    const int32_t kind = App.CurWallKind;
    const bool exempt = kind == WallKindNoStrength ||
                        std::any_of(std::begin(EndColumnExemptPanels),
                                    std::end(EndColumnExemptPanels), [](int32_t row) {
                                        return App.CurWallPanelL == row || App.CurWallPanelR == row;
                                    });
    if ((!atStart || !atEnd) && !exempt && !AnsweredYes(NoEndColumnText)) return 0;
    if (inside) return Refused(ColumnInsideText);
    if (!KindAllowsElements(kind, App.CurWallBrace, App.CurWallPanelL, App.CurWallPanelR)) return 0;

    UndoableEdit edit;
    WallRecord w{};
    w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
    w.type = kind;
    w.deterioration = App.CurWallDeterioration;
    if (IsPreciseMethod() || kind != WallKindNoStrength) {
        // The palette keeps the stored word: no bracing and unknown bracing each have one.
        App.CurWallBrace = NormaliseBraceWord(App.CurWallBrace);
        w.bracing = App.CurWallBrace;
        w.panelL = App.CurWallPanelL;
        w.panelR = App.CurWallPanelR;
    }
    rec[walls.n] = w;
    walls.count = walls.n + 1;
    return 1;
}
