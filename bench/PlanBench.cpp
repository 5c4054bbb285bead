// One frame of the plan: the recompute step and the drawing of a full-capacity model at 1/75
// into an image the size of a large plan view. Needs Qt (the image and its painter), so it has
// its own executable, velquor_gui_bench.
#include "document/Hover.h"
#include "document/Recompute.h"
#include "mainwin/GridAxes.h"
#include "mainwin/PlanSheet.h"
#include "mainwin/SheetHover.h"
#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "support/DiagnosisCapacityModel.h"
#include "ui/Fonts.h"
#include "ui/PaintBox.h"
#include "ui/QtCanvas.h"
#include "ui/ScrollBarStyle.h"
#include "ui/StatusHints.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <memory>

namespace {

template <typename Rec, std::size_t Cap, typename Make>
void Fill(int32_t (&counts)[ModelSlots][Storeys], Rec (&records)[ModelSlots][Storeys][Cap], int s,
          int f, Make make) {
    for (std::size_t i = 0; i < Cap; ++i) records[s][f][i] = make(static_cast<int>(i));
    counts[s][f] = static_cast<int32_t>(Cap);
}

// Every list of every scenario and storey at its capacity, on the 0.91 m grid, nodes between
// axes 10 and 40 (a 27 m square house: far more than any real one).
void FullCapacityModel() {
    static const std::unique_ptr<const Document> blank = std::make_unique<Document>();
    Doc = *blank;
    App = AppState{};
    Grid = GridState{};
    Doc.Module = 0.91;
    for (int i = 0; i < AxisCountX; ++i) Doc.AxisX[i] = Doc.AxisY[i] = i * 0.91;
    Doc.DiagnosisMethod = 1;
    unsigned seed = 12345;
    auto next = [&seed](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + static_cast<int>((seed >> 16) % static_cast<unsigned>(hi - lo + 1));
    };
    Document& d = Doc;
    for (int s = 0; s < Scenarios; ++s) {
        d.StoreyData.topStorey[s] = 2;
        for (int f = 0; f < Storeys; ++f) {
            Fill(d.ColumnCount, d.Columns, s, f, [&](int) {
                return ColumnRecord{next(10, 40), next(10, 40), 1, 2, 0};
            });
            Fill(d.WallCount, d.Walls, s, f, [&](int i) {
                WallRecord w{};
                w.x1 = next(10, 39), w.y1 = next(10, 39);
                w.x2 = w.x1 + (i % 2), w.y2 = w.y1 + 1 - (i % 2);
                w.bracing = i % 2 ? 67 : 14;
                w.panelL = i % 3 ? 6 : 0;
                w.deterioration = 2;
                return w;
            });
            Fill(d.RoofFloorRectCount, d.RoofFloorRects, s, f, [&](int i) {
                return RoofFloorRectRecord{next(10, 20), next(10, 20), next(21, 40), next(21, 40),
                                           i % 6};
            });
            Fill(d.RoofFloorTriCount, d.RoofFloorTris, s, f, [&](int i) {
                return RoofFloorTriRecord{10, 10, next(21, 40), 10, 10, next(21, 40), i % 6};
            });
            Fill(d.FloorSpecRectCount, d.FloorSpecRects, s, f, [&](int i) {
                return FloorSpecRectRecord{next(10, 20), next(10, 20), next(21, 40), next(21, 40),
                                           i % 17};
            });
            Fill(d.FloorSpecTriCount, d.FloorSpecTris, s, f, [&](int i) {
                return FloorSpecTriRecord{10, 10, next(21, 40), 10, 10, next(21, 40), i % 17};
            });
            Fill(d.RoomTextCount, d.RoomTexts, s, f, [&](int) {
                RoomTextRecord r{};
                r.x1 = next(10, 40), r.y1 = next(10, 40), r.x2 = next(10, 40), r.y2 = next(10, 40);
                r.text.set("LDK");
                return r;
            });
            Fill(d.FoundationCount, d.Foundations, s, f, [&](int i) {
                const int x = next(10, 39), y = next(10, 39);
                return FoundationRecord{x, y, x + 1, y, i % 3};
            });
            Fill(d.FreeLineCount, d.FreeLines, s, f, [&](int) {
                return FreeLineRecord{
                    next(10, 40), next(10, 40), next(10, 40), next(10, 40), 0, 0, 0, 0, 0, 0};
            });
        }
    }
    MarkDocumentReplaced();
}

// The view: 1600 x 1000 pixels of the sheet, over the data (from axis 8 on).
constexpr int ViewWidth = 1600;
constexpr int ViewHeight = 1000;

void DrawView(QImage& image) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-NodePixelX(8), -NodePixelY(8));
    QtCanvas canvas(painter);
    DrawPlanSheet(canvas, SheetWidthPixels(), SheetHeightPixels());
}

void BM_Recompute(benchmark::State& state) {
    FullCapacityModel();
    for (auto _ : state) {
        MarkDocumentChanged();
        EnsureRecomputed();
    }
}
BENCHMARK(BM_Recompute)->Unit(benchmark::kMillisecond);

void BM_DrawPlanView(benchmark::State& state) {
    FullCapacityModel();
    EnsureRecomputed();
    QImage image(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state) DrawView(image);
}
BENCHMARK(BM_DrawPlanView)->Unit(benchmark::kMillisecond);

// One repaint after an edit: what the goal of one frame (16 ms) is about.
void BM_RecomputeAndDrawPlanView(benchmark::State& state) {
    FullCapacityModel();
    QImage image(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        MarkDocumentChanged();
        EnsureRecomputed();
        DrawView(image);
    }
}
BENCHMARK(BM_RecomputeAndDrawPlanView)->Unit(benchmark::kMillisecond);

// The same frame for the full house of the diagnosis benchmark (every branch of the wall
// evaluation, three storeys on a 1 m grid).
void BM_RecomputeAndDrawCapacityHouse(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    MarkDocumentReplaced();
    QImage image(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        MarkDocumentChanged();
        EnsureRecomputed();
        DrawView(image);
    }
}
BENCHMARK(BM_RecomputeAndDrawCapacityHouse)->Unit(benchmark::kMillisecond);

void BM_RecomputeCapacityHouse(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    MarkDocumentReplaced();
    for (auto _ : state) {
        MarkDocumentChanged();
        EnsureRecomputed();
    }
}
BENCHMARK(BM_RecomputeCapacityHouse)->Unit(benchmark::kMillisecond);

void BM_DrawCapacityHouse(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    MarkDocumentReplaced();
    EnsureRecomputed();
    QImage image(ViewWidth, ViewHeight, QImage::Format_RGB32);
    for (auto _ : state) DrawView(image);
}
BENCHMARK(BM_DrawCapacityHouse)->Unit(benchmark::kMillisecond);

// A pointer move over the drawn plan: the sheet (a paint box in its scroll box, the view over
// the data) puts an xor mark at the pointer as its overlay. Argument 0 copies the whole view
// again for each move, 1 only the old and the new place of the mark. The plan is neither
// recomputed nor drawn again.
void BM_PointerMoveOverPlan(benchmark::State& state) {
    FullCapacityModel();
    QScrollArea view;
    view.resize(ViewWidth, ViewHeight);
    auto* sheet = new PaintBox;
    sheet->resize(SheetWidthPixels(), SheetHeightPixels());
    sheet->setPainter([](Canvas& canvas) {
        EnsureRecomputed();
        DrawPlanSheet(canvas, SheetWidthPixels(), SheetHeightPixels());
        return CanvasSize{};
    });
    const bool markOnly = state.range(0) == 1;
    QRect mark;
    sheet->setMouseMove([&](const BoxMouse& m) {
        const QRect old = mark;
        mark = QRect(m.x - 20, m.y - 3, 40, 6);
        if (markOnly)
            sheet->invalidateOverlay(old | mark);
        else
            sheet->invalidateOverlay();
    });
    sheet->setOverlayPainter([&](Canvas& canvas) {
        canvas.setPen(0xFFFF00, 1, PenStyle::Solid, PenMode::Xor);
        canvas.setBrushColour(0xFFFF00);
        canvas.rectangle(mark.left(), mark.top(), mark.right() + 1, mark.bottom() + 1);
    });
    view.setWidget(sheet);
    view.show();
    view.horizontalScrollBar()->setValue(NodePixelX(8));
    view.verticalScrollBar()->setValue(NodePixelY(8));
    QCoreApplication::processEvents();
    sheet->repaint();
    const int drawn = sheet->contentPaints();
    int i = 0;
    for (auto _ : state) {
        const QPointF at = sheet->mapFrom(view.viewport(), QPointF(100 + i % 1300, 100 + i % 700));
        ++i;
        QMouseEvent move(QEvent::MouseMove, at, sheet->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(sheet, &move);
        QCoreApplication::processEvents(); // the update the move asked for
    }
    if (sheet->contentPaints() != drawn) state.SkipWithError("the plan was drawn again");
}
BENCHMARK(BM_PointerMoveOverPlan)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Two points of the view over elements of the current mode, far apart: the first that marks
// something in a scan of the view in steps of 10 pixels, and the marking one farthest from it.
// False when the mode marks nothing in the view.
bool FindMarkedPoints(QScrollArea& view, PaintBox& sheet, QPointF (&points)[2]) {
    bool found = false;
    double farthest = -1;
    for (int y = 10; y < ViewHeight - 10; y += 10)
        for (int x = 10; x < ViewWidth - 10; x += 10) {
            const QPointF at = sheet.mapFrom(view.viewport(), QPointF(x, y));
            HoverMove(static_cast<int>(at.x()), static_cast<int>(at.y()));
            if (App.HoverState == 0) continue;
            const QPointF inView(x, y);
            if (!found) {
                points[0] = points[1] = inView;
                found = true;
            }
            const QPointF d = inView - points[0];
            const double distance = d.x() * d.x() + d.y() * d.y();
            if (distance > farthest) farthest = distance, points[1] = inView;
        }
    HoverLeave();
    return found;
}

// A pointer move over a house in input mode n (0 axes .. 7 free lines) as the window handles
// it: the hit test, the overlay drawn again at the old and the new place of the mark, and the
// status text set and painted when it changed. The plan is neither recomputed nor drawn again.
// Arguments: the mode; the house (0 every list at capacity, 1 the full house of the diagnosis
// benchmark); the path (0 across the view in steps of 7 pixels, from element to element and
// within one; 1 to and fro between two far points over elements of the mode, so that the mark
// moves across the view with every step).
void BM_HoverMoveOverHouse(benchmark::State& state) {
    // The view starts at axis 8 over the stress model, at axis 0 over the full house (which
    // lies on axes 1 to 20 and 1 to 10).
    int firstAxis = 8;
    if (state.range(1) == 0) {
        FullCapacityModel();
    } else {
        capacity::BuildFullCapacityHouse();
        // Its texts and free lines too, which the diagnosis does not read.
        for (int f = 0; f < Storeys; ++f) {
            for (int i = 0; i < MaxRoomTexts; ++i) {
                RoomTextRecord& r = Doc.RoomTexts[0][f][i];
                r = RoomTextRecord{1 + i % 19, 1 + i / 19 % 10, 2 + i % 19, 1 + i / 19 % 10, {}};
                r.text.set("LDK");
            }
            Doc.RoomTextCount[0][f] = MaxRoomTexts;
            for (int i = 0; i < MaxFreeLines; ++i) {
                FreeLineRecord& l = Doc.FreeLines[0][f][i];
                l = FreeLineRecord{};
                l.x1 = 1 + i % 20, l.y1 = 1 + i / 20 % 10;
                l.x2 = 1 + (i + 3) % 20, l.y2 = 1 + (i + 7) / 20 % 10;
            }
            Doc.FreeLineCount[0][f] = MaxFreeLines;
        }
        MarkDocumentReplaced();
        firstAxis = 0;
    }
    EnsureRecomputed();
    App.InputMode = static_cast<int32_t>(state.range(0));
    App.ClickStep = 0;
    App.HoverState = 0;
    const bool toAndFro = state.range(2) == 1;
    QStatusBar bar;
    bar.resize(ViewWidth, 24);
    bar.show();
    InstallStatusHints(&bar);
    QScrollArea view;
    view.resize(ViewWidth, ViewHeight);
    auto* sheet = new PaintBox;
    sheet->resize(SheetWidthPixels(), SheetHeightPixels());
    sheet->setPainter([](Canvas& canvas) {
        EnsureRecomputed();
        DrawPlanSheet(canvas, SheetWidthPixels(), SheetHeightPixels());
        return CanvasSize{};
    });
    sheet->setMouseMove([sheet](const BoxMouse& m) { HoverOnSheet(*sheet, m.x, m.y); });
    sheet->setOverlayPainter([](Canvas& canvas) { DrawHoverOverlay(canvas); });
    sheet->setOverlayArea(HoverOverlayArea);
    view.setWidget(sheet);
    view.show();
    view.horizontalScrollBar()->setValue(NodePixelX(firstAxis));
    view.verticalScrollBar()->setValue(NodePixelY(firstAxis));
    QCoreApplication::processEvents();
    sheet->repaint();
    QPointF far[2];
    if (toAndFro && !FindMarkedPoints(view, *sheet, far)) {
        InstallStatusHints(nullptr);
        state.SkipWithError("no element of the mode under the view");
        return;
    }
    const int drawn = sheet->contentPaints();
    int i = 0, marked = 0;
    qint64 slowest = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        const int step = 7 * i++;
        const QPointF inView =
            toAndFro ? far[i % 2] : QPointF(100 + step % 1300, 100 + (step / 1300) % 700);
        const QPointF at = sheet->mapFrom(view.viewport(), inView);
        QMouseEvent move(QEvent::MouseMove, at, sheet->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(sheet, &move);
        QCoreApplication::processEvents(); // the overlay's repaint
        marked += App.HoverState != 0;
        if (i > 2) slowest = std::max(slowest, clock.nsecsElapsed());
    }
    InstallStatusHints(nullptr);
    if (toAndFro && marked != i) state.SkipWithError("a move between the points marked nothing");
    state.counters["marked"] = benchmark::Counter(marked, benchmark::Counter::kAvgIterations);
    state.counters["slowest_us"] = static_cast<double>(slowest) / 1000.0;
    if (sheet->contentPaints() != drawn) state.SkipWithError("the plan was drawn again");
}
BENCHMARK(BM_HoverMoveOverHouse)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 7, 1), {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// What every paint pays to learn that nothing changed.
void BM_UnchangedCheck(benchmark::State& state) {
    capacity::BuildFullCapacityHouse();
    MarkDocumentReplaced();
    EnsureRecomputed();
    for (auto _ : state) benchmark::DoNotOptimize(RecomputeNeeded());
}
BENCHMARK(BM_UnchangedCheck)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InstallFontSubstitutions();
    InstallScrollBarStyle();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
