#pragma once
// The building overview dialog (概要): the one place where the overview records of all three
// scenarios are edited. Showing fills every control from the records; OK stores every control
// back, refreshes the main window through its host and has the plan recomputed; Cancel changes
// nothing.
//
// The dialog is a tree of pages. Each page is built by one member function, listed once in the
// page table (Gaiyou.cpp), and binds its controls to their fields in a FieldBindings list of
// its own: showing loads the pages in table order, OK stores them in the same order.
#include "overview/GaiyouApplication.h"
#include "overview/GaiyouDeterioration.h"
#include "overview/GaiyouReport.h"
#include "overview/GaiyouRules.h"
#include "ui/Bindings.h"
#include "ui/Controls.h"
#include "ui/Forms.h"

#include <cstdint>
#include <utility>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;

// What the dialog reads and writes of the main window.
class OverviewHost {
public:
    virtual ~OverviewHost() = default;
    // The main window's height in pixels; a smaller window makes the dialog smaller.
    virtual int mainWindowHeight() const = 0;
    // The storey radios and result rows follow the current scenario's storeys.
    virtual void updateStoreyControls() = 0;
    // The input modes 基礎 (Rkiso) and 屋根床仕様 (Ryukashiyou).
    virtual void setFoundationModeEnabled(bool enabled) = 0;
    virtual void setFloorSpecModeEnabled(bool enabled) = 0;
    // The settings changed: the next paint of the plan recomputes the diagnosis.
    virtual void documentChanged() = 0;
    // The edition and method labels, the scenario panel and the scenario radios follow the
    // stored edition, method and classes.
    virtual void showEditionAndClasses() {}
};

class TGaiyouDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TGaiyouDlg(QWidget* parent);
    ~TGaiyouDlg() override;

    // The main window while it shows the dialog; none: nothing of a window is touched.
    void setHost(OverviewHost* host) { host_ = host; }

    void FormShow() override;
    // A size the user gives the dialog stays for the rest of the run.
    void hideEvent(QHideEvent* event) override;
    // Stores every page, derives what follows from the settings, refreshes the main window and
    // closes the dialog; a number outside its field's range is refused instead (the dialog
    // stays open on that field, nothing stored).
    void OKBtnClick();
    // While a file is loading the dialog closes only with OK.
    bool FormCloseQuery() override;
    // The four page controls on their first pages (a new document, a read).
    void resetPages();
    // True when the last showing ended with an OK that changed what the model file stores.
    bool okChangedDocument() const { return okChangedDocument_; }

    // --- Frame ------------------------------------------------------------------------------
    QWidget* Panel1 = nullptr;
    QTabWidget* PageControl1 = nullptr; // 設定, 診断報告書, 改修申請, ストック１
    QTabWidget* PageControl2 = nullptr; // the sub-pages of 設定
    QTabWidget* PageControl3 = nullptr; // of 診断報告書
    QTabWidget* PageControl4 = nullptr; // of 改修申請
    QWidget* TabSheet1 = nullptr;       // 設定
    QWidget* TabSheet7 = nullptr;       // 診断報告書
    QWidget* TabSheet10 = nullptr;      // 改修申請
    QWidget* TabSheet19 = nullptr;      // ストック１, never shown
    QWidget* Panel2 = nullptr;          // the legend and the buttons
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // --- 基本事項（診断法） ----------------------------------------------------------------
    QWidget* TabSheet2 = nullptr;
    QRadioButton *Rmodeb0 = nullptr, *Rmodeb2 = nullptr, *Rmodeb4 = nullptr;
    QRadioButton* Rmodea[4] = {};          // Rmodea0 to Rmodea3
    QGroupBox* OtherElementsBox = nullptr; // その他の耐震要素の耐力, hidden
    QRadioButton *Ryuukaikou = nullptr, *Rmukaikou = nullptr;
    QRadioButton* Rtatemonokouzou[3] = {};
    QRadioButton* Rkonkouzou[3] = {};
    QComboBox* Csekiset = nullptr;
    QComboBox* CchiikiZ = nullptr;
    QRadioButton* Rtatemonoyouto[4] = {};
    QLineEdit* Eyouto_sonota = nullptr;
    QRadioButton* Rgareiji[3] = {};
    QRadioButton* Rchika[2] = {};
    QLineEdit *Eshiaddr = nullptr, *Eshiname = nullptr, *Eshitel = nullptr;
    QLineEdit *Epost = nullptr, *Eshoaddr = nullptr, *Eshoname = nullptr, *Eshotel = nullptr;
    QLineEdit *Eshozachiban = nullptr, *Eshozaaddr = nullptr;
    QComboBox* Ekouyearn[4] = {}; // era of 新築 (0) and of the three extensions
    QLineEdit* Ekouyear[4] = {};
    QLineEdit* Ekoumon[4] = {};
    QCheckBox* Ekouzou[4] = {}; // [1..3] 第１回 to 第３回; [0] has no box
    QLabel *Label278 = nullptr, *Label103 = nullptr, *Label200 = nullptr, *Label100 = nullptr,
           *Label96 = nullptr;

    // --- 建物階数・重さ・面積, by scenario s ----------------------------------------------
    QWidget* TabSheet21 = nullptr;
    QRadioButton* Rkaisu[3][3] = {}; // [s][top storey]: Rkaisu0.., Rkaisu10.., Rkaisu20..
    QLineEdit* Ekenmen[3] = {};
    QLineEdit* Eyuka[3][3] = {}; // [storey][s]: Eyuka1, Eyuka11, Eyuka12, Eyuka2 ...
    QLineEdit* Enobe[3] = {};
    QLineEdit* Etakasa[3][3] = {};     // [s][storey]: Etakasa01 .. Etakasa23
    QRadioButton* Rishiyou[3][3] = {}; // [s][weight class]
    QRadioButton* Rkoyaura[3][2] = {}; // [s][attic storage]
    QRadioButton* Rsshiyou[3][4] = {}; // [s][roof and wall class]
    QGroupBox* G2x3[3] = {}; // G213, G223, G233: 建物仕様（精密診断法・vu版）
    QLabel* Label108 = nullptr;

    // --- 基礎・床仕様・軟弱な地盤 ------------------------------------------------------------
    QWidget* TabSheet9 = nullptr;
    QRadioButton* Ekisok[4] = {};
    QLineEdit* Ekisomemo = nullptr;
    QRadioButton* Ekisoh[2] = {};
    QRadioButton* Ekisoa[2] = {};
    QLabel* Lkisoshu = nullptr;
    QCheckBox* Ckisokobetsu = nullptr;
    QRadioButton* Ryukashi[3] = {};
    QRadioButton* Rhiuchi[3] = {};
    QRadioButton* Rfukinuke[2] = {};
    QLabel* Lyukashu = nullptr;
    QCheckBox* Cyukakobetsu = nullptr;
    QCheckBox* Eichijiru = nullptr;
    QLineEdit* Ekonkyo1 = nullptr;

    // --- 劣化 --------------------------------------------------------------------------------
    GaiyouDeterioration Deterioration{this};
    // --- 診断報告書 ------------------------------------------------------------------------
    GaiyouReport Report{this};

private:
    // One page: the page control it sits in, its tab caption and the member that builds it.
    enum class PageControl { Settings, Report, Application };
    using PageBuilder = void (TGaiyouDlg::*)(QWidget* page, FieldBindings& fields);
    struct PageEntry {
        PageControl control;
        const char* caption;
        PageBuilder build;
    };
    static const PageEntry PageTable[];

    void BuildBasicPage(QWidget* page, FieldBindings& fields);
    void BuildStoreyPage(QWidget* page, FieldBindings& fields);
    void BuildFoundationPage(QWidget* page, FieldBindings& fields);
    void BuildDeteriorationPage(QWidget* page, FieldBindings& fields);
    void BuildReportGroundPage(QWidget* page, FieldBindings& fields);
    void BuildReportFindingsPage1(QWidget* page, FieldBindings& fields);
    void BuildReportFindingsPage2(QWidget* page, FieldBindings& fields);
    void BuildReportNotesPage(QWidget* page, FieldBindings& fields);
    void BuildReportPermitPage(QWidget* page, FieldBindings& fields);
    // A page of 改修申請, built by the application pages' own builder.
    template <void (GaiyouApplication::*Build)(QWidget*, FieldBindings&)>
    void BuildApplicationPage(QWidget* page, FieldBindings& fields) {
        (application_.*Build)(page, fields);
    }

    void BuildFrame();
    // The radios and boxes the calculation reads, in the legend's light blue.
    void ColourCalculationInputs();
    QTabWidget* PageControlOf(PageControl control) const;
    // Showing: the dialog's size by the main window's and the pages', or the size the user gave
    // it at an earlier showing of the run; the pages the switches offer, each scrolled to its
    // top.
    void FitToMainWindow();
    void FitToPages();
    void TakeUserSize();
    void ShowEditionChoice();
    // The crack and 足固め answers that count for the chosen foundation type.
    void EnableFoundationAnswers();
    // The ground answer OK composes the ground class of.
    int GroundAnswer() const;

    OverviewHost* host_ = nullptr;
    bool okChangedDocument_ = false;
    FormSize givenSize_; // at this showing
    FormSize userSize_;  // the size the user left it in, once he has changed it
    std::pair<int, bool> shownGround_{-1, false}; // the ground answer and soft box shown
    std::vector<FieldBindings> pageFields_;
    std::vector<QScrollArea*> pageScrolls_; // in the page table's order

    RadioGroup editionGroup_{this}, methodGroup_{this}, otherElementsGroup_{this};
    RadioGroup structureGroup_{this}, mixedGroup_{this}, useGroup_{this}, garageGroup_{this},
        basementGroup_{this};
    RadioGroup storeyGroups_[3]{RadioGroup(this), RadioGroup(this), RadioGroup(this)};
    RadioGroup atticGroups_[3]{RadioGroup(this), RadioGroup(this), RadioGroup(this)};
    RadioGroup weightGroups_[3]{RadioGroup(this), RadioGroup(this), RadioGroup(this)};
    RadioGroup roofWallGroups_[3]{RadioGroup(this), RadioGroup(this), RadioGroup(this)};
    RadioGroup foundationTypeGroup_{this}, crackGroup_{this}, footBracingGroup_{this};
    RadioGroup floorMaterialGroup_{this}, horizontalBraceGroup_{this}, largeVoidGroup_{this};
    GaiyouApplication application_{this}; // the pages of 改修申請

public:
    // The click rules of the settings pages.
    GaiyouRules Rules{*this};
};

extern TGaiyouDlg* GaiyouDlg;
