#pragma once
// The four current colours of the colour panel: Ink 1 and Paper 1 belong to frame 0, Ink 2 and
// Paper 2 to frame 1. Inks use bits 0-2 and 6 of an attribute byte, papers bits 3-5 and 6.

#include <cstdint>

namespace tinto {

struct CurrentColors {
  std::uint8_t ink1 = 0;
  std::uint8_t paper1 = 0;
  std::uint8_t ink2 = 0;
  std::uint8_t paper2 = 0;

  // The attribute bytes the tools write into frame 0 and frame 1.
  std::uint8_t Attr0() const { return static_cast<std::uint8_t>(ink1 | paper1); }
  std::uint8_t Attr1() const { return static_cast<std::uint8_t>(ink2 | paper2); }

  bool operator==(const CurrentColors&) const = default;
};

}  // namespace tinto
