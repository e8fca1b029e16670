#include "app/skin/skin_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QResource>
#include <functional>
#include <optional>
#include <string>

#include "app/skin/resource_check.h"
#include "app/skin/skin_data.h"
#include "app/skin/style_sheet_check.h"
#include "core/format/ini_file.h"
#include "core/format/ini_text.h"

namespace {

constexpr qint64 kMaxSkinFileSize = 32 * 1024 * 1024;
constexpr qint64 kMaxSheetSize = 4 * 1024 * 1024;
constexpr int kMaxCaptionHeight = 200;
constexpr const char* kSkinSection = "Skin";

using KeyReader = std::function<std::string(const char* key)>;

std::optional<QByteArray> ReadLimited(const QString& path, qint64 limit) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > limit) return std::nullopt;
  QByteArray bytes = file.read(limit + 1);
  if (bytes.size() > limit) return std::nullopt;
  return bytes;
}

// Relative url(...) references become `folder` + reference; absolute ones, resource paths and
// data: addresses stay as written.
QString ResolveUrls(const QString& sheet, const QString& folder) {
  static const QRegularExpression url(QStringLiteral(R"(url\(\s*(["']?)([^"')]+)\1\s*\))"));
  QString result;
  qsizetype last = 0;
  for (auto it = url.globalMatch(sheet); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    const QString target = match.captured(2).trimmed();
    const bool keep = target.startsWith('/') || target.startsWith(':') || target.contains(':');
    result += sheet.mid(last, match.capturedStart() - last);
    result += QStringLiteral("url(\"%1\")").arg(keep ? target : folder + target);
    last = match.capturedEnd();
  }
  return result + sheet.mid(last);
}

std::optional<SkinDescription> ReadDescription(const KeyReader& read, const QString& folder) {
  const QString sheetName = QString::fromStdString(read("StyleSheet"));
  if (sheetName.isEmpty()) return std::nullopt;
  const std::optional<QByteArray> sheet = ReadLimited(folder + sheetName, kMaxSheetSize);
  if (!sheet || sheet->trimmed().isEmpty()) return std::nullopt;
  SkinDescription skin;
  skin.styleSheet = ResolveUrls(QString::fromUtf8(*sheet), folder);
  if (!StyleSheetParses(skin.styleSheet)) return std::nullopt;
  const auto text = [&](const char* key) { return QString::fromStdString(read(key)); };
  skin.info = {text("Name"), text("Author"), text("URL"), text("EMail"), text("Comments")};
  const std::optional<int> caption = tinto::ParseIniInteger(read("CaptionHeight"));
  if (caption && *caption > 0 && *caption <= kMaxCaptionHeight) skin.captionHeight = *caption;
  return skin;
}

bool ApplyStoredSkin(SkinData& skinData, const QString& path) {
  const tinto::IniFile ini(path.toStdString());
  const KeyReader read = [&ini](const char* key) { return ini.ReadString(kSkinSection, key, ""); };
  const std::optional<SkinDescription> skin =
      ReadDescription(read, QFileInfo(path).absolutePath() + '/');
  if (!skin) return false;
  skinData.Apply(*skin);
  return true;
}

// Each compressed skin gets a root of its own, so that nothing cached from an earlier skin is
// taken for a file of this one.
QString NextResourceRoot() {
  static int counter = 0;
  return QStringLiteral("/tinto-skin-%1").arg(++counter);
}

bool ApplyCompressedSkin(SkinData& skinData, const QString& path) {
  std::optional<QByteArray> bytes = ReadLimited(path, kMaxSkinFileSize);
  if (!bytes || !IsWellFormedResource(*bytes)) return false;
  const QString root = NextResourceRoot();
  const auto* data = reinterpret_cast<const uchar*>(bytes->constData());
  if (!QResource::registerResource(data, root)) return false;
  const QString folder = ':' + root + '/';
  const std::optional<QByteArray> ini = ReadLimited(folder + "skin.ini", kMaxSheetSize);
  const std::string text = ini ? ini->toStdString() : std::string();
  const KeyReader read = [&text](const char* key) {
    return std::string(tinto::FindIniValue(text, kSkinSection, key).value_or(""));
  };
  const std::optional<SkinDescription> skin = ini ? ReadDescription(read, folder) : std::nullopt;
  if (!skin) {
    QResource::unregisterResource(data, root);
    return false;
  }
  skinData.Apply(*skin, std::move(*bytes), root);
  return true;
}

}  // namespace

SkinFileKind KindOfSkinFile(const QString& path) {
  const qsizetype folderEnd =
      std::max({path.lastIndexOf('/'), path.lastIndexOf('\\'), path.lastIndexOf(':')});
  const qsizetype dot = path.lastIndexOf('.');
  if (dot <= folderEnd) return SkinFileKind::Other;
  const QString extension = path.mid(dot);
  if (extension == QLatin1String(".ods")) return SkinFileKind::Compressed;
  if (extension == QLatin1String(".ini")) return SkinFileKind::Stored;
  return SkinFileKind::Other;
}

bool LoadSkinFile(SkinData& skinData, const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) {
    skinData.SwitchOff();
    return false;
  }
  switch (KindOfSkinFile(path)) {
    case SkinFileKind::Compressed:
      ApplyCompressedSkin(skinData, path);
      break;
    case SkinFileKind::Stored:
      ApplyStoredSkin(skinData, path);
      break;
    case SkinFileKind::Other:
      break;
  }
  return true;
}
