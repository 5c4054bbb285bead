#pragma once
// Walls of the plan editor, without Qt: placing a wall between two grid nodes with its checks
// and questions, and what the wall palette and the wall-change dialog do to the current wall
// input and to a wall record. The two forms (Dkabe, WallChange) only show controls and call
// these; the wall-change dialog is reached through WallChangeDialogRunner, so that tests can
// stand in for the user.
#include "model/Model.h"

#include <cstdint>

// ---- The wall the forms edit ----------------------------------------------------------------

// Wall kind to the kind radio that shows it: 0 無開口, 1 マド, 4 戸, anything else 耐力無.
inline constexpr int32_t WallKindButton[15] = {0, 1, 1, 1, 4, 4, 4, 0, 1, 1, 1, 4, 4, 4, 14};
inline constexpr int32_t WallKindNoStrength = WallTypeNoStrength;

// The nine values one set of wall controls edits: the words of the wall and the four parts of
// its bracing word (mud class * 128 + size * 12 + hardware * 4 + direction).
struct WallSpecRefs {
    int32_t& kind;
    int32_t& brace;
    int32_t& panelL;
    int32_t& panelR;
    int32_t& deterioration;
    int32_t& braceSize;
    int32_t& braceHardware;
    int32_t& braceDirection;
    int32_t& mudWall;
};

// The palette's values (App.CurWall*, App.WallDlg*) and the wall-change dialog's copies.
WallSpecRefs CurrentWallSpec();
WallSpecRefs WallChangeSpec();

// The four parts from the bracing word, and the word from the parts.
void DecodeBrace(const WallSpecRefs& spec);
void RecomposeBrace(const WallSpecRefs& spec);
// Strength per metre of such a wall, from the calculation's working tables.
double WallPreviewStrength(const WallSpecRefs& spec);

// A bracing size of 2 or more, or a mud class of 2 or more.
bool HasCoreMaterial(int32_t brace);
// Core material, or a panel material other than none or unknown on either face.
bool HasStrengthElements(int32_t brace, int32_t panelL, int32_t panelR);
// A bracing word below 12 (no bracing) becomes 0, one from 12 to 23 (unknown) becomes 12.
int32_t NormaliseBraceWord(int32_t brace);

// ---- The wall-change dialog's exchange ------------------------------------------------------

inline constexpr int32_t WallChangeAccepted = 0;  // OK wrote the record
inline constexpr int32_t WallChangeCancelled = 1; // キャンセル, close box, 要素の取得
inline constexpr int32_t WallChangeDeleted = 100; // 壁の消去
inline constexpr int32_t WallChangeToFront = 200; // 手前に表示

// In: the wall (of the current scenario and storey) and 0. Out: what the caller does.
extern int32_t WallChangeIndex;
extern int32_t WallChangeDlgResult;
// The dialog's working copy of the wall.
extern int32_t WallChangeKind;
extern int32_t WallChangeBrace; // without the retrofit bit
extern int32_t WallChangeRetrofit;
extern int32_t WallChangePanelL;
extern int32_t WallChangePanelR;
extern int32_t WallChangeDeterioration;
extern int32_t WallChangeBraceSize;
extern int32_t WallChangeBraceHardware;
extern int32_t WallChangeBraceDirection;
extern int32_t WallChangeMudWall;
// "改修時両端柱を告示": kept for the whole run, whatever document is open.
extern int32_t RetrofitEndColumnsNotice;

// The edited wall, or none when WallChangeIndex names no live wall.
struct WallRecord;
WallRecord* WallChangeTarget();

// What the dialog's buttons do, without the form.
// Show: the copies from the wall.
void WallChangeLoad();
// OK: the checks with their messages, then one undo snapshot and the record written. False
// when refused: nothing is written and the dialog stays open.
bool WallChangeOk();
// キャンセル, the close box and Escape.
void WallChangeCancel();
// 要素の取得: the copy becomes the current wall input (never the retrofit mark).
void WallChangeGet();
// 要素の貼付: the current wall input becomes the copy.
void WallChangePut();
// 壁の消去 and 手前に表示: one undo snapshot, then the caller removes or moves the wall.
void WallChangeDelete();
void WallChangeBringToFront();

// Shows the wall-change dialog modally; the window installs its form, tests a script. With
// none installed the dialog counts as cancelled.
class WallChangeDialogRunner {
public:
    virtual ~WallChangeDialogRunner() = default;
    virtual void showWallChangeDialog() = 0;
};
void SetWallChangeDialogRunner(WallChangeDialogRunner* runner);

// ---- Wall input ------------------------------------------------------------------------------

// A click on the second node of a wall (nodes are axis indices): places a new wall from the
// current wall input after its checks and questions, or opens the wall-change dialog on the
// wall that joins the two nodes and carries out its result. 1 when the click was handled
// (also after cancel), 0 when nothing was placed. Two equal nodes, or a node off the grid,
// place nothing and ask nothing.
int InputWall(int x1, int y1, int x2, int y2);

// 1 when the two walls cross or share a length, 0 when they only meet at an end, form a T or
// lie apart. Nodes are axis indices.
int SegmentsCrossOrOverlap(int ax1, int ay1, int ax2, int ay2, int bx1, int by1, int bx2, int by2);

// Joint hardware 告示 for every column of the current storey standing at either node (the
// corner rule stays).
void SetEndColumnsNotice(int x1, int y1, int x2, int y2);
