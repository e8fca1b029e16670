// Feeds arbitrary bytes to the skin readers, each run both ways: the bytes as a compressed
// ".ods" skin (the resource check and unpacking, then the description and sheet inside), and,
// split at the first NUL byte, as an ".ini" description with the style sheet it names as
// "sheet.qss" (the description, the sheet's url() pictures, Qt's sheet parser; a small
// "stripe.png" lies beside it for sheets to name). Seeds are the shipped skins in that form.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/skin/skin_data.h"
#include "app/skin/skin_loader.h"

namespace {

QString g_folder;

void WriteFile(const QString& name, const char* data, std::size_t size) {
  QFile file(g_folder + name);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    file.write(data, static_cast<qint64>(size));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(*argc, *argv);
  static QTemporaryDir folder;
  g_folder = folder.path() + '/';
  QImage(8, 8, QImage::Format_Mono).save(g_folder + QStringLiteral("stripe.png"));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  SkinData skin;
  WriteFile(QStringLiteral("skin.ods"), bytes, size);
  LoadSkinFile(skin, g_folder + QStringLiteral("skin.ods"));
  std::size_t split = 0;
  while (split < size && bytes[split] != '\0') ++split;
  WriteFile(QStringLiteral("skin.ini"), bytes, split);
  WriteFile(QStringLiteral("sheet.qss"), bytes + split + (split < size ? 1 : 0),
            size - split - (split < size ? 1 : 0));
  LoadSkinFile(skin, g_folder + QStringLiteral("skin.ini"));
  skin.SwitchOff();
  return 0;
}
