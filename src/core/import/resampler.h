#pragma once
// Separable two-pass filtered resampling of 24-bit bitmaps. All weights and sums are single
// precision, every sum rounded back to float after each addition, in the contributors' order, so
// results are reproducible to the bit on any machine that compiles this without FMA contraction.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/import/resample_filter.h"
#include "core/model/bitmap.h"
#include "core/status.h"

namespace tinto {

struct Contributor {
  int pixel;  // source column (first pass) or work row (second pass)
  float weight;
};

// One contributor list per destination column or row, stored one after another.
class ContributorLists {
 public:
  // Starts the list of the next destination position; Add appends to it.
  void BeginList() { m_ends.push_back(m_ends.empty() ? 0 : m_ends.back()); }
  void Add(Contributor contributor);
  void Reserve(std::size_t contributors) { m_contributors.reserve(contributors); }

  int Count() const { return static_cast<int>(m_ends.size()); }
  std::size_t Total() const { return m_contributors.size(); }
  // Precondition: 0 <= index < Count().
  std::span<const Contributor> List(int index) const;

 private:
  std::vector<Contributor> m_contributors;
  std::vector<std::size_t> m_ends;
};

// dst / src when either size is 1 (a one-pixel destination would otherwise get scale 0 and an
// infinite window), else (dst - 1) / (src - 1), so that the first and last pixels line up.
float ResampleScale(int sourceSize, int destinationSize);

// Lists for `destinationSize` positions from a source of `sourceSize` pixels. Only non-zero
// weights are kept, in increasing window order; weights are not normalised. Positions left of
// the source are mirrored (-j), right of it mirrored about the edge (2*size - j - 1), and what a
// narrow source still leaves outside is clamped to the nearest edge, so every pixel lies in
// 0..sourceSize-1. Preconditions: sizes >= 1, filter not null, 0 <= support <= kMaxFilterSupport.
ContributorLists BuildContributors(int sourceSize, int destinationSize, FilterFunction filter,
                                   float support);

// The stored value of a weighted sum: 255 above 255, 0 below 0 (and for NaN), else rounded to
// the nearest integer with halves to even.
std::uint8_t ClampToByte(float sum);

inline constexpr int kAutoThreads = 0;

// First pass: row y of `source` into row y of `work`, work column i from columns.List(i).
// Preconditions: work is columns.Count() x source.Height(); every pixel < source.Width().
void HorizontalPass(const Bitmap24& source, const ContributorLists& columns, Bitmap24& work,
                    int threads = kAutoThreads);
// Second pass: destination row j from rows.List(j) of `work`, column by column.
// Preconditions: destination is work.Width() x rows.Count(); every pixel < work.Height().
void VerticalPass(const Bitmap24& work, const ContributorLists& rows, Bitmap24& destination,
                  int threads = kAutoThreads);

// The work memory a resample may take besides its source and destination: the first pass's
// rows (3 bytes a pixel) and their floats (12 bytes a pixel) for a band of destination rows.
inline constexpr std::size_t kResampleWorkBudget = std::size_t{256} << 20;

// Fills `destination`, whose size the caller has set and which stays that size, with `source`
// resampled through `filter`. Fails with "Source bitmap too small" for an empty source, leaving
// the destination untouched; a null filter, a support outside 0..kMaxFilterSupport and a work
// bitmap that cannot be allocated fail too. An empty destination is left as it is. `threads` =
// kAutoThreads splits large pictures over the machine's cores; any count gives bit-identical
// results. The second pass runs over bands of destination rows whose work takes at most
// `workBudget` bytes, with bit-identical results for any budget; when one destination row alone
// needs more, the resample fails with "Resampling needs more than N MB of work memory" before
// anything is written.
Status Stretch(const Bitmap24& source, Bitmap24& destination, FilterFunction filter, float support,
               int threads = kAutoThreads, std::size_t workBudget = kResampleWorkBudget);
Status Stretch(const Bitmap24& source, Bitmap24& destination, const ResampleFilter& filter,
               int threads = kAutoThreads);

}  // namespace tinto
