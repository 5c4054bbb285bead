#pragma once
// The retrofit cost estimate without its window: the quantities of work that a retrofit plan
// brings, counted from the change flags of its walls against the current state and from the
// wall lengths of the last diagnosis; the amounts at the user's unit prices, their total, the
// consumption tax and the estimated sum; and the reading of the texts typed as prices.
// Plain C++, so that the counting is tested without a window.
#include <string_view>

// The priced rows, in the order of the form. The eight wall rows of 1F come first; those of
// 2F (which also count the walls of 3F) follow at the same offsets, WallRowsPerStorey further.
inline constexpr int WallRowsPerStorey = 8;
enum EstimateRow : int {
    EstColumnNew,                                 // 柱 新設・撤去 (never counted)
    EstColumnHardware,                            // 柱頭・柱脚金物 (never counted)
    EstCoreNew,                                   // 心材 新規・取替: 1 a wall
    EstCoreHardware,                              // 筋かい金物のみ: 2 a wall
    EstSingleShort,                               // 面材 片側 <３尺
    EstSingleMiddle,                              // 片側 ３～６尺
    EstSingleLong,                                // 片側 ＞６尺
    EstDoubleShort,                               // 両側 <３尺
    EstDoubleMiddle,                              // 両側 ３～６尺
    EstDoubleLong,                                // 両側 ＞６尺
    EstRoof = EstCoreNew + 2 * WallRowsPerStorey, // m² typed by the user
    EstFoundation,                                // m of foundation to reinforce
    EstimateRows
};
inline constexpr int CountedRows = EstRoof;

inline constexpr double ConsumptionTaxRate = 0.08;

// The panel bands in metres: up to one module of 0.91 m, below two modules, two and more.
inline constexpr double ShortPanelLimit = 0.91;
inline constexpr double LongPanelLimit = 1.82;

// Every value typed into the estimate is brought into [-EstimateValueCap, EstimateValueCap],
// so that amounts and totals stay finite.
inline constexpr double EstimateValueCap = 1e12;

// The working values of the estimate; recomputed from scratch at every recalculation.
struct CostEstimate {
    int count[CountedRows] = {};
    double foundationLength = 0; // m
    double roofArea = 0;         // m², as typed
    double unitPrice[EstimateRows] = {};
    double extra1 = 0, extra2 = 0; // その他: 設備工事等, 設計費等, as typed
    double amount[EstimateRows] = {};
    double total = 0, tax = 0, sum = 0;

    // The quantity a row's unit price is multiplied by.
    double quantity(int row) const;
};

// Counts the work of every storey of `scenario` (0..2) into `estimate`: the quantities from
// WallRecord.changeFlags, the panel bands and the foundation length from the wall lengths of
// the last diagnosis of that scenario. Walls of 3F count in the 2F rows; only 1F walls add
// foundation. The other fields are left alone.
void CountRetrofitWork(int scenario, CostEstimate& estimate);

// The amounts, total, tax and sum from the quantities, unit prices and extra amounts.
void PriceEstimate(CostEstimate& estimate);

// A typed price, area or amount as a number: leading blanks skipped, the leading decimal number
// (an optional sign, digits with at most one point, full-width forms included; no exponent),
// capped at EstimateValueCap; 0 when the text does not start with a number.
double EstimateNumber(std::string_view utf8);

// The form's caption for the scenario shown (UTF-8).
const char* EstimateCaption(int scenario);
