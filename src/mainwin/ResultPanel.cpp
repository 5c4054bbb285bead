#include "mainwin/ResultPanel.h"

#include "calc/Diagnosis.h"
#include "calc/NValues.h"
#include "calc/ResultSummary.h"
#include "document/Recompute.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/Bounded.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>
#include <cstring>

namespace {

QLabel* Caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

// A value label of the panel: never narrower than its room, nor than its whole text (a number
// of an absurd plan may be long).
class ValueLabel final : public QLabel {
public:
    ValueLabel(QWidget* parent, int room) : QLabel(parent), room_(room) {}
    QSize sizeHint() const override { return AtLeastRoom(QLabel::sizeHint()); }
    QSize minimumSizeHint() const override { return AtLeastRoom(QLabel::minimumSizeHint()); }

private:
    QSize AtLeastRoom(QSize size) const { return {std::max(room_, size.width()), size.height()}; }
    int room_;
};

// A value label: fixed-pitch digits, right-aligned, with room for "%6.2f %" at least.
QLabel* Value(QWidget* parent, const char* name, int room = 52) {
    auto* label = new ValueLabel(parent, room);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPixelSize(13);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// The text of a panel label: its bytes up to the zero byte, never beyond the field.
std::string_view TextOf(const PanelLabel& label) {
    return {label.text, strnlen(label.text, sizeof label.text)};
}

void Show(QLabel* label, const PanelLabel& data) {
    ShowPanelText(label, TextOf(data), data.font, data.background);
}

} // namespace

ResultPanelBox::ResultPanelBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ResultPanel"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);

    // Floor check: state and the failing directions of each storey on one line.
    grid->addWidget(Caption("床耐力：", this), 0, 0);
    Lqflag = Value(this, "Lqflag");
    grid->addWidget(Lqflag, 0, 1);
    auto* flags = new QWidget(this);
    auto* flagRow = new QHBoxLayout(flags);
    flagRow->setContentsMargins(0, 0, 0, 0);
    flagRow->setSpacing(2);
    Lqflag2 = Value(flags, "Lqflag2", 34);
    Lqflag3 = Value(flags, "Lqflag3", 34);
    Lqflag4 = Value(flags, "Lqflag4", 34);
    for (QLabel* l : {Lqflag2, Lqflag3, Lqflag4}) {
        l->setAlignment(Qt::AlignCenter);
        flagRow->addWidget(l);
    }
    grid->addWidget(flags, 1, 0, 1, 4);

    grid->addWidget(Caption("柱軸力：", this), 2, 0);
    Lnflag = Value(this, "Lnflag");
    Lnflag->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(Lnflag, 2, 1, 1, 3);

    grid->addWidget(Caption("X", this), 3, 2, Qt::AlignRight);
    grid->addWidget(Caption("Y", this), 3, 3, Qt::AlignRight);

    struct Row {
        const char* storey;
        QLabel** caption;
        QLabel** scoreCaption;
        QLabel** eccentricityCaption;
        QLabel** scoreX;
        QLabel** scoreY;
        QLabel** eccX;
        QLabel** eccY;
        const char* names[4];
    };
    const Row rows[3] = {
        {"１階",
         &Label3,
         &Label5,
         &Label4,
         &L1hyox,
         &L1hyoy,
         &L1henx,
         &L1heny,
         {"L1hyox", "L1hyoy", "L1henx", "L1heny"}},
        {"２階",
         &Label11,
         &Label13,
         &Label12,
         &L2hyox,
         &L2hyoy,
         &L2henx,
         &L2heny,
         {"L2hyox", "L2hyoy", "L2henx", "L2heny"}},
        {"３階",
         &Label18,
         &Label20,
         &Label19,
         &L3hyox,
         &L3hyoy,
         &L3henx,
         &L3heny,
         {"L3hyox", "L3hyoy", "L3henx", "L3heny"}},
    };
    int line = 4;
    for (const Row& r : rows) {
        *r.caption = Caption(r.storey, this);
        *r.scoreCaption = Caption("評点", this);
        *r.eccentricityCaption = Caption("偏心率", this);
        *r.scoreX = Value(this, r.names[0]);
        *r.scoreY = Value(this, r.names[1]);
        *r.eccX = Value(this, r.names[2]);
        *r.eccY = Value(this, r.names[3]);
        grid->addWidget(*r.caption, line, 0);
        grid->addWidget(*r.scoreCaption, line, 1);
        grid->addWidget(*r.scoreX, line, 2);
        grid->addWidget(*r.scoreY, line, 3);
        grid->addWidget(*r.eccentricityCaption, line + 1, 1);
        grid->addWidget(*r.eccX, line + 1, 2);
        grid->addWidget(*r.eccY, line + 1, 3);
        line += 2;
    }

    struct Ratio {
        const char* caption;
        QLabel** label;
        const char* name;
    };
    for (const Ratio& r : {Ratio{"壁直下率 ＝", &Lkabecho, "Lkabecho"},
                           Ratio{"柱直下率 ＝", &Lhashiracho, "Lhashiracho"},
                           Ratio{"間仕切り壁／外周壁 ＝", &Lkabewariai, "Lkabewariai"}}) {
        grid->addWidget(Caption(r.caption, this), line, 0, 1, 2);
        *r.label = Value(this, r.name);
        grid->addWidget(*r.label, line, 2, 1, 2);
        ++line;
    }
}

void ResultPanelBox::rowLabels(int storey, QLabel* (&labels)[RowLabelCount]) const {
    switch (ClampIndex(storey, 3)) {
    case 0:
        labels[0] = Label3, labels[1] = Label5, labels[2] = Label4;
        labels[3] = L1hyox, labels[4] = L1hyoy, labels[5] = L1henx, labels[6] = L1heny;
        break;
    case 1:
        labels[0] = Label11, labels[1] = Label13, labels[2] = Label12;
        labels[3] = L2hyox, labels[4] = L2hyoy, labels[5] = L2henx, labels[6] = L2heny;
        break;
    default:
        labels[0] = Label18, labels[1] = Label20, labels[2] = Label19;
        labels[3] = L3hyox, labels[4] = L3hyoy, labels[5] = L3henx, labels[6] = L3heny;
        break;
    }
}

void ResultPanelBox::setRowEnabled(int storey, bool enabled) {
    QLabel* labels[RowLabelCount];
    rowLabels(storey, labels);
    for (QLabel* l : labels) l->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------
// The main window's side of the panel

void Tvelquor2Form::ShowResultPanel(const ResultPanel& panel) {
    if (!Results) return;
    ResultPanelBox& r = *Results;
    Show(r.Lqflag, panel.FloorCheckState);
    QLabel* const storeyFlags[3] = {r.Lqflag2, r.Lqflag3, r.Lqflag4};
    for (int f = 0; f < 3; ++f) {
        Show(storeyFlags[f], panel.FloorCheckStorey[f]);
        QLabel* row[ResultPanelBox::RowLabelCount];
        r.rowLabels(f, row);
        Show(row[2], panel.EccentricityCaption[f]);
        Show(row[3], panel.ScoreX[f]);
        Show(row[4], panel.ScoreY[f]);
        Show(row[5], panel.EccentricityX[f]);
        Show(row[6], panel.EccentricityY[f]);
    }
    Show(r.Lkabecho, panel.WallDirectBelow);
    Show(r.Lhashiracho, panel.ColumnDirectBelow);
    Show(r.Lkabewariai, panel.PartitionRatio);
    // A number longer than its label's usual room widens the side panel until it shows whole.
    FitSidePanelWidth();
}

void Tvelquor2Form::ShowNValueStatus(const NValueStatus& status) {
    if (!Results) return;
    ShowPanelText(Results->Lnflag, {status.text, strnlen(status.text, sizeof status.text)},
                  status.colour);
}

void Tvelquor2Form::ShowLastDiagnosis() {
    const DiagnosisOutcome& outcome = LastDiagnosis();
    ShowResultPanel(outcome.Panel);
    ShowNValueStatus(outcome.NValue);
}
