#pragma once
// The building overview: eight records, one instance each in the document. Texts are FixedText
// fields whose width is the width of their slot in the model file, so that a text read from a
// file always fits and a text written always keeps its zero byte. The default member
// initialisers are the values of a program that has just started.
#include "model/FixedText.h"

#include <cstdint>

// CP932 bytes of the start texts ("vu市", "***-****vu市", "目視による").
inline constexpr const char OverviewCityText[] = "vu\x8e\x73";
inline constexpr const char OverviewOwnerAddressText[] = "***-****vu\x8e\x73";
inline constexpr const char OverviewVisualSurveyText[] = "\x96\xda\x8e\x8b\x82\xc9\x82\xe6\x82\xe9";

// Era digit of a date's era-year text: 0 western years, 1 明治, 2 大正, 3 昭和, 4 平成, 5 none.
struct BuildingDataRecord {
    FixedText<81> clientAddress{OverviewCityText};
    FixedText<81> clientName;
    FixedText<17> clientPhone{"045-"};
    FixedText<81> ownerAddress{OverviewOwnerAddressText}; // bytes 0-7 the postcode
    FixedText<81> ownerName;
    FixedText<17> ownerPhone{"045-"};
    FixedText<81> siteAddress{OverviewCityText};
    FixedText<81> siteLotNumber{OverviewCityText};
    int32_t structureType = 0; // 0 在来軸組構造, 1 伝統的工法, 2 枠組壁工法
    int32_t buildingUse = 0;   // 0 専用住宅, 1 店舗, 2 事務所, 3 その他
    FixedText<33> buildingUseOther;
    int32_t garage = 0;   // 0 none, 1 built in, 2 separate
    int32_t basement = 0; // 0/1
    // [0] new build, [1..3] extension or alteration 1 to 3.
    FixedText<11> constructionEraYear[4] = {{"5"}, {"5"}, {"5"}, {"5"}};
    FixedText<11> constructionMonth[4];
    FixedText<11> constructionDay[4];
    int32_t extensionDone[4] = {};
    int32_t mixedStructure = 0; // 0 none, 1 with RC, 2 with steel
    double snowLoadTerm = 0.0;
    double zoneFactorZ = 1.0;
    bool operator==(const BuildingDataRecord&) const = default;
};

// Arrays indexed by scenario s (0 現況, 1 改修案１, 2 改修案２); storey f 0 = 1F.
struct StoreyDataRecord {
    int32_t topStorey[3] = {1, 1, 1}; // 0 one storey, 1 two, 2 three
    int32_t atticStorage[3] = {};
    int32_t weightClass[3] = {};   // 0 light, 1 heavy, 2 very heavy
    int32_t roofWallClass[3] = {}; // 0..3 roof light/heavy x wall light/heavy
    double buildingArea[3] = {};
    double floorArea[3][3] = {}; // [storey][scenario]
    double totalFloorArea[3] = {};
    double storeyHeight[3][3] = {{2.8, 2.8, 2.8}, {2.8, 2.8, 2.8}, {2.8, 2.8, 2.8}}; // [s][f]
    bool operator==(const StoreyDataRecord&) const = default;
};

struct GroundFoundationSurveyRecord {
    FixedText<81> surveyMethod{OverviewVisualSurveyText};
    FixedText<11> surveyEraYear{"4"};
    FixedText<11> surveyMonth;
    FixedText<11> surveyDay;
    int32_t groundClass = 1; // mod 8: 0 good, 1 normal, 2 poor; + 8 markedly soft
    FixedText<81> groundCondition;
    FixedText<81> groundMeasure;
    FixedText<81> softGroundBasis;
    int32_t slope = 0;
    FixedText<81> slopeCondition;
    int32_t slopeMeasure[3] = {};
    FixedText<81> crackLocation;
    int32_t crackCause[3] = {};
    FixedText<81> crackCauseText;
    int32_t columnEndHardware = 0; // 0 none, 1 present, 2 not visible
    int32_t jointType[4] = {};
    int32_t anchorBolts = 0;
    int32_t beamColumnHardware = 0;
    int32_t braceEndHardware = 0;
    int32_t braceSurvey = 3; // 3: no button chosen
    FixedText<81> braceSurveyLocation;
    int32_t braceInCalculation = 3; // 3: no button chosen
    FixedText<257> braceAssumption;
    bool operator==(const GroundFoundationSurveyRecord&) const = default;
};

struct FoundationFloorSpecRecord {
    int32_t foundationType = 1; // 0 RC, 1 plain concrete, 2 stone base, 3 other
    int32_t foundationCrack = 0;
    int32_t footBracing = 0;
    int32_t foundationClass = 2; // derived by the overview dialog; never in the file
    FixedText<81> foundationMemo;
    int32_t uniformFoundation = 0;
    int32_t floorMaterial = 1; // 0 all plywood, 1 other, 2 not visible
    int32_t horizontalBrace = 0;
    int32_t largeVoid = 0;
    int32_t uniformFloor = 0;
    bool operator==(const FoundationFloorSpecRecord&) const = default;
};

struct DeteriorationSurveyRecord {
    FixedText<81> roofFinish;
    int32_t roofDeteriorated = 0;
    FixedText<81> roofPlace;
    FixedText<81> roofState;
    int32_t gutterDeteriorated = 0;
    int32_t downpipeDeteriorated = 0;
    FixedText<81> outerWallBase;
    FixedText<81> outerWallFinish;
    int32_t outerWallDeteriorated = 0;
    FixedText<81> outerWallPlace;
    FixedText<81> outerWallState;
    int32_t exposedFrame = 0;
    int32_t balcony = 0;
    FixedText<81> balconyMaterial;
    int32_t balconyParapetDeteriorated = 0;
    int32_t balconyJointDeteriorated = 0;
    int32_t balconyDrainDeteriorated = 0;
    FixedText<81> innerWallBase;
    FixedText<81> innerWallFinish;
    int32_t innerWallDeteriorated = 0;
    FixedText<81> innerWallPlace;
    int32_t bathFinish = 0; // 0 tiles, 1 other, 2 no bathroom
    FixedText<81> bathNote;
    int32_t bathDeteriorated = 0;
    int32_t bathDamage[2] = {};
    int32_t floorDeteriorated = 0;
    int32_t corridorDeteriorated = 0;
    int32_t underfloorDeteriorated = 0;
    bool operator==(const DeteriorationSurveyRecord&) const = default;
};

// Stage k: 0 new build, 1..3 extensions.
struct PermitRecordRecord {
    int32_t permitUnknown[4] = {};
    int32_t extensionAfter1981 = 0;
    int32_t mixedStructureScope = 0;
    FixedText<11> permitEraYear[4] = {{"5"}, {"5"}, {"5"}, {"5"}};
    FixedText<11> permitMonth[4];
    FixedText<11> permitDay[4];
    FixedText<81> permitNumber[4];
    int32_t inspectionCertificate[4] = {1, 1, 1, 1}; // 0 present, 1 absent, 2 unknown
    int32_t otherDrawings = 0;
    int32_t publicLoan = 0;
    int32_t drawingCheck[3] = {};
    bool operator==(const PermitRecordRecord&) const = default;
};

struct ReportTextsRecord {
    FixedText<81> otherNotes[12]; // [3 group + line]
    FixedText<17> receptionNumber;
    FixedText<257> findings[24]; // three lines per topic
    FixedText<81> diagnosticianMemo[6];
    bool operator==(const ReportTextsRecord&) const = default;
};

struct RetrofitApplicationRecord {
    FixedText<6> reinforcementNo;
    FixedText<11> designerNumber;
    FixedText<81> designerAddress{OverviewCityText};
    FixedText<81> designerName;
    FixedText<17> designerPhone{"045-"};
    FixedText<17> designerFax{"045-"};
    FixedText<11> contractorNumber;
    FixedText<81> contractorAddress{OverviewCityText};
    FixedText<81> contractorName;
    FixedText<17> contractorPhone{"045-"};
    FixedText<17> contractorFax{"045-"};
    FixedText<6> diagnosisScoreText{"0.0"};
    FixedText<17> approvalNumber;
    FixedText<11> approvalEraYear;
    FixedText<11> approvalMonth;
    FixedText<11> approvalDay;
    FixedText<257> basicPolicy[5];
    int32_t retrofitDone[4] = {};    // [0] foundation, [1] walls, [2] roof, [3] other
    FixedText<257> retrofitText[12]; // [3 item + line]
    FixedText<6> roadWidth;
    FixedText<6> siteArea;
    int32_t zoningDistrict = 0;
    FixedText<6> designatedCoverage;
    FixedText<6> designatedFloorRatio;
    FixedText<6> buildingAreaText;
    FixedText<6> coverageRatio;
    FixedText<6> totalFloorAreaText;
    FixedText<6> floorAreaRatio;
    int32_t roadProjection = 0;
    int32_t northSlope = 0;
    int32_t roadSlope = 0;
    FixedText<257> nonConformityMeasures[4];
    int32_t lawCheck[9][2] = {};      // [item][0 current, 1 after retrofit]
    int32_t specChoice[10][2] = {};   // [item][0 current, 1 after retrofit]
    int32_t problemRepair[5][2] = {}; // [item][0 current, 1 after retrofit]
    int32_t roofTileNotApplicable = 0;
    int32_t hearing1[13] = {};
    int32_t hearing2[11] = {};
    int32_t surveyGroundTerrain[2] = {};
    int32_t liquefaction = 0;
    int32_t surveyItem[4] = {};
    int32_t innerWallSpec[6] = {};
    FixedText<6> innerWallSpecText[5];
    int32_t columnHardware[2] = {};
    int32_t braceSpec[8] = {};
    int32_t surveyOther[2] = {};
    int32_t jointConcern[5] = {};
    int32_t diaphragmConcern[3] = {};
    int32_t floorSurvey[17] = {};
    bool operator==(const RetrofitApplicationRecord&) const = default;
};
