// Skins made to hurt: compressed entries that claim or unpack to too much, folders nested too
// deep, style sheets naming huge, foreign or blocking pictures, and FIFOs where files belong.
// Each is refused as an invalid skin is: the skin that was on stays.
#include <sys/stat.h>

#include "app/gui_test.h"
#include "app/skin/resource_check.h"
#include "app/skin/skin_data.h"
#include "app/skin/skin_loader.h"

namespace tinto::test {
namespace {

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

class HostileSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteAll(m_dir.File("good.qss"), "QWidget { color: #123456; }");
    ASSERT_TRUE(LoadSkinFile(m_skin, Skin("good", "good.qss")));
    ASSERT_EQ(m_skin.Info().name, "good");
  }
  void TearDown() override { qApp->setStyleSheet({}); }

  QString Path(const std::string& name) const { return QString::fromStdString(m_dir.File(name)); }
  QString Skin(const std::string& name, const std::string& sheet) {
    WriteAll(m_dir.File(name + ".ini"), "[Skin]\nName=" + name + "\nStyleSheet=" + sheet + "\n");
    return Path(name + ".ini");
  }
  // A skin whose sheet is `sheet`; whether it was applied.
  bool Applies(const std::string& sheet) {
    WriteAll(m_dir.File("probe.qss"), sheet);
    LoadSkinFile(m_skin, Skin("probe", "probe.qss"));
    const bool applied = m_skin.Info().name == "probe";
    LoadSkinFile(m_skin, Skin("good", "good.qss"));
    return applied;
  }
  void SavePng(const std::string& name, int width, int height) {
    ASSERT_TRUE(QImage(width, height, QImage::Format_Mono).save(Path(name)));
  }

  TempDir m_dir;
  SkinData m_skin;
};

// The pictures a sheet names are checked from their headers: at most 1024 a side, 16 MB for
// all of them decoded, known types only, regular files only.
TEST_F(HostileSkinTest, SheetsNamingPicturesTooLargeOrOfUnknownKindAreRefused) {
  SavePng("side.png", 1024, 1024);
  SavePng("wide.png", 1025, 1);
  SavePng("big.png", 2000, 2000);
  for (const char* name : {"a", "b", "c", "d", "e"})
    SavePng(std::string(name) + ".png", 1024, 1024);
  WriteAll(m_dir.File("text.png"), "not a picture");
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.png").c_str(), 0600), 0);
  const std::string four =
      "QWidget { background-image: url(a.png); } QMenu { border-image: "
      "url('b.png') } QMenuBar { image: URL(\"c.png\") } QLabel { image: "
      "url(d.png) }";
  EXPECT_TRUE(Applies("QWidget { background-image: url(side.png); }"));
  EXPECT_TRUE(Applies(four));  // 4 x 4 MB exactly
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

// A FIFO is opened without blocking and refused, wherever it stands in a skin.
TEST_F(HostileSkinTest, FifosInPlaceOfSkinFilesAreRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.qss").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(m_dir.File("fifo.ods").c_str(), 0600), 0);
  EXPECT_TRUE(LoadSkinFile(m_skin, Skin("sheetfifo", "fifo.qss")));
  EXPECT_EQ(m_skin.Info().name, "good");
  EXPECT_FALSE(LoadSkinFile(m_skin, Path("fifo.ods")));
}

// The 208-byte skin that once ended the editor: a zstd entry claiming 64 GiB.
TEST_F(HostileSkinTest, ACompressedSkinClaimingTooMuchIsRefused) {
  WriteAll(m_dir.File("bomb.ods"), OneFile(4, ZstdHeader(64ull << 30)).toStdString());
  EXPECT_TRUE(LoadSkinFile(m_skin, Path("bomb.ods")));
  EXPECT_EQ(m_skin.Info().name, "good");
}

// The skin fuzzer's seeds are the shipped skins in its input form (".ods" files, and ".ini"
// descriptions followed by a NUL byte and their sheet, "stripe.png" beside them): every one of
// them must apply.
TEST_F(HostileSkinTest, EverySeedOfTheSkinFuzzerApplies) {
  int seeds = 0;
  SavePng("stripe.png", 8, 8);
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(TINTO_FUZZ_CORPUS_DIR) + "/skin")) {
    const std::string bytes = ReadAll(entry.path().string());
    const std::size_t split = bytes.find('\0');
    const bool packed = entry.path().extension() == ".ods";
    WriteAll(m_dir.File("seed.ods"), bytes);
    if (!packed) {
      WriteAll(m_dir.File("seed.ini"), bytes.substr(0, split));
      WriteAll(m_dir.File("sheet.qss"), bytes.substr(split + 1));
    }
    m_skin.SwitchOff();
    EXPECT_TRUE(LoadSkinFile(m_skin, Path(packed ? "seed.ods" : "seed.ini")));
    EXPECT_TRUE(m_skin.Active() && !m_skin.Info().name.isEmpty()) << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 4);
}

}  // namespace
}  // namespace tinto::test
