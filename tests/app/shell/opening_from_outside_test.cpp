// Files handed to the editor from outside: the command line and drops on the main window.

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "app/dialogs/import/import_expert.h"
#include "app/editor/editor_session.h"
#include "app/main_form_fixture.h"
#include "app/shell/command_line.h"
#include "app/shell/editor_windows.h"
#include "core/format/native_format.h"
#include "core/format/screen_file_format.h"

namespace tinto::test {
namespace {

TEST(CommandLineTest, ArgumentsGiveTheFileToOpenOrTextToPrint) {
  const struct {
    QStringList args;
    QString file;
    int exitCode;         // -1: the editor starts
    const char* printed;  // what standard output and error start with
  } cases[] = {
      {{"pic.tin"}, QDir::currentPath() + "/pic.tin", -1, ""},
      {{"/p.jpg", "b.od0"}, "/p.jpg", -1, "Only the first file is opened; not opened: b.od0\n"},
      {{"--version", "pic.tin"}, {}, 0, "Tinto Editor 0."},
      {{"--help"}, {}, 0, "Usage: "},
      {{"--frobnicate"}, {}, 1, "Unknown option 'frobnicate'."},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(QStringList{"tinto-editor"} + c.args);
    EXPECT_EQ(line.file, c.file) << c.printed;
    EXPECT_EQ(line.exit ? line.exitCode : -1, c.exitCode) << c.printed;
    EXPECT_TRUE((line.output + line.errors).toStdString().starts_with(c.printed)) << c.printed;
  }
  // Only help and version are answered without a window system.
  const char* const textOnly[] = {"tinto-editor", "pic.tin", "-v"};
  const char* const withFile[] = {"tinto-editor", "pic.tin", "-platform", "xcb"};
  EXPECT_TRUE(AsksForTextOnly(3, textOnly));
  EXPECT_FALSE(AsksForTextOnly(4, withFile));
}

class OpeningFromOutsideTest : public MainFormTest {
 protected:
  void SetUp() override {
    m_windows.emplace(Options());
    m_windows->ShowMainWindow();
    Form().SaveDialog().SetRunner(TSaveDialog::ScriptedCancel());
    ASSERT_TRUE(
        WriteNativeFile(Path("pic.tin"), Form().Session().Screen(), Form().Session().Geometry()));
    for (const char* name : {"pic.od0", "pic.od1"}) WriteAll(Path(name), std::string(12288, 0));
    WriteAll(Path("junk.png"), "not a picture");
    WriteAll(Path("short.scr"), "abc");
    ASSERT_TRUE(WriteScreenFile(Path("pic.MG1"), ScreenFile::Mg1, Form().Session().Screen(),
                                Form().Session().Geometry(), 0));
    ASSERT_TRUE(QImage(40, 24, QImage::Format_RGB32).save(QString::fromStdString(Path("a.png"))));
  }
  TMainForm& Form() { return m_windows->MainForm(); }
  std::string Path(const std::string& name) { return m_dir.File(name); }
  std::string Title() { return Form().windowTitle().toStdString(); }
  bool Drag(const QList<QUrl>& urls, bool drop = false) { return DragFiles(Form(), urls, drop); }
  std::optional<EditorWindows> m_windows;
};

TEST_F(OpeningFromOutsideTest, FileOpensAsOpenDoesOrGoesToTheImportExpert) {
  const std::string untitled =
      "Tinto Editor - [" + QDir::currentPath().toStdString() + "/Untitled.tin]";
  const struct {
    std::string name, title, message;
  } cases[] = {
      {"pic.tin", "Tinto Editor - [" + Path("pic.tin") + "]", ""},
      {"pic.od1", "Tinto Editor - [" + Path("pic.od") + "]", ""},
      {"a.png", untitled, ""},
      {"missing.tin", untitled, "File " + Path("missing.tin") + " not found."},
      {"junk.png", untitled, kImportErrorText},
      {"folder.tin", untitled, Path("folder.tin") + ": Is a folder"},
      {"fifo", untitled, Path("fifo") + ": Not a regular file"},
      {"short.scr", untitled,
       "File " + Path("short.scr") + "\n\rIs 3 bytes long; a .scr file is 6912 bytes."},
      {"pic.MG1", untitled + "*", ""},  // last: it leaves a modified picture
  };
  std::filesystem::create_directory(Path("folder.tin"));
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  TImportExpert& expert = m_windows->ImportExpert();
  int importedWidth = 0;
  // The Import Expert runs modally: it is read and closed from inside its run.
  std::function<void()> closeImport = [&] {
    if (!expert.isVisible()) return QTimer::singleShot(10, &expert, closeImport);
    importedWidth = expert.Session().Picture().Width();
    expert.reject();
  };
  for (const auto& c : cases) {
    importedWidth = 0;
    if (c.name == "a.png") closeImport();
    m_messages = {};
    Form().Flows()->New1Click();
    Form().Flows()->OpenFile(QString::fromStdString(Path(c.name)));
    QApplication::processEvents();
    EXPECT_EQ(Title(), c.title) << c.name;
    EXPECT_EQ(importedWidth, c.name == "a.png" ? 40 : 0) << c.name;
    const auto& shown = m_messages.Shown();
    EXPECT_EQ(shown.empty() ? "" : shown.back().text.toStdString(), c.message) << c.name;
  }
}

// A drop asks as Open does (each answer is the document flows' test); No opens the file.
TEST_F(OpeningFromOutsideTest, OnlyPicturesAndPhotosAreAcceptedAndADropAsksAsOpenDoes) {
  const auto file = [](const std::string& path) { return QUrl::fromLocalFile(Q(path)); };
  for (const char* path : {"/a/pic.tin", "/a/PIC.OD1", "/a/pic.SCR", "/a/pic.mg4"})
    EXPECT_TRUE(Drag({file(path)})) << path;
  EXPECT_TRUE(Drag({file("/a/photo.JPG"), file("/a/b.txt")}));
  EXPECT_FALSE(Drag({file("/a/b.txt"), file("/a/pic.tin")}));
  EXPECT_FALSE(Drag({QUrl("https://example.org/pic.tin")}));
  DrawPixel(Form().Session(), 3, 0);
  m_messages.Answer(MessageAnswer::No);
  EXPECT_TRUE(Drag({file(Path("pic.tin"))}, true));
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(Title(), "Tinto Editor - [" + Path("pic.tin") + "]");
  EXPECT_FALSE(Form().Session().Screen().Pixel(0, 3, 0));
}

}  // namespace
}  // namespace tinto::test
