#pragma once
// Digests of the results of a diagnosis run, for the golden-result tests: every result table,
// the wall words the run writes back into the document, the notices, the result panel, the
// report views and the printed pages, each reduced to a 64-bit FNV-1a value, and the file that
// keeps the expected values (one line per house and table: "house table digest"). Beside the
// digests the file keeps a few headline numbers of every house (the storey scores, the required
// strength and the eccentricity ratios), so that a change that moves a digest on purpose shows
// what it moved in numbers a reviewer can read; and the tables of one house can be written out
// as text (scripts/golden-tables), so that two builds can be compared line by line.
//
// Values are hashed member by member, never as a struct's raw bytes, so that padding cannot
// reach a digest; a number is hashed as its little-endian bytes, every NaN as one quiet NaN (a
// folded constant and a computed one differ in sign). Runs of zero words, which fill most of
// the big tables, are hashed as their length. The members of every struct that is hashed are
// listed once below (FieldsOf), in the order of their declaration; the list must cover the
// struct, or the build fails, so that a new member cannot drop out of every digest unseen.
#include "calc/Diagnosis.h"
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/NValues.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "calc/WallEvaluation.h"
#include "document/Recompute.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"
#include "ports/RecordingCanvas.h"
#include "ports/RecordingPrintDevice.h"
#include "support/ScriptedMessages.h"

#include <fnmatch.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace golden {

// ---- The members of the hashed structs ----

// How a member enters the digests and the text of the tables.
enum class Take {
    Value,   // as its type is taken
    Text,    // a zero-terminated text in a fixed field: its bytes up to the zero
    Nothing, // not at all (each such member says why where it is listed)
};

template <typename S, typename M, Take HowTaken = Take::Value>
struct Field {
    using Type = M;
    static constexpr Take take = HowTaken;
    const char* name;
    M S::*member;
};

// FieldsOf<S>::list(): every member of S as a Field, in the order of its declaration.
template <typename S>
struct FieldsOf;

template <typename S>
inline constexpr bool HasFieldList = false;

// A value that a braced list takes for one member of type M, whatever M is: a class by a class
// derived from it (a list of one copies it, aggregate or not), an array by its first element.
template <typename M>
struct SeedOf {
    using Type = M;
};
template <typename M>
requires std::is_class_v<M>
struct SeedOf<M> {
    struct Type : M {};
};
template <typename M, std::size_t N>
struct SeedOf<M[N]> : SeedOf<M> {};
template <typename M>
using Seed = typename SeedOf<M>::Type;

// Whether the aggregate S has as many members as are listed, each taking a value of its listed
// type in turn: it takes one braced initializer for each, and no more. Unlike the size, which a
// member that fits into padding leaves as it was, this counts every member.
template <typename S, typename... F>
constexpr bool ListsEveryMember(const std::tuple<F...>&) {
    const bool takesEach = requires {
        S{{std::declval<Seed<typename F::Type>>()}...};
    };
    const bool takesMore = requires {
        S{{std::declval<Seed<typename F::Type>>()}..., {}};
    };
    return takesEach && !takesMore;
}

// Lists the members of a struct for the digests and checks that the list covers it: a new
// member fails the build here until it is listed, and so hashed.
#define GOLDEN_FIELDS(Struct, ...)                                                                 \
    template <>                                                                                    \
    struct FieldsOf<Struct> {                                                                      \
        using Self = Struct;                                                                       \
        static constexpr auto list() { return std::make_tuple(__VA_ARGS__); }                      \
    };                                                                                             \
    template <>                                                                                    \
    inline constexpr bool HasFieldList<Struct> = true;                                             \
    static_assert(ListsEveryMember<Struct>(FieldsOf<Struct>::list()), #Struct                      \
                  " has a member that its field list does not name in its place: list it, "        \
                  "so that the digests take it")
#define GOLDEN_VALUE(m)                                                                            \
    Field<Self, decltype(Self::m)> {                                                               \
#m, &Self::m                                                                               \
    }
#define GOLDEN_TEXT(m)                                                                             \
    Field<Self, decltype(Self::m), Take::Text> {                                                   \
#m, &Self::m                                                                               \
    }
#define GOLDEN_NOTHING(m)                                                                          \
    Field<Self, decltype(Self::m), Take::Nothing> {                                                \
#m, &Self::m                                                                               \
    }

GOLDEN_FIELDS(RoofFloorAreaResult, GOLDEN_VALUE(area), GOLDEN_VALUE(floorArea),
              GOLDEN_VALUE(factoredArea), GOLDEN_VALUE(cityWeightedArea), GOLDEN_VALUE(centroidX),
              GOLDEN_VALUE(centroidY), GOLDEN_VALUE(momentX), GOLDEN_VALUE(momentY),
              GOLDEN_VALUE(cityMomentX), GOLDEN_VALUE(cityMomentY));
GOLDEN_FIELDS(RequiredStrengthFactorsRecord, GOLDEN_VALUE(k1), GOLDEN_VALUE(k2), GOLDEN_VALUE(k3),
              GOLDEN_VALUE(k4), GOLDEN_VALUE(k5), GOLDEN_VALUE(k6), GOLDEN_VALUE(rf1),
              GOLDEN_VALUE(rf2), GOLDEN_VALUE(formulas));
GOLDEN_FIELDS(RequiredStrengthResults, GOLDEN_VALUE(PlanFloorArea), GOLDEN_VALUE(DesignFloorArea),
              GOLDEN_VALUE(RoofFloorRectResult), GOLDEN_VALUE(RoofFloorTriResult),
              GOLDEN_VALUE(WeightedAreaSum), GOLDEN_VALUE(WeightedMomentX),
              GOLDEN_VALUE(WeightedMomentY), GOLDEN_VALUE(CityWeightedAreaSum),
              GOLDEN_VALUE(CityWeightedMomentX), GOLDEN_VALUE(CityWeightedMomentY),
              GOLDEN_VALUE(GravityCentreX), GOLDEN_VALUE(GravityCentreY),
              GOLDEN_VALUE(WeightAreaSums), GOLDEN_VALUE(StoreyExtentFlag),
              GOLDEN_VALUE(QuarterLines), GOLDEN_VALUE(QuarterFloorArea),
              GOLDEN_VALUE(ShortSideLength), GOLDEN_VALUE(ShapeFactor),
              GOLDEN_VALUE(LargestRectangleFlag), GOLDEN_VALUE(UnitRequiredStrength),
              GOLDEN_VALUE(UnitTableValue), GOLDEN_VALUE(QuarterUnitRequiredStrength),
              GOLDEN_VALUE(QuarterRequiredStrength), GOLDEN_VALUE(RequiredStrengthFactors),
              GOLDEN_VALUE(StoreyWeight), GOLDEN_VALUE(WeightRatio), GOLDEN_VALUE(BuildingHeight),
              GOLDEN_VALUE(NaturalPeriod), GOLDEN_VALUE(VibrationCharacteristic),
              GOLDEN_VALUE(GroundPeriod), GOLDEN_VALUE(ShearDistributionFactor),
              GOLDEN_VALUE(ShearCoefficient), GOLDEN_VALUE(RequiredStrength),
              GOLDEN_VALUE(SoftGroundFactor), GOLDEN_VALUE(MixedStructureFactor));
GOLDEN_FIELDS(WallLineEntry, GOLDEN_VALUE(wall), GOLDEN_VALUE(axis));
// A list is hashed up to its count (see HashFields below).
GOLDEN_FIELDS(WallLineList, GOLDEN_VALUE(count), GOLDEN_VALUE(entries));
GOLDEN_FIELDS(StoreyWallLines, GOLDEN_VALUE(x), GOLDEN_VALUE(y));
GOLDEN_FIELDS(OutlineEdge, GOLDEN_VALUE(x1), GOLDEN_VALUE(y1), GOLDEN_VALUE(x2), GOLDEN_VALUE(y2),
              GOLDEN_VALUE(colourIndex));
GOLDEN_FIELDS(WallResultRecord, GOLDEN_VALUE(strengthClass), GOLDEN_VALUE(strengthClass2012),
              GOLDEN_VALUE(lowerStorey), GOLDEN_VALUE(runKind), GOLDEN_VALUE(projectedLengthX),
              GOLDEN_VALUE(projectedLengthY), GOLDEN_VALUE(wallLength),
              GOLDEN_VALUE(effectiveLength), GOLDEN_VALUE(runLength), GOLDEN_VALUE(baseStrength),
              GOLDEN_VALUE(baseStiffness), GOLDEN_VALUE(deteriorationFactor),
              GOLDEN_VALUE(jointReductionFactor), GOLDEN_VALUE(reducedStrength),
              GOLDEN_VALUE(reducedStiffness), GOLDEN_VALUE(minReductionFactor),
              GOLDEN_VALUE(openingFactor), GOLDEN_VALUE(planValue), GOLDEN_VALUE(strengthX),
              GOLDEN_VALUE(strengthY), GOLDEN_VALUE(stiffnessX), GOLDEN_VALUE(stiffnessY),
              GOLDEN_VALUE(startOffsetX), GOLDEN_VALUE(startOffsetY), GOLDEN_VALUE(endOffsetX),
              GOLDEN_VALUE(endOffsetY), GOLDEN_VALUE(momentYXStart), GOLDEN_VALUE(momentXYStart),
              GOLDEN_VALUE(momentYXEnd), GOLDEN_VALUE(momentXYEnd), GOLDEN_VALUE(startDistanceX),
              GOLDEN_VALUE(startDistanceY), GOLDEN_VALUE(endDistanceX), GOLDEN_VALUE(endDistanceY),
              GOLDEN_VALUE(torsionXStart), GOLDEN_VALUE(torsionYStart), GOLDEN_VALUE(torsionXEnd),
              GOLDEN_VALUE(torsionYEnd), GOLDEN_VALUE(originDistanceX),
              GOLDEN_VALUE(originDistanceY), GOLDEN_VALUE(momentYX), GOLDEN_VALUE(momentXY),
              GOLDEN_VALUE(centreDistanceX), GOLDEN_VALUE(centreDistanceY),
              GOLDEN_VALUE(torsionTermX), GOLDEN_VALUE(torsionTermY));
// Hashed as the four tables of ResultDigests: the lists, the outline up to its counts, the node
// map with its end codes, the wall results.
GOLDEN_FIELDS(WallEvaluationResults, GOLDEN_VALUE(WallLineLists), GOLDEN_VALUE(StoreyOutline),
              GOLDEN_VALUE(StoreyOutlineCount), GOLDEN_VALUE(GridNodeMap),
              GOLDEN_VALUE(GridCellWalls), GOLDEN_VALUE(WallResult));
GOLDEN_FIELDS(RigidityResults, GOLDEN_VALUE(WallStrengthSumX), GOLDEN_VALUE(WallStrengthSumY),
              GOLDEN_VALUE(StiffnessSumX), GOLDEN_VALUE(StiffnessSumY),
              GOLDEN_VALUE(StiffnessMomentYX), GOLDEN_VALUE(StiffnessMomentXY),
              GOLDEN_VALUE(RigidityCentreX), GOLDEN_VALUE(RigidityCentreY),
              GOLDEN_VALUE(EccentricityX), GOLDEN_VALUE(EccentricityY), GOLDEN_VALUE(TorsionTermX),
              GOLDEN_VALUE(TorsionTermY), GOLDEN_VALUE(TorsionalStiffness),
              GOLDEN_VALUE(ElasticRadiusX), GOLDEN_VALUE(ElasticRadiusY),
              GOLDEN_VALUE(EccentricityRatioX), GOLDEN_VALUE(EccentricityRatioY),
              GOLDEN_VALUE(EccentricityReductionX), GOLDEN_VALUE(EccentricityReductionY),
              GOLDEN_VALUE(TorsionFactorX), GOLDEN_VALUE(TorsionFactorY),
              GOLDEN_VALUE(StoreyDriftX), GOLDEN_VALUE(StoreyDriftY), GOLDEN_VALUE(StiffnessRatioX),
              GOLDEN_VALUE(StiffnessRatioY), GOLDEN_VALUE(StiffnessReductionX),
              GOLDEN_VALUE(StiffnessReductionY), GOLDEN_VALUE(MeanStoreyDriftX),
              GOLDEN_VALUE(MeanStoreyDriftY), GOLDEN_VALUE(LineStiffnessX),
              GOLDEN_VALUE(LineStiffnessY), GOLDEN_VALUE(LineShearX), GOLDEN_VALUE(LineShearY),
              GOLDEN_VALUE(QuarterWallStrength));
GOLDEN_FIELDS(ColumnJointRecord, GOLDEN_VALUE(pw1X), GOLDEN_VALUE(pw1Y), GOLDEN_VALUE(a1X),
              GOLDEN_VALUE(a1Y), GOLDEN_VALUE(b1), GOLDEN_VALUE(upper1Count),
              GOLDEN_VALUE(upper1Total), GOLDEN_VALUE(upper1No), GOLDEN_VALUE(upper1PwX),
              GOLDEN_VALUE(upper1PwY), GOLDEN_VALUE(upper1AX), GOLDEN_VALUE(upper1AY),
              GOLDEN_VALUE(upper1DistA), GOLDEN_VALUE(upper1DistB), GOLDEN_VALUE(pw2X),
              GOLDEN_VALUE(pw2Y), GOLDEN_VALUE(a2X), GOLDEN_VALUE(a2Y), GOLDEN_VALUE(b2),
              GOLDEN_VALUE(upper2Count), GOLDEN_VALUE(upper2Total), GOLDEN_VALUE(upper2No),
              GOLDEN_VALUE(upper2PwX), GOLDEN_VALUE(upper2PwY), GOLDEN_VALUE(upper2AX),
              GOLDEN_VALUE(upper2AY), GOLDEN_VALUE(upper2DistA), GOLDEN_VALUE(upper2DistB),
              GOLDEN_VALUE(pw3X), GOLDEN_VALUE(pw3Y), GOLDEN_VALUE(a3X), GOLDEN_VALUE(a3Y),
              GOLDEN_VALUE(b3), GOLDEN_VALUE(upper1SumPwX), GOLDEN_VALUE(upper1SumPwY),
              GOLDEN_VALUE(upper1SumAX), GOLDEN_VALUE(upper1SumAY), GOLDEN_VALUE(upper2SumPwX),
              GOLDEN_VALUE(upper2SumPwY), GOLDEN_VALUE(upper2SumAX), GOLDEN_VALUE(upper2SumAY),
              GOLDEN_VALUE(lValue), GOLDEN_VALUE(pullOutX), GOLDEN_VALUE(pullOutY),
              GOLDEN_VALUE(nValueX), GOLDEN_VALUE(nValueY));
// The spare bytes only keep the record free of padding.
GOLDEN_FIELDS(NValueStatus, GOLDEN_VALUE(ok), GOLDEN_TEXT(text), GOLDEN_NOTHING(spare),
              GOLDEN_VALUE(colour));
GOLDEN_FIELDS(ColumnJointResults, GOLDEN_VALUE(ColumnOrder), GOLDEN_VALUE(ColumnOrderCount),
              GOLDEN_VALUE(ColumnJointResult), GOLDEN_VALUE(FailingColumn),
              GOLDEN_VALUE(FailingColumnCount), GOLDEN_VALUE(Status));
GOLDEN_FIELDS(FloorSpecAreaResult, GOLDEN_VALUE(area), GOLDEN_VALUE(ratioArea));
GOLDEN_FIELDS(FloorResults, GOLDEN_VALUE(FloorSpecRectResult), GOLDEN_VALUE(FloorSpecTriResult),
              GOLDEN_VALUE(FloorSpecAreaSum), GOLDEN_VALUE(FloorRatioAreaSum),
              GOLDEN_VALUE(MeanFloorRatio), GOLDEN_VALUE(FloorReductionX),
              GOLDEN_VALUE(FloorReductionY), GOLDEN_VALUE(ReductionFactorX),
              GOLDEN_VALUE(ReductionFactorY), GOLDEN_VALUE(QuarterWallRatio),
              GOLDEN_VALUE(FloorClass));
GOLDEN_FIELDS(FloorCheckResults, GOLDEN_VALUE(UnitStoreyShear), GOLDEN_VALUE(FloorCheckLineTables),
              GOLDEN_VALUE(FloorCheckSpanTables), GOLDEN_VALUE(FloorCheckRatios),
              GOLDEN_VALUE(FloorCheckFlags));
GOLDEN_FIELDS(ScoreResults, GOLDEN_VALUE(RetainedStrengthX), GOLDEN_VALUE(RetainedStrengthY),
              GOLDEN_VALUE(StoreyScoreX), GOLDEN_VALUE(StoreyScoreY),
              GOLDEN_VALUE(OtherElementsStrength), GOLDEN_VALUE(BuildingScore),
              GOLDEN_VALUE(GoverningColumn), GOLDEN_VALUE(GoverningColumnX),
              GOLDEN_VALUE(GoverningColumnY), GOLDEN_VALUE(FloorStrengthMarks),
              GOLDEN_VALUE(FloorCheckWork));
GOLDEN_FIELDS(PanelLabel, GOLDEN_TEXT(text), GOLDEN_VALUE(font), GOLDEN_VALUE(background));
GOLDEN_FIELDS(ResultPanel, GOLDEN_VALUE(FloorCheckState), GOLDEN_VALUE(FloorCheckStorey),
              GOLDEN_VALUE(ScoreX), GOLDEN_VALUE(ScoreY), GOLDEN_VALUE(EccentricityX),
              GOLDEN_VALUE(EccentricityY), GOLDEN_VALUE(EccentricityCaption),
              GOLDEN_VALUE(WallDirectBelow), GOLDEN_VALUE(ColumnDirectBelow),
              GOLDEN_VALUE(PartitionRatio), GOLDEN_VALUE(WallDirectBelowRatio),
              GOLDEN_VALUE(ColumnDirectBelowRatio), GOLDEN_VALUE(PartitionWallRatio));
// A notice is told by its id: its texts are those of the id.
GOLDEN_FIELDS(CalcNotice, GOLDEN_VALUE(id), GOLDEN_NOTHING(text), GOLDEN_NOTHING(caption));
// The notices are hashed (see OutcomeDigests) and written up to their count.
GOLDEN_FIELDS(CalcNoticeList, GOLDEN_VALUE(count), GOLDEN_VALUE(items));
GOLDEN_FIELDS(DiagnosisOutcome, GOLDEN_VALUE(Panel), GOLDEN_VALUE(NValue),
              GOLDEN_VALUE(GridResetNotice), GOLDEN_VALUE(Notices));
GOLDEN_FIELDS(WallRecord, GOLDEN_VALUE(x1), GOLDEN_VALUE(y1), GOLDEN_VALUE(x2), GOLDEN_VALUE(y2),
              GOLDEN_VALUE(type), GOLDEN_VALUE(bracing), GOLDEN_VALUE(panelL), GOLDEN_VALUE(panelR),
              GOLDEN_VALUE(jointSpec), GOLDEN_VALUE(deterioration), GOLDEN_VALUE(foundationClass),
              GOLDEN_VALUE(changeFlags), GOLDEN_VALUE(cautionFlags), GOLDEN_VALUE(retrofitNo));
// The default answer of a message a run makes the window show tells nothing more: every one is
// a box with OK alone (a question fails the golden tests), whose Enter answers OK.
GOLDEN_FIELDS(ScriptedMessages::Shown, GOLDEN_VALUE(text), GOLDEN_VALUE(caption),
              GOLDEN_VALUE(buttons), GOLDEN_VALUE(icon), GOLDEN_NOTHING(defaultAnswer));
GOLDEN_FIELDS(CanvasSize, GOLDEN_VALUE(width), GOLDEN_VALUE(height));
GOLDEN_FIELDS(CanvasPoint, GOLDEN_VALUE(x), GOLDEN_VALUE(y));
GOLDEN_FIELDS(CanvasPen, GOLDEN_VALUE(colour), GOLDEN_VALUE(width), GOLDEN_VALUE(style),
              GOLDEN_VALUE(mode));
GOLDEN_FIELDS(CanvasBrush, GOLDEN_VALUE(colour), GOLDEN_VALUE(style));
GOLDEN_FIELDS(CanvasFont, GOLDEN_VALUE(height), GOLDEN_VALUE(width), GOLDEN_VALUE(escapement),
              GOLDEN_VALUE(weight), GOLDEN_VALUE(italic), GOLDEN_VALUE(face), GOLDEN_VALUE(colour));
GOLDEN_FIELDS(RecordingCanvas::Op, GOLDEN_VALUE(kind), GOLDEN_VALUE(points), GOLDEN_VALUE(text),
              GOLDEN_VALUE(pen), GOLDEN_VALUE(brush), GOLDEN_VALUE(font), GOLDEN_VALUE(job),
              GOLDEN_VALUE(page));
GOLDEN_FIELDS(RecordingPrintDevice::Event, GOLDEN_VALUE(step), GOLDEN_VALUE(job),
              GOLDEN_VALUE(page));

#undef GOLDEN_FIELDS
#undef GOLDEN_VALUE
#undef GOLDEN_TEXT
#undef GOLDEN_NOTHING

// Calls each(field) for every member of S in the order of its declaration.
template <typename S, typename Each>
void ForEachField(Each&& each) {
    std::apply([&](const auto&... field) { (each(field), ...); }, FieldsOf<S>::list());
}

// A zero-terminated text of a fixed field, without what lies after its end.
template <std::size_t N>
std::string TextOf(const char (&text)[N]) {
    return std::string(text, std::find(text, text + N, '\0'));
}

template <typename T>
inline constexpr bool IsVector = false;
template <typename E, typename A>
inline constexpr bool IsVector<std::vector<E, A>> = true;

// ---- Digests ----

class Digest;
template <typename S>
void HashFields(Digest& d, const S& s);
void HashFields(Digest& d, const WallLineList& l);

class Digest {
public:
    template <typename T>
    Digest& add(const T& v) {
        if constexpr (std::is_array_v<T>) {
            using E = std::remove_all_extents_t<T>;
            if constexpr (std::is_same_v<E, double>) {
                // The big tables: one loop over every number.
                const auto* p = reinterpret_cast<const double*>(&v);
                for (std::size_t i = 0; i < sizeof(T) / sizeof(double); ++i) number(p[i]);
            } else if constexpr (std::is_same_v<E, int32_t>) {
                const auto* p = reinterpret_cast<const int32_t*>(&v);
                for (std::size_t i = 0; i < sizeof(T) / sizeof(int32_t); ++i)
                    word(static_cast<uint32_t>(p[i]), 4);
            } else {
                for (const auto& e : v) add(e);
            }
        } else if constexpr (std::is_same_v<T, double>) {
            number(v);
        } else if constexpr (std::is_same_v<T, bool>) {
            word(v ? 1 : 0, 1);
        } else if constexpr (std::is_enum_v<T>) {
            word(static_cast<uint64_t>(static_cast<int64_t>(v)), 8);
        } else if constexpr (std::is_integral_v<T>) {
            word(static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(v)), sizeof(T));
        } else if constexpr (std::is_same_v<T, std::string>) {
            add(v.size());
            flushZeros();
            for (char c : v) byte(static_cast<unsigned char>(c));
        } else if constexpr (std::is_same_v<T, const char*>) {
            add(std::string(v ? v : ""));
        } else if constexpr (IsVector<T>) {
            add(v.size());
            for (const auto& e : v) add(e);
        } else {
            HashFields(*this, v);
        }
        return *this;
    }
    // The first `count` elements of a list (count brought into 0..capacity).
    template <typename E, std::size_t N>
    Digest& list(const E (&v)[N], int64_t count) {
        const std::size_t n = count < 0 ? 0 : std::min<std::size_t>(N, std::size_t(count));
        add(n);
        for (std::size_t i = 0; i < n; ++i) add(v[i]);
        return *this;
    }

    uint64_t value() {
        flushZeros();
        return h_;
    }
    std::string hex() {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value()));
        return text;
    }

private:
    void number(double v) {
        uint64_t bits;
        if (v != v)
            bits = 0x7FF8000000000000ull;
        else
            std::memcpy(&bits, &v, sizeof bits);
        word(bits, 8);
    }
    void word(uint64_t bits, int bytes) {
        if (bits == 0) {
            ++zeros_;
            return;
        }
        flushZeros();
        for (int i = 0; i < bytes; ++i) byte(static_cast<unsigned char>(bits >> (8 * i)));
    }
    void flushZeros() {
        if (zeros_ == 0) return;
        const uint64_t run = zeros_;
        zeros_ = 0;
        byte(0xA5);
        for (int i = 0; i < 8; ++i) byte(static_cast<unsigned char>(run >> (8 * i)));
    }
    void byte(unsigned char b) {
        h_ ^= b;
        h_ *= 0x100000001B3ull; // FNV-1a 64
    }

    uint64_t h_ = 0xCBF29CE484222325ull;
    uint64_t zeros_ = 0;
};

// Every listed member in turn.
template <typename S>
void HashFields(Digest& d, const S& s) {
    static_assert(HasFieldList<S>, "a struct the digests take needs its field list");
    ForEachField<S>([&](const auto& field) {
        using F = std::decay_t<decltype(field)>;
        if constexpr (F::take == Take::Value)
            d.add(s.*field.member);
        else if constexpr (F::take == Take::Text)
            d.add(TextOf(s.*field.member));
    });
}
inline void HashFields(Digest& d, const WallLineList& l) {
    d.list(l.entries, l.count);
}

// ---- The tables of one run ----

// The result tables of a run and the document whose wall words it wrote: those of the program
// (LiveTables), or copies of them.
struct ResultTables {
    const RequiredStrengthResults& required;
    const WallEvaluationResults& walls;
    const RigidityResults& rigidity;
    const ColumnJointResults& joints;
    const FloorResults& floors;
    const FloorCheckResults& floorCheck;
    const ScoreResults& scores;
    const Document& doc;
};

inline ResultTables LiveTables() {
    return {ReqResult, WallEval, RigidityRes, NValueRes, FloorRes, FloorCheck, ScoreRes, Doc};
}

// The outline of every scenario and storey, up to its counts.
struct OutlineTable {
    const WallEvaluationResults& walls;
};
inline void HashFields(Digest& d, const OutlineTable& t) {
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f)
            d.list(t.walls.StoreyOutline[s][f], t.walls.StoreyOutlineCount[s][f]);
}
// The node map and its bracing end codes.
struct NodeMapTable {
    const WallEvaluationResults& walls;
};
inline void HashFields(Digest& d, const NodeMapTable& t) {
    d.add(t.walls.GridNodeMap).add(t.walls.GridCellWalls);
}
// The live walls of the three scenarios, with the words the run writes into them.
struct WallWordsTable {
    const Document& doc;
};
inline void HashFields(Digest& d, const WallWordsTable& t) {
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f)
            d.list(t.doc.Walls[s][f], LiveCount(t.doc.WallCount[s][f], MaxWalls));
}

// Calls each(name, table) for every table of the digest file, in its order.
template <typename Each>
void ForEachResultTable(const ResultTables& t, Each&& each) {
    each("required", t.required);
    each("wall-lists", t.walls.WallLineLists);
    each("outline", OutlineTable{t.walls});
    each("node-map", NodeMapTable{t.walls});
    each("wall-results", t.walls.WallResult);
    each("rigidity", t.rigidity);
    each("column-joints", t.joints);
    each("floors", t.floors);
    each("floor-check", t.floorCheck);
    each("scores", t.scores);
    each("wall-words", WallWordsTable{t.doc});
}

// One digest per result table of the last run, in a fixed order, as (table, digest).
using Digests = std::vector<std::pair<std::string, std::string>>;

// The result tables of the last run and the live walls of the three scenarios.
inline Digests ResultDigests() {
    Digests out;
    ForEachResultTable(LiveTables(), [&out](const char* name, const auto& table) {
        out.emplace_back(name, Digest().add(table).hex());
    });
    return out;
}

// A number as every shown number is written (never "nan", "inf" or "-0").
inline std::string ShownNumber(const char* format, double value) {
    char text[64];
    FormatShown(text, sizeof text, format, value);
    return text;
}

// The headline numbers of the last run, for every storey up to the top of the scenario it ran:
// the storey scores in X and Y and the eccentricity ratios of the basic case, and the required
// strength, as ("2F-score-X", "0.912").
inline Digests HeadlineNumbers() {
    Digests out;
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    for (int f = 0; f <= TopStoreyOf(s); ++f) {
        const std::string storey = std::to_string(f + 1) + "F-";
        out.emplace_back(storey + "score-X", ShownNumber("%.3f", ScoreRes.StoreyScoreX[s][f][0]));
        out.emplace_back(storey + "score-Y", ShownNumber("%.3f", ScoreRes.StoreyScoreY[s][f][0]));
        out.emplace_back(storey + "required",
                         ShownNumber("%.2f", ReqResult.RequiredStrength[s][f]));
        out.emplace_back(storey + "eccentricity-X",
                         ShownNumber("%.3f", RigidityRes.EccentricityRatioX[s][f][0]));
        out.emplace_back(storey + "eccentricity-Y",
                         ShownNumber("%.3f", RigidityRes.EccentricityRatioY[s][f][0]));
    }
    return out;
}

// The panel and N-value status of an outcome, and the messages the window showed after it.
inline Digests OutcomeDigests(const DiagnosisOutcome& o,
                              const std::vector<ScriptedMessages::Shown>& shown) {
    Digests out;
    out.emplace_back("panel", Digest().add(o.Panel).add(o.NValue).hex());
    Digest notices;
    notices.add(o.GridResetNotice).add(o.Notices.count);
    for (int i = 0; i < o.Notices.count && i < CalcNoticeList::Capacity; ++i)
        notices.add(o.Notices.items[i].id);
    notices.add(shown.size());
    for (const ScriptedMessages::Shown& m : shown) notices.add(m);
    out.emplace_back("notices", notices.hex());
    return out;
}

inline std::string OpsDigest(const std::vector<RecordingCanvas::Op>& ops) {
    return Digest().add(ops).hex();
}

// ---- The tables as text ----

// Writes tables as lines of "path value", one for every number, flag and text that is not zero
// or empty, in the order the digests take them: "floors.ReductionFactorX[0][1][0] 0.85". Lists
// are written up to their counts, as they are hashed. A number is written as the shared
// formatter writes it, with all the digits that tell it apart ("%.17g"); a number that is not
// one, an infinite one and a negative zero, which the formatter never writes, are written by
// name ("nan", "inf", "-inf", "-0"), since each moves a digest.
class TableText {
public:
    explicit TableText(std::string& out) : out_(out) {}

    template <typename T>
    void add(const std::string& name, const T& v) {
        path_ = name;
        put(v);
    }

    template <typename T>
    void put(const T& v) {
        if constexpr (std::is_array_v<T>) {
            for (std::size_t i = 0; i < std::extent_v<T>; ++i) {
                const std::size_t at = push("[" + std::to_string(i) + "]");
                put(v[i]);
                path_.resize(at);
            }
        } else if constexpr (std::is_same_v<T, double>) {
            number(v);
        } else if constexpr (std::is_same_v<T, bool>) {
            if (v) line("1");
        } else if constexpr (std::is_enum_v<T>) {
            put(static_cast<long long>(v));
        } else if constexpr (std::is_integral_v<T>) {
            if (v != 0) line(std::to_string(v));
        } else if constexpr (std::is_same_v<T, std::string>) {
            if (!v.empty()) line(Quoted(v));
        } else {
            Fields(*this, v);
        }
    }

    // The first `count` elements of a list, after the count.
    template <typename E, std::size_t N>
    void list(const E (&v)[N], int64_t count) {
        const std::size_t n = count < 0 ? 0 : std::min<std::size_t>(N, std::size_t(count));
        const std::size_t at = push(".count");
        put(static_cast<long long>(n));
        path_.resize(at);
        for (std::size_t i = 0; i < n; ++i) {
            push("[" + std::to_string(i) + "]");
            put(v[i]);
            path_.resize(at);
        }
    }

    // Appends to the path; returns its length before.
    std::size_t push(const std::string& part) {
        const std::size_t at = path_.size();
        path_ += part;
        return at;
    }
    void resize(std::size_t at) { path_.resize(at); }

private:
    void line(const std::string& value) {
        out_ += path_;
        out_ += ' ';
        out_ += value;
        out_ += '\n';
    }
    void number(double v) {
        if (std::isnan(v)) return line("nan");
        if (std::isinf(v)) return line(v > 0 ? "inf" : "-inf");
        if (v == 0) {
            if (std::signbit(v)) line("-0");
            return;
        }
        line(ShownNumber("%.17g", v));
    }
    // Printable ASCII as it stands, every other byte (CP932 texts) as \xNN.
    static std::string Quoted(const std::string& text) {
        std::string q = "\"";
        for (unsigned char c : text) {
            if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
                q += static_cast<char>(c);
            } else {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                q += hex;
            }
        }
        return q + "\"";
    }

    std::string& out_;
    std::string path_;
};

// Every listed member in turn, by name.
template <typename S>
void Fields(TableText& text, const S& s) {
    static_assert(HasFieldList<S>, "a struct the digests take needs its field list");
    ForEachField<S>([&](const auto& field) {
        using F = std::decay_t<decltype(field)>;
        if constexpr (F::take == Take::Value) {
            const std::size_t at = text.push(std::string(".") + field.name);
            text.put(s.*field.member);
            text.resize(at);
        } else if constexpr (F::take == Take::Text) {
            const std::size_t at = text.push(std::string(".") + field.name);
            text.put(TextOf(s.*field.member));
            text.resize(at);
        }
    });
}
// A column record as the check leaves it blank: nothing received (every column number -1).
inline ColumnJointRecord BlankColumnRecord() {
    ColumnJointRecord blank{};
    std::fill(std::begin(blank.upper1No), std::end(blank.upper1No), -1);
    std::fill(std::begin(blank.upper2No), std::end(blank.upper2No), -1);
    return blank;
}
// A blank column record is left out, as zeros are: a house of 3 columns would otherwise write
// 36,000 lines of -1.
inline void Fields(TableText& text, const ColumnJointRecord& r) {
    const ColumnJointRecord blank = BlankColumnRecord();
    if (std::memcmp(&r, &blank, sizeof r) != 0) Fields<ColumnJointRecord>(text, r);
}
inline void Fields(TableText& text, const WallLineList& l) {
    text.list(l.entries, l.count);
}
inline void Fields(TableText& text, const CalcNoticeList& l) {
    text.list(l.items, l.count);
}
inline void Fields(TableText& text, const OutlineTable& t) {
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            const std::size_t at =
                text.push("[" + std::to_string(s) + "][" + std::to_string(f) + "]");
            text.list(t.walls.StoreyOutline[s][f], t.walls.StoreyOutlineCount[s][f]);
            text.resize(at);
        }
}
inline void Fields(TableText& text, const NodeMapTable& t) {
    const std::size_t at = text.push(".GridNodeMap");
    text.put(t.walls.GridNodeMap);
    text.resize(at);
    text.push(".GridCellWalls");
    text.put(t.walls.GridCellWalls);
    text.resize(at);
}
inline void Fields(TableText& text, const WallWordsTable& t) {
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            const std::size_t at =
                text.push("[" + std::to_string(s) + "][" + std::to_string(f) + "]");
            text.list(t.doc.Walls[s][f], LiveCount(t.doc.WallCount[s][f], MaxWalls));
            text.resize(at);
        }
}

// The text of every table, each line led by the table's name as in the digest file.
inline std::string TablesAsText(const ResultTables& tables) {
    std::string out;
    TableText text(out);
    ForEachResultTable(tables,
                       [&text](const char* name, const auto& table) { text.add(name, table); });
    return out;
}

// ---- The file of expected digests ----

// Whether this run writes the digests instead of comparing them (scripts/rewrite-golden).
inline bool Rewriting() {
    const char* v = std::getenv("VELQUOR_REWRITE_GOLDEN");
    return v && *v && std::string(v) != "0";
}

inline std::string GoldenFile() {
    return std::string(VELQUOR_SOURCE_DIR) + "/tests/golden/results.txt";
}

// The houses whose tables are written as text (scripts/golden-tables): those whose name
// matches the shell pattern VELQUOR_GOLDEN_TABLES, into the file VELQUOR_GOLDEN_TABLES_FILE,
// after the last run of each, with its outcome.
inline void WriteTablesIfAsked(const std::string& house) {
    const char* pattern = std::getenv("VELQUOR_GOLDEN_TABLES");
    const char* path = std::getenv("VELQUOR_GOLDEN_TABLES_FILE");
    if (!pattern || !*pattern || !path || !*path) return;
    if (fnmatch(pattern, house.c_str(), 0) != 0) return;
    std::string text = "# house " + house + "\n" + TablesAsText(LiveTables());
    TableText outcome(text);
    outcome.add("outcome", LastDiagnosis());
    std::ofstream out(path, std::ios::app | std::ios::binary);
    out << text;
    EXPECT_TRUE(out.good()) << "cannot write " << path;
}

// The digests of one family of houses (one test): collected house by house, then compared
// with the family's lines of the file, or written into it in their place.
class Family {
public:
    explicit Family(std::string name) : name_(std::move(name)) {}

    // The digests of one house, named within the family, and the headline numbers of the run
    // that has just given them.
    void record(const std::string& house, const Digests& digests) {
        const std::string name = name_ + "/" + house;
        for (const auto& [table, digest] : digests) lines_.push_back({name, table, digest});
        for (const auto& [key, number] : HeadlineNumbers()) lines_.push_back({name, key, number});
        WriteTablesIfAsked(name);
    }

    // Compares with the file and reports every mismatch, or rewrites the family's lines.
    void finish() {
        const std::string path = GoldenFile();
        std::vector<std::string> kept; // the file's lines of other families
        std::map<std::pair<std::string, std::string>, std::string> expected;
        {
            std::ifstream in(path);
            std::string line;
            while (std::getline(in, line)) {
                if (line.empty() || line[0] == '#') continue;
                std::istringstream fields(line);
                std::string house, table, digest;
                fields >> house >> table >> digest;
                if (ownHouse(house))
                    expected[{house, table}] = digest;
                else
                    kept.push_back(line);
            }
        }
        if (Rewriting()) {
            for (const Line& l : lines_) kept.push_back(l.house + " " + l.table + " " + l.digest);
            std::sort(kept.begin(), kept.end());
            std::ofstream out(path, std::ios::trunc);
            out << "# The digests of the golden-result tests (tests/core/GoldenResultsTest.cpp),\n"
                   "# \"house table digest\", and the headline numbers of every house per storey\n"
                   "# (scores, required strength in kN, eccentricity ratios), \"house 2F-score-X\n"
                   "# 0.912\". Written by scripts/rewrite-golden; a change that moves a result on\n"
                   "# purpose rewrites them and shows which tables and numbers moved.\n";
            for (const std::string& l : kept) out << l << "\n";
            ASSERT_TRUE(out.good()) << "cannot write " << path;
            return;
        }
        std::ostringstream report;
        int mismatches = 0;
        std::map<std::string, int> byTable;
        for (const Line& l : lines_) {
            const auto it = expected.find({l.house, l.table});
            if (it == expected.end()) {
                report << "  " << l.house << " " << l.table << ": not in the file\n";
            } else {
                if (it->second == l.digest) {
                    expected.erase(it);
                    continue;
                }
                report << "  " << l.house << " " << l.table << ": expected " << it->second
                       << ", got " << l.digest << "\n";
                expected.erase(it);
            }
            ++mismatches;
            ++byTable[l.table];
        }
        for (const auto& [key, digest] : expected) {
            report << "  " << key.first << " " << key.second << ": in the file, not produced\n";
            ++mismatches;
            ++byTable[key.second];
        }
        if (mismatches == 0) return;
        std::ostringstream summary;
        for (const auto& [table, n] : byTable) summary << " " << table << " (" << n << ")";
        ADD_FAILURE() << mismatches << " line(s) of " << name_ << " differ from " << path << ";"
                      << summary.str() << ". If the change is meant, run scripts/rewrite-golden.\n"
                      << report.str();
    }

private:
    struct Line {
        std::string house, table, digest;
    };
    bool ownHouse(const std::string& house) const {
        return house.size() > name_.size() && house.compare(0, name_.size(), name_) == 0 &&
               house[name_.size()] == '/';
    }

    std::string name_;
    std::vector<Line> lines_;
};

} // namespace golden
