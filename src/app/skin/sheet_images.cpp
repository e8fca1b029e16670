#include "app/skin/sheet_images.h"

#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <memory>

#include "app/skin/skin_files.h"

namespace {

// Decoded bytes of the picture at `path`, or -1 when it may not be used.
qint64 CheckedImageBytes(const QString& path) {
  const std::unique_ptr<QFile> file = OpenSkinFile(path);
  if (!file) return -1;
  QImageReader reader(file.get());
  static const QSet<QByteArray> kKnownTypes = {"png", "jpeg", "jpg", "bmp", "gif"};
  if (!kKnownTypes.contains(reader.format().toLower())) return -1;
  const QSize size = reader.size();
  if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSkinImageSide ||
      size.height() > kMaxSkinImageSide)
    return -1;
  return qint64{4} * size.width() * size.height();
}

bool ImagesFit(const QSet<QString>& targets) {
  qint64 total = 0;
  for (const QString& target : targets) {
    const qint64 bytes = CheckedImageBytes(target);
    if (bytes < 0) return false;
    total += bytes;
    if (total > kMaxSkinImageBytes) return false;
  }
  return true;
}

}  // namespace

std::optional<QString> ResolveSheetImages(const QString& sheet, const QString& folder) {
  if (sheet.contains(QLatin1Char('\\'))) return std::nullopt;
  static const QRegularExpression url(QStringLiteral(R"(url\(\s*(["']?)([^"')]+)\1\s*\))"),
                                      QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression anyUrl(QStringLiteral(R"(url\()"),
                                         QRegularExpression::CaseInsensitiveOption);
  QString result;
  QSet<QString> targets;
  qsizetype last = 0;
  qsizetype matches = 0;
  for (auto it = url.globalMatch(sheet); it.hasNext(); ++matches) {
    const QRegularExpressionMatch match = it.next();
    const QString target = match.captured(2).trimmed();
    const bool keep = target.startsWith('/') || target.startsWith(':') || target.contains(':');
    const QString resolved = keep ? target : folder + target;
    targets.insert(resolved);
    result += sheet.mid(last, match.capturedStart() - last);
    result += QStringLiteral("url(\"%1\")").arg(resolved);
    last = match.capturedEnd();
  }
  // A url( this pattern did not take whole names a picture nobody checked.
  if (sheet.count(anyUrl) != matches || !ImagesFit(targets)) return std::nullopt;
  return result + sheet.mid(last);
}
