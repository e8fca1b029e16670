// Files handed to the editor from outside: the command line and drops on the main window.

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_source.h"
#include "app/editor/editor_session.h"
#include "app/main_form_fixture.h"
#include "app/shell/command_line.h"
#include "app/shell/editor_windows.h"
#include "core/format/native_format.h"

namespace tinto::test {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

TEST(CommandLineTest, ArgumentsGiveTheFileToOpenOrTextToPrint) {
  const QString here = QDir::currentPath() + "/";
  struct Case {
    QStringList args;
    QString file;
    bool exit;
    int exitCode;
    const char* output;  // in the standard output
    const char* errors;  // the standard error starts with it
  };
  const Case cases[] = {
      {{}, {}, false, 0, "", ""},
      {{"pic.tin"}, here + "pic.tin", false, 0, "", ""},
      {{"/a/pic.od0"}, "/a/pic.od0", false, 0, "", ""},
      {{"/a/photo.jpg", "b.tin", "c.tin"},
       "/a/photo.jpg",
       false,
       0,
       "",
       "Only the first file is opened; not opened: b.tin\nOnly the first file is opened; "
       "not opened: c.tin\n"},
      {{"--version", "pic.tin"}, {}, true, 0, "Tinto Editor 0.", ""},
      {{"--help"}, {}, true, 0, "[options] [FILE]", ""},
      {{"--frobnicate"}, {}, true, 1, "", "Unknown option 'frobnicate'."},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(QStringList{"tinto-editor"} + c.args);
    const QString name = c.args.join(' ');
    EXPECT_EQ(line.file, c.file) << name.toStdString();
    EXPECT_EQ(line.exit, c.exit) << name.toStdString();
    EXPECT_EQ(line.exitCode, c.exitCode) << name.toStdString();
    EXPECT_NE(line.output.toStdString().find(c.output), std::string::npos) << name.toStdString();
    EXPECT_EQ(line.errors.toStdString().find(c.errors), 0u) << line.errors.toStdString();
  }
}

class OpeningFromOutsideTest : public MainFormTest {
 protected:
  EditorWindows& Start() {
    m_windows.emplace(Options());
    m_windows->ShowMainWindow();
    Form().Flows()->SaveDialog().SetRunner(TSaveDialog::ScriptedCancel());
    EXPECT_TRUE(tinto::WriteNativeFile(Path("pic.tin"), Form().Session().Screen(),
                                       Form().Session().Geometry()));
    WriteAll(Path("pic.od0"), std::string(2 * 32 * 192, '\0'));
    WriteAll(Path("pic.od1"), std::string(2 * 32 * 192, '\0'));
    WriteAll(Path("junk.tin"), "TIX");
    WriteAll(Path("junk.png"), "not a picture");
    QImage photo(40, 24, QImage::Format_RGB32);
    photo.fill(Qt::red);
    EXPECT_TRUE(photo.save(Q(Path("photo.png"))));
    return *m_windows;
  }
  TMainForm& Form() { return m_windows->MainForm(); }
  std::string Path(const std::string& name) const { return m_dir.File(name); }
  std::string Title() { return Form().windowTitle().toStdString(); }
  static std::string Caption(const std::string& name, bool modified) {
    return "Tinto Editor - [" + name + "]" + (modified ? "*" : "");
  }
  std::string ReadError(const std::string& path) {
    ScreenBuffers screen;
    ScreenGeometry geometry;
    return tinto::ReadNativeFile(path, screen, geometry).Message();
  }
  std::optional<EditorWindows> m_windows;
};

// Photos reach the real Import Expert as the shell's runner hands them over, shown without
// blocking instead of run modally.
TEST_F(OpeningFromOutsideTest, FirstFileOpensAsOpenDoesOrGoesToTheImport) {
  struct Case {
    std::string file;
    std::string title;    // empty: untitled
    std::string message;  // empty: none
    bool imported;
  };
  const std::string untitled = std::filesystem::current_path().string() + "/Untitled.tin";
  EditorWindows& windows = Start();
  const Case cases[] = {
      {Path("pic.tin"), Caption(Path("pic.tin"), false), "", false},
      {Path("pic.od1"), Caption(Path("pic.od"), false), "", false},
      {Path("photo.png"), Caption(untitled, false), "", true},
      {Path("missing.tin"), Caption(untitled, false), ReadError(Path("missing.tin")), false},
      {Path("junk.tin"), Caption(untitled, false), ReadError(Path("junk.tin")), false},
      {Path("junk.png"), Caption(untitled, false), kImportErrorText, false},
      {Path("notes.txt"), Caption(untitled, false), kImportErrorText, false},
  };
  TImportExpert& expert = windows.ImportExpert();
  for (const Case& c : cases) {
    bool imported = false;
    Form().Flows()->SetPhotoImportRunner([&](const QString& path) {
      if (expert.QueueSourceFile(path)) {
        expert.Start();
        imported =
            expert.SourcePicture().Loaded() && expert.SourcePicture().Picture().Width() == 40;
        expert.reject();
      }
      return std::optional<ImportedPicture>();
    });
    m_messages = {};
    Form().Flows()->New1Click();
    Form().Flows()->OpenFile(Q(c.file));
    EXPECT_EQ(Title(), c.title) << c.file;
    EXPECT_EQ(imported, c.imported) << c.file;
    const auto& shown = m_messages.Shown();
    EXPECT_EQ(shown.empty() ? std::string() : shown.back().text.toStdString(), c.message) << c.file;
  }
}

QMimeData* DraggedFiles(const QList<QUrl>& urls) {
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}

TEST_F(OpeningFromOutsideTest, OnlyPicturesAndPhotosAreAcceptedWhileDragged) {
  Start();
  const std::pair<QList<QUrl>, bool> cases[] = {
      {{QUrl::fromLocalFile("/a/pic.tin")}, true},
      {{QUrl::fromLocalFile("/a/PIC.OD1")}, true},
      {{QUrl::fromLocalFile("/a/photo.JPG"), QUrl::fromLocalFile("/a/b.txt")}, true},
      {{QUrl::fromLocalFile("/a/b.txt"), QUrl::fromLocalFile("/a/pic.tin")}, false},
      {{QUrl::fromLocalFile("/a/folder")}, false},
      {{QUrl("https://example.org/pic.tin")}, false},
      {{}, false},
  };
  const QPoint centre = Form().rect().center();
  for (const auto& [urls, accepted] : cases) {
    std::unique_ptr<QMimeData> data(DraggedFiles(urls));
    QDragEnterEvent enter(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Form(), &enter);
    QDragMoveEvent move(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    move.setAccepted(!accepted);
    QApplication::sendEvent(&Form(), &move);
    const std::string name = urls.isEmpty() ? "no file" : urls.first().toString().toStdString();
    EXPECT_EQ(enter.isAccepted(), accepted) << name;
    EXPECT_EQ(move.isAccepted(), accepted) << name;
  }
}

// Dropping a picture asks to save a modified one first, as Open does: Yes and a cancelled save
// dialog keep it; No opens the dropped file.
TEST_F(OpeningFromOutsideTest, DroppedPictureGoesThroughTheSaveChangesPrompt) {
  Start();
  for (MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
    Form().Flows()->New1Click();
    Form().Session().Screen().SetPixel(0, 3, 0);
    Form().Session().SetModified(true);
    const std::string before = Title();
    m_messages = {};
    m_messages.Answer(answer);
    std::unique_ptr<QMimeData> data(DraggedFiles({QUrl::fromLocalFile(Q(Path("pic.tin")))}));
    const QPoint centre = Form().rect().center();
    // A drop lands where the drag was accepted on entering.
    QDragEnterEvent enter(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Form(), &enter);
    QDropEvent drop(centre, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Form(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QApplication::processEvents();
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(m_messages.Shown()[0].buttons, MessageButtons::YesNo);
    const bool kept = answer == MessageAnswer::Yes;
    EXPECT_EQ(Title(), kept ? before : Caption(Path("pic.tin"), false));
    EXPECT_EQ(Form().Session().Screen().Pixel(0, 3, 0), kept);
  }
}

}  // namespace
}  // namespace tinto::test
