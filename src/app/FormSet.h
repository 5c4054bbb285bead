#pragma once
// The program's forms: each created once at start-up, in a fixed order, and kept until exit.
// The main window comes first; every other form is one line of the form table (FormSet.cpp),
// at its place in the creation order.
#include <QString>
#include <QStringList>

#include <span>

class QWidget;

// One form of the table: its class, its global variable, and how it is made and unmade (with
// the main window as its owner).
struct FormEntry {
    const char* className;
    const char* variableName;
    QWidget* (*create)(QWidget* owner); // makes the form and sets its variable
    void (*destroy)();                  // deletes it and clears its variable
    QWidget* (*instance)();             // the variable's current value
};

// The forms after the main window, in creation order.
std::span<const FormEntry> FormTable();

// Creates the forms in order, the main window first (its creation runs the single-instance
// check and the model's start-up initialisation before any other form exists). Returns false
// when the user chose not to start another copy; the main window then exists but must not be
// shown.
bool CreateForms(const QStringList& arguments, const QString& lockFolder);
bool CreateForms(const QStringList& arguments);

// Destroys every form in reverse order of creation, the main window last.
void DestroyForms();
