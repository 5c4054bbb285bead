#pragma once
// Places elements into the open document for tests: pick a slot and storey with at(), then
// append records; every call appends one live record at the end of its list.
//
//   HouseBuilder(0, 0).column(1, 1).wall(1, 1, 4, 1, /*bracing*/ 14);
//
// ResetModelState() gives a test the start-up state of the document and the application.
#include "model/AppState.h"
#include "model/Model.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

inline void ResetModelState() {
    auto fresh = std::make_unique<Document>(); // zero counts, as at program start
    Doc = *fresh;
    App = AppState{};
}

// The live elements of the storeys of one slot selected by storeyMask, as bytes: two slots
// hold the same plan exactly when these are equal.
inline std::string LivePlan(int slot, int storeyMask = 7) {
    std::string out;
    ForEachElementKind(Doc, [&](auto& counts, auto& records, int capacity, ElementKind) {
        for (int s = 0; s < Storeys; ++s) {
            if (!(storeyMask & (1 << s))) continue;
            const int32_t n = std::clamp<int32_t>(counts[slot][s], 0, capacity);
            out.append(reinterpret_cast<const char*>(&n), sizeof n);
            out.append(reinterpret_cast<const char*>(records[slot][s]),
                       n * sizeof records[0][0][0]);
        }
    });
    return out;
}

// Every record one slot holds, stale ones included, with or without the counts.
inline std::string WholeSlot(int slot, bool withCounts = true) {
    std::string out;
    ForEachElementKind(Doc, [&](auto& counts, auto& records, int, ElementKind) {
        if (withCounts)
            out.append(reinterpret_cast<const char*>(counts[slot]), sizeof counts[slot]);
        out.append(reinterpret_cast<const char*>(records[slot]), sizeof records[slot]);
    });
    return out;
}

// The live plans of the three scenarios.
inline std::string AllScenarios() {
    return LivePlan(0) + "|" + LivePlan(1) + "|" + LivePlan(2);
}

class HouseBuilder {
public:
    explicit HouseBuilder(int slot = 0, int storey = 0) : slot_(slot), storey_(storey) {}

    HouseBuilder& at(int slot, int storey) {
        slot_ = slot;
        storey_ = storey;
        return *this;
    }

    HouseBuilder& column(int x, int y, int kind = 1, int joint = 0) {
        return add(Doc.ColumnCount, Doc.Columns, ColumnRecord{x, y, kind, joint, 0});
    }
    // A wall from (x1, y1) to (x2, y2); the derived words stay 0.
    HouseBuilder& wall(int x1, int y1, int x2, int y2, int bracing = 0, int panelL = 0,
                       int panelR = 0, int type = 0, int deterioration = 2) {
        WallRecord w{};
        w.x1 = x1, w.y1 = y1, w.x2 = x2, w.y2 = y2;
        w.type = type;
        w.bracing = bracing;
        w.panelL = panelL;
        w.panelR = panelR;
        w.deterioration = deterioration;
        return add(Doc.WallCount, Doc.Walls, w);
    }
    HouseBuilder& roofFloorRect(int x1, int y1, int x2, int y2, int code = 0) {
        return add(Doc.RoofFloorRectCount, Doc.RoofFloorRects,
                   RoofFloorRectRecord{x1, y1, x2, y2, code});
    }
    HouseBuilder& roofFloorTri(int x1, int y1, int x2, int y2, int x3, int y3, int code = 0) {
        return add(Doc.RoofFloorTriCount, Doc.RoofFloorTris,
                   RoofFloorTriRecord{x1, y1, x2, y2, x3, y3, code});
    }
    HouseBuilder& floorSpecRect(int x1, int y1, int x2, int y2, int code = 12) {
        return add(Doc.FloorSpecRectCount, Doc.FloorSpecRects,
                   FloorSpecRectRecord{x1, y1, x2, y2, code});
    }
    HouseBuilder& floorSpecTri(int x1, int y1, int x2, int y2, int x3, int y3, int code = 12) {
        return add(Doc.FloorSpecTriCount, Doc.FloorSpecTris,
                   FloorSpecTriRecord{x1, y1, x2, y2, x3, y3, code});
    }
    // text: CP932 bytes.
    HouseBuilder& roomText(int x1, int y1, int x2, int y2, std::string_view text) {
        RoomTextRecord r{};
        r.x1 = x1, r.y1 = y1, r.x2 = x2, r.y2 = y2;
        r.text.set(text);
        return add(Doc.RoomTextCount, Doc.RoomTexts, r);
    }
    HouseBuilder& foundation(int x1, int y1, int x2, int y2, int type = 2) {
        return add(Doc.FoundationCount, Doc.Foundations, FoundationRecord{x1, y1, x2, y2, type});
    }
    HouseBuilder& freeLine(int x1, int y1, int x2, int y2, double dx1 = 0, double dy1 = 0,
                           double dx2 = 0, double dy2 = 0, int style = 0, int colour = 0) {
        return add(Doc.FreeLineCount, Doc.FreeLines,
                   FreeLineRecord{x1, y1, x2, y2, dx1, dy1, dx2, dy2, style, colour});
    }
    HouseBuilder& reserved(int v0, int v1 = 0, int v2 = 0, int v3 = 0, int v4 = 0) {
        return add(Doc.ReservedCount, Doc.ReservedRecords, ReservedRecord{{v0, v1, v2, v3, v4}});
    }

    // One element of every kind, all carrying `tag` in a coordinate so that plans built with
    // different tags differ in every list.
    HouseBuilder& oneOfEach(int tag) {
        return column(tag, 1)
            .wall(tag, 1, tag, 2, 14)
            .roofFloorRect(tag, 1, tag + 1, 2)
            .roofFloorTri(tag, 1, tag + 1, 1, tag, 2)
            .floorSpecRect(tag, 1, tag + 1, 2)
            .floorSpecTri(tag, 1, tag + 1, 1, tag, 2)
            .roomText(tag, 1, tag + 1, 2, "LDK")
            .foundation(tag, 1, tag + 1, 1)
            .freeLine(tag, 1, tag + 1, 1, 0.1, 0, 0, -0.1, 1, 0xFF)
            .reserved(tag);
    }

private:
    template <typename Rec, std::size_t Cap>
    HouseBuilder& add(int32_t (&counts)[ModelSlots][Storeys],
                      Rec (&records)[ModelSlots][Storeys][Cap], const Rec& r) {
        int32_t& n = counts[slot_][storey_];
        if (n < 0 || n >= static_cast<int32_t>(Cap)) {
            ADD_FAILURE() << "HouseBuilder: list full at slot " << slot_ << " storey " << storey_;
            return *this;
        }
        records[slot_][storey_][n++] = r;
        return *this;
    }

    int slot_, storey_;
};
