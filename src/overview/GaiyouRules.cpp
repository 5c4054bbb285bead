#include "overview/GaiyouRules.h"

#include "calc/Deterioration.h"
#include "calc/FloorReduction.h"
#include "document/EditionAndMethod.h"
#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "overview/Gaiyou.h"
#include "ui/Bindings.h"
#include "ui/Controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace {

template <std::size_t N>
void TakeChecked(QRadioButton* (&radios)[N], int32_t& field) {
    for (std::size_t i = 0; i < N; ++i)
        if (radios[i]->isChecked()) field = int32_t(i);
}

class EditionBinding final : public FieldBinding {
public:
    EditionBinding(TGaiyouDlg& dialog, GaiyouRules& rules) : dlg_(dialog), rules_(rules) {}
    void load() override {
        const int32_t edition = Doc.CriteriaEdition;
        // The legacy 1 of older files (calculated as the 2004 edition) has no radio: none is
        // checked, and OK keeps it until the user picks an edition.
        QRadioButton* radio = edition == EditionNational2004   ? dlg_.Rmodeb0
                              : edition == EditionCity         ? dlg_.Rmodeb2
                              : edition == EditionRevision2012 ? dlg_.Rmodeb4
                                                               : nullptr;
        // Runs the edition's rule when the radio was not checked; what depends on the
        // edition is set also when it was.
        if (radio) {
            radio->setChecked(true);
        } else if (QAbstractButton* checked = dlg_.Rmodeb0->group()->checkedButton()) {
            QButtonGroup* group = dlg_.Rmodeb0->group();
            group->setExclusive(false);
            checked->setChecked(false);
            group->setExclusive(true);
        }
        if (edition == EditionCity) {
            dlg_.Rkonkouzou[0]->setChecked(true);
            dlg_.Csekiset->setCurrentIndex(0);
            dlg_.CchiikiZ->setCurrentIndex(1);
        }
        for (QWidget* w :
             {static_cast<QWidget*>(dlg_.Rkonkouzou[1]), static_cast<QWidget*>(dlg_.Rkonkouzou[2]),
              static_cast<QWidget*>(dlg_.Csekiset), static_cast<QWidget*>(dlg_.CchiikiZ)})
            w->setEnabled(edition != EditionCity);
    }
    void store() override {
        const int chosen = dlg_.Rmodeb0->isChecked()   ? EditionNational2004
                           : dlg_.Rmodeb2->isChecked() ? EditionCity
                           : dlg_.Rmodeb4->isChecked() ? EditionRevision2012
                                                       : -1;
        StoreCriteriaEdition(chosen, [this] { return rules_.CheckSpecConsistency() == 1; });
    }

private:
    TGaiyouDlg& dlg_;
    GaiyouRules& rules_;
};

} // namespace

void GaiyouRules::Bind() {
    TGaiyouDlg& d = dlg_;
    SetButtonColours(d.Rmodeb0, Rgb(255, 255, 0));
    SetButtonColours(d.Rmodeb2, Rgb(0, 255, 255));
    SetButtonColours(d.Rmodeb4, Rgb(255, 128, 128));
    const ColorRef methodColours[4] = {Rgb(0, 255, 255), Rgb(255, 255, 0), Rgb(255, 128, 255),
                                       Rgb(255, 255, 255)};
    for (int i = 0; i < 4; ++i) SetButtonColours(d.Rmodea[i], methodColours[i]);

    BindRadio(d.Rmodeb0, [this] { NationalEditionRule(); });
    BindRadio(d.Rmodeb4, [this] { NationalEditionRule(); });
    BindRadio(d.Rmodeb2, [this] { CityEditionRule(); });
    for (int s = 0; s < 3; ++s) BindRadio(d.Rkaisu[s][2], [this] { ThreeStoreyRule(); });

    const auto refresh = [this] { RefreshDerivedLabels(); };
    for (QRadioButton* r : d.Ekisok) BindRadio(r, refresh);
    for (QRadioButton* r : d.Ekisoh) BindRadio(r, refresh);
    for (QRadioButton* r : d.Ekisoa) BindRadio(r, refresh);
    for (QRadioButton* r : d.Ryukashi) BindRadio(r, refresh);
    for (QRadioButton* r : d.Rhiuchi) BindRadio(r, refresh);
    for (QRadioButton* r : d.Rfukinuke) BindRadio(r, refresh);
}

std::unique_ptr<FieldBinding> GaiyouRules::EditionBinding() {
    return std::make_unique<::EditionBinding>(dlg_, *this);
}

void GaiyouRules::ClearStoreyRadios() {
    for (auto& storeys : dlg_.Rkaisu) {
        QButtonGroup* group = storeys[0]->group();
        QAbstractButton* checked = group ? group->checkedButton() : nullptr;
        if (!checked) continue;
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

void GaiyouRules::EnableCityRestricted(bool enabled) {
    dlg_.Rkonkouzou[1]->setEnabled(enabled);
    dlg_.Rkonkouzou[2]->setEnabled(enabled);
    dlg_.Csekiset->setEnabled(enabled);
    dlg_.CchiikiZ->setEnabled(enabled);
}

void GaiyouRules::NationalEditionRule() {
    EnableCityRestricted(true);
}

bool GaiyouRules::AnyThreeStoreys() const {
    for (const auto& storeys : dlg_.Rkaisu)
        if (storeys[2]->isChecked()) return true;
    return false;
}

void GaiyouRules::CityEditionRule() {
    if (!AnyThreeStoreys()) {
        dlg_.Rkonkouzou[0]->setChecked(true);
        dlg_.Csekiset->setCurrentIndex(0);
        dlg_.CchiikiZ->setCurrentIndex(1);
        EnableCityRestricted(false);
        return;
    }
    Messages().ask("vu版には３階建てはありません。", "階数の確認", MsgButtons::Ok,
                   MsgIcon::Question);
    dlg_.Rmodeb0->setChecked(true);
}

void GaiyouRules::ThreeStoreyRule() {
    if (!dlg_.Rmodeb2->isChecked()) return;
    // The reason in the text as well: a box no wider than its text cuts its caption off.
    Messages().ask("vu版には３階建てはありません。\n全国版に変更します。",
                   "vu版には３階建てはありません。", MsgButtons::Ok, MsgIcon::Question);
    dlg_.Rmodeb0->setChecked(true);
}

void GaiyouRules::RefreshDerivedLabels() {
    // Answers with no radio checked are the stored ones, as OK keeps them.
    FoundationFloorSpecRecord spec = Doc.FoundationFloorSpec;
    TakeChecked(dlg_.Ekisok, spec.foundationType);
    TakeChecked(dlg_.Ekisoh, spec.foundationCrack);
    TakeChecked(dlg_.Ekisoa, spec.footBracing);
    TakeChecked(dlg_.Ryukashi, spec.floorMaterial);
    TakeChecked(dlg_.Rhiuchi, spec.horizontalBrace);
    TakeChecked(dlg_.Rfukinuke, spec.largeVoid);
    static constexpr const char* FoundationNames[3] = {"基礎Ⅰ", "基礎Ⅱ", "基礎Ⅲ"};
    static constexpr const char* FloorNames[3] = {"床仕様Ⅰ", "床仕様Ⅱ", "床仕様Ⅲ"};
    dlg_.Lkisoshu->setText(U(BoundedAt(FoundationNames, FoundationClassOf(spec))));
    // The settings' own class: the voids drawn on the plan count only in the calculation.
    dlg_.Lyukashu->setText(
        U(BoundedAt(FloorNames, floorcalc::FloorClassFromOverview(spec, false))));
}

int GaiyouRules::CheckSpecConsistency() {
    for (int s = 0; s < 3; ++s) {
        for (int i = 0; i < 3; ++i)
            if (dlg_.Rishiyou[s][i]->isChecked()) lastWeight_[s] = i;
        for (int i = 0; i < 4; ++i)
            if (dlg_.Rsshiyou[s][i]->isChecked()) lastRoofWall_[s] = i;
    }
    return SpecsContradict(lastWeight_, lastRoofWall_) ? 1 : 0;
}

bool TGaiyouDlg::FormCloseQuery() {
    if (App.DataLoading != 1) return true;
    Messages().ask("データ読込時はＯＫボタンで閉じて下さい。", "データ読込が完了しません。",
                   MsgButtons::Ok, MsgIcon::Question);
    return false;
}
