#pragma once
// The findings boxes of the diagnosis report pages and the sentences each offers. Plain data,
// kept apart from the pages so that the wording can be read and checked line by line.
#include <cstddef>
#include <span>

inline constexpr std::size_t FindingCount = 24;
// A finding may be typed by hand as long as the longest preset sentence.
inline constexpr int FindingBytes = 86;

struct FindingBox {
    const char* name;                     // the combo box, also its object name
    std::span<const char* const> presets; // UTF-8, the first item empty
};

// In the order of ReportTexts.findings.
extern const FindingBox FindingBoxes[FindingCount];
