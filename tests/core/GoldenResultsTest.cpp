// Golden results: whole runs of many houses against the digests kept in tests/golden/results.txt,
// so that a change meant to move no result (a faster stage, a tidier rule) proves it. Every
// result table, the wall words the run writes back, the notices and the result panel of every
// run; for a subset the report views and every printed page as well; and the headline numbers
// of every house (scores, required strength, eccentricity per storey). A failure names each
// house and table that moved, and each number with its old and new value; scripts/rewrite-golden
// writes the file anew for a change that moves a result on purpose, and scripts/golden-tables
// writes a house's tables as text.
#include "calc/Diagnosis.h"
#include "document/Recompute.h"
#include "model/Grid.h"
#include "model/Messages.h"
#include "model/MethodEdition.h"
#include "model/Slots.h"
#include "ports/RecordingCanvas.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintFrame.h"
#include "print/PrintRun.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/NValueReport.h"
#include "reports/RequiredReport.h"
#include "reports/ScoreReports.h"
#include "reports/WallReports.h"
#include "support/DiagnosisCapacityModel.h"
#include "support/DiagnosisHouses.h"
#include "support/GoldenDigest.h"
#include "support/HouseBuilder.h"
#include "support/RandomHouses.h"
#include "support/WallBenchHouses.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using golden::Digests;

// The window's message boxes: every notice after a run is recorded and answered; a question
// (a run never asks one) fails the test.
class NoticeRecorder final : public MessageService {
public:
    NoticeRecorder() { SetMessageService(this); }
    ~NoticeRecorder() override { SetMessageService(nullptr); }
    MsgAnswer ask(const std::string& text, const std::string& caption, MsgButtons buttons,
                  MsgIcon icon) override {
        EXPECT_EQ(buttons, MsgButtons::Ok) << "a question after a run: " << text;
        shown.push_back({text, caption, buttons, icon});
        return MsgAnswer::Ok;
    }
    std::vector<ScriptedMessages::Shown> shown;
};

// The recompute step as the window runs it before a paint, and the notices it shows after.
Digests RunAsTheWindowDoes() {
    Recompute();
    const DiagnosisOutcome outcome = LastDiagnosis();
    NoticeRecorder messages;
    ShowRecomputeNotices();
    Digests out = golden::ResultDigests();
    for (auto& d : golden::OutcomeDigests(outcome, messages.shown)) out.push_back(std::move(d));
    return out;
}

struct Report {
    const char* name;
    CanvasSize (*paint)(Canvas&);
};
constexpr Report Reports[] = {
    {"report-gravity", PaintGravityReport},
    {"report-required", PaintRequiredReport},
    {"report-n-values", PaintNValueReport},
    {"report-floor", PaintFloorReport},
    {"report-wall-strength", PaintWallStrengthReport},
    {"report-rigidity", PaintRigidityReport},
    {"report-score", PaintScoreReport},
    {"report-judgement", PaintJudgementReport},
};

// Every report view as the result dialogs draw it, and every page printer on its own.
Digests ReportAndPageDigests() {
    Digests out;
    for (const Report& report : Reports) {
        RecordingCanvas canvas;
        const CanvasSize size = report.paint(canvas);
        golden::Digest d;
        d.add(size).add(golden::OpsDigest(canvas.ops));
        out.emplace_back(report.name, d.hex());
    }
    for (int flag = 0; flag < FirstEstimateFlag; ++flag) {
        if (!PagePrinters[flag]) continue;
        int32_t flags[PrintFlagCount] = {};
        flags[flag] = 1;
        RecordingPrintDevice device;
        EXPECT_TRUE(RunPrintPlan(device, PlanPrintRun(flags))) << "page " << flag;
        golden::Digest d;
        d.add(device.events);
        for (const std::string& title : device.titles) d.add(title);
        d.add(golden::OpsDigest(device.ops()));
        char name[16];
        std::snprintf(name, sizeof name, "page-%02d", flag);
        out.emplace_back(name, d.hex());
    }
    return out;
}

// Runs the house the document holds as a freshly opened document.
Digests RunOpened() {
    MarkDocumentReplaced();
    return RunAsTheWindowDoes();
}

// The run's digests followed by those of every report view and printed page of its results (the
// run first: the order of a call's arguments is not fixed).
Digests WithReportsAndPages(Digests run) {
    const Digests more = ReportAndPageDigests();
    run.insert(run.end(), more.begin(), more.end());
    return run;
}

// Every result table blank, whatever the houses before left in it: an empty document of three
// storeys run in every scenario clears every row and node a run can have written. Run before
// every house, so that a house's digests hold its own results only (a run clears nothing of the
// other scenarios).
void BlankResults() {
    houses::ResetDocument();
    for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 2;
    for (int s = Scenarios - 1; s >= 0; --s) {
        App.CurrentScenario = s;
        RunDiagnosis();
    }
    houses::ResetDocument();
}

// The digests must hold across compilers and builds: every NaN hashes alike (a constant folded
// by the compiler and one computed at run time differ in sign), while a signed zero, which a
// report shows, and the length of a run of zeros still count.
TEST(GoldenDigest, NaNsHashAlikeAndZerosCount) {
    const auto of = [](auto v) { return golden::Digest().add(v).value(); };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(of(nan), of(-nan));
    EXPECT_EQ(of(nan), of(std::numeric_limits<double>::signaling_NaN()));
    EXPECT_NE(of(0.0), of(-0.0));
    const double two[2] = {}, three[3] = {};
    EXPECT_NE(golden::Digest().add(two).value(), golden::Digest().add(three).value());
    EXPECT_NE(of(std::string("ab")), of(std::string("ba")));
}

class GoldenResults : public ::testing::Test {
protected:
    void SetUp() override {
        SetHeaderClock([] { return HeaderTime{2015, 3, 7, 9, 5, 0}; });
        // The big tables count the rows they may hold; a run of the biggest house in each
        // scenario makes every row count, as in a fresh program, whatever an earlier test set
        // in the tables behind their backs.
        capacity::BuildFullCapacityHouse();
        for (int s = 1; s < Scenarios; ++s) CopyModelSlot(0, s, CopyElementsOnly, AllStoreys);
        for (int s = 0; s < Scenarios; ++s) {
            App.CurrentScenario = s;
            RunDiagnosis();
        }
        if (GridResetNoticePending()) {
            NoticeRecorder messages;
            ShowGridResetNotice();
        }
    }
    void TearDown() override { SetHeaderClock({}); }
};

struct House {
    const char* name;
    void (*build)();
};
constexpr House FixtureHouses[] = {
    {"symmetric-one-storey", houses::BuildSymmetricOneStorey},
    {"eccentric-one-storey", houses::BuildEccentricOneStorey},
    {"two-storey", houses::BuildTwoStorey},
    {"three-storey", houses::BuildThreeStorey},
    {"two-storey-precise", houses::BuildTwoStoreyPrecise},
    {"one-way-braces", houses::BuildOneWayBraces},
};
constexpr House CapacityHouses[] = {
    {"full-capacity", capacity::BuildFullCapacityHouse},
    {"small", capacity::BuildSmallHouse},
};

// The names of the editions and methods in the houses' names.
const char* EditionName(int32_t edition) {
    switch (edition) {
    case EditionNational2004:
        return "national-2004";
    case EditionOlderFile:
        return "older-file";
    case EditionCity:
        return "city";
    case EditionRevision2012:
        return "revision-2012";
    default:
        return "edition-unknown";
    }
}
const char* MethodName(int32_t method) {
    switch (method) {
    case MethodPreciseApprox:
        return "precise-approximate";
    case MethodGeneralDetailed:
        return "general-detailed";
    case MethodGeneralApprox:
        return "general-approximate";
    case MethodPreciseSimplified:
        return "precise-simplified";
    default:
        return "method-unknown";
    }
}

// The house run opened under the edition and method, named by them.
void RecordUnder(golden::Family& family, const House& house, int32_t edition, int32_t method) {
    BlankResults();
    house.build();
    Doc.CriteriaEdition = edition;
    Doc.DiagnosisMethod = method;
    family.record(std::string(house.name) + "/" + EditionName(edition) + "/" + MethodName(method),
                  RunOpened());
}

// Every criteria edition (the older files' as their readers set it) under every method.
void EveryEditionAndMethod(golden::Family& family, const House& house) {
    for (int32_t edition : randomhouse::Editions)
        for (int32_t method = 0; method < DiagnosisMethods; ++method)
            RecordUnder(family, house, edition, method);
}

TEST_F(GoldenResults, FixtureHousesUnderEveryEditionAndMethod) {
    golden::Family family("fixtures");
    for (const House& house : FixtureHouses) EveryEditionAndMethod(family, house);
    family.finish();
}

TEST_F(GoldenResults, CapacityHousesUnderEveryEditionAndMethod) {
    golden::Family family("capacity");
    for (const House& house : CapacityHouses) EveryEditionAndMethod(family, house);
    family.finish();
}

// The houses as they are built, with every report view and every printed page.
TEST_F(GoldenResults, ReportViewsAndPrintedPages) {
    golden::Family family("reports");
    for (const House& house : FixtureHouses) {
        BlankResults();
        house.build();
        family.record(house.name, WithReportsAndPages(RunOpened()));
    }
    BlankResults();
    capacity::BuildSmallHouse();
    family.record("small-capacity", WithReportsAndPages(RunOpened()));
    for (int i = 0; i < 4; ++i) {
        BlankResults();
        randomhouse::Build(66, 1000 + i);
        family.record("random-" + std::to_string(i), WithReportsAndPages(RunOpened()));
    }
    family.finish();
}

// A retrofit plan of two plans, switched on screen as the user does: the current state, plan 1,
// plan 2 and back; each switch reruns the diagnosis of the scenario on screen, and the other
// scenarios keep what their last run left (the effect sheet prints all three).
TEST_F(GoldenResults, RetrofitPlanWithScenarioSwitches) {
    golden::Family family("retrofit");
    for (const House& house : {FixtureHouses[2], FixtureHouses[4]}) {
        BlankResults();
        house.build();
        for (int s = 1; s < Scenarios; ++s) CopyModelSlot(0, s, CopyWithSettings, AllStoreys);
        // Plan 1: a braced partition added along the middle of the 1F, marked as retrofit work.
        HouseBuilder(1, 0)
            .column(3, 4, 1, houses::Kokuji)
            .column(7, 4, 1, houses::Kokuji)
            .wall(3, 4, 7, 4, houses::CrossBrace45 | RetrofitWallBit);
        // Plan 2: plywood on both faces of every 1F wall, and the last 2F wall taken away.
        for (int i = 0; i < Doc.WallCount[2][0]; ++i) {
            Doc.Walls[2][0][i].panelL = houses::PanelP1;
            Doc.Walls[2][0][i].panelR = houses::PanelP1;
        }
        --Doc.WallCount[2][1];
        MarkDocumentReplaced();
        int step = 0;
        for (int scenario : {0, 1, 2, 0, 2, 1}) {
            App.CurrentScenario = scenario;
            MarkDocumentChanged();
            const std::string name = std::string(house.name) + "/step-" + std::to_string(step++) +
                                     "-scenario-" + std::to_string(scenario);
            family.record(name, step > 3 ? WithReportsAndPages(RunAsTheWindowDoes())
                                         : RunAsTheWindowDoes());
        }
    }
    family.finish();
}

// A storey emptied in place (its lists emptied, the records left behind as stale data), run
// before and after: nothing of the emptied storey may remain in the results.
TEST_F(GoldenResults, StoreyEmptiedInPlace) {
    golden::Family family("emptied");
    struct Case {
        const char* name;
        void (*build)();
        int scenario, storey;
    };
    const Case cases[] = {
        {"two-storey-2F", houses::BuildTwoStorey, 0, 1},
        {"three-storey-2F", houses::BuildThreeStorey, 0, 1},
        {"two-storey-precise-1F", houses::BuildTwoStoreyPrecise, 0, 0},
        {"full-capacity-1F", capacity::BuildFullCapacityHouse, 0, 0},
        {"full-capacity-plan-1-3F", capacity::BuildFullCapacityHouse, 1, 2},
    };
    for (const Case& c : cases) {
        BlankResults();
        c.build();
        if (c.scenario != 0) CopyModelSlot(0, c.scenario, CopyWithSettings, AllStoreys);
        App.CurrentScenario = c.scenario;
        App.CurrentStorey = c.storey;
        family.record(std::string(c.name) + "/before", RunOpened());
        ClearStoreyData();
        MarkDocumentChanged();
        family.record(std::string(c.name) + "/after", RunAsTheWindowDoes());
    }
    family.finish();
}

// The result tables, the wall words and the outcome as a run left them.
struct RunCopy {
    std::unique_ptr<RequiredStrengthResults> required =
        std::make_unique<RequiredStrengthResults>(ReqResult);
    std::unique_ptr<WallEvaluationResults> walls =
        std::make_unique<WallEvaluationResults>(WallEval);
    std::unique_ptr<RigidityResults> rigidity = std::make_unique<RigidityResults>(RigidityRes);
    std::unique_ptr<ColumnJointResults> joints = std::make_unique<ColumnJointResults>(NValueRes);
    std::unique_ptr<FloorResults> floors = std::make_unique<FloorResults>(FloorRes);
    std::unique_ptr<FloorCheckResults> floorCheck = std::make_unique<FloorCheckResults>(FloorCheck);
    std::unique_ptr<ScoreResults> scores = std::make_unique<ScoreResults>(ScoreRes);
    std::unique_ptr<Document> doc = std::make_unique<Document>(Doc);
    DiagnosisOutcome outcome = LastDiagnosis();

    golden::ResultTables tables() const {
        return {*required, *walls, *rigidity, *joints, *floors, *floorCheck, *scores, *doc};
    }
};

// The members of the result tables, the walls and the outcome whose bytes differ between two
// runs, and the lines of their text that differ.
std::string Differences(const RunCopy& a, const RunCopy& b) {
    std::string members;
    const auto compare = [&members](const char* table, const auto& x, const auto& y) {
        using T = std::decay_t<decltype(x)>;
        golden::ForEachField<T>([&](const auto& field) {
            const auto& m = x.*field.member;
            if (std::memcmp(&m, &(y.*field.member), sizeof m) != 0)
                members += std::string(" ") + table + "." + field.name;
        });
    };
    compare("required", *a.required, *b.required);
    compare("walls", *a.walls, *b.walls);
    compare("rigidity", *a.rigidity, *b.rigidity);
    compare("column-joints", *a.joints, *b.joints);
    compare("floors", *a.floors, *b.floors);
    compare("floor-check", *a.floorCheck, *b.floorCheck);
    compare("scores", *a.scores, *b.scores);
    if (std::memcmp(a.doc->Walls, b.doc->Walls, sizeof a.doc->Walls) != 0) members += " Doc.Walls";
    if (!(a.outcome.Panel == b.outcome.Panel) ||
        std::memcmp(&a.outcome.NValue, &b.outcome.NValue, sizeof a.outcome.NValue) != 0)
        members += " outcome";
    if (members.empty()) return {};

    const auto lines = [](const RunCopy& c) {
        std::vector<std::string> out;
        std::istringstream text(golden::TablesAsText(c.tables()));
        for (std::string line; std::getline(text, line);) out.push_back(line);
        std::sort(out.begin(), out.end());
        return out;
    };
    const std::vector<std::string> first = lines(a), second = lines(b);
    std::vector<std::string> onlyFirst, onlySecond;
    std::set_difference(first.begin(), first.end(), second.begin(), second.end(),
                        std::back_inserter(onlyFirst));
    std::set_difference(second.begin(), second.end(), first.begin(), first.end(),
                        std::back_inserter(onlySecond));
    std::string report = "members that differ:" + members + "\n";
    for (std::size_t i = 0; i < onlyFirst.size() && i < 20; ++i)
        report += "  fresh: " + onlyFirst[i] + "\n";
    for (std::size_t i = 0; i < onlySecond.size() && i < 20; ++i)
        report += "  after: " + onlySecond[i] + "\n";
    return report;
}

// Every result table as a fresh program's first run finds it: zero, but for the column records,
// blank as the check leaves the record of a storey without that column.
void FreshTables() {
    std::memset(&ReqResult, 0, sizeof ReqResult);
    std::memset(&WallEval, 0, sizeof WallEval);
    std::memset(&RigidityRes, 0, sizeof RigidityRes);
    std::memset(&FloorRes, 0, sizeof FloorRes);
    std::memset(&FloorCheck, 0, sizeof FloorCheck);
    std::memset(&ScoreRes, 0, sizeof ScoreRes);
    std::memset(static_cast<void*>(&NValueRes), 0, sizeof NValueRes);
    const ColumnJointRecord blank = golden::BlankColumnRecord();
    for (auto& scenario : NValueRes.ColumnJointResult)
        for (auto& storey : scenario)
            for (ColumnJointRecord& record : storey) record = blank;
    NValueRes.Status = NValueStatus{};
}

// A run writes what its house has and clears the rest, so that a house keeps nothing of one run
// before it: after the full-capacity house, run in every scenario, a house of one storey (its
// upper storeys' elements left, as a user leaves them who lowers the storeys) run in every
// scenario leaves every result table, the wall words and the outcome byte for byte as a fresh
// program does, whichever method either runs under.
TEST(GoldenTables, AHouseAfterTheFullHouseHasTheTablesOfAFreshRun) {
    const auto inEveryScenario = [](void (*build)(), int32_t method) {
        build();
        Doc.DiagnosisMethod = method;
        for (int s = 1; s < Scenarios; ++s) CopyModelSlot(0, s, CopyElementsOnly, AllStoreys);
        MarkDocumentReplaced();
        for (int s : {1, 2, 0}) {
            App.CurrentScenario = s;
            Recompute();
        }
    };
    const auto oneStorey = [] {
        capacity::BuildSmallHouse();
        for (int s = 0; s < Scenarios; ++s) Doc.StoreyData.topStorey[s] = 0;
    };
    for (int32_t big = 0; big < DiagnosisMethods; ++big) {
        const int32_t small = (big + 1) % DiagnosisMethods;
        FreshTables();
        inEveryScenario(oneStorey, small);
        const RunCopy fresh;
        inEveryScenario(capacity::BuildFullCapacityHouse, big);
        inEveryScenario(oneStorey, small);
        EXPECT_EQ(Differences(fresh, RunCopy()), "")
            << MethodName(small) << " after " << MethodName(big);
    }
}

// The two diagonals mirrored: falling oblique walls from (1, 99) down to (99, 1) and from
// (1, 98) down to (98, 1), each drawn from its upper end.
void FallingDiagonals() {
    using namespace wallbench;
    Blank(2, 0);
    for (int f = 0; f < Storeys; ++f) {
        for (int i = 1; i <= 99; ++i) Column(f, i, 100 - i, 1, 0);
        for (int i = 1; i <= 98; ++i) Column(f, i, 99 - i, 1, 0);
        for (int i = 1; i < 99; ++i) Wall(f, i, 100 - i, i + 1, 99 - i, i % 3 ? 1 : 0, 62);
        for (int i = 1; i < 98; ++i) Wall(f, i, 99 - i, i + 1, 98 - i, i % 3 ? 8 : 7, 62);
        Areas(f);
    }
}

// Chains of oblique walls among level and vertical walls: on every storey a rising chain, a
// falling one and a rising one of half the slope, which cross at one node; runs of oblique
// windows, doors and hanging walls between solid oblique walls; level and vertical walls that
// start or end at the chains' nodes. The falling chain is entered from its far end and every
// other wall drawn from its second end. Most columns have no hardware, so that a wall's joint
// asks the chain beyond each end for a through column; the through columns stand elsewhere on
// every storey (at both ends of a chain, at one end, in the middle), so that a chain's answers
// differ backwards and forwards and from one storey to the next.
void ObliqueChains() {
    using namespace wallbench;
    struct Chain {
        int x0, y0, dx, dy;
        const char* walls; // by the letters of WallTypes
    };
    // Solid, window, door, solid partition and hanging wall, at their wall types.
    static constexpr const char* WallTypes = "SW--D--PH";
    static constexpr Chain Chains[] = {
        {4, 4, 1, 1, "SWWSWWWWSHHSWSSWWWDDSWWS"},
        {4, 28, 1, -1, "WWSWHWWSDDSWWWWSWSHHWWSW"},
        {4, 10, 2, 1, "SWWSHWWSWWDS"},
    };
    // Per storey and chain, '2' where a through column stands on the node.
    static constexpr const char* Through[Storeys][3] = {
        {"2-----------------------2", "2------------------------", "2-----------2"},
        {"------------2-----------2", "------------------------2", "------2------"},
        {"2---------------2--------", "2-------2---------------2", "-----------2-"},
    };
    const auto type = [](char c) {
        return static_cast<int>(std::strchr(WallTypes, c) - WallTypes);
    };
    Blank(2, 0);
    for (int f = 0; f < Storeys; ++f) {
        for (int c = 0; c < 3; ++c) {
            const Chain& chain = Chains[c];
            const int n = static_cast<int>(std::strlen(chain.walls));
            for (int i = 0; i <= n; ++i) {
                const int x = chain.x0 + i * chain.dx, y = chain.y0 + i * chain.dy;
                if (c > 0 && x == 16 && y == 16) continue; // the crossing has one column
                Column(f, x, y, Through[f][c][i] == '2' ? 2 : 1, i % 5 == 4 ? 4 : 0);
                if (i % 4 == 2) Wall(f, x, y, x + 1, y, c == 1 ? 1 : 0, 62);
                if (i % 4 == 0 && i < n) Wall(f, x, y + 1, x, y, c == 0 ? 1 : 7, 62);
            }
            for (int k = 0; k < n; ++k) {
                const int i = c == 1 ? n - 1 - k : k;
                const int x = chain.x0 + i * chain.dx, y = chain.y0 + i * chain.dy;
                const int x2 = x + chain.dx, y2 = y + chain.dy;
                if (i % 2)
                    Wall(f, x2, y2, x, y, type(chain.walls[i]), 62);
                else
                    Wall(f, x, y, x2, y2, type(chain.walls[i]), 62);
            }
        }
        Areas(f);
    }
}

constexpr House ChainHouses[] = {
    {"long-run", wallbench::LongRun},
    {"diagonals", wallbench::Diagonals},
    {"falling-diagonals", FallingDiagonals},
    {"oblique-chains", ObliqueChains},
};

// Long runs of openings and long chains of oblique walls, rising and falling, which the indexed
// search of the wall index walks with its node lists and kept chain answers.
TEST_F(GoldenResults, LongChainsAndRuns) {
    golden::Family family("chains");
    for (const House& house : ChainHouses) {
        RecordUnder(family, house, EditionNational2004, MethodPreciseApprox);
        RecordUnder(family, house, EditionRevision2012, MethodGeneralDetailed);
    }
    family.finish();
}

// A few hundred seeded random houses, damaged ones among them, in four parts that run side by
// side.
void RandomHouses(int part) {
    golden::Family family("random-" + std::to_string(part));
    constexpr int PerPart = 75;
    for (int i = part * PerPart; i < (part + 1) * PerPart; ++i) {
        BlankResults();
        randomhouse::Build(66, i);
        char name[16];
        std::snprintf(name, sizeof name, "%03d", i);
        family.record(name, RunOpened());
    }
    family.finish();
}
TEST_F(GoldenResults, RandomHousesPart0) {
    RandomHouses(0);
}
TEST_F(GoldenResults, RandomHousesPart1) {
    RandomHouses(1);
}
TEST_F(GoldenResults, RandomHousesPart2) {
    RandomHouses(2);
}
TEST_F(GoldenResults, RandomHousesPart3) {
    RandomHouses(3);
}

} // namespace
