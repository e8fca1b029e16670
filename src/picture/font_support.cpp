#include "picture/font_support.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace tinto {

bool FontsAvailable() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace tinto
