// The current-version model file: layout, writer, reader, load and save.
#include "model/ModelFile.h"
#include "model/ModelFileLayout.h"
#include "model/fileio/FileIo.h"
#include "support/FileFixtures.h"
#include "support/ScriptedMessages.h"
#include "support/Sjis.h"
#include "support/SystemCallScript.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <random>
#include <vector>

using namespace testfile;

namespace {

std::string Slice(const std::string& bytes, std::size_t offset, std::size_t n) {
    return bytes.substr(offset, n);
}

std::string IntField(const char* digits) { // digits already right-aligned in five characters
    return std::string(digits) + '\0';
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::string error;
    return fileio::ReadWholeFile(path, error).value_or("<missing>");
}

} // namespace

// ---- layout of the empty document, offsets worked out by hand ------------------------------

TEST(ModelFileLayout, EmptyDocumentHasTheDocumentedLengthAndOffsets) {
    auto d = StartDocument();
    std::string f = WriteModelFile(*d, 0);
    // 4 tag + 790 panels + 2 x 1700 axes + 2 x 600 kinds + 17 module + 459 counts
    // + 16 three-int line + 18355 overview block = 24241.
    ASSERT_EQ(f.size(), 24241u);
    EXPECT_EQ(Slice(f, 0, 4), std::string("qv8\0", 4));
    // Panel slot 0 at 4: symbol "X1" in a 5-byte slot, then strength 0 as "%16li".
    EXPECT_EQ(Slice(f, 4, 5), std::string("X1\0\0\0", 5));
    EXPECT_EQ(Slice(f, 9, 17), std::string(15, ' ') + "0" + '\0');
    // Name of slot 0 at 4 + 56 = 60: "その他1" in a 23-byte slot.
    EXPECT_EQ(Slice(f, 60, 23), Sjis("その他1") + std::string(23 - 7, '\0'));
    // Slot 1 starts at 4 + 79 = 83 with "(X1)".
    EXPECT_EQ(Slice(f, 83, 5), std::string("(X1)\0", 5));
    // AxisX[1] at 794 + 17 = 811 holds 0.91 m as 910; AxisX[99] at 794 + 99 x 17 = 2477 holds
    // 99 x 0.91 = 90.09 m as 90090.
    EXPECT_EQ(Slice(f, 811, 17), std::string(13, ' ') + "910" + '\0');
    EXPECT_EQ(Slice(f, 2477, 17), std::string(11, ' ') + "90090" + '\0');
    // AxisY[1] at 2494 + 17 = 2511.
    EXPECT_EQ(Slice(f, 2511, 17), std::string(13, ' ') + "910" + '\0');
    // AxisKindX[0] at 4194 and AxisKindY[99] at 4794 + 99 x 6 = 5388: one int each.
    EXPECT_EQ(Slice(f, 4194, 6), IntField("    0"));
    EXPECT_EQ(Slice(f, 5388, 6), IntField("    0"));
    // Module at 5394.
    EXPECT_EQ(Slice(f, 5394, 17), std::string(13, ' ') + "910" + '\0');
    // Nine count lines at 5411, 51 bytes each: ten zeros and a zero byte.
    std::string emptyLine;
    for (int k = 0; k < 10; ++k) emptyLine += "    0";
    emptyLine += '\0';
    for (int line = 0; line < 9; ++line) EXPECT_EQ(Slice(f, 5411 + 51 * line, 51), emptyLine);
    // No records: the three-int line at 5870, the overview block from 5886.
    EXPECT_EQ(Slice(f, 5870, 16), std::string("    0    0    0") + '\0');
    const std::size_t block = 5886;
    EXPECT_EQ(Slice(f, block, 81), Sjis("vu市") + std::string(81 - 4, '\0'));
    EXPECT_EQ(Slice(f, block + 162, 17), std::string("045-") + std::string(13, '\0'));
    EXPECT_EQ(Slice(f, block + 179, 81), Sjis("***-****vu市") + std::string(81 - 12, '\0'));
    EXPECT_EQ(Slice(f, block + 577, 11), std::string("5") + std::string(10, '\0'));
    EXPECT_EQ(Slice(f, block + 780, 17), std::string(12, ' ') + "1000" + '\0'); // Z = 1.0
    EXPECT_EQ(Slice(f, block + 797, 6), IntField("    1"));                     // topStorey[0]
    EXPECT_EQ(Slice(f, block + 1124, 81), Sjis("目視による") + std::string(81 - 10, '\0'));
    EXPECT_EQ(Slice(f, block + 1205, 11), std::string("4") + std::string(10, '\0'));
    EXPECT_EQ(Slice(f, block + 1238, 6), IntField("    1")); // groundClass
    EXPECT_EQ(Slice(f, block + 1590, 6), IntField("    1")); // foundationType
    EXPECT_EQ(Slice(f, block + 1916, 21), std::string("    1    0    0    0") + '\0');
    EXPECT_EQ(Slice(f, block + 3008, 6), IntField("    3")); // braceSurvey
    EXPECT_EQ(Slice(f, block + 3095, 6), IntField("    3")); // braceInCalculation
    EXPECT_EQ(Slice(f, block + 4814, 6), IntField("    1")); // inspectionCertificate[0]
    EXPECT_EQ(Slice(f, block + 11939, 6), std::string("0.0\0\0\0", 6));
    EXPECT_EQ(Slice(f, block + 17488, 11), std::string("    0    0") + '\0');
    // The nine storey heights close the file: 2.8 m as 2800.
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Slice(f, block + 18202 + 17 * i, 17), std::string(12, ' ') + "2800" + '\0');
}

// ---- the overview block, every field at the offset of its table ------------------------------

namespace {

// Sets each field it is shown to a value made from the field's offset in the block, or checks
// that the written bytes at that offset hold it. The rows below follow the block's offset table
// field by field, independently of the writer's visitor.
class OverviewProbe {
public:
    OverviewProbe(const std::string* written, std::size_t base) : written_(written), base_(base) {}
    void at(std::size_t offset) {
        EXPECT_EQ(cursor_, offset) << "the rows leave a gap or overlap before " << offset;
        cursor_ = offset;
    }
    template <std::size_t W>
    void text(FixedText<W>& t) {
        const std::string value = "@" + std::to_string(cursor_ % 10000);
        if (!written_) {
            t.set(value);
        } else {
            EXPECT_EQ(Slice(*written_, base_ + cursor_, W),
                      value + std::string(W - value.size(), '\0'))
                << cursor_;
        }
        cursor_ += W;
    }
    template <typename... T>
    void ints(T&... values) {
        int32_t* v[] = {&values...};
        intPointers(v, sizeof...(T));
    }
    void intArray(int32_t* values, int n) {
        int32_t* v[8];
        for (int i = 0; i < n; ++i) v[i] = values + i;
        intPointers(v, n);
    }
    void real(double& v) {
        if (!written_) {
            v = cursor_ + 0.125;
        } else {
            EXPECT_EQ(Slice(*written_, base_ + cursor_, 17), Real16(cursor_ * 1000 + 125))
                << cursor_;
        }
        cursor_ += 17;
    }
    std::size_t end() const { return cursor_; }

private:
    void intPointers(int32_t* const* v, int n) {
        std::string expected;
        for (int j = 0; j < n; ++j) {
            const int32_t value = static_cast<int32_t>((cursor_ + j) % 9000);
            if (!written_) *v[j] = value;
            char buf[8];
            std::snprintf(buf, sizeof buf, "%5i", value);
            expected += buf;
        }
        expected += '\0';
        if (written_) {
            EXPECT_EQ(Slice(*written_, base_ + cursor_, expected.size()), expected) << cursor_;
        }
        cursor_ += expected.size();
    }
    static std::string Real16(std::size_t n) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%16zu", n);
        return std::string(buf) + '\0';
    }
    const std::string* written_;
    std::size_t base_;
    std::size_t cursor_ = 0;
};

using Row = void (*)(Document&, OverviewProbe&);
#define TEXT(o, f)                                                                                 \
    [](Document& d, OverviewProbe& p) {                                                            \
        p.at(o);                                                                                   \
        p.text(d.f);                                                                               \
    }
#define TEXTS(o, f)                                                                                \
    [](Document& d, OverviewProbe& p) {                                                            \
        p.at(o);                                                                                   \
        for (auto& x : d.f) p.text(x);                                                             \
    }
#define INT(o, ...)                                                                                \
    [](Document& d, OverviewProbe& p) {                                                            \
        auto& b = d;                                                                               \
        p.at(o);                                                                                   \
        p.ints(__VA_ARGS__);                                                                       \
    }
#define INTS(o, f)                                                                                 \
    [](Document& d, OverviewProbe& p) {                                                            \
        p.at(o);                                                                                   \
        for (auto& x : d.f) p.ints(x);                                                             \
    }
#define INTARRAY(o, f, n)                                                                          \
    [](Document& d, OverviewProbe& p) {                                                            \
        p.at(o);                                                                                   \
        p.intArray(d.f, n);                                                                        \
    }
#define REAL(o, f)                                                                                 \
    [](Document& d, OverviewProbe& p) {                                                            \
        p.at(o);                                                                                   \
        p.real(d.f);                                                                               \
    }
#define REALS(o, f)                                                                                \
    [](Document& d, OverviewProbe& p) {                                                            \
        p.at(o);                                                                                   \
        for (auto& x : d.f) p.real(x);                                                             \
    }

// clang-format off
const Row OverviewTable[] = {
    TEXT(0, BuildingData.clientAddress), TEXT(81, BuildingData.clientName),
    TEXT(162, BuildingData.clientPhone), TEXT(179, BuildingData.ownerAddress),
    TEXT(260, BuildingData.ownerName), TEXT(341, BuildingData.ownerPhone),
    TEXT(358, BuildingData.siteAddress), TEXT(439, BuildingData.siteLotNumber),
    INT(520, b.BuildingData.structureType), INT(526, b.BuildingData.buildingUse),
    TEXT(532, BuildingData.buildingUseOther), INT(565, b.BuildingData.garage),
    INT(571, b.BuildingData.basement), TEXTS(577, BuildingData.constructionEraYear),
    TEXTS(621, BuildingData.constructionMonth), TEXTS(665, BuildingData.constructionDay),
    INTS(709, PermitRecord.permitUnknown), INTS(733, BuildingData.extensionDone),
    INT(757, b.BuildingData.mixedStructure), REAL(763, BuildingData.snowLoadTerm),
    REAL(780, BuildingData.zoneFactorZ), INTS(797, StoreyData.topStorey),
    INTS(815, StoreyData.atticStorage), INTS(833, StoreyData.weightClass),
    INTS(851, StoreyData.roofWallClass), REALS(869, StoreyData.buildingArea),
    REALS(920, StoreyData.floorArea[0]), REALS(971, StoreyData.floorArea[1]),
    REALS(1022, StoreyData.floorArea[2]), REALS(1073, StoreyData.totalFloorArea),
    TEXT(1124, GroundFoundationSurvey.surveyMethod), TEXT(1205, GroundFoundationSurvey.surveyEraYear),
    TEXT(1216, GroundFoundationSurvey.surveyMonth), TEXT(1227, GroundFoundationSurvey.surveyDay),
    INT(1238, b.GroundFoundationSurvey.groundClass), TEXT(1244, GroundFoundationSurvey.groundCondition),
    TEXT(1325, GroundFoundationSurvey.groundMeasure), TEXT(1406, GroundFoundationSurvey.softGroundBasis),
    INT(1487, b.GroundFoundationSurvey.slope), TEXT(1493, GroundFoundationSurvey.slopeCondition),
    INTARRAY(1574, GroundFoundationSurvey.slopeMeasure, 3), INT(1590, b.FoundationFloorSpec.foundationType),
    INT(1596, b.FoundationFloorSpec.foundationCrack), INT(1602, b.FoundationFloorSpec.footBracing),
    TEXT(1608, FoundationFloorSpec.foundationMemo), TEXT(1689, GroundFoundationSurvey.crackLocation),
    INTARRAY(1770, GroundFoundationSurvey.crackCause, 3), TEXT(1786, GroundFoundationSurvey.crackCauseText),
    INT(1867, b.FoundationFloorSpec.uniformFoundation), INT(1873, b.GroundFoundationSurvey.columnEndHardware),
    INTARRAY(1879, GroundFoundationSurvey.jointType, 4),
    INT(1900, b.GroundFoundationSurvey.anchorBolts, b.GroundFoundationSurvey.beamColumnHardware,
        b.GroundFoundationSurvey.braceEndHardware),
    INT(1916, b.FoundationFloorSpec.floorMaterial, b.FoundationFloorSpec.horizontalBrace,
        b.FoundationFloorSpec.largeVoid, b.FoundationFloorSpec.uniformFloor),
    TEXT(1937, DeteriorationSurvey.roofFinish), INT(2018, b.DeteriorationSurvey.roofDeteriorated),
    TEXT(2024, DeteriorationSurvey.roofPlace), TEXT(2105, DeteriorationSurvey.roofState),
    INT(2186, b.DeteriorationSurvey.gutterDeteriorated, b.DeteriorationSurvey.downpipeDeteriorated),
    TEXT(2197, DeteriorationSurvey.outerWallBase), TEXT(2278, DeteriorationSurvey.outerWallFinish),
    INT(2359, b.DeteriorationSurvey.outerWallDeteriorated), TEXT(2365, DeteriorationSurvey.outerWallPlace),
    TEXT(2446, DeteriorationSurvey.outerWallState), INT(2527, b.DeteriorationSurvey.exposedFrame),
    INT(2533, b.DeteriorationSurvey.balcony), TEXT(2539, DeteriorationSurvey.balconyMaterial),
    INT(2620, b.DeteriorationSurvey.balconyParapetDeteriorated),
    INT(2626, b.DeteriorationSurvey.balconyJointDeteriorated),
    INT(2632, b.DeteriorationSurvey.balconyDrainDeteriorated),
    TEXT(2638, DeteriorationSurvey.innerWallBase), TEXT(2719, DeteriorationSurvey.innerWallFinish),
    INT(2800, b.DeteriorationSurvey.innerWallDeteriorated), TEXT(2806, DeteriorationSurvey.innerWallPlace),
    INT(2887, b.DeteriorationSurvey.bathFinish), TEXT(2893, DeteriorationSurvey.bathNote),
    INT(2974, b.DeteriorationSurvey.bathDeteriorated), INTARRAY(2980, DeteriorationSurvey.bathDamage, 2),
    INT(2991, b.DeteriorationSurvey.floorDeteriorated, b.DeteriorationSurvey.corridorDeteriorated),
    INT(3002, b.DeteriorationSurvey.underfloorDeteriorated), INT(3008, b.GroundFoundationSurvey.braceSurvey),
    TEXT(3014, GroundFoundationSurvey.braceSurveyLocation),
    INT(3095, b.GroundFoundationSurvey.braceInCalculation), TEXT(3101, GroundFoundationSurvey.braceAssumption),
    TEXTS(3358, ReportTexts.otherNotes), TEXT(4330, ReportTexts.receptionNumber),
    INT(4347, b.PermitRecord.extensionAfter1981, b.PermitRecord.mixedStructureScope),
    TEXTS(4358, PermitRecord.permitEraYear), TEXTS(4402, PermitRecord.permitMonth),
    TEXTS(4446, PermitRecord.permitDay), TEXTS(4490, PermitRecord.permitNumber),
    INTS(4814, PermitRecord.inspectionCertificate),
    INT(4838, b.PermitRecord.otherDrawings, b.PermitRecord.publicLoan),
    INTARRAY(4849, PermitRecord.drawingCheck, 3), TEXTS(4865, ReportTexts.findings),
    TEXTS(11033, ReportTexts.diagnosticianMemo), TEXT(11519, RetrofitApplication.reinforcementNo),
    TEXT(11525, RetrofitApplication.designerNumber), TEXT(11536, RetrofitApplication.designerAddress),
    TEXT(11617, RetrofitApplication.designerName), TEXT(11698, RetrofitApplication.designerPhone),
    TEXT(11715, RetrofitApplication.designerFax), TEXT(11732, RetrofitApplication.contractorNumber),
    TEXT(11743, RetrofitApplication.contractorAddress), TEXT(11824, RetrofitApplication.contractorName),
    TEXT(11905, RetrofitApplication.contractorPhone), TEXT(11922, RetrofitApplication.contractorFax),
    TEXT(11939, RetrofitApplication.diagnosisScoreText), TEXT(11945, RetrofitApplication.approvalNumber),
    TEXT(11962, RetrofitApplication.approvalEraYear), TEXT(11973, RetrofitApplication.approvalMonth),
    TEXT(11984, RetrofitApplication.approvalDay), TEXTS(11995, RetrofitApplication.basicPolicy),
    INT(13280, b.RetrofitApplication.retrofitDone[0]), TEXT(13286, RetrofitApplication.retrofitText[0]),
    TEXT(13543, RetrofitApplication.retrofitText[1]), TEXT(13800, RetrofitApplication.retrofitText[2]),
    INT(14057, b.RetrofitApplication.retrofitDone[1]), TEXT(14063, RetrofitApplication.retrofitText[3]),
    TEXT(14320, RetrofitApplication.retrofitText[4]), TEXT(14577, RetrofitApplication.retrofitText[5]),
    INT(14834, b.RetrofitApplication.retrofitDone[2]), TEXT(14840, RetrofitApplication.retrofitText[6]),
    TEXT(15097, RetrofitApplication.retrofitText[7]), TEXT(15354, RetrofitApplication.retrofitText[8]),
    INT(15611, b.RetrofitApplication.retrofitDone[3]), TEXT(15617, RetrofitApplication.retrofitText[9]),
    TEXT(15874, RetrofitApplication.retrofitText[10]), TEXT(16131, RetrofitApplication.retrofitText[11]),
    TEXT(16388, RetrofitApplication.roadWidth), TEXT(16394, RetrofitApplication.siteArea),
    INT(16400, b.RetrofitApplication.zoningDistrict), TEXT(16406, RetrofitApplication.designatedCoverage),
    TEXT(16412, RetrofitApplication.designatedFloorRatio), TEXT(16418, RetrofitApplication.buildingAreaText),
    TEXT(16424, RetrofitApplication.coverageRatio), TEXT(16430, RetrofitApplication.totalFloorAreaText),
    TEXT(16436, RetrofitApplication.floorAreaRatio), INT(16442, b.RetrofitApplication.roadProjection),
    INT(16448, b.RetrofitApplication.northSlope), INT(16454, b.RetrofitApplication.roadSlope),
    TEXTS(16460, RetrofitApplication.nonConformityMeasures),
    [](Document& d, OverviewProbe& p) { p.at(17488); for (auto& r : d.RetrofitApplication.lawCheck) p.intArray(r, 2); },
    [](Document& d, OverviewProbe& p) { p.at(17587); for (auto& r : d.RetrofitApplication.specChoice) p.intArray(r, 2); },
    [](Document& d, OverviewProbe& p) { p.at(17697); for (auto& r : d.RetrofitApplication.problemRepair) p.intArray(r, 2); },
    INT(17752, b.RetrofitApplication.roofTileNotApplicable), INTS(17758, RetrofitApplication.hearing1),
    INTS(17836, RetrofitApplication.hearing2), INTS(17902, RetrofitApplication.surveyGroundTerrain),
    INT(17914, b.RetrofitApplication.liquefaction), INTS(17920, RetrofitApplication.surveyItem),
    INTARRAY(17944, RetrofitApplication.innerWallSpec, 6), TEXTS(17975, RetrofitApplication.innerWallSpecText),
    INTS(18005, RetrofitApplication.columnHardware), INTARRAY(18017, RetrofitApplication.braceSpec, 8),
    INTS(18058, RetrofitApplication.surveyOther), INTARRAY(18070, RetrofitApplication.jointConcern, 5),
    INTARRAY(18096, RetrofitApplication.diaphragmConcern, 3), INTARRAY(18112, RetrofitApplication.floorSurvey, 2),
    INTARRAY(18123, RetrofitApplication.floorSurvey + 2, 4), INTARRAY(18144, RetrofitApplication.floorSurvey + 6, 3),
    INTARRAY(18160, RetrofitApplication.floorSurvey + 9, 4), INTARRAY(18181, RetrofitApplication.floorSurvey + 13, 4),
    [](Document& d, OverviewProbe& p) { p.at(18202); for (auto& r : d.StoreyData.storeyHeight) for (auto& h : r) p.real(h); },
};
// clang-format on
#undef TEXT
#undef TEXTS
#undef INT
#undef INTS
#undef INTARRAY
#undef REAL
#undef REALS

} // namespace

TEST(ModelFileLayout, EveryOverviewFieldIsWrittenAtItsOffset) {
    auto d = StartDocument();
    OverviewProbe set(nullptr, 0);
    for (Row row : OverviewTable) row(*d, set);
    ASSERT_EQ(set.end(), 18355u) << "the rows cover the whole block";
    const std::string f = WriteModelFile(*d, 0);
    ASSERT_EQ(f.size(), 5886u + 18355u);
    OverviewProbe check(&f, 5886);
    for (Row row : OverviewTable) row(*d, check);
    // And each comes back from its place.
    auto back = std::make_unique<Document>();
    ASSERT_TRUE(ReadModelFileV8(f, *back).ok);
    EXPECT_EQ(WriteModelFile(*back, 0), f);
}

TEST(ModelFileLayout, EachRecordAddsItsLengthAndKindsComeBeforeScenarios) {
    auto d = StartDocument();
    std::size_t empty = WriteModelFile(*d, 0).size();
    // A free line in scenario 2, storey 1 and a column in scenario 0, storey 0: the column
    // (kind 1) is written first although its scenario comes later in no order.
    d->FreeLineCount[2][1] = 1;
    d->FreeLines[2][1][0] = {3, 4, 5, 6, 0.5, -0.25, 0, 1.125, 2, 0x00FF00};
    d->ColumnCount[0][0] = 1;
    d->Columns[0][0][0] = {7, 8, 1, 5, 0};
    std::string f = WriteModelFile(*d, 2);
    ASSERT_EQ(f.size(), empty + 26 + 58);
    EXPECT_EQ(Slice(f, 5870, 26), std::string("    7    8    1    5    0") + '\0');
    EXPECT_EQ(Slice(f, 5896, 58),
              std::string("    3    4    5    6  0.500 -0.250  0.000  1.1252   65280") + '\0');
    // The three-int line holds the scenario on screen.
    EXPECT_EQ(Slice(f, 5954, 16), std::string("    2    0    0") + '\0');
}

TEST(ModelFileLayout, CountLineFollowsItsOwnKindOrder) {
    auto d = StartDocument();
    // Scenario 1, storey 2: one floor-spec rectangle (kind 5) and two roof/floor triangles
    // (kind 4). The count line lists kinds 1, 2, 3, 5, 4, 6, ...
    d->FloorSpecRectCount[1][2] = 1;
    d->FloorSpecRects[1][2][0] = {0, 0, 1, 1, 9};
    d->RoofFloorTriCount[1][2] = 2;
    std::string f = WriteModelFile(*d, 0);
    const std::size_t line = 5411 + 51 * (3 * 1 + 2); // scenario 1, storey 2
    EXPECT_EQ(Slice(f, line, 51),
              std::string("    0    0    0    1    2    0    0    0    0    0") + '\0');
    // Records in kind order: the two triangles (kind 4) before the rectangle (kind 5).
    EXPECT_EQ(Slice(f, 5870 + 2 * 36, 26), std::string("    0    0    1    1    9") + '\0');
}

// ---- field encodings -------------------------------------------------------------------------

struct RealCase {
    double value;
    int32_t stored;
};
class RealRounding : public ::testing::TestWithParam<RealCase> {};
TEST_P(RealRounding, RoundsHalfAwayFromZero) {
    EXPECT_EQ(modelfile::RealToThousandths(GetParam().value), GetParam().stored);
}
INSTANTIATE_TEST_SUITE_P(
    Values, RealRounding,
    ::testing::Values(RealCase{2.8, 2800}, RealCase{-2.8, -2800}, // not -2799
                      RealCase{0.286, 286},                       // 0.26 x 1.1 snow term
                      RealCase{0.0005, 1}, RealCase{-0.0005, -1}, RealCase{0.91, 910},
                      RealCase{1.23449, 1234},
                      // The double nearest 1.0005 is 1.00049999999999998934
                      // (and 1.2345 is 1.23449999999999993072), so
                      // trunc(v x 1000 + 0.5) is 1000 (1234); the double
                      // product v x 1000 rounds up to 1000.5 (1234.5).
                      RealCase{1.0005, 1000}, RealCase{1.2345, 1234}, RealCase{-1.0005, -1000},
                      // 0.0625 is exact: 62.5 goes away from zero.
                      RealCase{0.0625, 63}, RealCase{-0.0625, -63}, RealCase{1e12, 2147483647},
                      RealCase{-1e12, -2147483647 - 1}, RealCase{std::nan(""), 0}));

TEST(ModelFileFields, WriterNeverWidensAField) {
    auto d = StartDocument();
    std::size_t empty = WriteModelFile(*d, 0).size();
    d->WallCount[0][0] = 1;
    d->Walls[0][0][0] = {1, 2, 3, 4, 0, 123456, -70000, 0, 0, 2, 0, 0, 0, 0};
    d->FreeLineCount[0][0] = 1;
    d->FreeLines[0][0][0] = {0, 0, 1, 1, 1234.5, -150.0, 0, 0, 12, 0x7FFFFFFF};
    d->RoomTextCount[0][0] = 1;
    d->RoomTexts[0][0][0].text.set(Sjis("あいうえおかきくけこさしすせそた")); // 32 bytes
    d->StoreyData.storeyHeight[2][2] = 1e15;
    d->BuildingData.structureType = -123456;
    std::string f = WriteModelFile(*d, 0);
    ASSERT_EQ(f.size(), empty + 61 + 51 + 58);
    // Wall: bracing 123456 and panelL -70000 are held at the ends of what "%5i" holds.
    EXPECT_EQ(Slice(f, 5870 + 25, 10), "99999-9999");
    // Room text: at most 31 bytes, cut between characters (30 bytes of kana, no half one).
    const std::size_t room = 5870 + 61 + 20;
    EXPECT_EQ(Slice(f, room, 31), Sjis("あいうえおかきくけこさしすせそ") + '\0');
    // Free line: offsets held in "%7.3f", style one digit, colour eight digits.
    EXPECT_EQ(Slice(f, room + 31 + 20, 38),
              std::string("999.999-99.999  0.000  0.000999999999") + '\0');
    // The block still ends with the last height, at its place.
    EXPECT_EQ(f.substr(f.size() - 17), std::string("      2147483647") + '\0');
}

// The free-line offsets are formatted and parsed with integer arithmetic; the bytes must be
// those of "%W.3f" after the same clamping, for every value, exact halves (0.0625) included,
// and the value read back the one strtod gives.
TEST(ModelFileFields, IntegerFormattingGivesThePrintfBytes) {
    auto printfBytes = [](double value, int width) {
        double maxVal = std::pow(10.0, width - 4) - 0.001;
        double minVal = -(std::pow(10.0, width - 5) - 0.001);
        double v = std::isnan(value) ? 0.0 : std::fmin(std::fmax(value, minVal), maxVal);
        if (std::fabs(v) < 0.0005) v = 0.0;
        char buf[32];
        return std::string(
            buf, static_cast<std::size_t>(std::snprintf(buf, sizeof buf, "%*.3f", width, v)));
    };
    std::mt19937_64 rng(5);
    std::vector<double> values = {0.0625,
                                  -0.0625,
                                  0.0005,
                                  -0.0005,
                                  2.0005,
                                  999.9995,
                                  -99.9995,
                                  1e300,
                                  -1e300,
                                  std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN(),
                                  -0.0,
                                  0.0004999};
    for (int i = 0; i < 200000; ++i) {
        const double scale = std::pow(10.0, static_cast<int>(rng() % 7) - 3);
        values.push_back((static_cast<double>(rng() % 2000001) - 1000000.0) / 1000.0 * scale);
        values.push_back(static_cast<double>(static_cast<int64_t>(rng() % 4000001) - 2000000) /
                         2048.0);
    }
    for (double v : values)
        for (int width : {7, 8}) {
            std::string out;
            modelfile::AppendFixed3(out, v, width);
            ASSERT_EQ(out, printfBytes(v, width)) << v << " width " << width;
            // Read back with integer arithmetic, it is the double strtod gives.
            double back = 0;
            modelfile::ModelFileReader reader(out, 0);
            reader.decimal(back, width);
            ASSERT_TRUE(reader.ok()) << out;
            ASSERT_EQ(back, std::strtod(out.c_str(), nullptr)) << out;
        }
}

// Int fields are parsed five characters at once: every five-character text is taken exactly
// when it is blanks, an optional sign and digits up to the end, with the value it spells.
TEST(ModelFileFields, IntFieldsAreParsedExactlyByTheirLayout) {
    const char alphabet[] = {' ',  '0',    '1', '5', '9', '-',    '+',
                             '\0', '\x81', '/', ':', 'a', '\xb0', '\xa0'};
    const int n = sizeof alphabet;
    std::string field(6, '\0');
    for (int code = 0; code < n * n * n * n * n; ++code) {
        for (int i = 0, c = code; i < 5; ++i, c /= n) field[i] = alphabet[c % n];
        std::size_t i = field.find_first_not_of(' ');
        bool negative = false;
        if (i < 5 && (field[i] == '-' || field[i] == '+')) negative = field[i++] == '-';
        bool expectOk = i < 5;
        int32_t expected = 0;
        for (; i < 5 && expectOk; ++i) {
            expectOk = field[i] >= '0' && field[i] <= '9';
            expected = expected * 10 + (field[i] - '0');
        }
        modelfile::ModelFileReader reader(field, 0);
        int32_t value = -77777;
        reader.ints(value);
        ASSERT_EQ(reader.ok(), expectOk) << '"' << field.substr(0, 5) << '"';
        if (expectOk) {
            ASSERT_EQ(value, negative ? -expected : expected) << field.substr(0, 5);
        }
    }
}

TEST(ModelFileFields, FreeLineOffsetsArePrintedAsTheLayoutPrintsThem) {
    auto d = StartDocument();
    d->FreeLineCount[0][0] = 1;
    // The doubles nearest 1.0005 and 0.1235 lie just below them (1.00049999999999998934,
    // 0.12349999999999999867): "%7.3f" gives 1.000 and 0.123. -12.3456 gives -12.346.
    // A zero, also a negated one, is written without a sign.
    d->FreeLines[0][0][0] = {1, 2, 3, 4, 1.0005, 0.1235, -12.3456, -0.0, 5, 255};
    std::string f = WriteModelFile(*d, 0);
    // The record at 5870: four "%5i", four "%7.3f", "%1i%8i" and a zero byte.
    EXPECT_EQ(Slice(f, 5870, 58),
              std::string("    1    2    3    4  1.000  0.123-12.346  0.0005     255") + '\0');
}

// ---- round trips -----------------------------------------------------------------------------

namespace {

// What a read gives back of a written document: the same model except the derived wall words
// 12 and 13, which are not stored, and the panel tables' row sources, which are not in it.
void ExpectSameModel(const Document& a, const Document& b) {
    EXPECT_TRUE(a.BuildingData == b.BuildingData);
    EXPECT_TRUE(a.StoreyData == b.StoreyData);
    EXPECT_TRUE(a.GroundFoundationSurvey == b.GroundFoundationSurvey);
    EXPECT_TRUE(a.FoundationFloorSpec == b.FoundationFloorSpec);
    EXPECT_TRUE(a.DeteriorationSurvey == b.DeteriorationSurvey);
    EXPECT_TRUE(a.PermitRecord == b.PermitRecord);
    EXPECT_TRUE(a.ReportTexts == b.ReportTexts);
    EXPECT_TRUE(a.RetrofitApplication == b.RetrofitApplication);
    for (int k = 0; k < CustomPanelCount; ++k)
        EXPECT_TRUE(a.CustomPanels[k] == b.CustomPanels[k]) << "panel " << k;
    for (int i = 0; i < AxisCountX; ++i) EXPECT_EQ(a.AxisX[i], b.AxisX[i]);
    for (int i = 0; i < AxisCountY; ++i) EXPECT_EQ(a.AxisY[i], b.AxisY[i]);
    for (int i = 0; i < AxisCountX; ++i) EXPECT_EQ(a.AxisKindX[i], b.AxisKindX[i]);
    for (int i = 0; i < AxisCountY; ++i) EXPECT_EQ(a.AxisKindY[i], b.AxisKindY[i]);
    EXPECT_EQ(a.Module, b.Module);
    EXPECT_EQ(a.CriteriaEdition, b.CriteriaEdition);
    EXPECT_EQ(a.DiagnosisMethod, b.DiagnosisMethod);
    ForEachElementKind(a, [&](auto& counts, auto& records, int, ElementKind kind) {
        auto& otherCounts = modelfile::CountsOf(b, kind);
        using Table = std::remove_reference_t<decltype(records)>;
        const Table* otherRecords = nullptr;
        ForEachElementKind(b, [&](auto&, auto& r2, int, ElementKind k2) {
            if constexpr (std::is_same_v<std::remove_reference_t<decltype(r2)>, Table>)
                if (k2 == kind) otherRecords = &r2;
        });
        ASSERT_NE(otherRecords, nullptr);
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f) {
                ASSERT_EQ(counts[s][f], otherCounts[s][f]) << static_cast<int>(kind);
                for (int i = 0; i < counts[s][f]; ++i) {
                    auto x = records[s][f][i];
                    auto y = (*otherRecords)[s][f][i];
                    if constexpr (std::is_same_v<decltype(x), WallRecord>) {
                        x.cautionFlags = y.cautionFlags = 0;
                        x.retrofitNo = y.retrofitNo = 0;
                    }
                    EXPECT_TRUE(x == y)
                        << "kind " << static_cast<int>(kind) << " s" << s << " f" << f << " #" << i;
                }
            }
    });
}

} // namespace

TEST(ModelFileRoundTrip, FullyPopulatedModelComesBackAndWritesTheSameBytes) {
    auto d = std::make_unique<Document>();
    FillDocument(*d, 3);
    d->Walls[1][2][0].cautionFlags = 7; // not stored: recomputed by the next repaint
    d->Walls[1][2][0].retrofitNo = 4;
    std::string first = WriteModelFile(*d, 1);
    // 9 scenario-storey slots x 3 records x (26 + 61 + 26 + 36 + 26 + 36 + 51 + 26 + 58 + 26
    // = 372 bytes)
    EXPECT_EQ(first.size(), 24241u + 9 * 3 * 372);

    auto back = std::make_unique<Document>();
    ModelReadStatus st = ReadModelFileV8(first, *back);
    ASSERT_TRUE(st.ok) << st.reason;
    ExpectSameModel(*d, *back);
    EXPECT_EQ(back->Walls[1][2][0].cautionFlags, 0);
    EXPECT_EQ(RepairCodes(*back), 0); // every value written was in range
    EXPECT_EQ(WriteModelFile(*back, 1), first);
}

TEST(ModelFileRoundTrip, TextsKeepBlanksAndTheirWholeSlot) {
    auto d = StartDocument();
    d->BuildingData.clientName.set(Sjis("洋室 6帖"));
    d->CustomPanels[3].name.set(Sjis("構造用 合板"));
    d->CustomPanels[4].symbol.set(" X"); // a leading blank stays too
    d->CustomPanels[5].symbol.set("");   // an empty symbol reads back empty
    d->CustomPanels[5].strength = 3.5;
    std::string thirtyOne(80, 'a'); // a text of W - 1 bytes fills its slot, zero byte last
    d->BuildingData.ownerName.set(thirtyOne);
    d->RoomTextCount[0][0] = 1;
    d->RoomTexts[0][0][0] = {1, 1, 2, 2, {}};
    d->RoomTexts[0][0][0].text.set(std::string(30, 'r')); // 30 bytes: zero byte last
    d->BuildingData.siteAddress.set("AB\x82");            // a lone lead byte the user never touched
    std::string f = WriteModelFile(*d, 0);
    EXPECT_EQ(f[5870 + 50], '\0');
    EXPECT_EQ(f[5870 + 49], 'r');
    auto back = std::make_unique<Document>();
    ASSERT_TRUE(ReadModelFileV8(f, *back).ok);
    EXPECT_EQ(back->BuildingData.clientName.str(), Sjis("洋室 6帖"));
    EXPECT_EQ(back->CustomPanels[3].name.str(), Sjis("構造用 合板"));
    EXPECT_EQ(back->CustomPanels[4].symbol.str(), " X");
    EXPECT_TRUE(back->CustomPanels[5].symbol.empty());
    EXPECT_EQ(back->BuildingData.ownerName.str(), thirtyOne);
    EXPECT_EQ(back->RoomTexts[0][0][0].text.str(), std::string(30, 'r'));
    EXPECT_EQ(back->BuildingData.siteAddress.str(), "AB\x82");
    EXPECT_EQ(WriteModelFile(*back, 0), f);
}

TEST(ModelFileFields, TextSlotsAlwaysEndInAZeroByteAndRoomTextsKeepTheirSlot) {
    auto d = StartDocument();
    // A phone field whose 17 bytes carry no zero byte (as damaged memory could): the slot
    // still gets one, after the first 16 bytes.
    std::memset(d->BuildingData.clientPhone.bytes, '9', 17);
    // A room text of 35 bytes: the record holds its first 31, with no zero byte.
    d->RoomTextCount[1][0] = 1;
    d->RoomTexts[1][0][0] = {1, 1, 2, 2, {}};
    d->RoomTexts[1][0][0].text.set("abcdefghijklmnopqrstuvwxyz012345678");
    std::string f = WriteModelFile(*d, 0);
    const std::size_t phone = 5870 + 51 + 16 + 162; // one room text, the three-int line
    EXPECT_EQ(Slice(f, phone, 17), std::string(16, '9') + '\0');
    EXPECT_EQ(Slice(f, 5870 + 20, 31), "abcdefghijklmnopqrstuvwxyz01234");
    auto back = std::make_unique<Document>();
    ASSERT_TRUE(ReadModelFileV8(f, *back).ok);
    EXPECT_EQ(back->BuildingData.clientPhone.str(), std::string(16, '9'));
    EXPECT_EQ(back->RoomTexts[1][0][0].text.str(), "abcdefghijklmnopqrstuvwxyz01234");
}

TEST(ModelFileRoundTrip, NegativeRealsNoLongerDrift) {
    auto d = StartDocument();
    d->FreeLineCount[0][0] = 1;
    d->FreeLines[0][0][0] = {0, 0, 1, 1, -0.0005, -2.8, 0.0005, 0, 0, 0};
    d->StoreyData.buildingArea[1] = -2.8;
    d->BuildingData.snowLoadTerm = 0.26 * 1.1;
    std::string f = WriteModelFile(*d, 0);
    auto back = std::make_unique<Document>();
    ASSERT_TRUE(ReadModelFileV8(f, *back).ok);
    EXPECT_EQ(back->StoreyData.buildingArea[1], -2.8);
    EXPECT_EQ(back->BuildingData.snowLoadTerm, 0.286);
    EXPECT_EQ(back->FreeLines[0][0][0].dx1, -0.001);
    EXPECT_EQ(back->FreeLines[0][0][0].dx2, 0.001);
    EXPECT_EQ(WriteModelFile(*back, 0), f);
}

// ---- reader choice ---------------------------------------------------------------------------

struct ChoiceCase {
    const char* start;
    const char* path;
    ModelFileKind kind;
};
class ReaderChoice : public ::testing::TestWithParam<ChoiceCase> {};
TEST_P(ReaderChoice, ByTagAndExtension) {
    std::string start(GetParam().start,
                      std::strlen(GetParam().start) < 3 ? std::strlen(GetParam().start) : 4);
    EXPECT_EQ(ChooseReader(start, GetParam().path), GetParam().kind);
}
INSTANTIATE_TEST_SUITE_P(
    Table, ReaderChoice,
    ::testing::Values(ChoiceCase{"qv8", "/h/house.vq2", ModelFileKind::Current},
                      ChoiceCase{"qv8", "/h/house.VQ2", ModelFileKind::Current},
                      ChoiceCase{"qv8", "/h/house.Vq2", ModelFileKind::Current},
                      ChoiceCase{"qv8", "/h/house.BAK", ModelFileKind::Current}, // a backup
                      ChoiceCase{"qv8", "/h/house", ModelFileKind::Current},
                      ChoiceCase{"qv8", "/h.vq0/house", ModelFileKind::Current},
                      ChoiceCase{"qv8", "/h/house.vq0", ModelFileKind::Diagnosis},
                      ChoiceCase{"qv8", "/h/house.VQ0", ModelFileKind::Diagnosis},
                      ChoiceCase{"qv7", "/h/house.vq2", ModelFileKind::V7},
                      ChoiceCase{"qv6", "/h/house.vq0", ModelFileKind::V6},
                      ChoiceCase{"qv5", "/h/x", ModelFileKind::V5},
                      ChoiceCase{"qv2", "/h/x.vq2", ModelFileKind::V2},
                      ChoiceCase{"QV8", "/h/house.vq2", ModelFileKind::Unknown},
                      ChoiceCase{"qv9", "/h/house.vq2", ModelFileKind::Unknown},
                      ChoiceCase{"yd0", "/h/house.vq2", ModelFileKind::Unknown},
                      ChoiceCase{"qv", "/h/house.vq2", ModelFileKind::Unknown}));

TEST(ModelFilePaths, BackupNames) {
    EXPECT_EQ(BackupPathFor("/w/house.vq2"), "/w/house.BAK");
    EXPECT_EQ(BackupPathFor("/w/house"), "/w/house.BAK");
    EXPECT_EQ(BackupPathFor("/w.d/house"), "/w.d/house.BAK");
}

// ---- damaged files ---------------------------------------------------------------------------

namespace {

std::string SmallValidFile() {
    auto d = StartDocument();
    FillDocument(*d, 1, 11);
    return WriteModelFile(*d, 0);
}

struct DamageCase {
    const char* name;
    std::size_t offset;  // where the bytes are changed
    const char* bytes;   // the new bytes
    std::size_t failsAt; // the offset the reason must name
};

} // namespace

class DamagedFile : public ::testing::TestWithParam<DamageCase> {};
TEST_P(DamagedFile, IsRefusedWithItsPosition) {
    std::string f = SmallValidFile();
    const DamageCase& c = GetParam();
    f.replace(c.offset, std::strlen(c.bytes), c.bytes);
    auto d = std::make_unique<Document>();
    ModelReadStatus st = ReadModelFileV8(f, *d);
    ASSERT_FALSE(st.ok);
    EXPECT_EQ(st.position, c.failsAt);
    EXPECT_NE(st.reason.find(std::to_string(c.failsAt)), std::string::npos) << st.reason;
}
INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    ::testing::Values(
        // Count of columns in the first count line (at 5411) above the capacity of 200.
        DamageCase{"count", 5411, "  201", 5411},
        DamageCase{"negative count", 5411 + 5, "   -1", 5411},
        // A letter inside AxisX[0] (5 + 79 x 10 = 794).
        DamageCase{"parse", 794 + 10, "x", 794},
        // The zero byte of AxisKindX[0] (4194 + 5) replaced: the terminator is out of place.
        DamageCase{"terminator", 4194 + 5, "7", 4199},
        // The column of scenario 0, storey 0 (first record at 5870) at X index 100.
        DamageCase{"axis index", 5870, "  100", 5870},
        DamageCase{"blank int", 4194, "     ", 4194}));

TEST(DamagedFiles, TruncationAtEveryLengthIsRefusedAndNeverReadsPastTheEnd) {
    std::string f = SmallValidFile();
    auto d = std::make_unique<Document>();
    // Every length through the records and into the block, then a stride through the block:
    // each cut lands inside a different field.
    for (std::size_t len = 0; len < f.size(); len += len < 9000 ? 1 : 7) {
        std::string cut = f.substr(0, len); // its own buffer, so ASan sees any overread
        ModelReadStatus st = ReadModelFileV8(cut, *d);
        ASSERT_FALSE(st.ok) << len;
        EXPECT_LE(st.position, std::max<std::size_t>(len, 4)); // reading starts after the tag
    }
    EXPECT_TRUE(ReadModelFileV8(f, *d).ok);
}

TEST(DamagedFiles, RandomMutationsNeverCrashAndLeaveCodesInRange) {
    std::string f = SmallValidFile();
    auto d = std::make_unique<Document>();
    std::mt19937 rng(20261207);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string m = f;
        int changes = 1 + static_cast<int>(rng() % 4);
        for (int c = 0; c < changes; ++c) {
            std::size_t at = rng() % m.size();
            // Digits and blanks keep many fields parseable, so reads get deep into the file.
            const char pool[] = "0123456789 -\0\x81\xff";
            m[at] = pool[rng() % (sizeof pool - 1)];
        }
        if (rng() % 8 == 0) m.resize(rng() % m.size());
        int repairs = 0;
        ModelReadStatus st = ReadModelBytes(m, ModelFileKind::Current, *d, repairs);
        if (!st.ok) continue;
        ++accepted;
        EXPECT_EQ(RepairCodes(*d), 0) << "repair left a value out of range";
        for (int s = 0; s < Scenarios; ++s)
            for (int f2 = 0; f2 < Storeys; ++f2)
                ASSERT_TRUE(d->ColumnCount[s][f2] >= 0 && d->ColumnCount[s][f2] <= MaxColumns);
    }
    EXPECT_GT(accepted, 0);
}

// ---- load ------------------------------------------------------------------------------------

class LoadAndSave : public ::testing::Test {
protected:
    DocumentGuard guard;
    TempFolder folder;
};

TEST_F(LoadAndSave, LoadReplacesTheDocumentOnlyAfterTheWholeRead) {
    auto d = StartDocument();
    FillDocument(*d, 2);
    std::string path = folder.file("house.VQ2");
    WriteBytes(path, WriteModelFile(*d, 2));
    Doc.ColumnCount[0][0] = 0;
    App.CurrentScenario = 1;
    int resets = 0;
    ScriptedMessages msgs;
    LoadOutcome out = LoadModelFile(path, [&] {
        ++resets;
        EXPECT_EQ(Doc.ColumnCount[0][0], 0) << "reset must run before the replacement";
    });
    ASSERT_TRUE(out.ok) << out.reason;
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(out.kind, ModelFileKind::Current);
    ExpectSameModel(*d, Doc);
    EXPECT_EQ(App.CurrentScenario, 1) << "the scenario on screen is the caller's";
}

// Earlier builds saved the current layout under the ".vq0" name a document was read from: it
// opens again. A file neither reader takes is refused by its name.
TEST_F(LoadAndSave, Qv8FileUnderAnUncertainNameTriesTheOtherReader) {
    auto d = StartDocument();
    FillDocument(*d, 1, 4);
    WriteBytes(folder.file("old.vq0"), WriteModelFile(*d, 0));
    ScriptedMessages msgs;
    LoadOutcome out = LoadModelFile(folder.file("old.vq0"));
    ASSERT_TRUE(out.ok) << out.reason;
    EXPECT_EQ(out.kind, ModelFileKind::Current);
    ExpectSameModel(*d, Doc);

    std::string diagnosis(4 + 8886, '\0'); // a diagnosis layout the current reader refuses
    diagnosis.replace(0, 3, "qv8");
    WriteBytes(folder.file("old.BAK"), diagnosis);
    msgs.expect("読み込み出来ないファイルです。", MsgAnswer::Ok);
    out = LoadModelFile(folder.file("old.BAK"));
    ASSERT_FALSE(out.ok);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_NE(msgs.shown[0].text.find("old.BAK"), std::string::npos) << "names the file";
}

TEST_F(LoadAndSave, RefusedFilesLeaveTheDocumentAsItWas) {
    FillDocument(Doc, 1, 3);
    auto before = std::make_unique<Document>(Doc);
    std::string valid = WriteModelFile();
    std::string damaged = valid;
    damaged.replace(5411, 5, "  999");
    struct Case {
        std::string name, bytes, expectInText;
    } cases[] = {{"unknown.vq2", "QV8\0rest", "読み込み出来ないファイルです。"},
                 {"short.vq2", "qv", "読み込み出来ないファイルです。"},
                 {"damaged.vq2", damaged, "オフセット 5411"},
                 {"truncated.vq2", valid.substr(0, 20000), "オフセット"}};
    for (const Case& c : cases) {
        WriteBytes(folder.file(c.name), c.bytes);
        ScriptedMessages msgs;
        msgs.expect(c.expectInText, MsgAnswer::Ok);
        bool called = false;
        LoadOutcome out = LoadModelFile(folder.file(c.name), [&] { called = true; });
        EXPECT_FALSE(out.ok) << c.name;
        EXPECT_FALSE(called) << c.name;
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.shown[0].caption, "読み込みエラー");
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Information);
        SCOPED_TRACE(c.name);
        ExpectSameModel(*before, Doc);
    }
    ScriptedMessages msgs;
    msgs.expect("読み込み出来ないファイルです。", MsgAnswer::Ok);
    EXPECT_FALSE(LoadModelFile(folder.file("missing.vq2")).ok);
}

TEST_F(LoadAndSave, OutOfRangeCodesAreRepairedWithOneWarning) {
    auto d = StartDocument();
    d->WallCount[0][1] = 1;
    d->Walls[0][1][0] = {0, 0, 0, 3, 20, 100 | (7 << 7), 75, -1, 9, 5, 3, 0, 0, 0};
    d->ColumnCount[2][0] = 1;
    d->Columns[2][0][0] = {1, 1, 0, 15, 0}; // kind 0; joint 15 = corner 3, hardware 3
    d->RoofFloorRectCount[0][0] = 1;
    d->RoofFloorRects[0][0][0] = {0, 0, 1, 1, 15};
    d->FloorSpecRectCount[0][0] = 1;
    d->FloorSpecRects[0][0][0] = {0, 0, 1, 1, 7 * 32 + 20};
    d->StoreyData.topStorey[1] = 5;
    d->StoreyData.roofWallClass[2] = -1;
    d->CriteriaEdition = 3;
    d->DiagnosisMethod = 9;
    d->AxisKindY[4] = 3;
    d->GroundFoundationSurvey.groundClass = 77; // not a table code: stays as read
    WriteBytes(folder.file("codes.vq2"), WriteModelFile(*d, 0));
    ScriptedMessages msgs;
    msgs.expect("範囲", MsgAnswer::Ok);
    LoadOutcome out = LoadModelFile(folder.file("codes.vq2"));
    ASSERT_TRUE(out.ok);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.shown[0].caption, "読み込み警告");
    const WallRecord& w = Doc.Walls[0][1][0];
    EXPECT_EQ(w.type, 14);
    EXPECT_EQ(w.bracing, 0); // row 100 and mud class 7 name no element: none
    EXPECT_EQ(w.panelL, 0);  // 75 is past the 70 panel rows
    EXPECT_EQ(w.panelR, 0);
    EXPECT_EQ(w.jointSpec, 3);
    EXPECT_EQ(w.deterioration, 2);
    EXPECT_EQ(w.foundationClass, 2);
    EXPECT_EQ(Doc.Columns[2][0][0].kind, 1);
    EXPECT_EQ(Doc.Columns[2][0][0].joint, 2 * 4 + 2);
    EXPECT_EQ(Doc.RoofFloorRects[0][0][0].code, 8 + 6);
    EXPECT_EQ(Doc.FloorSpecRects[0][0][0].code, 16); // brace 7 is none of 0, 17..23; board 16
    EXPECT_EQ(Doc.StoreyData.topStorey[1], 2);
    EXPECT_EQ(Doc.StoreyData.roofWallClass[2], 0);
    EXPECT_EQ(Doc.CriteriaEdition, 0);
    EXPECT_EQ(Doc.DiagnosisMethod, 3);
    EXPECT_EQ(Doc.AxisKindY[4], 2);
    EXPECT_EQ(Doc.GroundFoundationSurvey.groundClass, 77);
    // 7 wall values + 2 column values + 1 area + 1 floor spec + 2 storey values + edition and
    // method + 1 axis kind = 16
    EXPECT_EQ(out.repairs, 16);
}

// ---- save ------------------------------------------------------------------------------------

TEST_F(LoadAndSave, SaveKeepsTheFileItReplacesAsBackup) {
    std::string path = folder.file("house.vq2");
    WriteBytes(path, "old contents");
    WriteBytes(folder.file("house.BAK"), "older backup");
    FillDocument(Doc, 1);
    App.Modified = 1;
    fileio::SaveReport out = SaveModelFile(path);
    ASSERT_TRUE(out.ok()) << out.reason;
    EXPECT_EQ(App.Modified, 0);
    EXPECT_EQ(ReadBytes(path), WriteModelFile());
    EXPECT_EQ(ReadBytes(folder.file("house.BAK")), "old contents");
    EXPECT_EQ(folder.entries(), 2u) << "no temporary file is left behind";

    // A first save of a new name makes no backup.
    ASSERT_TRUE(SaveModelFile(folder.file("new.vq2")).ok());
    EXPECT_FALSE(std::filesystem::exists(folder.file("new.BAK")));
}

// No system message in English ("No space left on device") reaches the user; only the names
// of files, which the messages give after their reasons, hold letters.
bool SaidInJapanese(const std::string& reason) {
    const std::string said = reason.substr(0, reason.find('/'));
    return !said.empty() && std::none_of(said.begin(), said.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c));
    });
}

// Any one system call of a save failing, as a disk that fails or fills would make it, one call
// after another: the save completes, or it says why in Japanese and leaves the file and its
// backup as they were; and once the next save is done, the folder holds nothing else.
TEST_F(LoadAndSave, AnyCallOfASaveFailingLeavesFileAndBackupAndIsReported) {
    const std::string path = folder.file("house.vq2"), backup = folder.file("house.BAK");
    for (long n = 1;; ++n) {
        SCOPED_TRACE(n);
        WriteBytes(path, "old contents");
        WriteBytes(backup, "older backup");
        App.Modified = 1;
        fileio::SaveReport out;
        {
            const callscript::Script script(callscript::FailNth("", n, EIO));
            out = SaveModelFile(path);
            if (callscript::calls < n) break; // every call has failed once
        }
        if (out.ok()) {
            EXPECT_EQ(ReadBytes(path), WriteModelFile());
            EXPECT_EQ(ReadBytes(backup), "old contents");
        } else {
            EXPECT_TRUE(SaidInJapanese(out.reason)) << out.reason;
            EXPECT_EQ(App.Modified, 1);
            EXPECT_EQ(ReadBytes(path), "old contents");
            EXPECT_EQ(ReadBytes(backup), "older backup");
        }
        ASSERT_TRUE(SaveModelFile(path).ok());
        EXPECT_EQ(folder.entries(), 2u) << "nothing left behind";
    }
}

TEST_F(LoadAndSave, SaveIntoAMissingFolderIsReported) {
    App.Modified = 1;
    fileio::SaveReport out = SaveModelFile(folder.file("no/such/folder/house.vq2"));
    EXPECT_FALSE(out.ok());
    EXPECT_NE(out.reason.find("フォルダーがありません"), std::string::npos) << out.reason;
    EXPECT_EQ(App.Modified, 1);
}

TEST_F(LoadAndSave, TruncatedFilesThroughTheLoadRoutineNeverTouchTheDocument) {
    FillDocument(Doc, 2, 5);
    const std::string before = WriteModelFile(); // every stored field of the open document
    auto other = StartDocument();
    FillDocument(*other, 1, 6);
    const std::string valid = WriteModelFile(*other, 0);
    std::mt19937 rng(99);
    const std::string path = folder.file("cut.vq2");
    for (int round = 0; round < 40; ++round) {
        WriteBytes(path, valid.substr(0, rng() % valid.size()));
        ScriptedMessages msgs;
        msgs.expect("読み込み出来ないファイルです。", MsgAnswer::Ok);
        ASSERT_FALSE(LoadModelFile(path, [] { FAIL() << "reset before a failed read"; }).ok);
        ASSERT_EQ(WriteModelFile(), before) << "round " << round;
    }
}
