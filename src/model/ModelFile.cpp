#include "model/ModelFile.h"

#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/CustomPanels.h"
#include "model/FileQuestions.h"
#include "model/Messages.h"
#include "model/ModelFileLayout.h"
#include "model/fileio/FileIo.h"

#include <cctype>

using namespace modelfile;

namespace {

std::size_t WrittenSize(const Document& d) {
    std::size_t n = EmptyModelFileBytes;
    ForEachElementKind(d, [&](auto& counts, auto&, int capacity, ElementKind kind) {
        for (int s = 0; s < Scenarios; ++s)
            for (int f = 0; f < Storeys; ++f)
                n += RecordBytes[static_cast<int>(kind) - 1] *
                     static_cast<std::size_t>(ModelFileWriter::liveCount(counts[s][f], capacity));
    });
    return n;
}

// Brings `v` into lo..hi; counts a change.
void Fix(int32_t& v, int32_t lo, int32_t hi, int& repairs) {
    if (v < lo || v > hi) {
        v = v < lo ? lo : hi;
        ++repairs;
    }
}

void RepairColumn(ColumnRecord& c, int& repairs) {
    Fix(c.kind, 1, 3, repairs);
    int32_t joint = c.joint < 0 ? 0 : c.joint;
    int32_t hardware = joint % 4, corner = joint / 4;
    if (hardware > 2) hardware = 2;
    if (corner > 2) corner = 2;
    if (corner * 4 + hardware != c.joint) {
        c.joint = corner * 4 + hardware;
        ++repairs;
    }
}

void RepairWall(WallRecord& w, int& repairs) {
    Fix(w.type, 0, WallTypeNoStrength, repairs);
    // An element code outside its table names no known element: it becomes "none" (row 0 of
    // each table), never a neighbouring element whose strength the wall does not have.
    int32_t b = w.bracing < 0 ? 0 : w.bracing;
    int32_t row = BraceRowOf(b), mud = MudWallOf(b), retrofit = b & RetrofitWallBit;
    if (row >= BraceSpecCount) row = 0;
    if (mud >= MudWallSpecCount) mud = 0;
    int32_t fixed = row | mud * MudWallUnit | retrofit;
    if (fixed != w.bracing) {
        w.bracing = fixed;
        ++repairs;
    }
    for (int32_t* panel : {&w.panelL, &w.panelR})
        if (*panel < 0 || *panel >= PanelSpecCount) {
            *panel = 0;
            ++repairs;
        }
    Fix(w.jointSpec, 0, 3, repairs);
    Fix(w.deterioration, 0, 2, repairs);
    Fix(w.foundationClass, 0, 2, repairs);
}

void RepairAreaCode(int32_t& code, int& repairs) {
    int32_t c = code < 0 ? 0 : code;
    int32_t kind = c & 7;
    if (kind >= AreaKindCount) kind = AreaKindCount - 1;
    int32_t fixed = (c & AreaNotEnclosedBit) | kind;
    if (fixed != code) {
        code = fixed;
        ++repairs;
    }
}

void RepairFloorSpecCode(int32_t& code, int& repairs) {
    int32_t c = code < 0 ? 0 : code;
    int32_t board = c % FloorSpecBraceUnit, brace = c / FloorSpecBraceUnit;
    if (board >= FloorBoardRows) board = FloorBoardRows - 1;
    if (brace > FloorBraceLastCode) brace = FloorBraceLastCode;
    if (brace > 0 && brace < FloorBraceFirstCode) brace = 0;
    if (brace * FloorSpecBraceUnit + board != code) {
        code = brace * FloorSpecBraceUnit + board;
        ++repairs;
    }
}

} // namespace

// ---- writer ----------------------------------------------------------------------------------

std::string WriteModelFile(const Document& doc, int32_t currentScenario) {
    ModelFileWriter w(WrittenSize(doc));
    w.tag("qv8");
    VisitModelFile(w, doc, currentScenario, Layout::V8);
    return std::move(w.bytes());
}

std::string WriteModelFile() {
    return WriteModelFile(Doc, App.CurrentScenario);
}

// ---- current reader and the "qv6" variant ----------------------------------------------------

ModelReadStatus ReadModelFileV8(std::string_view file, Document& doc) {
    ModelFileReader r(file, TagBytes);
    int32_t scenarioOnScreen = 0; // read and dropped: a loaded document opens on scenario 0
    VisitModelFile(r, doc, scenarioOnScreen, Layout::V8);
    return r.status();
}

ModelReadStatus ReadModelFileV6(std::string_view file, Document& doc) {
    ModelFileReader r(file, TagBytes);
    int32_t scenarioOnScreen = 0;
    VisitModelFile(r, doc, scenarioOnScreen, Layout::V6);
    return r.status();
}

// ---- reader choice ---------------------------------------------------------------------------

ModelFileKind ChooseReader(std::string_view fileStart, std::string_view path) {
    if (fileStart.size() < TagBytes) return ModelFileKind::Unknown;
    std::string_view tag = fileStart.substr(0, 3); // the fourth byte only ends the text
    if (tag == "qv2") return ModelFileKind::V2;
    if (tag == "qv5") return ModelFileKind::V5;
    if (tag == "qv6") return ModelFileKind::V6;
    if (tag == "qv7") return ModelFileKind::V7;
    if (tag == "qv8")
        return fileio::EqualsIgnoringCase(fileio::ExtensionOf(path), ".vq0")
                   ? ModelFileKind::Diagnosis
                   : ModelFileKind::Current;
    return ModelFileKind::Unknown;
}

bool HoldsUserPanels(ModelFileKind kind) {
    return kind == ModelFileKind::Current;
}

// Defined with the older readers.
ModelReadStatus ReadModelFileV2(std::string_view file, Document& doc, int& repairs);
ModelReadStatus ReadDiagnosisFile(std::string_view file, Document& doc, ModelFileKind kind,
                                  int& repairs);

ModelReadStatus ReadModelBytes(std::string_view file, ModelFileKind kind, Document& doc,
                               int& repairs) {
    repairs = 0;
    ModelReadStatus st;
    switch (kind) {
    case ModelFileKind::Current:
        st = ReadModelFileV8(file, doc);
        break;
    case ModelFileKind::V6:
        st = ReadModelFileV6(file, doc);
        break;
    case ModelFileKind::V2:
        st = ReadModelFileV2(file, doc, repairs);
        break;
    case ModelFileKind::V5:
    case ModelFileKind::V7:
    case ModelFileKind::Diagnosis:
        st = ReadDiagnosisFile(file, doc, kind, repairs);
        break;
    case ModelFileKind::Unknown:
        st.ok = false;
        st.reason = "ファイルの種類が分かりません";
        return st;
    }
    if (st.ok) repairs += RepairCodes(doc) + RepairReals(doc);
    return st;
}

// ---- range repair ----------------------------------------------------------------------------

int RepairCodes(Document& d) {
    int repairs = 0;
    for (int s = 0; s < Scenarios; ++s)
        for (int f = 0; f < Storeys; ++f) {
            auto live = [&](const int32_t(&counts)[ModelSlots][Storeys], int capacity) {
                return ModelFileWriter::liveCount(counts[s][f], capacity);
            };
            for (int i = 0; i < live(d.ColumnCount, MaxColumns); ++i)
                RepairColumn(d.Columns[s][f][i], repairs);
            for (int i = 0; i < live(d.WallCount, MaxWalls); ++i)
                RepairWall(d.Walls[s][f][i], repairs);
            for (int i = 0; i < live(d.RoofFloorRectCount, MaxRoofFloorRects); ++i)
                RepairAreaCode(d.RoofFloorRects[s][f][i].code, repairs);
            for (int i = 0; i < live(d.RoofFloorTriCount, MaxRoofFloorTris); ++i)
                RepairAreaCode(d.RoofFloorTris[s][f][i].code, repairs);
            for (int i = 0; i < live(d.FloorSpecRectCount, MaxFloorSpecRects); ++i)
                RepairFloorSpecCode(d.FloorSpecRects[s][f][i].code, repairs);
            for (int i = 0; i < live(d.FloorSpecTriCount, MaxFloorSpecTris); ++i)
                RepairFloorSpecCode(d.FloorSpecTris[s][f][i].code, repairs);
            for (int i = 0; i < live(d.FoundationCount, MaxFoundations); ++i)
                Fix(d.Foundations[s][f][i].type, 0, 2, repairs);
            for (int i = 0; i < live(d.FreeLineCount, MaxFreeLines); ++i)
                Fix(d.FreeLines[s][f][i].style, 0, 5, repairs);
        }
    for (auto& k : d.AxisKindX) Fix(k, 0, 2, repairs);
    for (auto& k : d.AxisKindY) Fix(k, 0, 2, repairs);
    for (int s = 0; s < Scenarios; ++s) {
        Fix(d.StoreyData.topStorey[s], 0, Storeys - 1, repairs);
        Fix(d.StoreyData.weightClass[s], 0, 2, repairs);
        Fix(d.StoreyData.roofWallClass[s], 0, 3, repairs);
    }
    int32_t e = d.CriteriaEdition;
    if (e != EditionNational2004 && e != EditionOlderFile && e != EditionCity &&
        e != EditionRevision2012) {
        d.CriteriaEdition = EditionNational2004;
        ++repairs;
    }
    Fix(d.DiagnosisMethod, 0, DiagnosisMethods - 1, repairs);
    return repairs;
}

namespace {

// Brings a real below `lo` (or no number) up to `lo`; counts a change.
void FixAtLeast(double& v, double lo, int& repairs) {
    if (!(v >= lo)) {
        v = lo;
        ++repairs;
    }
}

} // namespace

int RepairReals(Document& d) {
    int repairs = 0;
    // A snow term below 0 would make storey weights negative and a square root of the
    // calculation no number; the smallest zone factor the method knows is 0.7.
    FixAtLeast(d.BuildingData.snowLoadTerm, 0.0, repairs);
    if (d.BuildingData.zoneFactorZ < 0.0) FixAtLeast(d.BuildingData.zoneFactorZ, 0.7, repairs);
    StoreyDataRecord& st = d.StoreyData;
    for (int s = 0; s < Scenarios; ++s) {
        FixAtLeast(st.buildingArea[s], 0.0, repairs);
        FixAtLeast(st.totalFloorArea[s], 0.0, repairs);
        for (int f = 0; f < Storeys; ++f) {
            FixAtLeast(st.floorArea[f][s], 0.0, repairs);
            FixAtLeast(st.storeyHeight[s][f], 0.0, repairs);
        }
    }
    // A negative strength or stiffness gives a wall negative stiffness.
    for (CustomPanelRecord& p : d.CustomPanels) {
        FixAtLeast(p.strength, 0.0, repairs);
        FixAtLeast(p.stiffness, 0.0, repairs);
        FixAtLeast(p.ratio, 0.0, repairs);
    }
    return repairs;
}

// ---- load and save ---------------------------------------------------------------------------

namespace {

// The other reader of "qv8" files for a name that does not say for sure which layout it holds:
// earlier builds saved the current layout under ".vq0" names and their ".BAK" backups.
ModelFileKind OtherQv8Reader(ModelFileKind kind, std::string_view path) {
    if (kind == ModelFileKind::Diagnosis) return ModelFileKind::Current;
    if (kind == ModelFileKind::Current &&
        fileio::EqualsIgnoringCase(fileio::ExtensionOf(path), ".BAK"))
        return ModelFileKind::Diagnosis;
    return ModelFileKind::Unknown;
}

// A read of a whole file into a fresh document: what counted of it.
struct ModelRead {
    ModelReadStatus status;
    ModelFileKind kind = ModelFileKind::Unknown;
    std::unique_ptr<Document> doc = std::make_unique<Document>();
    int repairs = 0;
};

// Reads `bytes` with the reader their tag and the name `path` choose, and where that one refuses
// a "qv8" file under a name that does not say which layout it holds, with the other one. A file
// that ends midway, as a save cut off while it wrote the file in place leaves it, is told by
// `status.endsEarly`: also a beginning of a tag.
ModelRead ReadChosen(std::string_view bytes, std::string_view path) {
    ModelRead read;
    read.kind = ChooseReader(bytes, path);
    read.status.ok = false;
    read.status.endsEarly =
        bytes.size() < TagBytes && std::string_view("qv").starts_with(bytes.substr(0, 2));
    read.status.reason = "ファイルの種類が分かりません";
    if (read.kind != ModelFileKind::Unknown)
        read.status = ReadModelBytes(bytes, read.kind, *read.doc, read.repairs);
    if (ModelFileKind other = OtherQv8Reader(read.kind, path);
        !read.status.ok && other != ModelFileKind::Unknown) {
        ModelRead second;
        second.kind = other;
        second.status = ReadModelBytes(bytes, other, *second.doc, second.repairs);
        if (second.status.ok) read = std::move(second);
    }
    return read;
}

// Whether `bytes` of the file `path` are a beginning of a model file, as the open finds it.
bool EndsEarly(std::string_view bytes, std::string_view path) {
    return ReadChosen(bytes, path).status.endsEarly;
}

// Refuses the file at `path` for `reason`. One that ends midway, as a save cut off while it wrote
// the file in place leaves it, also says where its whole earlier version stands, or that a save
// is writing it right now.
void TellUnreadable(const std::string& path, const std::string& reason,
                    const fileio::FileAsRead* endsEarly) {
    const std::string advice =
        endsEarly ? fileio::CutFileAdvice(*endsEarly, BackupPathFor(endsEarly->leaf), EndsEarly)
                  : "";
    Messages().ask(std::string(UnreadableFileText) + "\n\n" + path + "\n\n" + reason +
                       (advice.empty() ? "" : "\n\n" + advice),
                   ReadErrorCaption, MsgButtons::Ok, MsgIcon::Information);
}

} // namespace

LoadOutcome LoadModelFile(const std::string& path, const std::function<void()>& beforeReplace) {
    LoadOutcome out;
    std::string error;
    auto bytes = fileio::ReadWholeFile(path, error, &out.state);
    ModelRead read = bytes ? ReadChosen(*bytes, path) : ModelRead();
    if (!bytes) read.status = {false, 0, error, false, {}};
    out.kind = read.kind;
    out.repairs = read.repairs;
    if (!read.status.ok) {
        out.reason = read.status.reason;
        TellUnreadable(path, out.reason, read.status.endsEarly ? &out.state : nullptr);
        return out;
    }

    if (beforeReplace) beforeReplace();
    Doc = *read.doc;
    if (!HoldsUserPanels(out.kind)) ResetPanelElements();
    out.ok = true;
    out.leftOut = read.status.leftOut;
    if (out.repairs > 0 || !out.leftOut.empty()) {
        std::string text;
        if (out.repairs > 0)
            text = "範囲を外れた値が " + std::to_string(out.repairs) +
                   " 個ありました。\n範囲内の値に直して読み込みました。";
        if (!out.leftOut.empty()) {
            if (!text.empty()) text += "\n\n";
            text += "入れる場所がなく、読み込めなかったものがあります：";
            for (const std::string& item : out.leftOut) text += "\n" + item;
        }
        Messages().ask(text, ReadWarningCaption, MsgButtons::Ok, MsgIcon::Warning);
    }
    return out;
}

std::string BackupPathFor(const std::string& path) {
    std::string_view ext = fileio::ExtensionOf(path);
    return path.substr(0, path.size() - ext.size()) + ".BAK";
}

fileio::SaveReport SaveModelFile(const std::string& path, fileio::SaveTerms& terms,
                                 const AskChanged& askChanged) {
    terms.endsEarly = EndsEarly;
    fileio::SaveReport report =
        SaveAsking(path, WriteModelFile(), BackupPathFor, terms, askChanged);
    if (report.ok()) App.Modified = 0;
    return report;
}

fileio::SaveReport SaveModelFile(const std::string& path) {
    fileio::SaveTerms terms;
    return SaveModelFile(path, terms);
}
