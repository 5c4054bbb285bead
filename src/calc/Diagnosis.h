#pragma once
// The whole diagnosis of the current scenario, as every repaint of the plan runs it: the grid
// check with its repair, the working wall-element tables, the axis labels and extents, the
// required strength, the wall lists and the wall evaluation (classification, strengths,
// rigidity), the column-joint N-values, the floors and the result summary.
//
// The run shows nothing and allocates nothing: it hands back the result panel, the N-value
// status label and the notices, and the window shows them (notices outside any paint).
#include "calc/CalcCommon.h"
#include "calc/NValues.h"
#include "calc/ResultSummary.h"

struct DiagnosisOutcome {
    ResultPanel Panel;   // the result panel of the main window
    NValueStatus NValue; // Lnflag beside "柱軸力：": "OK" in black, or "NG" and the axes in red
    // The grid had to be repaired and the user has not been told yet: the window calls
    // ShowGridResetNotice() once, after the paint.
    bool GridResetNotice;
    // Notices of the calculation (building height missing, ...), each to be shown once per
    // change of the document.
    CalcNoticeList Notices;
};

// Runs the diagnosis of App.CurrentScenario and, when another scenario is current, brings the
// derived wall words of the current state up to date (RefreshCurrentStateWallWords).
DiagnosisOutcome RunDiagnosis();

// The same, writing into `outcome` (for callers that keep one outcome between repaints).
void RunDiagnosis(DiagnosisOutcome& outcome);

// Recomputes the derived words of the current-state walls (type, joint spec,
// foundation class) and their wall lists and lengths, without touching the results of the
// current scenario. The wall-change marking compares every scenario with these words, so they
// must be current even when the last edits went through another scenario. Nothing to do while
// the current state itself is current (the run has just computed them).
void RefreshCurrentStateWallWords();
