#include "mainwin/dialogs/kabetsuika.h"

#include "document/FileDialogService.h"
#include "document/NumberParse.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "model/Messages.h"
#include "model/Model.h"
#include "model/PanelFile.h"
#include "model/ShownNumbers.h"
#include "ui/Controls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

TkabetsuikaDlg* kabetsuikaDlg = nullptr;

namespace {

constexpr int NameBytes = 22;
constexpr int SymbolBytes = 4;
constexpr int StrengthChars = 6;
constexpr int StiffnessChars = 7;
constexpr int RatioChars = 4;

// A number as the edits show it, without the format's leading blanks (the edits align right).
QString Formatted(const char* format, double value) {
    char buffer[64];
    FormatShown(buffer, sizeof buffer, format, value);
    return QString::fromLatin1(buffer).trimmed();
}

// Shows a value whole: an edit cuts text set from code at its maximum length, which would
// silently change the value at the next OK. The limit still holds for typing while the value
// fits.
void ShowWhole(QLineEdit* edit, const QString& text, int typingLimit) {
    edit->setMaxLength(std::max<int>(typingLimit, int(text.size())));
    edit->setText(text);
}

QString ChooseFile(bool save) {
    const FileDialogRequest request{
        {{"面材データファイル", {"yd0"}}, {"全てのファイル", {}}}, {}, save ? "yd0" : "", {}};
    const std::optional<std::string> path =
        save ? FileDialogs().saveFile(request) : FileDialogs().openFile(request);
    return path ? QString::fromStdString(*path) : QString();
}

void Report(const CustomPanelFile::Result& r) {
    Messages().ask(r.message, r.caption, MsgButtons::Ok, MsgIcon::Information);
}

} // namespace

double LeadingNumber(const QString& text) {
    return ParseLeadingNumber(text.toStdString()).value_or(0);
}

TkabetsuikaDlg::TkabetsuikaDlg(QWidget* parent) : ModalForm(parent, U("壁要素（面材）変更")) {
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setCentred(true);
    setAutoFillBackground(true);

    nameLimit_ = new Cp932LimitValidator(NameBytes, this);
    symbolLimit_ = new Cp932LimitValidator(SymbolBytes, this);

    auto* outer = new QHBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    const char* headings[] = {"要素No.", "名称", "記号", "耐力", "剛性", "壁倍率"};
    for (int c = 0; c < 6; ++c) grid->addWidget(new QLabel(U(headings[c]), this), 0, c);

    auto edit = [this](int maxLength, int width) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(maxLength);
        e->setFixedWidth(width);
        return e;
    };
    for (int k = 0; k < CustomPanelCount; ++k) {
        const int row = k + 1;
        const bool furred = k % 2 == 1;
        grid->addWidget(
            new QLabel(furred ? U("(胴縁)") : QStringLiteral("No.%1").arg(k / 2 + 1), this), row,
            0);
        Ename[k] = edit(NameBytes, 150);
        Ename[k]->setValidator(nameLimit_);
        Ekigou[k] = edit(SymbolBytes, 44);
        Ekigou[k]->setValidator(symbolLimit_);
        // Symbols are typed in half-width letters.
        Ekigou[k]->setAttribute(Qt::WA_InputMethodEnabled, false);
        Ekigou[k]->setInputMethodHints(Qt::ImhPreferLatin);
        Etairyoku[k] = edit(StrengthChars, 50);
        Egousei[k] = edit(StiffnessChars, 58);
        Ebairitsu[k] = edit(RatioChars, 40);
        for (QLineEdit* e : {Etairyoku[k], Egousei[k], Ebairitsu[k]})
            e->setAlignment(Qt::AlignRight);
        grid->addWidget(Ename[k], row, 1);
        grid->addWidget(Ekigou[k], row, 2);
        grid->addWidget(Etairyoku[k], row, 3);
        grid->addWidget(Egousei[k], row, 4);
        grid->addWidget(Ebairitsu[k], row, 5);
    }
    outer->addLayout(grid);

    auto* side = new QVBoxLayout;
    for (const char* line :
         {"壁要素の指定で、", "胴縁欄の選択は、", "上の名称を選んで", "胴縁にチェックする。"})
        side->addWidget(new QLabel(U(line), this));
    side->addStretch(1);
    Bload = new QPushButton(U("データ読込"), this);
    Bsave = new QPushButton(U("データ保存"), this);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    CancelBtn = new QPushButton(U("キャンセル"), this);
    OKBtn->setDefault(true);
    for (QPushButton* b : {Bload, Bsave, OKBtn, CancelBtn}) side->addWidget(b);
    outer->addLayout(side);

    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Bload, &QPushButton::clicked, this, [this] { BloadClick(); });
    connect(Bsave, &QPushButton::clicked, this, [this] { BsaveClick(); });

    ChooseOpenFile = [] { return ChooseFile(false); };
    ChooseSaveFile = [] { return ChooseFile(true); };

    for (int k = 0; k < CustomPanelCount; ++k) Editing[k] = Doc.CustomPanels[k];
    ShowEditing();
    resize(483, 312);
}

void TkabetsuikaDlg::FormShow() {
    for (int k = 0; k < CustomPanelCount; ++k) Editing[k] = Doc.CustomPanels[k];
    ShowEditing();
}

void TkabetsuikaDlg::ShowEditing() {
    for (int k = 0; k < CustomPanelCount; ++k) {
        const CustomPanelRecord& r = Editing[k];
        Ename[k]->setText(QStringFromCp932(r.name.view()));
        Ekigou[k]->setText(QStringFromCp932(r.symbol.view()));
        shownNumbers_[0][k] = Formatted("%5.2f", r.strength);
        shownNumbers_[1][k] = Formatted("%7.2f", r.stiffness);
        shownNumbers_[2][k] = Formatted("%5.2f", r.ratio);
        ShowWhole(Etairyoku[k], shownNumbers_[0][k], StrengthChars);
        ShowWhole(Egousei[k], shownNumbers_[1][k], StiffnessChars);
        ShowWhole(Ebairitsu[k], shownNumbers_[2][k], RatioChars);
    }
}

void TkabetsuikaDlg::ReadEdits() {
    for (int k = 0; k < CustomPanelCount; ++k) {
        CustomPanelRecord& r = Editing[k];
        r.name.set(LimitedCp932(Ename[k]->text(), nameLimit_->maxBytes()));
        r.symbol.set(LimitedCp932(Ekigou[k]->text(), symbolLimit_->maxBytes()));
        const QLineEdit* edits[3] = {Etairyoku[k], Egousei[k], Ebairitsu[k]};
        double* values[3] = {&r.strength, &r.stiffness, &r.ratio};
        for (int f = 0; f < 3; ++f) {
            if (edits[f]->text() != shownNumbers_[f][k])
                *values[f] = LeadingNumber(edits[f]->text());
        }
    }
}

bool TkabetsuikaDlg::ValuesStorable() {
    using CustomPanelFile::ValueFault;
    for (int k = 0; k < CustomPanelCount; ++k) {
        const CustomPanelRecord& r = Editing[k];
        const double values[3] = {r.strength, r.stiffness, r.ratio};
        QLineEdit* const edits[3] = {Etairyoku[k], Egousei[k], Ebairitsu[k]};
        for (int f = 0; f < 3; ++f) {
            const ValueFault fault = CustomPanelFile::CheckValue(values[f]);
            if (fault == ValueFault::None) continue;
            Messages().ask(CustomPanelLabel(k) + " の" + CustomPanelFile::ValueNames[f] +
                               (fault == ValueFault::Negative ? "は 0 以上で入力して下さい。"
                                                              : "が大き過ぎます。"),
                           "入力エラー", MsgButtons::Ok, MsgIcon::Warning);
            edits[f]->setFocus();
            edits[f]->selectAll();
            return false;
        }
    }
    return true;
}

void TkabetsuikaDlg::OKBtnClick() {
    ReadEdits();
    if (!ValuesStorable()) return;
    bool changed = false;
    for (int k = 0; k < CustomPanelCount; ++k) {
        if (Doc.CustomPanels[k] == Editing[k]) continue;
        Doc.CustomPanels[k] = Editing[k];
        changed = true;
    }
    // The materials are part of the document and of its model file.
    if (changed) App.Modified = 1;
    accept();
}

void TkabetsuikaDlg::BloadClick() {
    const QString path = ChooseOpenFile ? ChooseOpenFile() : QString();
    if (!path.isEmpty()) LoadFrom(path);
}

void TkabetsuikaDlg::BsaveClick() {
    const QString path = ChooseSaveFile ? ChooseSaveFile() : QString();
    if (!path.isEmpty()) SaveTo(path);
}

bool TkabetsuikaDlg::LoadFrom(const QString& path) {
    const CustomPanelFile::Result r = CustomPanelFile::Load(path.toStdString(), Editing);
    if (!r) {
        Report(r);
        return false;
    }
    ShowEditing();
    return true;
}

bool TkabetsuikaDlg::SaveTo(const QString& path) {
    ReadEdits();
    const CustomPanelFile::Result r = CustomPanelFile::Save(path.toStdString(), Editing);
    // A failure, or what a save that went through must still tell (a copy it kept).
    if (!r.message.empty()) Report(r);
    return r.ok;
}
