#pragma once
// File-type filters in the "Description|*.a;*.b|Description 2|*.c" form: descriptions and
// mask lists alternate, every item separated from the next by "|", masks within a list by ";".
// Also the name rules of the picture open dialog that depend on a filter.

#include <QList>
#include <QString>
#include <QStringList>

struct FileFilterItem {
  QString description;
  QString masks;  // e.g. "*.jpg;*.jpeg"
};

// Pairs in order. A trailing description without a mask list gets an empty mask list; an
// empty filter gives no items.
QList<FileFilterItem> ParseFileFilter(const QString& filter);

// The masks of a list as name filters that match without regard to letter case ("*.jpg"
// becomes "*.[jJ][pP][gG]"), since picture files often carry upper-case extensions. Empty
// masks are dropped.
QStringList CaseInsensitiveMasks(const QString& masks);

// The filter in Qt's "Desc (*.a *.b);;Desc2 (*)" form: each description loses a parenthesised
// tail of its own and gets its mask list in parentheses, "*.*" written as "*".
QString QtNameFilters(const QString& filter);

// From the last "." of `name` to its end; empty when there is no ".".
QString ExtensionOf(const QString& name);

// Whether `name`'s extension occurs anywhere in `filterText`, letter case counting; an empty
// extension never does.
bool ExtensionFitsFilter(const QString& name, const QString& filterText);

// `folder` + "/" (unless it already ends with one) + `typed`, or `typed` alone when it is a full
// path (starts with "/"); then, when that path has no "."
// anywhere and `masks` has no "*.*", the tail of `masks` from the "." of its last "*.".
QString TypedNamePath(const QString& folder, const QString& typed, const QString& masks);

// The text after the last "/" of `path` (all of it when there is none).
QString NameWithoutFolder(const QString& path);
