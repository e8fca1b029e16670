// Build-time tool: `render_icon ICON.svg OUT.png SIZE` draws the application icon at SIZE x SIZE
// pixels for the icon theme's fixed-size folders. Exit status 1 and a message on failure.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  // Runs during the build, where there may be no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  const int size = args.size() == 4 ? args[3].toInt() : 0;
  if (size <= 0) {
    std::fputs("usage: render_icon ICON.svg OUT.png SIZE\n", stderr);
    return 1;
  }
  QSvgRenderer renderer(args[1]);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  if (!image.save(args[2], "PNG")) {
    std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
