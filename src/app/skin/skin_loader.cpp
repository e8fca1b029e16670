#include "app/skin/skin_loader.h"

#include <QDir>
#include <QFileInfo>
#include <QResource>
#include <functional>
#include <optional>
#include <string>

#include "app/skin/resource_check.h"
#include "app/skin/sheet_images.h"
#include "app/skin/skin_data.h"
#include "app/skin/skin_files.h"
#include "app/skin/style_sheet_check.h"
#include "core/format/ini_file.h"
#include "core/format/ini_text.h"

namespace {

constexpr qint64 kMaxSkinFileSize = 32 * 1024 * 1024;
constexpr qint64 kMaxSheetSize = 4 * 1024 * 1024;
constexpr int kMaxCaptionHeight = 200;
constexpr const char* kSkinSection = "Skin";

using KeyReader = std::function<std::string(const char* key)>;

std::optional<SkinDescription> ReadDescription(const KeyReader& read, const QString& folder) {
  const QString sheetName = QString::fromStdString(read("StyleSheet"));
  if (sheetName.isEmpty()) return std::nullopt;
  const std::optional<QByteArray> sheet = ReadSkinFile(folder + sheetName, kMaxSheetSize);
  if (!sheet || sheet->trimmed().isEmpty()) return std::nullopt;
  std::optional<QString> resolved = ResolveSheetImages(QString::fromUtf8(*sheet), folder);
  if (!resolved || !StyleSheetParses(*resolved)) return std::nullopt;
  SkinDescription skin;
  skin.styleSheet = std::move(*resolved);
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
  const std::optional<QByteArray> file = ReadSkinFile(path, kMaxSkinFileSize);
  std::optional<QByteArray> bytes = file ? UnpackedResource(*file) : std::nullopt;
  if (!bytes) return false;
  const QString root = NextResourceRoot();
  const auto* data = reinterpret_cast<const uchar*>(bytes->constData());
  if (!QResource::registerResource(data, root)) return false;
  const QString folder = ':' + root + '/';
  const std::optional<QByteArray> ini = ReadSkinFile(folder + "skin.ini", kMaxSheetSize);
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
