#pragma once
// Test support for the model files.
//
// FixtureBytes builds model-file bytes for tests straight from the field encodings, independently
// of the program's writer: int fields "%5i" x k + zero byte, real fields trunc(v x 1000 + 0.5) as
// "%16li" + zero byte, text slots of W bytes with zero filler. Texts are given as UTF-8 and
// stored as CP932.
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/CustomPanels.h"
#include "model/Model.h"
#include "model/ModelFileLayout.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

class FixtureBytes {
public:
    FixtureBytes& tag(const char* t) {
        bytes_.append(t, 3);
        bytes_.push_back('\0');
        return *this;
    }
    // One int field of the given values.
    FixtureBytes& ints(std::initializer_list<int> values) {
        bare(values);
        bytes_.push_back('\0');
        return *this;
    }
    FixtureBytes& bare(std::initializer_list<int> values) {
        for (int v : values) printf("%5i", v);
        return *this;
    }
    FixtureBytes& real(double v) {
        printf("%16li", static_cast<long>(v * 1000.0 + 0.5));
        bytes_.push_back('\0');
        return *this;
    }
    FixtureBytes& text(std::string_view utf8, std::size_t slot) {
        std::string t = cp932::fromUtf8(utf8).value();
        EXPECT_LE(t.size(), slot) << "fixture text too long for its slot";
        t.resize(slot, '\0');
        bytes_ += t;
        return *this;
    }
    // `n` bytes the reader must step over; filled with text so that a reader that wrongly
    // takes them as a field notices.
    FixtureBytes& skipped(std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) bytes_.push_back(static_cast<char>('a' + i % 26));
        return *this;
    }
    template <typename... A>
    FixtureBytes& printf(const char* format, A... args) {
        char buf[128];
        int n = std::snprintf(buf, sizeof buf, format, args...);
        bytes_.append(buf, static_cast<std::size_t>(n));
        return *this;
    }
    FixtureBytes& zero() {
        bytes_.push_back('\0');
        return *this;
    }
    // Checks that the next field starts where the layout table says (offset from `base`).
    FixtureBytes& at(std::size_t base, std::size_t offset) {
        EXPECT_EQ(bytes_.size() - base, offset) << "fixture layout drifted";
        return *this;
    }
    std::size_t size() const { return bytes_.size(); }
    const std::string& str() const { return bytes_; }

private:
    std::string bytes_;
};

namespace testfile {

// Gives every field the visitor reaches a distinct in-range value, so that a round trip
// shows every field coming back in its place.
class Filler {
public:
    static constexpr bool Reading = true;
    explicit Filler(unsigned seed) : rng_(seed) {}
    template <typename... T>
    void ints(T&... values) {
        ((values = next(0, 2)), ...);
    }
    void intArray(int32_t* values, int n) {
        for (int i = 0; i < n; ++i) values[i] = next(0, 2);
    }
    template <typename... T>
    void bareInts(T&... values) {
        ((values = next(0, 99)), ...);
    }
    void real(double& v) { v = next(0, 500000) / 1000.0; } // no real of the layout is negative
    void decimal(double& v, int) { v = next(-99999, 999999) / 1000.0; }
    void styleColour(int32_t& style, int32_t& colour) {
        style = next(0, 5);
        colour = next(0, 0xFFFFFF);
    }
    template <std::size_t W>
    void text(FixedText<W>& t) {
        textIn(t, W);
    }
    template <std::size_t W>
    void textIn(FixedText<W>& t, std::size_t slot) {
        // CP932 "洋室 6帖" and friends: double-byte characters, a blank, digits.
        static const char* const samples[] = {"\x97\x6d\x8e\xba\x20\x36\x92\xa0", "A B",
                                              "\x82\xa0\x82\xa2", "x"};
        std::string s = std::string(samples[next(0, 3)]) + std::to_string(counter_++);
        while (s.size() + 2 < slot - 1 && next(0, 3) == 0) s += "\x81\x40"; // ideographic space
        t.set(s.substr(0, cp932::prefixOnBoundary(s, slot - 1)));
    }
    int32_t liveCount(int32_t count, int) { return count; }
    void checkAxes(std::initializer_list<int32_t>) {}
    bool ok() const { return true; }

    int32_t next(int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng_);
    }

private:
    std::mt19937 rng_;
    int counter_ = 0;
};

// Every overview field, every user panel and the grid filled; `perSlot` records of every
// element kind in every scenario and storey, with valid codes.
inline void FillDocument(Document& d, int perSlot, unsigned seed = 7) {
    Filler fill(seed);
    int32_t scenario = 0;
    for (auto& p : d.CustomPanels) modelfile::VisitPanel(fill, p);
    modelfile::VisitOverviewBlock(fill, d, modelfile::Layout::V8);
    for (int i = 0; i < AxisCountX; ++i) d.AxisX[i] = (i * 910 + i % 3) / 1000.0;
    for (int i = 0; i < AxisCountY; ++i) d.AxisY[i] = i * 455 / 1000.0;
    for (auto& k : d.AxisKindX) k = fill.next(0, 2);
    for (auto& k : d.AxisKindY) k = fill.next(0, 2);
    d.Module = 0.91;
    d.CriteriaEdition = 4;
    d.DiagnosisMethod = 3;
    (void)scenario;
    auto node = [&] { return fill.next(0, 99); };
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            int n = perSlot;
            auto cap = [&](int c) { return n < c ? n : c; };
            d.ColumnCount[s][f] = cap(MaxColumns);
            for (int i = 0; i < cap(MaxColumns); ++i)
                d.Columns[s][f][i] = {node(), node(), fill.next(1, 3), fill.next(0, 2) * 4 + 1,
                                      fill.next(-9999, 99999)};
            d.WallCount[s][f] = cap(MaxWalls);
            for (int i = 0; i < cap(MaxWalls); ++i) {
                WallRecord& w = d.Walls[s][f][i];
                w = {node(),
                     node(),
                     node(),
                     node(),
                     fill.next(0, 14),
                     fill.next(0, 83) | fill.next(0, 5) << 7 | (i % 2) * RetrofitWallBit,
                     fill.next(0, 69),
                     fill.next(0, 69),
                     fill.next(0, 3),
                     fill.next(0, 2),
                     fill.next(0, 2),
                     fill.next(0, 255),
                     0,
                     0};
            }
            d.RoofFloorRectCount[s][f] = cap(MaxRoofFloorRects);
            for (int i = 0; i < cap(MaxRoofFloorRects); ++i)
                d.RoofFloorRects[s][f][i] = {node(), node(), node(), node(),
                                             fill.next(0, 6) + 8 * fill.next(0, 1)};
            d.RoofFloorTriCount[s][f] = cap(MaxRoofFloorTris);
            for (int i = 0; i < cap(MaxRoofFloorTris); ++i)
                d.RoofFloorTris[s][f][i] = {
                    node(), node(), node(), node(), node(), node(), fill.next(0, 6) + 8 * (i % 2)};
            d.FloorSpecRectCount[s][f] = cap(MaxFloorSpecRects);
            for (int i = 0; i < cap(MaxFloorSpecRects); ++i)
                d.FloorSpecRects[s][f][i] = {node(), node(), node(), node(),
                                             fill.next(17, 23) * 32 + fill.next(0, 16)};
            d.FloorSpecTriCount[s][f] = cap(MaxFloorSpecTris);
            for (int i = 0; i < cap(MaxFloorSpecTris); ++i)
                d.FloorSpecTris[s][f][i] = {node(), node(), node(),          node(),
                                            node(), node(), fill.next(0, 16)};
            d.RoomTextCount[s][f] = cap(MaxRoomTexts);
            for (int i = 0; i < cap(MaxRoomTexts); ++i) {
                RoomTextRecord& t = d.RoomTexts[s][f][i];
                t.x1 = node(), t.y1 = node(), t.x2 = node(), t.y2 = node();
                fill.textIn(t.text, modelfile::RoomTextSlot);
            }
            d.FoundationCount[s][f] = cap(MaxFoundations);
            for (int i = 0; i < cap(MaxFoundations); ++i)
                d.Foundations[s][f][i] = {node(), node(), node(), node(), fill.next(0, 2)};
            d.FreeLineCount[s][f] = cap(MaxFreeLines);
            for (int i = 0; i < cap(MaxFreeLines); ++i) {
                FreeLineRecord& l = d.FreeLines[s][f][i];
                l = {node(), node(), node(), node(), 0, 0, 0, 0, 0, 0};
                fill.decimal(l.dx1, 7), fill.decimal(l.dy1, 7), fill.decimal(l.dx2, 7),
                    fill.decimal(l.dy2, 7);
                fill.styleColour(l.style, l.colour);
            }
            d.ReservedCount[s][f] = cap(MaxReserved);
            for (int i = 0; i < cap(MaxReserved); ++i)
                d.ReservedRecords[s][f][i] = {
                    {fill.next(-9999, 99999), 1, 2, 3, fill.next(-9999, 99999)}};
        }
}

// Saves the open document and application state and puts them back after the test.
class DocumentGuard {
public:
    DocumentGuard() : doc_(std::make_unique<Document>(Doc)), app_(App) {}
    ~DocumentGuard() {
        Doc = *doc_;
        App = app_;
    }

private:
    std::unique_ptr<Document> doc_;
    AppState app_;
};

// A document as a program that has just started (or run New) holds it: the grid at i x 0.91 m,
// the default user panels, every overview field at its start value.
inline std::unique_ptr<Document> StartDocument() {
    auto d = std::make_unique<Document>();
    for (int i = 0; i < AxisCountX; ++i) d->AxisX[i] = i * d->Module;
    for (int i = 0; i < AxisCountY; ++i) d->AxisY[i] = i * d->Module;
    DocumentGuard guard;
    ResetPanelElements();
    for (int k = 0; k < CustomPanelCount; ++k) d->CustomPanels[k] = Doc.CustomPanels[k];
    return d;
}

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vqtestXXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::size_t entries() const {
        std::size_t n = 0;
        for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(path_)) ++n;
        return n;
    }

private:
    std::filesystem::path path_;
};

} // namespace testfile
