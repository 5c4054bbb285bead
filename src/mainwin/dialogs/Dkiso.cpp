#include "mainwin/dialogs/Dkiso.h"

#include "model/AppState.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <initializer_list>

TKisoDlg* KisoDlg = nullptr;

namespace {

QGroupBox* RadioColumn(QWidget* parent, const char* caption,
                       std::initializer_list<const char*> items) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    auto* column = new QVBoxLayout(box);
    for (const char* item : items)
        column->addWidget(new QRadioButton(QString::fromUtf8(item), box));
    return box;
}

QComboBox* List(QWidget* parent, std::initializer_list<const char*> items) {
    auto* combo = new QComboBox(parent);
    for (const char* item : items) combo->addItem(QString::fromUtf8(item));
    return combo;
}

} // namespace

TKisoDlg::TKisoDlg(QWidget* mainWindow) : PaletteForm(mainWindow, QStringLiteral("基礎の入力")) {
    GroupBox2 = RadioColumn(this, "基礎仕様", {"基礎Ⅰ", "基礎Ⅱ", "基礎Ⅲ"});
    const auto radios = GroupBox2->findChildren<QRadioButton*>();
    Rkiso1 = radios[0];
    Rkiso2 = radios[1];
    Rkiso3 = radios[2];
    type_ = new RadioGroup(this);
    type_->add(Rkiso1, 0, [this] { Rkiso1Click(); });
    type_->add(Rkiso2, 1, [this] { Rkiso2Click(); });
    type_->add(Rkiso3, 2, [this] { Rkiso3Click(); });

    auto* section = new QGroupBox(QStringLiteral("断面"), this);
    auto* sectionForm = new QFormLayout(section);
    sectionForm->addRow(QStringLiteral("基礎幅"),
                        List(section, {"", "150mm", "170mm", "200mm", "250mm"}));
    sectionForm->addRow(QStringLiteral("立上り"),
                        List(section, {"", "通常", "玄関", "ﾎﾟｰﾁ", "ガレージ"}));
    sectionForm->addRow(
        QStringLiteral("底版巾"),
        List(section, {"", "900mm", "800mm", "700mm", "600mm", "500mm", "360mm", "底版なし"}));
    QGroupBox* unused[] = {
        section,
        RadioColumn(this, "人通口等", {"束石", "人通口", "換気口"}),
        RadioColumn(this, "地盤改良", {"改良600Φ", "鋼管114.3Φ", "鋼管139.8Φ"}),
        RadioColumn(this, "ｱﾝｶｰﾎﾞﾙﾄ", {"M12", "M16"}),
    };

    auto* row = new QHBoxLayout(this);
    row->addWidget(GroupBox2);
    for (QGroupBox* box : unused) {
        box->setEnabled(false);
        row->addWidget(box);
    }
    row->setSizeConstraint(QLayout::SetFixedSize);

    fields_.radios(*type_, App.CurFoundationType, RadioRule::Fallback(2));
}

void TKisoDlg::Rkiso1Click() {
    App.CurFoundationType = 0;
}
void TKisoDlg::Rkiso2Click() {
    App.CurFoundationType = 1;
}
void TKisoDlg::Rkiso3Click() {
    App.CurFoundationType = 2;
}

void TKisoDlg::FormShow() {
    fields_.load();
    fields_.store(); // a radio already checked for an unknown value still writes its own
}
