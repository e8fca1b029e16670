#pragma once
// Raster pictures read through Qt's image readers: BMP, ICO, PNG and GIF.

#include <QIODevice>
#include <string>

#include "core/model/bitmap.h"
#include "core/status.h"
#include "picture/picture_limits.h"
#include "picture/picture_notes.h"
#include "picture/raster_header.h"

namespace tinto {

// Reads the picture in `device` (seekable, read from its start) with Qt's reader for `kind`
// only: the content is not sniffed, so a file of another kind fails. An icon file gives its
// largest image, an animation its first frame. The header is read first (ReadRasterHeader) and
// the picture refused before Qt allocates anything when it is over the picture limits; Qt may
// then allocate no more than the decode budget of picture_limits.h. Failures say what is wrong:
// "Not a BMP picture", "Damaged or truncated BMP picture", "Picture too large: ...", "Out of
// memory"; what Qt prints meanwhile is kept off standard error. `notes`, when given, tells a
// truncated file. A picture over `maxPixels` pixels is refused. On failure `out` is left
// unchanged.
Status DecodeWithQt(QIODevice& device, RasterKind kind, Bitmap24& out,
                    PictureNotes* notes = nullptr, std::int64_t maxPixels = kMaxPicturePixels);

// The failure of a Qt read whose header was fine, told by what Qt printed meanwhile, or "Out of
// memory" when an image of that size could not be allocated now (Qt fails silently then).
Status QtReadFailure(RasterKind kind, std::int64_t width, std::int64_t height,
                     const std::string& chatter);

}  // namespace tinto
