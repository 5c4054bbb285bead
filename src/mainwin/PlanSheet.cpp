#include "mainwin/PlanSheet.h"

#include "document/DocumentCommands.h"
#include "document/InputModes.h"
#include "document/Recompute.h"
#include "document/RoofFloor.h"
#include "mainwin/GridAxes.h"
#include "mainwin/SheetHover.h"
#include "mainwin/dialogs/Dyuka.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Model.h"
#include "ports/Canvas.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

// ---------------------------------------------------------------------------------------------
// The widget

namespace {
const char* const ScaleItems[] = {"30", "50", "75", "100", "150", "200"};
constexpr int ScaleItem75 = 2;

// The window's side of the area input: the plan's repaint and the roof/floor palette, whose
// status label tells whether the storey has a largest rectangle.
class WindowRoofFloorView final : public RoofFloorInputView {
public:
    void repaintSheet() override { RepaintPlanSheet(); }
    void largestRectangleChanged() override {
        if (YukaDlg) YukaDlg->ShowLargestRectangle();
    }
};
WindowRoofFloorView roofFloorView;
} // namespace

PlanSheet::PlanSheet(Tvelquor2Form& form) : PaintBox(nullptr) {
    setPainter([&form](Canvas& canvas) { return form.SheetPaint(canvas); });
    setOverlayPainter([&form](Canvas& canvas) { form.SheetOverlayPaint(canvas); });
    setOverlayArea(HoverOverlayArea);
    setAfterPaint([&form](bool planDrawn) { form.SheetPainted(planDrawn); });
    setMouseMove([&form](const BoxMouse& m) { form.SheetMouseMove(m.x, m.y); });
    setMouseUp([&form](const BoxMouse& m) { form.SheetMouseUp(m.button, m.modifiers, m.x, m.y); });
    setMouseLeave([&form] { form.SheetMouseLeave(); });
    SetRoofFloorInputView(&roofFloorView);

    // The sheet brings its scale box along, at the right of the status bar.
    if (form.StatusBar && !form.SCALE) {
        auto* caption = new QLabel(QStringLiteral("縮尺 1/"), form.StatusBar);
        form.SCALE = new QComboBox(form.StatusBar);
        form.SCALE->setObjectName(QStringLiteral("SCALE"));
        form.SCALE->setEditable(true);
        form.SCALE->setInsertPolicy(QComboBox::NoInsert);
        for (const char* item : ScaleItems) form.SCALE->addItem(QString::fromLatin1(item));
        form.SCALE->setCurrentIndex(ScaleItem75);
        form.StatusBar->addPermanentWidget(caption);
        form.StatusBar->addPermanentWidget(form.SCALE);
        BindComboChoice(form.SCALE, [&form] { form.SCALEChange(); });
    }
}

// ---------------------------------------------------------------------------------------------
// The window's side of the sheet

namespace {

// The window as the dispatch sees it.
class WindowInputUnits final : public PlanInputUnits {
public:
    explicit WindowInputUnits(Tvelquor2Form& form) : form_(form) {}
    void refreshToolDialog() override { form_.RefreshToolDialog(); }
    void repaint() override { form_.Sheet->invalidate(); }
    void gridChanged() override { form_.SizeSheetToGrid(); }

private:
    Tvelquor2Form& form_;
};

void ShowScaleText(QComboBox* scale) {
    const QString text = QString::number(App.ScaleDenominator);
    const int index = scale->findText(text);
    if (index >= 0)
        scale->setCurrentIndex(index);
    else
        scale->setEditText(text);
}

} // namespace

void Tvelquor2Form::ResizeSheet() {
    QScrollBar* vertical = Gamen->verticalScrollBar();
    QScrollBar* horizontal = Gamen->horizontalScrollBar();
    const int oldSpanV = Sheet->height() - Gamen->viewport()->height();
    const int oldSpanH = Sheet->width() - Gamen->viewport()->width();
    const int oldV = vertical->value();
    const int oldH = horizontal->value();

    if (SCALE) {
        int denominator = 0;
        if (ParseScale(SCALE->currentText().trimmed().toStdString(), denominator))
            SetScale(denominator);
        else
            ShowScaleText(SCALE); // refused: the box shows the scale still in force
    }
    SizeSheetToGrid();

    const int newSpanV = Sheet->height() - Gamen->viewport()->height();
    const int newSpanH = Sheet->width() - Gamen->viewport()->width();
    SheetScrollV = ProportionalScroll(oldV, oldSpanV, newSpanV);
    SheetScrollH = ProportionalScroll(oldH, oldSpanH, newSpanH);
    vertical->setValue(SheetScrollV);
    horizontal->setValue(SheetScrollH);

    App.ClickStep = 0;
    Sheet->invalidate();
}

void Tvelquor2Form::SCALEChange() {
    ResizeSheet();
}

void Tvelquor2Form::setScaleItem(int index) {
    if (SCALE) SCALE->setCurrentIndex(ClampIndex(index, std::size(ScaleItems)));
}

void Tvelquor2Form::SheetMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x,
                                 int y) {
    (void)shift;
    SheetButton b;
    switch (button) {
    case Qt::LeftButton:
        b = SheetButton::Left;
        break;
    case Qt::RightButton:
        b = SheetButton::Right;
        break;
    case Qt::MiddleButton:
        b = SheetButton::Middle;
        break;
    default:
        return;
    }
    WindowInputUnits units(*this);
    DispatchSheetMouseUp(units, b, x, y);
}

void Tvelquor2Form::DocumentChanged() {
    MarkDocumentChanged();
    Sheet->invalidate();
}

void Tvelquor2Form::GridChanged() {
    SizeSheetToGrid();
    DocumentChanged();
}

void Tvelquor2Form::QueueRecomputeNotices() {
    if (RecomputeNoticesQueued) return;
    RecomputeNoticesQueued = true;
    QTimer::singleShot(0, this, [this] {
        RecomputeNoticesQueued = false;
        // A repaired grid may have another size.
        SizeSheetToGrid();
        ShowRecomputeNotices();
        Sheet->invalidate();
    });
}

// ---------------------------------------------------------------------------------------------
// Dispatch of a mouse release

int PlanInputUnits::inputColumn(int x, int y) {
    return InputColumn(x, y);
}
int PlanInputUnits::inputWall(int x1, int y1, int x2, int y2) {
    return InputWall(x1, y1, x2, y2);
}
int PlanInputUnits::inputRoofFloorRect(int x1, int y1, int x2, int y2) {
    return InputRoofFloorRect(x1, y1, x2, y2);
}
int PlanInputUnits::inputRoofFloorTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
    return InputRoofFloorTriangle(x1, y1, x2, y2, x3, y3);
}
int PlanInputUnits::inputFloorSpecRect(int x1, int y1, int x2, int y2) {
    return InputFloorSpecRect(x1, y1, x2, y2);
}
int PlanInputUnits::inputFloorSpecTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
    return InputFloorSpecTriangle(x1, y1, x2, y2, x3, y3);
}
int PlanInputUnits::inputRoomName(int x1, int y1, int x2, int y2) {
    return InputRoomName(x1, y1, x2, y2);
}
int PlanInputUnits::inputFoundation(int x1, int y1, int x2, int y2) {
    return InputFoundation(x1, y1, x2, y2);
}
int PlanInputUnits::inputFreeLine(int x1, int y1, int x2, int y2) {
    return InputFreeLine(x1, y1, x2, y2);
}
int PlanInputUnits::editAxis(int ix, int iy, int px, int py) {
    return EditAxis(ix, iy, px, py);
}

namespace {

// The hovered record of the current plan, when the index names a live one.
template <typename Rec, std::size_t Cap>
const Rec* Hovered(const int32_t (&counts)[ModelSlots][Storeys],
                   const Rec (&records)[ModelSlots][Storeys][Cap], int index) {
    const int s = ClampIndex(App.CurrentScenario, Scenarios);
    const int f = ClampIndex(App.CurrentStorey, Storeys);
    const int n = std::clamp<int32_t>(counts[s][f], 0, static_cast<int32_t>(Cap));
    return index >= 0 && index < n ? &records[s][f][index] : nullptr;
}

// The end of every handled release: the figure is done and the hover mark waits for the
// pointer to move. Only a click that changed the document marks it modified: a refused or
// empty click must not make closing ask to save an unchanged house.
void Handled(PlanInputUnits& units, bool changed) {
    App.ClickStep = 0;
    if (changed) App.Modified = 1;
    App.HoverState = 2;
    MarkDocumentChanged();
    units.repaint();
}

// A right click outside axis mode: the marked element goes back to its unit, which opens
// its change dialog or removes it.
void RightClick(PlanInputUnits& u) {
    const PlanInputState& in = PlanInput;
    int changed = 0;
    if (App.ClickStep != 0) u.repaint(); // drops the rubber band
    const int hover = App.HoverState;
    const Document& d = Doc;
    switch (App.InputMode) {
    case ModeColumns:
        if (hover == 1) changed = u.inputColumn(in.PickedAxisX, in.PickedAxisY);
        break;
    case ModeWalls:
        if (hover == 1)
            if (const auto* w = Hovered(d.WallCount, d.Walls, in.HoverIndex))
                changed = u.inputWall(w->x1, w->y1, w->x2, w->y2);
        break;
    case ModeRoofFloor:
        if (hover == 1) {
            if (const auto* r = Hovered(d.RoofFloorRectCount, d.RoofFloorRects, in.HoverIndex))
                changed = u.inputRoofFloorRect(r->x1, r->y1, r->x2, r->y2);
        } else if (hover == 3) {
            if (const auto* t =
                    Hovered(d.RoofFloorTriCount, d.RoofFloorTris, in.HoverTriangleIndex))
                changed = u.inputRoofFloorTriangle(t->x1, t->y1, t->x2, t->y2, t->x3, t->y3);
        }
        break;
    case ModeFloorSpec:
        if (hover == 1) {
            if (const auto* r = Hovered(d.FloorSpecRectCount, d.FloorSpecRects, in.HoverIndex))
                changed = u.inputFloorSpecRect(r->x1, r->y1, r->x2, r->y2);
        } else if (hover == 3) {
            if (const auto* t =
                    Hovered(d.FloorSpecTriCount, d.FloorSpecTris, in.HoverTriangleIndex))
                changed = u.inputFloorSpecTriangle(t->x1, t->y1, t->x2, t->y2, t->x3, t->y3);
        }
        break;
    case ModeTexts:
        if (hover == 1)
            if (const auto* r = Hovered(d.RoomTextCount, d.RoomTexts, in.HoverIndex))
                changed = u.inputRoomName(r->x1, r->y1, r->x2, r->y2);
        break;
    case ModeFoundations:
        if (hover == 1)
            if (const auto* r = Hovered(d.FoundationCount, d.Foundations, in.HoverIndex))
                changed = u.inputFoundation(r->x1, r->y1, r->x2, r->y2);
        break;
    case ModeFreeLines:
        if (hover == 1)
            if (const auto* r = Hovered(d.FreeLineCount, d.FreeLines, in.HoverIndex))
                changed = u.inputFreeLine(r->x1, r->y1, r->x2, r->y2);
        break;
    default:
        break;
    }
    Handled(u, changed != 0);
}

// Axis mode: any button. Left adds or changes an interval (modes 0..3) or steps the kinds of
// the axes under the pointer (mode 4); right deletes them (mode 4).
void AxisClick(PlanInputUnits& u, SheetButton button, double x, double y, int px, int py) {
    const int mode = App.AxisEditMode;
    PlanInputState& in = PlanInput;
    if (mode == AxisModeDelete) {
        const double t = AxisPickTolerance();
        in.PickedAxisX = NearAxis(Doc.AxisX, x, t);
        in.PickedAxisY = NearAxis(Doc.AxisY, y, t);
    } else {
        in.PickedAxisX = GapAxis(Doc.AxisX, x);
        in.PickedAxisY = GapAxis(Doc.AxisY, y);
    }
    bool changed = false;
    const bool editMode = mode >= AxisModeAddX && mode <= AxisModeChangeY;
    if ((button == SheetButton::Left && editMode) ||
        (button == SheetButton::Right && mode == AxisModeDelete))
        changed = u.editAxis(in.PickedAxisX, in.PickedAxisY, px, py) != 0;
    else if (button == SheetButton::Left && mode == AxisModeDelete)
        changed = StepAxisKinds(in.PickedAxisX, in.PickedAxisY);
    if (changed) u.gridChanged();
    Handled(u, changed);
}

// Completes the figure whose last node is due with the node just picked; false when none is.
// `changed` tells whether the unit changed the document.
bool CompleteFigure(PlanInputUnits& u, bool& changed) {
    const PlanInputState& in = PlanInput;
    const int x = in.PickedAxisX, y = in.PickedAxisY;
    const int x1 = in.ClickNode1X, y1 = in.ClickNode1Y;
    const int x2 = in.ClickNode2X, y2 = in.ClickNode2Y;
    const int step = App.ClickStep;
    const bool triangle = App.CurAreaShape != 0;
    switch (App.InputMode) {
    case ModeWalls:
        if (step != 1) return false;
        // Twice on one node in wall mode places or edits a column.
        if (x == x1 && y == y1)
            changed = u.inputColumn(x, y) != 0;
        else
            changed = u.inputWall(x1, y1, x, y) != 0;
        return true;
    case ModeRoofFloor:
        if (!triangle && step == 1)
            changed = u.inputRoofFloorRect(x1, y1, x, y) != 0;
        else if (triangle && step == 2)
            changed = u.inputRoofFloorTriangle(x1, y1, x2, y2, x, y) != 0;
        else
            return false;
        return true;
    case ModeFloorSpec:
        if (!triangle && step == 1)
            changed = u.inputFloorSpecRect(x1, y1, x, y) != 0;
        else if (triangle && step == 2)
            changed = u.inputFloorSpecTriangle(x1, y1, x2, y2, x, y) != 0;
        else
            return false;
        return true;
    case ModeTexts:
        if (step != 1) return false;
        changed = u.inputRoomName(x1, y1, x, y) != 0;
        return true;
    case ModeFoundations:
        if (step != 1) return false;
        changed = u.inputFoundation(x1, y1, x, y) != 0;
        return true;
    case ModeFreeLines:
        if (step != 1) return false;
        changed = u.inputFreeLine(x1, y1, x, y) != 0;
        return true;
    default:
        return false;
    }
}

// A left click that does not complete a figure records its node.
void RecordNode(PlanInputUnits& u) {
    PlanInputState& in = PlanInput;
    const int mode = App.InputMode;
    const bool entersFigures = mode >= ModeWalls && mode <= ModeFreeLines;
    if (entersFigures) {
        const int nx = NodePixelX(in.PickedAxisX);
        const int ny = NodePixelY(in.PickedAxisY);
        int* rb = in.RubberBandPixels;
        switch (App.ClickStep) {
        case 0:
            in.ClickNode1X = in.PickedAxisX;
            in.ClickNode1Y = in.PickedAxisY;
            App.HoverState = 0;
            u.repaint();
            rb[0] = rb[2] = rb[4] = nx;
            rb[1] = rb[3] = rb[5] = ny;
            break;
        case 1:
            in.ClickNode2X = in.PickedAxisX;
            in.ClickNode2Y = in.PickedAxisY;
            rb[2] = rb[4] = nx;
            rb[3] = rb[5] = ny;
            break;
        default:
            rb[4] = nx;
            rb[5] = ny;
            break;
        }
    }
    App.ClickStep = App.ClickStep + 1 >= 3 ? 0 : App.ClickStep + 1;
}

} // namespace

void DispatchSheetMouseUp(PlanInputUnits& units, SheetButton button, int px, int py) {
    units.refreshToolDialog();
    if (App.ClickStep < 0 || App.ClickStep > 2) App.ClickStep = 0;
    const double x = SheetMetresX(px);
    const double y = SheetMetresY(py);
    PlanInput.PickedAxisX = CatchmentAxis(Doc.AxisX, x);
    PlanInput.PickedAxisY = CatchmentAxis(Doc.AxisY, y);

    const int mode = App.InputMode;
    if (button == SheetButton::Right && mode != ModeAxes) {
        RightClick(units);
        return;
    }
    if (mode == ModeAxes) {
        AxisClick(units, button, x, y, px, py);
        return;
    }
    if (mode == ModeColumns) {
        Handled(units, units.inputColumn(PlanInput.PickedAxisX, PlanInput.PickedAxisY) != 0);
        return;
    }
    bool changed = false;
    if (CompleteFigure(units, changed)) {
        Handled(units, changed);
        return;
    }
    if (button == SheetButton::Left) RecordNode(units);
}

// ---------------------------------------------------------------------------------------------
// Layers

int PlanLayerOrder(PlanLayer (&out)[MaxPlanLayers]) {
    int n = 0;
    auto add = [&](PlanLayer layer) {
        if (n < MaxPlanLayers) out[n++] = layer;
    };
    const DisplayOptions& o = App.Options;
    if (Doc.FoundationFloorSpec.uniformFoundation == 0 && o.ShowOtherStoreyWalls == 0)
        add(PlanLayer::Foundations);
    add(PlanLayer::RoofFloorAreas);
    add(PlanLayer::OtherStoreyWalls);
    add(PlanLayer::OtherStoreyColumns);
    add(PlanLayer::Walls);
    add(PlanLayer::Columns);
    if (Doc.DiagnosisMethod != MethodGeneralApprox) add(PlanLayer::GravityCentres);
    add(PlanLayer::RoomNames);
    add(PlanLayer::FreeLines);
    if (App.InputMode == ModeRoofFloor) add(PlanLayer::RoofFloorAreas); // on top while entered
    add(PlanLayer::FloorSpecs);
    if (App.CurrentStorey == 0 && App.InputMode == ModeFoundations) {
        // Foundations of the first storey are entered against the walls standing on them.
        add(PlanLayer::Foundations);
        add(PlanLayer::OtherStoreyWalls);
        add(PlanLayer::OtherStoreyColumns);
    }
    return n;
}

namespace {
void DrawLayer(Canvas& canvas, PlanLayer layer) {
    switch (layer) {
    case PlanLayer::Foundations:
        return DrawFoundations(canvas);
    case PlanLayer::RoofFloorAreas:
        return DrawRoofFloorAreas(canvas);
    case PlanLayer::OtherStoreyWalls:
        return DrawOtherStoreyWalls(canvas);
    case PlanLayer::OtherStoreyColumns:
        return DrawOtherStoreyColumns(canvas);
    case PlanLayer::Walls:
        return DrawWalls(canvas);
    case PlanLayer::Columns:
        return DrawColumns(canvas);
    case PlanLayer::GravityCentres:
        return DrawGravityCentres(canvas);
    case PlanLayer::RoomNames:
        return DrawRoomNames(canvas);
    case PlanLayer::FreeLines:
        return DrawFreeLines(canvas);
    case PlanLayer::FloorSpecs:
        return DrawFloorSpecs(canvas);
    }
}
} // namespace

void DrawPlanSheet(Canvas& canvas, int sheetWidth, int sheetHeight) {
    DrawGridLines(canvas, sheetWidth, sheetHeight);
    DrawAxes(canvas);
    PlanLayer layers[MaxPlanLayers];
    const int n = PlanLayerOrder(layers);
    for (int i = 0; i < n; ++i) DrawLayer(canvas, layers[i]);
}
