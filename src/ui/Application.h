#pragma once
// What the program sets up right after the application object exists and before any form:
// the C numeric locale, the Japanese font faces and the message boxes.
class QApplication;

void PrepareApplication(QApplication& app);
