#include "app/skin/resource_check.h"

#include <QtEndian>
#include <cstdint>
#include <vector>

namespace {

constexpr std::uint16_t kDirectoryFlag = 0x02;
// zlib (0x01) and zstd (0x04) compression; QResource itself refuses what it cannot unpack.
constexpr std::uint16_t kCompressionFlags = 0x01 | 0x04;
constexpr std::uint16_t kKnownFileFlags = kCompressionFlags | kDirectoryFlag;

class ResourceReader {
 public:
  explicit ResourceReader(const QByteArray& bytes) : m_bytes(bytes) {}

  bool Check() {
    if (!Fits(0, 20) || !m_bytes.startsWith("qres")) return false;
    m_version = U32(4);
    if (m_version < 1 || m_version > 3) return false;
    m_tree = U32(8);
    m_data = U32(12);
    m_names = U32(16);
    if (m_version >= 3 && (!Fits(20, 4) || (U32(20) & ~std::uint32_t{kCompressionFlags}) != 0))
      return false;
    m_entrySize = m_version == 1 ? 14 : 22;
    return CheckDirectory(0);
  }

 private:
  bool Fits(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && offset + length <= m_bytes.size();
  }
  std::uint32_t U32(std::int64_t at) const {
    return qFromBigEndian<quint32>(m_bytes.constData() + at);
  }
  std::uint16_t U16(std::int64_t at) const {
    return qFromBigEndian<quint16>(m_bytes.constData() + at);
  }

  bool CheckName(std::uint32_t offset) const {
    const std::int64_t at = std::int64_t{m_names} + offset;
    return Fits(at, 6) && Fits(at + 6, 2 * std::int64_t{U16(at)});
  }

  bool CheckEntry(std::uint32_t index) {
    // Every entry is visited once at most; a tree pointing back at itself is refused.
    if (index >= m_visited.size()) m_visited.resize(index + 1, false);
    if (m_visited[index]) return false;
    m_visited[index] = true;
    const std::int64_t at = std::int64_t{m_tree} + std::int64_t{index} * m_entrySize;
    if (!Fits(at, m_entrySize) || !CheckName(U32(at))) return false;
    const std::uint16_t flags = U16(at + 4);
    if (flags & ~kKnownFileFlags) return false;
    if (flags & kDirectoryFlag) return CheckDirectory(index);
    const std::int64_t data = std::int64_t{m_data} + U32(at + 10);
    return Fits(data, 4) && Fits(data + 4, U32(data));
  }

  bool CheckDirectory(std::uint32_t index) {
    const std::int64_t at = std::int64_t{m_tree} + std::int64_t{index} * m_entrySize;
    if (!Fits(at, m_entrySize) || !(U16(at + 4) & kDirectoryFlag)) return false;
    if (index == 0) m_visited.assign(1, true);
    const std::uint32_t count = U32(at + 6);
    const std::uint32_t first = U32(at + 10);
    if (count > static_cast<std::uint32_t>(m_bytes.size() / m_entrySize)) return false;
    for (std::uint32_t child = 0; child < count; ++child)
      if (first + child < first || !CheckEntry(first + child)) return false;
    return true;
  }

  const QByteArray& m_bytes;
  std::uint32_t m_version = 0;
  std::uint32_t m_tree = 0;
  std::uint32_t m_data = 0;
  std::uint32_t m_names = 0;
  int m_entrySize = 0;
  std::vector<bool> m_visited;
};

}  // namespace

bool IsWellFormedResource(const QByteArray& bytes) { return ResourceReader(bytes).Check(); }
