#include "model/PanelFile.h"
#include "model/Cp932.h"
#include "support/Sjis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
namespace pf = CustomPanelFile;

namespace {

void Defaults(pf::Panels& panels) {
    std::copy(std::begin(CustomPanelDefaults), std::end(CustomPanelDefaults), panels);
}

// Ten user panels with values and texts that exercise the layout.
void Sample(pf::Panels& panels) {
    Defaults(panels);
    panels[0].symbol.set("ABCD"); // four bytes fill the slot up to its zero byte
    panels[0].strength = 2.5;
    panels[0].stiffness = 123.456;
    panels[0].ratio = 1.28;
    // A name with an ASCII blank and one with a full-width blank: both come back whole.
    panels[1].name.set(Sjis("その他 構造用"));
    panels[2].name.set(Sjis("面材　二"));
    panels[3].symbol.set("");
    panels[3].name.set("");
    panels[9].stiffness = 4.5;
}

std::string Slice(const std::string& bytes, std::size_t offset, std::size_t n) {
    return bytes.substr(offset, n);
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(PanelFileFormat, DefaultsGiveThe794ByteLayout) {
    pf::Panels panels;
    Defaults(panels);
    std::string bytes;
    ASSERT_TRUE(pf::Serialize(panels, bytes));
    ASSERT_EQ(bytes.size(), 794u);
    EXPECT_EQ(Slice(bytes, 0, 4), std::string("yd0\0", 4));
    // First record at 4: symbol "X1" and zero filler, three zero values, the name.
    EXPECT_EQ(Slice(bytes, 4, 5), std::string("X1\0\0\0", 5));
    const std::string zero = std::string(15, ' ') + "0" + std::string(1, '\0');
    EXPECT_EQ(Slice(bytes, 9, 17), zero);
    EXPECT_EQ(Slice(bytes, 26, 17), zero);
    EXPECT_EQ(Slice(bytes, 43, 17), zero);
    EXPECT_EQ(Slice(bytes, 60, 8), Sjis("その他1") + std::string(1, '\0'));
    // Second record at 4 + 79.
    EXPECT_EQ(Slice(bytes, 83, 5), std::string("(X1)\0", 5));
}

struct RealCase {
    double value;
    const char* field; // the 16 characters before the zero byte
};
void PrintTo(const RealCase& c, std::ostream* os) {
    *os << c.value;
}
class RealEncoding : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealEncoding, ThousandthsRightAligned) {
    char field[pf::RealFieldSize];
    ASSERT_TRUE(pf::EncodeReal(GetParam().value, field));
    EXPECT_EQ(std::string(field, 16), GetParam().field);
    EXPECT_EQ(field[16], '\0');
}

INSTANTIATE_TEST_SUITE_P(
    PanelFileFormat, RealEncoding,
    ::testing::Values(RealCase{2.5, "            2500"}, RealCase{0.0, "               0"},
                      // 0.0625 and 1.0625 are exact in binary: x 1000 = 62.5 and 1062.5, which
                      // round away from zero.
                      RealCase{0.0625, "              63"}, RealCase{1.0625, "            1063"},
                      RealCase{-0.0625, "             -63"}, RealCase{123.456, "          123456"},
                      RealCase{-4.5, "           -4500"},
                      // The double nearest 1.0005 lies below it (1.00049999999999998934):
                      // trunc(v x 1000 + 0.5) = 1000, as the model file stores it.
                      RealCase{1.0005, "            1000"}));

TEST(PanelFileFormat, ValuesThatCannotBeStoredAreRefused) {
    char field[pf::RealFieldSize] = {};
    EXPECT_FALSE(pf::EncodeReal(std::numeric_limits<double>::quiet_NaN(), field));
    EXPECT_FALSE(pf::EncodeReal(std::numeric_limits<double>::infinity(), field));
    EXPECT_FALSE(pf::EncodeReal(1e13, field)); // 1e16 thousandths
    EXPECT_TRUE(pf::EncodeReal(999'999'999'999.0, field));

    pf::Panels panels;
    Defaults(panels);
    panels[4].ratio = std::numeric_limits<double>::infinity();
    std::string bytes = "unchanged";
    pf::Result r = pf::Serialize(panels, bytes);
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("5 番目"), std::string::npos) << r.message;
    EXPECT_EQ(bytes, "unchanged");
}

TEST(PanelFileFormat, RoundTripKeepsTextsWholeAndValuesToTheThousandth) {
    pf::Panels panels, back;
    Sample(panels);
    std::string bytes;
    ASSERT_TRUE(pf::Serialize(panels, bytes));
    Defaults(back);
    ASSERT_TRUE(pf::Parse(bytes, back));
    for (int k = 0; k < CustomPanelCount; ++k) EXPECT_EQ(back[k], panels[k]) << k;
    EXPECT_EQ(cp932::toUtf8(back[1].name.view()), "その他 構造用");
    EXPECT_EQ(cp932::toUtf8(back[2].name.view()), "面材　二");
    EXPECT_EQ(back[0].symbol.view(), "ABCD");
    EXPECT_DOUBLE_EQ(back[0].stiffness, 123.456);
}

TEST(PanelFileFormat, ExtraBytesAfterTheLayoutAreIgnored) {
    pf::Panels panels, back;
    Sample(panels);
    std::string bytes;
    ASSERT_TRUE(pf::Serialize(panels, bytes));
    Defaults(back);
    EXPECT_TRUE(pf::Parse(bytes + "trailing", back));
    EXPECT_EQ(back[0], panels[0]);
}

struct Damage {
    const char* what;
    std::size_t keep;   // bytes kept of the sample file (its whole length when npos)
    std::size_t offset; // where `bytes` are written over it
    std::string bytes;
    const char* inMessage; // part of the message the user sees
};
void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.what;
}
class PanelFileRefusal : public ::testing::TestWithParam<Damage> {};

TEST_P(PanelFileRefusal, RefusedWithAMessageAndNothingChanges) {
    const Damage& d = GetParam();
    pf::Panels sample, panels, before;
    Sample(sample);
    std::string bytes;
    ASSERT_TRUE(pf::Serialize(sample, bytes));
    if (d.keep != std::string::npos) bytes.resize(d.keep);
    bytes.replace(d.offset, d.bytes.size(), d.bytes);

    Defaults(panels);
    panels[7].strength = 7.7; // something the refusal must not lose
    std::copy(std::begin(panels), std::end(panels), before);
    pf::Result r = pf::Parse(bytes, panels);
    EXPECT_FALSE(r) << d.what;
    EXPECT_EQ(r.caption, "読み込みエラー");
    EXPECT_NE(r.message.find(d.inMessage), std::string::npos) << d.what << ": " << r.message;
    for (int k = 0; k < CustomPanelCount; ++k) EXPECT_EQ(panels[k], before[k]) << d.what;
}

// Record k starts at 4 + 79 k: symbol +0, strength +5, stiffness +22, ratio +39, name +56.
INSTANTIATE_TEST_SUITE_P(
    PanelFileFormat, PanelFileRefusal,
    ::testing::Values(Damage{"a model file", std::string::npos, 0, std::string("qv8\0", 4),
                             "データファイルではありません"},
                      Damage{"tag without its zero byte", std::string::npos, 3, "x",
                             "データファイルではありません"},
                      Damage{"empty file", 0, 0, "", "データファイルではありません"},
                      Damage{"three bytes", 3, 0, "", "データファイルではありません"},
                      Damage{"cut short", 793, 0, "", "途中で切れています"},
                      Damage{"tag only", 4, 0, "", "途中で切れています"},
                      Damage{"symbol without zero byte", std::string::npos, 4 + 79 * 2, "ABCDE",
                             "3 番目の面材の記号"},
                      Damage{"name without zero byte", std::string::npos, 4 + 79 * 9 + 56,
                             std::string(23, 'N'), "10 番目の面材の名称"},
                      Damage{"letters in a number", std::string::npos, 4 + 5, "          12a500",
                             "1 番目の面材の耐力"},
                      Damage{"blank number", std::string::npos, 4 + 22, std::string(16, ' '),
                             "1 番目の面材の剛性"},
                      Damage{"number without zero byte", std::string::npos, 4 + 79 + 39,
                             std::string(17, '1'), "2 番目の面材の壁倍率"},
                      Damage{"sign without digits", std::string::npos, 4 + 79 * 4 + 5,
                             std::string(15, ' ') + "-", "5 番目の面材の耐力"},
                      Damage{"negative strength", std::string::npos, 4 + 79 * 5 + 5,
                             "         -999999", "6 番目の面材の耐力が負の値"}));

// A refused record is named as the dialog names it; a value the dialog's OK would refuse as too
// large is refused when the file is read.
INSTANTIATE_TEST_SUITE_P(
    DialogNames, PanelFileRefusal,
    ::testing::Values(Damage{"furred symbol", std::string::npos, 4 + 79 * 3, "ABCDE",
                             "No.2（胴縁）：ファイルの 4 番目の面材の記号が読めません。"},
                      Damage{"16 digits", std::string::npos, 4 + 79 * 8 + 39, "9999999999999999",
                             "No.5：ファイルの 9 番目の面材の壁倍率が大き過ぎます。"}));

namespace {

class PanelFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        dir_ = fs::temp_directory_path() / ("velquor-panelfile-" + std::to_string(::getpid()) +
                                            "-" + std::to_string(++counter));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
    // Names of the files left in the folder, to see that no temporary file stays behind.
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(PanelFileOnDisk, SaveThenLoad) {
    pf::Panels panels, back;
    Sample(panels);
    const fs::path file = dir_ / "材料.yd0";
    ASSERT_TRUE(pf::Save(file, panels));
    EXPECT_EQ(fs::file_size(file), 794u);
    Defaults(back);
    ASSERT_TRUE(pf::Load(file, back));
    for (int k = 0; k < CustomPanelCount; ++k) EXPECT_EQ(back[k], panels[k]) << k;
    EXPECT_EQ(files(), std::vector<std::string>{"材料.yd0"});
}

TEST_F(PanelFileOnDisk, SavingOverAFileKeepsTheOldOneAsBackup) {
    pf::Panels first, second, third;
    Defaults(first);
    Sample(second);
    Sample(third);
    third[5].strength = 3.3;
    const fs::path file = dir_ / "panels.yd0";
    Write(dir_ / "panels.BAK", "backup of panels.vq2"); // a model's backup stays its own
    ASSERT_TRUE(pf::Save(file, first));
    const std::string firstBytes = Read(file);
    ASSERT_TRUE(pf::Save(file, second));
    EXPECT_EQ(Read(dir_ / "panels.yd0.BAK"), firstBytes);
    const std::string secondBytes = Read(file);
    // A later save replaces the older backup.
    ASSERT_TRUE(pf::Save(file, third));
    EXPECT_EQ(Read(dir_ / "panels.yd0.BAK"), secondBytes);
    pf::Panels back;
    ASSERT_TRUE(pf::Load(file, back));
    EXPECT_DOUBLE_EQ(back[5].strength, 3.3);
    EXPECT_EQ(Read(dir_ / "panels.BAK"), "backup of panels.vq2");
    EXPECT_EQ(files(), (std::vector<std::string>{"panels.BAK", "panels.yd0", "panels.yd0.BAK"}));
}

TEST_F(PanelFileOnDisk, FailedSavesAreReportedAndTouchNothing) {
    pf::Panels panels;
    Sample(panels);
    // A folder that does not exist.
    pf::Result r = pf::Save(dir_ / "missing" / "a.yd0", panels);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.caption, "書き込みエラー");
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    // A folder in place of the file.
    fs::create_directory(dir_ / "taken.yd0");
    EXPECT_FALSE(pf::Save(dir_ / "taken.yd0", panels));
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.yd0"));
    // A value that cannot be stored: the existing file and its absent backup stay so.
    const fs::path file = dir_ / "keep.yd0";
    Write(file, "old contents");
    panels[2].strength = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(pf::Save(file, panels));
    EXPECT_EQ(Read(file), "old contents");
    EXPECT_EQ(files(), (std::vector<std::string>{"keep.yd0", "taken.yd0"}));
}

TEST_F(PanelFileOnDisk, LoadRefusesMissingAndForeignFiles) {
    pf::Panels panels, before;
    Defaults(panels);
    panels[0].strength = 1.5;
    std::copy(std::begin(panels), std::end(panels), before);
    pf::Result missing = pf::Load(dir_ / "none.yd0", panels);
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message.find("none.yd0"), std::string::npos);
    EXPECT_FALSE(pf::Load(dir_, panels));
    Write(dir_ / "model.vq2", std::string("qv8\0", 4) + std::string(2000, ' '));
    pf::Result foreign = pf::Load(dir_ / "model.vq2", panels);
    EXPECT_EQ(foreign.message, "Velquorの面材データファイルではありません。");
    for (int k = 0; k < CustomPanelCount; ++k) EXPECT_EQ(panels[k], before[k]);
}

TEST(PanelFileFormat, BackupNameIsNeverAModelBackup) {
    EXPECT_EQ(pf::BackupPath("/home/u/data/house.yd0"), "/home/u/data/house.yd0.BAK");
    EXPECT_EQ(pf::BackupPath("a.b"), "a.b.BAK");
}
