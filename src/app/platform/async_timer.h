#pragma once
// A timer whose ticks are timed by a worker thread and run on the thread that owns the timer
// (the main thread). The worker waits for at most Interval() milliseconds; when the wait runs
// out it hands the tick over and waits until the tick has run, so ticks never overlap and are
// spaced by the interval plus the handler's own duration.
//
// No ticks are delivered while disabled or at interval 0. SetEnabled(true) starts a full
// interval. Destroying the timer never waits for the main thread: a tick that is still waiting
// to run is dropped. The handler may delete the timer.

#include <QObject>
#include <QThread>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

class TAsyncTimer : public QObject {
  Q_OBJECT

 public:
  explicit TAsyncTimer(QObject* parent = nullptr);
  ~TAsyncTimer() override;

  bool Enabled() const;
  // Setting the current value does nothing; enabling restarts a full interval.
  void SetEnabled(bool enabled);
  quint16 Interval() const;
  // Takes effect from the worker's next wait; 0 keeps the timer idle.
  void SetInterval(quint16 ms);
  // Priority of the worker thread (best effort: the system may not honour it).
  void SetThreadPriority(QThread::Priority priority);
  void SetOnTimer(std::function<void()> handler);

 private:
  void WorkerLoop();
  bool ActiveLocked() const { return m_enabled && m_interval != 0; }
  // Runs on the owner's thread; `epoch` is the enable count when the tick was handed over.
  void RunTick(std::uint64_t epoch);

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_enabled = false;
  quint16 m_interval = 1000;
  bool m_restart = false;
  bool m_terminate = false;
  bool m_tickPending = false;
  std::uint64_t m_epoch = 0;
  QThread::Priority m_priority = QThread::NormalPriority;
  std::function<void()> m_onTimer;
  QThread* m_worker = nullptr;
};
