#include "document/Hover.h"

#include "calc/LabelTables.h"
#include "calc/NValues.h"
#include "calc/WallElementTables.h"
#include "calc/WallEvaluation.h"
#include "document/InputModes.h"
#include "document/PlanInput.h"
#include "document/Recompute.h"
#include "document/SheetCoordinates.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Cp932.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ShownNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

PlanInputState PlanInput;

namespace {

// Pens of the marks, 0x00BBGGRR; the rubber bands take their mode's colour.
constexpr ColorRef AxisEditColour = 0x282032;
constexpr ColorRef AxisDeleteColour = 0x786096;
constexpr ColorRef ColumnColour = 0x00FFFF;
constexpr ColorRef WallColour = 0xFFFF00;
constexpr ColorRef AreaColour = 0x004040;
constexpr ColorRef FloorSpecColour = 0x404000;
constexpr ColorRef TextColour = 0x404040;
constexpr ColorRef FoundationColour = 0x808040;
constexpr ColorRef FreeLineColour = 0x804080;

// clang-format off
// CP932 bytes; the text of each entry stands in its comment.
const char* const AddXFormat = "\x82\x77\x8D\xC0\x95\x57\x92\xC7\x89\xC1\x81\x40%s,%s\x81\x40\x8A\xD4\x8A\x75:%5.3f"; // Ｘ座標追加　%s,%s　間隔:%5.3f
const char* const ChangeXFormat = "\x82\x77\x8D\xC0\x95\x57\x95\xCF\x8D\x58\x81\x40%s,%s\x81\x40\x8A\xD4\x8A\x75:%5.3f"; // Ｘ座標変更　%s,%s　間隔:%5.3f
const char* const AddYFormat = "\x82\x78\x8D\xC0\x95\x57\x92\xC7\x89\xC1\x81\x40%s,%s\x81\x40\x8A\xD4\x8A\x75:%5.3f"; // Ｙ座標追加　%s,%s　間隔:%5.3f
const char* const ChangeYFormat = "\x82\x78\x8D\xC0\x95\x57\x95\xCF\x8D\x58\x81\x40%s,%s\x81\x40\x8A\xD4\x8A\x75:%5.3f"; // Ｙ座標変更　%s,%s　間隔:%5.3f
const char* const DeleteXAxisFormat = "\x82\x78\x8E\xB2\x95\xCF\x8D\x58\x81\x45\x8F\xC1\x8B\x8E\x81\x40%s"; // Ｙ軸変更・消去　%s
const char* const DeleteYAxisFormat = "\x82\x77\x8E\xB2\x95\xCF\x8D\x58\x81\x45\x8F\xC1\x8B\x8E\x81\x40%s"; // Ｘ軸変更・消去　%s
const char* const ColumnFormat = "\x92\x8C\x81\x40(%s,%s)   \x92\x8C\x82\xCC\x8E\xED\x97\xDE:%s  \x8B\xE0\x95\xA8\x8E\x64\x97\x6C:%s  \x8F\x6F\x8B\xF7\x92\x8C:%s-%s\x81\x40\x88\xCA\x92\x75:%s\x81\x40\x88\xF8\x82\xAB\x94\xB2\x82\xAB\x97\xCD:%5.3f\x81\x40\x92\x8C\x8B\x72\x8B\xE0\x95\xA8:%s"; // 柱　(%s,%s)   柱の種類:%s  金物仕様:%s  出隅柱:%s-%s　位置:%s　引き抜き力:%5.3f　柱脚金物:%s
const char* const WallFormat = "\x95\xC7\x81\x40(%s,%s)-(%s,%s)\x81\x40\x95\xC7\x82\xCC\x8E\xED\x97\xDE:%s\x81\x40\x8D\xB6\x8F\xE3\x96\xCA\x8D\xDE:%s\x81\x40\x89\x45\x89\xBA\x96\xCA\x8D\xDE:%s\x81\x40\x8B\xD8\x82\xA9\x82\xA2:%s\x81\x40\x93\x79\x95\xC7:%s\x81\x40\x97\xF2\x89\xBB:%s\x81\x40\x88\xCA\x92\x75:%s\x81\x40\x8A\xEE\x91\x62:%s"; // 壁　(%s,%s)-(%s,%s)　壁の種類:%s　左上面材:%s　右下面材:%s　筋かい:%s　土壁:%s　劣化:%s　位置:%s　基礎:%s
const char* const AreaRectFormat = "\x8F\xB0\x81\x69\x8B\xE9\x8C\x60\x81\x6A\x81\x40(%s,%s)-(%s,%s)\x81\x40\x8E\x64\x97\x6C:%s"; // 床（矩形）　(%s,%s)-(%s,%s)　仕様:%s
const char* const AreaTriFormat = "\x8F\xB0\x81\x69\x8E\x4F\x8A\x70\x8C\x60\x81\x6A\x81\x40(%s,%s)-(%s,%s)-(%s,%s)\x81\x40\x8E\x64\x97\x6C:%s"; // 床（三角形）　(%s,%s)-(%s,%s)-(%s,%s)　仕様:%s
const char* const SpecRectFormat = "\x8F\xB0\x8D\x84\x90\xAB\x81\x69\x8B\xE9\x8C\x60\x81\x6A\x81\x40(%s,%s)-(%s,%s)\x81\x40\x8E\x64\x97\x6C:%s\x81\x40\x89\xCE\x91\xC5\x82\xBF:%s"; // 床剛性（矩形）　(%s,%s)-(%s,%s)　仕様:%s　火打ち:%s
const char* const SpecTriFormat = "\x8F\xB0\x8D\x84\x90\xAB\x81\x69\x8E\x4F\x8A\x70\x8C\x60\x81\x6A\x81\x40(%s,%s)-(%s,%s)-(%s,%s)\x81\x40\x8E\x64\x97\x6C:%s\x81\x40\x89\xCE\x91\xC5\x82\xBF:%s"; // 床剛性（三角形）　(%s,%s)-(%s,%s)-(%s,%s)　仕様:%s　火打ち:%s
const char* const TextFormat = "\x8E\xBA\x96\xBC\x93\x99\x81\x40(%s,%s)-(%s,%s)\x81\x40%s"; // 室名等　(%s,%s)-(%s,%s)　%s
const char* const FoundationFormat = "\x8A\xEE\x91\x62\x81\x40(%s,%s)-(%s,%s)\x81\x40\x8E\xED\x97\xDE:%s"; // 基礎　(%s,%s)-(%s,%s)　種類:%s
const char* const FreeLineFormat = "\x8E\xA9\x97\x52\x90\xFC\x81\x40(%s,%s)-(%s,%s)"; // 自由線　(%s,%s)-(%s,%s)
const char* const NoneName = "\x96\xB3\x82\xB5"; // 無し
// clang-format on

// What a code that no table holds (a damaged file) shows.
const char* const Unknown = "?";

constexpr std::size_t StatusCapacity = 768;

// What a mark was made for; a mark made for another is stale and not drawn.
struct Stamp {
    uint64_t generation = 0;
    int32_t mode = 0, scenario = 0, storey = 0, clickStep = 0, axisEditMode = 0, areaShape = 0;
    double ppm = 0.0;
    bool operator==(const Stamp&) const = default;
};

Stamp CurrentStamp() {
    return {DocumentGeneration(), App.InputMode,    App.CurrentScenario, App.CurrentStorey,
            App.ClickStep,        App.AxisEditMode, App.CurAreaShape,    App.PixelsPerMetre};
}

struct HoverData {
    HoverMark mark;
    Stamp stamp;
    char status[StatusCapacity] = {};
    // The sheet pixel of the last move: what the status text describes.
    CanvasPoint pointer;
    bool pointerKnown = false;
};
HoverData Hover;

template <std::size_t N>
const char* NameOf(const char* const (&table)[N], long long index) {
    return InRange(index, N) ? table[index] : Unknown;
}
// Code 0 is "none" in the element tables.
template <std::size_t N>
const char* NameOrNone(const char* const (&table)[N], long long index) {
    return index == 0 ? NoneName : NameOf(table, index);
}

const char* LabelX(long long ix) {
    return InRange(ix, AxisCountX) ? Grid.AxisLabelX[ix] : Unknown;
}
const char* LabelY(long long iy) {
    return InRange(iy, AxisCountY) ? Grid.AxisLabelY[iy] : Unknown;
}

// A CP932 text copied into a zero-terminated buffer, cut on a character boundary.
template <std::size_t N>
const char* Terminated(char (&buffer)[N], std::string_view text) {
    const std::size_t n = cp932::prefixOnBoundary(text, N - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return buffer;
}

template <std::size_t N>
const char* PanelName(char (&buffer)[N], long long row) {
    if (row == 0) return NoneName;
    if (!InRange(row, PanelSpecCount)) return Unknown;
    return Terminated(buffer, PanelNames[row]);
}

void Describe(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = FormatShownV(Hover.status, StatusCapacity, format, args);
    va_end(args);
    if (n >= static_cast<int>(StatusCapacity)) {
        // Cut where a character ends, so that the last one is not half a character.
        const std::size_t keep = cp932::prefixOnBoundary(Hover.status, StatusCapacity - 1);
        Hover.status[keep] = 0;
    }
}

void Mark(HoverShape shape, ColorRef colour, int penWidth, CanvasPoint a, CanvasPoint b,
          CanvasPoint c = {}) {
    Hover.mark = {shape, colour, std::max(1, penWidth), {a, b, c}};
}

CanvasPoint Node(int32_t ix, int32_t iy) {
    return {NodePixelX(ix), NodePixelY(iy)};
}

// The pointer within r pixels of the segment a-b (the projection held to the segment).
bool NearSegment(CanvasPoint p, CanvasPoint a, CanvasPoint b, int r) {
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey < double(r) * r;
}

bool StrictlyInsideRect(CanvasPoint p, CanvasPoint a, CanvasPoint b) {
    return std::min(a.x, b.x) < p.x && p.x < std::max(a.x, b.x) && std::min(a.y, b.y) < p.y &&
           p.y < std::max(a.y, b.y);
}

long long Cross(CanvasPoint o, CanvasPoint a, CanvasPoint p) {
    return (long long)(a.x - o.x) * (p.y - o.y) - (long long)(a.y - o.y) * (p.x - o.x);
}

bool InsideTriangle(CanvasPoint p, CanvasPoint a, CanvasPoint b, CanvasPoint c) {
    const long long d1 = Cross(a, b, p), d2 = Cross(b, c, p), d3 = Cross(c, a, p);
    return (d1 > 0 && d2 > 0 && d3 > 0) || (d1 < 0 && d2 < 0 && d3 < 0);
}

int ThickPen() {
    return TruncPixel(1.5 * HoverRadius());
}

int PlanScenario() {
    return ClampIndex(App.CurrentScenario, Scenarios);
}
int PlanStorey() {
    return ClampIndex(App.CurrentStorey, Storeys);
}

// ---- Axis mode ----

void HoverAxes(double mx, double my) {
    const double(&ax)[AxisCountX] = Doc.AxisX;
    const double(&ay)[AxisCountY] = Doc.AxisY;
    switch (App.AxisEditMode) {
    case AxisModeAddX:
    case AxisModeChangeX: {
        // The gap a click would edit.
        const int i = GapAxis(ax, mx);
        if (i == NoAxis) return;
        const int x = NodePixelX(i);
        Mark(HoverShape::Line, AxisEditColour, 1, {x, 0}, {x, SheetHeightPixels()});
        App.HoverState = 3;
        Describe(App.AxisEditMode == AxisModeAddX ? AddXFormat : ChangeXFormat, LabelX(i - 1),
                 LabelX(i), ax[i] - ax[i - 1]);
        return;
    }
    case AxisModeAddY:
    case AxisModeChangeY: {
        const int j = GapAxis(ay, my);
        if (j == NoAxis) return;
        const int y = NodePixelY(j);
        Mark(HoverShape::Line, AxisEditColour, 1, {0, y}, {SheetWidthPixels(), y});
        App.HoverState = 1;
        Describe(App.AxisEditMode == AxisModeAddY ? AddYFormat : ChangeYFormat, LabelY(j),
                 LabelY(j - 1), ay[j] - ay[j - 1]);
        return;
    }
    case AxisModeDelete: {
        const double t = AxisPickTolerance();
        if (const int k = NearAxis(ax, mx, t); k != NoAxis) {
            const int x = NodePixelX(k);
            Mark(HoverShape::Line, AxisDeleteColour, 3, {x, 0}, {x, SheetHeightPixels()});
            App.HoverState = 3;
            Describe(DeleteXAxisFormat, LabelX(k));
        } else if (const int k2 = NearAxis(ay, my, t); k2 != NoAxis) {
            const int y = NodePixelY(k2);
            Mark(HoverShape::Line, AxisDeleteColour, 3, {0, y}, {SheetWidthPixels(), y});
            App.HoverState = 1;
            Describe(DeleteYAxisFormat, LabelY(k2));
        }
        return;
    }
    default:
        return;
    }
}

// ---- Elements ----

void DescribeColumn(const ColumnRecord& c, int index) {
    const int s = PlanScenario(), f = PlanStorey();
    const ColumnJointRecord& joint = NValueRes.ColumnJointResult[s][f][index];
    const long long code =
        WallEval.GridNodeMap[s][f][ClampIndex(c.x, AxisCountX)][ClampIndex(c.y, AxisCountY)];
    const long long kind = c.kind;
    Describe(ColumnFormat, LabelX(c.x), LabelY(c.y), NameOf(ColumnKindNames, kind - 1),
             NameOf(ColumnHardwareNames, c.joint & 3), NameOf(CornerRuleNames, c.joint / 4),
             CornerRuleNames[code < 0 ? 1 : 2],
             StoreyPositionNames[(code <= -FloorAboveBit || code >= FloorAboveBit)],
             ColumnGoverningValue(joint), JointHardwareNameOf(ColumnHardwareClass(joint)));
}

bool HoverColumn(CanvasPoint node, int ix, int iy) {
    const int s = PlanScenario(), f = PlanStorey();
    const int n = LiveCount(Doc.ColumnCount[s][f], MaxColumns);
    for (int i = 0; i < n; ++i) {
        const ColumnRecord& c = Doc.Columns[s][f][i];
        if (c.x != ix || c.y != iy) continue;
        const int r = HoverRadius();
        Mark(HoverShape::Rectangle, ColumnColour, 1, {node.x - r, node.y - r},
             {node.x + r, node.y + r});
        PlanInput.HoverIndex = i;
        DescribeColumn(c, i);
        return true;
    }
    return false;
}

void DescribeWall(const WallRecord& w, int index) {
    const WallResultRecord& result = WallEval.WallResult[PlanScenario()][PlanStorey()][index][0];
    char left[64], right[64];
    Describe(WallFormat, LabelX(w.x1), LabelY(w.y1), LabelX(w.x2), LabelY(w.y2),
             NameOf(WallKindNames, w.type), PanelName(left, w.panelL), PanelName(right, w.panelR),
             NameOrNone(BraceNames, BraceRowOf(w.bracing)),
             NameOrNone(MudWallNames, MudWallOf(w.bracing)),
             NameOf(DeteriorationNames, w.deterioration),
             NameOf(StoreyPositionNames, result.lowerStorey),
             NameOf(FoundationShortNames, w.foundationClass));
}

// The first record of the current plan whose segment between its nodes passes within the hover
// radius of the pointer; -1 for none.
template <typename Rec, std::size_t Cap>
int FirstNear(const int32_t (&counts)[ModelSlots][Storeys],
              const Rec (&records)[ModelSlots][Storeys][Cap], CanvasPoint p) {
    const int s = PlanScenario(), f = PlanStorey();
    const int n = LiveCount(counts[s][f], static_cast<int>(Cap));
    const int r = HoverRadius();
    for (int i = 0; i < n; ++i) {
        const Rec& e = records[s][f][i];
        if (NearSegment(p, Node(e.x1, e.y1), Node(e.x2, e.y2), r)) return i;
    }
    return -1;
}

template <typename Rec, std::size_t Cap>
int FirstRectHolding(const int32_t (&counts)[ModelSlots][Storeys],
                     const Rec (&records)[ModelSlots][Storeys][Cap], CanvasPoint p) {
    const int s = PlanScenario(), f = PlanStorey();
    const int n = LiveCount(counts[s][f], static_cast<int>(Cap));
    for (int i = 0; i < n; ++i) {
        const Rec& e = records[s][f][i];
        if (StrictlyInsideRect(p, Node(e.x1, e.y1), Node(e.x2, e.y2))) return i;
    }
    return -1;
}

template <typename Rec, std::size_t Cap>
int FirstTriangleHolding(const int32_t (&counts)[ModelSlots][Storeys],
                         const Rec (&records)[ModelSlots][Storeys][Cap], CanvasPoint p) {
    const int s = PlanScenario(), f = PlanStorey();
    const int n = LiveCount(counts[s][f], static_cast<int>(Cap));
    for (int i = 0; i < n; ++i) {
        const Rec& e = records[s][f][i];
        if (InsideTriangle(p, Node(e.x1, e.y1), Node(e.x2, e.y2), Node(e.x3, e.y3))) return i;
    }
    return -1;
}

void HoverWall(CanvasPoint p) {
    const int i = FirstNear(Doc.WallCount, Doc.Walls, p);
    if (i < 0) return;
    const WallRecord& w = Doc.Walls[PlanScenario()][PlanStorey()][i];
    Mark(HoverShape::Line, WallColour, ThickPen(), Node(w.x1, w.y1), Node(w.x2, w.y2));
    App.HoverState = 1;
    PlanInput.HoverIndex = i;
    DescribeWall(w, i);
}

// Modes 3 and 4: a rectangle holding the pointer, else a triangle.
template <typename RectRec, std::size_t RectCap, typename TriRec, std::size_t TriCap,
          typename RectText, typename TriText>
void HoverAreas(const int32_t (&rectCounts)[ModelSlots][Storeys],
                const RectRec (&rects)[ModelSlots][Storeys][RectCap],
                const int32_t (&triCounts)[ModelSlots][Storeys],
                const TriRec (&tris)[ModelSlots][Storeys][TriCap], ColorRef colour, CanvasPoint p,
                RectText describeRect, TriText describeTri) {
    const int s = PlanScenario(), f = PlanStorey();
    if (const int i = FirstRectHolding(rectCounts, rects, p); i >= 0) {
        const RectRec& e = rects[s][f][i];
        Mark(HoverShape::Rectangle, colour, ThickPen(), Node(e.x1, e.y1), Node(e.x2, e.y2));
        App.HoverState = 1;
        PlanInput.HoverIndex = i;
        describeRect(e);
    } else if (const int t = FirstTriangleHolding(triCounts, tris, p); t >= 0) {
        const TriRec& e = tris[s][f][t];
        Mark(HoverShape::Triangle, colour, ThickPen(), Node(e.x1, e.y1), Node(e.x2, e.y2),
             Node(e.x3, e.y3));
        App.HoverState = 3;
        PlanInput.HoverTriangleIndex = t;
        describeTri(e);
    }
}

const char* AreaKindName(long long code) {
    return NameOf(AreaKindNames, code % 8);
}

const char* BoardName(long long code) {
    return NameOf(FloorBoardSpecNames, code % 32);
}
const char* FloorBraceName(long long code) {
    const long long brace = code / 32;
    return NameOf(FloorBraceSpecNames, brace == 0 ? 0 : brace - 16);
}

void HoverRoofFloor(CanvasPoint p) {
    const Document& d = Doc;
    HoverAreas(
        d.RoofFloorRectCount, d.RoofFloorRects, d.RoofFloorTriCount, d.RoofFloorTris, AreaColour, p,
        [](const RoofFloorRectRecord& e) {
            Describe(AreaRectFormat, LabelX(e.x1), LabelY(e.y1), LabelX(e.x2), LabelY(e.y2),
                     AreaKindName(e.code));
        },
        [](const RoofFloorTriRecord& e) {
            Describe(AreaTriFormat, LabelX(e.x1), LabelY(e.y1), LabelX(e.x2), LabelY(e.y2),
                     LabelX(e.x3), LabelY(e.y3), AreaKindName(e.code));
        });
}

void HoverFloorSpec(CanvasPoint p) {
    const Document& d = Doc;
    HoverAreas(
        d.FloorSpecRectCount, d.FloorSpecRects, d.FloorSpecTriCount, d.FloorSpecTris,
        FloorSpecColour, p,
        [](const FloorSpecRectRecord& e) {
            Describe(SpecRectFormat, LabelX(e.x1), LabelY(e.y1), LabelX(e.x2), LabelY(e.y2),
                     BoardName(e.code), FloorBraceName(e.code));
        },
        [](const FloorSpecTriRecord& e) {
            Describe(SpecTriFormat, LabelX(e.x1), LabelY(e.y1), LabelX(e.x2), LabelY(e.y2),
                     LabelX(e.x3), LabelY(e.y3), BoardName(e.code), FloorBraceName(e.code));
        });
}

void HoverText(CanvasPoint p) {
    const int s = PlanScenario(), f = PlanStorey();
    const int n = LiveCount(Doc.RoomTextCount[s][f], MaxRoomTexts);
    const int r = HoverRadius();
    for (int i = 0; i < n; ++i) {
        const RoomTextRecord& t = Doc.RoomTexts[s][f][i];
        const CanvasPoint a = Node(t.x1, t.y1), b = Node(t.x2, t.y2);
        const int cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
        if (std::abs(p.x - cx) >= r || std::abs(p.y - cy) >= r) continue;
        if (a.x == b.x && a.y == b.y) // a text on one node: a square around it
            Mark(HoverShape::Rectangle, TextColour, 1, {a.x - r, a.y - r}, {a.x + r, a.y + r});
        else if (a.x == b.x || a.y == b.y)
            Mark(HoverShape::Line, TextColour, ThickPen(), a, b);
        else
            Mark(HoverShape::Rectangle, TextColour, ThickPen(), a, b);
        App.HoverState = 1;
        PlanInput.HoverIndex = i;
        char text[48];
        Describe(TextFormat, LabelX(t.x1), LabelY(t.y1), LabelX(t.x2), LabelY(t.y2),
                 Terminated(text, t.text.view()));
        return;
    }
}

void HoverFoundation(CanvasPoint p) {
    const int i = FirstNear(Doc.FoundationCount, Doc.Foundations, p);
    if (i < 0) return;
    const FoundationRecord& e = Doc.Foundations[PlanScenario()][PlanStorey()][i];
    Mark(HoverShape::Line, FoundationColour, ThickPen(), Node(e.x1, e.y1), Node(e.x2, e.y2));
    App.HoverState = 1;
    PlanInput.HoverIndex = i;
    Describe(FoundationFormat, LabelX(e.x1), LabelY(e.y1), LabelX(e.x2), LabelY(e.y2),
             NameOf(FoundationTypeNames, e.type));
}

void HoverFreeLine(CanvasPoint p) {
    const int i = FirstNear(Doc.FreeLineCount, Doc.FreeLines, p);
    if (i < 0) return;
    const FreeLineRecord& e = Doc.FreeLines[PlanScenario()][PlanStorey()][i];
    Mark(HoverShape::Line, FreeLineColour, ThickPen(), Node(e.x1, e.y1), Node(e.x2, e.y2));
    App.HoverState = 1;
    PlanInput.HoverIndex = i;
    Describe(FreeLineFormat, LabelX(e.x1), LabelY(e.y1), LabelX(e.x2), LabelY(e.y2));
}

// ---- The figure being entered ----

ColorRef BandColour(int mode) {
    switch (mode) {
    case ModeWalls:
        return WallColour;
    case ModeRoofFloor:
        return AreaColour;
    case ModeFloorSpec:
        return FloorSpecColour;
    case ModeTexts:
        return TextColour;
    case ModeFoundations:
        return FoundationColour;
    default:
        return FreeLineColour;
    }
}

void RubberBand(CanvasPoint node) {
    const int mode = App.InputMode;
    if (mode < ModeWalls || mode > ModeFreeLines) return; // no figures to enter
    int* rb = PlanInput.RubberBandPixels;
    const CanvasPoint first{rb[0], rb[1]};
    const ColorRef colour = BandColour(mode);
    const bool areas = mode == ModeRoofFloor || mode == ModeFloorSpec;
    const bool triangle = areas && App.CurAreaShape != 0;
    if (App.ClickStep == 1) {
        rb[2] = node.x;
        rb[3] = node.y;
        if (areas && !triangle)
            Mark(HoverShape::Rectangle, colour, 1, first, node);
        else if (mode == ModeTexts)
            Mark(HoverShape::Frame, colour, 1, first, node);
        else
            Mark(HoverShape::Line, colour, 1, first, node);
    } else if (App.ClickStep == 2 && triangle) {
        rb[4] = node.x;
        rb[5] = node.y;
        Mark(HoverShape::Triangle, colour, 1, first, {rb[2], rb[3]}, node);
    }
}

// ---- What a move draws again ----

// Pixels a mark may reach beyond its points: half the pen and the rounding of its edges.
int MarkPad(const HoverMark& m) {
    return m.penWidth / 2 + 2;
}

// Runs of pixels in one band of rows, [lo, hi), in no particular order.
struct Runs {
    static constexpr int Max = 8;
    int n = 0;
    int lo[Max] = {}, hi[Max] = {};
    void add(int a, int b) {
        if (a < b && n < Max) lo[n] = a, hi[n] = b, ++n;
    }
};

// The x extent of the polygon `p` (2 or 3 points) within the rows ya..yb; false when it does
// not reach them. Convex, so its part in the slab has its corners among the points and the
// crossings of its edges with the slab's two borders.
bool SlabExtent(const CanvasPoint* p, int n, double ya, double yb, double& xmin, double& xmax) {
    xmin = 1e18, xmax = -1e18;
    for (int i = 0; i < n; ++i) {
        if (p[i].y < ya || p[i].y > yb) continue;
        xmin = std::min(xmin, 1.0 * p[i].x), xmax = std::max(xmax, 1.0 * p[i].x);
    }
    for (int i = 0; i < (n == 2 ? 1 : n); ++i) { // a segment has one edge
        const CanvasPoint a = p[i], b = p[(i + 1) % n];
        for (const double y : {ya, yb}) {
            if ((a.y - y) * (b.y - y) >= 0) continue; // not crossing this border
            const double x = a.x + (y - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y);
            xmin = std::min(xmin, x), xmax = std::max(xmax, x);
        }
    }
    return xmin <= xmax;
}

// The runs of the band of rows y0..y1-1 that the mark may cover.
void MayCover(const HoverMark& m, int y0, int y1, Runs& runs) {
    if (m.shape == HoverShape::None) return;
    const int pad = MarkPad(m);
    const CanvasPoint* p = m.points;
    if (m.shape == HoverShape::Line || m.shape == HoverShape::Triangle) {
        double xmin, xmax;
        if (SlabExtent(p, m.shape == HoverShape::Line ? 2 : 3, y0 - pad, y1 - 1 + pad, xmin, xmax))
            runs.add(TruncPixel(std::floor(xmin)) - pad, TruncPixel(std::ceil(xmax)) + pad + 1);
        return;
    }
    const int left = std::min(p[0].x, p[1].x), right = std::max(p[0].x, p[1].x);
    const int top = std::min(p[0].y, p[1].y), bottom = std::max(p[0].y, p[1].y);
    const auto meets = [&](int from, int to) { return y0 <= to && y1 - 1 >= from; };
    if (!meets(top - pad, bottom + pad)) return;
    if (m.shape == HoverShape::Frame && !meets(top - pad, top + pad) &&
        !meets(bottom - pad, bottom + pad)) {
        // Between its top and bottom edges a frame has only its sides.
        runs.add(left - pad, left + pad + 1);
        runs.add(right - pad, right + pad + 1);
        return;
    }
    runs.add(left - pad, right + pad + 1);
}

// The run of pixels the mark covers for certain on every row of the band (the fill of a
// rectangle between its points; of a triangle, the pixels whose centres lie a pixel inside it);
// lo >= hi for none.
void SurelyCovers(const HoverMark& m, int y0, int y1, int& lo, int& hi) {
    lo = 0, hi = 0;
    const CanvasPoint* p = m.points;
    if (m.shape == HoverShape::Rectangle) {
        if (y0 < std::min(p[0].y, p[1].y) || y1 - 1 > std::max(p[0].y, p[1].y)) return;
        lo = std::min(p[0].x, p[1].x), hi = std::max(p[0].x, p[1].x) + 1;
        return;
    }
    if (m.shape != HoverShape::Triangle) return;
    const double turn = double(Cross(p[0], p[1], p[2]));
    if (turn == 0) return;
    const double s = turn > 0 ? 1 : -1;
    // The inside is the side of each edge a-b where s * cross(a, b, point) > 0; a pixel centre
    // at least one pixel inside every edge is filled. The left end of a row's span grows
    // convexly with the row and the right end shrinks concavely, so the band's first and last
    // rows bound it.
    double left = -1e18, right = 1e18;
    for (const double yc : {y0 + 0.5, y1 - 0.5}) {
        for (int i = 0; i < 3; ++i) {
            const CanvasPoint a = p[i], b = p[(i + 1) % 3];
            const double ex = double(b.x) - a.x, ey = double(b.y) - a.y;
            const double length = std::sqrt(ex * ex + ey * ey);
            // s * cross = s * (ex * (yc - a.y) - ey * (x - a.x)) >= length, linear in x.
            const double k = -s * ey, c = s * (ex * (yc - a.y) + ey * a.x) - length;
            if (k > 0)
                left = std::max(left, -c / k);
            else if (k < 0)
                right = std::min(right, -c / k);
            else if (c < 0)
                return;
        }
    }
    if (left > right || left < -1e9 || right > 1e9) return;
    lo = TruncPixel(std::ceil(left - 0.5)), hi = TruncPixel(std::floor(right - 0.5)) + 1;
}

// The bounds that hold both; an empty one adds nothing.
HoverBounds Joined(const HoverBounds& a, const HoverBounds& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// A mark with a slanted edge changes its extent from row to row, and is followed in bands of
// at least 16 rows, at most 40 bands however tall it is.
constexpr int MinBandRows = 16;
constexpr int MaxBands = 40;

bool Slanted(const HoverMark& m) {
    const CanvasPoint* p = m.points;
    return m.shape == HoverShape::Triangle ||
           (m.shape == HoverShape::Line && p[0].x != p[1].x && p[0].y != p[1].y);
}

// The rows from which on what a mark without a slanted edge may cover, or surely covers,
// changes (its outer rows, the fill of a rectangle, the rows of a frame's sides alone);
// returns their count.
int Breaks(const HoverMark& m, int* rows) {
    if (m.shape == HoverShape::None || Slanted(m)) return 0;
    const int pad = MarkPad(m);
    const int top = std::min(m.points[0].y, m.points[1].y);
    const int bottom = std::max(m.points[0].y, m.points[1].y);
    int n = 0;
    rows[n++] = top - pad, rows[n++] = bottom + pad + 1;
    if (m.shape == HoverShape::Rectangle) rows[n++] = top, rows[n++] = bottom + 1;
    if (m.shape == HoverShape::Frame) rows[n++] = top + pad + 1, rows[n++] = bottom - pad;
    return n;
}

} // namespace

void HoverChangedArea(const HoverMark& before, const HoverMark& after, bool bothShown,
                      HoverArea& area) {
    area.count = 0;
    const HoverBounds both = Joined(HoverMarkBounds(before), HoverMarkBounds(after));
    if (both.empty()) return;
    const int top = both.top, bottom = both.bottom;
    const long long rows = (long long)bottom - top;
    const int band =
        static_cast<int>(std::max<long long>(MinBandRows, (rows + MaxBands - 1) / MaxBands));
    // Where both marks cover a pixel for certain it shows the same, as long as they are xor
    // figures of one colour over the same picture.
    const bool common = bothShown && before.colour == after.colour;
    int lastFirst = -1; // the first rectangle of the band before
    // More rectangles than the area holds (never with the bands' count held, but kept safe):
    // then the whole place of both marks.
    bool full = false;
    int breaks[12];
    int breakCount = Breaks(before, breaks);
    breakCount += Breaks(after, breaks + breakCount);
    const bool slanted = Slanted(before) || Slanted(after);
    for (int y0 = top, y1; y0 < bottom; y0 = y1) {
        // The band ends where a mark may change: at the next break, or a band's length on.
        y1 = slanted ? static_cast<int>(std::min<long long>((long long)y0 + band, bottom)) : bottom;
        for (int i = 0; i < breakCount; ++i)
            if (breaks[i] > y0 && breaks[i] < y1) y1 = breaks[i];
        Runs may;
        MayCover(before, y0, y1, may);
        MayCover(after, y0, y1, may);
        // In order from the left, overlapping runs joined.
        for (int i = 1; i < may.n; ++i)
            for (int j = i; j > 0 && may.lo[j] < may.lo[j - 1]; --j)
                std::swap(may.lo[j], may.lo[j - 1]), std::swap(may.hi[j], may.hi[j - 1]);
        int joined = 0;
        for (int i = 0; i < may.n; ++i) {
            if (joined > 0 && may.lo[i] <= may.hi[joined - 1]) {
                may.hi[joined - 1] = std::max(may.hi[joined - 1], may.hi[i]);
            } else {
                may.lo[joined] = may.lo[i], may.hi[joined] = may.hi[i];
                ++joined;
            }
        }
        int keepLo = 0, keepHi = 0;
        if (common) {
            int lo1, hi1, lo2, hi2;
            SurelyCovers(before, y0, y1, lo1, hi1);
            SurelyCovers(after, y0, y1, lo2, hi2);
            keepLo = std::max(lo1, lo2), keepHi = std::min(hi1, hi2);
        }
        const int first = area.count;
        const auto emit = [&](int lo, int hi) {
            if (lo >= hi) return;
            if (area.count < HoverArea::MaxRects)
                area.rects[area.count++] = {lo, y0, hi, y1};
            else
                full = true;
        };
        for (int i = 0; i < joined; ++i) {
            if (keepLo < keepHi) {
                emit(may.lo[i], std::min(may.hi[i], keepLo));
                emit(std::max(may.lo[i], keepHi), may.hi[i]);
            } else {
                emit(may.lo[i], may.hi[i]);
            }
        }
        // A band like the one above it lengthens its rectangles.
        const int made = area.count - first;
        if (lastFirst >= 0 && made == first - lastFirst) {
            bool same = true;
            for (int i = 0; i < made && same; ++i)
                same = area.rects[first + i].left == area.rects[lastFirst + i].left &&
                       area.rects[first + i].right == area.rects[lastFirst + i].right;
            if (same) {
                for (int i = 0; i < made; ++i) area.rects[lastFirst + i].bottom = y1;
                area.count = first;
                continue;
            }
        }
        lastFirst = made > 0 ? first : -1;
    }
    if (full) {
        area.rects[0] = both;
        area.count = 1;
    }
}

bool SameMark(const HoverMark& a, const HoverMark& b) {
    if (a.shape != b.shape || a.colour != b.colour || a.penWidth != b.penWidth) return false;
    for (int i = 0; i < 3; ++i)
        if (a.points[i].x != b.points[i].x || a.points[i].y != b.points[i].y) return false;
    return true;
}

int HoverRadius() {
    return TruncPixel(0.2 * App.PixelsPerMetre);
}

// Marks and describes what lies under sheet pixel (x, y), or draws the rubber band of a figure
// half entered.
void HoverAt(int x, int y) {
    App.HoverState = 0;
    PlanInput.HoverIndex = -1;
    PlanInput.HoverTriangleIndex = -1;
    Hover.status[0] = 0;
    Hover.pointer = {x, y};
    Hover.pointerKnown = true;
    const double mx = SheetMetresX(x), my = SheetMetresY(y);
    const int ix = CatchmentAxis(Doc.AxisX, mx), iy = CatchmentAxis(Doc.AxisY, my);
    const CanvasPoint p{x, y};
    const CanvasPoint node = Node(ix, iy);
    if (App.ClickStep != 0) {
        RubberBand(node);
        return;
    }
    switch (App.InputMode) {
    case ModeAxes:
        HoverAxes(mx, my);
        break;
    case ModeColumns:
        if (HoverColumn(node, ix, iy)) App.HoverState = 1;
        break;
    case ModeWalls:
        HoverWall(p);
        break;
    case ModeRoofFloor:
        HoverRoofFloor(p);
        break;
    case ModeFloorSpec:
        HoverFloorSpec(p);
        break;
    case ModeTexts:
        HoverText(p);
        break;
    case ModeFoundations:
        HoverFoundation(p);
        break;
    case ModeFreeLines:
        HoverFreeLine(p);
        break;
    default:
        break;
    }
}

HoverChange HoverMove(int x, int y) {
    const HoverMark before = Hover.mark;
    const Stamp stampBefore = Hover.stamp;
    char statusBefore[StatusCapacity];
    std::memcpy(statusBefore, Hover.status, StatusCapacity);

    Hover.mark = {};
    if (App.HoverState == 2) {
        // The click's own repaint has wiped the marks; this move only ends that state.
        App.HoverState = 0;
    } else {
        HoverAt(x, y);
    }
    Hover.stamp = CurrentStamp();

    HoverChange change;
    change.statusChanged = std::strcmp(statusBefore, Hover.status) != 0;
    change.markChanged = !SameMark(before, Hover.mark) || !(stampBefore == Hover.stamp);
    if (change.markChanged) {
        change.before = HoverMarkBounds(before);
        change.after = HoverMarkBounds(Hover.mark);
        HoverChangedArea(before, Hover.mark, stampBefore == Hover.stamp, change.area);
    }
    return change;
}

HoverBounds HoverLeave() {
    const HoverBounds old = HoverMarkBounds(Hover.mark);
    Hover.mark = {};
    App.HoverState = 0;
    return old;
}

const char* HoverStatusText() {
    return Hover.status;
}

bool RedescribeHover() {
    if (!Hover.pointerKnown || App.ClickStep != 0) return false;
    // Only the text: the mark and the element a right click edits wait for the pointer to move.
    const HoverMark mark = Hover.mark;
    const int32_t state = App.HoverState;
    const int32_t index = PlanInput.HoverIndex, triangle = PlanInput.HoverTriangleIndex;
    char before[StatusCapacity];
    std::memcpy(before, Hover.status, StatusCapacity);
    HoverAt(Hover.pointer.x, Hover.pointer.y);
    Hover.mark = mark;
    App.HoverState = state;
    PlanInput.HoverIndex = index;
    PlanInput.HoverTriangleIndex = triangle;
    return std::strcmp(before, Hover.status) != 0;
}

HoverMark CurrentHoverMark() {
    return Hover.stamp == CurrentStamp() ? Hover.mark : HoverMark{};
}

HoverBounds HoverMarkBounds(const HoverMark& mark) {
    if (mark.shape == HoverShape::None) return {};
    const int n = mark.shape == HoverShape::Triangle ? 3 : 2;
    int left = mark.points[0].x, right = left, top = mark.points[0].y, bottom = top;
    for (int i = 1; i < n; ++i) {
        left = std::min(left, mark.points[i].x);
        right = std::max(right, mark.points[i].x);
        top = std::min(top, mark.points[i].y);
        bottom = std::max(bottom, mark.points[i].y);
    }
    const int pad = mark.penWidth / 2 + 2;
    return {left - pad, top - pad, right + pad + 1, bottom + pad + 1};
}

void DrawHoverOverlay(Canvas& canvas) {
    DrawHoverMark(canvas, CurrentHoverMark());
}

void DrawHoverMark(Canvas& canvas, const HoverMark& m) {
    if (m.shape == HoverShape::None) return;
    canvas.setPen(m.colour, m.penWidth, PenStyle::Solid, PenMode::Xor);
    const CanvasPoint* p = m.points;
    switch (m.shape) {
    case HoverShape::Line:
        canvas.moveTo(p[0].x, p[0].y);
        canvas.lineTo(p[1].x, p[1].y);
        return;
    case HoverShape::Rectangle:
    case HoverShape::Frame:
        if (m.shape == HoverShape::Rectangle) {
            canvas.setBrushStyle(BrushStyle::Solid);
            canvas.setBrushColour(m.colour);
        } else {
            canvas.setBrushStyle(BrushStyle::Clear);
        }
        canvas.rectangle(std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y),
                         std::max(p[0].x, p[1].x) + 1, std::max(p[0].y, p[1].y) + 1);
        return;
    case HoverShape::Triangle:
        canvas.setBrushStyle(BrushStyle::Solid);
        canvas.setBrushColour(m.colour);
        canvas.polygon(p, 3);
        return;
    case HoverShape::None:
        return;
    }
}
