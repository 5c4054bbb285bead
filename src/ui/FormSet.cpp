#include "ui/FormSet.h"

#include "mainwin/dialogs/Axis_Dlg.h"
#include "mainwin/dialogs/ColumnChange.h"
#include "mainwin/dialogs/Dmodule.h"
#include "mainwin/dialogs/Dtourishin.h"
#include "mainwin/dialogs/Dzone.h"
#include "mainwin/dialogs/Ooukazai.h"
#include "mainwin/dialogs/kabetsuika.h"
#include "mainwin/velquor2_About.h"
#include "mainwin/velquor2_MAIN.h"
#include "print/PrintOut.h"
#include "ui/SingleInstance.h"

namespace {

template <typename Form>
void Destroy(Form*& variable) {
    delete variable;
    variable = nullptr;
}

} // namespace

bool CreateForms(const QStringList& arguments) {
    return CreateForms(arguments, InstanceLock::DefaultFolder());
}

bool CreateForms(const QStringList& arguments, const QString& lockFolder) {
    DestroyForms();
    // The forms are created in this order, every one with the main window as its owner. A
    // form that joins the program is created at its place in the list.
    MainForm = new Tvelquor2Form(arguments, lockFolder); //  1 velquor2_MAIN
    if (MainForm->TerminateRequested) return false;
    AboutBox = new TAboutBox(MainForm); //                    2 velquor2_About
    //  3 TColumnDlg       ColumnDlg        Dhashira
    //  4 TWallDlg         WallDlg          Dkabe
    ShinDlg = new TShinDlg(MainForm); //                      5 Dtourishin
    //  6 TYukaDlg         YukaDlg          Dyuka
    //  7 TYuka2Dlg        Yuka2Dlg         Dyuka2
    //  8 TKisoDlg         KisoDlg          Dkiso
    //  9 TRoomDlg         RoomDlg          Droom
    // 10 TJiyuDlg         JiyuDlg          Djiyu
    AxisDlg = new TAxisDlg(MainForm); //                     11 Axis_Dlg
    // 12 TWallChangeDlg   WallChangeDlg    WallChange
    // 13 TNameDlg         NameDlg          moji
    // 14 TSenoffDlg       SenoffDlg        SenDlg
    // 15 TGaiyouDlg       GaiyouDlg        Gaiyou
    // 16 TDcopyDlg        DcopyDlg         Dcopy
    ColumnchangeDlg = new TColumnchangeDlg(MainForm); //      17 ColumnChange
    // 18 TRekkadoDlg      RekkadoDlg       Rekkado
    // 19 TShuukeiDlg      ShuukeiDlg       Shuukei
    // 20 TOjushinDlg      OjushinDlg       OJushin
    // 21 TOhitsuyouDlg    OhitsuyouDlg     Ohitsuyou
    // 22 TOnchiDlg        OnchiDlg         Onchi
    // 23 TOyukaDlg        OyukaDlg         Oyuka
    // 24 TOkabeDlg        OkabeDlg         Okabe
    // 25 TOgoushinDlg     OgoushinDlg      Ogoushin
    // 26 TOgouseiDlg      OgouseiDlg       Ogouseiritsu
    // 27 TOhanteiDlg      OhanteiDlg       Ohantei
    PrintOutDlg = new TPrintOutDlg(MainForm);     //              28 PrintOut
    kabetsuikaDlg = new TkabetsuikaDlg(MainForm); //          29 kabetsuika
    zoneDlg = new TzoneDlg(MainForm);             //                      30 Dzone
    DmoduleDlg = new TDmoduleDlg(MainForm);       //               31 Dmodule
    OoukazaiDlg = new TOoukazaiDlg(MainForm);     //              32 Ooukazai
    return true;
}

void DestroyForms() {
    // In reverse order of creation; the main window owns the others, so each is deleted before
    // it and its variable cleared.
    Destroy(OoukazaiDlg);
    Destroy(DmoduleDlg);
    Destroy(zoneDlg);
    Destroy(kabetsuikaDlg);
    Destroy(PrintOutDlg);
    Destroy(ColumnchangeDlg);
    Destroy(AxisDlg);
    Destroy(ShinDlg);
    Destroy(AboutBox);
    Destroy(MainForm);
}
