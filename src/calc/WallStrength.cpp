#include "calc/WallStrength.h"

#include "calc/CalcCommon.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"

#include <cstddef>
#include <cstdlib>

namespace {

const JointReductionTable* ActiveTop = &JointReductionTopStandard;
const JointReductionTable* ActiveLower = &JointReductionLowerStandard;

// A code outside a table (a damaged file) is no element: it adds nothing.
template <std::size_t N>
const WallElementSpec* SpecAt(const std::array<WallElementSpec, N>& table, long long row) {
    return InRange(row, N) ? &table[static_cast<std::size_t>(row)] : nullptr;
}
double StrengthAt(const WallElementSpec* spec) {
    return spec ? spec->strength : 0.0;
}
double StiffnessAt(const WallElementSpec* spec) {
    return spec ? spec->stiffness : 0.0;
}

// Whether the wall is one of the storey's, whose row a per-wall stage may write.
bool IsWallOf(int storey, int wall) {
    return InRange(storey, Storeys) && InRange(wall, WallCountOf(storey));
}

} // namespace

int32_t StrengthClassOf(double s) {
    if (tolerance::Below(s, 2.5)) return 0;
    if (tolerance::Below(s, 4.0)) return 1;
    if (tolerance::Below(s, 6.0)) return 2;
    return 3;
}

int32_t StrengthClass2012Of(double s) {
    if (tolerance::Below(s, 2.0)) return 0;
    if (tolerance::Below(s, 3.0)) return 1;
    if (tolerance::Below(s, 5.0)) return 2;
    if (tolerance::Below(s, 7.0)) return 3;
    return 4;
}

int32_t VariantBraceRow(const WallRecord& wall, int32_t row, int variant) {
    if (row % 4 != 2 || variant <= 0 || variant > 4) return row;
    const bool forward = variant <= 2 ? AxisPosX(wall.x2) >= AxisPosX(wall.x1)
                                      : AxisPosY(wall.y2) >= AxisPosY(wall.y1);
    const bool compression = (variant == 1 || variant == 3) ? forward : !forward;
    return compression ? row - 2 : row - 1;
}

double MethodBaseStrength(double elements, bool allUnknown, BaseStrengthRule rule) {
    double strength = elements;
    if (rule.general && allUnknown) strength = rule.revision2012 ? 2.0 : 1.96;
    const double cap = !rule.general ? 14.0 : rule.revision2012 ? 10.0 : 9.8;
    return strength > cap ? cap : strength;
}

void SelectJointReductionTables() {
    if (!IsRevision2012()) {
        ActiveTop = &JointReductionTopStandard;
        ActiveLower = &JointReductionLowerStandard;
        return;
    }
    ActiveTop = TopStoreyOf() != 0 ? &JointReductionTop2012Multi : &JointReductionTop2012Single;
    ActiveLower = &JointReductionLower2012;
}

double JointReduction2012(const double (&t)[4][4][3], double s, int32_t jointSpec,
                          int32_t foundationClass) {
    const int j = ClampIndex(jointSpec, 4), f = ClampIndex(foundationClass, 3);
    int lo = 3, hi = 3;
    double sLo = 7.0, sHi = 7.0;
    if (tolerance::Below(s, 2.0))
        lo = 0, hi = 0, sLo = 2.0, sHi = 2.0;
    else if (tolerance::Below(s, 3.0))
        lo = 0, hi = 1, sLo = 2.0, sHi = 3.0;
    else if (tolerance::Below(s, 5.0))
        lo = 1, hi = 2, sLo = 3.0, sHi = 5.0;
    else if (tolerance::Below(s, 7.0))
        lo = 2, hi = 3, sLo = 5.0, sHi = 7.0;
    if (lo == hi) return t[lo][j][f];
    // Noise around a boundary must not step outside the two rows.
    const double fraction = MinDouble(MaxDouble((s - sLo) / (sHi - sLo), 0.0), 1.0);
    return t[lo][j][f] + (t[hi][j][f] - t[lo][j][f]) * fraction;
}

void CalcBaseStrengths(int storey, int wall) {
    if (!IsWallOf(storey, wall)) return;
    const int sc = CalcScenario();
    const WallRecord& w = Doc.Walls[sc][storey][wall];
    WallResultRecord* blocks = WriteWallResult(sc, storey, wall);
    WallResultRecord& r0 = blocks[0];
    const bool general = IsGeneralMethod(), revision2012 = IsRevision2012();
    const BaseStrengthRule rule = BaseStrengthRule::OfCalculation();
    const int32_t braceRow = BraceRowOf(w.bracing);
    // Bracing counts on walls of 0.9 m and more, mud walls and panels on walls of 0.6 m and more.
    const bool braceCounts = r0.wallLength > 0.89999;
    const bool facesCount = r0.wallLength > 0.59999;
    const WallElementSpec* mud = SpecAt(MudWallSpecs, MudWallOf(w.bracing));
    const WallElementSpec* left = SpecAt(PanelSpecs, w.panelL);
    const WallElementSpec* right = SpecAt(PanelSpecs, w.panelR);
    const bool allUnknown = facesCount && WallAllUnknown(w.bracing, w.panelL, w.panelR);

    r0.openingFactor = BoundedAt(OpeningFactorByKind, w.type);
    const bool opening = w.type != WallTypeSolidOuter && w.type != WallTypeSolidPartition &&
                         w.type != WallTypeNoStrength;
    const bool openingRule2012 =
        opening && revision2012 && OtherElementsMethod == OtherElementsByOpeningLength;
    if (openingRule2012 && !general) {
        // The run carries the table factor times the strength in total, whatever its length.
        r0.openingFactor =
            r0.runLength > 0 ? BoundedAt(OpeningFactorPrecise2012, r0.runKind) / r0.runLength : 0;
    }
    if (openingRule2012 && general) r0.openingFactor = 1.0;

    for (int k = 0; k < WallResultBlocks; ++k) {
        const WallElementSpec* brace = SpecAt(BraceSpecs, VariantBraceRow(w, braceRow, k));
        double strength = 0, stiffness = 0;
        if (braceCounts) {
            strength += StrengthAt(brace);
            stiffness += StiffnessAt(brace);
        }
        if (facesCount) {
            strength += StrengthAt(mud) + StrengthAt(left) + StrengthAt(right);
            stiffness += StiffnessAt(mud) + StiffnessAt(left) + StiffnessAt(right);
        }
        strength = MethodBaseStrength(strength, allUnknown, rule);

        WallResultRecord& b = blocks[k];
        // The general method of 2012 counts an opening by the table strength of its run,
        // whatever it carries; its stiffness stays that of its elements.
        b.baseStrength =
            openingRule2012 && general ? BoundedAt(OpeningWallStrength2012, r0.runKind) : strength;
        b.baseStiffness = general ? strength : stiffness;
        // Both classes always: the deterioration table is indexed by the 2004 class in every
        // edition.
        const double s = b.baseStrength * r0.openingFactor;
        b.strengthClass = StrengthClassOf(s);
        b.strengthClass2012 = StrengthClass2012Of(s);
    }
}

void CalcWallReductions(int storey, int wall) {
    if (!IsWallOf(storey, wall)) return;
    const int sc = CalcScenario();
    const WallRecord& w = Doc.Walls[sc][storey][wall];
    WallResultRecord* blocks = WriteWallResult(sc, storey, wall);
    const WallResultRecord& r0 = blocks[0];
    const bool general = IsGeneralMethod(), revision2012 = IsRevision2012();

    // A wall under the floor of the storey above stands with both ends in its "２階床" area.
    // The top storey has no floor above, so a one-storey scenario has no such wall.
    const bool lower = storey != TopStoreyOf() &&
                       std::abs(NodeCode(storey, w.x1, w.y1)) >= FloorAboveBit &&
                       std::abs(NodeCode(storey, w.x2, w.y2)) >= FloorAboveBit;
    const JointReductionTable& table = lower ? *ActiveLower : *ActiveTop;
    const int32_t jointSpec = ClampIndex(w.jointSpec, 4);
    const int32_t foundation = ClampIndex(w.foundationClass, 3);
    const bool cosSquared =
        App.Options.DiagonalWallCosSquared == 1 && IsOblique(w) && r0.effectiveLength > 0;

    for (int k = 0; k < WallResultBlocks; ++k) {
        WallResultRecord& b = blocks[k];
        const int32_t strengthClass = ClampIndex(b.strengthClass, 4);
        const double s = b.baseStrength * r0.openingFactor;
        double joint = revision2012 ? JointReduction2012(table, s, jointSpec, foundation)
                                    : table[strengthClass][jointSpec][foundation];
        // The precise method does not reduce a wall of less than 1.0 kN/m for its joints.
        if (!general && tolerance::Below(s, 1.0)) joint = 1.0;
        b.jointReductionFactor = joint;
        // The general method applies the building's deterioration factor to the storey strength
        // instead.
        b.deteriorationFactor =
            general ? 1.0
                    : WallDeteriorationFactors[ClampIndex(r0.lowerStorey, 2)]
                                              [ClampIndex(w.deterioration, 3)][strengthClass];
        b.minReductionFactor = MinDouble(b.deteriorationFactor, b.jointReductionFactor);
        b.reducedStrength = b.baseStrength * b.minReductionFactor * r0.openingFactor;
        b.reducedStiffness = b.baseStiffness * b.minReductionFactor * r0.openingFactor;
        b.strengthX = r0.projectedLengthX * b.reducedStrength;
        b.strengthY = r0.projectedLengthY * b.reducedStrength;
        b.stiffnessX = r0.projectedLengthX * b.reducedStiffness;
        b.stiffnessY = r0.projectedLengthY * b.reducedStiffness;
        if (cosSquared) {
            // L cos²θ along X and L sin²θ along Y instead of L cos θ and L sin θ. The angle comes
            // from lengths scaled alike: an opening in a run over 3 m has its projections and
            // its effective length scaled by 3 / run, its wall length not.
            const double cx = r0.projectedLengthX / r0.effectiveLength;
            const double cy = r0.projectedLengthY / r0.effectiveLength;
            b.strengthX *= cx;
            b.stiffnessX *= cx;
            b.strengthY *= cy;
            b.stiffnessY *= cy;
        }
    }
}

double PlanLabelStrength(int storey, int wall) {
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return 0;
    const int sc = CalcScenario();
    const WallRecord& w = Doc.Walls[sc][storey][wall];
    const WallResultRecord& r0 = WallEval.WallResult[sc][storey][wall][0];
    if (App.Options.ShowWallReduction == 1) return r0.effectiveLength != 0 ? r0.reducedStrength : 0;
    return WallElementsStrength(w.bracing, w.panelL, w.panelR);
}

double WallElementsStrength(int32_t bracing, int32_t panelL, int32_t panelR) {
    const double s = StrengthAt(SpecAt(PanelSpecs, panelL)) +
                     StrengthAt(SpecAt(BraceSpecs, BraceRowOf(bracing))) +
                     StrengthAt(SpecAt(MudWallSpecs, MudWallOf(bracing))) +
                     StrengthAt(SpecAt(PanelSpecs, panelR));
    return MethodBaseStrength(s, WallAllUnknown(bracing, panelL, panelR),
                              BaseStrengthRule::OfWallLabel(Doc.DiagnosisMethod));
}

void EvaluateWallStrengths() {
    SelectJointReductionTables();
    const int sc = CalcScenario(), top = TopStoreyOf();
    for (int s = 0; s <= top; ++s) {
        const int n = WallCountOf(s);
        for (int w = 0; w < n; ++w) {
            CalcBaseStrengths(s, w);
            CalcWallReductions(s, w);
            WriteWallResult(sc, s, w)[0].planValue = PlanLabelStrength(s, w);
        }
    }
}
