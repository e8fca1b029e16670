#pragma once
// The loader tests' reference pictures (tests/data/picture), helpers to read pixels of the
// results, and checks shared by the loaders' failure tests.

#include <functional>

#include "core/model/bitmap.h"
#include "core/status.h"
#include "support/test_common.h"

namespace tinto::test {

// Path and bytes of a reference file in tests/data/picture.
std::string DataPath(const std::string& name);
std::string DataBytes(const std::string& name);

// (red, green, blue) of a bitmap pixel.
struct Color {
  int r, g, b;
  bool operator==(const Color&) const = default;
};

Color PixelAt(const Bitmap24& bitmap, int x, int y);
// True when every component differs by at most `tolerance`.
bool Near(Color a, Color b, int tolerance);

// Expects `load` to fail with a "too large" message (how fast, scripts/measure_bombs.py measures).
void ExpectRefusedAsTooLarge(const std::function<Status()>& load);
// Renders every cut (in steps of `step` bytes) and every byte of `whole` set to a few damaging
// values: each must give a non-empty picture or an error, never a crash.
void ExpectSurvivesDamage(const std::string& whole, std::size_t step,
                          const std::function<Status(const std::string&, Bitmap24&)>& render);

}  // namespace tinto::test
