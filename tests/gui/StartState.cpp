// Every window test starts as the program does: no forms, the real modal loop, no file
// dialogs, and the model as it was before the first test, whatever ran before it.
#include "support/StartState.h"
#include "mainwin/velquor2_MAIN.h"
#include "document/FileDialogService.h"
#include "app/FormSet.h"
#include "ui/Forms.h"

namespace {
const bool installed = StartStateListener::Install([] {
    DestroyForms();
    SetModalRunner({});
    // CreateForms installs the Qt dialogs, which a later test would see open for real.
    SetFileDialogService(nullptr);
});
} // namespace
