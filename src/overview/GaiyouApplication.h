#pragma once
// The pages of 改修申請 in the overview dialog: the city's retrofit application (the firms,
// the approval notice, the policy and outline of the retrofit, the building-law check, the
// spec before and after, the problems the score does not show, the owner's hearing
// and the site survey). Every control edits one field of the application record and is bound
// to it like the dialog's other pages; no control has a handler. The score label shows what
// the retrofit plan on screen reaches and stores nothing.
//
// The dialog owns one GaiyouApplication and lists its ten page builders in its page table.
#include "ui/Bindings.h"
#include "ui/Controls.h"

#include <QString>

#include <deque>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// "----" in the current state (scenario 0); otherwise the building score of the scenario,
// brought up to date first and cut to two decimals ("%4.2f").
QString PlannedScoreText();

class GaiyouApplication {
public:
    // Radio groups are owned by `owner` (the dialog).
    explicit GaiyouApplication(QObject* owner) : owner_(owner) {}

    void BuildFirmsPage(QWidget* page, FieldBindings& fields);    // 事業者・方針
    void BuildOutlinePage(QWidget* page, FieldBindings& fields);  // 補強概要
    void BuildLawPage(QWidget* page, FieldBindings& fields);      // 法令
    void BuildSpecPage(QWidget* page, FieldBindings& fields);     // 建物仕様
    void BuildProblemPage(QWidget* page, FieldBindings& fields);  // 問題点
    void BuildHearing1Page(QWidget* page, FieldBindings& fields); // ヒアリング１
    void BuildHearing2Page(QWidget* page, FieldBindings& fields); // ヒアリング２
    void BuildSurvey1Page(QWidget* page, FieldBindings& fields);  // 現場調査１
    void BuildSurvey2Page(QWidget* page, FieldBindings& fields);  // 現場調査２
    void BuildSurvey3Page(QWidget* page, FieldBindings& fields);  // 現場調査３

    // --- 事業者・方針 -----------------------------------------------------------------------
    // Number, name, address, phone, fax: Eseknum .. Esekfax, Ekounum .. Ekoufax.
    QLineEdit* Esek[5] = {};
    QLineEdit* Ekou[5] = {};
    QComboBox* Eshoyearn = nullptr;
    QLineEdit *Eshoyear = nullptr, *Eshomon = nullptr, *Eshoday = nullptr, *Eshounum = nullptr;
    QLineEdit *Ehokyou = nullptr, *Eshindanhyouten = nullptr;
    QLineEdit* Ekihon[5] = {}; // Ekihon1 .. Ekihon5
    QLabel* Label23 = nullptr; // 改修後想定

    // --- 補強概要, by item 基礎, 壁, 屋根, その他 -------------------------------------------
    QComboBox* RetrofitTexts[4][3] = {}; // Egaikiso1 .. Egaisono3

    // --- 法令 -------------------------------------------------------------------------------
    QLineEdit *Edourofu = nullptr, *Eshikichi = nullptr, *Eskenmen = nullptr, *Esyouseki = nullptr,
              *Ehkenmen = nullptr, *Ehkenpei = nullptr, *Enobeyuka = nullptr, *Eyouseki = nullptr;
    QComboBox* Cyouto = nullptr;
    QLineEdit* Efuteki[4] = {};      // Efuteki1 .. Efuteki4
    QCheckBox* LawChecks[9][2] = {}; // [item][現況, 補強後]: Csetsug, Csetsuk ...

    // --- 建物仕様 ---------------------------------------------------------------------------
    QComboBox* SpecChoices[10][2] = {}; // [row][現況, 補強後]: Cshiyou2g, Cshiyou2k ...

    // --- 問題点 -----------------------------------------------------------------------------
    QCheckBox* Cmondair = nullptr;

    // --- 現場調査１ and ２ -------------------------------------------------------------------
    QComboBox *Cgjiban = nullptr, *Cgchikei = nullptr;
    QComboBox* SurveyItems[4] = {}; // Cgkiso, Cgkeijou, Cgyane, Cggaiheki
    QCheckBox* InnerWalls[6] = {};  // Cgnaiheki, Cgnaihek2 .. Cgnaihek6
    QLineEdit* Egnai[5] = {};       // Egnai1 .. Egnai5
    QComboBox *Cg1hashira = nullptr, *Cg2hashira = nullptr, *Cgchika = nullptr, *Cghei = nullptr;
    QCheckBox* Cgsuji[8] = {}; // Cgsuji1 .. Cgsuji8
    QCheckBox* Cgouga[5] = {}; // Cgouga1 .. Cgouga5

private:
    // A group of radios named prefix + value, one per caption (value 0, 1, ...).
    RadioGroup& Radios(const QString& prefix, std::initializer_list<const char*> captions,
                       QBoxLayout* layout);
    // The pair "value 1" over "value 0" of a yes/no answer, named prefix + 1 and prefix + 0.
    RadioGroup& UpperLowerPair(const QString& prefix, const char* upper, const char* lower,
                               QBoxLayout* layout);

    QObject* owner_;
    std::deque<RadioGroup> groups_;
};
