#include "core/model/picture_change.h"

#include <cstring>

namespace tinto {
namespace {

// Stretches of this many bytes are compared at once while looking for the next change: most
// of a picture is untouched by a step.
constexpr int kSkipChunk = 64;

std::uint8_t* BlockByte(ScreenBuffers& screen, int offset) {
  return offset < kBlockBytes ? &screen.Pixels()[offset] : &screen.Attrs()[offset - kBlockBytes];
}

const std::uint8_t* BlockByte(const ScreenBuffers& screen, int offset) {
  return offset < kBlockBytes ? &screen.Pixels()[offset] : &screen.Attrs()[offset - kBlockBytes];
}

}  // namespace

PictureChange PictureChange::Between(const PictureState& before, const ScreenBuffers& screen,
                                     const ScreenGeometry& geometry) {
  PictureChange change;
  change.AddRuns(before.screen.Pixels(), screen.Pixels(), 0);
  change.AddRuns(before.screen.Attrs(), screen.Attrs(), kBlockBytes);
  change.m_runs.shrink_to_fit();
  std::size_t total = 0;
  for (const Run& run : change.m_runs) total += run.length;
  change.m_before.reserve(total);
  change.m_after.reserve(total);
  for (const Run& run : change.m_runs) {
    const std::uint8_t* was = BlockByte(before.screen, run.offset);
    const std::uint8_t* now = BlockByte(screen, run.offset);
    change.m_before.insert(change.m_before.end(), was, was + run.length);
    change.m_after.insert(change.m_after.end(), now, now + run.length);
  }
  change.m_geometryBefore = before.geometry;
  change.m_geometryAfter = geometry;
  return change;
}

// Runs never cross from one block into the other: each block is searched alone.
void PictureChange::AddRuns(const ScreenBlock& before, const ScreenBlock& after, int base) {
  const std::uint8_t* a = before.data();
  const std::uint8_t* b = after.data();
  int i = 0;
  while (i < kBlockBytes) {
    while (i + kSkipChunk <= kBlockBytes && std::memcmp(a + i, b + i, kSkipChunk) == 0)
      i += kSkipChunk;
    while (i < kBlockBytes && a[i] == b[i]) ++i;
    if (i == kBlockBytes) return;
    int last = i;
    for (int j = i + 1; j < kBlockBytes && j - last <= kJoinGap; ++j)
      if (a[j] != b[j]) last = j;
    m_runs.push_back(
        {static_cast<std::uint16_t>(base + i), static_cast<std::uint16_t>(last + 1 - i)});
    i = last + 1;
  }
}

void PictureChange::PutBefore(ScreenBuffers& screen, ScreenGeometry& geometry) const {
  Put(m_before, screen);
  geometry = m_geometryBefore;
}

void PictureChange::PutAfter(ScreenBuffers& screen, ScreenGeometry& geometry) const {
  Put(m_after, screen);
  geometry = m_geometryAfter;
}

void PictureChange::Put(const std::vector<std::uint8_t>& bytes, ScreenBuffers& screen) const {
  std::size_t from = 0;
  for (const Run& run : m_runs) {
    std::memcpy(BlockByte(screen, run.offset), bytes.data() + from, run.length);
    from += run.length;
  }
}

std::size_t PictureChange::HeldBytes() const {
  return sizeof(PictureChange) + m_runs.capacity() * sizeof(Run) + m_before.capacity() +
         m_after.capacity();
}

}  // namespace tinto
