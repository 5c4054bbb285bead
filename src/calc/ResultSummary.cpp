#include "calc/ResultSummary.h"

#include "calc/CalcCommon.h"
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/RequiredStrength.h"
#include "calc/Rigidity.h"
#include "calc/RowsInUse.h"
#include "calc/Tolerance.h"
#include "calc/WallEvaluation.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Grid.h"
#include "model/ShownNumbers.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

ScoreResults theScores;

// Texts of the panel in CP932.
constexpr const char* EccentricityCaptionText = "\x95\xCE\x90\x53\x97\xA6";          // 偏心率
constexpr const char* QuarterMethodCaptionText = "\x82\x53\x95\xAA\x8A\x84\x96\x40"; // ４分割法
constexpr const char* StoreyFailTexts[3][3] = {
    {"1FXY", "1FX", "1FY"}, {"2FXY", "2FX", "2FY"}, {"3FXY", "3FX", "3FY"}};

// As snprintf with "%s": the text cut to the label, and a zero byte after it.
void SetText(PanelLabel& label, const char* text) {
    std::size_t n = 0;
    while (n + 1 < sizeof label.text && text[n] != '\0') ++n;
    std::memcpy(label.text, text, n);
    label.text[n] = '\0';
}
// The value as "%6.2f" with the suffix after it (" %" for the ratios), whole, after the zeros
// SetLabel left. A value with more digits than the label holds (1e18 % and more, which only an
// absurd grid gives) is written with an exponent, "%.2e", rather than as any other number; an
// infinite one as the largest number there is, and one that is no number as 0, as every shown
// number.
void SetNumber(PanelLabel& label, double value, const char* suffix = "") {
    if (std::isinf(value)) value = std::copysign(DBL_MAX, value);
    if (FormatShown(nullptr, 0, "%6.2f%s", value, suffix) < static_cast<int>(sizeof label.text))
        FormatShown(label.text, sizeof label.text, "%6.2f%s", value, suffix);
    else
        FormatShown(label.text, sizeof label.text, "%.2e%s", value, suffix);
}
// Sets a label of the panel, zeros after its text.
void SetLabel(PanelLabel& label, const char* text, ColorRef font,
              ColorRef background = PanelNeutral) {
    std::memset(label.text, 0, sizeof label.text);
    SetText(label, text);
    label.font = font;
    label.background = background;
}

// ---- Scores ----

void ClearStorey(int s, int j) {
    theScores.OtherElementsStrength[s][j] = 0.0;
    for (int col = 0; col < ResultColumns; ++col) {
        theScores.RetainedStrengthX[s][j][col] = 0.0;
        theScores.RetainedStrengthY[s][j][col] = 0.0;
        theScores.StoreyScoreX[s][j][col] = 0.0;
        theScores.StoreyScoreY[s][j][col] = 0.0;
    }
}

void CalcScores(int s, int top) {
    const double dK = summary::ScoreDeteriorationFactor();
    for (int j = top + 1; j < Storeys; ++j) ClearStorey(s, j);
    for (int j = top; j >= 0; --j) {
        const double qr = ReqResult.RequiredStrength[s][j];
        const double base = summary::OtherElementsStrength(qr);
        theScores.OtherElementsStrength[s][j] = base;
        double* const px = theScores.RetainedStrengthX[s][j];
        double* const py = theScores.RetainedStrengthY[s][j];
        double* const scoreX = theScores.StoreyScoreX[s][j];
        double* const scoreY = theScores.StoreyScoreY[s][j];
        if (qr == 0.0) {
            // Nothing is required: no score, and no retained strength left over from an
            // earlier run.
            for (int col = 0; col < ResultColumns; ++col) px[col] = py[col] = 0.0;
            for (int col = 0; col < ResultColumns; ++col) scoreX[col] = scoreY[col] = 0.0;
            continue;
        }
        const double* const ex = FloorRes.ReductionFactorX[s][j];
        const double* const ey = FloorRes.ReductionFactorY[s][j];
        for (int col = 0; col < ResultColumns; ++col) {
            // The wall strength of a column is that of its strength variant.
            const int v = ResultColumnVariant[col];
            px[col] = (base + RigidityRes.WallStrengthSumX[s][j][v]) * ex[col] * dK;
            py[col] = (base + RigidityRes.WallStrengthSumY[s][j][v]) * ey[col] * dK;
            scoreX[col] = px[col] / qr;
            scoreY[col] = py[col] / qr;
        }
    }
    for (int col = 0; col < ResultColumns; ++col) {
        double least = 100.0;
        for (int j = 0; j <= top; ++j) {
            least = MinDouble(least, theScores.StoreyScoreX[s][j][col]);
            least = MinDouble(least, theScores.StoreyScoreY[s][j][col]);
        }
        theScores.BuildingScore[s][col] = least;
    }
}

// ---- Caution bit 2: an upper wall over a line that bears less below ----

void MarkUpperWallsOverWeakerLines(int s, int top) {
    for (int j = top; j >= 0; --j) {
        const int n = LiveCount(Doc.WallCount[s][j], MaxWalls);
        for (int w = 0; w < n; ++w) {
            WallRecord& wall = Doc.Walls[s][j][w];
            wall.cautionFlags = 0;
            if (j == 0) continue;
            const auto stronger = [&](const double(&up)[GridLines][StrengthVariants],
                                      const double(&down)[GridLines][StrengthVariants],
                                      int32_t line) {
                // Lines that bear the same but for rounding are not weaker below.
                return InRange(line, GridLines) && tolerance::Above(up[line][0], down[line][0]);
            };
            if (wall.x1 != wall.x2 &&
                (stronger(RigidityRes.LineShearX[s][j], RigidityRes.LineShearX[s][j - 1],
                          wall.y1) ||
                 stronger(RigidityRes.LineShearX[s][j], RigidityRes.LineShearX[s][j - 1], wall.y2)))
                wall.cautionFlags |= 2;
            if (wall.y1 != wall.y2 &&
                (stronger(RigidityRes.LineShearY[s][j], RigidityRes.LineShearY[s][j - 1],
                          wall.x1) ||
                 stronger(RigidityRes.LineShearY[s][j], RigidityRes.LineShearY[s][j - 1], wall.x2)))
                wall.cautionFlags |= 2;
        }
    }
}

// ---- Floor-diaphragm check ----

// One direction of one storey: the line shears, strip areas and holding measures along the
// lines a..b, and the rows of the results it writes.
struct FloorDirection {
    const double (*lineShear)[GridLines][StrengthVariants]; // [storey][line][variant]
    int areaMember;                                         // FloorCheckLineTables member
    int holdMember1, holdMember2;
    int firstRow; // the check's rows firstRow + 0..3: 0 for X, 4 for Y
    // Rows of the floor moment values, in the order the plan's floor drawing reads them: about
    // the lines and about the band middles from the low side, then both from the high side.
    // The drawing takes rows 0, 1, 4, 5 along the Y axes and rows 2, 3, 6, 7 along the X axes.
    int momentRows[4];
    const double* axes;
    int a, b;
};

// The line shears of storey j along one direction, and those of the storey above (null for
// the top storey).
struct StoreyLineShears {
    const double (*own)[StrengthVariants];
    const double (*above)[StrengthVariants];
    StoreyLineShears(const FloorDirection& d, int j, int top)
        : own(d.lineShear[j]), above(j < top ? d.lineShear[j + 1] : nullptr) {}
    // The shear the floor carries in from line k: the line's share less what the storey above
    // hands down on it.
    double net(int k) const { return above ? own[k][0] - above[k][0] : own[k][0]; }
    // The same with the storey above added, for the moment values.
    double summed(int k) const { return above ? own[k][0] + above[k][0] : own[k][0]; }
};

// The failures of one direction of a storey as the check finds them, for the panel: whether
// any, and the least size of their ratios.
struct FloorFailures {
    bool failing;
    double leastRatio;
};
FloorFailures floorFailures[Scenarios][Storeys][2];

// Per scenario, the storeys whose check a run may have written.
StoreysInUse CheckedStoreys[Scenarios];

void NoteFailure(FloorFailures& f, double ratio) {
    f.leastRatio = MinDouble(f.leastRatio, std::fabs(ratio));
    f.failing = true;
}

// |trunc(ratio x 1000)| of the least failing ratio. A ratio within the shared tolerance below a
// thousandth counts as that thousandth (1.96 / 4.9 is 0.4, not 0.399). Every step rises with the
// ratio, so the least ratio gives the least of the values.
int LeastThousandths(const FloorFailures& f) {
    const double scaled = std::floor(f.leastRatio * 1000.0 + tolerance::kEpsilon * 1000.0);
    return static_cast<int>(MinDouble(scaled, 1000.0));
}

// The check's rows of storey j start afresh: no ratio or failure on any line, and no moment
// value (only variant 0 of the moments is ever written).
void ClearFloorCheckRows(int s, int j) {
    for (int row = 0; row < 8; ++row) {
        for (int i = 0; i < GridLines; ++i) {
            FloorCheck.FloorCheckRatios[row][s][j][i] = 0.0;
            FloorCheck.FloorCheckFlags[row][s][j][i] = -1;
            theScores.FloorCheckWork[row][s][j][i][0] = 0.0;
            theScores.FloorStrengthMarks[row][s][j][i][0] = 0.0;
        }
    }
}

// The check of one direction of storey j: the shear the floor carries at the near and far line
// of every band, summed from the low end (rows 0, 1) and from the high end (rows 3, 2), against
// what the floor holds there.
void CheckFloorDirection(int s, int j, int top, double q, const FloorDirection& d,
                         FloorFailures& failures) {
    const double* const area = FloorCheck.FloorCheckLineTables[d.areaMember][s][j];
    const StoreyLineShears lines(d, j, top);
    // Rows 0 and 2 (from the near line of a band) hold with the first measure, 1 and 3 with the
    // second.
    const double* const holding[2] = {FloorCheck.FloorCheckLineTables[d.holdMember1][s][j],
                                      FloorCheck.FloorCheckLineTables[d.holdMember2][s][j]};
    const auto check = [&](int r, int i, double shear) {
        // A shear that is zero but for rounding (the middle of a symmetric plan) carries
        // nothing: no ratio of the size of 1e16 for it.
        if (std::fabs(shear) <= tolerance::kEpsilon) return;
        const int row = d.firstRow + r;
        FloorCheck.FloorCheckSpanTables[row][s][j][i][0] = shear;
        const double ratio = holding[r & 1][i] * 1.96 / shear;
        FloorCheck.FloorCheckRatios[row][s][j][i] = ratio;
        // Within the shared tolerance a ratio of exactly 1 in size passes.
        if (tolerance::Below(std::fabs(ratio), 1.0)) {
            FloorCheck.FloorCheckFlags[row][s][j][i] = 0;
            NoteFailure(failures, ratio);
        }
    };
    const int a = d.a, b = d.b;
    double near = lines.net(a);
    for (int i = a; i < b; ++i) {
        check(0, i, near);
        const double far = near - q * area[i];
        check(1, i, far);
        near = far + lines.net(i + 1); // unused after the last band
    }
    double far = lines.net(b);
    for (int i = b - 1; i >= a; --i) {
        check(3, i, far);
        const double nearSide = far - q * area[i];
        check(2, i, nearSide);
        far = nearSide + lines.net(i); // unused after the last band
    }
}

// The four sums of a moment value: of the line shears and their moments about the origin, and
// of the band loads and theirs.
struct MomentSums {
    double shear = 0, shearMoment = 0, load = 0, loadMoment = 0;

    void addLine(double lineShear, double position) {
        shear += lineShear;
        shearMoment += lineShear * position;
    }
    void addBand(double bandLoad, double middle) {
        load += bandLoad;
        loadMoment += bandLoad * middle;
    }
    // The moment about the point c.
    double about(double c) const { return (shearMoment - c * shear) - (loadMoment - c * load); }
};

// The floor moment values of one direction of storey j, about every line and every band middle
// from each end, and their marks: each divided by the area of its band (when it has one) and
// multiplied by the band's width. The band of a line value is the band just passed. About a
// point c a value is the sum over its lines and bands of (y(i) - c) L'(i) - q A(i) (m(i) - c),
// taken as (sum of L' y - c sum of L') - (sum of q A m - c sum of q A), each sum from its end of
// the plan: the grouping the values have always had (the sum term by term rounds differently in
// the last bit). The sums are taken afresh for every value: some 0.1 ms a run where the plan
// spans the whole grid.
void FloorMomentValues(int s, int j, int top, double q, const FloorDirection& d) {
    const double* const y = d.axes;
    const double* const area = FloorCheck.FloorCheckLineTables[d.areaMember][s][j];
    const StoreyLineShears lines(d, j, top);
    const int a = d.a, b = d.b;
    const auto middle = [y](int i) { return 0.5 * (y[i] + y[i + 1]); };
    // From the low side: the lines and bands a..last.
    const auto fromLow = [&](int last) {
        MomentSums sums;
        for (int i = a; i <= last; ++i) {
            sums.addLine(lines.summed(i), y[i]);
            sums.addBand(q * area[i], middle(i));
        }
        return sums;
    };
    // From the high side: the lines b..k+1 and the bands b-1..k.
    const auto fromHigh = [&](int k) {
        MomentSums sums;
        for (int i = b; i > k; --i) sums.addLine(lines.summed(i), y[i]);
        for (int i = b - 1; i >= k; --i) sums.addBand(q * area[i], middle(i));
        return sums;
    };
    const auto put = [&](int r, int k, double value, bool hasBand, int i) {
        const int row = d.momentRows[r];
        theScores.FloorCheckWork[row][s][j][k][0] = value;
        theScores.FloorStrengthMarks[row][s][j][k][0] =
            hasBand && area[i] != 0.0 ? value / area[i] * (y[i + 1] - y[i]) : 0.0;
    };

    // Rows 0 and 2 about line k, from the low and the high side; rows 1 and 3 about the middle
    // of band k, from the low side (lines and bands a..k) and the high side (as about line k).
    for (int k = a; k <= b; ++k) {
        const MomentSums high = fromHigh(k);
        put(0, k, fromLow(k - 1).about(y[k]), k > a, k - 1);
        put(2, k, high.about(y[k]), k < b, k);
        if (k == b) break; // no band beyond the last line
        put(1, k, fromLow(k).about(middle(k)), true, k);
        put(3, k, high.about(middle(k)), true, k);
    }
}

// A floor needs at least one band between two lines; an empty storey has an inverted extent and
// is not checked at all.
bool Checked(const FloorDirection& d) {
    return d.a >= 0 && d.b < GridLines && d.b - d.a >= 1;
}

// A storey above the top one has no check: its shear, rows and moment values are blank (0, as
// at start-up, not the -1 of a line the check does not apply to).
void ClearStoreyAboveTop(int s, int j) {
    FloorCheck.UnitStoreyShear[s][j] = 0.0;
    for (int row = 0; row < 8; ++row) {
        for (int i = 0; i < GridLines; ++i) {
            FloorCheck.FloorCheckRatios[row][s][j][i] = 0.0;
            FloorCheck.FloorCheckFlags[row][s][j][i] = 0;
            theScores.FloorCheckWork[row][s][j][i][0] = 0.0;
            theScores.FloorStrengthMarks[row][s][j][i][0] = 0.0;
        }
    }
}

void CalcFloorCheck(int s, int top) {
    // The span tables start afresh on every run, in every scenario (only variant 0 is ever
    // written).
    for (auto& row : FloorCheck.FloorCheckSpanTables)
        for (auto& scenario : row)
            for (auto& storey : scenario)
                for (auto& line : storey) line[0] = 0.0;
    CheckedStoreys[s].clearAbove(top, [s](int j) { ClearStoreyAboveTop(s, j); });
    for (int j = top; j >= 0; --j) {
        double q = ReqResult.RequiredStrength[s][j];
        if (j < top) q -= ReqResult.RequiredStrength[s][j + 1];
        if (ReqResult.DesignFloorArea[s][j] != 0.0) q /= ReqResult.DesignFloorArea[s][j];
        FloorCheck.UnitStoreyShear[s][j] = q;

        const FloorDirection dirs[2] = {
            {RigidityRes.LineShearX[s],
             LineStripAreaX,
             LineHoldCheck1X,
             LineHoldCheck2X,
             0,
             {0, 1, 4, 5},
             Doc.AxisY,
             Grid.PlanMinY[s][j],
             Grid.PlanMaxY[s][j]},
            {RigidityRes.LineShearY[s],
             LineStripAreaY,
             LineHoldCheck1Y,
             LineHoldCheck2Y,
             4,
             {2, 3, 6, 7},
             Doc.AxisX,
             Grid.PlanMinX[s][j],
             Grid.PlanMaxX[s][j]},
        };
        ClearFloorCheckRows(s, j);
        for (int dir = 0; dir < 2; ++dir) {
            floorFailures[s][j][dir] = {false, 1.0};
            if (!Checked(dirs[dir])) continue;
            CheckFloorDirection(s, j, top, q, dirs[dir], floorFailures[s][j][dir]);
            FloorMomentValues(s, j, top, q, dirs[dir]);
        }
    }
}

void FloorCheckPanel(int s, int top, ResultPanel& panel) {
    bool anyFailure = false;
    for (int j = 0; j < Storeys; ++j) SetLabel(panel.FloorCheckStorey[j], "", PanelBlack);
    for (int j = 0; j <= top; ++j) {
        const FloorFailures(&found)[2] = floorFailures[s][j];
        const bool failing[2] = {found[0].failing, found[1].failing};
        const int least[2] = {LeastThousandths(found[0]), LeastThousandths(found[1])};
        if (!failing[0] && !failing[1]) continue;
        anyFailure = true;
        const int which = failing[0] && failing[1] ? 0 : (failing[0] ? 1 : 2);
        int level = 10;
        for (int dir = 0; dir < 2; ++dir)
            if (failing[dir] && least[dir] / 100 < level) level = least[dir] / 100;
        level = ClampIndex(level, 11);
        SetLabel(panel.FloorCheckStorey[j], StoreyFailTexts[j][which], PanelBlack,
                 JudgementScale[10 - level]);
    }
    if (anyFailure)
        SetLabel(panel.FloorCheckState, "NG ", PanelRed);
    else
        SetLabel(panel.FloorCheckState, "OK", PanelBlack);
}

// ---- Score and eccentricity panel ----

void ScorePanel(int s, int top, ResultPanel& panel) {
    const int current = ClampIndex(App.CurrentStorey, Storeys);
    const bool byDirection = App.Options.ConsiderBraceDirection != 0;
    const int columns = ResultCaseCounts[top];
    for (int j = 0; j < Storeys; ++j) {
        const bool full = j == current;
        const auto pick = [&](const double(&scores)[ResultColumns], int32_t& governing,
                              PanelLabel& label) {
            double shown = TruncatedScore(scores[0]);
            int best = 0;
            if (byDirection) {
                // The first column that shows the least value governs.
                for (int col = 1; col < columns; ++col) {
                    const double value = TruncatedScore(scores[col]);
                    if (value < shown) {
                        shown = value;
                        best = col;
                    }
                }
            }
            governing = best;
            SetLabel(label, "", PanelBlack);
            SetNumber(label, shown);
            const int rank = ScoreRank(shown);
            label.font = full ? ScoreColours[rank] : ScoreColoursMuted[rank];
        };
        pick(theScores.StoreyScoreX[s][j], theScores.GoverningColumnX[s][j], panel.ScoreX[j]);
        pick(theScores.StoreyScoreY[s][j], theScores.GoverningColumnY[s][j], panel.ScoreY[j]);
    }

    theScores.GoverningColumn[s] = 0;
    if (byDirection) {
        // Columns whose scores differ only by rounding (the same walls summed in another order)
        // are equal, and the first of them governs.
        double least = 100.0;
        for (int col = 0; col < ResultColumns; ++col) {
            if (tolerance::Below(theScores.BuildingScore[s][col], least)) {
                least = theScores.BuildingScore[s][col];
                theScores.GoverningColumn[s] = col;
            }
        }
    }
}

void EccentricityPanel(int s, ResultPanel& panel) {
    const int current = ClampIndex(App.CurrentStorey, Storeys);
    const bool quarterMethod = Doc.DiagnosisMethod == MethodGeneralApprox;
    for (int j = 0; j < Storeys; ++j) {
        SetLabel(panel.EccentricityCaption[j],
                 quarterMethod ? QuarterMethodCaptionText : EccentricityCaptionText, PanelBlack);
        const auto show = [&](const double(&ratios)[StrengthVariants], PanelLabel& label) {
            if (quarterMethod) {
                SetLabel(label, "  -.--", PanelBlack);
                return;
            }
            double e = ratios[0];
            if (App.Options.ConsiderBraceDirection != 0) {
                e = ratios[1];
                for (int v = 2; v < StrengthVariants; ++v) e = MaxDouble(ratios[v], e);
            }
            SetLabel(label, "", PanelBlack);
            SetNumber(label, e);
            const int rank = EccentricityRank(e);
            label.font = j == current ? EccentricityColours[rank] : EccentricityColoursMuted[rank];
        };
        show(RigidityRes.EccentricityRatioX[s][j], panel.EccentricityX[j]);
        show(RigidityRes.EccentricityRatioY[s][j], panel.EccentricityY[j]);
    }
}

// ---- Direct-below ratios ----

struct Segment {
    int32_t x1, y1, x2, y2;
    bool alive;
};

bool CountsForRatios(const WallRecord& w) {
    return w.type != WallTypeNoStrength || App.Options.CountNonBearingWalls != 0;
}

double SegmentLength(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = AxisPosX(x2) - AxisPosX(x1), dy = AxisPosY(y2) - AxisPosY(y1);
    // hypot of a wall along an axis is exactly the other side; most walls run so.
    if (dy == 0.0) return std::fabs(dx);
    if (dx == 0.0) return std::fabs(dy);
    return std::hypot(dx, dy);
}

bool SameSegment(const Segment& a, const Segment& b) {
    return (a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2) ||
           (a.x1 == b.x2 && a.y1 == b.y2 && a.x2 == b.x1 && a.y2 == b.y1);
}

// Joins b into a when both run along the same axis line and share an end point.
bool JoinCollinear(Segment& a, const Segment& b) {
    const auto lo = [](int32_t p, int32_t q) { return p < q ? p : q; };
    const auto hi = [](int32_t p, int32_t q) { return p > q ? p : q; };
    if (a.y1 == a.y2 && b.y1 == b.y2 && a.y1 == b.y1 && a.x1 != a.x2 && b.x1 != b.x2) {
        const int32_t alo = lo(a.x1, a.x2), ahi = hi(a.x1, a.x2);
        const int32_t blo = lo(b.x1, b.x2), bhi = hi(b.x1, b.x2);
        if (alo != blo && alo != bhi && ahi != blo && ahi != bhi) return false;
        a.x1 = lo(alo, blo);
        a.x2 = hi(ahi, bhi);
        return true;
    }
    if (a.x1 == a.x2 && b.x1 == b.x2 && a.x1 == b.x1 && a.y1 != a.y2 && b.y1 != b.y2) {
        const int32_t alo = lo(a.y1, a.y2), ahi = hi(a.y1, a.y2);
        const int32_t blo = lo(b.y1, b.y2), bhi = hi(b.y1, b.y2);
        if (alo != blo && alo != bhi && ahi != blo && ahi != bhi) return false;
        a.y1 = lo(alo, blo);
        a.y2 = hi(ahi, bhi);
        return true;
    }
    return false;
}

// Whether both ends of wall u lie within segment m, on its line.
bool Supports(const Segment& m, const WallRecord& u) {
    const double mx1 = AxisPosX(m.x1), my1 = AxisPosY(m.y1);
    const double mx2 = AxisPosX(m.x2), my2 = AxisPosY(m.y2);
    const double ux1 = AxisPosX(u.x1), uy1 = AxisPosY(u.y1);
    const double ux2 = AxisPosX(u.x2), uy2 = AxisPosY(u.y2);
    const double dx = mx2 - mx1, dy = my2 - my1;
    const double len2 = dx * dx + dy * dy;
    if (len2 <= 0.0) return false;
    // Same slope (also for oblique walls) within 1e-7.
    const double udx = ux2 - ux1, udy = uy2 - uy1;
    const double ulen = std::sqrt(udx * udx + udy * udy);
    if (ulen <= 0.0) return false;
    const double cross = (dx * udy - dy * udx) / (std::sqrt(len2) * ulen);
    if (std::fabs(cross) > 1e-7) return false;
    const auto within = [&](double px, double py) {
        const double len = std::sqrt(len2);
        const double off = std::fabs(dx * (py - my1) - dy * (px - mx1)) / len;
        if (off > 1e-7) return false;
        const double t = (dx * (px - mx1) + dy * (py - my1)) / len2;
        return t >= -1e-9 && t <= 1.0 + 1e-9;
    };
    return within(ux1, uy1) && within(ux2, uy2);
}

} // namespace

ScoreResults& ScoreRes = theScores;

int ScoreRank(double score) {
    // A score that is not a number never looks good.
    if (!(score == score) || tolerance::Below(score, 0.7)) return 3;
    if (tolerance::Below(score, 1.0)) return 2;
    if (tolerance::Below(score, 1.5)) return 1;
    return 0;
}

int EccentricityRank(double ratio) {
    if (!(ratio == ratio) || tolerance::Above(ratio, 0.3)) return 2;
    if (tolerance::Above(ratio, 0.15)) return 1;
    return 0;
}

double TruncatedScore(double score, int decimals) {
    if (!(score == score)) return 0.0;
    double step = 1.0;
    for (int i = 0; i < decimals && i < 6; ++i) step *= 10.0;
    return std::floor(score * step + tolerance::kEpsilon * step) / step + 0.0;
}

namespace summary {

bool DeteriorationIgnored() {
    if (App.Options.IgnoreDeterioration == 0) return false;
    // The general method always counts the deterioration of the current state.
    return !(IsGeneralMethod() && CalcScenario() == 0);
}

double ScoreDeteriorationFactor() {
    if (DeteriorationIgnored()) return 1.0;
    // A factor that is no number (damaged state) counts as the lowest the survey can give, so
    // it never raises a score.
    return std::isfinite(App.DeteriorationFactor) ? App.DeteriorationFactor : 0.7;
}

double OtherElementsStrength(double qr) {
    // The general method counts a quarter of the required strength as the strength of the
    // other seismic elements, except under the 2012 revision.
    return IsGeneralMethod() && !IsRevision2012() ? OtherElementsShare * qr : 0.0;
}

double ColumnDirectBelowRatio(int f) {
    const int s = CalcScenario();
    if (f <= 0 || f >= Storeys) return 100.0;
    const int n = LiveCount(Doc.ColumnCount[s][f], MaxColumns);
    if (n == 0) return 100.0;
    int supported = 0;
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[s][f][i];
        if (!InRange(c.x, AxisCountX) || !InRange(c.y, AxisCountY)) continue;
        if (ColumnStandsOn(WallEval.GridNodeMap[s][f - 1][c.x][c.y])) ++supported;
    }
    return 100.0 * supported / n;
}

double WallDirectBelowRatio(int f) {
    const int s = CalcScenario();
    if (f <= 0 || f >= Storeys) return 100.0;
    const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
    if (n == 0) return 100.0;

    Segment lower[MaxWalls];
    int m = 0;
    const int nl = LiveCount(Doc.WallCount[s][f - 1], MaxWalls);
    for (int i = 0; i < nl; ++i) {
        const WallRecord& w = Doc.Walls[s][f - 1][i];
        if (CountsForRatios(w)) lower[m++] = Segment{w.x1, w.y1, w.x2, w.y2, true};
    }
    // Drop duplicates and join touching collinear walls until nothing changes, so that a line
    // drawn as many short walls in any order becomes one wall.
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < m; ++i) {
            if (!lower[i].alive) continue;
            for (int k = 0; k < m; ++k) {
                if (k == i || !lower[k].alive) continue;
                if (SameSegment(lower[i], lower[k]) || JoinCollinear(lower[i], lower[k])) {
                    lower[k].alive = false;
                    changed = true;
                }
            }
        }
    }

    double total = 0.0, supported = 0.0;
    for (int i = 0; i < n; ++i) {
        const WallRecord& u = Doc.Walls[s][f][i];
        if (!CountsForRatios(u)) continue;
        const double length = SegmentLength(u.x1, u.y1, u.x2, u.y2);
        total += length;
        for (int k = 0; k < m; ++k) {
            if (lower[k].alive && Supports(lower[k], u)) {
                supported += length;
                break;
            }
        }
    }
    return total == 0.0 ? 0.0 : supported / total * 100.0;
}

double PartitionWallRatio(int f) {
    const int s = CalcScenario();
    if (f < 0 || f >= Storeys) return 100.0;
    const int n = LiveCount(Doc.WallCount[s][f], MaxWalls);
    double partition = 0.0, outer = 0.0;
    for (int i = 0; i < n; ++i) {
        const WallRecord& w = Doc.Walls[s][f][i];
        if (!CountsForRatios(w)) continue;
        const double length = SegmentLength(w.x1, w.y1, w.x2, w.y2);
        if (w.type >= WallTypeSolidPartition)
            partition += length;
        else if (w.type >= 0)
            outer += length;
    }
    return outer != 0.0 ? partition / outer * 100.0 : 100.0;
}

} // namespace summary

ResultPanel CalcResultSummary() {
    const int s = CalcScenario();
    const int top = TopStoreyOf(s);
    ResultPanel panel{};

    CalcScores(s, top);
    MarkUpperWallsOverWeakerLines(s, top);
    CalcFloorCheck(s, top);
    FloorCheckPanel(s, top, panel);
    ScorePanel(s, top, panel);
    EccentricityPanel(s, panel);

    const int f = ClampIndex(App.CurrentStorey, Storeys);
    panel.WallDirectBelowRatio = summary::WallDirectBelowRatio(f);
    panel.ColumnDirectBelowRatio = summary::ColumnDirectBelowRatio(f);
    panel.PartitionWallRatio = summary::PartitionWallRatio(f);
    SetLabel(panel.WallDirectBelow, "", PanelBlack);
    SetLabel(panel.ColumnDirectBelow, "", PanelBlack);
    SetLabel(panel.PartitionRatio, "", PanelBlack);
    SetNumber(panel.WallDirectBelow, panel.WallDirectBelowRatio, " %");
    SetNumber(panel.ColumnDirectBelow, panel.ColumnDirectBelowRatio, " %");
    SetNumber(panel.PartitionRatio, panel.PartitionWallRatio, " %");
    return panel;
}
