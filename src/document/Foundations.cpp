#include "document/Foundations.h"

#include "document/StoreyList.h"
#include "document/UndoableEdit.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/ModelFileLayout.h"

static_assert(MaxRoomTextBytes == modelfile::RoomTextSlot);

namespace {

PlanTextInputView silentView;
PlanTextInputView* currentView = &silentView;

const char* const FoundationStoreyText =
    "基礎は１階のみ入力出来ます。\n\n入力階を１階にして下さい。";
const char* const FoundationCaption = "基礎入力エラー";
const char* const SecondMarkText =
    "方位は一つのみ入力出来ます。\n\n入力済みの方位を消去して下さい。";
const char* const OtherMarkText = "他階の方位が異なります。\n\n確認して下さい。";
const char* const MarkCaption = "方位入力エラー";

bool SamePair(int32_t a1, int32_t a2, int32_t b1, int32_t b2) {
    return (a1 == b1 && a2 == b2) || (a1 == b2 && a2 == b1);
}

int Scenario() {
    return ClampIndex(App.CurrentScenario, Scenarios);
}

StoreyList<RoomTextRecord, MaxRoomTexts> TextsOf(int storey) {
    const int f = ClampIndex(storey, Storeys);
    return {Doc.RoomTextCount[Scenario()][f], Doc.RoomTexts[Scenario()][f]};
}

bool IsMark(const RoomTextRecord& r) {
    return r.text.bytes[0] == '*';
}

// The storey whose north an orientation mark must agree with: the first and second storeys
// with each other, the third with the second.
int PartnerStorey(int storey) {
    return storey == 0 ? 1 : (storey == 1 ? 0 : 1);
}

int Refuse(const char* text) {
    Messages().ask(text, MarkCaption, MsgButtons::Ok, MsgIcon::Stop);
    PlanTextView().repaintSheet();
    return 0;
}

} // namespace

PlanTextInputView& PlanTextView() {
    return *currentView;
}

void SetPlanTextInputView(PlanTextInputView* view) {
    currentView = view ? view : &silentView;
}

void SetCurrentRoomText(std::string_view cp932) {
    App.CurRoomText.assign(cp932.substr(0, cp932::prefixOnBoundary(cp932, MaxRoomTextBytes)));
}

int OrientationDegrees(std::string_view text) {
    if (!text.empty() && text[0] == '*') text.remove_prefix(1);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < 1000000) value = value * 10 + (text[i] - '0');
    if (value > 1000000) value = 1000000;
    return static_cast<int>(negative ? -value : value);
}

int InputFoundation(int x1, int y1, int x2, int y2) {
    if ((x1 == x2 && y1 == y2) || !OnGrid(x1, y1) || !OnGrid(x2, y2)) {
        PlanTextView().repaintSheet();
        return 0;
    }
    if (App.CurrentStorey != 0) {
        Messages().ask(FoundationStoreyText, FoundationCaption, MsgButtons::Ok, MsgIcon::Stop);
        PlanTextView().repaintSheet();
        return 0;
    }
    StoreyList<FoundationRecord, MaxFoundations> list{Doc.FoundationCount[Scenario()][0],
                                                      Doc.Foundations[Scenario()][0]};
    for (int i = 0; i < list.live(); ++i) {
        const FoundationRecord& r = list.records[i];
        if (!((r.x1 == x1 && r.y1 == y1 && r.x2 == x2 && r.y2 == y2) ||
              (r.x1 == x2 && r.y1 == y2 && r.x2 == x1 && r.y2 == y1)))
            continue;
        UndoableEdit edit;
        list.remove(i);
        PlanTextView().repaintSheet();
        return 1;
    }
    if (list.full()) return 0;
    UndoableEdit edit;
    list.append({x1, y1, x2, y2, App.CurFoundationType});
    PlanTextView().repaintSheet();
    return 1;
}

int InputRoomName(int x1, int y1, int x2, int y2) {
    if (!OnGrid(x1, y1) || !OnGrid(x2, y2)) return 0;
    const int storey = ClampIndex(App.CurrentStorey, Storeys);
    auto texts = TextsOf(storey);
    for (int i = 0; i < texts.live(); ++i) {
        const RoomTextRecord& r = texts.records[i];
        if (!SamePair(r.x1, r.x2, x1, x2) || !SamePair(r.y1, r.y2, y1, y2)) continue;
        // Taken back into the palette, so that clicking the nodes again re-enters it corrected.
        UndoableEdit edit;
        SetCurrentRoomText(r.text.view());
        PlanTextView().currentTextChanged();
        texts.remove(i);
        PlanTextView().repaintSheet();
        return 1;
    }
    if (texts.full()) return 0;
    if (!PlanTextView().showNameDialog()) {
        PlanTextView().repaintSheet();
        return 0; // cancelled: nothing placed, nothing to save
    }
    RoomTextRecord added{};
    added.x1 = x1, added.y1 = y1, added.x2 = x2, added.y2 = y2;
    // The model file keeps 31 bytes: a longer text is cut here, on a whole character, rather
    // than in the middle of one when it is saved.
    added.text.set(std::string_view(App.CurRoomText)
                       .substr(0, cp932::prefixOnBoundary(App.CurRoomText, MaxRoomTextBytes)));
    if (IsMark(added)) {
        for (int i = 0; i < texts.live(); ++i)
            if (IsMark(texts.records[i])) return Refuse(SecondMarkText);
        auto partner = TextsOf(PartnerStorey(storey));
        for (int i = 0; i < partner.live(); ++i) {
            const RoomTextRecord& other = partner.records[i];
            if (IsMark(other) && other.text.view() != added.text.view())
                return Refuse(OtherMarkText);
        }
    }
    UndoableEdit edit;
    texts.append(added);
    PlanTextView().repaintSheet();
    return 1;
}
bool ClearStoreyRoomTexts() {
    if (Messages().ask("この階の全ての室名等を消去します。\n\n本当に消去しますか？",
                       "全て消去の確認", MsgButtons::YesNo, MsgIcon::Information) != MsgAnswer::Yes)
        return false;
    auto texts = TextsOf(ClampIndex(App.CurrentStorey, Storeys));
    if (texts.live() == 0) return false;
    // Its own undo step, and the document counts as changed: an undo brings the texts back,
    // and closing asks to save.
    UndoableEdit edit;
    texts.count = 0;
    App.Modified = 1;
    return true;
}
