#pragma once
// The program's forms: each created once at start-up, in a fixed order, and kept until exit.
#include <QString>
#include <QStringList>

// Creates the forms in order, the main window first (its creation runs the single-instance
// check and the model's start-up initialisation before any other form exists). Returns false
// when the user chose not to start another copy; the main window then exists but must not be
// shown.
bool CreateForms(const QStringList& arguments, const QString& lockFolder);
bool CreateForms(const QStringList& arguments);

// Destroys every form, the main window last.
void DestroyForms();
