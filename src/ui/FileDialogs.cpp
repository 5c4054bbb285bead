#include "ui/FileDialogs.h"

#include "ui/Forms.h"

#include <QApplication>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>

QString QtNameFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const std::string& ext : filter.extensions) {
        const QString lower = QString::fromStdString(ext).toLower();
        patterns << QStringLiteral("*.") + lower << QStringLiteral("*.") + lower.toUpper();
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    return QString::fromStdString(filter.label) + QStringLiteral(" (") +
           patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QStringList QtNameFilters(const std::vector<FileFilter>& filters) {
    QStringList out;
    for (const FileFilter& f : filters) out << QtNameFilter(f);
    return out;
}

namespace {

// Qt's dialog gives its detail columns fixed widths made for short American dates: the date
// of the change ("8 Dec 2026 06:53:36"), the size and the kind came out cut. Each folder the
// dialog lists, once read, sizes the columns to what they show.
void FitColumnsToContent(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!view || !model) return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view,
                     [view] { view->header()->resizeSections(QHeaderView::ResizeToContents); });
}

std::unique_ptr<QFileDialog> BuildDialog(const FileDialogRequest& request, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    // Qt's own dialog: its file list matches the patterns without regard to case (a native
    // dialog might not), and tests can drive it.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    FitColumnsToContent(*dialog);
    dialog->setNameFilters(QtNameFilters(request.filters));
    if (!request.caption.empty()) dialog->setWindowTitle(QString::fromStdString(request.caption));
    if (!request.initialPath.empty()) {
        const QFileInfo initial(QString::fromStdString(request.initialPath));
        dialog->setDirectory(initial.absolutePath());
        dialog->selectFile(initial.fileName());
    } else if (const std::string folder = DocumentFolder(); !folder.empty()) {
        dialog->setDirectory(QString::fromStdString(folder));
    }
    return dialog;
}

std::optional<std::string> Run(QFileDialog& dialog) {
    if (ShowModal(dialog) != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return {};
    return chosen.first().toStdString();
}

} // namespace

std::unique_ptr<QFileDialog> BuildOpenDialog(const FileDialogRequest& request, QWidget* parent) {
    auto dialog = BuildDialog(request, parent);
    if (request.caption.empty()) dialog->setWindowTitle(QStringLiteral("開く"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return dialog;
}

std::unique_ptr<QFileDialog> BuildSaveDialog(const FileDialogRequest& request, QWidget* parent) {
    auto dialog = BuildDialog(request, parent);
    if (request.caption.empty()) dialog->setWindowTitle(QStringLiteral("名前を付けて保存"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Replacing an existing file is confirmed in the dialog.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!request.defaultExtension.empty())
        dialog->setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    return dialog;
}

std::optional<std::string> QtFileDialogs::openFile(const FileDialogRequest& request) {
    auto dialog = BuildOpenDialog(request, QApplication::activeWindow());
    return Run(*dialog);
}

std::optional<std::string> QtFileDialogs::saveFile(const FileDialogRequest& request) {
    auto dialog = BuildSaveDialog(request, QApplication::activeWindow());
    return Run(*dialog);
}

void InstallQtFileDialogs() {
    if (FileDialogServiceInstalled()) return;
    static QtFileDialogs dialogs;
    SetFileDialogService(&dialogs);
}
