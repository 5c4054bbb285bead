#pragma once
// The recompute step of the plan: whatever the plan and the result dialogs show is derived
// from the document by the grid check and repair, the working wall-element tables, the axis
// labels and extents and the whole diagnosis of the current scenario. It runs when something
// it reads has changed, before the plan is drawn, and before a result dialog, a print or the
// cost estimate reads the results. The drawing itself only reads.
//
// Every edit, load, option change and scenario or storey switch calls MarkDocumentChanged().
// As a safety net the step also notices by itself a switch of scenario or storey, a change of
// the options or the deterioration factor, and any change of what the document holds for the
// three scenarios (by a fingerprint taken after every run), so that a handler that forgets to
// mark cannot leave stale results on the screen.
//
// Free of Qt; shows nothing while it runs. Its notices (a repaired grid, what the calculation
// wants the user to know) are shown by ShowRecomputeNotices(), which the window calls after
// the paint, never inside it.
#include <cstdint>

// calc/Diagnosis.h; not included here, so that the window's units can include this header
// beside ports/Canvas.h.
struct DiagnosisOutcome;

// Something the diagnosis reads has changed: the next EnsureRecomputed() runs the step.
void MarkDocumentChanged();
// A new or freshly loaded document: as MarkDocumentChanged(), and the calculation's notices
// are told again even when the previous document had the same ones.
void MarkDocumentReplaced();
// Goes up by one with every mark.
uint64_t DocumentGeneration();

// True when the last recompute does not reflect the document as it is.
bool RecomputeNeeded();
// Runs the step unconditionally: grid check and repair, table selection, labels and extents,
// the whole diagnosis; then the wall-change marking.
void Recompute();
// Runs the step when needed; true when it ran. Result dialogs, printing and the estimate call
// this before they read results.
bool EnsureRecomputed();

// What the last recompute produced: the result panel, the N-value status, the notices.
const DiagnosisOutcome& LastDiagnosis();

// True while a notice waits to be shown: the grid repair not yet told, or a calculation
// notice that was not already shown for this document.
bool RecomputeNoticesPending();
// Shows the waiting notices, each once: the grid reset notice once per repair, a calculation
// notice once while it keeps appearing (again after it has gone away and comes back).
void ShowRecomputeNotices();
