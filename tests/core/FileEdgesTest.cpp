// Model and panel files at the edges of the file system, on real folders: what is not a regular
// file, symbolic links, write-protected files and a backup name already taken.
#include "document/DocumentCommands.h"
#include "model/FileIo.h"
#include "model/ModelFile.h"
#include "model/PanelFile.h"
#include "support/FileFixtures.h"
#include "support/ScriptedMessages.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace testfile;
using fileio::SaveStatus;

namespace {

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
SaveStatus Save(const std::string& path, std::string& reason) {
    return fileio::SaveFile(path, "new", Bak, reason);
}

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
                                : k == "loop" ? "シンボリックリンクが循環していて、たどれません"
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
        EXPECT_EQ(reason,
                  k == "loop" ? "保存先を確かめられませんでした（" + why + "）" : "保存先は" + why);
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
    fileio::InjectFault(fileio::Fault::Link);
    fs::permissions(file, fs::perms(0604));
    EXPECT_EQ(Save(file, reason), SaveStatus::Saved) << reason;
    fileio::InjectFault(fileio::Fault::None);
    EXPECT_EQ(ReadBytes(Bak(file)), "new");
    EXPECT_EQ(fs::status(Bak(file)).permissions(), fs::perms(0604));
    EXPECT_EQ(folder.entries(), 2u);
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
