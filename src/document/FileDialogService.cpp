#include "document/FileDialogService.h"

#include "model/AppState.h"

namespace {

class CancellingFileDialogs final : public FileDialogService {
public:
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return {}; }
};

CancellingFileDialogs cancelling;
FileDialogService* currentDialogs = &cancelling;

} // namespace

FileDialogService& FileDialogs() {
    return *currentDialogs;
}
void SetFileDialogService(FileDialogService* service) {
    currentDialogs = service ? service : &cancelling;
}
bool FileDialogServiceInstalled() {
    return currentDialogs != &cancelling;
}

std::string DocumentFolder() {
    const std::string& path = App.FileName;
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}
