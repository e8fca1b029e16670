#pragma once
// Little-endian fields of metafile records. The caller has checked that the bytes exist.

#include <cstdint>

namespace tinto {

inline std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int16_t ReadI16(const std::uint8_t* p) { return static_cast<std::int16_t>(ReadU16(p)); }
inline std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(ReadU16(p)) |
         (static_cast<std::uint32_t>(ReadU16(p + 2)) << 16);
}
inline std::int32_t ReadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadU32(p)); }

}  // namespace tinto
