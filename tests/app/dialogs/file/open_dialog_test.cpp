#include "app/dialogs/file/open_dialog.h"

#include <unistd.h>

#include "app/dialogs/file/file_filter.h"
#include "app/dialogs/file/file_list.h"
#include "app/dialogs/file/folder_tree.h"
#include "app/dialogs/file/save_dialog.h"
#include "app/editor/document_flows.h"
#include "app/gui_test.h"
#include "app/widgets/kel_image.h"
#include "app/widgets/rollup_panel.h"
#include "core/format/ini_file.h"

namespace tinto::test {
namespace {

const QString kDocumentFilter = QString::fromLatin1(kOpenDocumentFilter);

QString L(const char* text) { return QString::fromLatin1(text); }

// Clicks (or double-clicks) `name` in the file list once the folder has been read.
void ClickEntry(TfrmOpen& dialog, const QString& name, bool twice = false) {
  QFileSystemModel* model = dialog.FileList()->Model();
  const auto entry = [&] {
    const QModelIndex root = model->index(dialog.FileList()->Folder());
    for (int row = 0; row < model->rowCount(root); ++row)
      if (model->fileName(model->index(row, 0, root)) == name) return model->index(row, 0, root);
    return QModelIndex();
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return entry().isValid(); }, 5000)) << name.toStdString();
  QAbstractItemView* view = dialog.FileList()->CurrentView();
  view->scrollTo(entry());
  const QPoint centre = view->visualRect(entry()).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
  if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

OpenRequest Request(bool showPicture, const QString& filter, const QString& title = {}) {
  OpenRequest request;
  request.title = title;
  request.filter = filter;
  request.showPicture = showPicture;
  return request;
}

class OpenDialogTest : public WindowTest {
 protected:
  std::unique_ptr<TfrmOpen> MakeDialog() {
    const IniFile settings(SettingsPath());
    return std::make_unique<TfrmOpen>(settings, m_messages, Folder(""));
  }
  // A dialog started on `folder`; a null filter keeps the picture filter.
  std::unique_ptr<TfrmOpen> Started(const QString& folder, bool showPicture = false,
                                    const char* filter = kOpenDocumentFilter) {
    auto dialog = MakeDialog();
    dialog->SetDirectory(folder);
    dialog->Start(Request(showPicture, filter == nullptr ? QString() : L(filter)));
    return dialog;
  }
  QString Folder(const std::string& relative) const {
    std::filesystem::create_directories(m_dir.Path() / relative);
    return QDir::cleanPath(Q((m_dir.Path() / relative).string()));
  }
  QString MakeFile(const std::string& relative, const std::string& bytes = "x") {
    Folder(std::filesystem::path(relative).parent_path().string());
    WriteAll(m_dir.File(relative), bytes);
    return Q(m_dir.File(relative));
  }
  void MakeBmp(const std::string& relative) {  // 3 x 2 red pixels
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    EXPECT_TRUE(image.save(MakeFile(relative), "BMP"));
  }
};

// Each case in a folder of its own; a null filter is the picture filter, a null result Cancel.
// "JPEG Image File (*.jpg;*.jpeg)" is type 1: the last mask wins, also when only the first exists.
// An installed program's folder (here one even root cannot write to) holds no pictures.
TEST_F(OpenDialogTest, StartsInTheProgramsFolderUnlessItIsNotWritable) {
  const IniFile settings(SettingsPath());
  EXPECT_EQ(TfrmOpen(settings, m_messages, Folder("bin")).Directory(), Folder("bin"));
  if (access("/proc/self", W_OK) == 0) GTEST_SKIP() << "no folder that cannot be written";
  EXPECT_EQ(TfrmOpen(settings, m_messages, "/proc/self/").Directory(), QDir::currentPath());
}

TEST_F(OpenDialogTest, EnterOpensTheTypedNameWithTheChosenTypesExtension) {
  struct Case {
    const char* folder;
    const char* filter;
    int typeIndex;
    std::vector<const char*> files;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {{"pics", nullptr, 1, {"photo.jpg", "photo.jpeg"}, "photo", "photo.jpeg"},
                        {"pics", nullptr, 1, {"photo.jpg"}, "photo", nullptr},
                        {"pics.v2", nullptr, 1, {"photo", "photo.jpeg"}, "photo", "photo"},
                        {"docs", kOpenDocumentFilter, 2, {"photo", "photo.tin"}, "photo", "photo"},
                        {"docs", kOpenDocumentFilter, 0, {"photo.tin"}, "photo", "photo.tin"},
                        {"docs", kOpenDocumentFilter, 0, {"frame.od0"}, "frame.od0", "frame.od0"},
                        {"docs", kOpenDocumentFilter, 0, {}, "", nullptr}};
  int index = 0;
  for (const Case& c : cases) {
    const std::string folder = std::string(c.folder) + "/" + std::to_string(index++);
    SCOPED_TRACE(folder);
    for (const char* file : c.files) MakeFile(folder + "/" + file);
    auto dialog = Started(Folder(folder), c.filter == nullptr, c.filter);
    EXPECT_EQ(dialog->focusWidget(), dialog->EdFileName()) << "a name can be typed at once";
    dialog->Filters()->setCurrentIndex(c.typeIndex);
    QTest::keyClicks(dialog->EdFileName(), QString::fromLatin1(c.typed));
    QTest::keyClick(dialog->EdFileName(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), c.expected == nullptr ? QDialog::Rejected : QDialog::Accepted);
    EXPECT_EQ(dialog->FileName(), c.expected == nullptr
                                      ? QString()
                                      : Folder(folder) + "/" + QString::fromLatin1(c.expected));
  }
}

TEST_F(OpenDialogTest, OpenWithoutSelectionReturnsTheEarlierFileWhileItExists) {
  const QString file = MakeFile("docs/old.tin");
  auto dialog = Started(Folder("docs"));
  QTest::mouseClick(dialog->BtOpen(), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Rejected) << "nothing chosen yet";

  dialog->Start();
  ClickEntry(*dialog, QStringLiteral("old.tin"), true);
  EXPECT_EQ(dialog->result(), QDialog::Accepted) << "a double click opens";

  dialog->Start();
  QTest::mouseClick(dialog->BtOpen(), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->FileName(), file);

  std::filesystem::remove(file.toStdString());
  dialog->Start();
  QTest::mouseClick(dialog->BtOpen(), Qt::LeftButton);
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(dialog->FileName(), file) << "FileName changes only with OK";
}

TEST_F(OpenDialogTest, NextCallerGetsItsOwnFilterAndAnUnfittingNameIsCleared) {
  MakeBmp("pics/pic.bmp");
  MakeFile("pics/old.tin");
  auto dialog = MakeDialog();
  dialog->SetDirectory(Folder("pics"));
  // The preview shows pictures whatever the filter.
  dialog->Start(Request(true, kDocumentFilter, QStringLiteral("Open Picture...")));
  ClickEntry(*dialog, QStringLiteral("pic.bmp"));
  QTest::mouseClick(dialog->BtCancel(), Qt::LeftButton);

  dialog->Start(Request(false, kDocumentFilter, QStringLiteral("Open Tinto Files...")));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Open Tinto Files..."));
  EXPECT_TRUE(dialog->EdFileName()->text().isEmpty()) << ".bmp is not in the document filter";
  EXPECT_FALSE(dialog->PnImage()->isVisible());
  EXPECT_EQ(dialog->SelectedPath(), Q(m_dir.File("pics/pic.bmp")));
  ClickEntry(*dialog, QStringLiteral("old.tin"));
  dialog->reject();
  // An empty filter leaves the type box and a fitting name.
  dialog->Start(Request(false, QString(), QStringLiteral("Open Tinto Files...")));
  EXPECT_EQ(dialog->EdFileName()->text(), QStringLiteral("old.tin"));
}

TEST_F(OpenDialogTest, PreviewShowsNaturalOrStretchedSizeAndKeepsThePictureForABrokenFile) {
  MakeBmp("pics/good.bmp");
  const QString broken = MakeFile("pics/bad.jpg", "this is not a JPEG file");
  auto dialog = Started(Folder("pics"), true, nullptr);
  ClickEntry(*dialog, QStringLiteral("good.bmp"));
  EXPECT_EQ(dialog->Image1()->size(), QSize(3, 2));
  QTest::mouseClick(dialog->SbStretch(), Qt::LeftButton);
  EXPECT_GT(dialog->Image1()->width(), 3);
  QTest::mouseClick(dialog->SbStretch(), Qt::LeftButton);
  EXPECT_EQ(dialog->Image1()->size(), QSize(3, 2));
  EXPECT_TRUE(m_messages.Shown().empty());
  ClickEntry(*dialog, QStringLiteral("bad.jpg"));
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].text, QStringLiteral("Error Image."));
  EXPECT_EQ(dialog->Image1()->size(), QSize(3, 2));
  EXPECT_EQ(dialog->SelectedPath(), broken);
  EXPECT_EQ(dialog->EdFileName()->text(), QStringLiteral("bad.jpg"));
}

// A caller's start folder replaces only the one it names; a cancelled run returns no file.
TEST_F(OpenDialogTest, ExecuteStartsInTheRequestedFolderOnlyWhenLeftInTheReplacedOne) {
  struct Case {
    const char* left;
    const char* replaced;
    const char* start;
    const char* expected;
  };
  const Case cases[] = {{"a", "a", "b", "b"}, {"c", "a", "b", "c"}, {"a", "a", "", "a"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.left) + c.replaced + c.start);
    auto dialog = MakeDialog();
    dialog->SetDirectory(Folder(c.left));
    OpenRequest request;
    request.replacedFolder = Folder(c.replaced);
    request.startFolder = *c.start == '\0' ? QString() : Folder(c.start);
    QString seen;
    dialog->SetRunner([&seen](TfrmOpen& run) {
      seen = run.Directory();
      return false;
    });
    EXPECT_EQ(dialog->Execute(request), std::nullopt);
    EXPECT_EQ(seen, Folder(c.expected));
  }
}

// A folder that is gone shows its nearest existing parent.
TEST_F(OpenDialogTest, NavigatesUpOneLevelAndIntoAFolder) {
  const QString root = Folder("root");
  const QString sub = Folder("root/sub");
  auto dialog = Started(sub + "/gone/deeper");
  EXPECT_EQ(dialog->FileList()->Folder(), sub);
  QTest::mouseClick(dialog->BtLevUp(), Qt::LeftButton);
  EXPECT_EQ(dialog->FileList()->Folder(), root);
  EXPECT_EQ(dialog->PnDir()->Caption(), root);
  EXPECT_EQ(dialog->DirList()->SelectedFolder(), root);

  ClickEntry(*dialog, QStringLiteral("sub"), true);
  EXPECT_EQ(dialog->FileList()->Folder(), sub);
  EXPECT_TRUE(dialog->isVisible());

  dialog->reject();
  EXPECT_EQ(dialog->Directory(), sub) << "the folder is kept for the next run";
}

TEST(FileFilter, ParsesPairsMatchesEitherLetterCaseAndCompletesTypedNames) {
  const QList<FileFilterItem> items =
      ParseFileFilter(QStringLiteral("Tinto Files (*.tin)|*.tin|All files (*.*)|*.*|Lone"));
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0].description, QStringLiteral("Tinto Files (*.tin)"));
  EXPECT_EQ(items[1].masks, QStringLiteral("*.*"));
  EXPECT_EQ(items[2].description, QStringLiteral("Lone"));
  EXPECT_TRUE(items[2].masks.isEmpty());
  EXPECT_EQ(CaseInsensitiveMasks(QStringLiteral("*.jpg;;*.od?;*.*")),
            (QStringList{QStringLiteral("*.[jJ][pP][gG]"), QStringLiteral("*.[oO][dD]?"),
                         QStringLiteral("*.*")}));
  // Qt's form writes the masks in parentheses, "*.*" as "*".
  const std::pair<const char*, const char*> qtForms[] = {
      {"Tinto Files (*.tin)|*.tin|All files (*.*)|*.*", "Tinto Files (*.tin);;All files (*)"},
      {"Skin Files (*.ini,*.ods)|*.ini;*.ods", "Skin Files (*.ini *.ods)"},
      {"", ""}};
  for (const auto& [text, expected] : qtForms) EXPECT_EQ(QtNameFilters(L(text)), L(expected));
  // The filter text is the document filter of the Open command; ".od" occurs inside ".od0".
  const QString filter = QStringLiteral(
      "Tinto Files (*.tin)|*.tin|Ondrel Files (*.od0;*.od1)|*.od0;*.od1|All files (*.*)|*.*");
  const std::pair<const char*, bool> fitting[] = {
      {"frame.od1", true}, {"frame.od", true}, {"old.TIN", false}, {"noextension", false}};
  for (const auto& [name, fits] : fitting) EXPECT_EQ(ExtensionFitsFilter(L(name), filter), fits);
  // A typed name gets the last mask's extension only without a dot of its own.
  const std::array<const char*, 4> typedNames[] = {
      {"/pics", "/home/art/cat", "*.tin", "/home/art/cat.tin"},
      {"/pics/", "photo", "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf", "/pics/photo.wmf"},
      {"/docs", "photo", "*.od?", "/docs/photo.od?"},
      {"/", "photo", "*.tin", "/photo.tin"},
      {"/docs", "photo", "", "/docs/photo"}};
  for (const auto& [folder, typed, masks, expected] : typedNames)
    EXPECT_EQ(TypedNamePath(L(folder), L(typed), L(masks)), L(expected)) << folder << typed;
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("/a.b/c/photo.jpg")), QStringLiteral("photo.jpg"));
  EXPECT_EQ(NameWithoutFolder(QStringLiteral("/a/")), QString());
}

QString Clean(const std::filesystem::path& path) {
  return QDir::cleanPath(QString::fromStdString(path.string()));
}

TRollUpPanel* TreePanel(QFileDialog& dialog) {
  return dialog.findChild<TRollUpPanel*>(QStringLiteral("pnDir"));
}

// The overwrite question is left to the main window, which asks it once.
TEST(SaveDialog, SavesTintoFilesStartingInTheFolderOfTheLastSave) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path() / "sub");
  TSaveDialog save;
  save.SetRunner(TSaveDialog::ScriptedName(Clean(dir.Path() / "sub" / "a.tin")));
  ASSERT_FALSE(save.Execute().isEmpty());
  QStringList seen;
  save.SetRunner([&](QFileDialog& dialog) {
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    seen = {dialog.nameFilters().value(0), dialog.directory().absolutePath(),
            TreePanel(dialog)->Caption()};
    return false;
  });
  EXPECT_TRUE(save.Execute().isEmpty());
  EXPECT_EQ(seen, QStringList({"Tinto Files (*.tin)", Clean(dir.Path() / "sub"),
                               Clean(dir.Path() / "sub")}));
}

TEST(SaveDialog, StartsInTheGivenRollStateAndReportsTheUsersChange) {
  for (const bool rolledAtStart : {false, true}) {
    TSaveDialog save;
    save.SetTreeRolledUp(rolledAtStart);
    bool shownRolled = !rolledAtStart;
    save.SetRunner([&](QFileDialog& dialog) {
      TRollUpPanel* panel = TreePanel(dialog);
      if (panel == nullptr) return false;
      dialog.show();
      shownRolled = panel->RolledUp();
      QTest::mouseClick(panel->RollButton(), Qt::LeftButton);
      return false;
    });
    save.Execute();
    EXPECT_EQ(shownRolled, rolledAtStart);
    EXPECT_EQ(save.TreeRolledUp(), !rolledAtStart);
  }
}

}  // namespace
}  // namespace tinto::test
