#include "document/EditionAndMethod.h"

#include "model/AppState.h"
#include "model/Bounded.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/Slots.h"

#include <string>

namespace {

// The four settings in the order the questions come.
struct CitySetting {
    OptionBox box;
    int32_t DisplayOptions::*flag;
    const char* question;
    const char* caption;
};
constexpr CitySetting CitySettings[3] = {
    {OptionBox::Cjuushin, &DisplayOptions::CityCentreOfGravity,
     "重心の算定がvu方式になっています。\n\n全国版（建防協）に変更しますか？", "重心の算定"},
    {OptionBox::Ctooshi, &DisplayOptions::CityJointJudgement,
     "接合部のⅢⅣ判断がvu方式になっています。\n\n全国版（建防協）に変更しますか？",
     "接合部のⅢⅣ判断"},
    {OptionBox::Ctairyoku, &DisplayOptions::CityWallBaseStrength,
     "壁の基準耐力がvu方式になっています。\n\n全国版（建防協）に変更しますか？", "壁の基準耐力"},
};

constexpr const char* SpecsCaption = "建物仕様の確認";
constexpr const char* SpecsNotice =
    "全国版とvu版で建物仕様が矛盾しています。\n\n建物仕様を確認して下さい";

void Notice(const std::string& text, const char* caption) {
    Messages().ask(text, caption, MsgButtons::Ok, MsgIcon::Question);
}

bool Asked(const char* text, const char* caption) {
    return Messages().ask(text, caption, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes;
}

// The box's handler sets the flag where the window runs; without a window the flag is set here.
void SetCitySetting(const CitySetting& setting, bool on) {
    Hooks().setOptionBox(setting.box, on);
    App.Options.*setting.flag = on ? 1 : 0;
}

void SetNValueMethod(int method) {
    Hooks().selectNValueRadio(method);
    App.Options.NValueMethod = method;
}

bool AnyCitySettingOff() {
    for (const CitySetting& s : CitySettings)
        if (App.Options.*s.flag == 0) return true;
    return false;
}

bool AnyCitySettingOn() {
    for (const CitySetting& s : CitySettings)
        if (App.Options.*s.flag == 1) return true;
    return false;
}

} // namespace

ModeLabel EditionLabelOf(int32_t edition) {
    switch (edition) {
    case EditionCity:
        return {"［vu版］", Aqua, std::nullopt};
    case EditionRevision2012:
        return {"［改訂版］", Red, White};
    default:
        return {"［全国版］", Yellow, std::nullopt};
    }
}

ModeLabel MethodLabelOf(int32_t method) {
    switch (method) {
    case MethodPreciseApprox:
        return {"精密診断法1(略算)", Aqua, std::nullopt};
    case MethodGeneralDetailed:
        return {"一般診断（精算）法", Yellow, std::nullopt};
    case MethodGeneralApprox:
        return {"一般診断（略算）法", Rgb(255, 128, 255), std::nullopt};
    default:
        return {"精密診断法1(簡易)", White, std::nullopt};
    }
}

bool ScenarioPanelByRoofWall(int32_t edition, int32_t method) {
    return edition != EditionNational2004 && !IsRevision2012(edition) && !IsGeneralMethod(method);
}

RgbColour ScenarioClassColour(int scenario) {
    const int s = ClampIndex(scenario, Scenarios);
    const StoreyDataRecord& d = Doc.StoreyData;
    if (ScenarioPanelByRoofWall(Doc.CriteriaEdition, Doc.DiagnosisMethod))
        return BoundedAt(ScenarioRoofWallColours, d.roofWallClass[s]);
    return BoundedAt(ScenarioWeightColours, d.weightClass[s]);
}

bool SpecsContradict(const int (&w)[3], const int (&r)[3]) {
    for (int s = 0; s < 3; ++s)
        if ((w[s] == 0 && r[s] >= 2) || (w[s] >= 1 && r[s] <= 1)) return true;
    return false;
}

void StoreCriteriaEdition(int chosen, const std::function<bool()>& specsContradict) {
    DisplayOptions& o = App.Options;
    switch (chosen) {
    case EditionNational2004:
        // The roof and wall classes are the city edition's: without its switch they are
        // hidden, and a notice about them would name an edition the user cannot see.
        if (Doc.CriteriaEdition != EditionNational2004 && App.CityEditionEnabled != 0 &&
            specsContradict())
            Notice(std::string(SpecsNotice) + "\n\n", SpecsCaption);
        Doc.CriteriaEdition = EditionNational2004;
        // Asked at every OK while a setting is on: the user may keep one on deliberately.
        for (const CitySetting& s : CitySettings)
            if (o.*s.flag == 1 && Asked(s.question, s.caption)) SetCitySetting(s, false);
        if (o.NValueMethod == NValueMethodConverted &&
            Asked("柱頭柱脚金物の計算が変換Ｎ値法になっています。\n\nＮ値法に変更しますか？",
                  "柱頭柱脚金物の計算"))
            SetNValueMethod(NValueMethodNValue);
        return;
    case EditionCity:
        if (Doc.CriteriaEdition != EditionCity && specsContradict())
            Notice(SpecsNotice, SpecsCaption);
        Doc.CriteriaEdition = EditionCity;
        if (AnyCitySettingOff() || o.NValueMethod == NValueMethodNValue) {
            Notice("重心の算定・接合部のⅢⅣ判断・壁の基準耐力 を\n\nvu方式に変更します。\n\n"
                   "柱頭柱脚金物の計算を変換Ｎ値法に変更します。",
                   "vu版の設定");
            for (const CitySetting& s : CitySettings) SetCitySetting(s, true);
            SetNValueMethod(NValueMethodConverted);
        }
        return;
    case EditionRevision2012:
        if (!IsRevision2012())
            Notice("現在のところvu市では2012年改訂版に移行していません。\n"
                   "2004年改訂版との比較の為にご使用ください。",
                   "2012年改訂版");
        Doc.CriteriaEdition = EditionRevision2012;
        if (AnyCitySettingOn() || o.NValueMethod == NValueMethodConverted) {
            Notice("重心の算定・接合部のⅢⅣ判断・壁の基準耐力 を\n\n全国版（建防協）に変更します。"
                   "\n\n柱頭柱脚金物の計算をＮ値法に変更します。",
                   "評価版の設定");
            for (const CitySetting& s : CitySettings) SetCitySetting(s, false);
            SetNValueMethod(NValueMethodNValue);
        }
        return;
    default:
        return;
    }
}
