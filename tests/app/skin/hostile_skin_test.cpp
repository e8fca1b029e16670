// Compressed skins made to hurt: entries that claim or unpack to too much, folders nested too
// deep or looping.
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
