#include "core/format/ini_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "core/format/file_size_limit.h"
#include "support/temp_dir.h"
#include "support/test_common.h"
#include "support/without_file_override.h"

namespace tinto {
namespace {

using namespace std::literals;
using namespace test;
namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  TempDir m_dir;
  std::string m_path = m_dir.File("TintoEditor.ini");
};

TEST_F(IniFileTest, ReadsStoredTextsOrTheFallbacks) {
  WriteAll(m_path,
           "[Main]\nMagnify=0x10\nLeft=12abc\nGrid=2\nBright=0\nVSync=abc\nStatic=-1\n"
           "[Skin]\nName=ab\0cd\nLong="s +
               std::string(5000, 'n') + "\n");
  IniFile ini(m_path);
  EXPECT_EQ(ini.ReadInteger("main", "MAGNIFY", 4), 16);
  EXPECT_EQ(ini.ReadInteger("Main", "Left", 4), 4);
  EXPECT_EQ(ini.ReadInteger("Main", "Top", 4), 4);
  EXPECT_TRUE(ini.HasKey("Main", "Left"));
  EXPECT_FALSE(ini.HasKey("Main", "Top"));
  // Booleans are integers, any non-zero one true.
  EXPECT_TRUE(ini.ReadBool("Main", "Grid", false) && ini.ReadBool("Main", "Static", false));
  EXPECT_FALSE(ini.ReadBool("Main", "Bright", true));
  EXPECT_TRUE(ini.ReadBool("Main", "VSync", true));
  EXPECT_FALSE(ini.ReadBool("Main", "VSync", false));
  // A value ends at a NUL byte and is cut to 2047 bytes.
  EXPECT_EQ(ini.ReadString("Skin", "Name", "x"), "ab");
  EXPECT_EQ(ini.ReadString("Skin", "Long", ""), std::string(2047, 'n'));
  EXPECT_EQ(ini.ReadString("Skin", "None", "none"), "none");
  EXPECT_EQ(IniFile(m_dir.File("missing.ini")).ReadString("Skin", "Name", "none"), "none");
}

TEST_F(IniFileTest, WritesCreateTheFileAndKeepEveryOtherByte) {
  IniFile created(m_dir.File("new.ini"));
  ASSERT_TRUE(created.WriteInteger("Main", "Left", -5));
  ASSERT_TRUE(created.WriteBool("Main", "Grid", true));
  ASSERT_TRUE(created.WriteBool("Main", "Bright", false));
  ASSERT_TRUE(created.WriteString("Skin", "Name", "skins/blue.ini"));
  EXPECT_EQ(ReadAll(created.Path()),
            "[Main]\nLeft=-5\nGrid=1\nBright=0\n\n[Skin]\nName=skins/blue.ini\n");

  const std::string head = "\xEF\xBB\xBF; settings\r\n[main]\r\n  grid = ";
  const std::string tail = "\r\n\xFF\xFE\0garbage\r\n[Main]\r\nGrid=7\r\n[Size\r\n"s +
                           std::string(1 << 20, 'L') + "\r\n[Colors]\r\nInk 1=71";
  WriteAll(m_path, head + "0" + tail);
  IniFile ini(m_path);
  ASSERT_TRUE(ini.WriteBool("Main", "Grid", true));
  ASSERT_TRUE(ini.WriteInteger("COLORS", "paper 1", 8));
  EXPECT_EQ(ReadAll(m_path), head + "1" + tail + "\r\npaper 1=8\r\n");
  EXPECT_EQ(ini.ReadInteger("Colors", "Paper 1", 0), 8);
}

TEST_F(IniFileTest, ValueCannotInjectLinesAndBadNamesAreRefused) {
  WriteAll(m_path, "[Main]\nGrid=1\n");
  IniFile ini(m_path);
  // Which names are bad is the name checks' test; a bad key is refused in the batch below.
  EXPECT_EQ(ini.WriteString("Ma]in", "A", "1").Message(), "Unable to write to " + m_path);
  ASSERT_TRUE(ini.WriteString("Skin", "Name", "x\n[Main]\r\nGrid=0\0"s));
  EXPECT_EQ(ReadAll(m_path), "[Main]\nGrid=1\n\n[Skin]\nName=x[Main]Grid=0\n");
  EXPECT_EQ(ini.ReadInteger("Main", "Grid", 5), 1);
}

// An unchanged value leaves the file itself in place; a link stays a link.
TEST_F(IniFileTest, WritesLeaveTheFileOrTheLinkInPlace) {
  WriteAll(m_path, "[Main]\nGrid=1\n");
  struct stat before {
  }, after{};
  ASSERT_EQ(::stat(m_path.c_str(), &before), 0);
  ASSERT_TRUE(IniFile(m_path).WriteBool("Main", "Grid", true));
  ASSERT_EQ(::stat(m_path.c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);

  const std::string link = m_dir.File("link.ini");
  fs::create_symlink(m_path, link);
  ASSERT_TRUE(IniFile(link).WriteBool("Main", "Grid", false));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadAll(m_path), "[Main]\nGrid=0\n");
}

// A folder, a path in a missing folder (given relative too) or a named pipe (no hang): reads
// give the fallback; writes fail naming the full path and change nothing.
TEST_F(IniFileTest, UnusablePathsFailAndKeepWhatIsThere) {
  fs::create_directory(m_dir.File("folder.ini"));
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.ini").c_str(), 0600), 0);
  for (const std::string& path : {m_dir.File("folder.ini"), m_dir.File("gone/TintoEditor.ini"),
                                  "no-such-folder-here/TintoEditor.ini"s, m_dir.File("fifo.ini")}) {
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Main", "Tool", 2), 2);
    EXPECT_EQ(ini.WriteInteger("Main", "Tool", 3).Message(),
              "Unable to write to " + (fs::current_path() / path).string());
  }
  EXPECT_TRUE(fs::is_empty(m_dir.File("folder.ini")));
  EXPECT_FALSE(fs::exists(m_dir.File("gone")));
  EXPECT_TRUE(fs::is_fifo(m_dir.File("fifo.ini")));
}

// A write cut short by a full disk keeps the old file and leaves no temporary one; a file over
// 16 MiB is neither read nor replaced.
TEST_F(IniFileTest, FailedWritesLeaveTheFileAsItWas) {
  const std::string before = "[Main]\nGrid=1\n";
  WriteAll(m_path, before);
  WithFileSizeLimit(20, [&] {
    EXPECT_EQ(IniFile(m_path).WriteString("Skin", "Name", std::string(100, 'x')).Message(),
              "Unable to write to " + m_path);
  });
  EXPECT_EQ(ReadAll(m_path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path()), {}), 1);

  fs::resize_file(m_path, 17 * 1024 * 1024);
  EXPECT_FALSE(IniFile(m_path).ReadBool("Main", "Grid", false));
  EXPECT_FALSE(IniFile(m_path).WriteBool("Main", "Grid", true));
  EXPECT_EQ(fs::file_size(m_path), 17u * 1024 * 1024);
}

// The file is replaced once at the end; the writes are visible to reads meanwhile. A write
// that fails inside keeps the ones before it, as single writes would; a failed replacement
// keeps the file as it was.
TEST_F(IniFileTest, WriteAtOnceReplacesTheFileOnceAndKeepsEarlierWrites) {
  const std::string before = "; mine\n[Main]\nGrid=1\n";
  WriteAll(m_path, before);
  IniFile ini(m_path);
  ASSERT_TRUE(ini.WriteAtOnce([&](IniFile& batch) {
    EXPECT_TRUE(batch.WriteBool("Main", "Grid", false) && batch.WriteInteger("Size", "DY", 96));
    EXPECT_EQ(ReadAll(m_path), before);
    EXPECT_EQ(batch.ReadInteger("Size", "DY", 0), 96);
    return Status::Ok();
  }));
  EXPECT_EQ(ReadAll(m_path), "; mine\n[Main]\nGrid=0\n\n[Size]\nDY=96\n");

  const Status failed = ini.WriteAtOnce([](IniFile& batch) {
    Status first = batch.WriteInteger("Size", "DX", 9);
    return first ? batch.WriteInteger("Size", "A=B", 1) : first;
  });
  EXPECT_EQ(failed.Message(), "Unable to write to " + m_path);
  EXPECT_EQ(ini.ReadInteger("Size", "DX", 0), 9);

  const std::string kept = ReadAll(m_path);
  WithFileSizeLimit(20, [&] {
    EXPECT_FALSE(
        ini.WriteAtOnce([](IniFile& batch) { return batch.WriteInteger("Size", "DY", 8); }));
  });
  EXPECT_EQ(ReadAll(m_path), kept);
  EXPECT_FALSE(IniFile(m_dir.Path()).WriteAtOnce([](IniFile&) { return Status::Ok(); }));
}

TEST(ProgramDir, IsTheFolderOfTheRunningProgram) {
  std::string dir = ProgramDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.front(), '/');
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(fs::is_regular_file(dir + program_invocation_short_name));
}

// Sets an environment variable (unsets it for nullptr) until the end of the scope.
struct ScopedEnv {
  ScopedEnv(const char* name, const char* value) : name(name) {
    if (const char* now = std::getenv(name)) old = now;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old ? ::setenv(name, old->c_str(), 1) : ::unsetenv(name); }
  const char* name;
  std::optional<std::string> old;
};

// A writable program folder holds the file; else $XDG_CONFIG_HOME when absolute, else
// $HOME/.config, created when missing.
TEST(SettingsFilePath, FallsBackFromTheProgramFolderToTheConfigFolder) {
  TempDir dir;
  ScopedEnv home("HOME", dir.Path().c_str());
  EXPECT_EQ(SettingsFilePath(dir.File("")), dir.File("TintoEditor.ini"));
  fs::create_directory(dir.File("program"));
  fs::permissions(dir.File("program"), fs::perms::owner_read | fs::perms::owner_exec);
  for (const char* xdg : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    ScopedEnv unset("XDG_CONFIG_HOME", xdg);
    EXPECT_EQ(SettingsFilePath(dir.File("missing") + "/"), dir.File(".config/TintoEditor.ini"));
  }
  EXPECT_TRUE(fs::is_directory(dir.File(".config")));
  ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config/deeper").c_str());
  RunWithoutFileOverride([&] {
    EXPECT_EQ(SettingsFilePath(dir.File("program") + "/"),
              dir.File("config/deeper/TintoEditor.ini"));
  });
  EXPECT_TRUE(fs::is_directory(dir.File("config/deeper")));
}

}  // namespace
}  // namespace tinto
