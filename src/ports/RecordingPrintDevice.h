#pragma once
// A print device for tests: it prints nothing, writes down the begin, new-page and end of every
// document, and tags every canvas operation with its job (1 for the first document) and page.
// A printer that refuses can be scripted; a refused begin leaves no document open.
#include "ports/PrintDevice.h"
#include "ports/RecordingCanvas.h"

#include <string>
#include <vector>

class RecordingPrintDevice final : public PrintDevice {
public:
    enum class Step { Begin, NewPage, End };
    struct Event {
        Step step;
        int job, page; // after the step
    };

    // A4 at 600 dpi with the margins the PDF printer keeps.
    explicit RecordingPrintDevice(int width = 4824, int height = 6883, int dpi = 600)
        : width_(width), height_(height), dpi_(dpi) {}

    std::vector<Event> events;
    std::vector<std::string> titles;
    bool refuseBegin = false, refuseNewPage = false;
    double dashUnit = 0.0; // the last one set

    void setDashUnit(double dots) override { dashUnit = dots; }

    bool beginDocument(const std::string& title = {}) override {
        if (canvas_.page != 0 || refuseBegin) return false;
        titles.push_back(title);
        ++canvas_.job;
        canvas_.page = 1;
        events.push_back({Step::Begin, canvas_.job, 1});
        return true;
    }
    bool newPage() override {
        if (canvas_.page == 0 || refuseNewPage) return false;
        ++canvas_.page;
        events.push_back({Step::NewPage, canvas_.job, canvas_.page});
        return true;
    }
    bool endDocument() override {
        if (canvas_.page == 0) return false;
        events.push_back({Step::End, canvas_.job, canvas_.page});
        lastPage_ = canvas_.page;
        canvas_.page = 0;
        return true;
    }

    bool printing() const override { return canvas_.page != 0; }
    int pageNumber() const override { return canvas_.page != 0 ? canvas_.page : lastPage_; }
    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int resolution() const override { return dpi_; }
    Canvas& canvas() override { return canvas_; }
    const std::vector<RecordingCanvas::Op>& ops() const { return canvas_.ops; }

    // The operations drawn on one page of one job.
    std::vector<RecordingCanvas::Op> opsOn(int job, int page) const {
        std::vector<RecordingCanvas::Op> out;
        for (const auto& op : canvas_.ops)
            if (op.job == job && op.page == page) out.push_back(op);
        return out;
    }

private:
    RecordingCanvas canvas_;
    int width_, height_, dpi_;
    int lastPage_ = 0;
};
