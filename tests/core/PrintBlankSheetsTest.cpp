// The blank application sheets read back from the recording print device: their pages and
// header numbers, what each page holds, and that they print nothing of the document.
#include "model/AppState.h"
#include "model/Model.h"
#include "print/PrintFrame.h"
#include "print/PrintOutlineSheets.h"
#include "print/PrintRun.h"
#include "print/PrintSurveySheets.h"
#include "support/DiagnosisHouses.h"
#include "support/SheetChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

constexpr double D = 23.622; // 600 dpi, PrintScale 1

class BlankSheetsTest : public ::testing::Test {
protected:
    void SetUp() override { houses::ResetDocument(); }
    void Print(PagePrinter printer) { sheetcheck::PrintAlone(device, printer, D); }
    // The flags' pages in one run; the header number of every page.
    std::vector<std::string> Run(std::initializer_list<int> printed) {
        device = RecordingPrintDevice{};
        int32_t flags[PrintFlagCount] = {};
        for (int flag : printed) flags[flag] = 1;
        EXPECT_TRUE(RunPrintPlan(device, PlanPrintRun(flags)));
        std::vector<std::string> numbers;
        for (int page = 1; page <= device.pageNumber(); ++page) {
            const auto ops = device.opsOn(1, page);
            const std::string& header = ops.at(0).text;
            numbers.push_back(header.substr(header.find("S-P."), 6));
        }
        return numbers;
    }

    RecordingPrintDevice device;
};

struct Place {
    double x, y;
    const char* text;
};
// Per page as the forms list them: rectangles, lines, texts, the first and the last text.
struct PageContents {
    PagePrinter printer;
    int page, rects, lines, texts;
    Place first, last;
};
// clang-format off
const PageContents Pages[] = {
    {PrintRetrofitPlanOutline, 1, 3, 20, 27, {77, 22, "耐震補強計画概要書"},
     {95, 187, "イ、道路突出の有無（狭隘道路）"}},
    {PrintGeneralItemsSheet, 1, 21, 16, 66, {23, 18, "１）一般事項・補強方針"},
     {50, 142, "＊地下室が別棟か否かの判定基準はvu市構造設計指針による"}},
    {PrintGeneralItemsSheet, 2, 15, 18, 57, {167, 13, "No.1－2"}, {171, 208, "補強後"}},
    {PrintHearingSheet, 1, 6, 29, 48, {23, 18, "２）ヒアリングシート"},
     {50, 254.5, "白蟻対策の薬品散布をした"}},
    {PrintSiteSurveySheet, 1, 9, 22, 59, {23, 18, "３）現地調査シート"},
     {50, 264.5, "2 階柱頭・柱脚納り、CPL・VP 金物"}},
    {PrintSiteSurveySheet, 2, 9, 20, 42, {167, 13, "No.3－2"},
     {50, 266.5, "1階床下をのぞき、足固めなしを確認した（足固めなし）"}},
    {PrintSiteSurveySheet, 3, 4, 37, 47, {167, 13, "No.3－3"}, {50, 270.5, "小屋裏収納がない"}},
    {PrintSiteSurveySheet, 4, 4, 27, 34, {167, 13, "No.3－4"}, {50, 220.5, "白蟻対策の薬品散布をした"}},
    {PrintRetainedStrengthEffectSheet, 1, 3, 20, 45, {23, 18, "17）保有耐力診断書・補強効果判定書"},
     {24, 216, "    2）1 階の検計時は2F 床・下屋下地の平均床耐力"}},
};
// clang-format on

} // namespace

// The pages listed above are all there are: all five sheets make nine pages.
TEST_F(BlankSheetsTest, PagesNumberedOnAcrossTheSheetsOfAJob) {
    EXPECT_EQ(Run({7, 8}), (std::vector<std::string>{"S-P. 1", "S-P. 2", "S-P. 3"}));
    const auto numbers = Run({2, 7, 8, 9, 10});
    ASSERT_EQ(numbers.size(), 9u);
    EXPECT_EQ(numbers.back(), "S-P. 9");
}

TEST_F(BlankSheetsTest, EveryPageHoldsWhatTheFormLists) {
    for (const PageContents& expected : Pages) {
        Print(expected.printer);
        const auto ops = device.opsOn(1, expected.page);
        const sheetcheck::Page page = sheetcheck::Read(ops);
        SCOPED_TRACE(std::string(expected.first.text) + " page " + std::to_string(expected.page));
        EXPECT_EQ(page.rects, expected.rects);
        EXPECT_EQ(page.lines, expected.lines);
        ASSERT_EQ(page.texts.size(), std::size_t(expected.texts));
        for (auto [op, place] : {std::pair{page.texts.front(), expected.first},
                                 std::pair{page.texts.back(), expected.last}}) {
            EXPECT_EQ(cp932::toUtf8(op->text), place.text);
            EXPECT_TRUE(sheetcheck::At(*op, D, place.x, place.y)) << sheetcheck::Describe(*op, D);
        }
        EXPECT_EQ(sheetcheck::OffThePage(ops, D), "");
        // Every page starts in the solid 0.3 mm pen, but the score box of the retained strength.
        const auto figure = std::find_if(ops.begin(), ops.end(), [](const sheetcheck::Op& op) {
            return op.kind != sheetcheck::Kind::Text;
        });
        const bool scoreBox = expected.printer == PrintRetainedStrengthEffectSheet;
        EXPECT_EQ(figure->pen.width, TruncPixel((scoreBox ? 0.5 : 0.3) * D));
        EXPECT_EQ(figure->pen.style, PenStyle::Solid);
    }
    // The dashed lines of the outline: the canvas's dash style, one dot wide.
    Print(PrintRetrofitPlanOutline);
    const auto& dashed = device.ops()[1 + 3 + 16];
    EXPECT_EQ(dashed.pen.style, PenStyle::Dash);
    EXPECT_EQ(dashed.pen.width, 1);
    Print(PrintRetainedStrengthEffectSheet);
    EXPECT_EQ(device.ops()[2].pen.width, TruncPixel(0.3 * D)) << "after the score box";
}

TEST_F(BlankSheetsTest, TheDocumentNeverReachesTheSheets) {
    const auto print = [&] {
        std::vector<sheetcheck::Op> drawn;
        for (PagePrinter printer :
             {PrintRetrofitPlanOutline, PrintGeneralItemsSheet, PrintHearingSheet,
              PrintSiteSurveySheet, PrintRetainedStrengthEffectSheet}) {
            Print(printer);
            for (const auto& op : device.ops())
                if (op.text.find("Velquor") != 0) drawn.push_back(op);
        }
        return drawn;
    };
    const auto blank = print();
    const auto fill = [](auto& record) {
        static_assert(std::is_trivially_copyable_v<std::remove_reference_t<decltype(record)>>);
        std::memset(static_cast<void*>(&record), 'A', sizeof record);
    };
    fill(Doc.BuildingData);
    fill(Doc.StoreyData);
    fill(Doc.GroundFoundationSurvey);
    fill(Doc.FoundationFloorSpec);
    fill(Doc.DeteriorationSurvey);
    fill(Doc.PermitRecord);
    fill(Doc.ReportTexts);
    fill(Doc.RetrofitApplication);
    App.CurrentScenario = 2;
    const auto filled = print();
    ASSERT_EQ(filled.size(), blank.size());
    for (std::size_t i = 0; i < blank.size(); ++i) {
        EXPECT_EQ(filled[i].text, blank[i].text);
        EXPECT_EQ(filled[i].points[0].x, blank[i].points[0].x);
        EXPECT_EQ(filled[i].points.back().y, blank[i].points.back().y);
    }
}
