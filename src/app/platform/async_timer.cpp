#include "app/platform/async_timer.h"

#include <QMetaObject>
#include <QPointer>
#include <chrono>

namespace {
// The worker only waits; a small stack lets many timers coexist cheaply.
constexpr uint kWorkerStackBytes = 256 * 1024;
}  // namespace

TAsyncTimer::TAsyncTimer(QObject* parent) : QObject(parent) {}

TAsyncTimer::~TAsyncTimer() {
  {
    std::lock_guard lock(m_mutex);
    m_enabled = false;
    m_terminate = true;
  }
  m_wake.notify_all();
  // The worker never waits for the main thread once termination is requested, so this join
  // cannot deadlock; a tick it already posted is discarded with this object's posted events.
  if (m_worker != nullptr) {
    m_worker->wait();
    delete m_worker;
  }
}

bool TAsyncTimer::Enabled() const {
  std::lock_guard lock(m_mutex);
  return m_enabled;
}

void TAsyncTimer::SetEnabled(bool enabled) {
  {
    std::lock_guard lock(m_mutex);
    if (m_enabled == enabled) return;
    m_enabled = enabled;
    if (enabled) {
      m_restart = true;
      ++m_epoch;
    }
  }
  m_wake.notify_all();
  if (enabled && m_worker == nullptr) {
    m_worker = QThread::create([this] { WorkerLoop(); });
    m_worker->setStackSize(kWorkerStackBytes);
    m_worker->start(m_priority);
  }
}

quint16 TAsyncTimer::Interval() const {
  std::lock_guard lock(m_mutex);
  return m_interval;
}

void TAsyncTimer::SetInterval(quint16 ms) {
  {
    std::lock_guard lock(m_mutex);
    m_interval = ms;
  }
  // Only an idle worker reacts at once (interval 0 -> non-zero); a running wait keeps its length.
  m_wake.notify_all();
}

void TAsyncTimer::SetThreadPriority(QThread::Priority priority) {
  m_priority = priority;
  if (m_worker != nullptr) m_worker->setPriority(priority);
}

void TAsyncTimer::SetOnTimer(std::function<void()> handler) { m_onTimer = std::move(handler); }

void TAsyncTimer::WorkerLoop() {
  std::unique_lock lock(m_mutex);
  while (!m_terminate) {
    if (!ActiveLocked()) {
      m_wake.wait(lock, [this] { return m_terminate || ActiveLocked(); });
      continue;
    }
    m_restart = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_interval);
    if (m_wake.wait_until(lock, deadline,
                          [this] { return m_terminate || m_restart || !ActiveLocked(); })) {
      continue;
    }
    m_tickPending = true;
    const std::uint64_t epoch = m_epoch;
    lock.unlock();
    QMetaObject::invokeMethod(
        this, [this, epoch] { RunTick(epoch); }, Qt::QueuedConnection);
    lock.lock();
    m_wake.wait(lock, [this] { return m_terminate || !m_tickPending; });
  }
}

void TAsyncTimer::RunTick(std::uint64_t epoch) {
  bool deliver = false;
  {
    std::lock_guard lock(m_mutex);
    // A tick handed over before the timer was disabled (or re-enabled) is not delivered.
    deliver = m_enabled && epoch == m_epoch && !m_terminate;
  }
  if (deliver && m_onTimer) {
    const QPointer<TAsyncTimer> self(this);
    const std::function<void()> handler = m_onTimer;
    handler();
    if (self.isNull()) return;
  }
  {
    std::lock_guard lock(m_mutex);
    m_tickPending = false;
  }
  m_wake.notify_all();
}
