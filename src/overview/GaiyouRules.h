#pragma once
// The rules of the overview dialog's settings pages that act on other controls when a control
// is checked (by the user, or by the dialog's showing): the edition radios enable what their
// edition allows, the city edition refuses three storeys, and every foundation and floor answer
// refreshes the derived classes shown beside them. Also the edition's binding (shown with
// its dependent controls, stored with its notices and questions) and the test of the weight
// classes against the roof and wall classes that the edition switch uses.
#include <memory>

class FieldBinding;
class TGaiyouDlg;

class GaiyouRules {
public:
    explicit GaiyouRules(TGaiyouDlg& dialog) : dlg_(dialog) {}

    // Binds the rules to the controls, once the pages are built.
    void Bind();
    // The edition radios: showing checks the stored edition's radio (none for the legacy 1)
    // and sets what depends on it; OK stores the checked one, or keeps the edition.
    std::unique_ptr<FieldBinding> EditionBinding();
    // No storey radio checked, so that the city edition's rule does not see the storeys of
    // the document shown before; runs no rule.
    void ClearStoreyRadios();
    // 基礎の種類 and 床仕様の種類 from the answers as they are checked.
    void RefreshDerivedLabels();
    // 1 when some scenario's weight class contradicts its roof and wall class as the radios
    // show them; a group with none checked counts as it did at the previous call.
    int CheckSpecConsistency();

private:
    void EnableCityRestricted(bool enabled);
    void CityEditionRule();
    void NationalEditionRule();
    void ThreeStoreyRule();
    bool AnyThreeStoreys() const;

    TGaiyouDlg& dlg_;
    int lastWeight_[3] = {}, lastRoofWall_[3] = {};
};
