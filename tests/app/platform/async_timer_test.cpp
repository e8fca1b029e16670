#include "app/platform/async_timer.h"

#include <cmath>
#include <limits>
#include <thread>

#include "app/gui_test.h"
#include "app/platform/vertical_retrace.h"

namespace {

// A timer that counts its ticks, started at `interval` ms.
class TAsyncTimerTest : public testing::Test {
 protected:
  void Start(quint16 interval, bool enable = true) {
    m_timer.SetOnTimer([this] { ++m_ticks; });
    m_timer.SetInterval(interval);
    m_timer.SetEnabled(enable);
  }
  bool WaitForTicks(int count) {
    return QTest::qWaitFor([&] { return m_ticks >= count; }, 5000);
  }

  int m_ticks = 0;
  TAsyncTimer m_timer;
};

// The handlers below use locals: their timers are declared after them, so die first.
TEST(TAsyncTimer, TicksRunOnTheOwningThreadAndNeverOverlapEvenWhenTheHandlerRunsEvents) {
  int running = 0;
  int mostAtOnce = 0;
  std::vector<QThread*> threads;
  TAsyncTimer timer;
  timer.SetOnTimer([&] {
    ++running;
    mostAtOnce = std::max(mostAtOnce, running);
    QTest::qWait(20);  // a nested event loop would run a second tick if one were handed over
    --running;
    threads.push_back(QThread::currentThread());
  });
  timer.SetInterval(1);
  timer.SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return threads.size() >= 5; }, 5000));
  EXPECT_EQ(mostAtOnce, 1);
  for (QThread* thread : threads) EXPECT_EQ(thread, QCoreApplication::instance()->thread());
}

// A tick already handed over when the timer pauses is dropped.
TEST_F(TAsyncTimerTest, NeverEnabledAtIntervalZeroOrPausedAfterAHandOverDeliversNoTicks) {
  Start(1, false);
  TAsyncTimer idle;
  idle.SetOnTimer([this] { ++m_ticks; });
  idle.SetInterval(0);
  idle.SetEnabled(true);
  QTest::qWait(150);
  EXPECT_EQ(m_ticks, 0);
  idle.SetInterval(5);
  EXPECT_TRUE(WaitForTicks(1)) << "ticks start when the interval leaves zero";
  idle.SetEnabled(false);
  QCoreApplication::processEvents();
  m_ticks = 0;
  Start(50);
  // Keep the main thread busy past the interval so the worker hands a tick over and waits.
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  m_timer.SetEnabled(false);
  m_timer.SetEnabled(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(m_ticks, 0);
}

// Enabling an enabled timer, by contrast, does not restart the interval: the tick still comes.
TEST_F(TAsyncTimerTest, EveryResumeWaitsAFullIntervalButEnablingAgainDoesNotRestartIt) {
  Start(300);
  QElapsedTimer sinceResume;
  // Pausing and resuming every 100 ms never lets a 300 ms wait run out.
  for (int i = 0; i < 8; ++i) {
    QTest::qWait(100);
    m_timer.SetEnabled(false);
    m_timer.SetEnabled(true);
    sinceResume.start();
  }
  EXPECT_EQ(m_ticks, 0);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        m_timer.SetEnabled(true);
        return m_ticks >= 1;
      },
      5000));
  EXPECT_GE(sinceResume.elapsed(), 295);
}

TEST(TAsyncTimer, HandlerMayDeleteItsTimer) {
  auto* timer = new TAsyncTimer;
  bool deleted = false;
  timer->SetOnTimer([&] {
    delete timer;
    deleted = true;
  });
  timer->SetInterval(1);
  timer->SetEnabled(true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return deleted; }, 5000));
  QTest::qWait(20);
}

TEST(TAsyncTimer, DestroyingAThousandTimersWaitingForTheMainThreadDoesNotHang) {
  std::vector<std::unique_ptr<TAsyncTimer>> timers;
  int ticks = 0;
  for (int i = 0; i < 1000; ++i) {
    auto timer = std::make_unique<TAsyncTimer>();
    timer->SetOnTimer([&] { ++ticks; });
    timer->SetInterval(1);
    timer->SetThreadPriority(QThread::HighestPriority);
    timer->SetEnabled(true);
    timers.push_back(std::move(timer));
  }
  QTest::qWait(20);
  // Without running events, every worker hands its tick over and then waits for it.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  QElapsedTimer clock;
  clock.start();
  timers.clear();
  EXPECT_LT(clock.elapsed(), 10000);
  QCoreApplication::processEvents();
  const int ticksAfterDestruction = ticks;
  QTest::qWait(20);
  EXPECT_EQ(ticks, ticksAfterDestruction);
}

using std::chrono::milliseconds;
using std::chrono::nanoseconds;

// The wait ends at the next period boundary, a full period on a boundary; a missing, huge or
// NaN rate means 60 Hz.
TEST(TimeToNextRefresh, EndsAtTheNextPeriodBoundary) {
  constexpr nanoseconds kSixtyHzPeriod{16666667};
  const std::tuple<nanoseconds, double, nanoseconds> cases[] = {
      {milliseconds(3), 100.0, milliseconds(7)},
      {milliseconds(10), 100.0, milliseconds(10)},
      {milliseconds(-3), 100.0, milliseconds(3)},
      {nanoseconds(0), 0.0, kSixtyHzPeriod},
      {nanoseconds(0), 1e9, kSixtyHzPeriod},
      {nanoseconds(0), std::numeric_limits<double>::quiet_NaN(), kSixtyHzPeriod}};
  for (const auto& [now, rate, expected] : cases)
    EXPECT_EQ(TimeToNextRefresh(now, rate), expected) << now.count() << " " << rate;
}

TEST(WaitForVerticalRetrace, ReturnsWithinOneRefresh) {
  const auto start = std::chrono::steady_clock::now();
  WaitForVerticalRetrace();
  // One refresh of the offscreen screen (60 Hz) plus scheduling slack on a busy machine.
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(60));
}

}  // namespace
