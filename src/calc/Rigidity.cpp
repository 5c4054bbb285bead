#include "calc/Rigidity.h"

#include "calc/CalcCommon.h"
#include "calc/MethodTables.h"
#include "calc/RequiredStrength.h"
#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

RigidityResults theRigidity;

// Below this an elastic radius counts as none: the storey has no stiffness to resist torsion.
constexpr double MinElasticRadius = 1e-5;
// Walls on a quarter line within this distance count in the strip.
constexpr double QuarterLineMargin = 1e-5;

// The eccentricity ratio of a direction with no elastic radius, by the option.
double RatioWithoutRadius() {
    return App.Options.ZeroStrengthEccentricity == 0 ? 0.0 : UnboundedEccentricityRatio;
}

double Clamp(double v, double lo, double hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

} // namespace

RigidityResults& RigidityRes = theRigidity;

double EccentricityReductionOf(double ratio) {
    return Clamp(1.0 / (3.33 * ratio + 0.5), 0.5, 1.0);
}

double TorsionFactorOf(double ratio) {
    return Clamp(ratio * 10.0 / 3.0 + 0.5, 1.0, 1.5);
}

double StiffnessReductionOf(double ratio) {
    return tolerance::Below(ratio, 0.6) ? 1.0 / (2.0 - ratio / 0.6) : 1.0;
}

namespace {

// The current scenario's per-case storey results from storey `first` up, and its quarter
// strips.
void ClearStoreyResults(int sc, int first) {
    RigidityResults& r = RigidityRes;
    if (first >= Storeys) return;
    const std::size_t bytes =
        static_cast<std::size_t>(Storeys - first) * sizeof r.WallStrengthSumX[sc][first];
    for (auto* table : {&r.WallStrengthSumX,       &r.WallStrengthSumY,   &r.StiffnessSumX,
                        &r.StiffnessSumY,          &r.StiffnessMomentYX,  &r.StiffnessMomentXY,
                        &r.RigidityCentreX,        &r.RigidityCentreY,    &r.EccentricityX,
                        &r.EccentricityY,          &r.TorsionTermX,       &r.TorsionTermY,
                        &r.TorsionalStiffness,     &r.ElasticRadiusX,     &r.ElasticRadiusY,
                        &r.EccentricityRatioX,     &r.EccentricityRatioY, &r.EccentricityReductionX,
                        &r.EccentricityReductionY, &r.TorsionFactorX,     &r.TorsionFactorY})
        std::memset((*table)[sc][first], 0, bytes);
    for (int k = 0; k < QuarterStrips; ++k)
        for (int f = first; f < Storeys; ++f) r.QuarterWallStrength[k][sc][f] = 0;
}

// The line tables start empty in every scenario, as the required strength leaves them.
void ClearLineTables() {
    RigidityResults& r = RigidityRes;
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            if (RigidityLinesInUse[s][f] == 0) continue;
            const std::size_t bytes =
                static_cast<std::size_t>(RigidityLinesInUse[s][f]) * sizeof r.LineShearX[s][f][0];
            std::memset(r.LineStiffnessX[s][f], 0, bytes);
            std::memset(r.LineStiffnessY[s][f], 0, bytes);
            std::memset(r.LineShearX[s][f], 0, bytes);
            std::memset(r.LineShearY[s][f], 0, bytes);
            RigidityLinesInUse[s][f] = 0;
        }
}

} // namespace

void ClearRigidityResults() {
    ClearStoreyResults(CalcScenario(), 0);
    ClearLineTables();
}

namespace {

// The sums of one storey per loading case while its walls are added, kept apart from the
// results until the storey is done so that the additions need not go through the results
// table (wall by wall in the same order, they are the same sums).
struct StoreySums {
    double strengthX[StrengthVariants], strengthY[StrengthVariants];
    double stiffnessX[StrengthVariants], stiffnessY[StrengthVariants];
    double momentYX[StrengthVariants], momentXY[StrengthVariants];
};

StoreySums SumsOf(const RigidityResults& r, int sc, int storey) {
    StoreySums sums;
    for (int n = 0; n < StrengthVariants; ++n) {
        sums.strengthX[n] = r.WallStrengthSumX[sc][storey][n];
        sums.strengthY[n] = r.WallStrengthSumY[sc][storey][n];
        sums.stiffnessX[n] = r.StiffnessSumX[sc][storey][n];
        sums.stiffnessY[n] = r.StiffnessSumY[sc][storey][n];
        sums.momentYX[n] = r.StiffnessMomentYX[sc][storey][n];
        sums.momentXY[n] = r.StiffnessMomentXY[sc][storey][n];
    }
    return sums;
}

void StoreSums(const StoreySums& sums, RigidityResults& r, int sc, int storey) {
    for (int n = 0; n < StrengthVariants; ++n) {
        r.WallStrengthSumX[sc][storey][n] = sums.strengthX[n];
        r.WallStrengthSumY[sc][storey][n] = sums.strengthY[n];
        r.StiffnessSumX[sc][storey][n] = sums.stiffnessX[n];
        r.StiffnessSumY[sc][storey][n] = sums.stiffnessY[n];
        r.StiffnessMomentYX[sc][storey][n] = sums.momentYX[n];
        r.StiffnessMomentXY[sc][storey][n] = sums.momentXY[n];
    }
}

// A wall's ends in the storey frame: from the first main axes, Y upward (the plan has it
// growing downward).
struct WallEnds {
    double startX, startY, endX, endY;
    bool oblique;
};

// The per-case fields of a wall result come in pairs side by side, X then Y (or Ly·X then
// Lx·Y), and a pair is worked out as one Pair.

constexpr bool Neighbours(std::size_t first, std::size_t second) {
    return second == first + sizeof(double);
}
#define VELQUOR_PAIR(x, y) Neighbours(offsetof(WallResultRecord, x), offsetof(WallResultRecord, y))
static_assert(
    VELQUOR_PAIR(startOffsetX, startOffsetY) && VELQUOR_PAIR(endOffsetX, endOffsetY) &&
        VELQUOR_PAIR(momentYXStart, momentXYStart) && VELQUOR_PAIR(momentYXEnd, momentXYEnd) &&
        VELQUOR_PAIR(startDistanceX, startDistanceY) && VELQUOR_PAIR(endDistanceX, endDistanceY) &&
        VELQUOR_PAIR(torsionXStart, torsionYStart) && VELQUOR_PAIR(torsionXEnd, torsionYEnd) &&
        VELQUOR_PAIR(originDistanceX, originDistanceY) && VELQUOR_PAIR(momentYX, momentXY) &&
        VELQUOR_PAIR(centreDistanceX, centreDistanceY) &&
        VELQUOR_PAIR(torsionTermX, torsionTermY) && VELQUOR_PAIR(startOffsetY, endOffsetX) &&
        VELQUOR_PAIR(momentXYStart, momentYXEnd) && VELQUOR_PAIR(startDistanceY, endDistanceX) &&
        VELQUOR_PAIR(torsionYStart, torsionXEnd) && VELQUOR_PAIR(originDistanceY, momentYX) &&
        VELQUOR_PAIR(centreDistanceY, torsionTermX),
    "the pairs stored as one are neighbouring fields");
#undef VELQUOR_PAIR

// The plan position of the storey frame's origin.
struct FrameOrigin {
    double x, y;
};

FrameOrigin FrameOriginOf() {
    return {AxisPosX(Grid.FirstMainAxisX), AxisPosY(Grid.FirstMainAxisY)};
}

WallEnds EndsOf(const WallRecord& w, const FrameOrigin& o) {
    return {AxisPosX(w.x1) - o.x, o.y - AxisPosY(w.y1), AxisPosX(w.x2) - o.x, o.y - AxisPosY(w.y2),
            w.x1 != w.x2 && w.y1 != w.y2};
}

// Ly·X and Lx·Y at each end: an oblique wall carries half at each end, any other all at its
// start.
struct WallMoments {
    double yxStart, xyStart, yxEnd, xyEnd;
};

WallMoments MomentsOf(const WallEnds& e, double kx, double ky) {
    if (e.oblique)
        return {0.5 * ky * e.startX, 0.5 * kx * e.startY, 0.5 * ky * e.endX, 0.5 * kx * e.endY};
    return {ky * e.startX, kx * e.startY, 0, 0};
}

void WritePositions(WallResultRecord& out, const WallEnds& e, const WallMoments& m) {
    out.startOffsetX = e.startX;
    out.startOffsetY = e.startY;
    out.endOffsetX = e.endX;
    out.endOffsetY = e.endY;
    out.momentYXStart = m.yxStart;
    out.momentXYStart = m.xyStart;
    out.momentYXEnd = m.yxEnd;
    out.momentXYEnd = m.xyEnd;
    // The rigidity report lists a wall by its first end.
    out.originDistanceX = e.startX;
    out.originDistanceY = e.startY;
    out.momentYX = m.yxStart;
    out.momentXY = m.xyStart;
}

// The wall's strengths, stiffnesses and moments of the five loading cases added to the storey
// sums and its lines; storey and wall in range. The stage of a single wall; a whole run adds a
// storey's walls with AddStoreyWallTerms. Only the directional strengths and stiffnesses of
// the row are read here: the storey step writes the positions and moments with the torsion
// terms, so that the row is walked once for them.
void AddWallTerms(int sc, int storey, int wall, const WallEnds& e, StoreySums& sums) {
    RigidityResults& r = RigidityRes;
    const WallRecord& w = Doc.Walls[sc][storey][wall];
    const WallResultRecord* blocks = WallEval.WallResult[sc][storey][wall];
    int32_t& linesInUse = RigidityLinesInUse[sc][storey];
    for (const int32_t line : {w.x1, w.y1, w.x2, w.y2})
        if (InRange(line, GridLines) && line + 1 > linesInUse) linesInUse = line + 1;
    // The lines through the wall's ends (none outside the grid): an oblique wall puts half on
    // the lines through each end, any other wall all on the lines through its start.
    const auto lineOf = [](double(&table)[GridLines][StrengthVariants], int32_t line) {
        return InRange(line, GridLines) ? table[line] : nullptr;
    };
    double* startLineX = lineOf(r.LineStiffnessX[sc][storey], w.y1);
    double* startLineY = lineOf(r.LineStiffnessY[sc][storey], w.x1);
    double* endLineX = e.oblique ? lineOf(r.LineStiffnessX[sc][storey], w.y2) : nullptr;
    double* endLineY = e.oblique ? lineOf(r.LineStiffnessY[sc][storey], w.x2) : nullptr;

#pragma GCC unroll 5
    for (int n = 0; n < StrengthVariants; ++n) {
        const WallResultRecord& bx = blocks[CaseSubBlockX[n]];
        const WallResultRecord& by = blocks[CaseSubBlockY[n]];
        const double kx = bx.stiffnessX, ky = by.stiffnessY;
        sums.strengthX[n] += bx.strengthX;
        sums.strengthY[n] += by.strengthY;
        sums.stiffnessX[n] += kx;
        sums.stiffnessY[n] += ky;
        if (e.oblique) {
            if (startLineX) startLineX[n] += 0.5 * kx;
            if (endLineX) endLineX[n] += 0.5 * kx;
            if (startLineY) startLineY[n] += 0.5 * ky;
            if (endLineY) endLineY[n] += 0.5 * ky;
        } else {
            if (startLineX) startLineX[n] += kx;
            if (startLineY) startLineY[n] += ky;
        }
        const WallMoments m = MomentsOf(e, kx, ky);
        sums.momentYX[n] += m.yxStart + m.yxEnd;
        sums.momentXY[n] += m.xyStart + m.xyEnd;
    }
}

// The ends of the walls of the storey in hand, worked out once for both walks over its walls.
WallEnds theStoreyEnds[MaxWalls];

const WallEnds* StoreyEnds(int sc, int storey, int walls) {
    const FrameOrigin origin = FrameOriginOf();
    for (int w = 0; w < walls; ++w) theStoreyEnds[w] = EndsOf(Doc.Walls[sc][storey][w], origin);
    return theStoreyEnds;
}

// The five loading cases take only three brace variants along each direction, and cases 0, 1
// and 4 hold all of them: a case's values along X (those from Ly: moments Ly·X, distances and
// torsion terms along X) are those of the case with its variant along Y, its values along Y
// those of the case with its variant along X. Only these three cases are worked out per wall;
// the others are put together from them lane by lane, the same values in every byte.
constexpr int DistinctCases = 3;
constexpr int DistinctCase[DistinctCases] = {0, 1, 4};
// Per loading case, the distinct case with the same brace variant along Y (lane 0) and along X
// (lane 1).
constexpr int SameVariantY[StrengthVariants] = {0, 1, 1, 2, 2};
constexpr int SameVariantX[StrengthVariants] = {0, 1, 2, 1, 2};

constexpr bool DistinctCasesCoverAll() {
    for (int n = 0; n < StrengthVariants; ++n)
        if (CaseSubBlockY[DistinctCase[SameVariantY[n]]] != CaseSubBlockY[n] ||
            CaseSubBlockX[DistinctCase[SameVariantX[n]]] != CaseSubBlockX[n])
            return false;
    return true;
}
static_assert(DistinctCasesCoverAll(), "every loading case is put together from the three");

// Loading case n of per-case pairs kept for the distinct cases: lane 0 (from Ly) as the case
// with its variant along Y, lane 1 (from Lx) as the case with its variant along X.
Pair CaseOf(const Pair (&distinct)[DistinctCases], int n) {
    return Pair{distinct[SameVariantY[n]][0], distinct[SameVariantX[n]][1]};
}

// A wall's two ends go side by side in one Quad (start X, start Y, end X, end Y); lanes are
// picked and cleared with masks.
using QuadMask = long long __attribute__((vector_size(32)));

void StoreQuad(double& first, const Quad& q) {
    std::memcpy(&first, &q, sizeof q);
}

// Case n of quads kept for the distinct cases, lane by lane as CaseOf above: the X lanes from
// the quad of the case with n's variant along Y, the Y lanes from that with its variant along X.
void CaseOf(Quad& out, const Quad& sameY, const Quad& sameX) {
    out = __builtin_shuffle(sameY, sameX, QuadMask{0, 5, 2, 7});
}

// The start pair of each of two quads.
void StartsOf(Quad& out, const Quad& a, const Quad& b) {
    out = __builtin_shuffle(a, b, QuadMask{0, 1, 4, 5});
}

// The start lanes of q, the end lanes 0.
void KeptAtStart(Quad& out, const Quad& q) {
    out = reinterpret_cast<Quad>(reinterpret_cast<QuadMask>(q) & QuadMask{-1, -1, 0, 0});
}

// What the storey step and the quarter strips read of a wall, gathered while its row is read
// for the sums, so that they need not read the 1,760-byte row again.
struct WallTerms {
    Pair stiffness[DistinctCases]; // {Ly, Lx}
    double quarterX, quarterY;     // basic case strength along X and Y with the wall's share
};

WallTerms theStoreyTerms[MaxWalls];

// The basic case strengths count in the quarter strips by the wall's share of the line it
// stands on: an oblique wall has one entry per end, each carrying half the wall.
WallTerms TermsOf(const WallRecord& w, const WallResultRecord* blocks) {
    WallTerms t;
    for (int j = 0; j < DistinctCases; ++j)
        t.stiffness[j] = Pair{blocks[CaseSubBlockY[DistinctCase[j]]].stiffnessY,
                              blocks[CaseSubBlockX[DistinctCase[j]]].stiffnessX};
    t.quarterX = (w.y1 != w.y2 ? 0.5 : 1.0) * blocks[0].strengthX;
    t.quarterY = (w.x1 != w.x2 ? 0.5 : 1.0) * blocks[0].strengthY;
    return t;
}

const WallTerms* StoreyTermsFromRows(int sc, int storey, int walls) {
    for (int w = 0; w < walls; ++w)
        theStoreyTerms[w] = TermsOf(Doc.Walls[sc][storey][w], WallEval.WallResult[sc][storey][w]);
    return theStoreyTerms;
}

// A wall's four end coordinates x1, y1, x2, y2 side by side, as unsigned: below 0 is then
// beyond the grid too.
using IndexQuad = uint32_t __attribute__((vector_size(16)));
static_assert(offsetof(WallRecord, y1) == offsetof(WallRecord, x1) + 4 &&
                  offsetof(WallRecord, x2) == offsetof(WallRecord, x1) + 8 &&
                  offsetof(WallRecord, y2) == offsetof(WallRecord, x1) + 12,
              "a wall's end coordinates are neighbouring fields");

// The five cases of a per-case table row from the values of the three distinct cases: the
// first four as one quad, case 4 apart. Along X case n takes distinct case SameVariantX[n],
// along Y SameVariantY[n].
struct CaseRow {
    Quad first4;
    double last;
};

void RowAlongX(CaseRow& out, double d0, double d1, double d2) {
    static_assert(SameVariantX[0] == 0 && SameVariantX[1] == 1 && SameVariantX[2] == 2 &&
                  SameVariantX[3] == 1 && SameVariantX[4] == 2);
    QuadOf(out.first4, d0, d1, d2, d1);
    out.last = d2;
}

void RowAlongY(CaseRow& out, double d0, double d1, double d2) {
    static_assert(SameVariantY[0] == 0 && SameVariantY[1] == 1 && SameVariantY[2] == 1 &&
                  SameVariantY[3] == 2 && SameVariantY[4] == 2);
    QuadOf(out.first4, d0, d1, d1, d2);
    out.last = d2;
}

// The walk over a storey's walls reads each row once and keeps the sums in registers; the line
// sums take four cases as one: both gain from the wide vectors.
// Every wall's strengths, stiffnesses and moments of the five loading cases added to the storey
// sums and its lines, as AddWallTerms wall by wall on sums and lines that start from 0 (the same
// additions in the same order), with what the later steps read of a wall's row gathered into
// theStoreyTerms. Storey in range, its rows noted, its line tables cleared.
WIDE_STORES_WHERE_AVAILABLE const WallTerms* AddStoreyWallTerms(int sc, int storey, int walls,
                                                                const WallEnds* ends) {
    RigidityResults& r = RigidityRes;
    // Per case lane by lane (case 4 in the lane of the distinct case it equals): strengths,
    // stiffnesses and moments (Ly·X, Lx·Y). A sum over the walls of a case's values is the same
    // sum in whichever lane it is kept.
    Quad strengthX = {}, strengthY = {}, stiffnessX = {}, stiffnessY = {};
    Quad momentYX = {}, momentXY = {};
    int32_t linesInUse = RigidityLinesInUse[sc][storey];
    // Per end coordinate, the largest line on the grid + 1 (0 for none).
    IndexQuad lineEndMax = {};
    double(&linesX)[GridLines][StrengthVariants] = r.LineStiffnessX[sc][storey];
    double(&linesY)[GridLines][StrengthVariants] = r.LineStiffnessY[sc][storey];
    for (int wi = 0; wi < walls; ++wi) {
        const WallRecord& w = Doc.Walls[sc][storey][wi];
        const WallResultRecord* blocks = WallEval.WallResult[sc][storey][wi];
        const WallEnds& e = ends[wi];
        double lx[DistinctCases], ly[DistinctCases], sx[DistinctCases], sy[DistinctCases];
        for (int j = 0; j < DistinctCases; ++j) {
            const WallResultRecord& bx = blocks[CaseSubBlockX[DistinctCase[j]]];
            const WallResultRecord& by = blocks[CaseSubBlockY[DistinctCase[j]]];
            lx[j] = bx.stiffnessX, sx[j] = bx.strengthX;
            ly[j] = by.stiffnessY, sy[j] = by.strengthY;
        }
        WallTerms& t = theStoreyTerms[wi];
        for (int j = 0; j < DistinctCases; ++j) t.stiffness[j] = Pair{ly[j], lx[j]};
        t.quarterX = (w.y1 != w.y2 ? 0.5 : 1.0) * blocks[0].strengthX;
        t.quarterY = (w.x1 != w.x2 ? 0.5 : 1.0) * blocks[0].strengthY;

        CaseRow kx, ky, row;
        RowAlongX(kx, lx[0], lx[1], lx[2]);
        RowAlongY(ky, ly[0], ly[1], ly[2]);
        stiffnessX += kx.first4;
        stiffnessY += ky.first4;
        RowAlongX(row, sx[0], sx[1], sx[2]);
        strengthX += row.first4;
        RowAlongY(row, sy[0], sy[1], sy[2]);
        strengthY += row.first4;
        // Ly·X from the X positions, Lx·Y from the Y positions. A sum that starts from 0 takes
        // a product alone as it takes the product plus 0 (AddWallTerms adds the end's 0).
        if (e.oblique) {
            const Quad halfY = 0.5 * ky.first4, halfX = 0.5 * kx.first4;
            momentYX += halfY * e.startX + halfY * e.endX;
            momentXY += halfX * e.startY + halfX * e.endY;
        } else {
            momentYX += ky.first4 * e.startX;
            momentXY += kx.first4 * e.startY;
        }

        // The lines of both ends together, those outside the grid as none.
        IndexQuad lines;
        std::memcpy(&lines, &w.x1, sizeof lines);
        const IndexQuad onGrid = lines < static_cast<uint32_t>(GridLines);
        const IndexQuad lineEnds = (lines + 1) & onGrid;
        lineEndMax = lineEndMax > lineEnds ? lineEndMax : lineEnds;
        // The lines through the wall's ends (none outside the grid): an oblique wall puts half
        // on the lines through each end, any other wall all on the lines through its start.
        const auto addTo = [](double(&table)[GridLines][StrengthVariants], int32_t line,
                              const CaseRow& k) {
            if (!InRange(line, GridLines)) return;
            double* to = table[line];
            Quad sum;
            std::memcpy(&sum, to, sizeof sum);
            sum += k.first4;
            std::memcpy(to, &sum, sizeof sum);
            to[4] += k.last;
        };
        if (e.oblique) {
            const CaseRow halfX = {0.5 * kx.first4, 0.5 * kx.last};
            const CaseRow halfY = {0.5 * ky.first4, 0.5 * ky.last};
            addTo(linesX, w.y1, halfX);
            addTo(linesX, w.y2, halfX);
            addTo(linesY, w.x1, halfY);
            addTo(linesY, w.x2, halfY);
        } else {
            addTo(linesX, w.y1, kx);
            addTo(linesY, w.x1, ky);
        }
    }
    for (int i = 0; i < 4; ++i)
        if (static_cast<int32_t>(lineEndMax[i]) > linesInUse) linesInUse = lineEndMax[i];
    RigidityLinesInUse[sc][storey] = linesInUse;
    const auto store = [](double(&to)[StrengthVariants], const Quad& sums, int lastLane) {
        for (int n = 0; n < 4; ++n) to[n] = sums[n];
        to[4] = sums[lastLane];
    };
    // Case 4 is in the lane of case 2 along X, of case 3 along Y.
    store(r.WallStrengthSumX[sc][storey], strengthX, 2);
    store(r.WallStrengthSumY[sc][storey], strengthY, 3);
    store(r.StiffnessSumX[sc][storey], stiffnessX, 2);
    store(r.StiffnessSumY[sc][storey], stiffnessY, 3);
    store(r.StiffnessMomentYX[sc][storey], momentYX, 3);
    store(r.StiffnessMomentXY[sc][storey], momentXY, 2);
    return theStoreyTerms;
}

} // namespace

void AddWallRigidityTerms(int storey, int wall) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return;
    const int sc = CalcScenario();
    NoteWallResultRows(sc, storey, wall + 1);
    StoreySums sums = SumsOf(RigidityRes, sc, storey);
    const WallEnds e = EndsOf(Doc.Walls[sc][storey][wall], FrameOriginOf());
    AddWallTerms(sc, storey, wall, e, sums);
    StoreSums(sums, RigidityRes, sc, storey);
    WallResultRecord* blocks = WallEval.WallResult[sc][storey][wall];
    for (int n = 0; n < StrengthVariants; ++n)
        WritePositions(
            blocks[n], e,
            MomentsOf(e, blocks[CaseSubBlockX[n]].stiffnessX, blocks[CaseSubBlockY[n]].stiffnessY));
}

namespace {

// sqrt(Kr / ΣK), 0 without stiffness. A negative stiffness (a damaged panel value) could make
// the ratio negative: it then counts as without stiffness too.
double ElasticRadius(double kr, double sum) {
    if (sum == 0) return 0.0;
    const double ratio = kr / sum;
    if (ratio >= 0.0 && std::isfinite(ratio)) return std::sqrt(ratio);
    CalcMetImpossibleValue = true;
    return 0.0;
}

// The storey step for the walls' ends and terms given; storey in range, its rows noted.
WIDE_STORES_WHERE_AVAILABLE void StoreyRigidity(int sc, int storey, int walls, const WallEnds* ends,
                                                const WallTerms* terms) {
    RigidityResults& r = RigidityRes;
    const double gx = ReqResult.GravityCentreX[sc][storey];
    const double gy = ReqResult.GravityCentreY[sc][storey];
    const double qr = ReqResult.RequiredStrength[sc][storey];

    double cx[StrengthVariants], cy[StrengthVariants];
    for (int n = 0; n < StrengthVariants; ++n) {
        const double sumX = r.StiffnessSumX[sc][storey][n];
        const double sumY = r.StiffnessSumY[sc][storey][n];
        cx[n] = sumY != 0 ? r.StiffnessMomentYX[sc][storey][n] / sumY : 0.0;
        cy[n] = sumX != 0 ? r.StiffnessMomentXY[sc][storey][n] / sumX : 0.0;
        r.RigidityCentreX[sc][storey][n] = cx[n];
        r.RigidityCentreY[sc][storey][n] = cy[n];
        r.EccentricityX[sc][storey][n] = std::fabs(gx - cx[n]);
        r.EccentricityY[sc][storey][n] = std::fabs(gy - cy[n]);
    }
    Quad centre[DistinctCases];
    for (int j = 0; j < DistinctCases; ++j) {
        const int n = DistinctCase[j];
        centre[j] = Quad{cx[n], cy[n], cx[n], cy[n]};
    }

    // One pass over the walls for all five cases, each wall's blocks written whole: positions,
    // moments, distances from the centre and torsion terms. A quad holds a wall's two ends, X
    // then Y each; lane by lane the arithmetic is that of the scalars.
    Pair torsion[DistinctCases] = {}; // Ix, Iy
    for (int wi = 0; wi < walls; ++wi) {
        WallResultRecord* blocks = WallEval.WallResult[sc][storey][wi];
        const WallEnds& e = ends[wi];
        const Quad ends4 = {e.startX, e.startY, e.endX, e.endY};
        Quad moment[DistinctCases], distance[DistinctCases], torsionOf[DistinctCases];
        if (e.oblique) {
            // Half at each end.
#pragma GCC unroll 3
            for (int j = 0; j < DistinctCases; ++j) {
                // Ly with the X positions, Lx with the Y positions.
                const Pair k = terms[wi].stiffness[j];
                const Quad part = 0.5 * Quad{k[0], k[1], k[0], k[1]};
                distance[j] = ends4 - centre[j];
                moment[j] = part * ends4;
                torsionOf[j] = part * distance[j] * distance[j];
                torsion[j] +=
                    Pair{torsionOf[j][0], torsionOf[j][1]} + Pair{torsionOf[j][2], torsionOf[j][3]};
            }
        } else {
            // All at the start and nothing at the end: the end lanes of the moments and torsion
            // terms are 0, and the torsion sums (from 0, never -0) take the start's terms alone
            // as they would take them plus 0.
#pragma GCC unroll 3
            for (int j = 0; j < DistinctCases; ++j) {
                const Pair k = terms[wi].stiffness[j];
                const Quad part = Quad{k[0], k[1], k[0], k[1]};
                distance[j] = ends4 - centre[j];
                KeptAtStart(moment[j], part * ends4);
                KeptAtStart(torsionOf[j], part * distance[j] * distance[j]);
                torsion[j] += Pair{torsionOf[j][0], torsionOf[j][1]};
            }
        }
#pragma GCC unroll 5
        for (int n = 0; n < StrengthVariants; ++n) {
            WallResultRecord& out = blocks[n];
            const int y = SameVariantY[n], x = SameVariantX[n];
            Quad m, d, t, starts;
            CaseOf(m, moment[y], moment[x]);
            CaseOf(d, distance[y], distance[x]);
            CaseOf(t, torsionOf[y], torsionOf[x]);
            StoreQuad(out.startOffsetX, ends4);
            StoreQuad(out.momentYXStart, m);
            StoreQuad(out.startDistanceX, d);
            StoreQuad(out.torsionXStart, t);
            // The rigidity report lists a wall by its first end.
            StartsOf(starts, ends4, m);
            StoreQuad(out.originDistanceX, starts);
            StartsOf(starts, d, t);
            StoreQuad(out.centreDistanceX, starts);
        }
    }
    double ix[StrengthVariants], iy[StrengthVariants];
    for (int n = 0; n < StrengthVariants; ++n) {
        const Pair sum = CaseOf(torsion, n);
        ix[n] = sum[0], iy[n] = sum[1];
    }

    const double withoutRadius = RatioWithoutRadius();
    for (int n = 0; n < StrengthVariants; ++n) {
        const double sumX = r.StiffnessSumX[sc][storey][n];
        const double sumY = r.StiffnessSumY[sc][storey][n];
        r.TorsionTermX[sc][storey][n] = ix[n];
        r.TorsionTermY[sc][storey][n] = iy[n];
        const double kr = ix[n] + iy[n];
        r.TorsionalStiffness[sc][storey][n] = kr;

        const double rex = ElasticRadius(kr, sumX);
        const double rey = ElasticRadius(kr, sumY);
        r.ElasticRadiusX[sc][storey][n] = rex;
        r.ElasticRadiusY[sc][storey][n] = rey;
        const double rx =
            rex > MinElasticRadius ? r.EccentricityY[sc][storey][n] / rex : withoutRadius;
        const double ry =
            rey > MinElasticRadius ? r.EccentricityX[sc][storey][n] / rey : withoutRadius;
        r.EccentricityRatioX[sc][storey][n] = rx;
        r.EccentricityRatioY[sc][storey][n] = ry;
        r.EccentricityReductionX[sc][storey][n] = EccentricityReductionOf(rx);
        r.EccentricityReductionY[sc][storey][n] = EccentricityReductionOf(ry);
        const double alphaX = TorsionFactorOf(rx);
        const double alphaY = TorsionFactorOf(ry);
        r.TorsionFactorX[sc][storey][n] = alphaX;
        r.TorsionFactorY[sc][storey][n] = alphaY;

        // The storey shear, raised for torsion, shared by the lines in proportion to stiffness.
        // Lines past those in use have no stiffness: they stay 0 when the share of no stiffness
        // is 0 as the clear left it, and take the share (-0, say, or not a number) otherwise.
        const double noShareX = sumX != 0 ? 0.0 / sumX * alphaX * qr : 0.0;
        const double noShareY = sumY != 0 ? 0.0 / sumY * alphaY * qr : 0.0;
        const bool plainZero = noShareX == 0.0 && !std::signbit(noShareX) && noShareY == 0.0 &&
                               !std::signbit(noShareY);
        int32_t& linesInUse = RigidityLinesInUse[sc][storey];
        if (!plainZero) linesInUse = GridLines;
        for (int line = 0; line < linesInUse; ++line) {
            if (sumX != 0)
                r.LineShearX[sc][storey][line][n] =
                    r.LineStiffnessX[sc][storey][line][n] / sumX * alphaX * qr;
            if (sumY != 0)
                r.LineShearY[sc][storey][line][n] =
                    r.LineStiffnessY[sc][storey][line][n] / sumY * alphaY * qr;
        }
    }
}

} // namespace

void CalcStoreyRigidity(int storey) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys)) return;
    const int sc = CalcScenario();
    const int walls = WallCountOf(storey);
    NoteWallResultRows(sc, storey, walls);
    StoreyRigidity(sc, storey, walls, StoreyEnds(sc, storey, walls),
                   StoreyTermsFromRows(sc, storey, walls));
}

namespace {

// A list entry's wall among the storey's `walls` (never below 0): one unsigned comparison.
bool WallInStorey(int32_t wall, int walls) {
    return static_cast<uint32_t>(wall) < static_cast<uint32_t>(walls);
}

// The quarter strips of one storey from its wall lists and its walls' terms; storey in range.
void QuarterWallStrength(int sc, int storey, int walls, const WallTerms* terms) {
    const StoreyWallLines& lists = WallEval.WallLineLists[sc][storey];
    const double(&lines)[QuarterLineCount] = ReqResult.QuarterLines[sc][storey];
    // A storey without an extent has no strips: its quarter lines are not positions, and every
    // wall would land in the high strips.
    if (ReqResult.StoreyExtentFlag[sc][storey] == 0) return;
    // The strips are summed apart from the results (in the same order, so to the same sums):
    // the loads from the wall rows could otherwise not pass the stores into the results.
    double(&strips)[QuarterStrips][Scenarios][Storeys] = RigidityRes.QuarterWallStrength;
    double yLow = strips[StripYLow][sc][storey], yHigh = strips[StripYHigh][sc][storey];
    double xLow = strips[StripXLow][sc][storey], xHigh = strips[StripXHigh][sc][storey];

    // Each list entry is judged by the line it stands on, against the quarter lines widened by
    // the margin once for all entries.
    const double yLowTop = lines[LineYMinQuarter] + QuarterLineMargin;
    const double yHighBottom = lines[LineYMaxQuarter] - QuarterLineMargin;
    const double xLowTop = lines[LineXMinQuarter] + QuarterLineMargin;
    const double xHighBottom = lines[LineXMaxQuarter] - QuarterLineMargin;
    const int xCount = ClampIndex(lists.x.count, MaxWallLineEntries + 1);
    for (int i = 0; i < xCount; ++i) {
        const WallLineEntry& e = lists.x.entries[i];
        if (!WallInStorey(e.wall, walls)) continue;
        const double strength = terms[e.wall].quarterX;
        const double pos = AxisPosY(e.axis);
        if (pos <= yLowTop) yLow += strength;
        if (pos >= yHighBottom) yHigh += strength;
    }
    const int yCount = ClampIndex(lists.y.count, MaxWallLineEntries + 1);
    for (int i = 0; i < yCount; ++i) {
        const WallLineEntry& e = lists.y.entries[i];
        if (!WallInStorey(e.wall, walls)) continue;
        const double strength = terms[e.wall].quarterY;
        const double pos = AxisPosX(e.axis);
        if (pos <= xLowTop) xLow += strength;
        if (pos >= xHighBottom) xHigh += strength;
    }
    strips[StripYLow][sc][storey] = yLow;
    strips[StripYHigh][sc][storey] = yHigh;
    strips[StripXLow][sc][storey] = xLow;
    strips[StripXHigh][sc][storey] = xHigh;
}

} // namespace

void CalcQuarterWallStrength(int storey) {
    if (!InRange(storey, Storeys)) return;
    const int sc = CalcScenario();
    const int walls = WallCountOf(storey);
    QuarterWallStrength(sc, storey, walls, StoreyTermsFromRows(sc, storey, walls));
}

void CalcStiffnessRatio() {
    RigidityResults& r = RigidityRes;
    const int sc = CalcScenario();
    const int top = TopStoreyOf();

    for (int s = 0; s <= top; ++s) {
        const double qr = ReqResult.RequiredStrength[sc][s];
        for (int n = 0; n < StrengthVariants; ++n) {
            r.StoreyDriftX[sc][s][n] = qr > 0 ? r.StiffnessSumX[sc][s][n] / qr : 0.0;
            r.StoreyDriftY[sc][s][n] = qr > 0 ? r.StiffnessSumY[sc][s][n] / qr : 0.0;
        }
    }

    for (int col = 0; col < ResultColumns; ++col) {
        double sumX = 0, sumY = 0;
        for (int s = 0; s <= top; ++s) {
            const int n = StoreyCaseMap[s][col];
            sumX += r.StoreyDriftX[sc][s][n];
            sumY += r.StoreyDriftY[sc][s][n];
        }
        const double meanX = sumX / (top + 1);
        const double meanY = sumY / (top + 1);
        r.MeanStoreyDriftX[sc][col] = meanX;
        r.MeanStoreyDriftY[sc][col] = meanY;

        // Every storey is compared in the loading case of the first storey's row, the case the
        // scores read for every storey. Without any drift no storey is softer than the others.
        const int n = StoreyCaseMap[0][col];
        for (int s = 0; s <= top; ++s) {
            const double rsX = meanX != 0 ? r.StoreyDriftX[sc][s][n] / meanX : 1.0;
            const double rsY = meanY != 0 ? r.StoreyDriftY[sc][s][n] / meanY : 1.0;
            r.StiffnessRatioX[sc][s][col] = rsX;
            r.StiffnessRatioY[sc][s][col] = rsY;
            r.StiffnessReductionX[sc][s][col] = StiffnessReductionOf(rsX);
            r.StiffnessReductionY[sc][s][col] = StiffnessReductionOf(rsY);
        }
    }
}

void CalcRigidity() {
    const int sc = CalcScenario();
    NoteWallEvalWrite(sc);
    const int top = TopStoreyOf();
    // The storeys up to the top get every per-case result written below (their sums and strips
    // start from 0 here), so only those above it are cleared.
    ClearStoreyResults(sc, top + 1);
    ClearLineTables();
    // Every storey up to the top, also one without walls: its zero elastic radii then give the
    // eccentricity ratio of the option rather than a ratio of 0 that would pass as balanced.
    for (int s = 0; s <= top; ++s) {
        const int walls = WallCountOf(s);
        NoteWallResultRows(sc, s, walls);
        const WallEnds* ends = StoreyEnds(sc, s, walls);
        const WallTerms* terms = AddStoreyWallTerms(sc, s, walls, ends);
        StoreyRigidity(sc, s, walls, ends, terms);
        for (int k = 0; k < QuarterStrips; ++k) RigidityRes.QuarterWallStrength[k][sc][s] = 0;
        QuarterWallStrength(sc, s, walls, terms);
    }
    CalcStiffnessRatio();
}
