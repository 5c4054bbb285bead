// Older model files ("qv6", "qv2") and diagnosis files ("qv5", "qv7", "qv8" named ".vq0"),
// with the current layout's overview block checked against its offset table. Every fixture is
// built here from the layout tables, field by field, without the program's writer.
#include "model/ModelFile.h"
#include "support/FileFixtures.h"
#include "support/OlderFileBytes.h"
#include "support/ScriptedMessages.h"
#include "support/Sjis.h"

#include <fstream>

using namespace testfile;
using namespace olderfiles;

namespace {

// Checks fields of every record against the offsets the table gives them.
void ExpectOverviewFromTable(const Document& d, bool withHeights) {
    auto& b = d.BuildingData;
    auto& sd = d.StoreyData;
    auto& g = d.GroundFoundationSurvey;
    auto& fs = d.FoundationFloorSpec;
    auto& ds = d.DeteriorationSurvey;
    auto& p = d.PermitRecord;
    auto& rt = d.ReportTexts;
    auto& ra = d.RetrofitApplication;
    EXPECT_EQ(b.clientAddress.str(), TextAt(0));
    EXPECT_EQ(b.ownerPhone.str(), TextAt(341));
    EXPECT_EQ(b.siteLotNumber.str(), TextAt(439));
    EXPECT_EQ(b.buildingUseOther.str(), TextAt(532));
    EXPECT_EQ(b.basement, IntAt(571));
    EXPECT_EQ(b.constructionEraYear[2].str(), TextAt(577 + 2 * 11));
    EXPECT_EQ(b.constructionDay[3].str(), TextAt(665 + 3 * 11));
    EXPECT_EQ(p.permitUnknown[3], IntAt(709 + 3 * 6)); // permit flags before extensions
    EXPECT_EQ(b.extensionDone[0], IntAt(733));
    EXPECT_EQ(b.mixedStructure, IntAt(757));
    EXPECT_EQ(b.snowLoadTerm, RealAt(763));
    EXPECT_EQ(b.zoneFactorZ, RealAt(780));
    EXPECT_EQ(sd.topStorey[2], IntAt(797 + 12));
    EXPECT_EQ(sd.roofWallClass[0], IntAt(851));
    EXPECT_EQ(sd.buildingArea[1], RealAt(869 + 17));
    EXPECT_EQ(sd.floorArea[1][2], RealAt(971 + 34)); // [storey][scenario]
    EXPECT_EQ(sd.totalFloorArea[2], RealAt(1073 + 34));
    EXPECT_EQ(g.surveyDay.str(), TextAt(1227));
    EXPECT_EQ(g.groundClass, IntAt(1238));
    EXPECT_EQ(g.slopeMeasure[2], IntAt(1574, 2));
    EXPECT_EQ(fs.footBracing, IntAt(1602));
    EXPECT_EQ(fs.foundationMemo.str(), TextAt(1608));
    EXPECT_EQ(g.crackCause[1], IntAt(1770, 1));
    EXPECT_EQ(fs.uniformFoundation, IntAt(1867));
    EXPECT_EQ(g.jointType[3], IntAt(1879, 3));
    EXPECT_EQ(g.braceEndHardware, IntAt(1900, 2));
    EXPECT_EQ(fs.floorMaterial, IntAt(1916, 0));
    EXPECT_EQ(fs.uniformFloor, IntAt(1916, 3));
    EXPECT_EQ(ds.downpipeDeteriorated, IntAt(2186, 1));
    EXPECT_EQ(ds.outerWallState.str(), TextAt(2446));
    EXPECT_EQ(ds.balconyDrainDeteriorated, IntAt(2632));
    EXPECT_EQ(ds.innerWallBase.str(), TextAt(2638)); // substrate before finish
    EXPECT_EQ(ds.innerWallFinish.str(), TextAt(2719));
    EXPECT_EQ(ds.bathNote.str(), TextAt(2893));
    EXPECT_EQ(ds.bathDamage[1], IntAt(2980, 1));
    EXPECT_EQ(ds.corridorDeteriorated, IntAt(2991, 1));
    EXPECT_EQ(ds.underfloorDeteriorated, IntAt(3002));
    EXPECT_EQ(g.braceSurvey, IntAt(3008));
    EXPECT_EQ(g.braceAssumption.str(), TextAt(3101));
    EXPECT_EQ(rt.otherNotes[11].str(), TextAt(3358 + 11 * 81));
    EXPECT_EQ(rt.receptionNumber.str(), TextAt(4330));
    EXPECT_EQ(p.mixedStructureScope, IntAt(4347, 1));
    EXPECT_EQ(p.permitMonth[1].str(), TextAt(4402 + 11));
    EXPECT_EQ(p.permitNumber[3].str(), TextAt(4490 + 3 * 81));
    EXPECT_EQ(p.inspectionCertificate[2], IntAt(4814 + 12));
    EXPECT_EQ(p.publicLoan, IntAt(4838, 1));
    EXPECT_EQ(p.drawingCheck[2], IntAt(4849, 2));
    EXPECT_EQ(rt.findings[23].str(), TextAt(4865 + 23 * 257));
    EXPECT_EQ(rt.diagnosticianMemo[5].str(), TextAt(11033 + 5 * 81));
    EXPECT_EQ(ra.reinforcementNo.str(), TextAt(11519));
    EXPECT_EQ(ra.designerFax.str(), TextAt(11715));
    EXPECT_EQ(ra.contractorFax.str(), TextAt(11922));
    EXPECT_EQ(ra.diagnosisScoreText.str(), TextAt(11939));
    EXPECT_EQ(ra.approvalDay.str(), TextAt(11984));
    EXPECT_EQ(ra.basicPolicy[4].str(), TextAt(11995 + 4 * 257));
    EXPECT_EQ(ra.retrofitDone[0], IntAt(13280)); // each item right before its three lines
    EXPECT_EQ(ra.retrofitDone[2], IntAt(14834));
    EXPECT_EQ(ra.retrofitText[7].str(), TextAt(14840 + 257));
    EXPECT_EQ(ra.retrofitText[11].str(), TextAt(15617 + 2 * 257));
    EXPECT_EQ(ra.zoningDistrict, IntAt(16400));
    EXPECT_EQ(ra.floorAreaRatio.str(), TextAt(16436));
    EXPECT_EQ(ra.roadSlope, IntAt(16454));
    EXPECT_EQ(ra.nonConformityMeasures[3].str(), TextAt(16460 + 3 * 257));
    EXPECT_EQ(ra.lawCheck[8][1], IntAt(17488 + 8 * 11, 1));
    EXPECT_EQ(ra.specChoice[9][0], IntAt(17587 + 9 * 11, 0));
    EXPECT_EQ(ra.problemRepair[4][1], IntAt(17697 + 4 * 11, 1));
    EXPECT_EQ(ra.roofTileNotApplicable, IntAt(17752));
    EXPECT_EQ(ra.hearing1[12], IntAt(17758 + 12 * 6));
    EXPECT_EQ(ra.hearing2[10], IntAt(17836 + 10 * 6));
    EXPECT_EQ(ra.liquefaction, IntAt(17914));
    EXPECT_EQ(ra.surveyItem[3], IntAt(17920 + 18));
    EXPECT_EQ(ra.innerWallSpec[5], IntAt(17944, 5));
    EXPECT_EQ(ra.innerWallSpecText[4].str(), TextAt(17975 + 24));
    EXPECT_EQ(ra.columnHardware[1], IntAt(18005 + 6));
    EXPECT_EQ(ra.braceSpec[7], IntAt(18017, 7));
    EXPECT_EQ(ra.surveyOther[1], IntAt(18058 + 6));
    EXPECT_EQ(ra.jointConcern[4], IntAt(18070, 4));
    EXPECT_EQ(ra.diaphragmConcern[2], IntAt(18096, 2));
    EXPECT_EQ(ra.floorSurvey[1], IntAt(18112, 1));
    EXPECT_EQ(ra.floorSurvey[5], IntAt(18123, 3));
    EXPECT_EQ(ra.floorSurvey[8], IntAt(18144, 2));
    EXPECT_EQ(ra.floorSurvey[12], IntAt(18160, 3));
    EXPECT_EQ(ra.floorSurvey[16], IntAt(18181, 3));
    if (withHeights) {
        EXPECT_EQ(sd.storeyHeight[0][0], RealAt(18202));
        EXPECT_EQ(sd.storeyHeight[2][1], RealAt(18202 + 7 * 17)); // [scenario][storey]
    } else {
        for (auto& row : sd.storeyHeight)
            for (double h : row) EXPECT_EQ(h, 2.8) << "not in the file: the start value";
    }
}

void ExpectGrid(const Document& d, bool withKinds) {
    EXPECT_EQ(d.AxisX[37], 33.67); // 37 x 0.91
    EXPECT_EQ(d.AxisY[99], 45.045);
    EXPECT_EQ(d.AxisKindX[5], withKinds ? 2 : 0);
    EXPECT_EQ(d.AxisKindY[5], withKinds ? 0 : 0);
    EXPECT_EQ(d.AxisKindY[4], withKinds ? 2 : 0);
    EXPECT_EQ(d.Module, 0.91);
}

} // namespace

TEST(CurrentLayoutBlock, EveryFieldSitsAtItsTableOffset) {
    // The current layout around the table-built block: default panels, grid, no elements.
    FixtureBytes b;
    b.tag("qv8");
    for (int k = 0; k < 10; ++k)
        b.text(k % 2 ? "(X1)" : "X1", 5).real(1.5 * k).real(0).real(0.25).text("name", 23);
    AppendGrid(b, true);
    for (int line = 0; line < 9; ++line) b.ints({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    b.ints({1, 2, 3});
    AppendOverviewBlock(b, true);
    ASSERT_EQ(b.size(), 24241u);
    auto d = std::make_unique<Document>();
    ModelReadStatus st = ReadModelFileV8(b.str(), *d);
    ASSERT_TRUE(st.ok) << st.reason;
    ExpectOverviewFromTable(*d, true);
    ExpectGrid(*d, true);
    EXPECT_EQ(d->CustomPanels[9].strength, 13.5);
    EXPECT_EQ(d->CustomPanels[9].symbol.str(), "(X1)");
    EXPECT_EQ(d->CriteriaEdition, 2);
    EXPECT_EQ(d->DiagnosisMethod, 3);
    // And the writer puts every field back where the table has it.
    EXPECT_EQ(WriteModelFile(*d, 1), b.str());
}

TEST(OlderFilesV6, ReadsTheCurrentLayoutWithoutPanelsColoursAndHeights) {
    std::string f = V6File();
    auto d = std::make_unique<Document>();
    ModelReadStatus st = ReadModelFileV6(f, *d);
    ASSERT_TRUE(st.ok) << st.reason;
    ExpectGrid(*d, true);
    ExpectOverviewFromTable(*d, false);
    EXPECT_EQ(d->CriteriaEdition, 4);
    EXPECT_EQ(d->DiagnosisMethod, 2);
    EXPECT_EQ(d->ColumnCount[0][0], 1);
    EXPECT_TRUE((d->Columns[0][0][0] == ColumnRecord{1, 1, 2, 4, 0}));
    EXPECT_TRUE((d->Columns[1][1][0] == ColumnRecord{3, 3, 1, 8, 0}));
    const WallRecord& w = d->Walls[1][1][0];
    EXPECT_TRUE((w == WallRecord{3, 3, 9, 3, 7, 26 | 2 << 7, 4, 5, 1, 2, 1, 0, 0, 0}));
    EXPECT_EQ(d->RoofFloorRects[1][1][0].code, 12);
    EXPECT_EQ(d->RoofFloorTris[1][1][0].code, 5);
    EXPECT_EQ(d->FloorSpecRects[1][1][0].code, 17 * 32 + 3);
    EXPECT_EQ(d->FloorSpecTris[1][1][0].code, 12);
    EXPECT_EQ(d->RoomTexts[1][1][0].text.str(), Sjis("洋室 6帖"));
    EXPECT_EQ(d->Foundations[1][1][0].x2, 9);
    const FreeLineRecord& l = d->FreeLines[1][1][0];
    EXPECT_EQ(l.dx1, 1.25); // a "qv6" free line keeps its four offsets
    EXPECT_EQ(l.dy1, -0.5);
    EXPECT_EQ(l.dx2, 12.125);
    EXPECT_EQ(l.style, 4);
    EXPECT_EQ(l.colour, 0); // not in the file
    EXPECT_EQ(d->ReservedRecords[1][1][0].v[4], 5);
    for (auto& p : d->CustomPanels) EXPECT_TRUE(p.symbol.empty()) << "left to the loader";
}

// ---- "qv2" -----------------------------------------------------------------------------------

TEST(OlderFilesV2, ConvertsTheOldestLayout) {
    auto d = std::make_unique<Document>();
    int repairs = -1;
    ModelReadStatus st = ReadModelBytes(V2File(), ModelFileKind::V2, *d, repairs);
    ASSERT_TRUE(st.ok) << st.reason;
    EXPECT_EQ(repairs, 2) << "the third storey and the class past the table";
    EXPECT_EQ(d->CriteriaEdition, 2);
    EXPECT_EQ(d->DiagnosisMethod, 0);
    EXPECT_EQ(d->BuildingData.clientName.str(), Sjis("依頼者"));
    EXPECT_EQ(d->BuildingData.clientAddress.str(), Sjis("依頼者住所"));
    auto& sd = d->StoreyData;
    EXPECT_EQ(sd.topStorey[0], 1);
    EXPECT_EQ(sd.topStorey[1], 0);
    EXPECT_EQ(sd.topStorey[2], 1);
    EXPECT_EQ(sd.weightClass[1], 2);
    EXPECT_EQ(sd.roofWallClass[0], 3); // 2 x 1 + 1
    EXPECT_EQ(sd.roofWallClass[1], 3); // 5 brought into the table
    EXPECT_EQ(sd.roofWallClass[2], 1);
    EXPECT_EQ(d->FoundationFloorSpec.foundationClass, 1);
    EXPECT_EQ(sd.floorArea[1][2], 21.5);    // storey row 1 of scenario 2
    EXPECT_EQ(sd.totalFloorArea[2], 103.0); // row 1 decides
    EXPECT_EQ(sd.buildingArea[0], 51.0);
    EXPECT_EQ(sd.storeyHeight[1][1], 2.8); // not in the file
    ExpectGrid(*d, false);

    EXPECT_EQ(d->RoomTextCount[0][0], 1);
    EXPECT_EQ(d->RoomTexts[0][0][0].text.str(), Sjis("洋室 6帖"));
    ASSERT_EQ(d->ColumnCount[0][0], 2);
    EXPECT_TRUE((d->Columns[0][0][0] == ColumnRecord{1, 1, 1, 2, 0})); // joint raised to 2
    EXPECT_TRUE((d->Columns[0][0][1] == ColumnRecord{5, 1, 2, 2, 0}));
    ASSERT_EQ(d->WallCount[0][0], 3);
    const WallRecord* w = d->Walls[0][0];
    EXPECT_EQ(w[0].bracing, 26 + 256);
    EXPECT_EQ(w[0].panelL, 0);
    EXPECT_EQ(w[0].panelR, 0);
    EXPECT_EQ(w[0].deterioration, 2);
    EXPECT_EQ(w[1].bracing, 256);
    EXPECT_EQ(w[1].panelL, 6);
    EXPECT_EQ(w[1].panelR, 0);
    EXPECT_EQ(w[2].bracing, 640);
    EXPECT_EQ(w[2].panelL, 7);
    EXPECT_EQ(w[2].panelR, 0);
    EXPECT_EQ(w[2].type, 14);
    EXPECT_EQ(d->RoofFloorRects[1][1][0].code, 4);
    EXPECT_EQ(d->RoofFloorTris[1][1][0].code, 9);
    EXPECT_EQ(d->FloorSpecRects[1][1][0].code, 9);
    EXPECT_EQ(d->FloorSpecTris[1][1][0].code, 17 * 32 + 5);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(d->FoundationCount[s][0], 0);
        EXPECT_EQ(d->FreeLineCount[s][0], 0);
        EXPECT_EQ(d->ColumnCount[s][2], 0) << "two storeys only";
    }
}

// Records kind by kind outermost: refused in the usual order, read in this one.
TEST(OlderFilesV2, KindMajorRecordsAreReadAfterTheUsualOrderRefusesThem) {
    FixtureBytes b;
    b.tag("qv2");
    b.text("", 81).text("", 81);
    for (int s = 0; s < 3; ++s) b.ints({2, 0, 0, 0}).ints({0, 0, 0, 0});
    for (int i = 0; i < 6 * 3; ++i) b.real(1.0);
    for (int i = 0; i < 201; ++i) b.real(0.91);
    b.ints({0, 1, 1, 0, 0, 0, 0}).ints({0, 1, 0, 0, 0, 0, 0}); // scenario 0: 1F and 2F
    for (int i = 0; i < 4; ++i) b.ints({0, 0, 0, 0, 0, 0, 0});
    b.ints({1, 1, 1}).ints({2, 2, 1});         // the columns of 1F and 2F
    b.ints({1, 1, 5, 1, 0, 7, 0, 0, 2, 0, 0}); // the wall of 1F
    auto d = std::make_unique<Document>();
    int repairs = 0;
    ModelReadStatus st = ReadModelBytes(b.str(), ModelFileKind::V2, *d, repairs);
    ASSERT_TRUE(st.ok) << st.reason;
    EXPECT_EQ(repairs, 0);
    EXPECT_EQ(d->Columns[0][1][0].x, 2);
    EXPECT_EQ(d->Walls[0][0][0].x2, 5);
    EXPECT_EQ(d->Columns[0][0][0].joint, 2) << "raised by the wall read after it";
}

TEST(OlderFilesV2, OldCodeOutsideItsTableIsRepaired) {
    auto d = std::make_unique<Document>();
    int repairs = 0;
    ASSERT_TRUE(ReadModelBytes(V2File(41), ModelFileKind::V2, *d, repairs).ok);
    EXPECT_EQ(repairs, 3);                     // with the two of the storey rows
    EXPECT_EQ(d->Walls[0][0][0].bracing, 256); // unknown old code: no bracing, the mud wall stays
}

// ---- diagnosis files ---------------------------------------------------------------------------

namespace {

void ExpectDiagnosisContents(const Document& d, Diag version) {
    EXPECT_EQ(d.CriteriaEdition, 1);
    EXPECT_EQ(d.DiagnosisMethod, 1);
    auto& b = d.BuildingData;
    auto& sd = d.StoreyData;
    auto& g = d.GroundFoundationSurvey;
    auto& fs = d.FoundationFloorSpec;
    auto& ds = d.DeteriorationSurvey;
    auto& p = d.PermitRecord;
    auto& rt = d.ReportTexts;
    EXPECT_EQ(b.mixedStructure, 0);
    EXPECT_EQ(b.clientAddress.str(), Sjis("依頼者住所"));
    EXPECT_EQ(b.clientName.str(), Sjis("依頼者"));
    EXPECT_EQ(b.clientPhone.str(), "045-1");
    EXPECT_EQ(rt.receptionNumber.str(), "R-7");
    EXPECT_EQ(b.buildingUseOther.str(), Sjis("店舗兼用"));
    EXPECT_EQ(g.surveyMethod.str(), Sjis("目視"));
    EXPECT_EQ(g.surveyEraYear.str(), "4 21");
    EXPECT_EQ(b.siteAddress.str(), Sjis("建設地"));
    EXPECT_EQ(sd.topStorey[2], 2);
    EXPECT_EQ(sd.weightClass[0], 2);
    EXPECT_EQ(b.constructionEraYear[0].str(), "3     55");
    EXPECT_EQ(b.constructionMonth[3].str(), "4");
    EXPECT_EQ(p.permitUnknown[3], 1);
    EXPECT_EQ(b.extensionDone[1], 1);
    EXPECT_EQ(sd.buildingArea[2], 62.5);
    EXPECT_EQ(sd.floorArea[2][1], 21.25); // storey 2, scenario 1
    EXPECT_EQ(sd.totalFloorArea[1], 101.0);
    EXPECT_EQ(b.buildingUse, 3);
    EXPECT_EQ(b.zoneFactorZ, 0.9);
    EXPECT_EQ(b.snowLoadTerm, 0.286);
    EXPECT_EQ(p.permitEraYear[2].str(), "4      7");
    EXPECT_EQ(p.permitNumber[1].str(), Sjis("第123号"));
    EXPECT_EQ(p.inspectionCertificate[2], 2);
    EXPECT_EQ(g.groundClass, 9);
    EXPECT_EQ(g.softGroundBasis.str(), Sjis("根拠"));
    EXPECT_EQ(rt.diagnosticianMemo[1].str(), Sjis("メモ1"));
    EXPECT_EQ(g.slopeMeasure[2], 1);
    EXPECT_EQ(fs.foundationType, 2);
    EXPECT_EQ(fs.footBracing, 1);
    EXPECT_EQ(fs.foundationMemo.str(), Sjis("基礎メモ"));
    EXPECT_EQ(g.crackCause[1], 1);
    EXPECT_EQ(fs.floorMaterial, 2);
    EXPECT_EQ(rt.otherNotes[3].str(), Sjis("その他3"));
    EXPECT_EQ(ds.roofState.str(), Sjis("ずれ"));
    EXPECT_EQ(ds.gutterDeteriorated, 1);
    EXPECT_EQ(ds.exposedFrame, 2);
    EXPECT_EQ(ds.balconyParapetDeteriorated, 1); // before the balcony material here
    EXPECT_EQ(ds.balconyMaterial.str(), Sjis("鉄骨"));
    EXPECT_EQ(ds.balconyDrainDeteriorated, 1);
    EXPECT_EQ(ds.innerWallPlace.str(), Sjis("和室"));
    EXPECT_EQ(ds.bathNote.str(), Sjis("浴室メモ")); // the note before the finish here
    EXPECT_EQ(ds.bathFinish, 1);
    EXPECT_EQ(ds.corridorDeteriorated, 1);
    EXPECT_EQ(sd.atticStorage[0], 1);
    EXPECT_EQ(rt.otherNotes[0].str(), Sjis("その他0"));
    EXPECT_EQ(rt.otherNotes[1].str(), Sjis("その他1"));
    EXPECT_EQ(rt.otherNotes[2].str(), Sjis("その他2"));
    EXPECT_EQ(rt.otherNotes[5].str(), Sjis("その他5"));
    EXPECT_EQ(ds.underfloorDeteriorated, 1);
    EXPECT_EQ(fs.horizontalBrace, 2);
    EXPECT_EQ(g.columnEndHardware, 2);
    EXPECT_EQ(g.braceEndHardware, 1);
    EXPECT_EQ(rt.findings[0].str(), Sjis("所見0")); // not overwritten by the fifth slot
    EXPECT_EQ(rt.findings[21].str(), Sjis("所見21"));
    EXPECT_EQ(g.braceSurvey, 1);
    EXPECT_EQ(g.braceSurveyLocation.str(), Sjis("小屋裏"));
    EXPECT_EQ(g.braceInCalculation, 2);
    EXPECT_EQ(g.braceAssumption.str(), Sjis("仮定の根拠"));
    EXPECT_EQ(rt.otherNotes[11].str(), Sjis("その他11"));
    EXPECT_EQ(rt.diagnosticianMemo[5].str(), Sjis("メモ5"));
    EXPECT_EQ(rt.findings[2].str(), Sjis("所見2"));
    EXPECT_EQ(rt.findings[23].str(), Sjis("所見23"));
    // Not in a diagnosis file: start values.
    EXPECT_EQ(sd.storeyHeight[2][2], 2.8);
    EXPECT_EQ(d.BuildingData.ownerAddress.str(), Sjis("***-****vu市"));
    EXPECT_EQ(d.RetrofitApplication.diagnosisScoreText.str(), "0.0");

    ExpectGrid(d, true);
    ASSERT_EQ(d.ColumnCount[0][0], 2);
    EXPECT_TRUE((d.Columns[0][0][0] == ColumnRecord{2, 2, 1, 2, 0}));
    EXPECT_TRUE((d.Columns[0][0][1] == ColumnRecord{6, 2, 2, 2, 0}));
    ASSERT_EQ(d.WallCount[0][0], 3);
    const WallRecord* w = d.Walls[0][0];
    EXPECT_EQ(w[0].type, 4);
    EXPECT_EQ(w[0].bracing, 155);
    EXPECT_EQ(w[0].panelL, 26);
    EXPECT_EQ(w[0].panelR, 0);
    EXPECT_EQ(w[0].deterioration, 2);
    EXPECT_EQ(w[1].type, 14);
    EXPECT_EQ(w[1].bracing, 1 + 512);
    EXPECT_EQ(w[1].panelL, 0);
    EXPECT_EQ(w[1].panelR, 0);
    EXPECT_EQ(w[2].bracing, 256);
    EXPECT_EQ(w[2].panelL, 0);
    EXPECT_EQ(w[2].panelR, 0);
    EXPECT_EQ(d.RoofFloorRects[2][1][0].code, 12);
    EXPECT_EQ(d.RoofFloorTris[2][1][0].code, 3);
    EXPECT_EQ(d.FloorSpecRects[2][1][0].code, 3);
    EXPECT_EQ(d.FloorSpecRects[2][1][1].code, 9);
    EXPECT_EQ(d.FloorSpecTris[2][1][0].code, 9);
    EXPECT_EQ(d.RoomTexts[0][0][0].text.str(), Sjis("＊90"));
    EXPECT_TRUE((d.Foundations[0][0][0] == FoundationRecord{2, 2, 6, 2, 1}));
    const FreeLineRecord& l = d.FreeLines[0][0][0];
    EXPECT_EQ(l.style, 3);
    EXPECT_EQ(l.colour, version == Diag::V5 ? 0 : 255);
    EXPECT_EQ(l.dx1, 0.0);
    EXPECT_EQ(l.dy2, 0.0);
    EXPECT_EQ(d.ReservedCount[0][0], 0);
}

struct DiagCase {
    Diag version;
    const char* name;
    ModelFileKind kind;
};

class DiagnosisFiles : public ::testing::TestWithParam<DiagCase> {};

} // namespace

TEST_P(DiagnosisFiles, ReadEveryFieldAndConvertOldCodes) {
    std::string f = DiagnosisFile(GetParam().version);
    ASSERT_EQ(ChooseReader(f, GetParam().name), GetParam().kind);
    auto d = std::make_unique<Document>();
    int repairs = -1;
    ModelReadStatus st = ReadModelBytes(f, GetParam().kind, *d, repairs);
    ASSERT_TRUE(st.ok) << st.reason;
    EXPECT_EQ(repairs, 0);
    ExpectDiagnosisContents(*d, GetParam().version);
    // The fifth findings slot takes line 5 when the file's own line 5 is empty...
    EXPECT_EQ(d->ReportTexts.findings[5].str(), Sjis("所見X"));
    // ... and gives way to it when that line holds a text.
    auto d2 = std::make_unique<Document>();
    ASSERT_TRUE(ReadModelBytes(DiagnosisFile(GetParam().version, "所見X", "所見5"), GetParam().kind,
                               *d2, repairs)
                    .ok);
    EXPECT_EQ(d2->ReportTexts.findings[5].str(), Sjis("所見5"));
    // The old writer's same line in both slots is one finding, not two.
    auto dup = std::make_unique<Document>();
    ModelReadStatus stDup = ReadModelBytes(DiagnosisFile(GetParam().version, "所見5", "所見5"),
                                           GetParam().kind, *dup, repairs);
    auto single = std::make_unique<Document>();
    ASSERT_TRUE(stDup.ok && stDup.leftOut.empty());
    ASSERT_TRUE(ReadModelBytes(DiagnosisFile(GetParam().version, "", "所見5"), GetParam().kind,
                               *single, repairs)
                    .ok);
    EXPECT_EQ(dup->ReportTexts, single->ReportTexts);
    // The fifth slot's text then goes to the first empty line, or is named when none is.
    ASSERT_EQ(st.leftOut.size(), 0u);
    std::string f3 = DiagnosisFile(GetParam().version, "所見X", "所見5");
    ModelReadStatus st3 = ReadModelBytes(f3, GetParam().kind, *d2, repairs);
    ASSERT_EQ(st3.leftOut.size(), 1u);
    EXPECT_NE(st3.leftOut[0].find("所見X"), std::string::npos);
    const std::string line8 = Sjis("所見8");
    f3.replace(f3.find(line8), line8.size(), line8.size(), '\0');
    auto d3 = std::make_unique<Document>();
    st3 = ReadModelBytes(f3, GetParam().kind, *d3, repairs);
    EXPECT_TRUE(st3.leftOut.empty());
    EXPECT_EQ(d3->ReportTexts.findings[5].str(), Sjis("所見5"));
    EXPECT_EQ(d3->ReportTexts.findings[8].str(), Sjis("所見X"));
}

TEST_P(DiagnosisFiles, PublicReaderMatchesTheLoadPath) {
    std::string f = DiagnosisFile(GetParam().version);
    auto d = std::make_unique<Document>();
    ModelReadStatus st = GetParam().version == Diag::V5   ? ReadModelFileV5(f, *d)
                         : GetParam().version == Diag::V7 ? ReadModelFileV7(f, *d)
                                                          : ReadDiagnosisFileV8(f, *d);
    ASSERT_TRUE(st.ok) << st.reason;
    EXPECT_EQ(d->Walls[0][0][0].bracing, 155);
}

INSTANTIATE_TEST_SUITE_P(Versions, DiagnosisFiles,
                         ::testing::Values(DiagCase{Diag::V5, "/d/a.vq0", ModelFileKind::V5},
                                           DiagCase{Diag::V7, "/d/a.vq0", ModelFileKind::V7},
                                           DiagCase{Diag::V8, "/d/a.VQ0",
                                                    ModelFileKind::Diagnosis}));

// ---- through the load routine ------------------------------------------------------------------

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(OlderFilesLoad, FieldsAVersionLacksStartFromTheirInitialValues) {
    DocumentGuard guard;
    TempFolder folder;
    // The open document has its own panels and overview values.
    Doc.CustomPanels[0].name.set("mine");
    Doc.CustomPanels[0].strength = 9.9;
    Doc.BuildingData.ownerName.set("previous owner");
    Doc.StoreyData.storeyHeight[0][0] = 3.1;
    struct Case {
        const char* name;
        std::string bytes;
        bool holdsOwner; // the "qv6" fixture holds the whole block but the heights
    } cases[] = {{"old.vq2", V6File(), true},
                 {"oldest.vq2", V2File(), false},
                 {"diag.vq0", DiagnosisFile(Diag::V7), false},
                 // The backup of a ".vq0" file saved by an earlier build: the diagnosis layout.
                 {"diag.BAK", DiagnosisFile(Diag::V8), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Doc.CustomPanels[0].name.set("mine");
        Doc.StoreyData.storeyHeight[0][0] = 3.1;
        WriteBytes(folder.file(c.name), c.bytes);
        ScriptedMessages msgs;
        // The "qv6" fixture's block holds each field's offset, which is out of range for the
        // storey and class codes; the "qv2" fixture has a third storey and a class too many.
        if (c.holdsOwner || c.name == std::string("oldest.vq2")) msgs.expect("範囲", MsgAnswer::Ok);
        LoadOutcome out = LoadModelFile(folder.file(c.name));
        ASSERT_TRUE(out.ok) << out.reason;
        EXPECT_EQ(Doc.CustomPanels[0].symbol.str(), "X1");
        EXPECT_EQ(Doc.CustomPanels[0].name.str(), Sjis("その他1"));
        EXPECT_EQ(Doc.CustomPanels[9].symbol.str(), "(X5)");
        EXPECT_EQ(Doc.CustomPanels[0].strength, 0.0);
        EXPECT_EQ(Doc.StoreyData.storeyHeight[0][0], 2.8);
        if (!c.holdsOwner) {
            EXPECT_TRUE(Doc.BuildingData.ownerName.empty());
        }
    }
}

TEST(OlderFilesLoad, UnknownTagIsRefusedAndNothingIsRead) {
    DocumentGuard guard;
    TempFolder folder;
    std::string f = V2File();
    f[2] = '3'; // "qv3"
    WriteBytes(folder.file("x.vq2"), f);
    Doc.ColumnCount[0][0] = 1;
    ScriptedMessages msgs;
    msgs.expect("読み込み出来ないファイルです。", MsgAnswer::Ok);
    EXPECT_FALSE(LoadModelFile(folder.file("x.vq2")).ok);
    EXPECT_EQ(msgs.shown.at(0).caption, "読み込みエラー");
    EXPECT_EQ(Doc.ColumnCount[0][0], 1);
}

// ---- damaged older files
// -------------------------------------------------------------------------

struct FixtureCase {
    const char* name;
    ModelFileKind kind;
    std::string (*build)();
};

class DamagedOlderFile : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(DamagedOlderFile, TruncationAndMutationNeverCrash) {
    const std::string f = GetParam().build();
    auto d = std::make_unique<Document>();
    int repairs = 0;
    ASSERT_TRUE(ReadModelBytes(f, GetParam().kind, *d, repairs).ok);
    std::size_t stride = f.size() > 16000 ? 5 : 1;
    for (std::size_t len = 0; len < f.size(); len += stride) {
        std::string cut = f.substr(0, len);
        ModelReadStatus st = ReadModelBytes(cut, GetParam().kind, *d, repairs);
        ASSERT_FALSE(st.ok) << len;
    }
    std::mt19937 rng(77);
    for (int round = 0; round < 1500; ++round) {
        std::string m = f;
        for (int c = 0, n = 1 + static_cast<int>(rng() % 4); c < n; ++c) {
            const char pool[] = "0123456789 -\0\x81\xff";
            m[rng() % m.size()] = pool[rng() % (sizeof pool - 1)];
        }
        ModelReadStatus st = ReadModelBytes(m, GetParam().kind, *d, repairs);
        if (st.ok) {
            EXPECT_EQ(RepairCodes(*d), 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, DamagedOlderFile,
    ::testing::Values(FixtureCase{"V6", ModelFileKind::V6, &V6File},
                      FixtureCase{"V2", ModelFileKind::V2, [] { return V2File(); }},
                      FixtureCase{"V5", ModelFileKind::V5, [] { return DiagnosisFile(Diag::V5); }},
                      FixtureCase{"V7", ModelFileKind::V7, [] { return DiagnosisFile(Diag::V7); }},
                      FixtureCase{"V8", ModelFileKind::Diagnosis,
                                  [] { return DiagnosisFile(Diag::V8); }}),
    [](const auto& info) { return std::string(info.param.name); });
