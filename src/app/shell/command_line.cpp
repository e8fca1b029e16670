#include "app/shell/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <iterator>
#include <string_view>

#include "tinto_version.h"

namespace {

QString VersionText() { return QString::fromLatin1(kTintoVersionLine) + QLatin1Char('\n'); }

}  // namespace

bool AsksForTextOnly(int argc, const char* const* argv) {
  static constexpr std::string_view kTextOptions[] = {"-h",         "--help", "-?",
                                                      "--help-all", "-v",     "--version"};
  for (int i = 1; i < argc; ++i)
    if (std::ranges::find(kTextOptions, std::string_view(argv[i])) != std::end(kTextOptions))
      return true;
  return false;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Edits two-frame pictures. FILE is a .tin picture, a two-file .od0/.od1 "
                     "picture, or a photo to open in the Import Expert."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The picture to open."),
                               QStringLiteral("[FILE]"));
  CommandLine line;
  if (!parser.parse(arguments)) {
    line.errors = parser.errorText() + QLatin1Char('\n');
    line.exit = true;
    line.exitCode = 1;
  } else if (parser.isSet(help) || parser.isSet(version)) {
    line.output = parser.isSet(help) ? parser.helpText() : VersionText();
    line.exit = true;
  } else if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
    line.file = QFileInfo(files.first()).absoluteFilePath();
    for (qsizetype i = 1; i < files.size(); ++i)
      line.errors +=
          QStringLiteral("Only the first file is opened; not opened: %1\n").arg(files[i]);
  }
  return line;
}
