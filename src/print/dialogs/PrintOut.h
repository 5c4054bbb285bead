#pragma once
// The print dialog "印刷": the page selection (application forms, calculation report, cost
// estimate sheets), the printer set-up, and the print run of the chosen pages, each print job
// opened and closed here. Everything printed belongs to the scenario on screen.
#include "print/PrintRun.h"

#include "ui/Forms.h"

#include <QDialog>

#include <functional>

class PrinterSetupService;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;

class TPrintOutDlg final : public ModalForm {
    Q_OBJECT
public:
    explicit TPrintOutDlg(QWidget* parent);

    QGroupBox* GroupBox1 = nullptr; // application forms
    QGroupBox* GroupBox2 = nullptr; // calculation report
    QGroupBox* GroupBox3 = nullptr; // the printed scenario
    QGroupBox* GroupBox4 = nullptr; // cost estimate
    QCheckBox* Cps[11] = {};        // Cps1 .. Cps11: flags 0..10
    QCheckBox* Cpk[12] = {};        // Cpk1 .. Cpk12: flags 11..22
    QCheckBox* Cpg[2] = {};         // Cpg1, Cpg2: flags 23, 24
    QRadioButton* R1 = nullptr;
    QRadioButton* R2 = nullptr;
    QRadioButton* R3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Button1 = nullptr; // report: select all
    QPushButton* Button2 = nullptr; // report: clear all
    QPushButton* Button3 = nullptr; // forms: select all
    QPushButton* Button4 = nullptr; // forms: clear all
    QPushButton* Button5 = nullptr; // printer set-up
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The main window's printer set-up; the run prints on the printer it sets up. The form table
    // gives both when it makes the dialog.
    PrinterSetupService* PrinterSetup = nullptr;
    // Prints a plan. The window prints on its printer (PrintOnPrinter); tests record.
    std::function<void(const PrintPlan&)> RunPlan;

    // The check box of a page flag.
    QCheckBox* Box(int flag) const;

    void FormShow() override;
    // Stores the selection and prints it; the dialog closes with OK, printed or not.
    void OKBtnClick();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
};

extern TPrintOutDlg* PrintOutDlg;

// Prints the plan on the printer (a PDF file or a printer of the system). Tells the user when a
// PDF file is missing or empty afterwards, and names the files when the run wrote more than one
// (a second print job goes to a file of its own).
void PrintOnPrinter(QPrinter& printer, const PrintPlan& plan,
                    const PagePrinterTable& printers = PagePrinters);
