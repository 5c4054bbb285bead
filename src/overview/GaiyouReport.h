#pragma once
// The diagnosis report pages of the overview dialog (診断報告書): the site survey of ground,
// terrain, foundation cracks, joint hardware and bracing; the findings sentences; free notes,
// the diagnostician's memo and the reception number; the building permits and drawing checks.
// No control here changes another: showing loads every field, OK stores every control, also
// while the pages are hidden (the city edition off), so that their fields keep what was shown.
#include "overview/GaiyouReportTexts.h"
#include "ui/Controls.h"

class FieldBindings;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

struct GaiyouReport {
    explicit GaiyouReport(QObject* owner);

    void buildGroundPage(QWidget* page, FieldBindings& fields);    // 地盤基礎
    void buildFindingsPage1(QWidget* page, FieldBindings& fields); // 所見（１）
    void buildFindingsPage2(QWidget* page, FieldBindings& fields); // 所見（２）
    void buildNotesPage(QWidget* page, FieldBindings& fields);     // その他・診断士メモ
    void buildPermitPage(QWidget* page, FieldBindings& fields);    // 確認申請・図面

    // The checked ground radio (0 良い, 1 普通, 2 悪い), -1 for none.
    int groundAnswer() const { return groundGroup.checkedId(); }

    // --- 地盤基礎 ------------------------------------------------------------------------
    QLineEdit* Echousa = nullptr;
    QComboBox* Echoyearn = nullptr;
    QLineEdit *Echoyear = nullptr, *Echomon = nullptr, *Echoday = nullptr;
    QRadioButton* Ejiban[3] = {};
    QLineEdit *Ejibanj = nullptr, *Ejibant = nullptr;
    QRadioButton *Echikei1 = nullptr, *Echikei0 = nullptr;
    QLineEdit* Echikeij = nullptr;
    QCheckBox* Echikeit[3] = {}; // by flag: Echikeit1, Echikeit2, Echikeit0
    QLineEdit* Ehibikasho = nullptr;
    QCheckBox* Ehibigen[3] = {}; // Ehibigen1 to Ehibigen3
    QLineEdit* Ehibigeng = nullptr;
    QRadioButton* Rkanamono[3] = {};
    QCheckBox* Chashira[4] = {}; // Chashira1 to Chashira4
    QRadioButton* Rankab[3] = {};
    QRadioButton* Rhagoita[3] = {};
    QRadioButton* Rsujikana[3] = {};
    QRadioButton* Esujicho[3] = {};
    QLineEdit* Esujichobasho = nullptr;
    QRadioButton* Esujikei[3] = {};
    QLineEdit* Esujikeisoutei = nullptr;

    // --- 所見（１）, 所見（２）: in the order of FindingBoxes ---------------------------------
    QComboBox* Findings[FindingCount] = {};

    // --- その他・診断士メモ ---------------------------------------------------------------
    QLineEdit* Esonota[4] = {};        // topic titles Esonota1 to Esonota4
    QLineEdit* EsonotaLine[4][2] = {}; // Esonota11, Esonota12, ... Esonota42
    QLineEdit* Esmemo[6] = {};
    QLineEdit *Euketsuke = nullptr, *Esnum = nullptr, *Esname = nullptr;

    // --- 確認申請・図面, by stage k (0 new build, 1..3 the extensions) -------------------
    QCheckBox* Cchozumen[3] = {};
    QRadioButton *Rzumen01 = nullptr, *Rzumen00 = nullptr, *Rzumen11 = nullptr, *Rzumen10 = nullptr;
    QRadioButton *Rtsishou10 = nullptr, *Rtsishou11 = nullptr, *Rtsishou20 = nullptr,
                 *Rtsishou21 = nullptr;
    QComboBox* Ekakyearn[4] = {};
    QLineEdit* Ekakyear[4] = {};
    QLineEdit* Ekakmon[4] = {};
    QLineEdit* Ekakday[4] = {};
    QLineEdit* Ekaknum[4] = {};
    QCheckBox* Ekoufumei[4] = {};
    // [k][stored value]: 0 有り (Ekensa k1), 1 無し (Ekensa k0), 2 不明 (Ekensa k2).
    QRadioButton* Ekensa[4][3] = {};

    RadioGroup groundGroup, slopeGroup;
    RadioGroup columnEndGroup, anchorBoltGroup, beamColumnGroup, braceEndGroup;
    RadioGroup braceSurveyGroup, braceCalculationGroup;
    RadioGroup otherDrawingsGroup, publicLoanGroup, extensionGroup, mixedScopeGroup;
    RadioGroup inspectionGroups[4];
};
