#pragma once
// The plan's input modes, the values of App.InputMode (-1 none).
inline constexpr int ModeAxes = 0;
inline constexpr int ModeColumns = 1;
inline constexpr int ModeWalls = 2;
inline constexpr int ModeRoofFloor = 3;
inline constexpr int ModeFloorSpec = 4;
inline constexpr int ModeTexts = 5;
inline constexpr int ModeFoundations = 6;
inline constexpr int ModeFreeLines = 7;
