#pragma once
// Loading a picture file into a 24-bit bitmap, the loader chosen by the file's extension
// (letter case ignored): .jpg/.jpeg (libjpeg), .bmp, .ico, .png, .gif (Qt's readers),
// .emf (libemf2svg) and .wmf (our own player). Pictures come at their own size with
// transparent parts white; a picture over the limits of picture_limits.h is refused before its
// pixels are allocated, and decoding takes no more memory than the budget there allows. Every
// failure - unknown extension, missing file, a folder, a link loop, unreadable, foreign or
// damaged data - is an error Status with a short reason; nothing is printed (what Qt and the
// libraries under it print meanwhile is kept off standard error) or thrown.
// Metafile text needs a QGuiApplication (see emf_renderer.h, wmf_player.h). Pictures are
// written with SavePng from png_writer.h.

#include <string>

#include "core/model/bitmap.h"
#include "core/status.h"
#include "picture/bitmap_image.h"
#include "picture/png_writer.h"
#include "picture/picture_notes.h"

namespace tinto {

// On failure `out` is left unchanged. `notes`, when given, says whether the file was cut short
// (a JPEG, BMP or GIF that still loads, its missing part filled).
Status LoadPicture(const std::string& path, Bitmap24& out, PictureNotes* notes = nullptr);

// True when LoadPicture knows the extension of `path`.
bool IsPictureFileName(const std::string& path);

}  // namespace tinto
