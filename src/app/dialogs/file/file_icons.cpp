#include "app/dialogs/file/file_icons.h"

#include <QFileIconProvider>

QAbstractFileIconProvider* StyleFileIcons() {
  static QFileIconProvider* const provider = new QFileIconProvider;
  return provider;
}
