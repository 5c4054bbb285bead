#pragma once
// The whole program on a blank document, with no question asked; on leaving, the forms go and
// the document, program state and grid the process had before come back.
#include "TestApp.h"

#include "model/AppState.h"
#include "model/Grid.h"
#include "model/Model.h"
#include "support/DiagnosisHouses.h"
#include "support/ScriptedMessages.h"
#include "ui/FormSet.h"
#include "ui/Forms.h"

#include <QTemporaryDir>

#include <memory>

struct RunningProgram {
    RunningProgram() {
        houses::ResetDocument();
        started = CreateForms({QStringLiteral("velquor")}, locks.path());
    }
    ~RunningProgram() {
        SetModalRunner({});
        DestroyForms();
        Doc = *savedDoc;
        App = savedApp;
        Grid = savedGrid;
    }
    QApplication& app = TestApp();
    const std::unique_ptr<Document> savedDoc = std::make_unique<Document>(Doc);
    const AppState savedApp = App;
    const GridState savedGrid = Grid;
    QTemporaryDir locks;
    ScriptedMessages messages;
    bool started = false;
};
