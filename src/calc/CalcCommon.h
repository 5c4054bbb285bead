#pragma once
// Small things every unit of the diagnosis shares: the two numeric helpers the reports also
// use, the further result dimensions, and the notices a run hands back to the window. The
// method and edition tests (IsGeneralMethod, IsRevision2012) come with model/Model.h.
#include "model/AppState.h"
#include "model/Model.h"

#include <cstdint>

// The scenario a run works on: the current one, brought into range.
inline int CalcScenario() {
    return ClampIndex(App.CurrentScenario, Scenarios);
}

inline constexpr int StrengthVariants = 5; // loading case 0 (basic) .. 4
inline constexpr int ResultColumns = 17;   // result column 0 (basic) .. 16
inline constexpr int GridLines = 100;      // grid lines per direction

// a when a > b, else b.
inline constexpr double MaxDouble(double a, double b) {
    return a > b ? a : b;
}
// b when a >= b, else a.
inline constexpr double MinDouble(double a, double b) {
    return a >= b ? b : a;
}

// What a run wants the user to know. The calculation never shows anything itself: it collects
// notices, and the window shows them once per change of the document, never from a paint.
enum class CalcNoticeId : int32_t {
    None = 0,
    BuildingHeightMissing, // method 3 without a (valid) building height
    ImpossibleValue,       // a value the method cannot take (negative weight or stiffness)
};

struct CalcNotice {
    CalcNoticeId id = CalcNoticeId::None;
    const char* text = "";    // UTF-8, shown as it stands
    const char* caption = ""; // UTF-8
    // Every notice of the calculation is an information box with an OK button.
};

// The notices of one run: fixed capacity, no allocation; a notice already collected is not
// added twice.
struct CalcNoticeList {
    static constexpr int Capacity = 8;
    int count = 0;
    CalcNotice items[Capacity];

    void clear() { count = 0; }
    bool contains(CalcNoticeId id) const {
        for (int i = 0; i < count; ++i)
            if (items[i].id == id) return true;
        return false;
    }
    void add(const CalcNotice& notice) {
        if (contains(notice.id) || count >= Capacity) return;
        items[count++] = notice;
    }
};

inline constexpr CalcNotice BuildingHeightMissingNotice{CalcNoticeId::BuildingHeightMissing,
                                                        "建物階高を入力して下さい。", "建物階高"};
inline constexpr CalcNotice ImpossibleValueNotice{
    CalcNoticeId::ImpossibleValue,
    "計算できない値があります（負の重量や剛性）。\n\n該当する値を 0 として計算しました。\n\n"
    "建物概要と面材の値を確認して下さい。",
    "計算"};

// Set by a step that met a value the method cannot take and went on with the value of the
// degenerate case (a square root of a negative ratio, say); the run turns it into
// ImpossibleValueNotice.
inline bool CalcMetImpossibleValue = false;
