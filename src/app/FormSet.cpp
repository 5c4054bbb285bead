#include "app/FormSet.h"

#include "mainwin/dialogs/Axis_Dlg.h"
#include "mainwin/dialogs/ColumnChange.h"
#include "mainwin/dialogs/Dcopy.h"
#include "mainwin/dialogs/Dhashira.h"
#include "mainwin/dialogs/Djiyu.h"
#include "mainwin/dialogs/Dkabe.h"
#include "mainwin/dialogs/Dkiso.h"
#include "mainwin/dialogs/Dmodule.h"
#include "mainwin/dialogs/Droom.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/dialogs/Dyuka.h"
#include "mainwin/dialogs/Dyuka2.h"
#include "mainwin/dialogs/Dzone.h"
#include "mainwin/dialogs/Ooukazai.h"
#include "mainwin/dialogs/SenDlg.h"
#include "mainwin/dialogs/WallChange.h"
#include "mainwin/dialogs/kabetsuika.h"
#include "mainwin/dialogs/moji.h"
#include "mainwin/velquor2_About.h"
#include "mainwin/velquor2_MAIN.h"
#include "overview/Gaiyou.h"
#include "overview/Rekkado.h"
#include "print/dialogs/PrintOut.h"
#include "reports/dialogs/OJushin.h"
#include "reports/dialogs/Ogouseiritsu.h"
#include "reports/dialogs/Ogoushin.h"
#include "reports/dialogs/Ohantei.h"
#include "reports/dialogs/Ohitsuyou.h"
#include "reports/dialogs/Okabe.h"
#include "reports/dialogs/Onchi.h"
#include "reports/dialogs/Oyuka.h"
#include "reports/dialogs/Shuukei.h"
#include "ui/FileDialogs.h"
#include "ui/SingleInstance.h"
#include "ui/StatusHints.h"

namespace {

// Connect, when given, hands the new form what it needs of the main window.
template <typename Form, Form*& Variable, void (*Connect)(Form&) = nullptr>
constexpr FormEntry Entry(const char* className, const char* variableName) {
    return {className, variableName,
            [](QWidget* owner) -> QWidget* {
                Variable = new Form(owner);
                if constexpr (Connect != nullptr) Connect(*Variable);
                return Variable;
            },
            [] {
                delete Variable;
                Variable = nullptr;
            },
            []() -> QWidget* { return Variable; }};
}

#define FORM(Class, variable) Entry<Class, variable>(#Class, #variable)

// The print dialog prints on the main window's printer, set up by the window's set-up dialog.
void ConnectPrintOut(TPrintOutDlg& dialog) {
    dialog.PrinterSetup = MainForm->PrinterSetupDialog1.get();
    dialog.RunPlan = [](const PrintPlan& plan) {
        if (MainForm && MainForm->Printer) PrintOnPrinter(*MainForm->Printer, plan);
    };
}

// Creation order. A form that joins the program takes its line at its place here; the
// numbers are the places of the forms still to come.
// One line a form, unaligned, so that adding a form never touches its neighbours.
// clang-format off
constexpr FormEntry Forms[] = {
    //  1 Tvelquor2Form    MainForm (made first, by CreateForms)
    FORM(TAboutBox, AboutBox), //  2
    FORM(TColumnDlg, ColumnDlg), //  3
    FORM(TWallDlg, WallDlg), //  4
    FORM(TShinDlg, ShinDlg), //  5
    FORM(TYukaDlg, YukaDlg), //  6
    FORM(TYuka2Dlg, Yuka2Dlg), //  7
    FORM(TKisoDlg, KisoDlg), //  8
    FORM(TRoomDlg, RoomDlg), //  9
    // 10 TDousaDlg        DousaDlg
    FORM(TJiyuDlg, JiyuDlg), // 11
    FORM(TAxisDlg, AxisDlg), // 12
    FORM(TWallChangeDlg, WallChangeDlg), // 13
    FORM(TNameDlg, NameDlg), // 14
    FORM(TSenoffDlg, SenoffDlg), // 15
    FORM(TGaiyouDlg, GaiyouDlg), // 16
    FORM(TDcopyDlg, DcopyDlg), // 17
    FORM(TColumnchangeDlg, ColumnchangeDlg), // 18
    FORM(TRekkadoDlg, RekkadoDlg), // 19
    FORM(TShuukeiDlg, ShuukeiDlg), // 20
    FORM(TOjushinDlg, OjushinDlg), // 21
    FORM(TOhitsuyouDlg, OhitsuyouDlg), // 22
    FORM(TOnchiDlg, OnchiDlg), // 23
    FORM(TOyukaDlg, OyukaDlg), // 24
    FORM(TOkabeDlg, OkabeDlg), // 25
    FORM(TOgoushinDlg, OgoushinDlg), // 26
    FORM(TOgouseiDlg, OgouseiDlg), // 27
    FORM(TOhanteiDlg, OhanteiDlg), // 28
    Entry<TPrintOutDlg, PrintOutDlg, ConnectPrintOut>("TPrintOutDlg", "PrintOutDlg"), // 29
    FORM(TkabetsuikaDlg, kabetsuikaDlg), // 30
    FORM(TzoneDlg, zoneDlg), // 31
    FORM(TDmoduleDlg, DmoduleDlg), // 32
    FORM(TOoukazaiDlg, OoukazaiDlg), // 33
};
// clang-format on

#undef FORM

} // namespace

std::span<const FormEntry> FormTable() {
    return Forms;
}

bool CreateForms(const QStringList& arguments) {
    return CreateForms(arguments, InstanceLock::DefaultFolder());
}

bool CreateForms(const QStringList& arguments, const QString& lockFolder) {
    DestroyForms();
    MainForm = new Tvelquor2Form(arguments, lockFolder);
    if (MainForm->TerminateRequested) return false;
    // Hints of controls in every form show in the main window's status bar, and every file
    // dialog is Qt's (unless a test put its own first).
    InstallStatusHints(MainForm->StatusBar);
    InstallQtFileDialogs();
    for (const FormEntry& form : Forms) form.create(MainForm);
    return true;
}

void DestroyForms() {
    // The main window owns the others, so each is deleted before it and its variable cleared.
    for (auto form = std::rbegin(Forms); form != std::rend(Forms); ++form) form->destroy();
    InstallStatusHints(nullptr);
    delete MainForm;
    MainForm = nullptr;
}
