#pragma once
// The program's file dialogs as a service without Qt: the commands that ask for a file (the
// document commands, the panel-material file) describe the dialog they want, the window
// installs the Qt dialogs (ui/FileDialogs.h) and tests install a script.
#include <optional>
#include <string>
#include <vector>

// One entry of a dialog's filter list: the label the user sees and the extensions it lists
// (without the dot, lower case; the dialogs match them in any case). No extension means every
// file.
struct FileFilter {
    std::string label;
    std::vector<std::string> extensions;
};

struct FileDialogRequest {
    std::vector<FileFilter> filters;
    std::string initialPath;      // UTF-8; empty: the open document's folder
    std::string defaultExtension; // save dialog: added when the user types no extension
    std::string caption;          // UTF-8; empty: "開く" or "名前を付けて保存"
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen existing file, or nothing when cancelled. Paths are UTF-8.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // The chosen file to write (after the user agreed to replace an existing one), or nothing
    // when cancelled.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
};

// The service every file dialog goes through. Until one is installed every dialog answers as
// if cancelled.
FileDialogService& FileDialogs();
void SetFileDialogService(FileDialogService* service);
bool FileDialogServiceInstalled();

// The folder a dialog without an initial path starts in: the open document's folder (UTF-8),
// or empty while the document has no file.
std::string DocumentFolder();
