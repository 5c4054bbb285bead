#include "calc/WallStrength.h"

#include "calc/CalcCommon.h"
#include "calc/Tables.h"
#include "calc/Tolerance.h"
#include "calc/WallLines.h"
#include "model/AppState.h"
#include "model/Bounded.h"

#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

const JointReductionTable* ActiveTop = &JointReductionTopStandard;
const JointReductionTable* ActiveLower = &JointReductionLowerStandard;

bool IsGeneralMethod() {
    return Doc.DiagnosisMethod == 1 || Doc.DiagnosisMethod == 2;
}
bool IsRevision2012() {
    return Doc.CriteriaEdition == 4;
}

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

struct WallCodes {
    int32_t mud, row, size;
};
WallCodes CodesOf(int32_t bracing) {
    const int32_t word = bracing & BraceWordMask;
    return {word / MudWallUnit, word % MudWallUnit, (word % MudWallUnit) / 12};
}

// Bracing, mud wall and both panels all unidentified.
bool AllUnknown(const WallCodes& c, int32_t panelL, int32_t panelR) {
    return c.size == 1 && c.mud == 1 && panelL / 2 == 1 && panelR / 2 == 1;
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

namespace {

// What every wall of a run shares, read once per run rather than once per wall and variant.
struct StrengthRun {
    int scenario;
    int top;
    bool general;
    bool revision2012;
    double cap; // kN/m, the most a metre of wall counts with under the method
    const JointReductionTable* topTable;
    const JointReductionTable* lowerTable;
    bool cosSquared;
    bool showReduction;
};

// kN/m, the most a metre of wall counts with under the method.
constexpr double CapOf(bool general, bool revision2012) {
    return !general ? 14.0 : revision2012 ? 10.0 : 9.8;
}

StrengthRun StrengthRunOf() {
    StrengthRun run{};
    run.scenario = CalcScenario();
    run.top = TopStoreyOf();
    run.general = IsGeneralMethod();
    run.revision2012 = IsRevision2012();
    run.cap = CapOf(run.general, run.revision2012);
    run.topTable = ActiveTop;
    run.lowerTable = ActiveLower;
    run.cosSquared = App.Options.DiagonalWallCosSquared == 1;
    run.showReduction = App.Options.ShowWallReduction == 1;
    return run;
}

// The brace rows a wall's variants can read: its own, and for a one-way brace the row of the
// brace in compression and the row of the brace in tension.
enum BraceCase { OwnBrace, CompressedBrace, TensionedBrace, BraceCases };

// What the five variants of one wall share for their base strengths. The element tables are
// read here once per wall: the stores into the result rows could otherwise make every variant
// read them again.
struct BaseInputs {
    double braceStrength[BraceCases]; // by BraceCase; only OwnBrace when variantsAlike
    double braceStiffness[BraceCases];
    double faceStrength, faceStiffness; // mud wall and both panels added
    bool braceCounts, facesCount;
    bool allUnknown;      // general method, faces counting, every element unidentified
    bool openingWall2012; // general method, 2012: the opening wall takes the table strength
    double openingWallStrength;
    double openingFactor;
    // Whether the five variants come to the same strengths in every byte: only a one-way brace
    // that counts tells them apart.
    bool variantsAlike;
    // Whether the brace is loaded towards its second end by variant 1 (along X) and variant 3
    // (along Y): then it is in compression there and in tension in variants 2 and 4. Only set
    // where the variants differ.
    bool forwardX, forwardY;
};

// The brace row variant k reads (as VariantBraceRow picks it): a one-way brace wall has only
// three distinct variants, each worked out once.
BraceCase BraceOfVariant(const BaseInputs& in, int k) {
    if (in.variantsAlike || k == 0) return OwnBrace;
    const bool forward = k <= 2 ? in.forwardX : in.forwardY;
    return forward == (k % 2 == 1) ? CompressedBrace : TensionedBrace;
}

// Also sets the wall's opening factor in block 0, which the strength classes read.
[[gnu::always_inline]] inline BaseInputs PrepareBase(const StrengthRun& run, const WallRecord& w,
                                                     WallResultRecord& r0) {
    BaseInputs in;
    const WallCodes codes = CodesOf(w.bracing);
    const double length = r0.wallLength;
    // Bracing counts on walls of 0.9 m and more, mud walls and panels on walls of 0.6 m and more.
    in.braceCounts = length > 0.89999;
    in.facesCount = length > 0.59999;
    const WallElementSpec* mud = SpecAt(MudWallSpecs, codes.mud);
    const WallElementSpec* left = SpecAt(PanelSpecs, w.panelL);
    const WallElementSpec* right = SpecAt(PanelSpecs, w.panelR);
    in.faceStrength = StrengthAt(mud) + StrengthAt(left) + StrengthAt(right);
    in.faceStiffness = StiffnessAt(mud) + StiffnessAt(left) + StiffnessAt(right);
    // Only a one-way brace that counts tells the variants apart; otherwise every variant reads
    // the row of the first, and the brace adds nothing to a wall too short for it.
    in.variantsAlike = !(in.braceCounts && codes.row % 4 == 2);
    const WallElementSpec* brace = SpecAt(BraceSpecs, codes.row);
    in.braceStrength[OwnBrace] = StrengthAt(brace);
    in.braceStiffness[OwnBrace] = StiffnessAt(brace);
    if (!in.variantsAlike) {
        // Variants 1 and 2 load the brace along X one way and the other, 3 and 4 along Y; the
        // brace is in compression when it is loaded towards its second end.
        in.forwardX = AxisPosX(w.x2) >= AxisPosX(w.x1);
        in.forwardY = AxisPosY(w.y2) >= AxisPosY(w.y1);
        const WallElementSpec* compressed = SpecAt(BraceSpecs, codes.row - 2);
        const WallElementSpec* tensioned = SpecAt(BraceSpecs, codes.row - 1);
        in.braceStrength[CompressedBrace] = StrengthAt(compressed);
        in.braceStiffness[CompressedBrace] = StiffnessAt(compressed);
        in.braceStrength[TensionedBrace] = StrengthAt(tensioned);
        in.braceStiffness[TensionedBrace] = StiffnessAt(tensioned);
    } else {
        in.forwardX = in.forwardY = false;
    }
    in.allUnknown = run.general && in.facesCount && AllUnknown(codes, w.panelL, w.panelR);

    r0.openingFactor = BoundedAt(OpeningFactorByKind, w.type);
    // The run's edition first: outside 2012 the wall's type need not be looked at.
    const bool openingRule2012 = run.revision2012 && OtherElementsMethod == 0 &&
                                 w.type != WallTypeSolidOuter && w.type != WallTypeSolidPartition &&
                                 w.type != WallTypeNoStrength;
    if (openingRule2012 && !run.general) {
        // The run carries the table factor times the strength in total, whatever its length.
        r0.openingFactor =
            r0.runLength > 0 ? BoundedAt(OpeningFactorPrecise2012, r0.runKind) / r0.runLength : 0;
    }
    if (openingRule2012 && run.general) r0.openingFactor = 1.0;
    in.openingWall2012 = openingRule2012 && run.general;
    in.openingWallStrength = BoundedAt(OpeningWallStrength2012, r0.runKind);
    in.openingFactor = r0.openingFactor;
    return in;
}

// Base strength, stiffness and strength classes of one variant.
struct VariantBase {
    double strength, stiffness;
    int32_t strengthClass, strengthClass2012;
};

[[gnu::always_inline]] inline VariantBase BaseOf(const StrengthRun& run, const BaseInputs& in,
                                                 BraceCase k) {
    double strength = 0, stiffness = 0;
    if (in.braceCounts) {
        strength += in.braceStrength[k];
        stiffness += in.braceStiffness[k];
    }
    if (in.facesCount) {
        strength += in.faceStrength;
        stiffness += in.faceStiffness;
    }
    if (in.allUnknown) strength = run.revision2012 ? 2.0 : 1.96;
    if (strength > run.cap) strength = run.cap;

    VariantBase base;
    base.strength = in.openingWall2012 ? in.openingWallStrength : strength;
    base.stiffness = run.general ? strength : stiffness;
    // Both classes always: the deterioration table is indexed by the 2004 class in every
    // edition.
    const double s = base.strength * in.openingFactor;
    base.strengthClass = StrengthClassOf(s);
    base.strengthClass2012 = StrengthClass2012Of(s);
    return base;
}

[[gnu::always_inline]] inline void WriteBase(const VariantBase& base, WallResultRecord& b) {
    b.baseStrength = base.strength;
    b.baseStiffness = base.stiffness;
    b.strengthClass = base.strengthClass;
    b.strengthClass2012 = base.strengthClass2012;
}

// What the five variants of one wall share for their reductions.
struct ReductionInputs {
    const JointReductionTable* table;
    int32_t jointSpec, foundation;
    const double (*deterioration)[4]; // by the 2004 class; none under the general method
    double openingFactor;
    // The projected lengths are read from the row itself: copied in here they came back as a
    // pair straddling two stores of the copy, which the processor cannot forward.
    const WallResultRecord* row;
    bool cosSquared; // oblique, counted with L cos²θ and L sin²θ
    double cx, cy;
};

// The storey's grid-node codes, as NodeCode reads them (0 for a node outside the grid), looked
// up once per storey rather than once per wall end.
struct NodeCodes {
    const int32_t (*map)[AxisCountY];
    int32_t at(int32_t x, int32_t y) const {
        return InRange(x, AxisCountX) && InRange(y, AxisCountY) ? map[x][y] : 0;
    }
};

NodeCodes NodeCodesOf(const StrengthRun& run, int storey) {
    return {WallEval.GridNodeMap[run.scenario][storey]};
}

[[gnu::always_inline]] inline ReductionInputs PrepareReductions(const StrengthRun& run, int storey,
                                                                const NodeCodes& nodes,
                                                                const WallRecord& w,
                                                                const WallResultRecord& r0) {
    ReductionInputs in{};
    // The top storey has no floor above: its walls need not look at their nodes.
    bool lower = false;
    if (storey != run.top) {
        const int32_t c1 = std::abs(nodes.at(w.x1, w.y1));
        const int32_t c2 = std::abs(nodes.at(w.x2, w.y2));
        lower = c1 >= FloorAboveBit && c2 >= FloorAboveBit;
    }
    if (!run.revision2012)
        in.table = lower ? run.lowerTable : run.topTable;
    else
        in.table = (lower && run.top > 0) ? run.lowerTable : run.topTable;
    in.jointSpec = ClampIndex(w.jointSpec, 4);
    in.foundation = ClampIndex(w.foundationClass, 3);
    in.deterioration = run.general ? nullptr
                                   : &WallDeteriorationFactors[ClampIndex(r0.lowerStorey, 2)]
                                                              [ClampIndex(w.deterioration, 3)];
    in.openingFactor = r0.openingFactor;
    in.row = &r0;
    const bool oblique = w.x1 != w.x2 && w.y1 != w.y2;
    in.cosSquared = run.cosSquared && oblique && r0.effectiveLength > 0;
    if (in.cosSquared) {
        // L cos²θ along X and L sin²θ along Y instead of L cos θ and L sin θ. The angle comes
        // from lengths scaled alike: an opening in a run over 3 m has its projections and its
        // effective length scaled by 3 / run, its wall length not.
        in.cx = r0.projectedLengthX / r0.effectiveLength;
        in.cy = r0.projectedLengthY / r0.effectiveLength;
    }
    return in;
}

// Reductions, reduced and directional strengths of one variant.
struct VariantReductions {
    double joint, deterioration, factor;
    double reducedStrength, reducedStiffness;
    double strengthX, strengthY, stiffnessX, stiffnessY;
};

[[gnu::always_inline]] inline VariantReductions
ReductionsOf(const StrengthRun& run, const ReductionInputs& in, const VariantBase& base) {
    VariantReductions v;
    const double s = base.strength * in.openingFactor;
    const int32_t strengthClass = ClampIndex(base.strengthClass, 4);
    const JointReductionTable& t = *in.table;
    if (!run.revision2012)
        v.joint = t[strengthClass][in.jointSpec][in.foundation];
    else
        v.joint = JointReduction2012(t, s, in.jointSpec, in.foundation);
    if (!run.general && tolerance::Below(s, 1.0)) v.joint = 1.0;
    v.deterioration = in.deterioration ? (*in.deterioration)[strengthClass] : 1.0;
    v.factor = MinDouble(v.deterioration, v.joint);
    v.reducedStrength = base.strength * v.factor * in.openingFactor;
    v.reducedStiffness = base.stiffness * v.factor * in.openingFactor;
    const double lengthX = in.row->projectedLengthX, lengthY = in.row->projectedLengthY;
    v.strengthX = lengthX * v.reducedStrength;
    v.strengthY = lengthY * v.reducedStrength;
    v.stiffnessX = lengthX * v.reducedStiffness;
    v.stiffnessY = lengthY * v.reducedStiffness;
    if (in.cosSquared) {
        v.strengthX *= in.cx;
        v.stiffnessX *= in.cx;
        v.strengthY *= in.cy;
        v.stiffnessY *= in.cy;
    }
    return v;
}

[[gnu::always_inline]] inline void WriteReductions(const VariantReductions& v,
                                                   WallResultRecord& b) {
    b.jointReductionFactor = v.joint;
    b.deteriorationFactor = v.deterioration;
    b.minReductionFactor = v.factor;
    b.reducedStrength = v.reducedStrength;
    b.reducedStiffness = v.reducedStiffness;
    b.strengthX = v.strengthX;
    b.strengthY = v.strengthY;
    b.stiffnessX = v.stiffnessX;
    b.stiffnessY = v.stiffnessY;
}

// A variant's fields of a block in the order the record holds them, so that a whole run writes
// every block with a few wide stores.
constexpr bool Follows(std::size_t first, std::size_t second) {
    return second == first + sizeof(double);
}
#define VELQUOR_FOLLOWS(x, y) Follows(offsetof(WallResultRecord, x), offsetof(WallResultRecord, y))
static_assert(offsetof(WallResultRecord, strengthClass2012) ==
                      offsetof(WallResultRecord, strengthClass) + sizeof(int32_t) &&
                  VELQUOR_FOLLOWS(baseStrength, baseStiffness) &&
                  VELQUOR_FOLLOWS(baseStiffness, deteriorationFactor) &&
                  VELQUOR_FOLLOWS(deteriorationFactor, jointReductionFactor) &&
                  VELQUOR_FOLLOWS(jointReductionFactor, reducedStrength) &&
                  VELQUOR_FOLLOWS(reducedStrength, reducedStiffness) &&
                  VELQUOR_FOLLOWS(reducedStiffness, minReductionFactor) &&
                  VELQUOR_FOLLOWS(strengthX, strengthY) && VELQUOR_FOLLOWS(strengthY, stiffnessX) &&
                  VELQUOR_FOLLOWS(stiffnessX, stiffnessY),
              "the variant's fields are written as runs of neighbouring fields");
#undef VELQUOR_FOLLOWS

// A variant's block fields put together once and stored into each of its blocks as a few wide
// stores.
struct VariantFields {
    uint64_t classes; // strengthClass, strengthClass2012
    Quad strengths;   // baseStrength, baseStiffness, deteriorationFactor, jointReductionFactor
    Pair reduced;     // reducedStrength, reducedStiffness
    double factor;    // minReductionFactor
    Quad directional; // strengthX, strengthY, stiffnessX, stiffnessY
};

[[gnu::always_inline]] inline VariantFields FieldsOf(const VariantBase& base,
                                                     const VariantReductions& v) {
    VariantFields f;
    const int32_t classes[2] = {base.strengthClass, base.strengthClass2012};
    std::memcpy(&f.classes, classes, sizeof classes);
    QuadOf(f.strengths, base.strength, base.stiffness, v.deterioration, v.joint);
    f.reduced = Pair{v.reducedStrength, v.reducedStiffness};
    f.factor = v.factor;
    QuadOf(f.directional, v.strengthX, v.strengthY, v.stiffnessX, v.stiffnessY);
    return f;
}

[[gnu::always_inline]] inline void WriteFields(const VariantFields& f, WallResultRecord& b) {
    std::memcpy(&b.strengthClass, &f.classes, sizeof f.classes);
    std::memcpy(&b.baseStrength, &f.strengths, sizeof f.strengths);
    std::memcpy(&b.reducedStrength, &f.reduced, sizeof f.reduced);
    b.minReductionFactor = f.factor;
    std::memcpy(&b.strengthX, &f.directional, sizeof f.directional);
}

// Whether a per-wall entry may write the row, noting the row as written.
bool OpenWallRow(int storey, int wall) {
    NoteWallEvalWrite(CalcScenario());
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return false;
    NoteWallResultRows(CalcScenario(), storey, wall + 1);
    return true;
}

double LabelStrength(const StrengthRun& run, const WallRecord& w, const WallResultRecord& r0) {
    if (run.showReduction) return r0.effectiveLength != 0 ? r0.reducedStrength : 0;
    return WallElementsStrength(w.bracing, w.panelL, w.panelR);
}

// One wall of a whole run, its preparations worked out in place: what its variants share stays
// in registers instead of going through the two input records.
[[gnu::always_inline]] inline void EvaluateWall(const StrengthRun& run, int storey,
                                                const NodeCodes& nodes, const WallRecord& w,
                                                WallResultRecord* blocks) {
    const BaseInputs base = PrepareBase(run, w, blocks[0]);
    const ReductionInputs reductions = PrepareReductions(run, storey, nodes, w, blocks[0]);
    // Each distinct variant is worked out once and written to every block it stands
    // for; every block is written whole while it is in cache.
    const auto fieldsOf = [&](BraceCase c) __attribute__((always_inline)) {
        const VariantBase b = BaseOf(run, base, c);
        return FieldsOf(b, ReductionsOf(run, reductions, b));
    };
    const VariantFields own = fieldsOf(OwnBrace);
    WriteFields(own, blocks[0]);
    if (base.variantsAlike) {
        for (int k = 1; k < WallResultBlocks; ++k) WriteFields(own, blocks[k]);
    } else {
        // The brace in compression and in tension, each written to the blocks of the variants
        // that load it so: the blocks are picked, not the values, which stay in registers.
        const VariantFields compressed = fieldsOf(CompressedBrace);
        const VariantFields tensioned = fieldsOf(TensionedBrace);
        const int withX = base.forwardX ? 1 : 2, withY = base.forwardY ? 3 : 4;
        WriteFields(compressed, blocks[withX]);
        WriteFields(tensioned, blocks[3 - withX]);
        WriteFields(compressed, blocks[withY]);
        WriteFields(tensioned, blocks[7 - withY]);
    }
    blocks[0].planValue = LabelStrength(run, w, blocks[0]);
}

// The walls of one storey, with the method and the edition fixed per instance, so that the
// walls' steps need not ask the run for them again and again.
template <bool General, bool Revision2012>
WIDE_STORES_WHERE_AVAILABLE void EvaluateStoreyAs(const StrengthRun& given, int storey, int walls) {
    StrengthRun run = given;
    run.general = General;
    run.revision2012 = Revision2012;
    run.cap = CapOf(General, Revision2012);
    const NodeCodes nodes = NodeCodesOf(run, storey);
    for (int wall = 0; wall < walls; ++wall)
        EvaluateWall(run, storey, nodes, Doc.Walls[run.scenario][storey][wall],
                     WallEval.WallResult[run.scenario][storey][wall]);
}

using StoreyStep = void (*)(const StrengthRun&, int, int);

StoreyStep StoreyStepOf(const StrengthRun& run) {
    if (run.general)
        return run.revision2012 ? EvaluateStoreyAs<true, true> : EvaluateStoreyAs<true, false>;
    return run.revision2012 ? EvaluateStoreyAs<false, true> : EvaluateStoreyAs<false, false>;
}

} // namespace

void CalcBaseStrengths(int storey, int wall) {
    if (!OpenWallRow(storey, wall)) return;
    const StrengthRun run = StrengthRunOf();
    const WallRecord& w = Doc.Walls[run.scenario][storey][wall];
    WallResultRecord* blocks = WallEval.WallResult[run.scenario][storey][wall];
    const BaseInputs base = PrepareBase(run, w, blocks[0]);
    for (int k = 0; k < WallResultBlocks; ++k)
        WriteBase(BaseOf(run, base, BraceOfVariant(base, k)), blocks[k]);
}

void CalcWallReductions(int storey, int wall) {
    if (!OpenWallRow(storey, wall)) return;
    const StrengthRun run = StrengthRunOf();
    const WallRecord& w = Doc.Walls[run.scenario][storey][wall];
    WallResultRecord* blocks = WallEval.WallResult[run.scenario][storey][wall];
    const ReductionInputs reductions =
        PrepareReductions(run, storey, NodeCodesOf(run, storey), w, blocks[0]);
    for (int k = 0; k < WallResultBlocks; ++k) {
        WallResultRecord& b = blocks[k];
        const VariantBase base{b.baseStrength, b.baseStiffness, b.strengthClass,
                               b.strengthClass2012};
        WriteReductions(ReductionsOf(run, reductions, base), b);
    }
}

double PlanLabelStrength(int storey, int wall) {
    if (!InRange(storey, Storeys) || !InRange(wall, WallCountOf(storey))) return 0;
    const StrengthRun run = StrengthRunOf();
    return LabelStrength(run, Doc.Walls[run.scenario][storey][wall],
                         WallEval.WallResult[run.scenario][storey][wall][0]);
}

double WallElementsStrength(int32_t bracing, int32_t panelL, int32_t panelR) {
    const WallCodes codes = CodesOf(bracing);
    double s = StrengthAt(SpecAt(PanelSpecs, panelL)) + StrengthAt(SpecAt(BraceSpecs, codes.row)) +
               StrengthAt(SpecAt(MudWallSpecs, codes.mud)) + StrengthAt(SpecAt(PanelSpecs, panelR));
    const bool method0 = Doc.DiagnosisMethod == 0;
    if (!method0 && AllUnknown(codes, panelL, panelR)) s = 1.96;
    const double cap = method0 ? 14.0 : 9.8;
    return s > cap ? cap : s;
}

void EvaluateWallStrengths() {
    NoteWallEvalWrite(CalcScenario());
    SelectJointReductionTables();
    const StrengthRun run = StrengthRunOf();
    const StoreyStep evaluateStorey = StoreyStepOf(run);
    for (int s = 0; s <= run.top; ++s) {
        const int n = WallCountOf(s);
        NoteWallResultRows(run.scenario, s, n);
        evaluateStorey(run, s, n);
    }
}
