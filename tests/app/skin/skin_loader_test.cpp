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

  QString Path(const std::string& name) const { return Q(m_dir.File(name)); }
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

// The kind follows the last extension, its letter case counting.
TEST_F(SkinLoaderTest, MissingFileSwitchesTheSkinOffAndOtherExtensionsKeepIt) {
  const std::pair<const char*, SkinFileKind> cases[] = {
      {"skins/dark.ini", SkinFileKind::Stored},     {"/a/b/maroon.ods", SkinFileKind::Compressed},
      {"maroon.ODS", SkinFileKind::Other},          {"dark.ini.bak", SkinFileKind::Other},
      {"C:\\skins.ods\\dark", SkinFileKind::Other},
  };
  for (const auto& [path, kind] : cases) EXPECT_EQ(KindOfSkinFile(path), kind) << path;
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

// A compressed skin built by rcc, as the shipped ones are, loads from its own resource root;
// every truncation of it and random bytes are refused without touching memory beyond the file.
TEST_F(SkinLoaderTest, CompressedSkinLoadsAndTruncatedOrRandomResourcesAreRefused) {
  WriteAll(m_dir.File("skin.ini"), "[Skin]\nName=Packed\nStyleSheet=packed.qss\n");
  WriteAll(m_dir.File("packed.qss"), "QMenuBar { background-image: url(bar.png); }");
  SavePng("bar.png", 8, 8);
  WriteAll(m_dir.File("skin.qrc"),
           "<RCC><qresource prefix=\"/\"><file>skin.ini</file><file>packed.qss</file>"
           "<file>bar.png</file></qresource></RCC>");
  QProcess rcc;
  rcc.setWorkingDirectory(Q(m_dir.Path().string()));
  rcc.start(QStringLiteral(TINTO_RCC_PATH),
            {"--binary", "--compress-algo", "zlib", "-o", Path("packed.ods"), Path("skin.qrc")});
  ASSERT_TRUE(rcc.waitForFinished());
  EXPECT_TRUE(LoadSkinFile(m_skin, Path("packed.ods")));
  EXPECT_EQ(m_skin.Info().name, "Packed");
  EXPECT_TRUE(qApp->styleSheet().contains(":/tinto-skin-"));
  EXPECT_TRUE(qApp->styleSheet().contains("/bar.png"));

  const QByteArray whole = QByteArray::fromStdString(ReadAll(m_dir.File("packed.ods")));
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

// Compressed skins made to hurt: entries that claim or unpack to too much, folders nested too
// deep or looping.

// One entry of a resource tree as rcc writes it (format 3); entry 0 is the root folder.
struct TreeEntry {
  bool folder = false;
  quint32 count = 0, first = 0;  // a folder's children: entries first .. first + count - 1
  quint16 flags = 0;             // a file's compression: 1 zlib, 4 zstd
  QByteArray data;               // a file's stored bytes
};

// Every entry is named "n"; names are not looked at by the checks under test.
QByteArray Resource(const std::vector<TreeEntry>& entries) {
  QByteArray tree, data;
  QDataStream treeOut(&tree, QIODevice::WriteOnly), dataOut(&data, QIODevice::WriteOnly);
  for (const TreeEntry& entry : entries) {
    treeOut << quint32{0} << quint16(entry.folder ? 2 : entry.flags);
    if (entry.folder) treeOut << entry.count << entry.first << quint64{0};
    if (!entry.folder) treeOut << quint32{0} << quint32(data.size()) << quint64{0};
    if (!entry.folder) dataOut << entry.data;  // its length, then its bytes
  }
  const QByteArray names("\0\x01\0\0\0\0\0n", 8);
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.writeRawData("qres", 4);
  out << quint32{3} << quint32(24 + 8) << quint32(24 + 8 + tree.size()) << quint32{24}
      << quint32{0};
  return bytes + names + tree + data;
}

TreeEntry Folder(quint32 count, quint32 first) { return {true, count, first, 0, {}}; }

QByteArray OneFile(quint16 flags, const QByteArray& stored) {
  return Resource({Folder(1, 1), {false, 0, 0, flags, stored}});
}

// A zstd frame header declaring `size` bytes (single segment, 8-byte size), or none at all.
QByteArray ZstdHeader(std::optional<quint64> size) {
  QByteArray frame("\x28\xB5\x2F\xFD", 4);
  if (!size) return frame + QByteArray("\x00\x58", 2);  // a window size, no content size
  frame.append('\xE0');
  for (int i = 0; i < 8; ++i) frame.append(static_cast<char>(*size >> (8 * i)));
  return frame + QByteArray("\x01\x00\x00", 3);
}

TEST(ResourceCheck, UnpacksWithinItsLimitsAndOnlyThere) {
  const QByteArray text(3000, 'a');
  const std::optional<QByteArray> unpacked = UnpackedResource(OneFile(1, qCompress(text)));
  ASSERT_TRUE(unpacked);
  // The entry points at the appended plain bytes and says it is not compressed.
  EXPECT_TRUE(unpacked->endsWith(text));
  EXPECT_EQ(unpacked->at(24 + 8 + 22 + 5), '\0');

  QByteArray understated = qCompress(QByteArray(1 << 20, '\0'));
  understated.replace(0, 4, QByteArray("\0\0\x03\xE8", 4));  // says 1000 bytes
  const QByteArray refused[] = {
      OneFile(1, qCompress(QByteArray(kMaxUnpackedFile + 1, '\0'))),
      OneFile(1, understated),
      OneFile(1, QByteArray("\0\0", 2)),
      OneFile(4, ZstdHeader(64ull << 30)),
      OneFile(4, ZstdHeader(std::nullopt)),
      OneFile(4, ZstdHeader(100)),  // declares 100 bytes, holds none
      OneFile(8, "plain"),          // an unknown flag
  };
  for (const QByteArray& bytes : refused) EXPECT_FALSE(UnpackedResource(bytes));
  // Each file within its limit, all together over theirs.
  std::vector<TreeEntry> many{Folder(9, 1)};
  for (int i = 0; i < 9; ++i)
    many.push_back({false, 0, 0, 1, qCompress(QByteArray(kMaxUnpackedFile, 'x'))});
  EXPECT_FALSE(UnpackedResource(Resource(many)));
}

// Folders inside folders: 64 deep is read, 65 is refused; an entry listed by two folders, or a
// folder listing itself, is refused.
TEST(ResourceCheck, RefusesTreesTooDeepOrLooping) {
  const auto chain = [](int depth) {
    std::vector<TreeEntry> entries;
    for (quint32 i = 0; i < static_cast<quint32>(depth); ++i) entries.push_back(Folder(1, i + 1));
    entries.push_back({false, 0, 0, 0, "leaf"});
    return Resource(entries);
  };
  EXPECT_TRUE(UnpackedResource(chain(kMaxResourceDepth)));
  EXPECT_FALSE(UnpackedResource(chain(kMaxResourceDepth + 1)));
  EXPECT_FALSE(UnpackedResource(chain(100000)));
  EXPECT_FALSE(UnpackedResource(Resource({Folder(2, 1), Folder(1, 2), {false, 0, 0, 0, "x"}})));
  EXPECT_FALSE(UnpackedResource(Resource({Folder(1, 1), Folder(1, 1)})));
}

// The 208-byte skin that once ended the editor: a zstd entry claiming 64 GiB.
TEST(ResourceCheck, ACompressedSkinClaimingTooMuchIsNotLoaded) {
  TempDir dir;
  WriteAll(dir.File("bomb.ods"), OneFile(4, ZstdHeader(64ull << 30)).toStdString());
  SkinData skin;
  LoadSkinFile(skin, QString::fromStdString(dir.File("bomb.ods")));
  EXPECT_FALSE(skin.Active());
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

}  // namespace
}  // namespace tinto::test
