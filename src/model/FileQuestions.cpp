#include "model/FileQuestions.h"

#include "model/Messages.h"

#include <algorithm>
#include <iterator>

namespace {

// What the user is asked about each finding a save leaves to them: the question (followed by
// the report's reason), the answers, and where Yes is kept, so that the save asks no more about
// it. Enter goes on only for a retry: every other Yes would replace or drop what the user has
// not seen.
struct Question {
    fileio::Finding finding;
    const char* head;
    const char* answers;
    bool fileio::SaveTerms::*answer;
};
const Question Questions[] = {
    {fileio::Finding::Busy, AnotherCopySavingQuestion,
     "もう一度保存する　　　　はい\n\n保存を中止する　　　　　いいえ", nullptr},
    {fileio::Finding::Gone, FileGoneQuestion,
     "新しく作って保存する　　はい\n\n保存を中止する　　　　　いいえ",
     &fileio::SaveTerms::createAgain},
    {fileio::Finding::Protected, ProtectedFileQuestion,
     "置き換えて保存する　　　はい\n\n保存を中止する　　　　　いいえ",
     &fileio::SaveTerms::replaceProtected},
    {fileio::Finding::NoBackup, nullptr,
     "バックアップを作らずに保存する　　はい\n\n保存を中止する　　　　　　　　　いいえ",
     &fileio::SaveTerms::withoutBackup},
};

// Asks what `report` leaves to the user, keeping the answer in `terms`: true saves again. A
// report that leaves nothing to ask ends the save as it is, a No ends it Declined. The report's
// reason says more: who owns the lock of another copy saving, why no backup can be made.
bool Ask(fileio::SaveReport& report, fileio::SaveTerms& terms, const AskChanged& askChanged) {
    const auto q = std::ranges::find(Questions, report.finding, &Question::finding);
    bool yes = false;
    if (report.finding == fileio::Finding::Changed && askChanged) {
        terms.expected = report.found;
        yes = askChanged(report);
    } else if (q != std::end(Questions)) {
        yes = Messages().askWithDefault(
                  (q->head ? q->head : "") + report.reason + "\n\n" +
                      (report.backup.empty() ? report.file : report.backup) + "\n\n" + q->answers,
                  fileio::SaveQuestionCaption, MsgButtons::YesNo, MsgIcon::Question,
                  q->answer ? MsgAnswer::No : MsgAnswer::Yes) == MsgAnswer::Yes;
        if (q->answer) terms.*q->answer = yes;
    } else {
        return false;
    }
    if (!yes) report.finding = fileio::Finding::Declined;
    return yes;
}

} // namespace

fileio::SaveReport SaveAsking(const std::string& path, std::string_view bytes,
                              std::string (*backupOf)(const std::string& fileName),
                              fileio::SaveTerms& terms, const AskChanged& askChanged) {
    for (;;) {
        fileio::SaveReport report = fileio::SaveFile(path, bytes, backupOf, terms);
        if (!Ask(report, terms, askChanged)) return report;
    }
}
