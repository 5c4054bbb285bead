#pragma once
// The key plans at the top of the storey blocks of four result dialogs: a small plan of every
// storey of the current scenario with its grid, and by mode the roof and floor areas (1 centre
// of gravity, 2 required strength), the floor specifications (4) or the walls with the centres
// of gravity and rigidity (6). Qt-free; draws only, from the model and the last results.
#include "model/ColorRef.h"
#include "ui/Canvas.h"

enum KeyPlanMode : int {
    KeyPlanGravity = 1,
    KeyPlanRequired = 2,
    KeyPlanFloorSpecs = 4,
    KeyPlanWalls = 6,
};

// The storey pitch of the key-plan dialogs: each storey's block starts at f x pitch.
inline constexpr int KeyPlanPitch = 1030;
// Where the body of a block starts, below its key plan.
inline constexpr int KeyPlanBodyTop = 438;

// The pitch for blocks whose text runs down to `tallestBlock` pixels below their top: 1030 while
// every block fits, else enough that no block's text runs into the next storey's key plan.
int KeyPlanPitchFor(int tallestBlock);

// Area outlines and fills by the whole roof/floor code (not-enclosed x 8 + kind).
inline constexpr ColorRef AreaLineColours[15] = {0xB4C3B4, 0xC3C3B4, 0xB4B4B4, 0xB4B4C3, 0xAAAAC3,
                                                 0xAAAAAA, 0x0000FF, 0x0000FF, 0xBEFFBE, 0xC3FFBE,
                                                 0xBEFFBE, 0xBEFFC3, 0xAAFFCD, 0xAAFFAA, 0x0000FF};
inline constexpr ColorRef AreaFillColours[15] = {0xF0FFF0, 0xFFFFF0, 0xF0F0F0, 0xF0F0FF, 0xE6E6FF,
                                                 0xDCDCDC, 0xFFFFFF, 0xFFFFFF, 0xF0FFF0, 0xFFFFF0,
                                                 0xF0F0F0, 0xF0F0FF, 0xE6E6FF, 0xDCDCDC, 0xFFFFFF};
// Floor specifications: fill by board 0..16, outline by brace index 0..7.
inline constexpr ColorRef FloorBoardColours[17] = {
    0xF0F0F0, 0x133960, 0x244C75, 0x39628C, 0x527CA6, 0x6D9CC6, 0x9AB2C7, 0x0000FF, 0x0080FF,
    0x00FF00, 0xFFFF00, 0x80FF00, 0x808000, 0x0000FF, 0x0080FF, 0x0060FF, 0x00A3FF};
inline constexpr ColorRef FloorBraceColours[8] = {0xD2D2D2, 0x0000FF, 0x0080FF, 0x00FFFF,
                                                  0xFF00FF, 0xFF8080, 0xFFFF00, 0x00FF00};
inline constexpr ColorRef GravityCentreColour = 0x0000FF;
inline constexpr ColorRef RigidityCentreColour = 0xFF0000;

// Draws the key plans of every storey of the current scenario, storey f in the band from
// y = f x pitch (pitch at least 1030), with the block outlines. Returns the bottom of the last
// band.
int DrawResultPlans(Canvas& canvas, int mode, int pitch = KeyPlanPitch);
