// The result reports of the full-capacity house on screen and on paper, each beside its floor
// measured in the same run: opening a report against producing its lines and drawing the
// items in view with a bare QPainter; a scroll step (goal: within 8 ms); printing every page
// against a bare QPainter replaying the same items on the same printer. Part of
// velquor_gui_bench (its main is in PlanBench.cpp).
#include "DataFloor.h"
#include "document/Recompute.h"
#include "ports/RecordingCanvas.h"
#include "ports/RecordingPrintDevice.h"
#include "print/PrintRun.h"
#include "reports/FloorReport.h"
#include "reports/GravityReport.h"
#include "reports/NValueReport.h"
#include "reports/RequiredReport.h"
#include "reports/ScoreReports.h"
#include "reports/WallReports.h"
#include "reports/dialogs/OJushin.h"
#include "reports/dialogs/Ogouseiritsu.h"
#include "reports/dialogs/Ogoushin.h"
#include "reports/dialogs/Ohantei.h"
#include "reports/dialogs/Ohitsuyou.h"
#include "reports/dialogs/Okabe.h"
#include "reports/dialogs/Onchi.h"
#include "reports/dialogs/Oyuka.h"
#include "support/DiagnosisCapacityModel.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/PaintBox.h"
#include "ui/QtCanvas.h"
#include "ui/QtPrintDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

void CapacityHouse() {
    capacity::BuildFullCapacityHouse();
    MarkDocumentReplaced();
    EnsureRecomputed();
}

struct ReportKind {
    std::function<TResultDlg*()> make;
    std::function<void()> produce; // builds the report's lines, draws nothing
    CanvasSize (*paint)(Canvas&);  // the whole report
};

const ReportKind& Kind(int i) {
    static const ReportKind kinds[] = {
        {[] { return new TOjushinDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildGravityReport()); }, PaintGravityReport},
        {[] { return new TOhitsuyouDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildRequiredReport()); }, PaintRequiredReport},
        {[] { return new TOnchiDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildNValueReport()); }, PaintNValueReport},
        {[] { return new TOyukaDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildFloorReport()); }, PaintFloorReport},
        {[] { return new TOkabeDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildWallStrengthReport()); }, PaintWallStrengthReport},
        {[] { return new TOgoushinDlg(nullptr); },
         [] {
             for (int f = 0; f < Storeys; ++f) benchmark::DoNotOptimize(RigidityStoreyLines(f));
         },
         PaintRigidityReport},
        {[] { return new TOgouseiDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildScoreReport()); }, PaintScoreReport},
        {[] { return new TOhanteiDlg(nullptr); },
         [] { benchmark::DoNotOptimize(BuildJudgementReport()); }, PaintJudgementReport},
    };
    return kinds[i];
}

// Recorded canvas operations made ready for a bare QPainter: pens, brushes, fonts and texts
// built beforehand, so that the replay only draws.
struct Replay {
    struct Item {
        const RecordingCanvas::Op* op;
        QPen pen;
        QBrush brush;
        QString text;
        int font = -1;
    };
    std::vector<Item> items;
    std::vector<QFont> fonts;
    std::vector<int> ascents;
    std::vector<CanvasFont> keys;

    void add(const RecordingCanvas::Op& op, QPaintDevice* device) {
        Item item{&op, QPen(Qt::NoPen), QBrush(Qt::NoBrush), {}, -1};
        if (op.pen.style != PenStyle::Clear) {
            item.pen = QPen(ColorFromRef(op.pen.colour), std::max(op.pen.width, 1));
        }
        if (op.brush.style != BrushStyle::Clear) item.brush = QBrush(ColorFromRef(op.brush.colour));
        if (op.kind == RecordingCanvas::Kind::Text) {
            item.text = DrawnText(op.text);
            item.pen = QPen(ColorFromRef(op.font.colour));
            auto same = [&](const CanvasFont& f) {
                return f.height == op.font.height && f.width == op.font.width &&
                       f.weight == op.font.weight && f.face == op.font.face;
            };
            auto it = std::find_if(keys.begin(), keys.end(), same);
            if (it == keys.end()) {
                keys.push_back(op.font);
                fonts.push_back(MakeQFont(op.font));
                ascents.push_back(QFontMetrics(fonts.back(), device).ascent());
                it = keys.end() - 1;
            }
            item.font = static_cast<int>(it - keys.begin());
        }
        items.push_back(std::move(item));
    }

    void draw(QPainter& p, const Item& it) const {
        const RecordingCanvas::Op& op = *it.op;
        const auto& pt = op.points;
        switch (op.kind) {
        case RecordingCanvas::Kind::Line:
            p.setPen(it.pen);
            p.drawLine(pt[0].x, pt[0].y, pt[1].x, pt[1].y);
            break;
        case RecordingCanvas::Kind::Rectangle:
            p.setPen(it.pen);
            p.setBrush(it.brush);
            p.drawRect(pt[0].x, pt[0].y, pt[1].x - pt[0].x - 1, pt[1].y - pt[0].y - 1);
            break;
        case RecordingCanvas::Kind::Ellipse:
            p.setPen(it.pen);
            p.setBrush(it.brush);
            p.drawEllipse(pt[0].x, pt[0].y, pt[1].x - pt[0].x - 1, pt[1].y - pt[0].y - 1);
            break;
        case RecordingCanvas::Kind::Polygon: {
            p.setPen(it.pen);
            p.setBrush(it.brush);
            QPolygon poly;
            for (const CanvasPoint& c : pt) poly << QPoint(c.x, c.y);
            p.drawPolygon(poly);
            break;
        }
        case RecordingCanvas::Kind::FillRect:
            p.fillRect(pt[0].x, pt[0].y, pt[1].x - pt[0].x, pt[1].y - pt[0].y, it.brush);
            break;
        case RecordingCanvas::Kind::Text:
            p.setFont(fonts[it.font]);
            p.setPen(it.pen);
            if (op.font.escapement != 0) {
                p.save();
                p.translate(pt[0].x, pt[0].y);
                p.rotate(-op.font.escapement / 10.0);
                p.drawText(0, ascents[it.font], it.text);
                p.restore();
            } else {
                p.drawText(pt[0].x, pt[0].y + ascents[it.font], it.text);
            }
            break;
        }
    }
};

// Rows an operation may touch.
std::pair<int, int> RowsOf(const RecordingCanvas::Op& op) {
    int top = INT_MAX, bottom = INT_MIN;
    for (const CanvasPoint& p : op.points) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    if (op.kind == RecordingCanvas::Kind::Text) {
        const int h = std::abs(op.font.height);
        if (op.font.escapement != 0) top -= 10 * h; // a rotated label reaches up
        bottom += h;
    }
    return {top - op.pen.width, bottom + op.pen.width};
}

// The same dialog with a blank page of the report's size: what the window, its scroll bars
// and its frame cost to show, whatever the report.
class BlankReport final : public TResultDlg {
public:
    explicit BlankReport(CanvasSize size)
        : TResultDlg(nullptr, QStringLiteral("blank")), size_(size) {}
    ReportView BuildReport() override { return {size_, {}}; }

private:
    CanvasSize size_;
};

template <typename F>
double MeanSecondsOf(int runs, F&& f) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) f();
    return std::chrono::duration<double>(Clock::now() - start).count() / runs;
}

// Opening a report: the dialog shown until its page is on screen, and closed again (x_floor),
// and the page's own part of it (page_x_floor: the report built, sized and drawn where it
// shows); window_ms is what the same dialog with a blank page costs to show and close. Floor:
// producing the lines, and the items in view drawn by a bare QPainter.
void BM_OpenReport(benchmark::State& state) {
    CapacityHouse();
    const ReportKind& kind = Kind(static_cast<int>(state.range(0)));
    std::unique_ptr<TResultDlg> dialog(kind.make());
    dialog->show();
    QCoreApplication::processEvents();
    const QSize view = dialog->ScrollBox1->viewport()->size();
    const int pageHeight = dialog->disp->height();
    dialog->hide();
    TResultDlg::ForgetChosenSize();

    RecordingCanvas recorded;
    kind.paint(recorded);
    QImage image(view, QImage::Format_RGB32);
    Replay replay;
    for (const auto& op : recorded.ops) {
        const auto [top, bottom] = RowsOf(op);
        if (bottom >= 0 && top < view.height()) replay.add(op, &image);
    }
    const double floor = MeanSecondsOf(20, [&] {
        kind.produce();
        image.fill(Qt::white);
        QPainter p(&image);
        for (const auto& item : replay.items) replay.draw(p, item);
    });

    const int before = dialog->disp->contentPaints();
    const double ratio = datafloor::RunAgainstFloor(state, floor, [&] {
        dialog->show();
        QCoreApplication::processEvents();
        dialog->hide();
    });
    if (dialog->disp->contentPaints() == before) state.SkipWithError("the page was not drawn");
    // The page alone, without the window and its scroll bars (whose gradients Qt fills on
    // worker threads).
    dialog->show();
    QCoreApplication::processEvents();
    const double page = MeanSecondsOf(50, [&] {
        dialog->Refresh();
        dialog->disp->repaint();
    });
    dialog->hide();
    BlankReport blank({ReportPageWidth, dialog->disp->height()});
    const double window = MeanSecondsOf(50, [&] {
        blank.show();
        QCoreApplication::processEvents();
        blank.hide();
    });
    TResultDlg::ForgetChosenSize();
    state.counters["window_ms"] = window * 1e3;
    state.counters["page_x_floor"] = page / floor;
    state.counters["x_floor"] = ratio;
    state.counters["floor_ms"] = floor * 1e3;
    state.counters["items_in_view"] = static_cast<double>(replay.items.size());
    state.counters["page_px"] = pageHeight;
}
BENCHMARK(BM_OpenReport)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// A scroll step of a wheel notch (three lines of the scroll bar) down through the report,
// back at the top after the end, in the dialog as it opens (as tall as the offscreen screen).
// The goal is 8 ms a step; the slowest step is counted too.
void BM_ScrollReport(benchmark::State& state) {
    CapacityHouse();
    const ReportKind& kind = Kind(static_cast<int>(state.range(0)));
    std::unique_ptr<TResultDlg> dialog(kind.make());
    dialog->show();
    QCoreApplication::processEvents();
    QScrollBar* bar = dialog->ScrollBox1->verticalScrollBar();
    const int step = 3 * bar->singleStep();
    qint64 slowest = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        const bool back = bar->value() >= bar->maximum();
        bar->setValue(back ? 0 : bar->value() + step);
        QCoreApplication::processEvents();
        if (!back) slowest = std::max(slowest, clock.nsecsElapsed()); // the jump back is no step
    }
    dialog->hide();
    TResultDlg::ForgetChosenSize();
    state.counters["slowest_ms"] = static_cast<double>(slowest) / 1e6;
    state.counters["page_px"] = dialog->disp->height();
}
BENCHMARK(BM_ScrollReport)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

// Every page of the print selection (forms and report) to PDF, against a bare QPainter
// replaying the same items on the same printer.
void BM_PrintAllPages(benchmark::State& state) {
    CapacityHouse();
    int32_t flags[PrintFlagCount] = {};
    for (int i = 0; i < FirstEstimateFlag; ++i) flags[i] = 1;
    const PrintPlan plan = PlanPrintRun(flags);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));

    RecordingPrintDevice recording;
    RunPrintPlan(recording, plan);
    const auto& ops = recording.ops();
    int pages = 0;
    {
        QPrinter printer(QPrinter::HighResolution);
        PrepareReportPrinter(printer);
        printer.setOutputFileName(file);
        Replay replay;
        for (const auto& op : ops) replay.add(op, &printer);
        const double floor = MeanSecondsOf(2, [&] {
            int job = 0, page = 0;
            QPainter p;
            for (const auto& item : replay.items) {
                if (item.op->job != job) {
                    if (p.isActive()) p.end();
                    job = item.op->job;
                    page = 1;
                    printer.setOutputFileName(JobOutputFile(file, job));
                    p.begin(&printer);
                    p.setRenderHint(QPainter::Antialiasing, false);
                    ++pages;
                }
                while (page < item.op->page) {
                    printer.newPage();
                    ++page;
                    ++pages;
                }
                replay.draw(p, item);
            }
            if (p.isActive()) p.end();
        });
        pages /= 2;
        QPrinter out(QPrinter::HighResolution);
        PrepareReportPrinter(out);
        out.setOutputFileName(file);
        const double ratio = datafloor::RunAgainstFloor(state, floor, [&] {
            QtPrintDevice device(out);
            if (!RunPrintPlan(device, plan)) state.SkipWithError("the print run stopped");
        });
        state.counters["x_floor"] = ratio;
        state.counters["floor_ms"] = floor * 1e3;
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrintAllPages)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
