#pragma once
// State of the running program that goes with the open document but is not stored in it
// (apart from what the model file names): the current scenario, storey and input mode, the
// document flags, the undo ring's position, the deterioration survey points, the print
// selection, and the display and calculation options of the main window, which belong to the
// running program and keep their values across documents.
#include <cstdint>
#include <string>

// What the column joints show and classify (DisplayOptions::NValueMethod): the N-value method,
// the converted N-value method (pull-out forces in kN), or the allowable-stress value, which has
// no control and counts as the N-value method wherever the choice is "converted or not".
inline constexpr int32_t NValueMethodNValue = 0;
inline constexpr int32_t NValueMethodConverted = 1;
inline constexpr int32_t NValueMethodAllowableStress = 2;

struct DisplayOptions {
    int32_t ShowRetrofitCautions = 1;
    int32_t ShowBeamStress = 1;
    int32_t ShowWallElementNo = 1;
    int32_t ShowWallStrength = 1;
    int32_t ShowWallReduction = 1;
    int32_t ShowColumnNValue = 1;
    int32_t ShowRetrofitPlaces = 1;
    int32_t ShowOtherStoreyWalls = 1;
    int32_t NValueMethod = NValueMethodNValue; // 0 N値法, 1 変換N値法, 2 許容応力度
    int32_t WallRatioFromBaseStrength = 1;
    int32_t ZeroStrengthEccentricity = 1; // 1: 99.99, 0: 0.0
    int32_t IgnoreDeterioration = 1;
    int32_t ConsiderBraceDirection = 0;
    int32_t DiagonalWallCosSquared = 1;
    int32_t CityCentreOfGravity = 0;
    int32_t CityJointJudgement = 0;
    int32_t CityWallBaseStrength = 0;
    int32_t CountNonBearingWalls = 0;
};

struct AppState {
    int32_t CurrentScenario = 0;
    int32_t CurrentStorey = 0;
    int32_t InputMode = -1; // -1 none, 0 axes, 1 columns ... 7 free lines, 10 zoning
    int32_t Modified = 0;
    std::string FileName = "無題"; // UTF-8 path of the open document

    int32_t ScaleDenominator = 75;
    double PixelsPerMetre = 53.0;
    int32_t AxisEditMode = 0;
    int32_t HoverState = 2;
    int32_t ModelInitInProgress = 0;
    int32_t ClickStep = 0; // nodes already clicked for the figure being entered, 0..2

    // The undo ring: the current entry and, per entry, -1 when empty or the entry's own index.
    int32_t UndoPosition = 0;
    int32_t UndoEntryState[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

    // What the next placed element copies; the input palettes write these.
    int32_t CurColumnKind = 1;     // 1 管柱, 2 通し柱(1-2), 3 通し柱(2-3)
    int32_t CurColumnHardware = 0; // 0 釘打ち, 1 ＶＰ, 2 告示
    int32_t CurColumnCorner = 0;   // 0 自動, 1 出隅柱, 2 一般柱
    int32_t CurWallKind = 0;       // wall type 0, 1, 4 or 14
    int32_t CurWallBrace = 0;      // bracing word of a new wall
    int32_t CurWallPanelL = 0;
    int32_t CurWallPanelR = 0;
    int32_t CurWallDeterioration = 2; // なし
    int32_t CurAreaShape = 0;         // 0 rectangle, 1 triangle
    int32_t CurAreaKind = 0;          // 0..6
    int32_t CurAreaNotEnclosed = 0;
    int32_t CurFloorSpec = 12; // board 0..16
    int32_t CurFloorBrace = 0; // 0 or 17..23; kept by a new document
    int32_t CurFoundationType = 2;
    int32_t CurLineStyle = 0;
    int32_t CurLineColour = 0;              // 0x00BBGGRR
    double CurLineOffset[4] = {0, 0, 0, 0}; // dx1, dy1, dx2, dy2 in metres
    // The text palette's current room text, CP932 bytes: what the text dialog opens on, and
    // where a text taken back from the plan goes for correction. A new document keeps it.
    std::string CurRoomText;

    // The wall palette's own selection, the four parts of CurWallBrace; a new document keeps
    // them.
    int32_t WallDlgBraceSize = 0;
    int32_t WallDlgBraceHardware = 0;
    int32_t WallDlgBraceDirection = 2;
    int32_t WallDlgMudWall = 0;

    int32_t ExistencePoints[13] = {2, 2, 2, 4, 0, 0, 0, 0, 2, 2, 2, 1, 2};
    int32_t DeteriorationPoints[13] = {};
    double DeteriorationFactor = 1.0;

    int32_t PrintPageFlags[25] = {};
    int32_t PrinterSetupDone = 0;

    // Switches of the About box.
    int32_t CityEditionEnabled = 0;
    int32_t Revision2012Enabled = 0;
    int32_t DataLoading = 0;

    DisplayOptions Options;
};

extern AppState App;
