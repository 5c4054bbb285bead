#pragma once
// The plan painter: the layers of a storey's plan (grid and axes, areas, floor specifications,
// walls, columns, room texts with the orientation mark, free lines, the centres) drawn on a
// Canvas through a PlanTransform. The plan sheet, the key plans of the result dialogs and the
// printed plans draw with the same routines; what differs between them is named in a
// PlanStyle, never decided inside a layer by asking who draws. Qt-free; reads the document and
// the results of the last diagnosis.
#include "model/ColorRef.h"
#include "model/Model.h"
#include "plan/PlanTransform.h"
#include "plan/WallSymbol.h"

#include <cstdint>
#include <string>

// ---- Colours ----

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
// The centres of rigidity of the loading cases 1..4 on the sheet.
inline constexpr ColorRef RigidityCaseColours[4] = {Rgb(150, 0, 150), Rgb(150, 150, 0),
                                                    Rgb(0, 0, 150), Rgb(0, 150, 0)};
// The column hardware discs by hardware (joint mod 4): 釘打ち, ＶＰ, 告示, and the code no
// choice gives.
inline constexpr ColorRef ColumnHardwareColours[4] = {Rgb(246, 180, 180), Rgb(255, 218, 40),
                                                      Rgb(109, 207, 246), Rgb(192, 192, 192)};

// The foundation bands under the walls on paper by foundation class, which are also the
// colours of the entered foundations on the sheet by type; the entered foundations on paper by
// type.
inline constexpr ColorRef FoundationWallColours[3] = {Rgb(160, 160, 160), Rgb(192, 192, 192),
                                                      Rgb(224, 224, 224)};
inline constexpr ColorRef FoundationColours[3] = {0x8080A0, 0xA0A0C0, 0xC0C0E0};
// The foundation types on paper.
inline constexpr const char* FoundationLabels[3] = {"K1", "K2", "K3"};

// The plain font of the plan's labels: height and width in pixels or dots (truncated), weight
// 400, black, upright.
CanvasFont PlanFont(double height, double width, const char* face);

// ---- Style ----

// Everything in which the plan sheet, the key plans and paper draw a layer differently.
struct PlanStyle {
    // Columns.
    // Half the column square: a ninth of a metre on the sheet, 6 cm on paper.
    double columnHalf = 0;
    // The sheet places each edge of a column's square from the node's exact position; paper
    // places the square around the node's pixel.
    bool columnEdgesFromExactNode = true;
    // The disc of a corner rule set by hand (not-xor), only where the rule is entered.
    bool cornerRuleDisc = true;
    // The colour of the fourth hardware code (one no choice gives): grey on the sheet, the
    // third hardware's on paper.
    ColorRef unknownHardware = ColumnHardwareColours[3];
    // The ring of a kind-2 column: around the square's corners on the sheet, inside them on
    // paper.
    bool kindTwoRingOutside = true;
    // Paper judges the hardware class by the N-values under every method but the converted
    // one; the sheet by the chosen method.
    bool hardwareClassByNValues = false;
    // The hardware marks beside the columns, and the column numbers (in report order).
    bool columnMarks = false;
    bool columnNumbers = false;
    // The sheet numbers the columns up to the count of the order; paper reads every slot of
    // the order and skips the ones that are not numbered.
    bool numbersUpToOrderCount = true;
    CanvasFont columnMarkFont;
    // The column number's cell relative to the node, less the column's half width.
    double numberDx = -16, numberDy = -12;

    // Room texts and the orientation mark.
    CanvasFont roomFont;
    // The dotted frame (or circle) of each text while texts are entered.
    bool roomTextFrames = false;
    double verticalTextDx = 7; // right of the middle
    double flatTextDy = -5;    // above the middle
    // The arrow of the orientation mark is filled black on the sheet and left open on paper.
    bool orientationArrowFilled = true;
    // "北" above the arrow's tip, less 1.4 radii along it.
    double northDy = -6;

    // Roof and floor areas, floor specifications.
    // Areas outlined in their line colour, crossed and labelled (the sheet while areas are
    // entered, the key plans); else outlined in their fill colour.
    bool areaLabels = false;
    int areaPenWidth = 2;
    // The largest rectangle is an area of the sheet only.
    bool largestRectangles = true;
    // The sheet draws a rectangle's diagonals, and places its label, from its nodes; the key
    // plans and paper from the rectangle's inner corner.
    bool areaDiagonalsFromNodes = true;
    // Labels "n(kind)" and "n(board-brace)" (key plans, paper) or the kind alone, "最大矩形"
    // and "board-brace" (sheet).
    bool areaLabelNumbered = false;
    CanvasFont areaFont;
    // The sheet writes the labels on white; the key plans and paper on the figure's fill.
    bool areaLabelOnWhite = true;
    double areaLabelDy = -9; // from the figure's middle
    // The storey's outline under the areas (the sheet while areas are entered).
    bool storeyOutline = false;
    int quarterLineWidth = 3;
    int specPenWidth = 2;
    // Paper draws the floor-spec hatches as lines this many pixels apart (no hatch brush).
    double hatchStep = 0;

    // Walls.
    // Half the width of the wall band: a ninth of a metre on the sheet and in the key plans,
    // 6 cm on paper.
    double wallHalf = 0;
    WallSymbolStyle wallSymbol;
    // The fill of a wall whose elements are all unknown.
    ColorRef wallUnknownFill = WallUnknownFill;
    // The sheet marks a changed wall once more for every retrofit caution it carries.
    bool wallFillShowsCautions = true;
    // Labels beside the walls the method reads them for (those that carry a value under the
    // method, and doors and windows); the sheet shows them in wall mode only, and under the 2012
    // revision on every wall in every mode.
    bool wallLabels = false;
    bool wallLabelsOnEveryWall = false;
    CanvasFont wallFont;
    // The element symbols: when the display options ask for them, or always (paper).
    bool wallSymbolsAlways = false;
    // The retrofit number "[n]": never (key plans), in place of the element symbols while they
    // are not shown (sheet), or always, above them (paper).
    enum class RetrofitNumbers {
        Never,
        InsteadOfSymbols,
        Always
    } retrofitNumbers = RetrofitNumbers::InsteadOfSymbols;
    // Across the wall from the band's edge to the label line, less the band's half width.
    double symbolsAcross = -12, retrofitAcross = -12;
    // The value under the wall: when the display options ask for it, or always (paper); the
    // plan value, the plan value times the effective length, or the reduced strength.
    bool wallValueAlways = false;
    enum class WallValue {
        PlanValue,
        PlanStrength,
        ReducedStrength
    } wallValue = WallValue::PlanValue;

    // Foundations.
    // The entered foundations, and the bands under the ground storey's bearing walls by their
    // foundation class (paper); each with its type along it.
    bool foundationRecords = true;
    bool foundationWallBands = false;
    bool foundationRecordLabels = false;
    bool foundationWallBandLabels = false;
    // Half the band's width, which is also how far it reaches beyond the nodes: two ninths of a
    // metre on the sheet, 18 cm on paper.
    double foundationHalf = 0;
    // The sheet moves the band's corners a pixel right and down.
    int foundationCornerShift = 0;
    const ColorRef* foundationColours = FoundationWallColours;
    const ColorRef* foundationWallColours = FoundationWallColours;
    const char* const* foundationLabels = nullptr;
    CanvasFont foundationFont;
    // The label line across the band from its middle (the sheet: below or right of it).
    double foundationLabelAcross = 0;
    // The sheet turns the label by the band's exact angle and centres it by half the exact text
    // width; paper snaps bands along the axes to them and centres by whole pixels.
    bool foundationLabelByExactAngle = true;

    // Free lines.
    // The reference line from node to node while free lines are entered.
    bool freeLineReferences = false;
    int thickLineWidth = 3;
    // Paper offsets the line's ends from the node's pixel; the sheet from its exact position
    // (at whole pixels per metre).
    bool freeLinesFromNodePixel = false;
};

// The sheet's style for the current input mode and display options.
PlanStyle SheetPlanStyle();
// Paper's style at p (u: dots per drawing millimetre); `fullPlan` for the plan pages (column
// marks and numbers), else a key plan beside a table.
PlanStyle PaperPlanStyle(const PlanTransform& p, bool fullPlan);
// The key plans' style at p.
PlanStyle KeyPlanStyle(const PlanTransform& p);

// ---- Layers ----

// Where the axis marks lie: `margin` pixels to the frame, the X ticks from `tickTop` units
// below it, the Y grid lines `rightExtra` metres beyond the last X axis, labels in `face`.
struct AxisLayout {
    double margin;
    double tickTop;
    double rightExtra;
    const char* face;
};
void DrawPlanAxes(Canvas& canvas, const PlanTransform& p, const AxisLayout& layout);
// Whether the dimension text between two X axes `spacing` metres apart is turned upright: when
// the axes lie at most 8.9 units apart. Between Y axes it is the other way round.
bool DimensionTextTurned(double spacing, double e, double k);
// The dimension lines of the printed full plan, under the X labels and left of the Y labels,
// `margin` pixels to the frame.
void DrawPlanDimensions(Canvas& canvas, const PlanTransform& p, double margin);

// Roof and floor areas of storey f of scenario s (mask mode), and on the sheet the storey's
// outline under them.
void DrawPlanAreas(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s, int f);
// The quarter strips of the general approximate method (xor), on storeys with areas.
void DrawPlanQuarterLines(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s,
                          int f);
// Floor specifications with their labels.
void DrawPlanFloorSpecs(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s,
                        int f);

// Sizes of the centre marks, in pixels, and where the sheet, the key plans and paper differ.
struct CentreMarks {
    int penWidth;      // of the gravity and rigidity marks
    double diagonal;   // half the gravity cross
    double ring;       // radius of both rings
    double ringExtra;  // the rigidity ring reaches this much further right and down
    double cross;      // half the rigidity cross
    PenStyle boxStyle; // of the eccentricity box
    // The centre of rigidity drawn also at exactly (0, 0) (not where only the centre of
    // gravity is shown).
    bool rigidityAtOrigin = true;
    // The sheet places the eccentricity box's right and bottom edge a pixel beyond the exact
    // position; the key plans and paper a pixel beyond its pixel.
    bool boxFarEdgeFromExactPosition = false;
    // The sheet, when the brace direction is considered, shows the centre of rigidity of each
    // loading case (with its arrows and box) instead of the basic one.
    bool byLoadingCase = false;
};
// Centre of gravity (left out at exactly (0, 0)), centre of rigidity and the eccentricity box
// around the centre of gravity; nothing on a storey the diagnosis does not reach.
void DrawPlanCentres(Canvas& canvas, const PlanTransform& p, int s, int f,
                     const CentreMarks& marks);

// The element symbols a wall's label shows: left face, bracing, mud wall, right face.
std::string WallElementSymbols(const WallRecord& w);

// The end pixels of a wall; false for a wall that cannot be drawn (a node off the grid from a
// damaged file, or an axis that is not a number).
bool PlanWallEnds(const PlanTransform& p, const WallRecord& w, CanvasPoint& e1, CanvasPoint& e2);
// The walls of storey f of scenario s: symbols and labels.
void DrawPlanWalls(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s, int f);

// The columns of storey f of scenario s with their hardware discs, judgement fills and marks,
// then their numbers.
void DrawPlanColumns(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s, int f);
// The foundations of storey f of scenario s, the strongest type on top.
void DrawPlanFoundations(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s,
                         int f);
// The room texts: "@..." written vertically, "*..." the orientation mark.
void DrawPlanRoomTexts(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s,
                       int f);
// The free lines in their colours and line styles.
void DrawPlanFreeLines(Canvas& canvas, const PlanTransform& p, const PlanStyle& style, int s,
                       int f);
