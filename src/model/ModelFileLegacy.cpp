// Readers of the older model files: "qv2" (the oldest ".vq2" layout, two storeys) and the
// diagnosis files of the ".vq0" lineage ("qv5", "qv7", and "qv8" named ".vq0"), with the
// conversion of their old wall and floor codes.
#include "model/Bounded.h"
#include "model/ModelFile.h"
#include "model/ModelFileLayout.h"

using namespace modelfile;

namespace {

// Old wall kind 0..3 to wall type.
constexpr int32_t LegacyWallKindMap[4] = {0, 1, 4, 14};

// Old strength-element code of the diagnosis files (bracing word and both panel words).
constexpr int32_t LegacyElementCodeMap[60] = {
    0,  1,  256, 384, 512, 640, 26, 27, 38, 39, 38, 39, 50, 51, 58, 59, 62, 63, 70, 71,
    74, 75, 82,  83,  44,  45,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
    20, 21, 22,  23,  24,  25,  26, 28, 29, 46, 47, 48, 49, 50, 51, 56, 57, 62, 64, 60};

// Old element code of "qv2" files; codes 31..34 are the mud walls.
constexpr int32_t LegacyElementCodeMapV2[41] = {
    0,  6,  7,  34, 36, 50, 51, 26, 28, 30, 32,  46,  47,  54,  48, 38, 38, 39, 39, 50, 58,
    51, 59, 62, 70, 63, 71, 74, 82, 75, 83, 256, 384, 512, 640, 37, 27, 29, 31, 49, 56};

constexpr int PanelRows = 70;

// The table value for an old code; a code outside the table names nothing known and gives 0
// (no element), counted as a repair.
template <std::size_t N>
int32_t Convert(const int32_t (&table)[N], int32_t code, int& repairs) {
    if (!InRange(code, N)) {
        ++repairs;
        return 0;
    }
    return table[code];
}

// A converted panel word: old codes that name a bracing row (70..83) or a mud wall name no
// panel material, so the panel slot stays empty rather than pointing past the panel table.
int32_t PanelRow(int32_t value) {
    return value >= 0 && value < PanelRows ? value : 0;
}

// Words 8 and 10 are recomputed by the next repaint; old files held other meanings there.
void KeepDerivedInRange(WallRecord& w) {
    w.jointSpec = ClampIndex(w.jointSpec, 4);
    w.foundationClass = ClampIndex(w.foundationClass, 3);
}

// Raises the joint word of every column of the slot standing at either end of the wall.
void RaiseEndColumnJoints(Document& d, int s, int f, const WallRecord& w, int32_t joint) {
    int n = ModelFileWriter::liveCount(d.ColumnCount[s][f], MaxColumns);
    for (int i = 0; i < n; ++i) {
        ColumnRecord& c = d.Columns[s][f][i];
        bool atEnd = (c.x == w.x1 && c.y == w.y1) || (c.x == w.x2 && c.y == w.y2);
        if (atEnd && c.joint < joint) c.joint = joint;
    }
}

// ---- "qv2" ---------------------------------------------------------------------------------

constexpr bool IsMudCodeV2(int32_t code) {
    return code >= 31 && code <= 34;
}

void ConvertWallV2(Document& d, int s, int f, WallRecord& w, int& repairs) {
    int32_t w5 = w.bracing, w6 = w.panelL, w7 = w.panelR, w8 = w.jointSpec;
    int32_t bracing = Convert(LegacyElementCodeMapV2, w5, repairs);
    if (IsMudCodeV2(w6))
        bracing += LegacyElementCodeMapV2[w6];
    else if (IsMudCodeV2(w7))
        bracing += LegacyElementCodeMapV2[w7];
    w.bracing = bracing;
    w.panelL = IsMudCodeV2(w6) ? 0 : PanelRow(Convert(LegacyElementCodeMapV2, w6, repairs));
    w.panelR = IsMudCodeV2(w7) ? 0 : PanelRow(Convert(LegacyElementCodeMapV2, w7, repairs));
    KeepDerivedInRange(w);
    RaiseEndColumnJoints(d, s, f, w, w8);
}

} // namespace

namespace {

// Brings a value read from a "qv2" file into lo..hi, counting a change.
int32_t InRangeV2(long long v, int32_t lo, int32_t hi, int& repairs) {
    if (v >= lo && v <= hi) return static_cast<int32_t>(v);
    ++repairs;
    return v < lo ? lo : hi;
}

// The two orders the records of "qv2" files are found in: scenario and storey outermost, kind by
// kind within, or kind by kind outermost. Either way the columns of a storey are read before
// its walls, whose conversion raises the joints of their end columns.
enum class RecordOrderV2 { StoreyMajor, KindMajor };

// Everything before the records: the texts, the storey rows, the areas, the grid and the counts.
void ReadV2Head(ModelFileReader& r, Document& d, int& repairs) {
    d.CriteriaEdition = EditionCity;
    d.DiagnosisMethod = MethodPreciseApprox;
    r.text(d.BuildingData.clientName);
    r.text(d.BuildingData.clientAddress);

    auto& sd = d.StoreyData;
    for (int s = 0; s < Scenarios; ++s)
        for (int row = 0; row < 2; ++row) {
            int32_t a = 0, b = 0, c = 0, foundation = 0;
            r.ints(a, b, c, foundation);
            if (row == 0 && r.ok()) {
                // a is the number of storeys, and a two-storey format has no third.
                sd.topStorey[s] = InRangeV2(a - 1LL, 0, 1, repairs);
                sd.weightClass[s] = b;
                // Weight 2 (very heavy) with a heavy wall would give 5: the heaviest class is 3.
                sd.roofWallClass[s] = InRangeV2(2LL * b + c, 0, 3, repairs);
            }
            d.FoundationFloorSpec.foundationClass = foundation;
        }
    for (int s = 0; s < Scenarios; ++s)
        for (int row = 0; row < 2; ++row) {
            r.real(sd.floorArea[row][s]);
            r.real(sd.totalFloorArea[s]);
            r.real(sd.buildingArea[s]);
        }
    for (auto& x : d.AxisX) r.real(x);
    for (auto& y : d.AxisY) r.real(y);
    r.real(d.Module);

    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < 2; ++f) {
            int32_t c[7];
            r.intArray(c, 7);
            d.RoomTextCount[s][f] = r.liveCount(c[0], MaxRoomTexts);
            d.ColumnCount[s][f] = r.liveCount(c[1], MaxColumns);
            d.WallCount[s][f] = r.liveCount(c[2], MaxWalls);
            d.RoofFloorRectCount[s][f] = r.liveCount(c[3], MaxRoofFloorRects);
            d.FloorSpecRectCount[s][f] = r.liveCount(c[4], MaxFloorSpecRects);
            d.RoofFloorTriCount[s][f] = r.liveCount(c[5], MaxRoofFloorTris);
            d.FloorSpecTriCount[s][f] = r.liveCount(c[6], MaxFloorSpecTris);
        }
}

void ReadV2Records(ModelFileReader& r, Document& d, int& repairs, RecordOrderV2 order) {
    // Kind k of storey (s, f): 0 room texts, 1 columns, 2 walls, 3 roof/floor rectangles,
    // 4 roof/floor triangles, 5 floor-spec rectangles, 6 floor-spec triangles.
    auto readKind = [&](int k, int s, int f) {
        switch (k) {
        case 0:
            for (int i = 0; i < d.RoomTextCount[s][f]; ++i)
                VisitRecord(r, d.RoomTexts[s][f][i], Layout::V8);
            break;
        case 1:
            for (int i = 0; i < d.ColumnCount[s][f]; ++i) {
                ColumnRecord& c = d.Columns[s][f][i];
                r.ints(c.x, c.y, c.kind); // joint and spare are not in the file: they stay 0
                r.checkAxes({c.x, c.y});
            }
            break;
        case 2:
            for (int i = 0; i < d.WallCount[s][f] && r.ok(); ++i) {
                WallRecord& w = d.Walls[s][f][i];
                r.ints(w.x1, w.y1, w.x2, w.y2, w.type, w.bracing, w.panelL, w.panelR, w.jointSpec,
                       w.deterioration, w.foundationClass);
                r.checkAxes({w.x1, w.y1, w.x2, w.y2});
                if (r.ok()) ConvertWallV2(d, s, f, w, repairs);
            }
            break;
        case 3:
            for (int i = 0; i < d.RoofFloorRectCount[s][f]; ++i)
                VisitRecord(r, d.RoofFloorRects[s][f][i], Layout::V8);
            break;
        case 4:
            for (int i = 0; i < d.RoofFloorTriCount[s][f]; ++i)
                VisitRecord(r, d.RoofFloorTris[s][f][i], Layout::V8);
            break;
        case 5:
            for (int i = 0; i < d.FloorSpecRectCount[s][f]; ++i)
                VisitRecord(r, d.FloorSpecRects[s][f][i], Layout::V8);
            break;
        case 6:
            for (int i = 0; i < d.FloorSpecTriCount[s][f]; ++i)
                VisitRecord(r, d.FloorSpecTris[s][f][i], Layout::V8);
            break;
        }
    };
    constexpr int KindsV2 = 7;
    if (order == RecordOrderV2::StoreyMajor) {
        for (int s = 0; s < Scenarios && r.ok(); ++s)
            for (int f = 0; f < 2 && r.ok(); ++f)
                for (int k = 0; k < KindsV2 && r.ok(); ++k) readKind(k, s, f);
    } else {
        for (int k = 0; k < KindsV2 && r.ok(); ++k)
            for (int s = 0; s < Scenarios && r.ok(); ++s)
                for (int f = 0; f < 2 && r.ok(); ++f) readKind(k, s, f);
    }
}

} // namespace

ModelReadStatus ReadModelFileV2(std::string_view file, Document& d, int& repairs) {
    ModelFileReader r(file, TagBytes);
    ReadV2Head(r, d, repairs);
    if (!r.ok()) return r.status();
    // Which of the two record orders a "qv2" file holds is not marked in it: a file refused in
    // the usual order is tried once in the other before the refusal stands. The records are
    // all read again then; only the column joints, which the file does not hold and the walls
    // raise, must first be put back as they were.
    const std::size_t recordsStart = r.position();
    const int repairsBeforeRecords = repairs;
    int32_t joints[Scenarios][2][MaxColumns];
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < 2; ++f)
            for (int i = 0; i < d.ColumnCount[s][f]; ++i)
                joints[s][f][i] = d.Columns[s][f][i].joint;
    ReadV2Records(r, d, repairs, RecordOrderV2::StoreyMajor);
    if (r.ok()) return r.status();

    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < 2; ++f)
            for (int i = 0; i < d.ColumnCount[s][f]; ++i)
                d.Columns[s][f][i].joint = joints[s][f][i];
    int kindMajorRepairs = repairsBeforeRecords;
    ModelFileReader again(file, recordsStart);
    ReadV2Records(again, d, kindMajorRepairs, RecordOrderV2::KindMajor);
    if (!again.ok()) return r.status(); // the refusal of the usual order
    repairs = kindMajorRepairs;
    return again.status();
}

ModelReadStatus ReadModelFileV2(std::string_view file, Document& doc) {
    int repairs = 0;
    return ReadModelFileV2(file, doc, repairs);
}

// ---- diagnosis files -------------------------------------------------------------------------

namespace {

constexpr bool IsMudCode(int32_t code) {
    return code >= 2 && code <= 5;
}

void ConvertWallDiagnosis(Document& d, int s, int f, WallRecord& w, int& repairs) {
    int32_t w4 = w.type, w5 = w.bracing, w6 = w.panelL, w7 = w.panelR, w8 = w.jointSpec;
    w.type = Convert(LegacyWallKindMap, w4, repairs);
    // The old code sits in the low seven bits, the mud class from bit 7 on is carried over.
    int32_t bracing =
        Convert(LegacyElementCodeMap, w5 % MudWallUnit, repairs) + MudWallUnit * (w5 / MudWallUnit);
    if (IsMudCode(w6))
        bracing += LegacyElementCodeMap[w6];
    else if (IsMudCode(w7))
        bracing += LegacyElementCodeMap[w7];
    w.bracing = bracing;
    w.panelL = IsMudCode(w6) ? 0 : PanelRow(Convert(LegacyElementCodeMap, w6, repairs));
    w.panelR = IsMudCode(w7) ? 0 : PanelRow(Convert(LegacyElementCodeMap, w7, repairs));
    w.deterioration = 2;
    KeepDerivedInRange(w);
    int32_t joint = 2 - w8;
    RaiseEndColumnJoints(d, s, f, w, joint < 0 ? 0 : joint);
}

// Old floor spec codes 0, 1 and 2. Code 1 was converted to 233 (brace 7), which is no
// brace of the table; 9 (board 9, no brace) is what it stood for.
int32_t ConvertFloorSpecCode(int32_t code) {
    switch (code) {
    case 0:
        return 3;
    case 1:
    case 2:
        return 9;
    default:
        return code;
    }
}

void ReadDiagnosisOverview(ModelFileReader& r, Document& d) {
    auto& b = d.BuildingData;
    auto& sd = d.StoreyData;
    auto& g = d.GroundFoundationSurvey;
    auto& fs = d.FoundationFloorSpec;
    auto& ds = d.DeteriorationSurvey;
    auto& p = d.PermitRecord;
    auto& rt = d.ReportTexts;
    int32_t unused[4];

    r.text(b.clientAddress);
    r.text(b.clientName);
    r.text(b.clientPhone);
    r.text(rt.receptionNumber);
    r.text(b.buildingUseOther);
    r.text(rt.diagnosticianMemo[0]);
    r.skip(33 + 81 + 2 * 17 + 2 * 33);
    r.text(g.surveyMethod);
    r.text(g.surveyEraYear);
    r.text(g.surveyMonth);
    r.text(g.surveyDay);
    r.text(b.siteAddress);
    for (auto& v : sd.topStorey) r.ints(v);
    r.skip(6 + 3 * 81 + 3 * 81);
    for (auto& v : sd.weightClass) r.ints(v);
    r.skip(3 * 6 + 3 * 6);
    for (auto& t : b.constructionEraYear) r.text(t);
    for (auto& t : b.constructionMonth) r.text(t);
    for (auto& t : b.constructionDay) r.text(t);
    for (auto& v : p.permitUnknown) r.ints(v);
    for (auto& v : b.extensionDone) r.ints(v);
    for (auto& v : sd.buildingArea) r.real(v);
    for (auto& row : sd.floorArea)
        for (auto& v : row) r.real(v);
    for (auto& v : sd.totalFloorArea) r.real(v);
    r.ints(b.buildingUse);
    r.skip(6);
    r.real(b.zoneFactorZ);
    r.skip(17);
    r.real(b.snowLoadTerm);
    for (auto& t : p.permitEraYear) r.text(t);
    for (auto& t : p.permitMonth) r.text(t);
    for (auto& t : p.permitDay) r.text(t);
    for (auto& t : p.permitNumber) r.text(t);
    for (auto& v : p.inspectionCertificate) r.ints(v);
    r.skip(6);
    r.ints(g.groundClass);
    r.text(g.groundCondition);
    r.text(g.groundMeasure);
    r.text(g.softGroundBasis);
    r.text(rt.diagnosticianMemo[1]);
    r.ints(g.slope);
    r.text(g.slopeCondition);
    r.intArray(g.slopeMeasure, 3);
    r.ints(fs.foundationType);
    r.ints(fs.foundationCrack);
    r.ints(fs.footBracing);
    r.text(fs.foundationMemo);
    r.text(g.crackLocation);
    r.intArray(g.crackCause, 3);
    r.text(g.crackCauseText);
    r.ints(fs.floorMaterial);
    r.text(rt.otherNotes[3]);
    r.text(ds.roofFinish);
    r.ints(ds.roofDeteriorated);
    r.text(ds.roofPlace);
    r.text(ds.roofState);
    r.ints(ds.gutterDeteriorated, ds.downpipeDeteriorated);
    r.text(ds.outerWallBase);
    r.text(ds.outerWallFinish);
    r.ints(ds.outerWallDeteriorated);
    r.text(ds.outerWallPlace);
    r.text(ds.outerWallState);
    r.ints(ds.exposedFrame);
    r.ints(ds.balcony);
    r.ints(ds.balconyParapetDeteriorated);
    r.text(ds.balconyMaterial);
    r.ints(ds.balconyDrainDeteriorated);
    r.text(ds.innerWallBase);
    r.text(ds.innerWallFinish);
    r.ints(ds.innerWallDeteriorated);
    r.text(ds.innerWallPlace);
    r.text(ds.bathNote);
    r.ints(ds.bathFinish);
    r.ints(ds.bathDeteriorated);
    r.intArray(ds.bathDamage, 2);
    r.ints(ds.floorDeteriorated, ds.corridorDeteriorated);
    r.ints(sd.atticStorage[0]);
    r.text(rt.otherNotes[0]);
    r.text(rt.otherNotes[2]);
    r.skip(6);
    r.text(rt.otherNotes[1]);
    r.skip(16);
    r.text(rt.otherNotes[5]);
    r.ints(ds.underfloorDeteriorated, fs.horizontalBrace, unused[0], unused[1]);
    r.ints(g.columnEndHardware, g.anchorBolts, g.beamColumnHardware, g.braceEndHardware);
    for (int line : {0, 1, 3, 4, 5, 6, 7, 9, 10, 12, 13, 15, 16, 18, 19, 20, 21})
        r.text(rt.findings[line]);
}

} // namespace

ModelReadStatus ReadDiagnosisFile(std::string_view file, Document& d, ModelFileKind kind,
                                  int& repairs) {
    ModelFileReader r(file, TagBytes);
    d.CriteriaEdition = EditionOlderFile;
    d.DiagnosisMethod = MethodGeneralDetailed;
    d.BuildingData.mixedStructure = 0;
    ReadDiagnosisOverview(r, d);

    for (auto& x : d.AxisX) r.real(x);
    for (auto& y : d.AxisY) r.real(y);
    for (auto& k : d.AxisKindX) r.ints(k);
    for (auto& k : d.AxisKindY) r.ints(k);
    r.real(d.Module);

    // Nine kinds in the count-line order, no reserved records.
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            int32_t line[9];
            r.intArray(line, 9);
            for (int k = 0; k < 9; ++k) {
                ElementKind ek = CountLineOrder[k];
                CountsOf(d, ek)[s][f] = r.liveCount(line[k], CapacityOf(ek));
            }
        }

    auto each = [&](auto& counts, auto&& read) {
        for (int s = 0; s < Scenarios && r.ok(); ++s)
            for (int f = 0; f < Storeys && r.ok(); ++f)
                for (int i = 0; i < counts[s][f] && r.ok(); ++i) read(s, f, i);
    };
    each(d.ColumnCount, [&](int s, int f, int i) {
        ColumnRecord& c = d.Columns[s][f][i];
        r.ints(c.x, c.y, c.kind, c.joint); // the spare word is not in the file
        r.checkAxes({c.x, c.y});
    });
    each(d.WallCount, [&](int s, int f, int i) {
        WallRecord& w = d.Walls[s][f][i];
        r.ints(w.x1, w.y1, w.x2, w.y2, w.type, w.bracing, w.panelL, w.panelR, w.jointSpec,
               w.deterioration, w.foundationClass);
        r.checkAxes({w.x1, w.y1, w.x2, w.y2});
        if (r.ok()) ConvertWallDiagnosis(d, s, f, w, repairs);
    });
    each(d.RoofFloorRectCount,
         [&](int s, int f, int i) { VisitRecord(r, d.RoofFloorRects[s][f][i], Layout::V8); });
    each(d.RoofFloorTriCount,
         [&](int s, int f, int i) { VisitRecord(r, d.RoofFloorTris[s][f][i], Layout::V8); });
    each(d.FloorSpecRectCount, [&](int s, int f, int i) {
        FloorSpecRectRecord& a = d.FloorSpecRects[s][f][i];
        VisitRecord(r, a, Layout::V8);
        a.code = ConvertFloorSpecCode(a.code);
    });
    each(d.FloorSpecTriCount, [&](int s, int f, int i) {
        FloorSpecTriRecord& a = d.FloorSpecTris[s][f][i];
        VisitRecord(r, a, Layout::V8);
        a.code = ConvertFloorSpecCode(a.code);
    });
    each(d.RoomTextCount,
         [&](int s, int f, int i) { VisitRecord(r, d.RoomTexts[s][f][i], Layout::V8); });
    each(d.FoundationCount,
         [&](int s, int f, int i) { VisitRecord(r, d.Foundations[s][f][i], Layout::V8); });
    each(d.FreeLineCount, [&](int s, int f, int i) {
        FreeLineRecord& l = d.FreeLines[s][f][i];
        if (kind == ModelFileKind::V5) {
            r.ints(l.x1, l.y1, l.x2, l.y2, l.style); // offsets and colour are not in the file
        } else {
            r.bareInts(l.x1, l.y1, l.x2, l.y2);
            r.styleColour(l.style, l.colour);
        }
        r.checkAxes({l.x1, l.y1, l.x2, l.y2});
        l.dx1 = l.dy1 = l.dx2 = l.dy2 = 0.0;
    });

    r.skip(13 * 11);
    auto& g = d.GroundFoundationSurvey;
    r.ints(g.braceSurvey);
    r.text(g.braceSurveyLocation);
    r.ints(g.braceInCalculation);
    r.text(g.braceAssumption);
    auto& rt = d.ReportTexts;
    for (int i = 6; i < 12; ++i) r.text(rt.otherNotes[i]);
    for (int i = 2; i < 6; ++i) r.text(rt.diagnosticianMemo[i]);
    // Line 5 was filled from the fifth slot of the overview part, the place between the lines
    // of topics 1 and 2; its own slot here takes over only when it holds a text, so neither
    // text is lost when one of them is empty. The old writer stored the same line in both
    // slots: the same text twice is one finding.
    FixedText<257> fifthSlot = rt.findings[5];
    for (int line : {2, 5, 8, 11, 14, 17, 22, 23}) r.text(rt.findings[line]);
    ModelReadStatus st = r.status();
    if (!st.ok || fifthSlot.empty() || fifthSlot.view() == rt.findings[5].view()) return st;
    if (rt.findings[5].empty()) {
        rt.findings[5] = fifthSlot;
        return st;
    }
    // Both hold a text: line 5 keeps its own, the other goes to the first empty line.
    for (auto& line : rt.findings)
        if (line.empty()) {
            line = fifthSlot;
            return st;
        }
    st.leftOut.push_back("所見の文章「" + cp932::toUtf8(fifthSlot.view()) + "」");
    return st;
}

ModelReadStatus ReadModelFileV5(std::string_view file, Document& doc) {
    int repairs = 0;
    return ReadDiagnosisFile(file, doc, ModelFileKind::V5, repairs);
}
ModelReadStatus ReadModelFileV7(std::string_view file, Document& doc) {
    int repairs = 0;
    return ReadDiagnosisFile(file, doc, ModelFileKind::V7, repairs);
}
ModelReadStatus ReadDiagnosisFileV8(std::string_view file, Document& doc) {
    int repairs = 0;
    return ReadDiagnosisFile(file, doc, ModelFileKind::Diagnosis, repairs);
}
