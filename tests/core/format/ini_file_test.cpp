#include "core/format/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"
#include "support/without_file_override.h"

namespace tinto {
namespace {

using namespace std::literals;
namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  test::TempDir m_dir;
  std::string m_path = m_dir.File("TintoEditor.ini");
};

TEST_F(IniFileTest, ReadsStoredTextsOrTheFallbacks) {
  test::WriteAll(m_path,
                 "[Main]\nMagnify=0x10\nLeft=12abc\nGrid=2\nBright=0\nVSync=abc\n"
                 "Static=-1\n[Skin]\nName=ab\0cd\nLong="s +
                     std::string(5000, 'n') + "\n");
  IniFile ini(m_path);
  EXPECT_EQ(ini.ReadInteger("main", "MAGNIFY", 4), 16);
  EXPECT_EQ(ini.ReadInteger("Main", "Left", 4), 4);
  EXPECT_EQ(ini.ReadInteger("Main", "Top", 4), 4);
  EXPECT_TRUE(ini.HasKey("Main", "Left"));
  EXPECT_FALSE(ini.HasKey("Main", "Top"));
  // Booleans are integers, any non-zero one true.
  EXPECT_TRUE(ini.ReadBool("Main", "Grid", false));
  EXPECT_FALSE(ini.ReadBool("Main", "Bright", true));
  EXPECT_TRUE(ini.ReadBool("Main", "VSync", true));
  EXPECT_FALSE(ini.ReadBool("Main", "VSync", false));
  EXPECT_TRUE(ini.ReadBool("Main", "Static", false));
  // A value ends at a NUL byte and is cut to 2047 bytes.
  EXPECT_EQ(ini.ReadString("Skin", "Name", "x"), "ab");
  EXPECT_EQ(ini.ReadString("Skin", "Long", ""), std::string(2047, 'n'));
  EXPECT_EQ(ini.ReadString("Skin", "None", "none"), "none");
  EXPECT_EQ(IniFile(m_dir.File("missing.ini")).ReadString("Skin", "Name", "none"), "none");
}

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
  IniFile ini(m_path);
  ASSERT_TRUE(ini.WriteInteger("Main", "Left", -5));
  ASSERT_TRUE(ini.WriteBool("Main", "Grid", true));
  ASSERT_TRUE(ini.WriteBool("Main", "Bright", false));
  ASSERT_TRUE(ini.WriteString("Skin", "Name", "skins/blue.ini"));
  EXPECT_EQ(test::ReadAll(m_path),
            "[Main]\nLeft=-5\nGrid=1\nBright=0\n\n[Skin]\nName=skins/blue.ini\n");
}

TEST_F(IniFileTest, WriteKeepsEveryOtherByte) {
  const std::string before =
      "\xEF\xBB\xBF; settings\r\n[main]\r\n  grid = 0\r\n\xFF\xFE\0garbage\r\n[Main]\r\nGrid=7\r\n"
      "[Size\r\n"s +
      std::string(1 << 20, 'L') + "\r\n[Colors]\r\nInk 1=71";
  test::WriteAll(m_path, before);
  IniFile ini(m_path);
  ASSERT_TRUE(ini.WriteBool("Main", "Grid", true));
  ASSERT_TRUE(ini.WriteInteger("COLORS", "paper 1", 8));
  const std::string expected =
      "\xEF\xBB\xBF; settings\r\n[main]\r\n  grid = 1\r\n\xFF\xFE\0garbage\r\n[Main]\r\nGrid=7\r\n"
      "[Size\r\n"s +
      std::string(1 << 20, 'L') + "\r\n[Colors]\r\nInk 1=71\r\npaper 1=8\r\n";
  EXPECT_EQ(test::ReadAll(m_path), expected);
  EXPECT_EQ(ini.ReadInteger("Colors", "Paper 1", 0), 8);
}

TEST_F(IniFileTest, ValueCannotInjectLines) {
  test::WriteAll(m_path, "[Main]\nGrid=1\n");
  IniFile ini(m_path);
  ASSERT_TRUE(ini.WriteString("Skin", "Name", "x\n[Main]\r\nGrid=0\0"s));
  EXPECT_EQ(test::ReadAll(m_path), "[Main]\nGrid=1\n\n[Skin]\nName=x[Main]Grid=0\n");
  EXPECT_EQ(ini.ReadInteger("Main", "Grid", 5), 1);
}

TEST_F(IniFileTest, BadNamesAreRefusedAndFileKept) {
  test::WriteAll(m_path, "[Main]\nGrid=1\n");
  IniFile ini(m_path);
  const std::string message = "Unable to write to " + m_path;
  EXPECT_EQ(ini.WriteString("Main", "A=B", "1").Message(), message);
  EXPECT_EQ(ini.WriteString("Ma]in", "A", "1").Message(), message);
  EXPECT_EQ(ini.WriteString("Main", "A\nB", "1").Message(), message);
  EXPECT_EQ(ini.WriteString("", "A", "1").Message(), message);
  EXPECT_EQ(test::ReadAll(m_path), "[Main]\nGrid=1\n");
}

TEST_F(IniFileTest, UnchangedValueLeavesFileUntouched) {
  test::WriteAll(m_path, "[Main]\nGrid=1\n");
  struct stat before {
  }, after{};
  ASSERT_EQ(::stat(m_path.c_str(), &before), 0);
  ASSERT_TRUE(IniFile(m_path).WriteBool("Main", "Grid", true));
  ASSERT_EQ(::stat(m_path.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(IniFileTest, WriteThroughSymbolicLinkKeepsTheLink) {
  std::string target = m_dir.File("real.ini");
  test::WriteAll(target, "[Main]\nGrid=0\n");
  fs::create_symlink(target, m_path);
  ASSERT_TRUE(IniFile(m_path).WriteBool("Main", "Grid", true));
  EXPECT_TRUE(fs::is_symlink(m_path));
  EXPECT_EQ(test::ReadAll(target), "[Main]\nGrid=1\n");
}

TEST_F(IniFileTest, PathThatIsAFolderFailsWithItsFullPath) {
  fs::create_directory(m_path);
  IniFile ini(m_path);
  EXPECT_EQ(ini.ReadInteger("Main", "Tool", 2), 2);
  EXPECT_EQ(ini.WriteInteger("Main", "Tool", 3).Message(), "Unable to write to " + m_path);
  EXPECT_TRUE(fs::is_empty(m_path));
}

TEST_F(IniFileTest, MissingFolderFailsAndCreatesNothing) {
  std::string path = m_dir.File("gone/TintoEditor.ini");
  EXPECT_EQ(IniFile(path).WriteInteger("Main", "Tool", 3).Message(), "Unable to write to " + path);
  EXPECT_FALSE(fs::exists(m_dir.File("gone")));
}

TEST_F(IniFileTest, RelativePathIsReportedInFull) {
  std::string path = "no-such-folder-here/TintoEditor.ini";
  EXPECT_EQ(IniFile(path).WriteInteger("Main", "Tool", 3).Message(),
            "Unable to write to " + (fs::current_path() / path).string());
}

TEST_F(IniFileTest, ReadOnlyFolderFailsAndKeepsFile) {
  test::WriteAll(m_path, "[Main]\nGrid=1\n");
  fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  test::RunWithoutFileOverride([&] {
    EXPECT_EQ(IniFile(m_path).WriteBool("Main", "Grid", false).Message(),
              "Unable to write to " + m_path);
  });
  EXPECT_EQ(test::ReadAll(m_path), "[Main]\nGrid=1\n");
}

// A write cut short by the file size limit stands for a full disk, which even root meets.
TEST_F(IniFileTest, FailedWriteLeavesFileAsItWas) {
  const std::string before = "[Main]\nGrid=1\n";
  test::WriteAll(m_path, before);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 20;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  Status status = IniFile(m_path).WriteString("Skin", "Name", std::string(100, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(status.Message(), "Unable to write to " + m_path);
  EXPECT_EQ(test::ReadAll(m_path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path()), fs::directory_iterator()), 1);
}

TEST_F(IniFileTest, HugeFileIsNeitherReadNorReplaced) {
  test::WriteAll(m_path, "[Main]\nGrid=0\n");
  fs::resize_file(m_path, 17 * 1024 * 1024);
  IniFile ini(m_path);
  EXPECT_TRUE(ini.ReadBool("Main", "Grid", true));
  EXPECT_FALSE(ini.WriteBool("Main", "Grid", true));
  EXPECT_EQ(fs::file_size(m_path), 17u * 1024 * 1024);
}

TEST_F(IniFileTest, FifoAtThePathDoesNotBlock) {
  ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
  IniFile ini(m_path);
  EXPECT_EQ(ini.ReadInteger("Main", "Tool", 2), 2);
  EXPECT_FALSE(ini.WriteInteger("Main", "Tool", 3));
  EXPECT_TRUE(fs::is_fifo(m_path));
}

TEST(ProgramDir, IsTheFolderOfTheRunningProgram) {
  std::string dir = ProgramDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.front(), '/');
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(fs::is_regular_file(dir + program_invocation_short_name));
}

// Sets an environment variable for one test and puts the old state back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) m_old = old;
    m_hadValue = old != nullptr;
    if (value != nullptr)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (m_hadValue)
      ::setenv(m_name, m_old.c_str(), 1);
    else
      ::unsetenv(m_name);
  }

 private:
  const char* m_name;
  std::string m_old;
  bool m_hadValue = false;
};

TEST(SettingsFilePath, WritableProgramFolderHoldsTheFile) {
  test::TempDir dir;
  std::string programDir = dir.Path().string() + "/";
  EXPECT_EQ(SettingsFilePath(programDir), programDir + "TintoEditor.ini");
}

TEST(SettingsFilePath, UnusableProgramFolderFallsBackToXdgConfigHome) {
  test::TempDir dir;
  ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config/deeper").c_str());
  EXPECT_EQ(SettingsFilePath(dir.File("missing") + "/"),
            dir.File("config/deeper") + "/TintoEditor.ini");
  EXPECT_TRUE(fs::is_directory(dir.File("config/deeper")));
}

TEST(SettingsFilePath, WithoutXdgConfigHomeUsesHomeConfig) {
  test::TempDir dir;
  ScopedEnv home("HOME", dir.Path().c_str());
  for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    ScopedEnv unset("XDG_CONFIG_HOME", xdg);
    EXPECT_EQ(SettingsFilePath(dir.File("missing") + "/"),
              dir.File(".config") + "/TintoEditor.ini");
  }
  EXPECT_TRUE(fs::is_directory(dir.File(".config")));
}

TEST(SettingsFilePath, ReadOnlyProgramFolderFallsBack) {
  test::TempDir dir;
  fs::create_directory(dir.File("program"));
  fs::permissions(dir.File("program"), fs::perms::owner_read | fs::perms::owner_exec);
  ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config").c_str());
  test::RunWithoutFileOverride([&] {
    EXPECT_EQ(SettingsFilePath(dir.File("program") + "/"), dir.File("config") + "/TintoEditor.ini");
  });
}

}  // namespace
}  // namespace tinto
