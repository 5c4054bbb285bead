// The two approval application forms and the header-only sheets, read back from the recording
// print device at their millimetre positions.
#include "print/PrintApplicationForms.h"
#include "calc/ResultSummary.h"
#include "model/AppState.h"
#include "model/Model.h"
#include "print/PrintFrame.h"
#include "print/PrintRun.h"
#include "support/DiagnosisHouses.h"
#include "support/SheetChecks.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr double D = 23.622; // 600 dpi, PrintScale 1

class ApplicationFormsTest : public ::testing::Test {
protected:
    void SetUp() override { houses::ResetDocument(); }
    void TearDown() override { ScoreRes.BuildingScore[1][0] = 0.0; }
    const std::vector<sheetcheck::Op>& Print(PagePrinter printer, double d = D) {
        sheetcheck::PrintAlone(device, printer, d);
        return device.ops();
    }
    std::optional<std::string> At(double x, double y) const {
        return sheetcheck::TextAt(device.ops(), D, x, y);
    }

    RecordingPrintDevice device;
};

} // namespace

TEST_F(ApplicationFormsTest, DesignFormFromTheSettings) {
    App.CurrentScenario = 1;
    Doc.BuildingData.ownerName.set(Sj("山田太郎"));
    Doc.StoreyData.totalFloorArea[1] = 98.5;
    Doc.RetrofitApplication.designerNumber.set("A-12");
    const char* storeys[3] = {"木造平屋建て", "木造２階建て", "木造３階建て"};
    for (int top = 0; top < 3; ++top) {
        Doc.StoreyData.topStorey[1] = top;
        Print(PrintDesignApprovalApplication);
        EXPECT_EQ(At(66, 147.5), storeys[top]);
    }
    EXPECT_EQ(At(135, 83.5), "山田太郎 (印)");
    EXPECT_EQ(At(147, 147.5), "   98.50 ㎡");
    EXPECT_EQ(At(147, 159), "   0.0");
    EXPECT_EQ(At(161, 170.5), "A-12");
    EXPECT_EQ(At(62, 33), "vu市木造住宅耐震改修事業");
    EXPECT_FALSE(At(66, 193.5)) << "the design form names the design firm only";

    // The postcode is the first 8 bytes, never half a character; the address follows.
    const std::pair<const char*, std::pair<const char*, const char*>> addresses[] = {
        {"231-00", {"231-00", ""}},
        {"231-0017", {"231-0017", ""}},
        {"231-0017中区", {"231-0017", "中区"}},
        {"231-001中区", {"231-001", "中区"}},
    };
    for (const auto& [stored, expected] : addresses) {
        Doc.BuildingData.ownerAddress.set(Sj(stored));
        Print(PrintDesignApprovalApplication);
        EXPECT_EQ(At(135, 73), expected.first) << stored;
        EXPECT_EQ(At(135, 78), expected.second) << stored;
    }

    // The frame, its title and the last vertical caption where the form has them.
    const sheetcheck::Page page = sheetcheck::Read(device.ops());
    EXPECT_EQ(page.rects, 1);
    EXPECT_EQ(page.lines, 16);
    ASSERT_EQ(page.texts.size(), 60u);
    EXPECT_TRUE(sheetcheck::At(*page.texts.front(), D, 66, 38));
    EXPECT_EQ(cp932::toUtf8(page.texts.front()->text), "【耐震設計】計画承認申請書");
    EXPECT_TRUE(sheetcheck::At(*page.texts.back(), D, 27, 169));
    EXPECT_EQ(cp932::toUtf8(page.texts.back()->text), "予定事業者");
    EXPECT_EQ(page.texts.back()->font.escapement, -900);
    EXPECT_EQ(sheetcheck::OffThePage(device.ops(), D), "");
}

TEST_F(ApplicationFormsTest, WorksFormScoreAndApprovalNotice) {
    App.CurrentScenario = 1;
    Doc.RetrofitApplication.contractorName.set(Sj("工務店"));
    Doc.RetrofitApplication.approvalEraYear.set("426");
    Doc.RetrofitApplication.approvalMonth.set("4");
    Doc.RetrofitApplication.approvalDay.set("1");
    Doc.RetrofitApplication.approvalNumber.set("123");
    ScoreRes.BuildingScore[1][0] = 1.079;
    Print(PrintWorksApprovalApplication);
    EXPECT_EQ(At(66, 193.5), "工務店");
    EXPECT_EQ(At(168, 161.9), " 1.07");
    EXPECT_EQ(At(75, 239.5), "平成  26年   4月   1日　　　第       123 号");
    EXPECT_EQ(At(66, 38), "【補強工事】計画承認申請書");
    EXPECT_FALSE(At(74, 239.5)) << "no tax row";

    const sheetcheck::Page page = sheetcheck::Read(device.ops());
    EXPECT_EQ(page.rects, 1);
    EXPECT_EQ(page.lines, 22);
    EXPECT_EQ(page.texts.size(), 73u);
    EXPECT_EQ(cp932::toUtf8(page.texts.back()->text), "予定事業者");
    EXPECT_TRUE(sheetcheck::At(*page.texts.back(), D, 27, 192));
    EXPECT_EQ(sheetcheck::OffThePage(device.ops(), D), "");

    // A western year names its era; a date without a readable era stays a 平成 date.
    ScoreRes.BuildingScore[1][0] = 0.0;
    Doc.RetrofitApplication.approvalEraYear.set("02015");
    Print(PrintWorksApprovalApplication);
    EXPECT_EQ(At(168, 161.9), " 0.00");
    EXPECT_EQ(At(75, 239.5), "西暦2015年   4月   1日　　　第       123 号");
    for (const char* eraYear : {"5", "", "x"}) {
        Doc.RetrofitApplication.approvalEraYear.set(eraYear);
        Print(PrintWorksApprovalApplication);
        EXPECT_EQ(At(75, 239.5), "平成    年   4月   1日　　　第       123 号") << eraYear;
    }
}

TEST_F(ApplicationFormsTest, SizesInPrinterDotsAndTheBlankSheet) {
    const auto& ops = Print(PrintDesignApprovalApplication, 10.0);
    ASSERT_EQ(ops[1].kind, sheetcheck::Kind::Rectangle);
    EXPECT_EQ(ops[1].pen.width, 3);
    EXPECT_EQ(sheetcheck::Read(ops).texts.front()->font.height, 50);

    Print(PrintBlankSheet);
    ASSERT_EQ(device.ops().size(), 1u);
    EXPECT_NE(device.ops()[0].text.find("S-P. 1"), std::string::npos);
}

// Full-length names and addresses are narrowed into their cells, and the form's font holds after.
TEST_F(ApplicationFormsTest, LongValuesStayInTheirCells) {
    std::string forty;
    for (int i = 0; i < 40; ++i) forty += "横";
    auto& a = Doc.RetrofitApplication;
    for (auto* field : {&Doc.BuildingData.ownerAddress, &Doc.BuildingData.siteLotNumber,
                        &a.designerName, &a.contractorAddress})
        field->set(Sj(forty));
    a.designerNumber.set("2015-00123");
    Print(PrintWorksApprovalApplication);
    int fields = 0;
    for (const auto& [x, y, right] : {std::array{135., 78., 203.},
                                      {66., 136., 184.},
                                      {66., 170.5, 125.},
                                      {66., 205., 127.},
                                      {161., 170.5, 172.}})
        for (const auto& op : device.ops())
            if (op.kind == sheetcheck::Kind::Text && sheetcheck::At(op, D, x, y) && ++fields) {
                EXPECT_LE(op.points[0].x + int(op.text.size()) * op.font.width, right * D)
                    << sheetcheck::Describe(op, D);
            }
    EXPECT_EQ(fields, 5);
    EXPECT_EQ(sheetcheck::Read(device.ops()).texts.back()->font.width, TruncPixel(2 * D));
}
