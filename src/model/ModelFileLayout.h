#pragma once
// The field lists of the ".vq2" model file ("qv8", and "qv6" which differs in three places),
// each written once as a visitor over the field primitives of ModelFileFields.h. With
// ModelFileWriter and a const Document they write the file; with ModelFileReader and a
// Document they read it back.
#include "model/Model.h"
#include "model/ModelFileFields.h"

#include <type_traits>

namespace modelfile {

enum class Layout {
    V8, // "qv8": the current layout
    V6  // "qv6": no user panels, free lines with 8-character offsets and no colour, no storey
        // heights at the end
};

inline constexpr std::size_t TagBytes = 4;
inline constexpr std::size_t PanelRecordBytes = 79;
inline constexpr std::size_t CountLineBytes = 51;
inline constexpr std::size_t OverviewBlockBytes = 18355;
inline constexpr std::size_t EmptyModelFileBytes = 24241;

// Record lengths in the current layout, kind order.
inline constexpr std::size_t RecordBytes[10] = {26, 61, 26, 36, 26, 36, 51, 26, 58, 26};
inline constexpr std::size_t RoomTextSlot = 31;

// Element kinds in the order of a count line (which differs from the record order).
inline constexpr ElementKind CountLineOrder[10] = {
    ElementKind::Column,        ElementKind::Wall,         ElementKind::RoofFloorRect,
    ElementKind::FloorSpecRect, ElementKind::RoofFloorTri, ElementKind::FloorSpecTri,
    ElementKind::RoomText,      ElementKind::Foundation,   ElementKind::FreeLine,
    ElementKind::Reserved};

template <typename D>
using CountTable = std::conditional_t<std::is_const_v<D>, const int32_t (&)[ModelSlots][Storeys],
                                      int32_t (&)[ModelSlots][Storeys]>;

template <typename D>
CountTable<D> CountsOf(D& d, ElementKind kind) {
    switch (kind) {
    case ElementKind::Column:
        return d.ColumnCount;
    case ElementKind::Wall:
        return d.WallCount;
    case ElementKind::RoofFloorRect:
        return d.RoofFloorRectCount;
    case ElementKind::RoofFloorTri:
        return d.RoofFloorTriCount;
    case ElementKind::FloorSpecRect:
        return d.FloorSpecRectCount;
    case ElementKind::FloorSpecTri:
        return d.FloorSpecTriCount;
    case ElementKind::RoomText:
        return d.RoomTextCount;
    case ElementKind::Foundation:
        return d.FoundationCount;
    case ElementKind::FreeLine:
        return d.FreeLineCount;
    case ElementKind::Reserved:
        break;
    }
    return d.ReservedCount;
}

inline int CapacityOf(ElementKind kind) {
    switch (kind) {
    case ElementKind::Column:
        return MaxColumns;
    case ElementKind::Wall:
        return MaxWalls;
    case ElementKind::RoofFloorRect:
        return MaxRoofFloorRects;
    case ElementKind::RoofFloorTri:
        return MaxRoofFloorTris;
    case ElementKind::FloorSpecRect:
        return MaxFloorSpecRects;
    case ElementKind::FloorSpecTri:
        return MaxFloorSpecTris;
    case ElementKind::RoomText:
        return MaxRoomTexts;
    case ElementKind::Foundation:
        return MaxFoundations;
    case ElementKind::FreeLine:
        return MaxFreeLines;
    case ElementKind::Reserved:
        break;
    }
    return MaxReserved;
}

// ---- element records -------------------------------------------------------------------------

template <typename IO, typename R>
void VisitRecord(IO& io, R& r, Layout) {
    using T = std::remove_const_t<R>;
    if constexpr (std::is_same_v<T, ColumnRecord>) {
        io.ints(r.x, r.y, r.kind, r.joint, r.spare);
        io.checkAxes({r.x, r.y});
    } else if constexpr (std::is_same_v<T, WallRecord>) {
        // Words 12 and 13 are recomputed by every repaint and are not stored.
        io.ints(r.x1, r.y1, r.x2, r.y2, r.type, r.bracing, r.panelL, r.panelR, r.jointSpec,
                r.deterioration, r.foundationClass, r.changeFlags);
        io.checkAxes({r.x1, r.y1, r.x2, r.y2});
    } else if constexpr (std::is_same_v<T, RoofFloorRectRecord> ||
                         std::is_same_v<T, FloorSpecRectRecord> ||
                         std::is_same_v<T, FoundationRecord>) {
        if constexpr (std::is_same_v<T, FoundationRecord>)
            io.ints(r.x1, r.y1, r.x2, r.y2, r.type);
        else
            io.ints(r.x1, r.y1, r.x2, r.y2, r.code);
        io.checkAxes({r.x1, r.y1, r.x2, r.y2});
    } else if constexpr (std::is_same_v<T, RoofFloorTriRecord> ||
                         std::is_same_v<T, FloorSpecTriRecord>) {
        io.ints(r.x1, r.y1, r.x2, r.y2, r.x3, r.y3, r.code);
        io.checkAxes({r.x1, r.y1, r.x2, r.y2, r.x3, r.y3});
    } else if constexpr (std::is_same_v<T, RoomTextRecord>) {
        io.bareInts(r.x1, r.y1, r.x2, r.y2);
        io.checkAxes({r.x1, r.y1, r.x2, r.y2});
        io.textIn(r.text, RoomTextSlot);
    } else if constexpr (std::is_same_v<T, ReservedRecord>) {
        io.intArray(r.v, 5);
    }
}

// Free lines are the one record whose layout differs between "qv8" and "qv6".
template <typename IO, typename R>
requires std::is_same_v<std::remove_const_t<R>, FreeLineRecord>
void VisitRecord(IO& io, R& r, Layout layout) {
    io.bareInts(r.x1, r.y1, r.x2, r.y2);
    io.checkAxes({r.x1, r.y1, r.x2, r.y2});
    if (layout == Layout::V8) {
        io.decimal(r.dx1, 7);
        io.decimal(r.dy1, 7);
        io.decimal(r.dx2, 7);
        io.decimal(r.dy2, 7);
        io.styleColour(r.style, r.colour);
    } else {
        io.decimal(r.dx1, 8);
        io.decimal(r.dy1, 8);
        io.decimal(r.dx2, 8);
        io.decimal(r.dy2, 8);
        io.ints(r.style);
    }
}

// ---- the parts of the file -------------------------------------------------------------------

template <typename IO, typename P>
void VisitPanel(IO& io, P& p) {
    io.text(p.symbol);
    io.real(p.strength);
    io.real(p.stiffness);
    io.real(p.ratio);
    io.text(p.name);
}

template <typename IO, typename D>
void VisitGrid(IO& io, D& d) {
    for (auto& x : d.AxisX) io.real(x);
    for (auto& y : d.AxisY) io.real(y);
    for (auto& k : d.AxisKindX) io.ints(k);
    for (auto& k : d.AxisKindY) io.ints(k);
    io.real(d.Module);
}

template <typename IO, typename D>
void VisitCountLines(IO& io, D& d) {
    for (int s = 0; s < Scenarios; ++s) {
        for (int f = 0; f < Storeys; ++f) {
            int32_t line[10];
            if constexpr (!IO::Reading) {
                for (int k = 0; k < 10; ++k) {
                    ElementKind kind = CountLineOrder[k];
                    line[k] = IO::liveCount(CountsOf(d, kind)[s][f], CapacityOf(kind));
                }
            }
            io.intArray(line, 10);
            if constexpr (IO::Reading) {
                for (int k = 0; k < 10; ++k) {
                    ElementKind kind = CountLineOrder[k];
                    CountsOf(d, kind)[s][f] = io.liveCount(line[k], CapacityOf(kind));
                }
            }
        }
    }
}

template <typename IO, typename D>
void VisitElementRecords(IO& io, D& d, Layout layout) {
    ForEachElementKind(d, [&](auto& counts, auto& records, int capacity, ElementKind) {
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f) {
                int32_t n = io.liveCount(counts[s][f], capacity);
                for (int i = 0; i < n && io.ok(); ++i) VisitRecord(io, records[s][f][i], layout);
            }
    });
}

// The overview block; "qv6" files end before the storey heights.
template <typename IO, typename D>
void VisitOverviewBlock(IO& io, D& d, Layout layout) {
    auto& b = d.BuildingData;
    auto& sd = d.StoreyData;
    auto& g = d.GroundFoundationSurvey;
    auto& fs = d.FoundationFloorSpec;
    auto& ds = d.DeteriorationSurvey;
    auto& p = d.PermitRecord;
    auto& rt = d.ReportTexts;
    auto& ra = d.RetrofitApplication;

    io.text(b.clientAddress);
    io.text(b.clientName);
    io.text(b.clientPhone);
    io.text(b.ownerAddress);
    io.text(b.ownerName);
    io.text(b.ownerPhone);
    io.text(b.siteAddress);
    io.text(b.siteLotNumber);
    io.ints(b.structureType);
    io.ints(b.buildingUse);
    io.text(b.buildingUseOther);
    io.ints(b.garage);
    io.ints(b.basement);
    for (auto& t : b.constructionEraYear) io.text(t);
    for (auto& t : b.constructionMonth) io.text(t);
    for (auto& t : b.constructionDay) io.text(t);
    for (auto& v : p.permitUnknown) io.ints(v);
    for (auto& v : b.extensionDone) io.ints(v);
    io.ints(b.mixedStructure);
    io.real(b.snowLoadTerm);
    io.real(b.zoneFactorZ);

    for (auto& v : sd.topStorey) io.ints(v);
    for (auto& v : sd.atticStorage) io.ints(v);
    for (auto& v : sd.weightClass) io.ints(v);
    for (auto& v : sd.roofWallClass) io.ints(v);
    for (auto& v : sd.buildingArea) io.real(v);
    for (auto& row : sd.floorArea)
        for (auto& v : row) io.real(v);
    for (auto& v : sd.totalFloorArea) io.real(v);

    io.text(g.surveyMethod);
    io.text(g.surveyEraYear);
    io.text(g.surveyMonth);
    io.text(g.surveyDay);
    io.ints(g.groundClass);
    io.text(g.groundCondition);
    io.text(g.groundMeasure);
    io.text(g.softGroundBasis);
    io.ints(g.slope);
    io.text(g.slopeCondition);
    io.intArray(g.slopeMeasure, 3);
    io.ints(fs.foundationType);
    io.ints(fs.foundationCrack);
    io.ints(fs.footBracing);
    io.text(fs.foundationMemo);
    io.text(g.crackLocation);
    io.intArray(g.crackCause, 3);
    io.text(g.crackCauseText);
    io.ints(fs.uniformFoundation);
    io.ints(g.columnEndHardware);
    io.intArray(g.jointType, 4);
    io.ints(g.anchorBolts, g.beamColumnHardware, g.braceEndHardware);
    io.ints(fs.floorMaterial, fs.horizontalBrace, fs.largeVoid, fs.uniformFloor);

    io.text(ds.roofFinish);
    io.ints(ds.roofDeteriorated);
    io.text(ds.roofPlace);
    io.text(ds.roofState);
    io.ints(ds.gutterDeteriorated, ds.downpipeDeteriorated);
    io.text(ds.outerWallBase);
    io.text(ds.outerWallFinish);
    io.ints(ds.outerWallDeteriorated);
    io.text(ds.outerWallPlace);
    io.text(ds.outerWallState);
    io.ints(ds.exposedFrame);
    io.ints(ds.balcony);
    io.text(ds.balconyMaterial);
    io.ints(ds.balconyParapetDeteriorated);
    io.ints(ds.balconyJointDeteriorated);
    io.ints(ds.balconyDrainDeteriorated);
    io.text(ds.innerWallBase);
    io.text(ds.innerWallFinish);
    io.ints(ds.innerWallDeteriorated);
    io.text(ds.innerWallPlace);
    io.ints(ds.bathFinish);
    io.text(ds.bathNote);
    io.ints(ds.bathDeteriorated);
    io.intArray(ds.bathDamage, 2);
    io.ints(ds.floorDeteriorated, ds.corridorDeteriorated);
    io.ints(ds.underfloorDeteriorated);

    io.ints(g.braceSurvey);
    io.text(g.braceSurveyLocation);
    io.ints(g.braceInCalculation);
    io.text(g.braceAssumption);

    for (auto& t : rt.otherNotes) io.text(t);
    io.text(rt.receptionNumber);
    io.ints(p.extensionAfter1981, p.mixedStructureScope);
    for (auto& t : p.permitEraYear) io.text(t);
    for (auto& t : p.permitMonth) io.text(t);
    for (auto& t : p.permitDay) io.text(t);
    for (auto& t : p.permitNumber) io.text(t);
    for (auto& v : p.inspectionCertificate) io.ints(v);
    io.ints(p.otherDrawings, p.publicLoan);
    io.intArray(p.drawingCheck, 3);
    for (auto& t : rt.findings) io.text(t);
    for (auto& t : rt.diagnosticianMemo) io.text(t);

    io.text(ra.reinforcementNo);
    io.text(ra.designerNumber);
    io.text(ra.designerAddress);
    io.text(ra.designerName);
    io.text(ra.designerPhone);
    io.text(ra.designerFax);
    io.text(ra.contractorNumber);
    io.text(ra.contractorAddress);
    io.text(ra.contractorName);
    io.text(ra.contractorPhone);
    io.text(ra.contractorFax);
    io.text(ra.diagnosisScoreText);
    io.text(ra.approvalNumber);
    io.text(ra.approvalEraYear);
    io.text(ra.approvalMonth);
    io.text(ra.approvalDay);
    for (auto& t : ra.basicPolicy) io.text(t);
    for (int i = 0; i < 4; ++i) {
        io.ints(ra.retrofitDone[i]);
        for (int j = 0; j < 3; ++j) io.text(ra.retrofitText[3 * i + j]);
    }
    io.text(ra.roadWidth);
    io.text(ra.siteArea);
    io.ints(ra.zoningDistrict);
    io.text(ra.designatedCoverage);
    io.text(ra.designatedFloorRatio);
    io.text(ra.buildingAreaText);
    io.text(ra.coverageRatio);
    io.text(ra.totalFloorAreaText);
    io.text(ra.floorAreaRatio);
    io.ints(ra.roadProjection);
    io.ints(ra.northSlope);
    io.ints(ra.roadSlope);
    for (auto& t : ra.nonConformityMeasures) io.text(t);
    for (auto& row : ra.lawCheck) io.intArray(row, 2);
    for (auto& row : ra.specChoice) io.intArray(row, 2);
    for (auto& row : ra.problemRepair) io.intArray(row, 2);
    io.ints(ra.roofTileNotApplicable);
    for (auto& v : ra.hearing1) io.ints(v);
    for (auto& v : ra.hearing2) io.ints(v);
    for (auto& v : ra.surveyGroundTerrain) io.ints(v);
    io.ints(ra.liquefaction);
    for (auto& v : ra.surveyItem) io.ints(v);
    io.intArray(ra.innerWallSpec, 6);
    for (auto& t : ra.innerWallSpecText) io.text(t);
    for (auto& v : ra.columnHardware) io.ints(v);
    io.intArray(ra.braceSpec, 8);
    for (auto& v : ra.surveyOther) io.ints(v);
    io.intArray(ra.jointConcern, 5);
    io.intArray(ra.diaphragmConcern, 3);
    io.intArray(ra.floorSurvey, 2);
    io.intArray(ra.floorSurvey + 2, 4);
    io.intArray(ra.floorSurvey + 6, 3);
    io.intArray(ra.floorSurvey + 9, 4);
    io.intArray(ra.floorSurvey + 13, 4);

    if (layout == Layout::V8)
        for (auto& row : sd.storeyHeight)
            for (auto& v : row) io.real(v);
}

// The whole file after its tag: "qv8" (as written) or "qv6" (read only).
template <typename IO, typename D>
void VisitModelFile(IO& io, D& d, int32_t& currentScenario, Layout layout) {
    if (layout == Layout::V8)
        for (auto& panel : d.CustomPanels) VisitPanel(io, panel);
    VisitGrid(io, d);
    VisitCountLines(io, d);
    VisitElementRecords(io, d, layout);
    io.ints(currentScenario, d.CriteriaEdition, d.DiagnosisMethod);
    VisitOverviewBlock(io, d, layout);
}

} // namespace modelfile
