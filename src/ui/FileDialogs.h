#pragma once
// The program's open and save dialogs as Qt file dialogs. Extensions in the filters match in
// any case (Linux names are case-sensitive, files from Windows often are not in lower case).
// A dialog given no initial path starts in the open document's folder.
#include "document/FileDialogService.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

class QtFileDialogs final : public FileDialogService {
public:
    // Both are modal to the active window.
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
};

// "改修ファイル (*.vq2 *.VQ2)"; a filter without extensions lists every file ("*").
QString QtNameFilter(const FileFilter& filter);
QStringList QtNameFilters(const std::vector<FileFilter>& filters);

// The dialogs open() and save() show, built but not shown (tests look at them).
std::unique_ptr<QFileDialog> BuildOpenDialog(const FileDialogRequest& request,
                                             QWidget* parent = nullptr);
std::unique_ptr<QFileDialog> BuildSaveDialog(const FileDialogRequest& request,
                                             QWidget* parent = nullptr);

// Installs the Qt dialogs as the program's file dialogs unless a service is already
// installed (tests put theirs first).
void InstallQtFileDialogs();
