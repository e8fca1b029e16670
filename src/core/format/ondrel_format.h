#pragma once
// The headerless two-file picture format: a stem followed by the digit 0 holds
// frame 0, the stem followed by 1 holds frame 1. Each file has exactly 2 x DX x DY bytes for the
// editor's current DX and DY: DX x DY pixel bytes row by row, then DX x DY attribute bytes, one
// per 8x1 cell, in the same order.

#include <string>

#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

namespace tinto {

// Whether `path` is read as a two-file picture: its extension is ".od0" or ".od1", letter case
// exact. Anything else, "trip.odyssey.tin" included, is not.
bool IsOndrelPath(const std::string& path);

// Whether a document name is the stem of a two-file picture ("pic.od" after opening
// "pic.od0"), so that saving under it must ask for a name.
bool IsOndrelStem(const std::string& name);

// `chosenPath` is either file of the pair: its last character is dropped to give the stem,
// which becomes `documentName` whatever the outcome. On success both frames' DX x DY picture
// area is filled and the MLT window becomes left 0, width DX (clamped to 18); DX, DY and the
// mode stay. On failure neither `screen` nor `geometry` is changed. Errors, checked frame 0
// first:
//   "File " + name + " not found."
//   "Size of file " + name + " incorrect." + "\n\r" + "Correct TotalWidth and DY Values."
//   other I/O errors: name + ": " + the system's text.
Status ReadOndrelFiles(const std::string& chosenPath, ScreenBuffers& screen,
                       ScreenGeometry& geometry, std::string& documentName);

// The file of frame `f` for the geometry's DX and DY, in the layout above.
std::string OndrelFrameBytes(const ScreenBuffers& screen, const ScreenGeometry& geometry,
                             FrameIndex f);

// Writes `pathStem` + ".od0" (frame 0) and `pathStem` + ".od1" (frame 1) as one group of the
// safe writer (WriteFilesAtomically): both files are on disk before either replaces an older
// one. Errors name the file they are about. The pair opens back with the same DX and DY.
Status WriteOndrelFiles(const std::string& pathStem, const ScreenBuffers& screen,
                        const ScreenGeometry& geometry);

// The stem a pair is written under, from the name a user gave: a name ending in ".od0" or
// ".od1" is taken without it ("pic.od0" -> "pic"). A name that names a folder (an existing
// folder, or one ending in "/", "." or "..", so that the files would be hidden ".od0" and ".od1"
// inside it) is refused with an error naming it.
Status OndrelStemOf(const std::string& name, std::string& stem);

}  // namespace tinto
