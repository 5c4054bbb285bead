#include "ui/FormSet.h"

#include "mainwin/dialogs/Axis_Dlg.h"
#include "mainwin/dialogs/ColumnChange.h"
#include "mainwin/dialogs/Dkabe.h"
#include "mainwin/dialogs/Dmodule.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/dialogs/Dzone.h"
#include "mainwin/dialogs/Ooukazai.h"
#include "mainwin/dialogs/WallChange.h"
#include "mainwin/dialogs/kabetsuika.h"
#include "mainwin/velquor2_About.h"
#include "mainwin/velquor2_MAIN.h"
#include "reports/Ogouseiritsu.h"
#include "reports/Ohantei.h"
#include "ui/FileDialogs.h"
#include "ui/SingleInstance.h"
#include "ui/StatusHints.h"

namespace {

template <typename Form, Form*& Variable>
constexpr FormEntry Entry(const char* className, const char* variableName) {
    return {className, variableName,
            [](QWidget* owner) -> QWidget* { return Variable = new Form(owner); },
            [] {
                delete Variable;
                Variable = nullptr;
            },
            []() -> QWidget* { return Variable; }};
}

#define FORM(Class, variable) Entry<Class, variable>(#Class, #variable)

// Creation order. A form that joins the program takes its line at its place here; the
// numbers are the places of the forms still to come.
constexpr FormEntry Forms[] = {
    //  1 Tvelquor2Form    MainForm (made first, by CreateForms)
    FORM(TAboutBox, AboutBox), //  2
    //  3 TColumnDlg       ColumnDlg
    FORM(TWallDlg, WallDlg), //  4
    FORM(TShinDlg, ShinDlg), //  5
    //  6 TYukaDlg         YukaDlg
    //  7 TYuka2Dlg        Yuka2Dlg
    //  8 TKisoDlg         KisoDlg
    //  9 TRoomDlg         RoomDlg
    // 10 TDousaDlg        DousaDlg
    // 11 TJiyuDlg         JiyuDlg
    FORM(TAxisDlg, AxisDlg),             // 12
    FORM(TWallChangeDlg, WallChangeDlg), // 13
    // 14 TNameDlg         NameDlg
    // 15 TSenoffDlg       SenoffDlg
    // 16 TGaiyouDlg       GaiyouDlg
    // 17 TDcopyDlg        DcopyDlg
    FORM(TColumnchangeDlg, ColumnchangeDlg), // 18
    // 19 TRekkadoDlg      RekkadoDlg
    // 20 TShuukeiDlg      ShuukeiDlg
    // 21 TOjushinDlg      OjushinDlg
    // 22 TOhitsuyouDlg    OhitsuyouDlg
    // 23 TOnchiDlg        OnchiDlg
    // 24 TOyukaDlg        OyukaDlg
    // 25 TOkabeDlg        OkabeDlg
    // 26 TOgoushinDlg     OgoushinDlg
    FORM(TOgouseiDlg, OgouseiDlg), // 27
    FORM(TOhanteiDlg, OhanteiDlg), // 28
    // 29 TPrintOutDlg     PrintOutDlg
    FORM(TkabetsuikaDlg, kabetsuikaDlg), // 30
    FORM(TzoneDlg, zoneDlg),             // 31
    FORM(TDmoduleDlg, DmoduleDlg),       // 32
    FORM(TOoukazaiDlg, OoukazaiDlg),     // 33
};

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
