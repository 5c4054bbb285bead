#pragma once
// The key plans at the top of the storey blocks of four result dialogs: a small plan of every
// storey of the current scenario with its grid, and by mode the roof and floor areas (1 centre
// of gravity, 2 required strength), the floor specifications (4) or the walls with the centres
// of gravity and rigidity (6). Qt-free; draws only, from the model and the last results.
#include "model/ColorRef.h"
#include "model/Model.h"
#include "document/Canvas.h"

#include <cstdint>
#include <string>

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

// The pieces the printed plans share with the key plans, drawn at a unit of their own (pixels
// per drawing millimetre on screen, printer dots on paper).

// Plan metres to pixels: x = trunc((X - x0) k), y = trunc((Y - y0) k) + off.
struct PlanTransform {
    double u = 1;  // pixels per drawing millimetre
    double k = 1;  // pixels per plan metre
    double x0 = 0; // plan point drawn at the left edge
    double y0 = 0; // plan point drawn at the top
    int off = 0;   // top of the storey band

    double px(double x) const { return (x - x0) * k; }
    double py(double y) const { return (y - y0) * k; }
    // A grid node, without the band offset.
    CanvasPoint node(int32_t ix, int32_t iy) const;
};

// Pixels per plan metre for a frame of 150 units: the used grid's larger extent fills it, but
// never larger than 1:50 (20 `capUnit`s a metre, capUnit being a millimetre of the drawing),
// which also holds for an empty plan.
double KeyPlanScale(double unit, double capUnit);

// Where the axis marks lie: `margin` pixels to the frame, the X ticks from `tickTop` units
// below it, the Y grid lines `rightExtra` metres beyond the last X axis, labels in `face`.
struct AxisLayout {
    double margin;
    double tickTop;
    double rightExtra;
    const char* face;
};
void DrawKeyPlanAxes(Canvas& canvas, const PlanTransform& p, const AxisLayout& layout);

// Roof and floor areas of storey f of scenario s: labelled (outline in the line colour a unit
// wide, diagonals, "%i(%i)"), or plain (outline in the fill colour, one pixel). Mask mode.
void DrawKeyPlanAreas(Canvas& canvas, const PlanTransform& p, int s, int f, bool plain);
// The quarter strips of the general approximate method (xor), on storeys with areas.
void DrawKeyPlanQuarterLines(Canvas& canvas, const PlanTransform& p, int s, int f);
// Floor specifications with their labels; a positive `hatchStep` draws the hatches as lines
// that many pixels apart instead of with the hatch brush (paper).
void DrawKeyPlanFloorSpecs(Canvas& canvas, const PlanTransform& p, int s, int f, double hatchStep);

// Sizes of the centre marks, in pixels.
struct CentreMarks {
    int penWidth;      // of the gravity and rigidity marks
    double diagonal;   // half the gravity cross
    double ring;       // radius of both rings
    double ringExtra;  // the rigidity ring reaches this much further right and down
    double cross;      // half the rigidity cross
    PenStyle boxStyle; // of the eccentricity box
};
// Centre of gravity (left out at exactly (0, 0)), centre of rigidity (in mode 1 left out at
// exactly (0, 0)) and the eccentricity box around the centre of gravity.
void DrawKeyPlanCentres(Canvas& canvas, const PlanTransform& p, int mode, int s, int f,
                        const CentreMarks& marks);

// The element symbols a wall's label shows: left face, bracing, mud wall, right face.
std::string WallElementSymbols(const WallRecord& w);
// The band fill of a wall: by deterioration, changed walls marked when the retrofit places are
// shown, `unknownFill` for a wall whose elements are all unknown.
ColorRef KeyPlanWallFill(const WallRecord& w, ColorRef unknownFill);

// Draws the key plans of every storey of the current scenario, storey f in the band from
// y = f x pitch (pitch at least 1030), with the block outlines. Returns the bottom of the last
// band.
int DrawResultPlans(Canvas& canvas, int mode, int pitch = KeyPlanPitch);
