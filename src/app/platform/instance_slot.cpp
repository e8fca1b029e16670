#include "app/platform/instance_slot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// More editors than this at once all share the last step.
constexpr int kSlotCount = 8;

// In the user's runtime folder (emptied at log-out), named after the settings file; beside the
// settings file where there is no runtime folder.
QString LockName(const QString& settingsPath, int slot) {
  const QString absolute = QFileInfo(settingsPath).absoluteFilePath();
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QString name = QFileInfo(absolute).fileName();
  if (folder.isEmpty()) {
    folder = QFileInfo(absolute).absolutePath();
  } else {
    name =
        QStringLiteral("tinto-editor-") +
        QString::fromLatin1(
            QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
  }
  return QDir(folder).filePath(name + QStringLiteral(".lock") +
                               (slot == 0 ? QString() : QString::number(slot)));
}

}  // namespace

InstanceSlot::InstanceSlot(const QString& settingsPath) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    auto lock = std::make_unique<QLockFile>(LockName(settingsPath, slot));
    if (lock->tryLock(0)) {
      m_lock = std::move(lock);
      m_number = slot;
      return;
    }
    // A folder where no lock can be made tells nothing about other editors.
    if (lock->error() != QLockFile::LockFailedError) return;
  }
  m_number = kSlotCount - 1;
}

InstanceSlot::~InstanceSlot() = default;
