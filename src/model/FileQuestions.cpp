#include "model/FileQuestions.h"

#include "model/Messages.h"

namespace {

// A question whose Yes goes on with the save; Enter keeps the file unless `retry`.
bool GoOn(const std::string& text, bool retry = false) {
    return Messages().askWithDefault(text, fileio::SaveQuestionCaption, MsgButtons::YesNo,
                                     MsgIcon::Question,
                                     retry ? MsgAnswer::Yes : MsgAnswer::No) == MsgAnswer::Yes;
}

const char* const Cancel = "\n\n保存を中止する　　　　　いいえ";

} // namespace

fileio::SaveReport SaveAsking(const std::string& path, std::string_view bytes,
                              std::string (*backupOf)(const std::string& fileName),
                              fileio::SaveTerms& terms, bool& declined) {
    declined = false;
    for (;;) {
        fileio::SaveReport report = fileio::SaveFile(path, bytes, backupOf, terms);
        const std::string file = "\n\n" + report.file + "\n\n";
        bool goOn = false;
        switch (report.finding) {
        case fileio::Finding::Saved:
        case fileio::Finding::Failed:
        case fileio::Finding::Changed:
            return report;
        case fileio::Finding::Busy:
            goOn = GoOn(AnotherCopySavingQuestion + ("（" + report.holder + "）。") + file +
                            "もう一度保存する　　　　はい" + Cancel,
                        true);
            break;
        case fileio::Finding::Gone:
            goOn = terms.createAgain =
                GoOn(FileGoneQuestion + file + "新しく作って保存する　　はい" + Cancel);
            break;
        case fileio::Finding::Protected:
            goOn = terms.replaceProtected =
                GoOn(ProtectedFileQuestion + file + "置き換えて保存する　　　はい" + Cancel);
            break;
        case fileio::Finding::NoBackup:
            goOn = terms.withoutBackup = GoOn(
                report.reason + "\n\n" + report.backup +
                "\n\nバックアップを作らずに保存する　　はい\n\n保存を中止する　　　　　　　　　"
                "いいえ");
            break;
        }
        if (!goOn) {
            declined = true;
            return report;
        }
    }
}

void TellIfCut(const fileio::FileAsRead& file) {
    if (file.cutWholeCopy.empty()) return;
    Messages().ask(std::string(CutFileNotice) + "\n\n" + file.path() +
                       "\n\n保存前の内容は、次のファイルに残っています。\n" + file.cutWholeCopy,
                   "読み込み警告", MsgButtons::Ok, MsgIcon::Warning);
}
