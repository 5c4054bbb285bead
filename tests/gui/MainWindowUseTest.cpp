// The main window as a new user meets it: an opened house is in view with its own scenario
// colours and survey values, clicks that change nothing mark nothing, the results fit a
// 768-line screen, help opens a page that ships with the program, drops are copies.
#include "TestApp.h"

#include "app/FormSet.h"
#include "document/DocumentCommands.h"
#include "mainwin/GridAxes.h"
#include "mainwin/ResultPanel.h"
#include "mainwin/dialogs/Dhashira.h"
#include "mainwin/velquor2_MAIN.h"
#include "model/AppState.h"
#include "model/CustomPanels.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "model/ModelFile.h"
#include "model/Slots.h"
#include "support/FileFixtures.h"
#include "support/ScriptedMessages.h"
#include "support/WidgetPixels.h"
#include "ui/Forms.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>

#include <fstream>

#include <gtest/gtest.h>

namespace {

// A two-storey house of 17 x 3 modules, wider than the plan's view, near the top left of the
// grid (so that it is offered for centring), weight classes 0, 2, 1 and a deteriorated outer
// wall.
std::string OffCentreHouseBytes() {
    auto d = testfile::StartDocument();
    d->ColumnCount[0][0] = 4;
    for (int k = 0; k < 4; ++k) d->Columns[0][0][k] = {10 + k % 2 * 17, 10 + k / 2 * 3, 1, 0, 0};
    d->DeteriorationSurvey.outerWallDeteriorated = 1;
    for (int sc = 0; sc < Scenarios; ++sc) d->StoreyData.topStorey[sc] = 1;
    d->StoreyData.weightClass[1] = 2;
    d->StoreyData.weightClass[2] = 1;
    return WriteModelFile(*d, 0);
}

// Answers the centring question and notes the deterioration factor in force while it is open
// (the plan and the result panel are drawn behind it).
class CentringAnswer final : public MessageService {
public:
    explicit CentringAnswer(MsgAnswer answer) : answer_(answer) { SetMessageService(this); }
    ~CentringAnswer() override { SetMessageService(nullptr); }
    MsgAnswer ask(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        EXPECT_NE(text.find("データ位置が偏っています"), std::string::npos) << text;
        factorDuringQuestion = App.DeteriorationFactor;
        return answer_;
    }
    double factorDuringQuestion = -1;

private:
    MsgAnswer answer_;
};

QColor Colour(RgbColour c) {
    return QColor(c.r, c.g, c.b);
}

class MainWindowUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(locks.isValid() && files.isValid());
        saved_ = std::make_unique<Document>(Doc);
        savedApp_ = App;
        SetModalRunner([](QDialog&) { return int(QDialog::Accepted); });
    }
    void TearDown() override {
        SetModalRunner({});
        DestroyForms();
        Doc = *saved_;
        App = savedApp_;
    }
    // The window as maximised on a 1366 x 768 screen (task bar and title bar taken off).
    void Start() {
        ScriptedMessages quiet;
        ASSERT_TRUE(CreateForms({QStringLiteral("velquor")}, locks.path()));
        MainForm->resize(1366, 690);
        MainForm->show();
        ASSERT_TRUE(ProcessEventsUntil([] { return MainForm->StartupDialogsPending == 0; }));
    }
    QString HouseFile() {
        const QString path = QDir(files.path()).filePath(QStringLiteral("house.vq2"));
        std::ofstream(path.toStdString(), std::ios::binary) << OffCentreHouseBytes();
        return path;
    }
    QTemporaryDir locks, files;

private:
    std::unique_ptr<Document> saved_;
    AppState savedApp_;
};

TEST_F(MainWindowUseTest, ADroppedHouseOpensInViewWithItsOwnColoursAndSurveyValues) {
    Start();
    const QString path = HouseFile();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    // Shift proposes a move.
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                    Qt::ShiftModifier);
    ASSERT_EQ(drop.proposedAction(), Qt::MoveAction);
    static_cast<QObject*>(MainForm)->event(&drop);
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);

    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        App.DeteriorationFactor = 0.8; // the previous document's
        CentringAnswer user(answer);
        if (answer == MsgAnswer::No)
            ASSERT_TRUE(ProcessEventsUntil([] { return Doc.ColumnCount[0][0] == 4; }));
        else
            ASSERT_TRUE(MainForm->Documents().ReadFile(path.toStdString()));
        // Outer wall deteriorated, no frame, balcony or bath: 1 - 4 / 19 from the start.
        EXPECT_DOUBLE_EQ(user.factorDuringQuestion, 1.0 - 4.0 / 19.0);

        // The house is wider than the view: its left end is in view, with the Y bubbles
        // left of it and the X bubbles below it.
        const QScrollArea* gamen = MainForm->Gamen;
        const QRect view(
            QPoint(gamen->horizontalScrollBar()->value(), gamen->verticalScrollBar()->value()),
            gamen->viewport()->size());
        const QRect house(
            QPoint(SheetPixelX(Doc.AxisX[Grid.DataMinX] - 2.0) - 15, NodePixelY(Grid.DataMinY)),
            QPoint(NodePixelX(Grid.DataMinX + 5),
                   SheetPixelY(Doc.AxisY[Grid.DataMaxY] + 2.0) + 15));
        EXPECT_TRUE(view.contains(house)) << "answer " << int(answer);
    }
    // As painted, away from the radio's mark and caption.
    QRadioButton* radios[] = {MainForm->Rgenkyou, MainForm->Rkaishu1, MainForm->Rkaishu2};
    const int weights[] = {0, 2, 1};
    for (int s = 0; s < Scenarios; ++s)
        EXPECT_EQ(VisibleColour(*radios[s], QPoint(radios[s]->width() - 2, 1)),
                  Colour(ScenarioWeightColours[weights[s]]));
    ScriptedMessages none;
    Doc.StoreyData.weightClass[1] = 1; // a new document takes over the classes
    MainForm->FileNewItem->trigger();
    EXPECT_EQ(VisibleColour(*radios[1], QPoint(radios[1]->width() - 2, 1)),
              Colour(ScenarioWeightColours[1]));
}

TEST_F(MainWindowUseTest, ClicksThatChangeNothingMarkNothing) {
    Start();
    ScriptedMessages messages; // closing must not ask to save
    App.Modified = 0;
    MainForm->Rhashira->click();
    EXPECT_TRUE(ColumnDlg->isVisible());
    MainForm->SheetMouseUp(Qt::RightButton, Qt::NoModifier, 200, 200); // no column to change
    MainForm->Rkabe->click();
    MainForm->SheetMouseUp(Qt::LeftButton, Qt::NoModifier, 200, 200);
    MainForm->SheetMouseUp(Qt::RightButton, Qt::NoModifier, 200, 200); // drops the half wall
    EXPECT_EQ(App.Modified, 0);
    MainForm->close();
    EXPECT_FALSE(MainForm->isVisible());
}

TEST_F(MainWindowUseTest, EveryStoreysResultsShowWithoutScrollingOnA768LineScreen) {
    // At the size of a desktop's usual font, not only the smaller one of the test platform.
    struct FontSize {
        QFont old = QApplication::font();
        explicit FontSize(int points) {
            QFont f = old;
            f.setPointSize(points);
            QApplication::setFont(f);
        }
        ~FontSize() { QApplication::setFont(old); }
    } desktop(10);
    Start();
    QScrollArea* box = MainForm->ScrollBox2;
    const QPoint resultsEnd =
        MainForm->Results->mapTo(box->viewport(), QPoint(0, MainForm->Results->height()));
    EXPECT_LE(resultsEnd.y(), box->viewport()->height());
    EXPECT_EQ(box->verticalScrollBar()->maximum(), 0);

    // A smaller window scrolls the panel.
    MainForm->resize(900, 400);
    EXPECT_TRUE(ProcessEventsUntil([&] { return box->verticalScrollBar()->maximum() > 0; }));
}

TEST_F(MainWindowUseTest, HelpOpensThePageThatShipsWithTheProgram) {
    Start();
    std::vector<QUrl> opened;
    bool browser = true;
    MainForm->OpenHelpUrl = [&](const QUrl& url) {
        opened.push_back(url);
        return browser;
    };
    MainForm->M1->trigger();
    ASSERT_EQ(opened.size(), 1u);
    QFile page(opened[0].toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << opened[0].toString().toStdString();
    const QString text = QString::fromUtf8(page.readAll());
    for (const char* part : {"Velquor", "通り芯", "*.vq2", "*.yd0", "*.BAK"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    EXPECT_EQ(MainForm->HelpViewer, nullptr);

    browser = false; // no browser on this desktop: our own viewer shows the page
    MainForm->M1->trigger();
    ASSERT_NE(MainForm->HelpViewer, nullptr);
    EXPECT_TRUE(MainForm->HelpViewer->isVisible());
    EXPECT_EQ(MainForm->HelpViewer->windowTitle(), QStringLiteral("Velquor ヘルプ"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(MainForm->HelpViewer, &escape);
    EXPECT_FALSE(MainForm->HelpViewer->isVisible());
}

} // namespace
