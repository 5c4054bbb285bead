#pragma once
// Digests of the results of a diagnosis run, for the golden-result tests: every result table,
// the wall words the run writes back into the document, the notices, the result panel, the
// report views and the printed pages, each reduced to a 64-bit FNV-1a value, and the file that
// keeps the expected values (one line per house and table: "house table digest").
//
// Values are hashed member by member, never as a struct's raw bytes, so that padding cannot
// reach a digest; a number is hashed as its little-endian bytes, every NaN as one quiet NaN (a
// folded constant and a computed one differ in sign). Runs of zero words, which fill most of
// the big tables, are hashed as their length.
#include "calc/Diagnosis.h"
#include "calc/FloorCheck.h"
#include "calc/FloorReduction.h"
#include "calc/NValues.h"
#include "calc/RequiredStrength.h"
#include "calc/ResultSummary.h"
#include "calc/Rigidity.h"
#include "calc/WallEvaluation.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "ports/RecordingCanvas.h"
#include "ports/RecordingPrintDevice.h"
#include "support/ScriptedMessages.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace golden {

class Digest;
void HashFields(Digest& d, const RoofFloorAreaResult& r);
void HashFields(Digest& d, const RequiredStrengthFactorsRecord& r);
void HashFields(Digest& d, const WallLineEntry& e);
void HashFields(Digest& d, const OutlineEdge& e);
void HashFields(Digest& d, const WallResultRecord& r);
void HashFields(Digest& d, const ColumnJointRecord& r);
void HashFields(Digest& d, const NValueStatus& s);
void HashFields(Digest& d, const FloorSpecAreaResult& r);
void HashFields(Digest& d, const PanelLabel& l);
void HashFields(Digest& d, const ResultPanel& p);
void HashFields(Digest& d, const WallRecord& w);
void HashFields(Digest& d, const CanvasPoint& p);
void HashFields(Digest& d, const CanvasPen& p);
void HashFields(Digest& d, const CanvasBrush& b);
void HashFields(Digest& d, const CanvasFont& f);
void HashFields(Digest& d, const RecordingCanvas::Op& op);

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

// A zero-terminated text of a fixed field, without what lies after its end.
template <std::size_t N>
std::string TextOf(const char (&text)[N]) {
    return std::string(text, std::find(text, text + N, '\0'));
}

inline void HashFields(Digest& d, const RoofFloorAreaResult& r) {
    d.add(r.area).add(r.floorArea).add(r.factoredArea).add(r.cityWeightedArea);
    d.add(r.centroidX).add(r.centroidY).add(r.momentX).add(r.momentY);
    d.add(r.cityMomentX).add(r.cityMomentY);
}
inline void HashFields(Digest& d, const RequiredStrengthFactorsRecord& r) {
    d.add(r.k1).add(r.k2).add(r.k3).add(r.k4).add(r.k5).add(r.k6);
    d.add(r.rf1).add(r.rf2).add(r.formulas);
}
inline void HashFields(Digest& d, const WallLineEntry& e) {
    d.add(e.wall).add(e.axis);
}
inline void HashFields(Digest& d, const OutlineEdge& e) {
    d.add(e.x1).add(e.y1).add(e.x2).add(e.y2).add(e.colourIndex);
}
inline void HashFields(Digest& d, const WallResultRecord& r) {
    d.add(r.strengthClass).add(r.strengthClass2012).add(r.lowerStorey).add(r.runKind);
    d.add(r.projectedLengthX).add(r.projectedLengthY).add(r.wallLength).add(r.effectiveLength);
    d.add(r.runLength);
    d.add(r.baseStrength).add(r.baseStiffness).add(r.deteriorationFactor);
    d.add(r.jointReductionFactor).add(r.reducedStrength).add(r.reducedStiffness);
    d.add(r.minReductionFactor).add(r.openingFactor).add(r.planValue);
    d.add(r.strengthX).add(r.strengthY).add(r.stiffnessX).add(r.stiffnessY);
    d.add(r.startOffsetX).add(r.startOffsetY).add(r.endOffsetX).add(r.endOffsetY);
    d.add(r.momentYXStart).add(r.momentXYStart).add(r.momentYXEnd).add(r.momentXYEnd);
    d.add(r.startDistanceX).add(r.startDistanceY).add(r.endDistanceX).add(r.endDistanceY);
    d.add(r.torsionXStart).add(r.torsionYStart).add(r.torsionXEnd).add(r.torsionYEnd);
    d.add(r.originDistanceX).add(r.originDistanceY).add(r.momentYX).add(r.momentXY);
    d.add(r.centreDistanceX).add(r.centreDistanceY).add(r.torsionTermX).add(r.torsionTermY);
}
inline void HashFields(Digest& d, const ColumnJointRecord& r) {
    d.add(r.pw1X).add(r.pw1Y).add(r.a1X).add(r.a1Y).add(r.b1);
    d.add(r.upper1Count).add(r.upper1Total).add(r.upper1No);
    d.add(r.upper1PwX).add(r.upper1PwY).add(r.upper1AX).add(r.upper1AY);
    d.add(r.upper1DistA).add(r.upper1DistB).add(r.pw2X).add(r.pw2Y).add(r.a2X).add(r.a2Y);
    d.add(r.b2);
    d.add(r.upper2Count).add(r.upper2Total).add(r.upper2No);
    d.add(r.upper2PwX).add(r.upper2PwY).add(r.upper2AX).add(r.upper2AY);
    d.add(r.upper2DistA).add(r.upper2DistB).add(r.pw3X).add(r.pw3Y).add(r.a3X).add(r.a3Y);
    d.add(r.b3);
    d.add(r.upper1SumPwX).add(r.upper1SumPwY).add(r.upper1SumAX).add(r.upper1SumAY);
    d.add(r.upper2SumPwX).add(r.upper2SumPwY).add(r.upper2SumAX).add(r.upper2SumAY);
    d.add(r.lValue).add(r.pullOutX).add(r.pullOutY).add(r.nValueX).add(r.nValueY);
}
inline void HashFields(Digest& d, const NValueStatus& s) {
    d.add(s.ok).add(TextOf(s.text)).add(s.colour);
}
inline void HashFields(Digest& d, const FloorSpecAreaResult& r) {
    d.add(r.area).add(r.ratioArea);
}
inline void HashFields(Digest& d, const PanelLabel& l) {
    d.add(TextOf(l.text)).add(l.font).add(l.background);
}
inline void HashFields(Digest& d, const ResultPanel& p) {
    d.add(p.FloorCheckState).add(p.FloorCheckStorey).add(p.ScoreX).add(p.ScoreY);
    d.add(p.EccentricityX).add(p.EccentricityY).add(p.EccentricityCaption);
    d.add(p.WallDirectBelow).add(p.ColumnDirectBelow).add(p.PartitionRatio);
    d.add(p.WallDirectBelowRatio).add(p.ColumnDirectBelowRatio).add(p.PartitionWallRatio);
}
inline void HashFields(Digest& d, const WallRecord& w) {
    d.add(w.x1).add(w.y1).add(w.x2).add(w.y2).add(w.type).add(w.bracing).add(w.panelL);
    d.add(w.panelR).add(w.jointSpec).add(w.deterioration).add(w.foundationClass);
    d.add(w.changeFlags).add(w.cautionFlags).add(w.retrofitNo);
}
inline void HashFields(Digest& d, const CanvasPoint& p) {
    d.add(p.x).add(p.y);
}
inline void HashFields(Digest& d, const CanvasPen& p) {
    d.add(p.colour).add(p.width).add(p.style).add(p.mode);
}
inline void HashFields(Digest& d, const CanvasBrush& b) {
    d.add(b.colour).add(b.style);
}
inline void HashFields(Digest& d, const CanvasFont& f) {
    d.add(f.height).add(f.width).add(f.escapement).add(f.weight).add(f.italic).add(f.face);
    d.add(f.colour);
}
inline void HashFields(Digest& d, const RecordingCanvas::Op& op) {
    d.add(op.kind).add(op.points.size());
    for (const CanvasPoint& p : op.points) d.add(p);
    d.add(op.text).add(op.pen).add(op.brush).add(op.font).add(op.job).add(op.page);
}

// ---- The tables of one run ----

// RigidityResults is doubles throughout and hashed as one array of them.
static_assert(sizeof(RigidityResults) % sizeof(double) == 0);

// One digest per result table of the last run, in a fixed order, as (table, digest).
using Digests = std::vector<std::pair<std::string, std::string>>;

inline std::string RequiredDigest() {
    const RequiredStrengthResults& r = ReqResult;
    Digest d;
    d.add(r.PlanFloorArea).add(r.DesignFloorArea).add(r.RoofFloorRectResult);
    d.add(r.RoofFloorTriResult).add(r.WeightedAreaSum).add(r.WeightedMomentX);
    d.add(r.WeightedMomentY).add(r.CityWeightedAreaSum).add(r.CityWeightedMomentX);
    d.add(r.CityWeightedMomentY).add(r.GravityCentreX).add(r.GravityCentreY);
    d.add(r.WeightAreaSums).add(r.StoreyExtentFlag).add(r.QuarterLines).add(r.QuarterFloorArea);
    d.add(r.ShortSideLength).add(r.ShapeFactor).add(r.LargestRectangleFlag);
    d.add(r.UnitRequiredStrength).add(r.UnitTableValue).add(r.QuarterUnitRequiredStrength);
    d.add(r.QuarterRequiredStrength).add(r.RequiredStrengthFactors).add(r.StoreyWeight);
    d.add(r.WeightRatio).add(r.BuildingHeight).add(r.NaturalPeriod);
    d.add(r.VibrationCharacteristic).add(r.GroundPeriod).add(r.ShearDistributionFactor);
    d.add(r.ShearCoefficient).add(r.RequiredStrength).add(r.SoftGroundFactor);
    d.add(r.MixedStructureFactor);
    return d.hex();
}

// The result tables of the last run and the live walls of the three scenarios.
inline Digests ResultDigests() {
    Digests out;
    out.emplace_back("required", RequiredDigest());
    {
        Digest d;
        for (const auto& scenario : WallEval.WallLineLists)
            for (const StoreyWallLines& lines : scenario)
                d.list(lines.x.entries, lines.x.count).list(lines.y.entries, lines.y.count);
        out.emplace_back("wall-lists", d.hex());
    }
    {
        Digest d;
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f)
                d.list(WallEval.StoreyOutline[s][f], WallEval.StoreyOutlineCount[s][f]);
        out.emplace_back("outline", d.hex());
    }
    out.emplace_back("node-map",
                     Digest().add(WallEval.GridNodeMap).add(WallEval.GridCellWalls).hex());
    out.emplace_back("wall-results", Digest().add(WallEval.WallResult).hex());
    out.emplace_back(
        "rigidity",
        Digest()
            .add(reinterpret_cast<const double(&)[sizeof(RigidityResults) / sizeof(double)]>(
                RigidityRes))
            .hex());
    {
        const ColumnJointResults& r = NValueRes;
        Digest d;
        d.add(r.ColumnOrder).add(r.ColumnOrderCount).add(r.ColumnJointResult);
        d.add(r.FailingColumn).add(r.FailingColumnCount).add(r.Status);
        out.emplace_back("column-joints", d.hex());
    }
    {
        const FloorResults& r = FloorRes;
        Digest d;
        d.add(r.FloorSpecRectResult).add(r.FloorSpecTriResult).add(r.FloorSpecAreaSum);
        d.add(r.FloorRatioAreaSum).add(r.MeanFloorRatio).add(r.FloorReductionX);
        d.add(r.FloorReductionY).add(r.ReductionFactorX).add(r.ReductionFactorY);
        d.add(r.QuarterWallRatio).add(r.FloorClass);
        out.emplace_back("floors", d.hex());
    }
    {
        const FloorCheckResults& r = FloorCheck;
        Digest d;
        d.add(r.UnitStoreyShear).add(r.FloorCheckLineTables).add(r.FloorCheckSpanTables);
        d.add(r.FloorCheckRatios).add(r.FloorCheckFlags);
        out.emplace_back("floor-check", d.hex());
    }
    {
        const ScoreResults& r = ScoreRes;
        Digest d;
        d.add(r.RetainedStrengthX).add(r.RetainedStrengthY).add(r.StoreyScoreX);
        d.add(r.StoreyScoreY).add(r.OtherElementsStrength).add(r.BuildingScore);
        d.add(r.GoverningColumn).add(r.GoverningColumnX).add(r.GoverningColumnY);
        d.add(r.FloorStrengthMarks).add(r.FloorCheckWork);
        out.emplace_back("scores", d.hex());
    }
    {
        Digest d;
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f)
                d.list(Doc.Walls[s][f], LiveCount(Doc.WallCount[s][f], MaxWalls));
        out.emplace_back("wall-words", d.hex());
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
    for (const ScriptedMessages::Shown& m : shown)
        notices.add(m.text).add(m.caption).add(m.buttons).add(m.icon);
    out.emplace_back("notices", notices.hex());
    return out;
}

inline std::string OpsDigest(const std::vector<RecordingCanvas::Op>& ops) {
    Digest d;
    d.add(ops.size());
    for (const RecordingCanvas::Op& op : ops) d.add(op);
    return d.hex();
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

// The digests of one family of houses (one test): collected house by house, then compared
// with the family's lines of the file, or written into it in their place.
class Family {
public:
    explicit Family(std::string name) : name_(std::move(name)) {}

    // The digests of one house, named within the family.
    void record(const std::string& house, const Digests& digests) {
        for (const auto& [table, digest] : digests)
            lines_.push_back({name_ + "/" + house, table, digest});
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
            out << "# The digests of the golden-result tests (tests/core/GoldenResultsTest.cpp):\n"
                   "# house table digest. Written by scripts/rewrite-golden; a change that moves\n"
                   "# a result on purpose rewrites them and shows which tables moved.\n";
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
                report << "  " << l.house << " " << l.table << ": no digest in the file\n";
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
        ADD_FAILURE() << mismatches << " digest(s) of " << name_ << " differ from " << path << ";"
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
