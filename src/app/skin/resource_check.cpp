#include "app/skin/resource_check.h"

#include <zlib.h>
#include <zstd.h>

#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint16_t kZlibFlag = 0x01;
constexpr std::uint16_t kDirectoryFlag = 0x02;
constexpr std::uint16_t kZstdFlag = 0x04;
constexpr std::uint16_t kCompressionFlags = kZlibFlag | kZstdFlag;
constexpr std::uint16_t kKnownFileFlags = kCompressionFlags | kDirectoryFlag;

// The unpacked bytes of one compressed file, or none. The declared size is checked first and
// is the size of the only buffer unpacking writes into.
std::optional<QByteArray> UnpackZlib(const char* data, qint64 size, qint64 limit) {
  if (size < 4) return std::nullopt;
  const std::uint32_t declared = qFromBigEndian<quint32>(data);
  if (declared > limit) return std::nullopt;
  QByteArray out(static_cast<qsizetype>(declared), Qt::Uninitialized);
  uLongf length = declared;
  const int result =
      ::uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                   reinterpret_cast<const Bytef*>(data + 4), static_cast<uLong>(size - 4));
  if (result != Z_OK || length != declared) return std::nullopt;
  return out;
}

std::optional<QByteArray> UnpackZstd(const char* data, qint64 size, qint64 limit) {
  const unsigned long long declared = ZSTD_getFrameContentSize(data, static_cast<size_t>(size));
  // A frame without a content size (or not a frame at all) is refused, not measured by unpacking.
  if (declared == ZSTD_CONTENTSIZE_UNKNOWN || declared == ZSTD_CONTENTSIZE_ERROR ||
      declared > static_cast<unsigned long long>(limit))
    return std::nullopt;
  QByteArray out(static_cast<qsizetype>(declared), Qt::Uninitialized);
  const size_t got =
      ZSTD_decompress(out.data(), static_cast<size_t>(declared), data, static_cast<size_t>(size));
  if (ZSTD_isError(got) || got != declared) return std::nullopt;
  return out;
}

class ResourceReader {
 public:
  explicit ResourceReader(const QByteArray& bytes) : m_bytes(bytes), m_result(bytes) {}

  std::optional<QByteArray> Unpack() {
    if (!Fits(0, 20) || !m_bytes.startsWith("qres")) return std::nullopt;
    const std::uint32_t version = U32(4);
    if (version < 1 || version > 3) return std::nullopt;
    m_tree = U32(8);
    m_data = U32(12);
    m_names = U32(16);
    if (version >= 3 && (!Fits(20, 4) || (U32(20) & ~std::uint32_t{kCompressionFlags}) != 0))
      return std::nullopt;
    m_entrySize = version == 1 ? 14 : 22;
    if (!WalkTree()) return std::nullopt;
    // Nothing compressed is left for QResource to unpack.
    if (version >= 3) qToBigEndian<quint32>(0, m_result.data() + 20);
    return m_result;
  }

 private:
  struct Pending {
    std::uint32_t index;
    int depth;
  };

  bool Fits(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && offset + length <= m_bytes.size();
  }
  std::uint32_t U32(std::int64_t at) const {
    return qFromBigEndian<quint32>(m_bytes.constData() + at);
  }
  std::uint16_t U16(std::int64_t at) const {
    return qFromBigEndian<quint16>(m_bytes.constData() + at);
  }
  std::int64_t EntryAt(std::uint32_t index) const {
    return std::int64_t{m_tree} + std::int64_t{index} * m_entrySize;
  }

  bool CheckName(std::uint32_t offset) const {
    const std::int64_t at = std::int64_t{m_names} + offset;
    return Fits(at, 6) && Fits(at + 6, 2 * std::int64_t{U16(at)});
  }

  // An explicit stack instead of recursion: a hostile file may nest folders very deep. Each
  // entry is claimed by the folder that lists it, so the walk does no more work than there are
  // entries, and a loop or an entry listed twice is refused.
  bool WalkTree() {
    const std::int64_t root = EntryAt(0);
    if (!Fits(root, m_entrySize) || !(U16(root + 4) & kDirectoryFlag)) return false;
    std::vector<bool> claimed(static_cast<std::size_t>(m_bytes.size() / m_entrySize) + 1, false);
    claimed[0] = true;
    std::vector<Pending> pending{{0, 0}};
    while (!pending.empty()) {
      const Pending entry = pending.back();
      pending.pop_back();
      const std::int64_t at = EntryAt(entry.index);
      if (!Fits(at, m_entrySize) || !CheckName(U32(at))) return false;
      const std::uint16_t flags = U16(at + 4);
      if (flags & ~kKnownFileFlags) return false;
      if (!(flags & kDirectoryFlag)) {
        if (!CheckFile(at, flags)) return false;
        continue;
      }
      if (entry.depth >= kMaxResourceDepth) return false;
      const std::uint32_t count = U32(at + 6);
      const std::uint32_t first = U32(at + 10);
      if (count > claimed.size() || first > claimed.size() - count) return false;
      for (std::uint32_t child = first; child < first + count; ++child) {
        if (claimed[child]) return false;
        claimed[child] = true;
        pending.push_back({child, entry.depth + 1});
      }
    }
    return true;
  }

  bool CheckFile(std::int64_t at, std::uint16_t flags) {
    const std::int64_t data = std::int64_t{m_data} + U32(at + 10);
    if (!Fits(data, 4) || !Fits(data + 4, U32(data))) return false;
    if (!(flags & kCompressionFlags)) return true;
    const char* packed = m_bytes.constData() + data + 4;
    const qint64 room = std::min(kMaxUnpackedFile, kMaxUnpackedTotal - m_unpackedTotal);
    const std::optional<QByteArray> unpacked = (flags & kZstdFlag)
                                                   ? UnpackZstd(packed, U32(data), room)
                                                   : UnpackZlib(packed, U32(data), room);
    if (!unpacked) return false;
    m_unpackedTotal += unpacked->size();
    // The entry now points at its unpacked bytes, appended with their length in front.
    const std::int64_t offset = m_result.size() - std::int64_t{m_data};
    if (offset > std::int64_t{UINT32_MAX}) return false;
    char length[4];
    qToBigEndian<quint32>(static_cast<quint32>(unpacked->size()), length);
    m_result.append(length, 4).append(*unpacked);
    qToBigEndian<quint16>(flags & ~kCompressionFlags, m_result.data() + at + 4);
    qToBigEndian<quint32>(static_cast<quint32>(offset), m_result.data() + at + 10);
    return true;
  }

  const QByteArray& m_bytes;
  QByteArray m_result;
  std::uint32_t m_tree = 0;
  std::uint32_t m_data = 0;
  std::uint32_t m_names = 0;
  int m_entrySize = 0;
  qint64 m_unpackedTotal = 0;
};

}  // namespace

std::optional<QByteArray> UnpackedResource(const QByteArray& bytes) {
  return ResourceReader(bytes).Unpack();
}
