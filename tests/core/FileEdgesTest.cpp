// Model and panel files at the edges of the file system, on real folders: what is not a regular
// file, symbolic links, write-protected files, a backup name already taken, names as long as
// names may be, and files shared with other users (played by the administrator in a child
// process).
#include "document/DocumentCommands.h"
#include "model/FileQuestions.h"
#include "model/ModelFile.h"
#include "model/PanelFile.h"
#include "model/fileio/FileIo.h"
#include "support/FileFixtures.h"
#include "support/ScriptedMessages.h"
#include "support/SystemCallScript.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace testfile;
using callscript::FailNth;

namespace {

// What a save through the questions came to.
enum class SaveStatus { Saved, SavedWithoutBackup, Cancelled, Failed, Changed };

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
std::string ReadBytes(const std::string& path) {
    std::string error;
    return fileio::ReadWholeFile(path, error).value_or("<" + error + ">");
}
std::string Bak(const std::string& file) {
    return file + ".BAK";
}
// The file at `path` as a document read from it holds it (none where it cannot be read).
struct ReadFirst {
    explicit ReadFirst(const std::string& path) {
        std::string ignored;
        fileio::ReadWholeFile(path, ignored, &read);
    }
    const fileio::FileAsRead* get() const { return read.folder ? &read : nullptr; }
    fileio::FileAsRead read;
};

// A save of `path` through the questions; `read`, when given, is the document's own file as read.
SaveStatus Save(const std::string& path, std::string& reason,
                const fileio::FileAsRead* read = nullptr) {
    fileio::SaveTerms terms;
    terms.read = read;
    const fileio::SaveReport report = SaveAsking(path, "new", Bak, terms);
    reason = report.reason;
    switch (report.finding) {
    case fileio::Finding::Declined:
        return SaveStatus::Cancelled;
    case fileio::Finding::Saved:
        return terms.withoutBackup && !report.backupMade ? SaveStatus::SavedWithoutBackup
                                                         : SaveStatus::Saved;
    case fileio::Finding::Changed:
        return SaveStatus::Changed;
    default:
        return SaveStatus::Failed;
    }
}

// A refusal says what happened on its first line, and what the user can do after.
std::string FirstLine(const std::string& reason) {
    return reason.substr(0, reason.find('\n'));
}
constexpr const char* SavedElsewhere = "別の名前で、または別のフォルダーに保存してください。";

class FileEdges : public ::testing::Test {
protected:
    DocumentGuard guard;
    TempFolder folder;
    std::string reason;
};

} // namespace

// A pipe, a folder, a loop of links or a device: both readers return at once saying what the
// name holds; a save says why it cannot save there, and changes nothing.
TEST_F(FileEdges, WhatIsNotAFileIsRefusedAtOnce) {
    for (const std::string k : {"pipe", "folder", "loop", "device", "missing"}) {
        const std::string path = k == "device" ? "/dev/null" : folder.file(k + ".vq2");
        if (k == "pipe") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        }
        if (k == "folder") fs::create_directory(path);
        if (k == "loop") fs::create_symlink(path, path);
        const std::string why = k == "pipe" ? "ファイルではなく名前付きパイプです"
                                : k == "folder" ? "ファイルではなくフォルダーです"
                                : k == "loop" ? "リンクが循環していて、たどれません"
                                : k == "device" ? "ファイルではなくデバイスです"
                                                : "ファイルまたはフォルダーがありません";
        const auto start = std::chrono::steady_clock::now();
        ScriptedMessages msgs;
        msgs.expect(std::string(UnreadableFileText) + "\n\n" + path + "\n\n" +
                        "ファイルを開けませんでした（" + why + "）",
                    MsgAnswer::Ok);
        EXPECT_FALSE(LoadModelFile(path).ok);
        CustomPanelRecord panels[CustomPanelCount];
        EXPECT_EQ(CustomPanelFile::Load(path, panels).message,
                  "面材データファイルを開けません。\n\n" + path +
                      "\n\nファイルを開けませんでした（" + why + "）");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << k;
        if (k == "device" || k == "missing") continue;
        EXPECT_EQ(Save(path, reason), SaveStatus::Failed);
        EXPECT_EQ(FirstLine(reason), k == "loop" ? "保存先を確かめられませんでした（" + why + "）。"
                                                 : "保存先は" + why + "。");
        EXPECT_NE(reason.find(SavedElsewhere), std::string::npos) << "says what to do";
    }
    EXPECT_EQ(folder.entries(), 3u) << "the pipe, the folder and the link as they were";
    EXPECT_TRUE(fs::is_fifo(folder.file("pipe.vq2")));
}

TEST_F(FileEdges, ALinkIsSavedThroughAndKept) {
    fs::create_directory(folder.file("real"));
    const std::string link = folder.file("a.vq2"), file = folder.file("real/b.vq2");
    fs::create_symlink("real/b.vq2", link);
    WriteBytes(file, "old");
    ASSERT_EQ(Save(link, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(fs::read_symlink(link), "real/b.vq2");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(ReadBytes(Bak(file)), "old") << "the backup beside the target";
    fs::remove(file); // a link to a file not yet there creates it
    ASSERT_EQ(Save(link, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(folder.entries(), 2u);
}

TEST_F(FileEdges, PermissionsAreKeptAndAProtectedFileIsReplacedOnlyWhenAsked) {
    const std::string file = folder.file("a.vq2");
    WriteBytes(file, "protected");
    fs::permissions(file, fs::perms(0444));
    ScriptedMessages msgs;
    msgs.expect("このファイルは書き込み禁止になっています。\n\n" + file +
                    "\n\n置き換えて保存する　　　はい\n\n保存を中止する　　　　　いいえ",
                MsgAnswer::No)
        .expect("書き込み禁止", MsgAnswer::Yes);
    EXPECT_EQ(Save(file, reason), SaveStatus::Cancelled);
    EXPECT_EQ(ReadBytes(file), "protected");
    EXPECT_EQ(msgs.shown[0].caption, "保存の確認");
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Question);
    ASSERT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0444)) << "still protected";
    EXPECT_EQ(ReadBytes(Bak(file)), "protected");
    fs::permissions(file, fs::perms(0604));
    ASSERT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0604));
}

TEST_F(FileEdges, AFolderAtTheBackupsNameStaysWhereItIs) {
    const std::string file = folder.file("a.vq2");
    WriteBytes(file, "old");
    fs::create_directory(Bak(file));
    ScriptedMessages msgs;
    msgs.expect("バックアップと同じ名前のフォルダーがあるため、バックアップを作れません。\n\n" +
                    Bak(file) + "\n\nバックアップを作らずに保存する　　はい",
                MsgAnswer::No)
        .expect("バックアップを作らずに", MsgAnswer::Yes);
    EXPECT_EQ(Save(file, reason), SaveStatus::Cancelled);
    EXPECT_EQ(ReadBytes(file), "old");
    ASSERT_EQ(Save(file, reason), SaveStatus::SavedWithoutBackup) << reason;
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_TRUE(fs::is_directory(Bak(file)));
    EXPECT_EQ(folder.entries(), 2u) << "nothing moved aside";
}

TEST_F(FileEdges, TheBackupIsNeverReadWhole) {
    // Far larger than the readers take; sparse, so it costs no disk.
    const std::string file = folder.file("a.vq2");
    WriteBytes(file, "");
    fs::resize_file(file, (64u << 20) + 1);
    ASSERT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(fs::file_size(Bak(file)), (64u << 20) + 1);
    // Where the disk takes no hard links the backup is a copy, with the file's permissions.
    fs::permissions(file, fs::perms(0604));
    {
        const callscript::Script noLinks(FailNth("linkat", 1, EPERM, 1000));
        EXPECT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    }
    EXPECT_EQ(ReadBytes(Bak(file)), "new");
    EXPECT_EQ(fs::status(Bak(file)).permissions(), fs::perms(0604));
    EXPECT_EQ(folder.entries(), 2u);
}

// Another user may put a link or another file in place of the file or its earlier backup at
// any moment: a backup, hard link or copy, is made only of the file the save examined, never
// through a link, and the save fails leaving no copy of what the link leads to. Nor does a
// failed save lose the earlier backup when it cannot put it back.
TEST_F(FileEdges, NoSaveCopiesThroughALinkOrLosesTheEarlierBackup) {
    const std::string file = folder.file("a.vq2"), secret = folder.file("secret");
    WriteBytes(secret, "secret");
    fs::permissions(secret, fs::perms(0600));
    for (const bool copy : {false, true})
        for (const std::string& swapped : {file, Bak(file)}) {
            SCOPED_TRACE(swapped + (copy ? " copied" : " linked"));
            WriteBytes(file, "old");
            WriteBytes(Bak(file), "older");
            // Swapped as the backup is made.
            const callscript::Script script(FailNth("linkat", 1, copy ? EPERM : 0, 1, [&] {
                fs::remove(swapped);
                fs::create_symlink(secret, swapped);
            }));
            EXPECT_EQ(Save(file, reason), SaveStatus::Failed);
            EXPECT_EQ(FirstLine(reason),
                      "バックアップファイルを作成できませんでした（保存の途中で、"
                      "ファイルが別のものに置き換えられました）。");
            EXPECT_EQ(folder.entries(), 3u) << "no copy and no second name stays";
            fs::remove(swapped);
        }

    WriteBytes(file, "old");
    WriteBytes(Bak(file), "older");
    {
        // The file's rename (the third: the backups go first) and the two that would undo them.
        const callscript::Script script(FailNth("renameat", 3, EACCES, 3));
        EXPECT_EQ(Save(file, reason), SaveStatus::Failed);
    }
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(ReadBytes(reason.substr(reason.rfind('\n') + 1)), "older") << reason;
}

// Both files go this way; a save the user declined is no failure: nothing more is said and the
// document stays modified.
TEST_F(FileEdges, ADeclinedSaveSaysNothingMore) {
    App.FileName = folder.file("house.vq2");
    App.Modified = 1;
    WriteBytes(App.FileName, "protected");
    fs::permissions(App.FileName, fs::perms(0444));
    fs::create_directory(folder.file("p.yd0.BAK"));
    WriteBytes(folder.file("p.yd0"), "panels");
    DocumentView view;
    DocumentCommands commands(view);
    ScriptedMessages msgs;
    msgs.expect("書き込み禁止", MsgAnswer::No).expect("バックアップを作らずに", MsgAnswer::No);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
    EXPECT_EQ(App.Modified, 1);
    const CustomPanelFile::Result r = CustomPanelFile::Save(folder.file("p.yd0"), Doc.CustomPanels);
    EXPECT_TRUE(!r.ok && r.cancelled && r.message.empty());
    EXPECT_EQ(ReadBytes(folder.file("p.yd0")), "panels");
}

// ---- Shared folders, other users and long names ----------------------------------------------

namespace {

// Answers every question with the next of its answers, keeping the texts; for a child process,
// where the scripted recorder's checks would go unseen.
class AnsweringMessages final : public MessageService {
public:
    explicit AnsweringMessages(std::vector<MsgAnswer> answers) : answers_(std::move(answers)) {
        SetMessageService(this);
    }
    ~AnsweringMessages() override { SetMessageService(nullptr); }
    MsgAnswer ask(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        texts += text + "|";
        return next_ < answers_.size() ? answers_[next_++] : MsgAnswer::No;
    }
    std::string texts;

private:
    std::vector<MsgAnswer> answers_;
    std::size_t next_ = 0;
};

const char* StatusName(SaveStatus s) {
    switch (s) {
    case SaveStatus::Saved:
        return "Saved";
    case SaveStatus::SavedWithoutBackup:
        return "SavedWithoutBackup";
    case SaveStatus::Cancelled:
        return "Cancelled";
    case SaveStatus::Failed:
        return "Failed";
    case SaveStatus::Changed:
        return "Changed";
    }
    return "?";
}

// Runs `step` in a child process as the user `uid` with the group `gid` and the further groups
// `groups`, and returns what the step said (or why it could not run).
template <typename Step>
std::string AsUser(uid_t uid, gid_t gid, std::vector<gid_t> groups, Step step) {
    int out[2];
    if (::pipe(out) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::string said = ::setgroups(groups.size(), groups.data()) == 0 &&
                                   ::setresgid(gid, gid, gid) == 0 &&
                                   ::setresuid(uid, uid, uid) == 0
                               ? step()
                               : "could not become the user";
        (void)!::write(out[1], said.data(), said.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string said;
    char buf[4096];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;) said.append(buf, n);
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    return said;
}

struct stat StatOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st;
}

std::string Attribute(const std::string& path, const char* name) {
    char value[256];
    const ssize_t n = ::getxattr(path.c_str(), name, value, sizeof value);
    return n < 0 ? "<none>" : std::string(value, static_cast<std::size_t>(n));
}

// An access control list as the system keeps it in its extended attribute: a version, then
// entries of a tag, the permissions and a user or group number.
std::string AclBytes(std::initializer_list<std::array<std::uint32_t, 3>> entries) {
    std::string b;
    auto put = [&](auto v) { b.append(reinterpret_cast<const char*>(&v), sizeof v); };
    put(std::uint32_t{2});
    for (const auto& e : entries) {
        put(static_cast<std::uint16_t>(e[0]));
        put(static_cast<std::uint16_t>(e[1]));
        put(e[2]);
    }
    return b;
}

class SharedFiles : public FileEdges {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "other users are played by the administrator";
        // The test's folder is open to the users the test plays.
        fs::permissions(fs::path(folder.file("x")).parent_path(), fs::perms::all);
    }
    // A folder everyone may write and only owners may empty, as /tmp.
    std::string StickyFolder(const std::string& name, uid_t owner = 0) {
        const std::string path = folder.file(name);
        fs::create_directory(path);
        fs::permissions(path, fs::perms::all | fs::perms::sticky_bit);
        EXPECT_EQ(::chown(path.c_str(), owner, owner), 0);
        return path;
    }
    // What a save of `file` by the user `uid`, whose document was read from it, said.
    static std::string SaveAsUser(uid_t uid, gid_t gid, std::vector<gid_t> groups,
                                  const std::string& file) {
        return AsUser(uid, gid, std::move(groups), [&] {
            std::string why;
            const ReadFirst document(file);
            return StatusName(Save(file, why, document.get())) + why;
        });
    }
    static constexpr uid_t Owner = 4101, Member = 4102, Stranger = 4104;
    static constexpr gid_t SharedGroup = 4200, OwnGroup = 4300;
};

} // namespace

// A crash between the two renames of a save leaves the backup a second name of the file; the
// next save keeps the old version as the backup and leaves nothing else, also when it fails.
TEST_F(FileEdges, ABackupThatIsTheFileItselfLeavesNoCopyBehind) {
    const std::string file = folder.file("a.vq2");
    WriteBytes(file, "old");
    fs::create_hard_link(file, Bak(file));
    {
        const callscript::Script script(FailNth("renameat", 3, EACCES)); // the file's own
        EXPECT_EQ(Save(file, reason), SaveStatus::Failed);
    }
    EXPECT_EQ(folder.entries(), 2u) << "a failed save leaves the two names as they were";
    EXPECT_EQ(fs::hard_link_count(file), 2u);
    ASSERT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(ReadBytes(Bak(file)), "old");
    EXPECT_EQ(fs::hard_link_count(Bak(file)), 1u);
    EXPECT_EQ(folder.entries(), 2u) << "no second name of the old version stays";
}

// The lock beside a file: a hidden name of its own for each file.
std::string LockOf(const fs::path& folder, const char* leaf) {
    char name[40];
    std::snprintf(name, sizeof name, "/.vq-lock-%016llx",
                  static_cast<unsigned long long>(fileio::DigestOf(leaf).hash));
    return folder.string() + name;
}

// Copies of the program that read the same model file save it at the same moment, each saying
// No when asked: one saves and the others are asked, the file holds the save reported done, and
// nothing but the file and its backup stays. A lock file a save cut off left changes nothing;
// anything else at its name refuses every save, naming it. Another program writing the file
// just before it is replaced is asked about too.
TEST_F(FileEdges, OfCopiesSavingAtOnceOneSavesAndTheOthersAreAsked) {
    const std::string file = folder.file("house.vq2");
    const std::string lock = LockOf(fs::path(file).parent_path(), "house.vq2");
    WriteBytes(file, WriteModelFile(*StartDocument(), 0));
    DocumentView view;
    for (int round = 0; round < 8; ++round) {
        const int planted = round % 4; // nothing, a lock file left behind, a folder, a pipe
        if (planted == 1) WriteBytes(lock, "user left\nhost behind\n");
        if (planted == 2) fs::create_directory(lock);
        if (planted == 3) {
            ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0);
        }
        int ready[2], go[2];
        ASSERT_TRUE(::pipe(ready) == 0 && ::pipe(go) == 0);
        std::vector<pid_t> children;
        for (int c = 0; c < 3; ++c) {
            if (children.emplace_back(::fork()) != 0) continue;
            AnsweringMessages msgs({});
            DocumentCommands commands(view);
            commands.ReadFile(file);
            Doc.ColumnCount[0][0] = 1;
            Doc.Columns[0][0][0] = {10 + 3 * round + c, 10, 1, 0, 0}; // never the file's
            char byte = 0;
            ::close(go[1]);
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(go[0], &byte, 1); // returns when the parent lets all go at once
            const SaveResult saved = commands.OverwriteSave();
            const bool asked = msgs.texts.find(ChangedOnDiskQuestion) != std::string::npos;
            const bool refused = msgs.texts.find("ロックファイルの名前に") != std::string::npos &&
                                 msgs.texts.find(lock) != std::string::npos;
            ::_exit(saved == SaveResult::Saved                ? 10 + c
                    : saved == SaveResult::Cancelled && asked ? 1
                                                              : 5 * refused);
        }
        char bytes[3];
        for (ssize_t n = 0; n < 3;) n += std::max<ssize_t>(0, ::read(ready[0], bytes + n, 3 - n));
        for (const int fd : {ready[0], ready[1], go[0], go[1]}) ::close(fd);
        std::vector<int> codes;
        for (const pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            codes.push_back(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        std::sort(codes.begin(), codes.end());
        const int before = round == 0 ? 0 : Doc.Columns[0][0][0].x;
        ASSERT_TRUE(LoadModelFile(file).ok);
        if (planted >= 2) {
            EXPECT_EQ(codes, (std::vector<int>{5, 5, 5})) << "refused, naming it";
            EXPECT_EQ(Doc.Columns[0][0][0].x, before) << "no save done";
            fs::remove(lock);
            continue;
        }
        ASSERT_EQ(codes[0] + codes[1], 2) << "the others asked";
        ASSERT_GE(codes[2], 10) << "one saved";
        EXPECT_EQ(Doc.Columns[0][0][0].x, 3 * round + codes[2]) << "the save reported done";
    }
    EXPECT_EQ(folder.entries(), 2u);

    DocumentCommands commands(view);
    AnsweringMessages msgs({});
    ASSERT_TRUE(commands.ReadFile(file));
    {
        // Written as the backup takes its name, just before the file is replaced.
        const callscript::Script script(
            FailNth("renameat", 1, 0, 1, [&] { WriteBytes(file, "theirs"); }));
        EXPECT_EQ(commands.OverwriteSave(), SaveResult::Cancelled);
    }
    EXPECT_EQ(ReadBytes(file), "theirs");
    EXPECT_NE(msgs.texts.find(ChangedOnDiskQuestion), std::string::npos);

    // Nor is a file replaced once its lock is gone, as another copy may hold a new one.
    {
        const callscript::Script script(FailNth("renameat", 1, 0, 1, [&] { fs::remove(lock); }));
        EXPECT_EQ(Save(file, reason), SaveStatus::Failed);
    }
    EXPECT_EQ(reason, "ファイルを置き換えられませんでした（保存の途中で、ロックファイルが消された"
                      "か、置き換えられました）。\nもう一度保存してください。");
    EXPECT_EQ(ReadBytes(file), "theirs");
}

// A copy that holds the lock for long ends a save within about a second, naming its user and
// computer, and the user may try again; once that copy is gone (killed), nothing waits.
TEST_F(FileEdges, ALiveHolderIsNamedAndADeadOneDelaysNothing) {
    const std::string file = folder.file("house.vq2");
    const std::string lock = LockOf(fs::path(file).parent_path(), "house.vq2");
    WriteBytes(file, "old");
    int held[2];
    ASSERT_EQ(::pipe(held), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        // Whatever the lock file holds is nobody's word.
        WriteBytes(lock, "利用者 総務部 山田（管理者）。再起動してください");
        const int fd = ::open(lock.c_str(), O_RDONLY);
        (void)!::write(held[1], "x", ::flock(fd, LOCK_EX) == 0 ? 1 : 0);
        ::pause();
    }
    char byte;
    ASSERT_EQ(::read(held[0], &byte, 1), 1);
    ScriptedMessages msgs;
    const passwd* me = ::getpwuid(::geteuid());
    ASSERT_TRUE(me);
    msgs.expect(std::string(AnotherCopySavingQuestion) + "（ロックファイルの持ち主 " + me->pw_name +
                    "）。\n\n" + file,
                MsgAnswer::Yes)
        .expect(AnotherCopySavingQuestion, MsgAnswer::No);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Save(file, reason), SaveStatus::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4)) << "two tries";
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_EQ(msgs.shown[0].text.find("山田"), std::string::npos);
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_EQ(folder.entries(), 2u);
}

// A name that takes (nearly) all the bytes a name may have: 82 Japanese characters and more.
// The model file saves with its backup; a panel file whose backup name would be too long saves
// only after the question, without one.
TEST_F(FileEdges, NamesUpToTheLongestSave) {
    for (std::size_t length = 242; length <= 255; ++length) {
        SCOPED_TRACE(length);
        std::string base;
        while (base.size() + 3 <= length - 4) base += "間"; // three bytes each
        base.append(length - 4 - base.size(), 'x');
        const std::string model = folder.file(base + ".vq2"), panels = folder.file(base + ".yd0");
        ASSERT_EQ(fs::path(model).filename().string().size(), length);
        WriteBytes(model, "old");
        ASSERT_TRUE(ReadBytes(model) == "old") << "opens";
        App.Modified = 1;
        fileio::SaveReport out = SaveModelFile(model);
        ASSERT_TRUE(out.ok()) << out.reason;
        EXPECT_EQ(ReadBytes(BackupPathFor(model)), "old");

        WriteBytes(panels, "old");
        ScriptedMessages msgs;
        if (length > 251)
            msgs.expect("バックアップのファイル名が長すぎるため、バックアップを作れません。\n\n" +
                            panels + ".BAK\n\nバックアップを作らずに保存する　　はい",
                        MsgAnswer::Yes);
        EXPECT_TRUE(CustomPanelFile::Save(panels, Doc.CustomPanels).ok);
        EXPECT_EQ(ReadBytes(panels).size(), 794u);
        std::error_code tooLong;
        EXPECT_EQ(fs::exists(panels + ".BAK", tooLong), length <= 251);

        // A failed save leaves nothing of its own.
        {
            const callscript::Script script(FailNth("write", 1, ENOSPC));
            EXPECT_FALSE(SaveModelFile(model).ok());
        }
        EXPECT_EQ(folder.entries(), length <= 251 ? 4u : 3u);
        for (const auto& e : fs::directory_iterator(fs::path(model).parent_path()))
            fs::remove(e.path());
    }
}

// A member of the file's group saves it: the file is written in place, so it stays the owner's
// with its group, access control list and other extended attributes; the backup, a copy that
// belongs to the member, lets the owner read it too. The administrator keeps the owner.
TEST_F(SharedFiles, TheOwnerKeepsTheFileAGroupMemberSaved) {
    const std::string file = folder.file("a.vq2");
    WriteBytes(file, "old");
    if (::setxattr(file.c_str(), "user.velquor.note", "kept", 4, 0) != 0)
        GTEST_SKIP() << "the file system keeps no extended attributes: " << std::strerror(errno);
    // Read and write for the owner, the group and user 4103; nothing for others.
    const std::string acl =
        AclBytes({{0x01, 6, ~0u}, {0x02, 6, 4103}, {0x04, 6, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}});
    if (::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "the file system keeps no access control lists: " << std::strerror(errno);
    ASSERT_EQ(::chown(file.c_str(), Owner, SharedGroup), 0);
    const std::string keptAcl = Attribute(file, "system.posix_acl_access");
    const struct stat before = StatOf(file);
    const auto readAs = [&](uid_t user, const std::string& path) {
        return AsUser(user, OwnGroup, {}, [&] { return ReadBytes(path); });
    };

    EXPECT_EQ(SaveAsUser(Member, OwnGroup, {SharedGroup}, file), "Saved");
    EXPECT_EQ(readAs(Owner, file), "new");
    EXPECT_EQ(StatOf(file).st_ino, before.st_ino);
    EXPECT_EQ(StatOf(file).st_uid, Owner);
    EXPECT_EQ(StatOf(file).st_mode, before.st_mode);
    EXPECT_EQ(Attribute(file, "system.posix_acl_access"), keptAcl);
    EXPECT_EQ(StatOf(Bak(file)).st_uid, Member) << "the backup is a copy, the member's";
    EXPECT_EQ(readAs(Owner, Bak(file)), "old");
    EXPECT_EQ(readAs(Stranger, Bak(file)).substr(0, 1), "<") << "and nobody else";

    ASSERT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(StatOf(file).st_uid, Owner) << "the administrator keeps the owner";
    EXPECT_EQ(StatOf(file).st_gid, SharedGroup);
    EXPECT_EQ(Attribute(file, "system.posix_acl_access"), keptAcl);

    EXPECT_EQ(folder.entries(), 2u);

    // A disk too full for the attributes fails the save and leaves nothing of it.
    {
        const callscript::Script script(FailNth("fsetxattr", 1, ENOSPC));
        EXPECT_EQ(Save(file, reason), SaveStatus::Failed);
    }
    EXPECT_EQ(reason, "ファイルの属性を書き込めませんでした（ディスクの空き容量が足りません）。\n"
                      "不要なファイルを削除して空きを作るか、別のフォルダーに保存してください。");
    EXPECT_EQ(folder.entries(), 2u);
}

// In any folder a link is followed only when the user or the administrator made it, or when it
// stood so when the file was read. A group member puts links in place of the open model and
// panel files, to a file in the user's home that does not exist yet: each save is refused with
// where the link leads, and nothing is written there.
TEST_F(SharedFiles, ALinkAnotherUserMadeOrThatCameSinceTheOpenIsRefused) {
    const std::string group = folder.file("group"), keys = folder.file("authorized_keys");
    fs::create_directory(group);
    fs::permissions(group, fs::perms::all);
    const std::string model = group + "/house.vq2", panels = group + "/p.yd0";
    WriteBytes(model, WriteModelFile(*StartDocument(), 0));
    ASSERT_TRUE(CustomPanelFile::Save(panels, Doc.CustomPanels).ok);
    DocumentView view;
    DocumentCommands commands(view);
    ScriptedMessages msgs;
    ASSERT_TRUE(commands.ReadFile(model));
    ASSERT_TRUE(CustomPanelFile::Load(panels, Doc.CustomPanels).ok);
    EXPECT_EQ(AsUser(Member, Member, {},
                     [&] {
                         for (const std::string& name : {model, panels}) {
                             ::unlink(name.c_str());
                             if (::symlink(keys.c_str(), name.c_str()) != 0) return "no link";
                         }
                         return "";
                     }),
              "");
    const std::string theirs =
        "保存先のリンクは、他の利用者が作ったか、ファイルを開いた後に変えられたものです（";
    msgs.expect(std::string(SaveFailedText) + "\n\n" + model + "\n\n" + theirs + model + " → " +
                    keys + "）。\n「名前を付けて保存」で、",
                MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Failed);
    EXPECT_NE(CustomPanelFile::Save(panels, Doc.CustomPanels)
                  .message.find("\n\n" + theirs + panels + " → " + keys + "）。\n"),
              std::string::npos);
    EXPECT_EQ(Save(model, reason), SaveStatus::Failed);
    EXPECT_EQ(FirstLine(reason), theirs + model + " → " + keys + "）。");
    EXPECT_FALSE(fs::exists(keys));

    // Read through the member's link, the file is saved through it; so is the user's own link.
    WriteBytes(keys, WriteModelFile(*StartDocument(), 0));
    ASSERT_TRUE(commands.ReadFile(model));
    msgs.expect(OverwriteSavedNotice, MsgAnswer::Ok);
    EXPECT_EQ(commands.OverwriteSave(), SaveResult::Saved);
    EXPECT_EQ(ReadBytes(keys), WriteModelFile());
    ASSERT_EQ(::lchown(model.c_str(), 0, 0), 0);
    ASSERT_EQ(Save(model, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(fs::read_symlink(model), keys);
}

// Another user's file at the backup's name in a sticky folder cannot be replaced: the user is
// offered the save without a backup, and that file stays as it was.
TEST_F(SharedFiles, AnotherUsersBackupInAStickyFolderStays) {
    const std::string shared = StickyFolder("shared"), file = shared + "/a.vq2";
    WriteBytes(file, "old");
    WriteBytes(Bak(file), "theirs");
    ASSERT_EQ(::chown(file.c_str(), Member, Member), 0);
    ASSERT_EQ(::chown(Bak(file).c_str(), Stranger, Stranger), 0);
    EXPECT_EQ(AsUser(Member, Member, {},
                     [&] {
                         AnsweringMessages msgs({MsgAnswer::No, MsgAnswer::Yes});
                         std::string why;
                         const std::string first = StatusName(Save(file, why));
                         const std::string second = StatusName(Save(file, why));
                         return first + " " + second + why + " " + msgs.texts;
                     }),
              "Cancelled SavedWithoutBackup " +
                  std::string("バックアップと同じ名前の、他の利用者のファイルがあるため、"
                              "バックアップを作れません。\n\n") +
                  Bak(file) +
                  "\n\nバックアップを作らずに保存する　　はい\n\n保存を中止する　　　　　　　　　"
                  "いいえ|バックアップと同じ名前の、他の利用者のファイルがあるため、"
                  "バックアップを作れません。\n\n" +
                  Bak(file) +
                  "\n\nバックアップを作らずに保存する　　はい\n\n保存を中止する　　　　　　　　　"
                  "いいえ|");
    EXPECT_EQ(ReadBytes(file), "new");
    EXPECT_EQ(ReadBytes(Bak(file)), "theirs");
    EXPECT_EQ(StatOf(Bak(file)).st_uid, Stranger);

    // Another user's file there cannot be replaced even where the user may write it: refused
    // before a second name of it is made, which the user could not remove.
    const std::string theirs = shared + "/theirs.vq2";
    WriteBytes(theirs, "theirs");
    ASSERT_EQ(::chown(theirs.c_str(), Stranger, Stranger), 0);
    fs::permissions(theirs, fs::perms(0666));
    EXPECT_EQ(
        SaveAsUser(Member, Member, {}, theirs),
        "Failed保存先は、持ち主しか置き換えられないフォルダーにある、他の利用者のファイルです（" +
            theirs + "）。\n" + SavedElsewhere);
    std::size_t entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(shared)) ++entries;
    EXPECT_EQ(entries, 3u);

    // A lock file another user's save left there cannot be replaced by the user's own: the save
    // holds that one instead, and waits for nothing.
    const std::string mine = shared + "/b.vq2";
    char lock[40];
    std::snprintf(lock, sizeof lock, "/.vq-lock-%016llx",
                  static_cast<unsigned long long>(fileio::DigestOf("b.vq2").hash));
    WriteBytes(shared + lock, "");
    ASSERT_EQ(::chown((shared + lock).c_str(), Stranger, Stranger), 0);
    const struct timespec longAgo[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 60, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (shared + lock).c_str(), longAgo, 0), 0);
    EXPECT_EQ(AsUser(Member, Member, {},
                     [&] {
                         ::alarm(20); // a save that waits for good ends the child unheard
                         std::string why;
                         return StatusName(Save(mine, why)) + why;
                     }),
              "Saved");
}

// ---- What another member of the group may try ------------------------------------------------

namespace {

// Answers every file dialog with one name; for a child process.
class ChosenFile final : public FileDialogService {
public:
    explicit ChosenFile(std::string path) : path_(std::move(path)) { SetFileDialogService(this); }
    ~ChosenFile() override { SetFileDialogService(nullptr); }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return path_; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return path_; }

private:
    std::string path_;
};

// What `user` (with `groups`) may do with `path`: "r" and "w" for the opens that succeed.
std::string AccessOf(uid_t user, std::vector<gid_t> groups, const std::string& path) {
    return AsUser(user, 4300, std::move(groups), [&] {
        std::string may;
        for (const auto& [flags, letter] : {std::pair{O_RDONLY, "r"}, {O_WRONLY, "w"}}) {
            const int fd = ::open(path.c_str(), flags);
            if (fd >= 0) may += letter, ::close(fd);
        }
        return may.empty() ? "-" : may;
    });
}

} // namespace

// A member leaves a program that runs as its owner (set-user-ID) under a model's name: the
// user's Save As onto it leaves no set-ID bit, on the file or on the backup, which is the
// user's own.
TEST_F(SharedFiles, NoSaveMakesAProgramThatRunsAsTheUser) {
    const std::string planted = folder.file("x.vq2"), backup = folder.file("x.BAK");
    WriteBytes(planted, "#!/bin/sh\n");
    ASSERT_EQ(::chown(planted.c_str(), Member, SharedGroup), 0);
    ASSERT_EQ(::chmod(planted.c_str(), 06777), 0);
    EXPECT_EQ(AsUser(Owner, OwnGroup, {SharedGroup},
                     [&] {
                         AnsweringMessages msgs({});
                         ChosenFile chosen(planted);
                         DocumentView view;
                         DocumentCommands commands(view);
                         return commands.SaveAs() == SaveResult::Saved ? "" : msgs.texts;
                     }),
              "");
    EXPECT_EQ(StatOf(backup).st_uid, Owner);
    EXPECT_EQ(StatOf(planted).st_mode & 07000, 0u);
    EXPECT_EQ(StatOf(backup).st_mode & 07777, 0777u);
}

// A member puts a link to the user's home, or another folder, in the place of the folder the
// model was read from: the overwrite save is refused, naming where the name leads now, and
// nothing is written anywhere.
TEST_F(SharedFiles, AFolderSwappedOnTheWayIsRefused) {
    const std::string group = folder.file("group"), home = folder.file("home");
    const std::string project = group + "/proj", model = project + "/house.vq2";
    fs::create_directories(project);
    fs::create_directory(home);
    fs::permissions(group, fs::perms::all);
    WriteBytes(model, WriteModelFile(*StartDocument(), 0));
    DocumentView view;
    DocumentCommands commands(view);
    ScriptedMessages msgs;
    ASSERT_TRUE(commands.ReadFile(model));
    for (const bool link : {true, false}) {
        EXPECT_EQ(AsUser(Member, Member, {},
                         [&] {
                             const bool swapped =
                                 ::rename(project.c_str(), (group + "/old").c_str()) == 0 &&
                                 (link ? ::symlink(home.c_str(), project.c_str())
                                       : ::mkdir(project.c_str(), 0777)) == 0;
                             return swapped ? "" : "not swapped";
                         }),
                  "");
        msgs.expect(link ? "保存先のリンクは、他の利用者が作ったか、ファイルを開いた後に変えられた"
                           "ものです（" +
                               project + " → " + home + "）"
                         : "保存先のフォルダーは、ファイルを開いた後に別のフォルダーに置き換えら"
                           "れています（" +
                               project + "）",
                    MsgAnswer::Ok);
        App.Modified = 1;
        EXPECT_EQ(commands.OverwriteSave(), SaveResult::Failed);
        EXPECT_TRUE(fs::is_empty(home) && fs::is_empty(project));
        fs::remove(project);
        fs::rename(group + "/old", project);
    }
}

// A save that cannot keep the file's group, or gives the owner an entry of the access control
// list, lets nobody read or write more than the original let them: a copy under the saver's own
// group gives that group no more than others, and the owner's entry widens nothing for named
// users or the group. A list of any length is copied whole.
TEST_F(SharedFiles, NoCopyGrantsMoreThanTheOriginal) {
    const std::string file = folder.file("a.vq2"), kept = folder.file("b.vq2");
    // The member writes the file through an entry of its own, not being of the file's group.
    WriteBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), Owner, SharedGroup), 0);
    const std::string acl = AclBytes(
        {{0x01, 6, ~0u}, {0x02, 6, Member}, {0x04, 6, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}});
    if (::setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "the file system keeps no access control lists: " << std::strerror(errno);
    EXPECT_EQ(SaveAsUser(Member, OwnGroup, {}, file), "Saved");
    EXPECT_EQ(StatOf(Bak(file)).st_gid, OwnGroup);
    EXPECT_EQ(AccessOf(Stranger, {}, Bak(file)), "-") << "the member's own group";
    EXPECT_EQ(AccessOf(Owner, {}, Bak(file)), "rw");

    // The owner took write from the group class (its mask): a member of the group replaces the
    // file, which it may not write, after the question.
    WriteBytes(kept, "old");
    ASSERT_EQ(::chown(kept.c_str(), Owner, SharedGroup), 0);
    const std::string masked =
        AclBytes({{0x01, 6, ~0u}, {0x02, 6, 4103}, {0x04, 6, ~0u}, {0x10, 4, ~0u}, {0x20, 0, ~0u}});
    ASSERT_EQ(::setxattr(kept.c_str(), "system.posix_acl_access", masked.data(), masked.size(), 0),
              0);
    EXPECT_EQ(AsUser(Member, OwnGroup, {SharedGroup},
                     [&] {
                         AnsweringMessages msgs({MsgAnswer::Yes});
                         std::string why;
                         return StatusName(Save(kept, why)) + why;
                     }),
              "Saved");
    for (const std::string& path : {kept, Bak(kept)}) {
        EXPECT_EQ(AccessOf(4103, {}, path), "r") << path;
        EXPECT_EQ(AccessOf(Stranger, {SharedGroup}, path), "r") << path;
        EXPECT_EQ(AccessOf(Owner, {}, path), "rw") << path;
    }

    // Three hundred named users: the administrator's save keeps the list whole, and a member's
    // copy adds the owner's entry to all of them.
    std::string many = AclBytes({{0x01, 6, ~0u}, {0x04, 6, ~0u}, {0x10, 6, ~0u}, {0x20, 0, ~0u}});
    for (std::uint32_t user = 5000; user < 5300; ++user)
        many.insert(4 + 8 + 8 * (user - 5000), AclBytes({{0x02, 4, user}}).substr(4));
    ASSERT_EQ(::chown(file.c_str(), Owner, SharedGroup), 0);
    ASSERT_EQ(::setxattr(file.c_str(), "system.posix_acl_access", many.data(), many.size(), 0), 0);
    ASSERT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    EXPECT_EQ(SaveAsUser(Member, OwnGroup, {SharedGroup}, file), "Saved");
    char list[4096];
    for (const auto& [path, size] : {std::pair{file, many.size()}, {Bak(file), many.size() + 8}})
        EXPECT_EQ(::getxattr(path.c_str(), "system.posix_acl_access", list, sizeof list),
                  static_cast<ssize_t>(size));
}

// A save killed at any of its system calls, by the administrator (who replaces the file) or by
// a member of its group (who writes it in place), and an in-place write cut at any byte: the
// file opens whole, or with the notice that names its whole backup, and the next save leaves
// the folder holding the file and its backup, nothing else.
TEST_F(SharedFiles, ASaveKilledAnywhereLeavesAWholeFileOrSaysWhereItIs) {
    const std::string file = folder.file("house.vq2"), backup = folder.file("house.BAK");
    const std::string old = WriteModelFile(*StartDocument(), 0);
    auto mine = StartDocument();
    mine->ColumnCount[0][0] = 1;
    mine->Columns[0][0][0] = {10, 10, 1, 0, 0};
    const std::string saved = WriteModelFile(*mine, 0);
    // Whether the save by `user` was killed at call `call` (0: none) or byte `byte` (-1: none)
    // of its write in place; afterwards, the file as opened and the next save.
    const auto killed = [&](uid_t user, long call, long byte) {
        SCOPED_TRACE(std::to_string(user) + " call " + std::to_string(call) + " byte " +
                     std::to_string(byte));
        fs::remove(backup);
        WriteBytes(file, old);
        EXPECT_EQ(::chown(file.c_str(), Owner, SharedGroup) | ::chmod(file.c_str(), 0660), 0);
        const auto save = [&] {
            return AsUser(user, OwnGroup, {SharedGroup}, [&] {
                Doc = *mine;
                const ReadFirst document(file);
                fileio::SaveTerms terms;
                terms.read = document.get();
                if (byte >= 0) callscript::DieAfterWriting(static_cast<long>(old.size()) + byte);
                const callscript::Script die(FailNth("", call, 0, 1, [] { ::_exit(9); }));
                return std::string(SaveModelFile(file, terms).ok() ? "done" : "failed");
            });
        };
        if (const std::string said = save(); !said.empty()) {
            EXPECT_EQ(said, "done"); // reached every call
            return false;
        }
        AnsweringMessages msgs({});
        LoadModelFile(file);
        if (msgs.texts.find(fileio::CutFileNotice) != std::string::npos) {
            EXPECT_NE(msgs.texts.find(backup), std::string::npos) << msgs.texts;
            EXPECT_EQ(ReadBytes(backup), old);
        } else {
            EXPECT_TRUE(ReadBytes(file) == old || ReadBytes(file) == saved) << msgs.texts;
        }
        call = 0, byte = -1;
        EXPECT_EQ(save(), "done");
        EXPECT_EQ(ReadBytes(file), saved);
        EXPECT_TRUE(ReadBytes(backup) == old || ReadBytes(backup) == saved);
        EXPECT_EQ(folder.entries(), 2u);
        return true;
    };
    for (const uid_t user : {uid_t{0}, Member}) {
        long call = 1;
        while (killed(user, call, -1)) ++call;
    }
    const long size = static_cast<long>(saved.size());
    for (const long byte : {0L, 1L, 4097L, size / 2, size - 1, size}) killed(Member, 0, byte);
}

// A member's save that can keep no backup (a folder holds its name) is cut off while it writes
// the owner's file in place: the open refuses the beginning it left, naming the numbered copy
// that holds the whole earlier file, and the member's next save leaves that copy where it is.
// While a save holds the file's lock, the same beginning is told as a save under way instead.
TEST_F(SharedFiles, ACutBeginningIsRefusedNamingTheWholeCopy) {
    const std::string file = folder.file("house.vq2"), copy = folder.file("house_2.BAK");
    const std::string old = WriteModelFile(*StartDocument(), 0);
    WriteBytes(file, old);
    fs::create_directory(folder.file("house.BAK"));
    ASSERT_EQ(::chown(file.c_str(), Owner, SharedGroup) | ::chmod(file.c_str(), 0660), 0);
    const auto save = [&](long long cutAt) {
        return AsUser(Member, OwnGroup, {SharedGroup}, [&] {
            AnsweringMessages withoutBackup({MsgAnswer::Yes});
            const ReadFirst document(file);
            fileio::SaveTerms terms;
            terms.read = document.get();
            if (cutAt >= 0) callscript::DieAfterWriting(static_cast<long long>(old.size()) + cutAt);
            return std::string(SaveModelFile(file, terms).ok() ? "done" : withoutBackup.texts);
        });
    };
    EXPECT_EQ(save(100), "");
    {
        AnsweringMessages msgs({});
        EXPECT_FALSE(LoadModelFile(file).ok);
        EXPECT_NE(msgs.texts.find(fileio::CutFileNotice), std::string::npos) << msgs.texts;
        EXPECT_NE(msgs.texts.find(copy + "（"), std::string::npos) << msgs.texts;
        EXPECT_EQ(ReadBytes(copy), old);
    }
    int held[2];
    ASSERT_EQ(::pipe(held), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(LockOf(fs::path(file).parent_path(), "house.vq2").c_str(), O_RDWR);
        (void)!::write(held[1], "x", ::flock(fd, LOCK_EX) == 0 ? 1 : 0);
        ::pause();
    }
    char byte;
    ASSERT_EQ(::read(held[0], &byte, 1), 1);
    {
        AnsweringMessages msgs({});
        EXPECT_FALSE(LoadModelFile(file).ok);
        EXPECT_NE(msgs.texts.find(fileio::BeingSavedNotice), std::string::npos) << msgs.texts;
        EXPECT_EQ(msgs.texts.find(fileio::CutFileNotice), std::string::npos) << msgs.texts;
    }
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(save(-1), "done");
    EXPECT_EQ(ReadBytes(copy), old) << "the copy the user was told of stays";
}

// A member puts a second name of the user's other file, or a link to it, at the lock's name:
// the user's save is refused, naming it and its owner, and writes nothing into that file.
TEST_F(SharedFiles, ALinkAtTheLocksNameIsRefusedAndNothingIsWrittenThrough) {
    const std::string file = folder.file("house.vq2"), other = folder.file("other.vq2");
    const std::string lock = LockOf(fs::path(file).parent_path(), "house.vq2");
    for (const std::string& name : {file, other}) {
        WriteBytes(name, name);
        ASSERT_EQ(::chown(name.c_str(), Owner, SharedGroup) | ::chmod(name.c_str(), 0660), 0);
    }
    for (const bool hard : {true, false}) {
        EXPECT_EQ(AsUser(Member, Member, {SharedGroup},
                         [&] {
                             return (hard ? ::link(other.c_str(), lock.c_str())
                                          : ::symlink(other.c_str(), lock.c_str())) == 0
                                        ? ""
                                        : "not linked";
                         }),
                  "");
        const std::string said = SaveAsUser(Owner, OwnGroup, {SharedGroup}, file);
        EXPECT_EQ(said.rfind("Failed保存の順番を決めるロックファイルの名前に、", 0), 0u) << said;
        EXPECT_NE(said.find(lock + "、持ち主 "), std::string::npos) << said;
        EXPECT_EQ(ReadBytes(other), other);
        EXPECT_EQ(ReadBytes(file), file);
        fs::remove(lock);
    }
}
