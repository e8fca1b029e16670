#include "app/editor/document_flows.h"

#include "app/main_form_fixture.h"
#include "core/format/screen_file_format.h"
#include "core/model/model_test_helpers.h"

namespace tinto::test {
namespace {

// The untitled document lies in the working folder.
std::string Untitled() { return std::filesystem::current_path().string() + "/Untitled.tin"; }

std::string Caption(const std::string& fileName, bool modified) {
  return "Tinto Editor - [" + fileName + "]" + (modified ? "*" : "");
}

bool AllZero(const ScreenBlock& block) {
  return std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; });
}

class DocumentFlowsTest : public MainFormTest {
 protected:
  TMainForm& Start() {
    TMainForm& form = CreateShown();
    m_openDialog = InstallOpenDialog();
    ChooseSaveName("");
    ChooseOpenFile("");
    return form;
  }
  TDocumentFlows& Flows() { return *m_form->Flows(); }
  std::string Title() const { return m_form->windowTitle().toStdString(); }
  std::string Path(const std::string& relative) const { return m_dir.File(relative); }

  // The save dialog answers `path`, or Cancel when it is empty.
  void ChooseSaveName(const std::string& path) {
    m_form->SaveDialog().SetRunner([this, path](QFileDialog& dialog) {
      ++m_saveDialogRuns;
      dialog.selectFile(Q(path));
      return !path.empty();
    });
  }
  // Types the file's name into the real dialog, opened on the file's folder, and presses Enter;
  // an empty path cancels the dialog.
  void ChooseOpenFile(const std::string& path) {
    m_openDialog->SetRunner([this, path](TfrmOpen& dialog) {
      ++m_openDialogRuns;
      if (path.empty()) return false;
      const std::filesystem::path file(path);
      dialog.SetDirectory(Q(file.parent_path().string()));
      m_openSeen =
          dialog.Title() + "|" + dialog.Filter() + "|" + QString::number(int(dialog.ShowPicture()));
      const bool accepted = TypeNameAndEnter(dialog, Q(file.filename().string()));
      // The offscreen platform does not hand activation back when the dialog hides.
      m_form->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
      return accepted;
    });
  }
  void Draw() { DrawPixel(m_form->Session(), 0, 0); }
  const ShownMessage& LastMessage() const { return m_messages.Shown().back(); }
  void Restart() {
    m_form.reset();
    m_messages = {};
    m_saveDialogRuns = 0;
    m_openDialogRuns = 0;
  }

  int m_saveDialogRuns = 0;
  int m_openDialogRuns = 0;
  TfrmOpen* m_openDialog = nullptr;  // owned by the window
  QString m_openSeen;                // title, filter and whether the picture preview shows
};

// The start-up picture (DX 32, DY 192, 8x1 + 8x8, window 0..17) is 8 + 12288 pixel bytes,
// 2 x 18 x 192 window cells and 2 x 14 x 24 cells right of the window.
constexpr std::size_t kStartupFileBytes = 8 + 12288 + 6912 + 672;

// The extension is added to a typed name without a dot in its own name before the overwrite
// question. Not modified, the title must still follow the new name after Yes.
TEST_F(DocumentFlowsTest, UntitledSaveAsksForNameThenBeforeOverwritingTheNameWithItsExtension) {
  // Yes or No to overwriting; typed, then the file asked about and written.
  const std::tuple<bool, const char*, const char*> cases[] = {{true, "a.b/pic", "a.b/pic.tin"},
                                                              {false, "pic.scr", "pic.scr"}};
  for (const auto& [written, typed, file] : cases) {
    TMainForm& form = Start();
    const std::string path = Path(file);
    std::filesystem::create_directories(m_dir.Path() / "a.b");
    WriteAll(path, "old");
    if (!written) Draw();
    ChooseSaveName(Path(typed));
    m_messages.Answer(written ? MessageAnswer::Yes : MessageAnswer::No);
    Flows().Save_11Click();
    EXPECT_EQ(m_saveDialogRuns, 1);
    ASSERT_EQ(m_messages.Shown().size(), 1u);
    EXPECT_EQ(LastMessage().buttons, MessageButtons::YesNo);
    EXPECT_EQ(LastMessage().text.toStdString(), "File: " + path + " already Exists.\n\rOverwrite?");
    EXPECT_EQ(ReadAll(path).size(), written ? kStartupFileBytes : std::strlen("old"));
    EXPECT_EQ(form.Session().Document().Modified(), !written);
    EXPECT_EQ(Title(), written ? Caption(path, false) : Caption(Untitled(), true));
    Restart();
  }
}

// After Yes a flow may throw the picture away only once it is saved; a cancelled save dialog or
// a failed write stops the flow as Cancel would. Open offers no Cancel.
TEST_F(DocumentFlowsTest, SaveChangesPromptLetsTheFlowGoOnOnlyWhenNothingIsLost) {
  enum class Flow { New, Open, Close };
  enum class Save { None, Cancelled, Failed, Written };  // what happens after Yes
  using enum MessageAnswer;
  const std::tuple<Flow, MessageAnswer, Save, bool> cases[] = {
      {Flow::New, Cancel, Save::None, false},     {Flow::New, No, Save::None, true},
      {Flow::New, Yes, Save::Cancelled, false},   {Flow::New, Yes, Save::Failed, false},
      {Flow::New, Yes, Save::Written, true},      {Flow::Open, No, Save::None, true},
      {Flow::Open, Yes, Save::Cancelled, false},  {Flow::Open, Yes, Save::Written, true},
      {Flow::Close, Cancel, Save::None, false},   {Flow::Close, No, Save::None, true},
      {Flow::Close, Yes, Save::Cancelled, false}, {Flow::Close, Yes, Save::Failed, false},
      {Flow::Close, Yes, Save::Written, true}};
  for (const auto& [flow, answer, save, goesOn] : cases) {
    SCOPED_TRACE(testing::Message() << int(flow) << " " << int(answer) << " " << int(save));
    std::filesystem::remove(SettingsPath());
    std::filesystem::remove(Path("kept.tin"));
    TMainForm& form = Start();
    form.Session().Screen().Attrs().fill(0x47);
    Draw();
    m_messages.Answer(answer);
    if (save == Save::Written || save == Save::Failed) ChooseSaveName(Path("kept.tin"));
    if (save == Save::Failed)
      Flows().SetFileWriter([](const std::string&, const ScreenBuffers&, const ScreenGeometry&) {
        return Status::Error("Disk full");
      });
    if (flow == Flow::New) Flows().New1Click();
    if (flow == Flow::Open) Flows().Open1Click();
    if (flow == Flow::Close) {
      EXPECT_EQ(form.close(), goesOn);
    }

    ASSERT_FALSE(m_messages.Shown().empty());
    const ShownMessage& prompt = m_messages.Shown().front();
    EXPECT_EQ(prompt.kind, MessageKind::Warning);
    EXPECT_EQ(prompt.buttons,
              flow == Flow::Open ? MessageButtons::YesNo : MessageButtons::YesNoCancel);
    EXPECT_EQ(prompt.text.toStdString(), "File " + Untitled() + " not saved.\n\rSave Changes?");
    const bool cleared = goesOn && flow == Flow::New;  // the open dialog is cancelled here
    const bool closed = goesOn && flow == Flow::Close;
    EXPECT_EQ(form.Session().Screen().Pixel(0, 0, 0), !cleared);
    EXPECT_EQ(AllZero(form.Session().Screen().Attrs()), cleared) << "New clears to black";
    EXPECT_EQ(form.Session().Document().Modified(), !cleared && save != Save::Written);
    EXPECT_EQ(ReadAll(Path("kept.tin")).size(), save == Save::Written ? kStartupFileBytes : 0);
    EXPECT_EQ(form.isVisible(), !closed);
    EXPECT_EQ(m_openDialogRuns, goesOn && flow == Flow::Open ? 1 : 0);
    EXPECT_EQ(std::filesystem::exists(SettingsPath()), closed);
    if (closed) {  // both dialogs' tree states, in order
      EXPECT_LT(Settings().find("Open TreePanelState=0"), Settings().find("Save TreePanelState=0"));
    }
    Restart();
  }
}

// Save As asks before overwriting even the document's own file. The scene a user met: Save As
// onto another picture, No at the overwrite prompt (or a write that fails and says why), then
// F2. The document must still be the first picture.
TEST_F(DocumentFlowsTest, AnUnfinishedSaveAsKeepsTheDocumentsNameForF2) {
  for (const bool declined : {true, false}) {
    TMainForm& form = Start();
    const std::string mine = Path("mine.tin");
    const std::string other = Path("other.tin");
    ChooseSaveName(mine);
    Flows().Save_21Click();
    m_messages.Answer(MessageAnswer::No);
    QTest::keyClick(&form, Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(LastMessage().text.toStdString(), "File: " + mine + " already Exists.\n\rOverwrite?");
    WriteAll(other, "someone else's picture");
    Draw();
    ChooseSaveName(other);
    m_messages.Answer(declined ? MessageAnswer::No : MessageAnswer::Yes);
    if (!declined)
      Flows().SetFileWriter([](const std::string&, const ScreenBuffers&, const ScreenGeometry&) {
        return Status::Error("Permission denied");
      });
    Flows().Save_21Click();
    EXPECT_EQ(LastMessage().text.toStdString(),
              declined ? "File: " + other + " already Exists.\n\rOverwrite?" : "Permission denied");
    EXPECT_EQ(Title(), Caption(mine, true)) << declined;
    Flows().SetFileWriter(nullptr);
    QTest::keyClick(&form, Qt::Key_F2);
    EXPECT_EQ(m_saveDialogRuns, 3) << declined;
    EXPECT_EQ(ReadAll(other), "someone else's picture") << declined;
    EXPECT_EQ(static_cast<unsigned char>(ReadAll(mine)[8]), 0x80) << declined;
    EXPECT_EQ(Title(), Caption(mine, false)) << declined;
    Restart();
    std::filesystem::remove(mine);
  }
}

// A two-file picture is named by its stem, which is no file of its own, so F2 asks for a name;
// a .tin inside a folder named like a two-file picture opens as Tinto and F2 saves it at once.
TEST_F(DocumentFlowsTest, OpenNamesTheDocumentAndFollowsTheFilesGeometry) {
  // 8x2 mode, DX 2, DY 8, MLT window 1 + 1: 32 pixel bytes, then 2 x 4 cell rows of 2 bytes.
  const std::string tin = std::string("TIN\x01\x02\x08\x01\x01", 8) + std::string(48, 0x10);
  for (const bool twoFile : {true, false}) {
    TMainForm& form = Start();
    SizePanel(form)->DX()->setValue(2);
    SizePanel(form)->DY()->setValue(8);
    SizePanel(form)->MLTWidth()->setValue(1);
    SizePanel(form)->MLTLeft()->setValue(twoFile ? 1 : 0);
    std::filesystem::create_directories(m_dir.Path() / "x.od");
    WriteAll(Path("x.od0"), std::string(32, 1));
    WriteAll(Path("x.od1"), std::string(32, 2));
    WriteAll(Path("x.od/pic.tin"), tin);
    const std::string opened = twoFile ? Path("x.od0") : Path("x.od/pic.tin");
    ChooseOpenFile(opened);
    Flows().Open1Click();
    ASSERT_TRUE(m_messages.Shown().empty()) << m_messages.Shown().front().text.toStdString();
    EXPECT_EQ(m_openSeen, "Open Tinto Files...|" + QString::fromLatin1(kOpenDocumentFilter) + "|0");
    EXPECT_EQ(Title(), Caption(twoFile ? Path("x.od") : opened, false));
    EXPECT_EQ(SizePanel(form)->MLTWidth()->value(), twoFile ? 2 : 1);
    EXPECT_EQ(SizePanel(form)->MLTLeft()->value(), twoFile ? 0 : 1);
    EXPECT_EQ(form.Actions().Tinto8x2->isChecked(), !twoFile);
    Draw();
    QTest::keyClick(&form, Qt::Key_F2);
    EXPECT_EQ(m_saveDialogRuns, twoFile ? 1 : 0);
    EXPECT_EQ(static_cast<unsigned char>(ReadAll(opened)[8]), twoFile ? 1 : 0x90);
    Restart();
  }
}

// A failed open leaves a cleared untitled document that is not modified, and the file untouched.
// (The readers' own tests give every message; one of each kind of file here.)
TEST_F(DocumentFlowsTest, AFailedOpenSaysWhyAndLeavesAClearedUntitledDocument) {
  // Chosen, its bytes, the message ("%" stands for the folder).
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"bad.tin", "not a picture", "File %/bad.tin\n\rIs not Tinto File."},
      {"pic.od0", "abc", "Size of file %/pic.od0 incorrect.\n\rCorrect TotalWidth and DY Values."}};
  for (const auto& [chosen, bytes, message] : cases) {
    SCOPED_TRACE(message);
    TMainForm& form = Start();
    WriteAll(Path(chosen), bytes);
    form.Session().Screen().Attrs().fill(0x47);
    Draw();
    m_messages.Answer(MessageAnswer::No);
    ChooseOpenFile(Path(chosen));
    Flows().Open1Click();
    ASSERT_EQ(m_messages.Shown().size(), 2u);
    std::string expected = message;
    if (const std::size_t folder = expected.find('%'); folder != std::string::npos)
      expected.replace(folder, 1, m_dir.Path().string());
    EXPECT_EQ(LastMessage().text.toStdString(), expected);
    EXPECT_TRUE(AllZero(form.Session().Screen().Pixels()));
    EXPECT_TRUE(AllZero(form.Session().Screen().Attrs()));
    EXPECT_EQ(Title(), Caption(Untitled(), false));
    QTest::keyClick(&form, Qt::Key_F2);
    EXPECT_EQ(m_saveDialogRuns, 1);
    EXPECT_EQ(ReadAll(Path(chosen)), bytes);
    Restart();
  }
}

// Another tool's picture comes in as an import does: after the save-changes prompt, untitled and
// modified, at its own geometry; Undo gives back the picture that was there just before, not the
// one from when Undo became available. A file that does not read changes nothing at all.
TEST_F(DocumentFlowsTest, ScreenFileOpensAsAnImportThatUndoTakesBack) {
  TMainForm& form = Start();
  ChooseSaveName(Path("mine.tin"));
  Flows().Save_21Click();
  Draw();
  form.Session().Change(ChangeKind::Stroke, [&form] { form.Session().Screen().SetPixel(0, 5, 5); });
  const ScreenBuffers before = form.Session().Screen();
  WriteAll(Path("bad.mg2"), "MGH\x02\x02");
  const ScreenBuffers picture = FilledScreen(0x5A);
  ASSERT_TRUE(WriteScreenFile(Path("pic.mg2"), ScreenFile::Mg2, picture,
                              MakeGeometry(32, 192, AttrMode::Mode8x2), 0));
  m_messages.Answer(MessageAnswer::No);
  ChooseOpenFile(Path("bad.mg2"));
  Flows().Open1Click();
  EXPECT_EQ(LastMessage().text.toStdString(),
            "File " + Path("bad.mg2") + "\n\rHas header version 2; only version 1 is read.");
  EXPECT_EQ(FirstDifference(form.Session().Screen(), before), "");
  EXPECT_EQ(Title(), Caption(Path("mine.tin"), true));

  m_messages.Answer(MessageAnswer::No);
  ChooseOpenFile(Path("pic.mg2"));
  Flows().Open1Click();
  EXPECT_EQ(m_messages.Shown().size(), 3u);  // the prompt, the fault, the prompt
  EXPECT_EQ(FirstDifference(form.Session().Screen(), picture), "");
  EXPECT_EQ(SizePanel(form)->DX()->value(), 32);
  EXPECT_TRUE(form.Actions().Tinto8x2->isChecked());
  EXPECT_EQ(Title(), Caption(Untitled(), true));
  QTest::keyClick(&form, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(FirstDifference(form.Session().Screen(), before), "");
}

}  // namespace
}  // namespace tinto::test
