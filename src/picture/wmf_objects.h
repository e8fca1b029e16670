#pragma once
// The graphics objects a WMF file creates (pens, brushes, fonts) and the packed device-
// independent bitmaps its records carry.

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPen>
#include <QString>
#include <variant>

#include "picture/wmf_reader.h"

namespace tinto {

// Fonts are kept as the file describes them; a QFont is only made when text is drawn.
struct WmfFont {
  QString face;
  int height = 0;      // logical units; 0 means the default size
  int weight = 400;    // 1..1000, 400 normal, 700 bold
  int escapement = 0;  // tenths of a degree, counter-clockwise
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

// std::monostate stands for objects that only take a slot in the table (palettes, regions,
// damaged create records), so that later indices still point where the file meant.
using WmfObject = std::variant<std::monostate, QPen, QBrush, WmfFont>;

// True when `record` is a create record; `object` is then the object it makes.
bool CreateWmfObject(const WmfRecord& record, WmfObject& object);

// The COLORREF (red, green, blue, reserved bytes) at parameter word `index`; Has(index + 2).
QColor ColorRefAt(const WmfRecord& record, std::size_t index);

// A packed DIB (BITMAPINFO header, colour table, pixels) as an image; a null image when it
// cannot be decoded or declares a size over the picture limits. `bottomUp`, when given, is set
// for DIBs stored bottom row first, whose source rectangles count rows from the bottom.
QImage DibToImage(const std::uint8_t* dib, std::size_t size, bool* bottomUp = nullptr);

}  // namespace tinto
