#pragma once
// Foundations, room texts and the centres overlay of the plan. Foundations (基礎) are segments
// between two nodes of the first storey; room texts (文字) stand on one or two nodes and are
// written horizontally, vertically after a leading "@", or, after a leading "*", drawn as the
// north arrow turned by the degrees that follow. The centres overlay shows the centre of
// gravity, the centres of rigidity and the eccentricity boxes of the current storey.
//
// The input is free of Qt and built with the core; the text dialog and the repaint are reached
// through PlanTextInputView, which the window installs and tests script. The plan painter
// (plan/) draws them.
#include <cstddef>
#include <cstdint>
#include <string_view>

// The most bytes of a room text the model file keeps; longer texts are cut on a character.
inline constexpr std::size_t MaxRoomTextBytes = 31;

// What the foundation and text input need of the window.
class PlanTextInputView {
public:
    virtual ~PlanTextInputView() = default;
    // Shows the text dialog modally on App.CurRoomText; true when it closed with OK, which has
    // put the chosen text into App.CurRoomText.
    virtual bool showNameDialog() { return false; }
    // App.CurRoomText was set by the input (a text taken back for correction): the text
    // palette shows it.
    virtual void currentTextChanged() {}
    // Repaint the plan, which recomputes.
    virtual void repaintSheet() {}
};

// The installed view; until one is installed the dialog answers Cancel and repaints are
// dropped.
PlanTextInputView& PlanTextView();
void SetPlanTextInputView(PlanTextInputView* view);

// Sets the current room text (the text palette's edit): at most MaxRoomTextBytes CP932
// bytes, cut on a character boundary.
void SetCurrentRoomText(std::string_view cp932);

// The angle of an orientation mark "*<degrees>": the decimal integer after the "*" (0 when
// none follows), within +-1e6.
int OrientationDegrees(std::string_view text);

// Two clicked nodes of the first storey: removes the foundation joining them or adds one of
// CurFoundationType. 1 when added or removed, 0 when refused.
int InputFoundation(int x1, int y1, int x2, int y2);
// Two clicked nodes (possibly one node twice): takes the text standing on them back into the
// palette, or asks the text dialog for a new one. 1 when handled (a cancelled dialog too), 0
// when refused.
int InputRoomName(int x1, int y1, int x2, int y2);
// The text palette's この階の文字を全消去: after the question, removes every text of the current
// storey of the current scenario as one undo step and marks the document modified. True when
// texts were removed.
bool ClearStoreyRoomTexts();
