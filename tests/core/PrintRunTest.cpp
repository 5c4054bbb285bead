// The print run from the page flags, the page frame and the line cursor, on the recording
// print device.
#include "print/PrintRun.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace {

std::vector<int> called;

// A page printer that notes its flag and draws it; the required-strength page (14) runs over
// onto a second page of its own.
template <int Flag>
void FakePrinter(PrintDevice& device, double) {
    called.push_back(Flag);
    device.canvas().textOut(0, 0, std::to_string(Flag));
    if (Flag == 14) device.newPage();
}

template <std::size_t... I>
constexpr std::array<PagePrinter, PrintFlagCount> MakeFakes(std::index_sequence<I...>) {
    return {&FakePrinter<int(I)>...};
}

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        called.clear();
        const auto all = MakeFakes(std::make_index_sequence<PrintFlagCount>());
        std::copy(all.begin(), all.end(), fakes);
    }
    PrintPlan Plan(std::initializer_list<int> ticked, const PagePrinterTable& table) {
        int32_t flags[PrintFlagCount] = {};
        for (int f : ticked) flags[f] = 1;
        return PlanPrintRun(flags, table);
    }
    PagePrinterTable fakes{};
    using Jobs = std::vector<std::vector<int>>;
};

} // namespace

TEST(PrintScale, FitsTheDesignPageKeepingItsProportions) {
    double scale = 0, d = 0;
    // Letter at 600 dpi: fitW = 8.5 x 360 / 2892 = 1.0581, fitH = 11 x 360 / 4125 = 0.96.
    ASSERT_TRUE(FitDesignPage(5100, 6600, 600, scale, d));
    EXPECT_NEAR(scale, 0.96, 1e-9);
    EXPECT_NEAR(d, 22.677, 5e-4);
    // A4 with 2.98 mm margins: fitW = 8.04 x 360 / 2892 = 1.00083 < fitH = 1.00118.
    ASSERT_TRUE(FitDesignPage(4824, 6883, 600, scale, d));
    EXPECT_NEAR(d, 23.642, 5e-4);
    // Landscape: the height decides, 4824 / 600 x 360 / 4125 = 0.70167.
    ASSERT_TRUE(FitDesignPage(6883, 4824, 600, scale, d));
    EXPECT_NEAR(scale, 0.70167, 1e-5);
    EXPECT_FALSE(FitDesignPage(4824, 6883, 0, scale, d));
}

TEST_F(PrintRunTest, PlanTakesTheReportOrderAndSplitsFormsFromTheReport) {
    EXPECT_EQ(Plan({11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}, fakes).jobs,
              (Jobs{{11, 12, 13, 14, 15, 16, 18, 19, 21, 20, 17, 22}}));
    EXPECT_EQ(Plan({17, 0, 11, 3}, fakes).jobs, (Jobs{{0, 3}, {11, 17}}));
    EXPECT_EQ(Plan({0, 3}, fakes).jobs, (Jobs{{0, 3}}));
    EXPECT_TRUE(Plan({}, fakes).empty());
    EXPECT_TRUE(Plan({23, 24}, fakes).empty()) << "the estimate sheets have no printer";
    // The program's own table: pages without a printer are kept but print nothing, and never
    // open a job of their own.
    EXPECT_TRUE(Plan({23, 24}, PagePrinters).empty());
    EXPECT_EQ(Plan({0, 11, 17, 23}, PagePrinters).jobs, (Jobs{{0}, {11, 17}}));
}

TEST_F(PrintRunTest, RunOpensTwoJobsEachNumberedFromOne) {
    RecordingPrintDevice device;
    ASSERT_TRUE(RunPrintPlan(device, Plan({0, 3, 11, 14, 17}, fakes), fakes));
    EXPECT_EQ(called, (std::vector<int>{0, 3, 11, 14, 17}));
    std::string events; // step, job.page
    for (const auto& e : device.events)
        events += std::string("BNE").substr(int(e.step), 1) + std::to_string(e.job) + "." +
                  std::to_string(e.page) + " ";
    EXPECT_EQ(events, "B1.1 N1.2 E1.2 B2.1 N2.2 N2.3 N2.4 E2.4 ");
    ASSERT_EQ(device.opsOn(2, 4).size(), 1u);
    EXPECT_EQ(device.opsOn(2, 4)[0].text, "17") << "the floor check after its own new page";
    EXPECT_NEAR(PrintScale, 1.00083, 1e-5);
    // Dashes in twelfths of a millimetre: about 2 dots at 600 dpi, where a 1-dot dash vanishes.
    EXPECT_NEAR(device.dashUnit, 600 / 25.4 * PrintScale / 12, 1e-9);
}

TEST_F(PrintRunTest, RefusalsStopTheRunWithAMessage) {
    ScriptedMessages messages;
    RecordingPrintDevice refusesBegin;
    refusesBegin.refuseBegin = true;
    messages.expect("印刷を開始できませんでした", MsgAnswer::Ok);
    EXPECT_FALSE(RunPrintPlan(refusesBegin, Plan({11}, fakes), fakes));
    EXPECT_EQ(messages.shown.back().caption, "印刷");

    RecordingPrintDevice noPaper(0, 0, 600);
    messages.expect("0 です", MsgAnswer::Ok);
    EXPECT_FALSE(RunPrintPlan(noPaper, Plan({11}, fakes), fakes));
    EXPECT_FALSE(noPaper.printing());
    EXPECT_TRUE(called.empty());

    // The required-strength page meets the refusal on its own further page: the run stops
    // after it, and the document is ended.
    RecordingPrintDevice refusesPages;
    refusesPages.refuseNewPage = true;
    messages.expect("次のページ", MsgAnswer::Ok);
    EXPECT_FALSE(RunPrintPlan(refusesPages, Plan({0, 14, 17}, fakes), fakes));
    EXPECT_EQ(called, (std::vector<int>{0, 14}));
    EXPECT_FALSE(refusesPages.printing());
}

TEST(PageFrame, HeaderNamesBuildingPageAndMomentAtTheRightEdge) {
    Doc.BuildingData.ownerName.set(Sj("山田"));
    SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
    RecordingPrintDevice device;
    ASSERT_TRUE(device.beginDocument());
    for (int p = 2; p <= 7; ++p) device.newPage();
    PrintPageHeader(device, 23.622);
    const auto& op = device.ops().back();
    EXPECT_EQ(cp932::toUtf8(op.text), "Velquor Ver2.4p [ 山田 邸 P. 7 ] 2015/ 3/ 7  9: 5: 0");
    // 46 half-width columns and 3 full-width characters: 52 x 35 = 1820 dots wide.
    EXPECT_EQ(op.points[0].x, 4824 - 52 * 35 - 5);
    EXPECT_EQ(op.points[0].y, 0);

    Doc.BuildingData.ownerName.set("");
    EXPECT_EQ(cp932::toUtf8(PageHeaderText(true, 12, {2026, 12, 31, 23, 59, 9})),
              "Velquor Ver2.4p [  邸 S-P.12 ] 2026/12/31 23:59: 9");

    // A report continued on a fresh page: the header on it, then the body font.
    ASSERT_TRUE(NewReportPage(device, 23.622));
    EXPECT_EQ(device.ops().back().page, 8);
    EXPECT_EQ(device.canvas().font().height, 59);
    SetHeaderClock({});
}

TEST(PageFrame, LineCursorAddsTruncatedAdvancesAndBreaksBeforeThePageEnd) {
    LineCursor cursor(23.622);
    EXPECT_EQ(cursor.advance(5), 118);
    EXPECT_EQ(cursor.advance(5), 236) << "trunc(118 + 118.11)";
    int continued = 0;
    const auto next = [&](LineCursor& c) {
        ++continued;
        c.moveTo(0);
        return true;
    };
    cursor.moveTo(TruncPixel(285 * 23.622)); // a 5 mm line ends at 290 mm: the page takes it
    EXPECT_TRUE(cursor.ensureRoom(5, nullptr, next));
    EXPECT_EQ(continued, 0);
    EXPECT_TRUE(cursor.ensureRoom(
        5, [](int y) { return y > 100; }, next));
    EXPECT_EQ(continued, 1) << "the table's own break";
    cursor.moveTo(TruncPixel(287 * 23.622)); // would end at 292 mm, below 291.04
    EXPECT_TRUE(cursor.ensureRoom(5, nullptr, next));
    EXPECT_EQ(continued, 2);
    EXPECT_EQ(cursor.y(), 0);
}
