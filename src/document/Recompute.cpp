#include "document/Recompute.h"

#include "calc/Diagnosis.h"
#include "document/WallMarking.h"

#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Messages.h"
#include "model/Model.h"

#include <cstring>

namespace {

// What the diagnosis reads besides the document's elements and grid.
struct RecomputeContext {
    int32_t scenario = -1;
    int32_t storey = -1;
    int32_t criteriaEdition = -1;
    int32_t diagnosisMethod = -1;
    double deteriorationFactor = 0.0;
    double module = 0.0;
    DisplayOptions options;
};

RecomputeContext CurrentContext() {
    RecomputeContext c;
    c.scenario = App.CurrentScenario;
    c.storey = App.CurrentStorey;
    c.criteriaEdition = Doc.CriteriaEdition;
    c.diagnosisMethod = Doc.DiagnosisMethod;
    c.deteriorationFactor = App.DeteriorationFactor;
    c.module = Doc.Module;
    c.options = App.Options;
    return c;
}

bool SameContext(const RecomputeContext& a, const RecomputeContext& b) {
    // Compared bytewise: a NaN factor or module must count as unchanged, not as a change on
    // every paint. DisplayOptions holds int32 fields only, without padding.
    return a.scenario == b.scenario && a.storey == b.storey &&
           a.criteriaEdition == b.criteriaEdition && a.diagnosisMethod == b.diagnosisMethod &&
           std::memcmp(&a.deteriorationFactor, &b.deteriorationFactor, sizeof(double)) == 0 &&
           std::memcmp(&a.module, &b.module, sizeof(double)) == 0 &&
           std::memcmp(&a.options, &b.options, sizeof(DisplayOptions)) == 0;
}

// A fingerprint of everything of the document the diagnosis reads: the element lists of the
// three scenarios (stale records beyond the counts too, which only costs a needless rerun) and
// everything after the element lists (grid, module, panel materials, overview, edition,
// method). Taken after a run, which writes derived words into the walls, so that an unchanged
// document keeps its fingerprint. About 0.4 MB, hashed a word at a time.
class Fingerprint {
public:
    void add(const void* data, std::size_t bytes) {
        const auto* p = static_cast<const unsigned char*>(data);
        std::size_t i = 0;
        for (; i + 8 <= bytes; i += 8) {
            uint64_t w;
            std::memcpy(&w, p + i, 8);
            mix(w);
        }
        uint64_t tail = 0;
        std::memcpy(&tail, p + i, bytes - i);
        mix(tail ^ bytes);
    }
    uint64_t value() const { return h_; }

private:
    void mix(uint64_t w) {
        h_ ^= w;
        h_ *= 0x9E3779B97F4A7C15ull;
        h_ ^= h_ >> 29;
    }
    uint64_t h_ = 0xCBF29CE484222325ull;
};

uint64_t DocumentFingerprint() {
    Fingerprint f;
    ForEachElementKind(Doc, [&f](auto& counts, auto& records, int, ElementKind) {
        f.add(counts, sizeof counts[0] * Scenarios);
        f.add(records, sizeof records[0] * Scenarios);
    });
    const auto* tail = reinterpret_cast<const unsigned char*>(&Doc.AxisX);
    const auto* end = reinterpret_cast<const unsigned char*>(&Doc) + sizeof(Document);
    f.add(tail, static_cast<std::size_t>(end - tail));
    return f.value();
}

uint64_t generation = 1;
uint64_t computedFingerprint = 0;
uint64_t computedGeneration = 0;
RecomputeContext computedContext;
DiagnosisOutcome lastOutcome{};
// The calculation notices already shown for this document.
CalcNoticeList shownNotices;
// The scenarios a run has worked out since this document was made or opened: only their rows of
// the result tables are this document's, the others' hold what an earlier document left.
bool runForThisDocument[Scenarios] = {};

bool CalcNoticeWaiting() {
    for (int i = 0; i < lastOutcome.Notices.count; ++i)
        if (!shownNotices.contains(lastOutcome.Notices.items[i].id)) return true;
    return false;
}

} // namespace

void MarkDocumentChanged() {
    ++generation;
}

void MarkDocumentReplaced() {
    ++generation;
    shownNotices.clear();
    for (bool& run : runForThisDocument) run = false;
}

uint64_t DocumentGeneration() {
    return generation;
}

bool RecomputeNeeded() {
    return computedGeneration != generation || !SameContext(computedContext, CurrentContext()) ||
           computedFingerprint != DocumentFingerprint();
}

void Recompute() {
    RunDiagnosis(lastOutcome);
    runForThisDocument[CalcScenario()] = true;
    // The wall-change marking compares with the results just computed.
    MarkWallChanges(runForThisDocument);
    computedGeneration = generation;
    computedContext = CurrentContext();
    computedFingerprint = DocumentFingerprint();
    // A notice that has gone away is told again when it comes back.
    CalcNoticeList stillShown;
    for (int i = 0; i < shownNotices.count; ++i)
        if (lastOutcome.Notices.contains(shownNotices.items[i].id))
            stillShown.add(shownNotices.items[i]);
    shownNotices = stillShown;
}

bool EnsureRecomputed() {
    if (!RecomputeNeeded()) return false;
    Recompute();
    return true;
}

const DiagnosisOutcome& LastDiagnosis() {
    return lastOutcome;
}

bool RecomputeNoticesPending() {
    return GridResetNoticePending() || CalcNoticeWaiting();
}

void ShowRecomputeNotices() {
    if (GridResetNoticePending()) ShowGridResetNotice();
    lastOutcome.GridResetNotice = false;
    for (int i = 0; i < lastOutcome.Notices.count; ++i) {
        const CalcNotice& n = lastOutcome.Notices.items[i];
        if (shownNotices.contains(n.id)) continue;
        shownNotices.add(n);
        Messages().ask(n.text, n.caption, MsgButtons::Ok, MsgIcon::Information);
    }
}
