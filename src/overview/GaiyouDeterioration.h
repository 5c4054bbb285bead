#pragma once
// The overview dialog's sub-page 劣化: the survey of the thirteen items of the general method's
// deterioration check (roof, gutters, outer wall, exposed frame, balcony, inner walls, floors),
// with the texts that describe them. Its answers are the only source of the deterioration
// points: OK stores the answers, then CalcDeteriorationFactor derives the points and the
// factor from what was stored, exactly as a document read from a file gets them.
#include "ui/Bindings.h"
#include "ui/Controls.h"

class QLineEdit;
class QWidget;

// Existence and deterioration points from the stored survey, and the factor from them.
void CalcDeteriorationFactor();

struct GaiyouDeterioration {
    explicit GaiyouDeterioration(QObject* owner);

    // Makes the page's controls and binds them to DeteriorationSurvey in the order OK stores
    // them.
    void build(QWidget* page, FieldBindings& fields);

    // Click rules: an absent exposed frame, balcony or bathroom clears the answers that no
    // longer apply; a present one offers them again, answered 無.
    void Eroshutsu0Click();
    void Eroshutsu1Click();
    void Ebaruko0Click();
    void Ebaruko1Click();
    void EyokutaixClick();
    void EnableBalconyAnswers(bool enabled);

    QWidget* TabSheet20 = nullptr;

    // Answer pairs, [0] 無 and [1] 有, in item order.
    QRadioButton* Eyanerekka[2] = {};     // 0 屋根 葺き材
    QRadioButton* Etoirekka[2] = {};      // 1 樋・呼び樋
    QRadioButton* Etatedoirekka[2] = {};  // 2 竪樋
    QRadioButton* Egairekka[2] = {};      // 3 外壁 仕上げ
    QRadioButton* Eroshutsu[2] = {};      // 4 露出した躯体: none / exposed
    QRadioButton* EroshutsuState[2] = {}; //  Eroshutsu10, Eroshutsu11: sound / deteriorated
    QRadioButton* Ebaruko[2] = {};        // バルコニー無し / 有り
    QRadioButton* Ebaltes[2] = {};        // 5 バルコニー 手すり壁
    QRadioButton* Ebalgai[2] = {};        // 6 外壁との接合部
    QRadioButton* Ebalhai[2] = {};        // 7 床排水
    QRadioButton* Enairekka[2] = {};      // 8 内壁 一般室
    QRadioButton* Eyokutai[3] = {};       // 浴室の仕上げ: Eyokutai0, Eyokutai1, Eyokutaix
    QRadioButton* Eyokurek[2] = {};       // 9 内壁 浴室
    QCheckBox* EyokurekDamage[2] = {};    //   Eyokurek10, Eyokurek11: the damage seen
    QRadioButton* Ryukamenrek[2] = {};    // 10 床面 一般室
    QRadioButton* Rroukarek[2] = {};      // 11 床面 廊下
    QRadioButton* Rkisoyukarek[2] = {};   // 12 床下

    QLineEdit *Eyaneshiage = nullptr, *Eyanerekkab = nullptr, *Eyanerekkaj = nullptr;
    QLineEdit *Egaishiage = nullptr, *Egaishitaji = nullptr, *Egairekkab = nullptr,
              *Egairekkaj = nullptr;
    QLineEdit* Ebalzai = nullptr;
    QLineEdit *Enaishiage = nullptr, *Enaishitaji = nullptr, *Enairekkab = nullptr;
    QLineEdit* Eyokushitaji = nullptr; // the bathroom's substrate, kept in bathNote

    RadioGroup roof, gutter, downpipe, outerWall, exposed, exposedState, balcony, parapet,
        balconyJoint, balconyDrain, innerWall, bathFinish, bath, floor, corridor, underfloor;
};
