#pragma once
// Which of the editors running at once on one settings file this one is: the first holds slot
// 0, the next one started while it runs slot 1, and so on. They all open their window at the
// place that file keeps, so each later one moves its own down and right by a step per slot;
// the settings rule stays as it is (the editor closed last writes them). A slot is a lock file
// in the user's runtime folder, named after the settings file, held for the object's life; the
// lock of a process that has ended is taken over.

#include <QLockFile>
#include <QString>
#include <memory>

class InstanceSlot {
 public:
  // Takes the lowest free slot for `settingsPath`; slot 0 when no lock file can be made there.
  explicit InstanceSlot(const QString& settingsPath);
  ~InstanceSlot();

  int Number() const { return m_number; }

 private:
  std::unique_ptr<QLockFile> m_lock;
  int m_number = 0;
};
