#pragma once
// The plan symbol of a wall: a band shortened at both ends, its sides in the colour of the wall
// type, window and door marks, the mud-wall line, the bracing wedges and the face-panel lines.
// One routine for the plan sheet, the key plans of the result dialogs and the printed plans;
// each caller gives the end pixels, the half width of the band (a ninth of a metre on the
// sheet) and the fill, which they choose each by their own rules. Qt-free.
#include "model/ColorRef.h"
#include "ports/Canvas.h"

#include <cstdint>

// Outline of the band by wall type 0..14.
inline constexpr ColorRef WallKindColours[15] = {
    Rgb(0, 0, 0),       Rgb(22, 114, 169),  Rgb(29, 152, 226),  Rgb(155, 209, 242),
    Rgb(73, 146, 109),  Rgb(85, 170, 128),  Rgb(169, 211, 190), Rgb(128, 64, 64),
    Rgb(100, 114, 169), Rgb(150, 152, 226), Rgb(200, 209, 242), Rgb(100, 146, 109),
    Rgb(150, 170, 128), Rgb(200, 211, 190), Rgb(196, 196, 196)};

// Band fill by state: the deterioration (0 劣化, 1 部分, 2 なし), plus 3 for a changed wall and
// 3 for each retrofit caution on the plan sheet. The key plans use the first six.
inline constexpr int WallFillStates = 18;
inline constexpr ColorRef WallFillColours[WallFillStates] = {
    Rgb(255, 64, 64),   Rgb(255, 255, 64), Rgb(230, 255, 255), Rgb(255, 0, 0),
    Rgb(255, 255, 0),   Rgb(64, 255, 255), Rgb(255, 0, 0),     Rgb(255, 255, 0),
    Rgb(106, 255, 181), Rgb(255, 0, 0),    Rgb(255, 255, 0),   Rgb(155, 155, 255),
    Rgb(255, 0, 0),     Rgb(255, 255, 0),  Rgb(228, 104, 255), Rgb(255, 0, 0),
    Rgb(255, 255, 0),   Rgb(255, 188, 155)};
// The fill of a wall whose bracing, mud wall and both faces are all unknown.
inline constexpr ColorRef WallUnknownFill = Rgb(240, 200, 240);

// Bracing wedges by (size - 2) * 3 + hardware.
inline constexpr ColorRef BraceColours[15] = {
    Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(143, 227, 60),
    Rgb(143, 227, 60),  Rgb(143, 227, 60),  Rgb(244, 228, 181), Rgb(227, 186, 60),
    Rgb(227, 186, 60),  Rgb(244, 181, 181), Rgb(227, 60, 60),   Rgb(227, 60, 60),
    Rgb(244, 181, 244), Rgb(236, 120, 236), Rgb(227, 60, 227)};

inline constexpr ColorRef MudWallColour = Rgb(117, 76, 36);

// Face-panel lines by panel row.
inline constexpr ColorRef PanelColours[70] = {
    Rgb(255, 255, 255), Rgb(255, 255, 255), Rgb(240, 200, 240), Rgb(240, 200, 240),
    Rgb(0, 128, 244),   Rgb(0, 128, 244),   Rgb(237, 28, 36),   Rgb(237, 28, 36),
    Rgb(242, 160, 34),  Rgb(242, 160, 34),  Rgb(0, 128, 128),   Rgb(0, 128, 128),
    Rgb(0, 128, 64),    Rgb(0, 128, 64),    Rgb(64, 128, 128),  Rgb(64, 128, 128),
    Rgb(128, 128, 255), Rgb(128, 128, 255), Rgb(128, 0, 255),   Rgb(128, 0, 255),
    Rgb(128, 0, 128),   Rgb(128, 0, 128),   Rgb(128, 128, 0),   Rgb(128, 128, 0),
    Rgb(128, 64, 0),    Rgb(128, 64, 0),    Rgb(158, 11, 14),   Rgb(158, 11, 14),
    Rgb(246, 150, 121), Rgb(246, 150, 121), Rgb(171, 160, 0),   Rgb(171, 160, 0),
    Rgb(171, 160, 0),   Rgb(171, 160, 0),   Rgb(237, 28, 36),   Rgb(237, 28, 36),
    Rgb(237, 28, 36),   Rgb(237, 28, 36),   Rgb(242, 160, 34),  Rgb(242, 160, 34),
    Rgb(255, 128, 0),   Rgb(255, 128, 0),   Rgb(171, 160, 0),   Rgb(171, 160, 0),
    Rgb(0, 128, 244),   Rgb(0, 128, 244),   Rgb(171, 160, 0),   Rgb(171, 160, 0),
    Rgb(166, 124, 82),  Rgb(166, 124, 82),  Rgb(247, 149, 154), Rgb(247, 149, 154),
    Rgb(249, 208, 149), Rgb(249, 208, 149), Rgb(171, 160, 0),   Rgb(171, 160, 0),
    Rgb(166, 124, 82),  Rgb(166, 124, 82),  Rgb(128, 128, 128), Rgb(128, 128, 128),
    Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(128, 128, 128),
    Rgb(180, 195, 180), Rgb(180, 195, 195), Rgb(180, 180, 180), Rgb(195, 180, 180),
    Rgb(195, 170, 170), Rgb(170, 170, 170)};

// The wall as the symbol reads it.
struct WallSymbolWall {
    int32_t type = 0;    // wall type 0..14
    int32_t bracing = 0; // bracing word (row, mud class, retrofit bit)
    int32_t panelL = 0;  // panel rows of the left/upper and right/lower faces
    int32_t panelR = 0;
};

// Where the callers differ.
struct WallSymbolStyle {
    // The right/lower face line is drawn from this panel row on: 2 on the sheet and on paper,
    // 0 in the key plans (which draw rows 0 and 1 in white).
    int32_t rightFaceFromRow = 2;
    // A one-way brace is one wedge pointing to the wall's first end on the sheet; the key plans
    // and paper draw it pointing to the second end.
    bool oneWayTowardsFirstEnd = true;
};

// The frame of a wall on the canvas, from its end pixels e1, e2 and the band's half width h.
struct WallSymbolFrame {
    double x1, y1, x2, y2; // ends
    double mx, my;         // middle
    double h;              // half width of the band
    double tx, ty;         // unit vector from e1 to e2
    double px, py;         // t turned a quarter (for t = (1, 0): (0, 1))
    double nx, ny;         // across the wall: down for walls along X, right for walls along Y
    double ux, uy;         // along the wall: right, or up for walls along Y
    int escapement;        // of text running along the wall, tenths of a degree
};

// False for a wall without extent on the canvas (both ends on one pixel) or a half width
// that is not a number: such a wall has no direction and draws nothing.
bool WallSymbolFrameOf(CanvasPoint e1, CanvasPoint e2, double h, WallSymbolFrame& frame);

// Draws the symbol of one wall: band in `fill`, sides and marks. Nothing for a wall without
// extent; a figure whose points do not convert to pixels is left out.
void DrawWallSymbol(Canvas& canvas, CanvasPoint e1, CanvasPoint e2, const WallSymbolWall& wall,
                    double h, ColorRef fill, const WallSymbolStyle& style = {});

// The top-left corner of a label along the wall: from `anchor`, `across` pixels across the
// wall (negative: to the upper or left side), then (dx, dy), then back along the wall by half
// the text's width so that it is centred. False when it does not convert to pixels.
bool WallLabelOrigin(const WallSymbolFrame& frame, CanvasPoint anchor, double across, double dx,
                     double dy, int halfTextWidth, CanvasPoint& out);

// A real position as a pixel, truncated toward zero; false for a value that is not a number,
// infinite or beyond any drawable range.
bool ToPixel(double x, double y, CanvasPoint& out);
