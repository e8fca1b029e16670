#include "app/platform/async_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

// Processes events until `done` holds or `timeoutMs` passed; returns `done()`.
template <typename Predicate>
bool PumpUntil(Predicate done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeoutMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return done();
}

TEST(TAsyncTimer, TicksRunOnTheOwningThread) {
  TAsyncTimer timer;
  std::vector<QThread*> threads;
  timer.SetOnTimer([&] { threads.push_back(QThread::currentThread()); });
  timer.SetInterval(5);
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return threads.size() >= 3; }, 5000));
  for (QThread* thread : threads) EXPECT_EQ(thread, QCoreApplication::instance()->thread());
}

TEST(TAsyncTimer, TicksNeverOverlapEvenWhenTheHandlerRunsEvents) {
  TAsyncTimer timer;
  int running = 0;
  int mostAtOnce = 0;
  int ticks = 0;
  timer.SetOnTimer([&] {
    ++running;
    mostAtOnce = std::max(mostAtOnce, running);
    QTest::qWait(20);  // a nested event loop would run a second tick if one were handed over
    --running;
    ++ticks;
  });
  timer.SetInterval(1);
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 5; }, 5000));
  EXPECT_EQ(mostAtOnce, 1);
}

struct IdleCase {
  const char* name;
  quint16 interval;
  bool enable;
};

class TAsyncTimerIdle : public testing::TestWithParam<IdleCase> {};

TEST_P(TAsyncTimerIdle, DeliversNoTicks) {
  TAsyncTimer timer;
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetInterval(GetParam().interval);
  timer.SetEnabled(GetParam().enable);
  QTest::qWait(150);
  EXPECT_EQ(ticks, 0);
}

INSTANTIATE_TEST_SUITE_P(TAsyncTimer, TAsyncTimerIdle,
                         testing::Values(IdleCase{"NeverEnabled", 1, false},
                                         IdleCase{"EnabledAtIntervalZero", 0, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TAsyncTimer, StopsTickingWhenDisabled) {
  TAsyncTimer timer;
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetInterval(2);
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 5000));
  timer.SetEnabled(false);
  const int ticksWhenDisabled = ticks;
  QTest::qWait(150);
  EXPECT_EQ(ticks, ticksWhenDisabled);
}

TEST(TAsyncTimer, DropsATickHandedOverBeforeAPause) {
  TAsyncTimer timer;
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetInterval(50);
  timer.SetEnabled(true);
  // Keep the main thread busy past the interval so the worker hands a tick over and waits.
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  QCoreApplication::processEvents();
  EXPECT_EQ(ticks, 0);
}

TEST(TAsyncTimer, StartsTickingWhenTheIntervalLeavesZero) {
  TAsyncTimer timer;
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetInterval(0);
  timer.SetEnabled(true);
  timer.SetInterval(5);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }, 5000));
}

TEST(TAsyncTimer, EveryResumeWaitsAFullInterval) {
  TAsyncTimer timer;
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetInterval(300);
  timer.SetEnabled(true);
  QElapsedTimer sinceResume;
  // Pausing and resuming every 100 ms never lets a 300 ms wait run out.
  for (int i = 0; i < 8; ++i) {
    QTest::qWait(100);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    sinceResume.start();
  }
  EXPECT_EQ(ticks, 0);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }, 5000));
  EXPECT_GE(sinceResume.elapsed(), 295);
}

TEST(TAsyncTimer, EnablingAnEnabledTimerDoesNotRestartTheInterval) {
  TAsyncTimer timer;
  int ticks = 0;
  timer.SetOnTimer([&] { ++ticks; });
  timer.SetInterval(200);
  timer.SetEnabled(true);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 1000) {
    timer.SetEnabled(true);
    QTest::qWait(50);
  }
  EXPECT_GE(ticks, 1);
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
  EXPECT_TRUE(PumpUntil([&] { return deleted; }, 5000));
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

}  // namespace
