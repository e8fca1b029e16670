#include "picture/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <string>
// <cstdio> must come first: jpeglib.h uses FILE without including it.
#include <jpeglib.h>
// jerror.h after jpeglib.h: it uses its types.
#include <jerror.h>

#include "picture/bitmap_image.h"

namespace tinto {
namespace {

// Real progressive files have about a dozen scans; a crafted one can hold thousands of tiny
// scans that each cost a pass over the whole coefficient buffer.
constexpr int kMaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool endedEarly;  // the data ran out before the last row
};

// Everything libjpeg changes lives here, outside the frame that calls setjmp, so nothing the
// decoder reads after a longjmp is an indeterminate local.
struct DecodeJob {
  jpeg_decompress_struct info{};
  ErrorManager error{};
  jpeg_progress_mgr progress{};
  std::int64_t maxPixels = 0;
};

[[noreturn]] void FailWith(j_common_ptr info, const char* message) {
  auto* error = reinterpret_cast<ErrorManager*>(info->err);
  std::snprintf(error->message, sizeof error->message, "%s", message);
  std::longjmp(error->jump, 1);
}

// libjpeg asks for a backing store when the coefficients would pass max_memory_to_use.
void FormatTooLarge(j_common_ptr info, char* text) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  const Status refusal = TooLargeToDecode(decompress->image_width, decompress->image_height);
  std::snprintf(text, JMSG_LENGTH_MAX, "%s", refusal.Message().c_str());
}

[[noreturn]] void ErrorExit(j_common_ptr info) {
  char text[JMSG_LENGTH_MAX];
  if (info->err->msg_code == JERR_NO_BACKING_STORE)
    FormatTooLarge(info, text);
  else
    (*info->err->format_message)(info, text);
  FailWith(info, text);
}

// Warnings are only counted; the library must not write to stderr.
void EmitMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  ++info->err->num_warnings;
  if (info->err->msg_code == JWRN_JPEG_EOF)
    reinterpret_cast<ErrorManager*>(info->err)->endedEarly = true;
}

void LimitScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) FailWith(info, "Too many scans in JPEG file");
}

std::uint8_t Scale(int a, int b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// CMYK to BGR. Adobe files store the inks inverted (0 = full ink), others store them plainly.
void CmykRowToBgr(const JSAMPLE* in, int width, bool inverted, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    const int flip = inverted ? 0 : 255;
    const int k = in[3] ^ flip;
    out[0] = Scale(in[2] ^ flip, k);
    out[1] = Scale(in[1] ^ flip, k);
    out[2] = Scale(in[0] ^ flip, k);
  }
}

void RowToBgr(const jpeg_decompress_struct& info, const JSAMPLE* in, std::uint8_t* out) {
  const int width = static_cast<int>(info.output_width);
  if (info.out_color_space == JCS_CMYK) {
    CmykRowToBgr(in, width, info.saw_Adobe_marker, out);
  } else if (info.out_color_space == JCS_GRAYSCALE) {
    for (int x = 0; x < width; ++x, out += 3) out[0] = out[1] = out[2] = in[x];
  } else {
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
}

// libjpeg-turbo writes colour rows straight in our blue, green, red order: the same values, with
// no pass of our own over a 12-megapixel photo.
J_COLOR_SPACE OutputSpaceFor(J_COLOR_SPACE fileSpace) {
  if (fileSpace == JCS_GRAYSCALE) return JCS_GRAYSCALE;
  if (fileSpace == JCS_CMYK || fileSpace == JCS_YCCK) return JCS_CMYK;
#ifdef JCS_EXTENSIONS
  return JCS_EXT_BGR;
#else
  return JCS_RGB;
#endif
}

// Whether libjpeg writes the rows as the bitmap holds them.
bool WritesBgr(const jpeg_decompress_struct& info) {
#ifdef JCS_EXTENSIONS
  return info.out_color_space == JCS_EXT_BGR;
#else
  return info.out_color_space == JCS_UNKNOWN;  // never: every output space is converted
#endif
}

// Copies the refusal into the error message, so no Status is alive when the caller jumps.
bool SizeAllowed(DecodeJob* job) {
  const Status status =
      CheckPictureSize(job->info.image_width, job->info.image_height, job->maxPixels);
  if (!status)
    std::snprintf(job->error.message, sizeof job->error.message, "%s", status.Message().c_str());
  return status.IsOk();
}

// Reads header and pixels into `target`. Called inside the setjmp guard of RunDecoder; holds
// no object with a destructor, since a libjpeg error jumps straight over this frame.
void ReadPicture(DecodeJob* job, const std::uint8_t* data, std::size_t size, Bitmap24* target) {
  jpeg_decompress_struct& info = job->info;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
    FailWith(reinterpret_cast<j_common_ptr>(&info), "JPEG file holds no picture");
  if (!SizeAllowed(job)) std::longjmp(job->error.jump, 1);
  info.mem->max_memory_to_use = static_cast<long>(
      DecodeBudgetBytes(static_cast<std::int64_t>(info.image_width) * info.image_height));
  info.out_color_space = OutputSpaceFor(info.jpeg_color_space);
  jpeg_start_decompress(&info);
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * info.output_components, 1);
  target->Resize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  const bool bgrRows = WritesBgr(info);
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    JSAMPROW targetRow = target->Row(y);
    if (jpeg_read_scanlines(&info, bgrRows ? &targetRow : row, 1) != 1) {
      job->error.endedEarly = true;
      break;
    }
    if (!bgrRows) RowToBgr(info, row[0], target->Row(y));
  }
}

// True when every row was read. Trailing garbage after the last row is not an error, so the
// decoder is destroyed without jpeg_finish_decompress.
bool RunDecoder(DecodeJob* job, const std::uint8_t* data, std::size_t size, Bitmap24* target) {
  if (setjmp(job->error.jump) != 0) {
    jpeg_destroy_decompress(&job->info);
    return false;
  }
  jpeg_create_decompress(&job->info);
  job->info.progress = &job->progress;
  try {
    ReadPicture(job, data, size, target);
  } catch (const std::bad_alloc&) {
    std::snprintf(job->error.message, sizeof job->error.message, "%s",
                  OutOfMemory().Message().c_str());
    jpeg_destroy_decompress(&job->info);
    return false;
  }
  jpeg_destroy_decompress(&job->info);
  return true;
}

}  // namespace

Status DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap24& out, std::int64_t maxPixels,
                  PictureNotes* notes) {
  if (data == nullptr || size == 0) return Status::Error("Empty JPEG file");
  DecodeJob job;
  job.info.err = jpeg_std_error(&job.error.base);
  job.error.base.error_exit = ErrorExit;
  job.error.base.emit_message = EmitMessage;
  job.progress.progress_monitor = LimitScans;
  job.maxPixels = maxPixels;
  Bitmap24 picture;
  if (!RunDecoder(&job, data, size, &picture)) return Status::Error(job.error.message);
  out = std::move(picture);
  if (notes != nullptr) notes->truncated = job.error.endedEarly;
  return Status::Ok();
}

}  // namespace tinto
