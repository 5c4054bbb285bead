#include "print/PrintApplicationForms.h"

#include "calc/ResultSummary.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Cp932.h"
#include "model/Model.h"
#include "print/PrintFrame.h"
#include "print/PrintSheet.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace sheet;

// The city's seismic-retrofit promotion programme, as the title line and the request text
// name it.
constexpr const char* ProgrammeName = "vu市木造住宅耐震改修事業";

// Half-width cells of a UTF-8 text whose non-ASCII characters are all full-width.
constexpr int HalfWidthCells(std::string_view utf8) {
    int cells = 0;
    for (char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            cells += 1;
        else if (b >= 0xC0)
            cells += 2; // the lead byte of a full-width character
    }
    return cells;
}
// The request line (x 19 mm, 2 mm a half-width cell) holds a full-width space, the name and 24
// full-width characters: at most 20 full-width characters keep it on the page.
static_assert(HalfWidthCells(ProgrammeName) <= 40);

// Right edges of the filled-in values: the paper (less a millimetre), and for the firms'
// registration numbers the end of their underline, after "登録No." (7 half-width cells of 2 mm
// from x 147), before the tick and "一時".
constexpr double PaperRight = DesignPageWidthMm - 1;
constexpr double RegisteredNumberMm = 147 + 7 * 2;

constexpr Variant DesignForm = 1;
constexpr Variant WorksForm = 2;
constexpr Entry Design(Entry e) {
    return Only(DesignForm, e);
}
constexpr Entry Works(Entry e) {
    return Only(WorksForm, e);
}

int Scenario() {
    return ClampIndex(App.CurrentScenario, Scenarios);
}

std::string Programme() {
    return Sj(ProgrammeName);
}

// The owner's address field holds the postcode in its first 8 bytes, the address after them;
// a double-byte character across byte 8 goes with the address.
std::size_t PostcodeBytes(std::string_view address) {
    return cp932::prefixOnBoundary(address, 8);
}
std::string OwnerPostcode() {
    const std::string_view address = Doc.BuildingData.ownerAddress.view();
    return std::string(address.substr(0, PostcodeBytes(address)));
}
std::string OwnerAddress() {
    const std::string_view address = Doc.BuildingData.ownerAddress.view();
    return std::string(address.substr(PostcodeBytes(address)));
}

std::string OwnerName() {
    return Doc.BuildingData.ownerName.str();
}
std::string OwnerPhone() {
    return Doc.BuildingData.ownerPhone.str();
}
std::string SiteLotNumber() {
    return Doc.BuildingData.siteLotNumber.str();
}

std::string StructureAndSize() {
    switch (TopStoreyOf(Scenario())) {
    case 1:
        return Sj("木造２階建て");
    case 2:
        return Sj("木造３階建て");
    default:
        return Sj("木造平屋建て");
    }
}

double TotalFloorArea() {
    return Doc.StoreyData.totalFloorArea[Scenario()];
}

const RetrofitApplicationRecord& Application() {
    return Doc.RetrofitApplication;
}
std::string DesignerName() {
    return Application().designerName.str();
}
std::string DesignerAddress() {
    return Application().designerAddress.str();
}
std::string DesignerNumber() {
    return Application().designerNumber.str();
}
std::string DesignerPhone() {
    return Application().designerPhone.str();
}
std::string DesignerFax() {
    return Application().designerFax.str();
}
std::string ContractorName() {
    return Application().contractorName.str();
}
std::string ContractorAddress() {
    return Application().contractorAddress.str();
}
std::string ContractorNumber() {
    return Application().contractorNumber.str();
}
std::string ContractorPhone() {
    return Application().contractorPhone.str();
}
std::string ContractorFax() {
    return Application().contractorFax.str();
}
std::string DiagnosisScoreText() {
    return Application().diagnosisScoreText.str();
}

// The upper-structure score of the scenario, cut as every printed score is.
double BuildingScore() {
    return TruncatedScore(ScoreRes.BuildingScore[Scenario()][0], 2);
}

// The design approval's date and number. The date names the era it was stored with; a date
// without a readable era prints as 平成, the era the form was made in.
std::string ApprovalNotice() {
    static constexpr const char* EraNames[5] = {"西暦", "明治", "大正", "昭和", "平成"};
    const RetrofitApplicationRecord& a = Application();
    const std::string eraYear = a.approvalEraYear.str();
    int era = -1;
    char year[9] = "";
    if (std::sscanf(eraYear.c_str(), "%1i%8s", &era, year) < 1) era = -1;
    const std::string eraName = Sj(era >= 0 && era < 5 ? EraNames[era] : "平成");
    const std::string format = Sj("%s%4s年%4s月%4s日　　　第%10s 号");
    char text[256];
    std::snprintf(text, sizeof text, format.c_str(), eraName.c_str(), year,
                  a.approvalMonth.str().c_str(), a.approvalDay.str().c_str(),
                  a.approvalNumber.str().c_str());
    return text;
}

// Both approval forms in drawing order; the lines marked Design or Works belong to one form.
constexpr Entry ApprovalForm[] = {
    // Frame.
    Pen(0.3),
    Rect(17, 132, 185, 247),
    Line(29, 143.5, 185, 143.5),
    Line(29, 155, 185, 155),
    Line(29, 178, 185, 178),
    Line(17, 166.5, 185, 166.5),
    Line(17, 189.5, 185, 189.5),
    Design(Line(17, 201, 185, 201)),
    Works(Line(29, 201, 185, 201)),
    Line(17, 212.5, 185, 212.5),
    Line(17, 224, 185, 224),
    Line(17, 235.5, 185, 235.5),
    Design(Line(29, 132, 29, 189.5)),
    Works(Line(29, 132, 29, 212.5)),
    Line(64, 132, 64, 247),
    Line(126, 143.5, 126, 178),
    Line(145, 143.5, 145, 178),
    Works(Line(145, 160.7, 185, 160.7)),
    Works(Line(164, 155, 164, 166.5)),
    Works(Line(126, 189.5, 126, 201)),
    Works(Line(145, 189.5, 145, 201)),
    // Underlines and ticks of the registration numbers, the line of the form's number.
    Pen(0.1),
    Line(145, 174.5, 172, 174.5),
    Line(172, 174.5, 174, 170.5),
    Works(Line(145, 197.5, 172, 197.5)),
    Works(Line(172, 197.5, 174, 193.5)),
    Line(146.5, 131.5, 181.5, 131.5),
    // Title.
    Font(5, 2.5),
    Design(Text(66, 38, "【耐震設計】計画承認申請書")),
    Works(Text(66, 38, "【補強工事】計画承認申請書")),
    // Body.
    Font(4, 2),
    Design(Text(19, 22, "第１号様式（第５条第１項）")),
    Works(Text(19, 22, "第３号様式（第６条第１項）")),
    Field(62, 33, "%s", Programme),
    Text(19, 50, "(申請先)"),
    Text(19, 56, "vu市長"),
    Text(150, 50, "年　　月　　日"),
    // Applicant.
    Text(101, 73, "申請者"),
    Text(117, 73, "〒"),
    Text(117, 78, "住所"),
    Text(117, 83.5, "氏名"),
    Text(117, 89, "電話"),
    Field(135, 73, "%s", OwnerPostcode),
    Field(135, 78, "%s", OwnerAddress, PaperRight),
    Field(135, 83.5, "%s (印)", OwnerName, PaperRight),
    Field(135, 89, "%s", OwnerPhone, PaperRight),
    // Request.
    Design(Field(19, 111, "　%s計画承認要綱第５条第１項の規定により、次の木造住", Programme)),
    Works(Field(19, 111, "　%s計画承認要綱第６条第１項の規定により、次の木造住", Programme)),
    Design(Text(19, 116, "宅の耐震設計に係る計画の承認を受けたいので関係書類を添えて申請します。")),
    Works(Text(19, 116, "宅の補強工事に係る計画の承認を受けたいので関係書類を添えて申請します。")),
    // Table rows.
    Text(31, 136, "所   在   地"),
    Field(66, 136, "%s", SiteLotNumber, 184),
    Text(31, 147.5, "構造及び規模"),
    Field(66, 147.5, "%s", StructureAndSize),
    Text(31, 159, "所   有   者"),
    Field(66, 159, "%s", OwnerName, 125),
    Text(31, 170.5, "氏        名"),
    Field(66, 170.5, "%s", DesignerName, 125),
    Text(31, 182, "所   在   地"),
    Field(66, 182, "%s", DesignerAddress, 127),
    Works(Text(31, 193.5, "氏        名")),
    Works(Field(66, 193.5, "%s", ContractorName, 125)),
    Works(Text(31, 205, "所   在   地")),
    Works(Field(66, 205, "%s", ContractorAddress, 127)),
    // Right column.
    Text(128, 147.5, "延べ面積"),
    Number(147, 147.5, "%8.2f ㎡", TotalFloorArea),
    Text(128, 156.5, "耐震診断"),
    Text(128, 161.5, "総合評点"),
    Design(Field(147, 159, "   %s", DiagnosisScoreText)),
    Works(Field(164, 156.2, "   %s", DiagnosisScoreText)),
    Works(Number(168, 161.9, "%5.2f", BuildingScore)),
    Text(128, 168, "本市登録"),
    Text(128, 173, "事 業 者"),
    Text(128, 179.5, "電話"),
    Field(147, 179.5, "%s", DesignerPhone, 184),
    Text(128, 184.5, "FAX"),
    Field(147, 184.5, "%s", DesignerFax, 184),
    Text(147, 127, "Ｎｏ．"),
    Text(147, 170.5, "登録No."),
    Text(176, 170.5, "一時"),
    Field(RegisteredNumberMm, 170.5, "%s", DesignerNumber, 172),
    Works(Text(128, 191, "本市登録")),
    Works(Text(128, 196, "事 業 者")),
    Works(Text(128, 202.5, "電話")),
    Works(Field(147, 202.5, "%s", ContractorPhone, 184)),
    Works(Text(128, 207.5, "FAX")),
    Works(Field(147, 207.5, "%s", ContractorFax, 184)),
    Works(Text(147, 193.5, "登録No.")),
    Works(Text(176, 193.5, "一時")),
    Works(Field(RegisteredNumberMm, 193.5, "%s", ContractorNumber, 172)),
    // Costs; the amounts stay blank.
    Design(Text(19, 191, "工事費概算額")),
    Design(Text(19, 196, "(全体)")),
    Design(Text(19, 202.5, "①のうち補助工事費")),
    Design(Text(19, 207.5, "予定額")),
    Design(Text(19, 214, "設計費予定額")),
    Works(Text(19, 214, "工事費予定額")),
    Text(19, 219, "(全体)"),
    Design(Text(19, 225.5, "②のうち耐震設計費")),
    Works(Text(19, 225.5, "①のうち補強工事費")),
    Text(19, 230.5, "予定額"),
    Design(Text(19, 239.5, "世帯の課税区分")),
    Works(Text(19, 237, "耐震設計計画")),
    Works(Text(19, 242, "承認通知書番号")),
    Design(Text(120, 193.5, "円 ①")),
    Design(Text(120, 205, "円")),
    Design(Text(120, 216.5, "円 ②")),
    Works(Text(120, 216.5, "円 ①")),
    Text(120, 228, "円"),
    Design(Text(74, 239.5, "課税　・　非課税")),
    Works(Field(75, 239.5, "%s", ApprovalNotice)),
    Text(170, 259, "(Ａ４)"),
    // The score cell of the works form, split in two.
    Works(Font(3.5, 1.75)),
    Works(Text(146, 156.3, "改　修　前")),
    Works(Text(146, 162, "改修後想定")),
    // Vertical captions.
    VerticalFont(4, 2),
    Text(25, 142, "建　物"),
    Text(22, 169, "耐震設計"),
    Design(Text(27, 169, "予定事業者")),
    Works(Text(27, 169, "事 業 者")),
    Works(Text(22, 192, "補強工事")),
    Works(Text(27, 192, "予定事業者")),
};

} // namespace

void PrintDesignApprovalApplication(PrintDevice& device, double dotsPerMm) {
    PrintSheet(device, dotsPerMm, ApprovalForm, DesignForm);
}

void PrintWorksApprovalApplication(PrintDevice& device, double dotsPerMm) {
    PrintSheet(device, dotsPerMm, ApprovalForm, WorksForm);
}

void PrintBlankSheet(PrintDevice& device, double dotsPerMm) {
    PrintSheet(device, dotsPerMm, {});
}
