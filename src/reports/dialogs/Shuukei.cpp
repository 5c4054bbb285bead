#include "reports/dialogs/Shuukei.h"

#include "model/AppState.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>
#include <iterator>

TShuukeiDlg* ShuukeiDlg = nullptr;

namespace {

constexpr int ModalOk = 1;
constexpr int LabelHeight = 14;
constexpr int EditHeight = 18;
constexpr int EditRise = 3; // an edit stands this much above the labels of its row

// One priced row: where it stands, its labels (a storey label at x 10 only where the storey's
// rows begin; the part label only where a part begins), its unit, the initial text of its
// unit-price edit, and the names of its quantity, unit-price edit and amount.
struct RowSpec {
    int y;
    const char* storey;
    const char* part;
    int partX;
    const char* content;
    const char* unit;
    const char* price;
    const char* quantityName;
    const char* priceName;
    const char* amountName;
};

// In EstimateRow order.
// clang-format off
constexpr RowSpec Rows[] = {
    {30, "", "柱", 20, "新設・撤去", "ヶ所　×", " 100000", "Lhashira", "Ehashira", "Lghashira"},
    {50, "", "", 0, "柱頭・柱脚金物", "ヶ所　×", "  17000", "Lhashira2", "Ehashira2", "Lghashira2"},
    {70, "１階壁", "心材", 45, "新規・取替", "ヶ所　×", "  50000", "Lshinzai11", "Eshinzai11", "Lgshinzai11"},
    {90, "", "", 0, "筋かい金物のみ", "ヶ所　×", "  17000", "Lshinzai12", "Eshinzai12", "Lgshinzai12"},
    {110, "", "面材", 45, "片側（<３尺）", "ヶ所　×", " 100000", "LmenzaiS11", "EmenzaiS11", "LgmenzaiS11"},
    {130, "", "", 0, "片側（３～６尺）", "ヶ所　×", " 150000", "LmenzaiS12", "EmenzaiS12", "LgmenzaiS12"},
    {150, "", "", 0, "片側（＞６尺）", "ヶ所　×", " 175000", "LmenzaiS13", "EmenzaiS13", "LgmenzaiS13"},
    {170, "", "", 0, "両側（<３尺）", "ヶ所　×", " 195000", "LmenzaiW11", "EmenzaiW11", "LgmenzaiW11"},
    {190, "", "", 0, "両側（３～６尺）", "ヶ所　×", " 259000", "LmenzaiW12", "EmenzaiW12", "LgmenzaiW12"},
    {210, "", "", 0, "両側（＞６尺）", "ヶ所　×", " 318000", "LmenzaiW13", "EmenzaiW13", "LgmenzaiW13"},
    {230, "２階壁", "心材", 45, "新規・取替", "ヶ所　×", "  70000", "Lshinzai21", "Eshinzai21", "Lgshinzai21"},
    {250, "", "", 0, "筋かい金物のみ", "ヶ所　×", "  20000", "Lshinzai22", "Eshinzai22", "Lgshinzai22"},
    {270, "", "面材", 45, "片側（<３尺）", "ヶ所　×", " 119000", "LmenzaiS21", "EmenzaiS21", "LgmenzaiS21"},
    {290, "", "", 0, "片側（３～６尺）", "ヶ所　×", " 183000", "LmenzaiS22", "EmenzaiS22", "LgmenzaiS22"},
    {310, "", "", 0, "片側（＞６尺）", "ヶ所　×", " 205000", "LmenzaiS23", "EmenzaiS23", "LgmenzaiS23"},
    {330, "", "", 0, "両側（<３尺）", "ヶ所　×", " 215000", "LmenzaiW21", "EmenzaiW21", "LgmenzaiW21"},
    {350, "", "", 0, "両側（３～６尺）", "ヶ所　×", " 286000", "LmenzaiW22", "EmenzaiW22", "LgmenzaiW22"},
    {370, "", "", 0, "両側（＞６尺）", "ヶ所　×", " 353000", "LmenzaiW23", "EmenzaiW23", "LgmenzaiW23"},
    {390, "", "屋根", 20, "葺き替え", "㎡　  ×", "  12600", "Eyanes", "Eyane", "Lgyane"},
    {410, "", "基礎", 20, "補強", "ｍ　　×", "  30000", "Lkiso", "Ekiso", "Lgkiso"},
};
// clang-format on
static_assert(std::size(Rows) == EstimateRows);

QLabel* Label(QWidget* parent, const char* text, int x, int y, int width = 0) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    if (width > 0) {
        label->setGeometry(x, y, width, LabelHeight);
    } else {
        label->move(x, y);
        label->adjustSize();
    }
    return label;
}

QLabel* ValueLabel(QWidget* parent, const char* name, int x, int y, int width) {
    QLabel* label = Label(parent, "", x, y, width);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* text, int x, int y, int width) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(x, y - EditRise, width, EditHeight);
    return edit;
}

QPushButton* Button(QWidget* parent, const char* caption, int x) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setGeometry(x, 502, 75, 25);
    return button;
}

double Number(const QLineEdit* edit) {
    return EstimateNumber(edit->text().toStdString());
}

void Show(QLabel* label, const char* format, double value) {
    char text[64];
    // A negative zero (0 x a negative price) shows as a plain 0.
    FormatShown(text, sizeof text, format, value);
    label->setText(QString::fromLatin1(text));
}

} // namespace

TShuukeiDlg::TShuukeiDlg(QWidget* parent) : ModalForm(parent, QStringLiteral("改修集計")) {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setCentred(true);
    setFixedSize(456, 535);
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(11);
    setFont(font);

    Label(this, "改修部位", 18, 10);
    Label(this, "改修内容", 86, 10);
    Label(this, "数量", 192, 10);
    Label(this, "単価（円／数量）", 274, 10);
    Label(this, "金額(円）", 400, 10);

    for (int row = 0; row < EstimateRows; ++row) {
        const RowSpec& r = Rows[row];
        if (*r.storey) Label(this, r.storey, 10, r.y);
        if (*r.part) Label(this, r.part, r.partX, r.y);
        Label(this, r.content, 86, r.y);
        if (row == EstRoof) {
            Eyanes = Edit(this, r.quantityName, "  0", 183, r.y, 46);
        } else if (row == EstFoundation) {
            Quantity[row] = ValueLabel(this, r.quantityName, 170, r.y, 59);
        } else {
            Quantity[row] = ValueLabel(this, r.quantityName, 192, r.y, 37);
        }
        Label(this, r.unit, 235, r.y);
        UnitPrice[row] = Edit(this, r.priceName, r.price, 296, r.y, 46);
        Label(this, "＝", 350, r.y);
        Amount[row] = ValueLabel(this, r.amountName, 386, r.y, 64);
    }

    Label(this, "その他", 20, 430);
    Label(this, "設備工事・リフォーム工事等", 86, 430);
    Esonota1 = Edit(this, "Esonota1", "         0", 383, 430, 67);
    Label(this, "設計費等", 86, 450);
    Esonota2 = Edit(this, "Esonota2", "         0", 383, 450, 67);

    const struct {
        const char* caption;
        const char* name;
        int y;
        QLabel** label;
    } totals[] = {{"計", "Lgkei", 470, &Lgkei},
                  {"消費税", "Lgzei", 490, &Lgzei},
                  {"概算額", "Lggoukei", 510, &Lggoukei}};
    for (const auto& t : totals) {
        Label(this, t.caption, 296, t.y, 84)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *t.label = ValueLabel(this, t.name, 386, t.y, 64);
    }

    SetLabelColours(Label(this, "単価及びその他・設計費等を変更して", 45, 469), Blue);
    SetLabelColours(Label(this, "再計算ボタンを押して下さい。", 45, 485), Blue);

    Button2 = Button(this, "閉じる", 8);
    Button2->setDefault(true);
    Button3 = Button(this, "単価設定", 89);
    Button3->setEnabled(false);
    Button1 = Button(this, "再計算", 170);
    Button1->setAutoDefault(false);
    Button3->setAutoDefault(false);

    connect(Button2, &QPushButton::clicked, this, [this] { done(ModalOk); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TShuukeiDlg::FormShow() {
    Recalculate();
}

void TShuukeiDlg::Button1Click() {
    Recalculate();
}

void TShuukeiDlg::Recalculate() {
    setWindowTitle(QString::fromUtf8(EstimateCaption(App.CurrentScenario)));
    CountRetrofitWork(App.CurrentScenario, Estimate);
    Estimate.roofArea = Number(Eyanes);
    for (int row = 0; row < EstimateRows; ++row) Estimate.unitPrice[row] = Number(UnitPrice[row]);
    Estimate.extra1 = Number(Esonota1);
    Estimate.extra2 = Number(Esonota2);
    PriceEstimate(Estimate);

    for (int row = 0; row < CountedRows; ++row) {
        char text[16];
        std::snprintf(text, sizeof text, "%6i", Estimate.count[row]);
        Quantity[row]->setText(QString::fromLatin1(text));
    }
    Show(Quantity[EstFoundation], "%7.2f", Estimate.foundationLength);
    for (int row = 0; row < EstimateRows; ++row) Show(Amount[row], "%10.0f", Estimate.amount[row]);
    Show(Lgkei, "%10.0f", Estimate.total);
    Show(Lgzei, "%10.0f", Estimate.tax);
    Show(Lggoukei, "%10.0f", Estimate.sum);
}
