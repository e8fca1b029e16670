#include "app/dialogs/file/file_filter.h"

QList<FileFilterItem> ParseFileFilter(const QString& filter) {
  QList<FileFilterItem> items;
  if (filter.isEmpty()) return items;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype k = 0; k < parts.size(); k += 2)
    items.append({parts[k], k + 1 < parts.size() ? parts[k + 1] : QString()});
  return items;
}

QStringList CaseInsensitiveMasks(const QString& masks) {
  QStringList result;
  for (const QString& mask : masks.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    QString pattern;
    for (const QChar c : mask) {
      if (c.toLower() != c.toUpper())
        pattern += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
      else
        pattern += c;
    }
    result.append(pattern);
  }
  return result;
}

namespace {

QString QtPatternList(const QString& masks) {
  QStringList patterns;
  for (const QString& mask : masks.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    patterns.append(mask == QLatin1String("*.*") ? QStringLiteral("*") : mask.trimmed());
  return patterns.join(QLatin1Char(' '));
}

QString WithoutParenthesisedTail(const QString& description) {
  const QString trimmed = description.trimmed();
  const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
  if (open < 0 || !trimmed.endsWith(QLatin1Char(')'))) return trimmed;
  return trimmed.left(open).trimmed();
}

}  // namespace

QString QtNameFilters(const QString& filter) {
  QStringList result;
  for (const FileFilterItem& item : ParseFileFilter(filter))
    result.append(WithoutParenthesisedTail(item.description) + QStringLiteral(" (") +
                  QtPatternList(item.masks) + QLatin1Char(')'));
  return result.join(QStringLiteral(";;"));
}

QString ExtensionOf(const QString& name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot);
}

bool ExtensionFitsFilter(const QString& name, const QString& filterText) {
  const QString extension = ExtensionOf(name);
  return !extension.isEmpty() && filterText.contains(extension, Qt::CaseSensitive);
}

QString TypedNamePath(const QString& folder, const QString& typed, const QString& masks) {
  // A typed full path names its own folder.
  QString path = typed.startsWith(QLatin1Char('/')) ? QString() : folder;
  if (!path.isEmpty() && !path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  path += typed;
  const qsizetype lastMask = masks.lastIndexOf(QStringLiteral("*."));
  if (!path.contains(QLatin1Char('.')) && !masks.contains(QStringLiteral("*.*")) && lastMask >= 0)
    path += masks.mid(lastMask + 1);
  return path;
}

QString NameWithoutFolder(const QString& path) {
  return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}
