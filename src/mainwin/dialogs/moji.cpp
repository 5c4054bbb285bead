#include "mainwin/dialogs/moji.h"

#include "document/Foundations.h"
#include "mainwin/dialogs/Droom.h"
#include "document/DocumentCommands.h"
#include "model/AppState.h"
#include "model/Cp932.h"
#include "ui/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TNameDlg* NameDlg = nullptr;

namespace {

const char* const NameItems[] = {
    "",       "居間",  "台所",   "食堂",    "ＬＤＫ",       "ＤＫ",  "玄関",  "ホール",
    "廊下",   "和室",  "和８",   "和６",    "和4.5",        "洋室",  "洋８",  "洋６",
    "洋4.5",  "洗面",  "浴室",   "納戸",    "便所",         "@便所", "押入",  "@押入",
    "物入",   "@物入", "タンス", "@タンス", "クローゼット", "階段←", "→階段", "@階段←",
    "@→階段", "*0",    "*90",    "*180",    "*270"};

// The window's side of the foundation and text input: this dialog, the palette and the plan.
class WindowTextView final : public PlanTextInputView {
public:
    explicit WindowTextView(TNameDlg& dialog) : dialog_(dialog) {}
    bool showNameDialog() override {
        const bool chosen = ShowModal(dialog_) == QDialog::Accepted;
        if (chosen && RoomDlg) RoomDlg->ShowCurrentText();
        return chosen;
    }
    void currentTextChanged() override {
        if (RoomDlg) RoomDlg->ShowCurrentText();
        WindowView().refreshPalette();
    }
    void repaintSheet() override { RepaintPlanSheet(); }

private:
    TNameDlg& dialog_;
};

} // namespace

TNameDlg::TNameDlg(QWidget* parent)
    : ModalForm(parent, QStringLiteral("文字の入力")),
      view_(std::make_unique<WindowTextView>(*this)) {
    setCentred(true);

    Label1 = new QLabel(QStringLiteral("入力文字 ＝"), this);
    name = new QComboBox(this);
    name->setObjectName(QStringLiteral("name"));
    name->setEditable(true);
    name->setInsertPolicy(QComboBox::NoInsert);
    name->setMaxVisibleItems(20);
    for (const char* item : NameItems) name->addItem(QString::fromUtf8(item));
    name->setCurrentIndex(0);
    // Typing stops at what the model file keeps; CP932 must be able to write every character.
    name->lineEdit()->setValidator(new Cp932LimitValidator(int(MaxRoomTextBytes), name));
    Label2 = new QLabel(QStringLiteral("最初に@ (半角) を付けると縦書きになります。"), this);
    Label3 = new QLabel(QStringLiteral("最初に * (半角) を付けると方位記号になります。"), this);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* layout = new QGridLayout(this);
    // As large as its texts need, which the design's 324 x 74 pixels are not with every font.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(1);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(name, 0, 1);
    layout->addWidget(OKBtn, 0, 2);
    layout->addWidget(Label2, 1, 0, 1, 2);
    layout->addWidget(CancelBtn, 1, 2);
    layout->addWidget(Label3, 2, 0, 1, 2);
    // The designed size, or more where the notes need it: they must be read whole.
    setFixedSize(sizeHint().expandedTo(QSize(324, 74)));

    connect(OKBtn, &QPushButton::clicked, this, [this] {
        OKBtnClick();
        accept();
    });
    connect(CancelBtn, &QPushButton::clicked, this, &ModalForm::reject);

    SetPlanTextInputView(view_.get());
}

TNameDlg::~TNameDlg() {
    if (&PlanTextView() == view_.get()) SetPlanTextInputView(nullptr);
}

void TNameDlg::FormShow() {
    name->setEditText(QStringFromCp932(App.CurRoomText));
    name->lineEdit()->selectAll();
    name->setFocus();
}

void TNameDlg::OKBtnClick() {
    // A character CP932 cannot write is left out rather than losing the whole text.
    std::string bytes;
    for (const char32_t codePoint : name->currentText().toUcs4()) {
        const auto one = cp932::fromUtf8(QString::fromUcs4(&codePoint, 1).toStdString());
        if (one) bytes += *one;
    }
    SetCurrentRoomText(bytes);
}
