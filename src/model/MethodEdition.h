#pragma once
// The criteria edition and the diagnosis method of a document (Document::CriteriaEdition and
// Document::DiagnosisMethod). The model file stores both as these integers; the code compares
// them only with the names below and asks the tests below, so that each rule reads as the
// method states it.
#include <cstdint>

// Criteria editions.
inline constexpr int32_t EditionNational2004 = 0; // national criteria of the 2004 revision
inline constexpr int32_t EditionOlderFile = 1;    // set by the readers of older files, calculated
                                                  // as the 2004 edition until the overview's OK
inline constexpr int32_t EditionCity = 2;         // the city edition
inline constexpr int32_t EditionRevision2012 = 4; // the 2012 revision

// Diagnosis methods.
inline constexpr int32_t MethodPreciseApprox = 0;     // precise method 1 (approximate)
inline constexpr int32_t MethodGeneralDetailed = 1;   // general method (detailed)
inline constexpr int32_t MethodGeneralApprox = 2;     // general method (approximate)
inline constexpr int32_t MethodPreciseSimplified = 3; // precise method 1 (simplified)
// The number of methods: tables indexed by the method have this many rows.
inline constexpr int DiagnosisMethods = 4;

// The general method, detailed or approximate. A number no method has (a damaged value) is
// neither general nor precise.
inline constexpr bool IsGeneralMethod(int32_t method) {
    return method == MethodGeneralDetailed || method == MethodGeneralApprox;
}
// Precise method 1, approximate or simplified.
inline constexpr bool IsPreciseMethod(int32_t method) {
    return method == MethodPreciseApprox || method == MethodPreciseSimplified;
}
inline constexpr bool IsRevision2012(int32_t edition) {
    return edition == EditionRevision2012;
}
