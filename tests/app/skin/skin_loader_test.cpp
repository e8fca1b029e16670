#include "app/skin/skin_loader.h"

#include <sys/stat.h>

#include "app/gui_test.h"
#include "app/skin/resource_check.h"
#include "app/skin/sheet_images.h"
#include "app/skin/skin_data.h"

namespace tinto::test {
namespace {

constexpr const char* kSheet = "QWidget { color: #123456; }";

class SkinLoaderTest : public ::testing::Test {
 protected:
  void TearDown() override { qApp->setStyleSheet({}); }

  QString Path(const std::string& name) const { return QString::fromStdString(m_dir.File(name)); }
  QString WriteStoredSkin(const std::string& name, const std::string& sheetName) {
    WriteAll(m_dir.File(name), "[Skin]\nName=Probe\nAuthor=A. Author\nStyleSheet=" + sheetName +
                                   "\nCaptionHeight=30\n");
    return Path(name);
  }
  // Whether a skin whose sheet is `sheet` is applied over the one that is on.
  bool Applies(const std::string& sheet) {
    WriteAll(m_dir.File("try.qss"), sheet);
    LoadSkinFile(m_skin, WriteStoredSkin("try.ini", "try.qss"));
    const bool applied = qApp->styleSheet() != kSheet;
    LoadSkinFile(m_skin, WriteStoredSkin("probe.ini", "probe.qss"));
    return applied;
  }
  void SavePng(const std::string& name, int width, int height) {
    ASSERT_TRUE(QImage(width, height, QImage::Format_Mono).save(Path(name)));
  }

  TempDir m_dir;
  SkinData m_skin;
};

TEST(SkinFileKind, FollowsTheLastExtensionWithLetterCaseCounting) {
  const std::pair<const char*, SkinFileKind> cases[] = {
      {"skins/dark.ini", SkinFileKind::Stored},     {"/a/b/maroon.ods", SkinFileKind::Compressed},
      {"maroon.ODS", SkinFileKind::Other},          {"dark.ini.bak", SkinFileKind::Other},
      {"C:\\skins.ods\\dark", SkinFileKind::Other},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(KindOfSkinFile(path), kind) << path;
}

TEST_F(SkinLoaderTest, MissingFileSwitchesTheSkinOffAndOtherExtensionsKeepIt) {
  WriteAll(m_dir.File("probe.qss"), kSheet);
  EXPECT_TRUE(LoadSkinFile(m_skin, WriteStoredSkin("probe.ini", "probe.qss")));
  EXPECT_EQ(m_skin.Info().author, "A. Author");
  EXPECT_EQ(m_skin.CaptionHeight(), 30);
  EXPECT_EQ(qApp->styleSheet(), kSheet);
  WriteAll(m_dir.File("other.INI"), "[Skin]\nName=Other\nStyleSheet=probe.qss\n");
  EXPECT_TRUE(LoadSkinFile(m_skin, Path("other.INI")));
  EXPECT_EQ(m_skin.Info().name, "Probe");
  for (const QString& missing : {QString(), Path("gone.ini")}) {
    EXPECT_FALSE(LoadSkinFile(m_skin, missing));
    EXPECT_FALSE(m_skin.Active());
    EXPECT_EQ(m_skin.CaptionHeight(), 22);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
  }
}

TEST_F(SkinLoaderTest, RelativeImagesResolveBesideTheDescription) {
  WriteAll(m_dir.File("probe.qss"), "QMenuBar { background-image: url(img/bar.png); }");
  std::filesystem::create_directory(m_dir.File("img"));
  ASSERT_TRUE(QImage(4, 4, QImage::Format_Mono).save(Path("img/bar.png")));
  LoadSkinFile(m_skin, WriteStoredSkin("probe.ini", "probe.qss"));
  EXPECT_TRUE(qApp->styleSheet().contains(
      QString("url(\"%1/img/bar.png\")").arg(QString::fromStdString(m_dir.Path().string()))));
}

// Missing, empty and broken sheets, FIFOs (opened without blocking), compressed skins that are
// no resource.
TEST_F(SkinLoaderTest, UnreadableSkinsLeaveThePreviousSkin) {
  WriteAll(m_dir.File("probe.qss"), kSheet);
  LoadSkinFile(m_skin, WriteStoredSkin("probe.ini", "probe.qss"));
  WriteAll(m_dir.File("empty.qss"), "");
  WriteAll(m_dir.File("broken.qss"), "QWidget { color: red; ");
  WriteAll(m_dir.File("random.ods"), "\x13\x99 not a resource at all");
  WriteAll(m_dir.File("empty.ods"), "");
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.qss").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.ods").c_str(), 0600), 0);
  const QString bad[] = {WriteStoredSkin("nosheet.ini", "missing.qss"),
                         WriteStoredSkin("nosheetname.ini", ""),
                         WriteStoredSkin("emptysheet.ini", "empty.qss"),
                         WriteStoredSkin("brokensheet.ini", "broken.qss"),
                         WriteStoredSkin("fifosheet.ini", "fifo.qss"),
                         Path("random.ods"),
                         Path("empty.ods")};
  for (const QString& path : bad) {
    EXPECT_TRUE(LoadSkinFile(m_skin, path)) << path.toStdString();
    EXPECT_EQ(m_skin.Info().name, "Probe") << path.toStdString();
    EXPECT_EQ(qApp->styleSheet(), kSheet) << path.toStdString();
  }
  EXPECT_FALSE(LoadSkinFile(m_skin, Path("fifo.ods")));
}

// The pictures a sheet names are checked from their headers: at most 1024 a side, 16 MB for
// all of them decoded, known types only, regular files only.
TEST_F(SkinLoaderTest, SheetsNamingPicturesTooLargeOrOfUnknownKindAreRefused) {
  WriteAll(m_dir.File("probe.qss"), kSheet);
  LoadSkinFile(m_skin, WriteStoredSkin("probe.ini", "probe.qss"));
  SavePng("wide.png", 1025, 1);
  SavePng("big.png", 2000, 2000);
  for (const char* name : {"a", "b", "c", "d", "e"})
    SavePng(std::string(name) + ".png", 1024, 1024);
  WriteAll(m_dir.File("text.png"), "not a picture");
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.png").c_str(), 0600), 0);
  const std::string four =
      "QWidget { background-image: url(a.png); } QMenu { border-image: "
      "url('b.png') } QMenuBar { image: URL(\"c.png\") } QLabel { image: url(d.png) }";
  EXPECT_TRUE(Applies(four));  // 4 x 4 MB exactly, sides of 1024
  const std::string refused[] = {
      four + " QLineEdit { image: url(e.png) }",
      "QWidget { background-image: url(wide.png); }",
      "QWidget { background-image: url(big.png); }",
      "QWidget { background-image: url(text.png); }",
      "QWidget { background-image: url(fifo.png); }",
      "QWidget { background-image: url(missing.png); }",
      "QWidget { background-image: url(/dev/zero); }",
      "QWidget { background-image: \\75 rl(big.png); }",
      "QWidget { background-image: url(\"big).png\"); }",
  };
  for (const std::string& sheet : refused) EXPECT_FALSE(Applies(sheet)) << sheet;
}

// The shipped compressed skin, built by rcc, loads; every truncation of it and random bytes
// are refused without touching memory beyond the file.
class CompressedSkinTest : public SkinLoaderTest {
 protected:
  QByteArray BuildResource() {
    WriteAll(m_dir.File("skin.ini"), "[Skin]\nName=Packed\nStyleSheet=packed.qss\n");
    WriteAll(m_dir.File("packed.qss"), "QMenuBar { background-image: url(bar.png); }");
    EXPECT_TRUE(QImage(8, 8, QImage::Format_Mono).save(Path("bar.png")));
    WriteAll(m_dir.File("skin.qrc"),
             "<RCC><qresource prefix=\"/\"><file>skin.ini</file><file>packed.qss</file>"
             "<file>bar.png</file></qresource></RCC>");
    QProcess rcc;
    rcc.setWorkingDirectory(QString::fromStdString(m_dir.Path().string()));
    rcc.start(QStringLiteral(TINTO_RCC_PATH),
              {"--binary", "--compress-algo", "zlib", "-o", Path("packed.ods"), Path("skin.qrc")});
    EXPECT_TRUE(rcc.waitForFinished());
    QFile built(Path("packed.ods"));
    EXPECT_TRUE(built.open(QIODevice::ReadOnly));
    return built.readAll();
  }
};

TEST_F(CompressedSkinTest, LoadsFromItsOwnResourceRoot) {
  ASSERT_FALSE(BuildResource().isEmpty());
  EXPECT_TRUE(LoadSkinFile(m_skin, Path("packed.ods")));
  EXPECT_EQ(m_skin.Info().name, "Packed");
  EXPECT_TRUE(qApp->styleSheet().contains(":/tinto-skin-"));
  EXPECT_TRUE(qApp->styleSheet().contains("/bar.png"));
}

TEST_F(CompressedSkinTest, RefusesTruncatedAndRandomResources) {
  const QByteArray whole = BuildResource();
  ASSERT_TRUE(UnpackedResource(whole));
  for (qsizetype size = 0; size < whole.size(); ++size)
    EXPECT_FALSE(UnpackedResource(whole.left(size))) << size;
  QByteArray random(4096, '\0');
  QRandomGenerator generator(11);
  for (int round = 0; round < 50; ++round) {
    for (char& byte : random) byte = static_cast<char>(generator.bounded(256));
    random.replace(0, 4, "qres");
    EXPECT_FALSE(UnpackedResource(random));
  }
}

}  // namespace
}  // namespace tinto::test
