#include "core/import/resampler.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tinto {

void ContributorLists::Add(Contributor contributor) {
  m_contributors.push_back(contributor);
  ++m_ends.back();
}

std::span<const Contributor> ContributorLists::List(int index) const {
  const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
  return {m_contributors.data() + begin, m_ends[index] - begin};
}

float ResampleScale(int sourceSize, int destinationSize) {
  if (sourceSize == 1 || destinationSize == 1)
    return static_cast<float>(destinationSize) / static_cast<float>(sourceSize);
  return static_cast<float>(destinationSize - 1) / static_cast<float>(sourceSize - 1);
}

namespace {

// Window ends can exceed int only for absurd sizes; keeping them in range keeps the cast defined.
int WindowEnd(float value) {
  constexpr float kLimit = 1 << 30;
  return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

int SourcePosition(int j, int size) {
  long long position = j;
  if (position < 0)
    position = -position;
  else if (position >= size)
    position = 2LL * size - position - 1;
  return static_cast<int>(std::clamp<long long>(position, 0, size - 1));
}

}  // namespace

ContributorLists BuildContributors(int sourceSize, int destinationSize, FilterFunction filter,
                                   float support) {
  const float scale = ResampleScale(sourceSize, destinationSize);
  const bool shrinking = scale < 1.0f;
  // Stretching keeps the filter as it is; dividing by an fscale of exactly 1 changes nothing.
  const float window = shrinking ? support / scale : support;
  const float fscale = shrinking ? 1.0f / scale : 1.0f;
  ContributorLists lists;
  lists.Reserve(static_cast<std::size_t>(destinationSize) *
                static_cast<std::size_t>(2.0f * window + 3.0f));
  for (int i = 0; i < destinationSize; ++i) {
    lists.BeginList();
    const float center = static_cast<float>(i) / scale;
    const int first = WindowEnd(std::floor(center - window));
    const int last = WindowEnd(std::ceil(center + window));
    for (int j = first; j <= last; ++j) {
      const float weight = filter((center - static_cast<float>(j)) / fscale) / fscale;
      if (weight != 0.0f) lists.Add({SourcePosition(j, sourceSize), weight});
    }
  }
  return lists;
}

std::uint8_t ClampToByte(float sum) {
  const float clamped = std::min(sum >= 0.0f ? sum : 0.0f, 255.0f);
  // Adding and taking away 2^23 leaves no fraction bits, so the addition itself rounds to the
  // nearest integer, halves to even (the program never changes the rounding mode).
  constexpr float kNoFraction = 8388608.0f;
  return static_cast<std::uint8_t>((clamped + kNoFraction) - kNoFraction);
}

namespace {

// Below this many multiply-adds a pass is over before a second thread would have started.
constexpr long long kParallelWork = 1 << 20;
constexpr int kMaxThreads = 16;

int ThreadsFor(int requested, long long work) {
  if (requested > 0) return std::min(requested, kMaxThreads);
  if (work < kParallelWork) return 1;
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
}

// Runs work(begin, end) over consecutive parts of 0..count; the calling thread takes the last
// part, and any part whose thread cannot be started.
template <typename Work>
void RunSplit(int count, int threads, const Work& work) {
  threads = std::clamp(threads, 1, std::max(count, 1));
  std::vector<std::thread> workers;
  workers.reserve(threads - 1);
  int begin = 0;
  for (int part = 1; part <= threads; ++part) {
    const int end = static_cast<int>(static_cast<long long>(count) * part / threads);
    if (part == threads) {
      work(begin, end);
    } else {
      try {
        workers.emplace_back([&work, begin, end] { work(begin, end); });
      } catch (const std::system_error&) {
        work(begin, end);
      }
    }
    begin = end;
  }
  for (std::thread& worker : workers) worker.join();
}

// Four single-precision lanes (a GCC and Clang extension). Each lane is rounded exactly as scalar
// float code rounds, so a vector sum and a scalar one agree to the bit.
using Float4 = float __attribute__((vector_size(16)));

// Both passes sum 24 independent lanes per contributor, six vectors that stay in registers:
// 8 source rows x 3 channels in the first pass, 8 pixels x 3 channels in the second. Each lane
// still adds its own terms in list order.
constexpr int kChunkVectors = 6;
constexpr int kChunkLanes = 4 * kChunkVectors;
constexpr int kChunkPixels = kChunkLanes / 3;

struct Chunk {
  Float4 v[kChunkVectors];
};

using ChunkBytes = std::array<std::uint8_t, kChunkLanes>;

// `data` holds one chunk per position from `firstPixel` on, `stride` vectors apart.
Chunk WeightedChunk(const Float4* data, std::size_t stride, std::span<const Contributor> list,
                    int firstPixel = 0) {
  Chunk sums{};
  for (const Contributor& c : list) {
    const Float4* in = data + static_cast<std::size_t>(c.pixel - firstPixel) * stride;
#pragma GCC unroll 6
    for (int v = 0; v < kChunkVectors; ++v) sums.v[v] = sums.v[v] + in[v] * c.weight;
  }
  return sums;
}

// Bytes in[0..3] as four float lanes.
Float4 BytesToLanes(const std::uint8_t* in) {
#if defined(__SSE2__)
  std::int32_t word;
  std::memcpy(&word, in, sizeof word);
  const __m128i zero = _mm_setzero_si128();
  const __m128i bytes = _mm_cvtsi32_si128(word);
  return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
#else
  return Float4{static_cast<float>(in[0]), static_cast<float>(in[1]), static_cast<float>(in[2]),
                static_cast<float>(in[3])};
#endif
}

// Bytes in[0..3] as floats at out[0..3].
void StoreLanes(float* out, const std::uint8_t* in) {
  const Float4 lanes = BytesToLanes(in);
  std::memcpy(out, &lanes, sizeof lanes);
}

// The stored bytes of a chunk's sums: ClampToByte of every lane.
ChunkBytes ToBytes(const Chunk& sums) {
  ChunkBytes bytes;
#if defined(__SSE2__)
  const __m128 zero = _mm_setzero_ps();
  const __m128 top = _mm_set1_ps(255.0f);
  const __m128 noFraction = _mm_set1_ps(8388608.0f);
  __m128i words[kChunkVectors];
  for (int v = 0; v < kChunkVectors; ++v) {
    // maxps gives its second operand when the first is NaN: 0, as ClampToByte does.
    const __m128 clamped = _mm_min_ps(_mm_max_ps(sums.v[v], zero), top);
    words[v] = _mm_cvttps_epi32(_mm_sub_ps(_mm_add_ps(clamped, noFraction), noFraction));
  }
  const __m128i first =
      _mm_packus_epi16(_mm_packs_epi32(words[0], words[1]), _mm_packs_epi32(words[2], words[3]));
  const __m128i last = _mm_packus_epi16(_mm_packs_epi32(words[4], words[5]), _mm_setzero_si128());
  _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes.data()), first);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes.data() + 16), last);
#else
  for (int lane = 0; lane < kChunkLanes; ++lane)
    bytes[lane] = ClampToByte(sums.v[lane / 4][lane % 4]);
#endif
  return bytes;
}

// Bytes in[0..count) as floats at out[0..count), four at a time.
void BytesToFloats(const std::uint8_t* in, int count, float* out) {
  int k = 0;
  for (; k + 4 <= count; k += 4) StoreLanes(out + k, in + k);
  if (k < count) {
    std::uint8_t tail[4] = {};
    std::memcpy(tail, in + k, static_cast<std::size_t>(count - k));
    const Float4 lanes = BytesToLanes(tail);
    std::memcpy(out + k, &lanes, sizeof(float) * static_cast<std::size_t>(count - k));
  }
}

// The first pass reads strips of source rows transposed to floats: per source pixel one chunk
// holding that pixel of 8 rows. Lanes of rows past the bitmap's end hold whatever was there and
// are never stored. The strip has one vector more than its chunks to take the spill of the last
// 4-lane store.
std::vector<Float4> MakeStrip(int sourceWidth) {
  return std::vector<Float4>(static_cast<std::size_t>(sourceWidth) * kChunkVectors + 1);
}

void LoadStrip(const Bitmap24& source, int firstRow, std::vector<Float4>& strip) {
  const int rows = std::min(kChunkPixels, source.Height() - firstRow);
  const std::uint8_t* in[kChunkPixels] = {};
  for (int r = 0; r < rows; ++r) in[r] = source.Row(firstRow + r);
  // Each store writes a fourth lane that the next row's store, or the next pixel's first one,
  // overwrites: hence pixel by pixel, rows in order. At the last pixel the fourth byte would lie
  // past the row, so it is copied.
  const int last = source.Width() - 1;
  float* out = reinterpret_cast<float*>(strip.data());
  for (int x = 0; x < last; ++x, out += kChunkLanes)
    for (int r = 0; r < rows; ++r) StoreLanes(out + 3 * r, in[r] + 3 * x);
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* pixel = in[r] + 3 * last;
    const std::uint8_t tail[4] = {pixel[0], pixel[1], pixel[2], 0};
    StoreLanes(out + 3 * r, tail);
  }
}

void HorizontalStrip(const std::vector<Float4>& strip, const ContributorLists& columns,
                     Bitmap24& work, int firstRow) {
  const int rows = std::min(kChunkPixels, work.Height() - firstRow);
  for (int i = 0; i < columns.Count(); ++i) {
    const ChunkBytes bytes = ToBytes(WeightedChunk(strip.data(), kChunkVectors, columns.List(i)));
    for (int r = 0; r < rows; ++r) std::memcpy(work.Row(firstRow + r) + 3 * i, &bytes[3 * r], 3);
  }
}

// The work bitmap as floats, each row padded to whole chunks, for the second pass.
struct FloatRows {
  std::vector<Float4> data;
  std::size_t stride = 0;  // vectors per row
};

FloatRows ToFloatRows(const Bitmap24& bitmap) {
  const int chunks = (bitmap.Width() + kChunkPixels - 1) / kChunkPixels;
  FloatRows rows;
  rows.stride = static_cast<std::size_t>(chunks) * kChunkVectors;
  rows.data.resize(rows.stride * static_cast<std::size_t>(bitmap.Height()));
  float* lanes = reinterpret_cast<float*>(rows.data.data());
  const int count = bitmap.Width() * 3;
  for (int y = 0; y < bitmap.Height(); ++y)
    BytesToFloats(bitmap.Row(y), count, lanes + rows.stride * 4 * static_cast<std::size_t>(y));
  return rows;
}

// Work row r of `work` is row firstWorkRow + r of the whole work picture.
void VerticalRows(const FloatRows& work, int workWidth, const ContributorLists& rows,
                  int firstWorkRow, Bitmap24& destination, int firstRow, int endRow) {
  const int laneCount = workWidth * 3;
  for (int j = firstRow; j < endRow; ++j) {
    std::uint8_t* out = destination.Row(j);
    for (int lane0 = 0; lane0 < laneCount; lane0 += kChunkLanes) {
      const Float4* chunk = work.data.data() + lane0 / 4;
      const ChunkBytes bytes =
          ToBytes(WeightedChunk(chunk, work.stride, rows.List(j), firstWorkRow));
      const int lanes = std::min(kChunkLanes, laneCount - lane0);
      std::memcpy(out + lane0, bytes.data(), static_cast<std::size_t>(lanes));
    }
  }
}

// Work rows 0..work.Height() from source rows firstRow.. on.
void HorizontalBand(const Bitmap24& source, const ContributorLists& columns, int firstRow,
                    Bitmap24& work, int threads) {
  const int strips = (work.Height() + kChunkPixels - 1) / kChunkPixels;
  const long long multiplyAdds = static_cast<long long>(columns.Total()) * work.Height() * 3;
  RunSplit(strips, ThreadsFor(threads, multiplyAdds), [&](int begin, int end) {
    std::vector<Float4> strip = MakeStrip(source.Width());
    for (int s = begin; s < end; ++s) {
      LoadStrip(source, firstRow + s * kChunkPixels, strip);
      HorizontalStrip(strip, columns, work, s * kChunkPixels);
    }
  });
}

// Destination rows begin..end from `work`, which holds work rows firstWorkRow.. on.
void VerticalBand(const Bitmap24& work, const ContributorLists& rows, int firstWorkRow,
                  Bitmap24& destination, int begin, int end, int threads) {
  const FloatRows workRows = ToFloatRows(work);
  long long multiplyAdds = 0;
  for (int j = begin; j < end; ++j) multiplyAdds += static_cast<long long>(rows.List(j).size());
  multiplyAdds *= static_cast<long long>(work.Width()) * 3;
  RunSplit(end - begin, ThreadsFor(threads, multiplyAdds), [&](int first, int last) {
    VerticalRows(workRows, work.Width(), rows, firstWorkRow, destination, begin + first,
                 begin + last);
  });
}

// The work rows a run of destination rows reads.
struct RowSpan {
  int first = 0;
  int last = -1;
  int Count() const { return last - first + 1; }
};

RowSpan Widen(RowSpan span, std::span<const Contributor> list) {
  for (const Contributor& c : list) {
    if (span.Count() <= 0) span = {c.pixel, c.pixel};
    span.first = std::min(span.first, c.pixel);
    span.last = std::max(span.last, c.pixel);
  }
  return span;
}

// Bytes of work memory per work row: the bytes of the work bitmap and its floats.
std::size_t WorkRowBytes(int width) {
  const std::size_t chunks = (static_cast<std::size_t>(width) + kChunkPixels - 1) / kChunkPixels;
  return static_cast<std::size_t>(width) * 3 + chunks * kChunkVectors * sizeof(Float4);
}

// The second pass runs over bands of destination rows whose work rows fit the budget; each band
// gets its own work rows from the first pass. Every destination value is the same sum in the same
// order as with one band, so the result does not depend on the budget.
Status ResampleInBands(const Bitmap24& source, const ContributorLists& columns,
                       const ContributorLists& rows, Bitmap24& destination, int threads,
                       std::size_t workBudget) {
  const std::size_t bandRows = workBudget / WorkRowBytes(columns.Count());
  for (int j = 0; j < rows.Count(); ++j)
    if (static_cast<std::size_t>(std::max(Widen({}, rows.List(j)).Count(), 1)) > bandRows)
      return Status::Error("Resampling needs more than " + std::to_string(workBudget >> 20) +
                           " MB of work memory");
  for (int begin = 0; begin < rows.Count();) {
    RowSpan span = Widen({}, rows.List(begin));
    int end = begin + 1;
    for (; end < rows.Count(); ++end) {
      const RowSpan wider = Widen(span, rows.List(end));
      if (static_cast<std::size_t>(wider.Count()) > bandRows) break;
      span = wider;
    }
    if (span.Count() <= 0) span = {0, 0};
    Bitmap24 work(columns.Count(), span.Count());
    HorizontalBand(source, columns, span.first, work, threads);
    VerticalBand(work, rows, span.first, destination, begin, end, threads);
    begin = end;
  }
  return Status::Ok();
}

}  // namespace

void HorizontalPass(const Bitmap24& source, const ContributorLists& columns, Bitmap24& work,
                    int threads) {
  HorizontalBand(source, columns, 0, work, threads);
}

void VerticalPass(const Bitmap24& work, const ContributorLists& rows, Bitmap24& destination,
                  int threads) {
  VerticalBand(work, rows, 0, destination, 0, rows.Count(), threads);
}

Status Stretch(const Bitmap24& source, Bitmap24& destination, FilterFunction filter, float support,
               int threads, std::size_t workBudget) {
  if (source.Width() < 1 || source.Height() < 1) return Status::Error("Source bitmap too small");
  if (filter == nullptr || !(support >= 0.0f && support <= kMaxFilterSupport))
    return Status::Error("Invalid resampling filter");
  const int sourceHeight = source.Height();
  const int width = destination.Width();
  const int height = destination.Height();
  if (width < 1 || height < 1) return Status::Ok();
  try {
    return ResampleInBands(source, BuildContributors(source.Width(), width, filter, support),
                           BuildContributors(sourceHeight, height, filter, support), destination,
                           threads, workBudget);
  } catch (const std::bad_alloc&) {
    return Status::Error("Not enough memory to resample the picture");
  }
}

Status Stretch(const Bitmap24& source, Bitmap24& destination, const ResampleFilter& filter,
               int threads) {
  return Stretch(source, destination, filter.function, filter.support, threads);
}

}  // namespace tinto
