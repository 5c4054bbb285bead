#include "overview/GaiyouApplicationItems.h"

// An empty first item is the unanswered choice, and index 0 of the stored value.

namespace retrofit_items {
namespace {

// clang-format off
const char* const kZoningDistricts[] = {
    "１低",
    "２低",
    "１中高",
    "２中高",
    "１住",
    "２住",
    "準住",
    "近商",
    "商業",
    "準工",
    "工業",
    "工専",
    "指定無",
};

const char* const kFloorBaseSpecs[] = {
    "",
    "合板12mm根太落込み@340N50@150",
    "合板12mm根太半欠　@340N50@150",
    "合板12mm根太転ばし@340N50@150",
    "合板12mm根太落込み@500N50@150",
    "合板12mm根太半欠　@500N50@150",
    "合板12mm根太転ばし@500N50@150",
    "構造用合板24mmN75@1504周釘打",
    "構造用合板24mmN75@150川の字釘打",
    "杉板12x180根太落込み半欠@340N50@150",
    "杉板12x180根太転ばし@340N50@150",
    "杉板12x180根太落込み@500N50@150",
    "杉板12x180根太半欠転ばし@500N50@150",
};

const char* const kRoofBaseSpecs[] = {
    "",
    "5寸勾配以下合板9mm垂木転ばし@500N50@150",
    "矩勾配以下合板9mm垂木転ばし@500N50@150",
    "5寸勾配以下杉板9x180垂木転ばし@500N50@150",
    "矩勾配以下杉板9x180垂木転ばし@500N50@150",
};

const char* const kBraceSpecs[] = {
    "",
    "15x90方筋かい金物なし",
    "15x90方筋かい金物あり",
    "15x90たすき筋かい金物なし",
    "15x90たすき筋かい金物あり",
    "30x90片筋かい金物なし",
    "30x90片筋かい金物あり",
    "30x90たすき筋かい金物なし",
    "30x90たすき筋かい金物あり",
    "45x90片筋かい金物なし",
    "45x90片筋かい金物あり",
    "45x90たすき筋かい金物なし",
    "45x90たすき筋かい金物あり",
    "90x90片筋かい金物なし",
    "90x90片筋かい金物あり",
    "90x90たすき筋かい金物なし",
    "90x90たすき筋かい金物あり",
};

const char* const kColumnTopSpecs[] = {
    "",
    "短柄差＋カスガイ打",
    "長柄差込栓打orCPL",
    "CPTorVP",
    "羽子板ﾎﾞﾙﾄor短冊金物（ｽｸﾘｭｰ釘なし）",
    "羽子板ﾎﾞﾙﾄor短冊金物（ｽｸﾘｭｰ釘あり）",
    "HD-B10(S-HD10)",
    "HD-B15(S-HD15)",
    "HD-B20(S-HD20)",
    "HD-B25(S-HD25)",
    "HD-B15(S-HD15)x2",
};

const char* const kRoofWallSpecs[] = {
    "",
    "軽い屋根・軽い壁",
    "軽い屋根・重い壁",
    "重い屋根・軽い壁",
    "重い屋根・重い壁",
};

const char* const kFoundationSpecs[] = {
    "",
    "基礎Ⅰ",
    "基礎Ⅱ",
    "基礎Ⅲ",
};

const char* const kGroundSpecs[] = {
    "",
    "よい普通",
    "やや悪い",
    "非常に悪い",
};

const char* const kTerrainSpecs[] = {
    "",
    "平坦な一般宅地",
    "斜面造成地",
    "埋立地",
};

const char* const kSurveyGrounds[] = {
    "",
    "関東ローム等洪積台（地盤よい・普通）",
    "土丹層等第３紀層（地盤よい・普通）",
    "盛土・客土（地盤やや悪い）",
    "砂地盤（地盤やや悪い）",
};

const char* const kSurveyTerrains[] = {
    "",
    "平地の一般造成地（問題なし）",
    "斜面地を造成した（擁壁が信頼できれば問題なし）",
    "敷地周辺の擁壁はハラミ傾きがある（地盤の先行破壊の恐れ）",
    "vu開港以前は海岸線、河川、湖沼、湿地帯であった（地盤非常に悪い）",
};

const char* const kSurveyFoundations[] = {
    "",
    "ＲＣ布またはベタ・杭基礎、ひび割れなし（問題なし）",
    "ＲＣ布またはベタ・杭基礎、ひび割れあり（ひび割れ補修）",
    "無筋コンクリート基礎、ひび割れなし（基礎の先行破壊を招く恐れ、基礎補強要）",
    "無筋コンクリート基礎、ひび割れあり（基礎の先行破壊を招く恐れ、基礎補強要）",
    "玉石基礎かつ足固めあり（木造部分の耐力が少なければ基礎補強要）",
    "玉石基礎かつ足固めなし（木造が傾く恐れ）",
    "ブロック・切石基礎など （木造が傾く恐れ）",
};

const char* const kSurveyShapes[] = {
    "",
    "比較的整形である",
    "スキップフロア等特別な形状である（診断法適用外）",
    "プランがＨの字・コの字・キの字等一体性に問題がある（床面の先行破壊の可能性が高い・分割診断）",
};

const char* const kSurveyRoofs[] = {
    "",
    "スレート類・鉄板・銅版等（軽い屋根）",
    "和瓦・洋瓦等（重い屋根）で留め付けはしっかりしている",
    "和瓦・洋瓦等（重い屋根）で留め付けが不安である（瓦等落下防止要）",
};

const char* const kSurveyOuterWalls[] = {
    "",
    "金属板・窯業系サイディング・ＡＬＣ（軽い壁）",
    "ラスモルタル、タイル貼（重い屋根）",
    "左官壁＋下見板貼（重い屋根）",
};

const char* const kColumnHardwareItems[] = {
    "",
    "カスガイ・釘打",
    "ＣＰＬ・ＶＰ金物",
    "告示金物",
};

const char* const kBasementItems[] = {
    "木造と一体の地下室（収納・居間）がある（床面積・天井高さ計測）",
    "木造と一体の地下室（収納・居間）がない",
    "木造と一体の地下車庫がある（床面積・天井高さ計測）",
    "木造と一体の地下車庫がない",
};

const char* const kFenceItems[] = {
    "塀・門扉なし",
    "信頼できる塀・門扉（問題なし）",
    "塀・門扉は、大地震時危険である（改修要）",
};

const char* const kGroundFloorSurveyItems[] = {
    "",
    "１階床下をのぞき、足固めを確認した（足固めあり）",
    "１階床下をのぞき、足固めなしを確認した（足固めなし）",
};

const char* const kUpperFloorSurveyItems[] = {
    "",
    "２階合板厚12下地、根太落込み＠500以下、Ｎ50＠150を確認した",
    "２階合板厚12下地、根太半欠＠500以下、Ｎ50＠150を確認した",
    "２階合板厚12下地、根太転ばし＠500以下、Ｎ50＠150を確認した",
    "２階杉板厚12ｘ180下地、根太落込み＠500以下、Ｎ50＠150を確認した",
    "２階杉板厚12ｘ180下地、根太半欠または転ばし＠500以下、Ｎ50＠150を確認した",
};

const char* const kRoofSurveyItems[] = {
    "",
    "５寸勾配以下合板厚9、垂木転ばし＠500以下、N50＠150以下",
    "矩勾配以下合板厚9、垂木転ばし＠500以下、N50＠150以下",
    "５寸勾配以下杉板厚9x180、垂木転ばし＠500以下、N50＠150以下",
    "矩勾配以下杉板厚9x180、垂木転ばし＠500以下、N50＠150以下",
};

const char* const kHorizontalBraceItems[] = {
    "",
    "２階床面に火打梁が見当たらない",
    "木製90x90または鋼製、平均負担面積2.5㎡以下、梁成240以上",
    "木製90x90または鋼製、平均負担面積2.5㎡以下、梁成150以上",
    "木製90x90または鋼製、平均負担面積2.5㎡以下、梁成105以上",
    "木製90x90または鋼製、平均負担面積3.3㎡以下、梁成240以上",
    "木製90x90または鋼製、平均負担面積3.3㎡以下、梁成150以上",
    "木製90x90または鋼製、平均負担面積3.3㎡以下、梁成105以上",
    "木製90x90または鋼製、平均負担面積5.0㎡以下",
};
// clang-format on

} // namespace

constinit const ItemList ZoningDistricts = kZoningDistricts;
constinit const ItemList FloorBaseSpecs = kFloorBaseSpecs;
constinit const ItemList RoofBaseSpecs = kRoofBaseSpecs;
constinit const ItemList BraceSpecs = kBraceSpecs;
constinit const ItemList ColumnTopSpecs = kColumnTopSpecs;
constinit const ItemList RoofWallSpecs = kRoofWallSpecs;
constinit const ItemList FoundationSpecs = kFoundationSpecs;
constinit const ItemList GroundSpecs = kGroundSpecs;
constinit const ItemList TerrainSpecs = kTerrainSpecs;
constinit const ItemList SurveyGrounds = kSurveyGrounds;
constinit const ItemList SurveyTerrains = kSurveyTerrains;
constinit const ItemList SurveyFoundations = kSurveyFoundations;
constinit const ItemList SurveyShapes = kSurveyShapes;
constinit const ItemList SurveyRoofs = kSurveyRoofs;
constinit const ItemList SurveyOuterWalls = kSurveyOuterWalls;
constinit const ItemList ColumnHardwareItems = kColumnHardwareItems;
constinit const ItemList BasementItems = kBasementItems;
constinit const ItemList FenceItems = kFenceItems;
constinit const ItemList GroundFloorSurveyItems = kGroundFloorSurveyItems;
constinit const ItemList UpperFloorSurveyItems = kUpperFloorSurveyItems;
constinit const ItemList RoofSurveyItems = kRoofSurveyItems;
constinit const ItemList HorizontalBraceItems = kHorizontalBraceItems;

} // namespace retrofit_items
