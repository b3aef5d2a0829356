// Deferred lines drawn by bands on several threads: every other drawing
// call sees them drawn first, and neither a thread that cannot start nor a
// worker out of memory changes the picture or ends the program.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <new>
#include <random>
#include <system_error>
#include <thread>

#include "platform/canvas.h"
#include "platform/thread_team.h"

// Allocation that fails on every thread but the test's own while switched
// on: the drawing threads then find no memory for their shape caches.
namespace {
std::atomic<bool> g_fail_elsewhere{false};
std::atomic<std::thread::id> g_owner;
std::atomic<int> g_failed{0};
}  // namespace

void* operator new(std::size_t size) {
  if (g_fail_elsewhere.load(std::memory_order_relaxed) && std::this_thread::get_id() != g_owner.load()) {
    g_failed.fetch_add(1);
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// The pair of the operator new above: GCC sees the malloc inside it, not
// that the two are replaced together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
// The library's nothrow allocations (std::stable_sort's buffer) are freed
// through the sized delete above: they must come from malloc too.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return ::operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace korvel {
namespace {

class NoMemoryOnOtherThreads {
 public:
  NoMemoryOnOtherThreads() {
    g_owner = std::this_thread::get_id();
    g_failed = 0;
    g_fail_elsewhere = true;
  }
  ~NoMemoryOnOtherThreads() { g_fail_elsewhere = false; }
  NoMemoryOnOtherThreads(const NoMemoryOnOtherThreads&) = delete;
  NoMemoryOnOtherThreads& operator=(const NoMemoryOnOtherThreads&) = delete;
};

// Wide lines, shadow bands and thin lines in several modes over a tall
// picture: thousands of rows, so the batch is shared between threads.
// Widths and lengths no other test uses, so that the threads' shape caches
// have to be filled here.
void draw_strokes(Canvas& c, std::uint32_t seed) {
  std::mt19937 rng(seed);
  const auto coordinate = [&](int extent) { return int(rng() % unsigned(extent + 60)) - 30; };
  const TColor shades[5] = {RGB(250, 10, 10), RGB(200, 30, 10), RGB(150, 50, 10), RGB(100, 70, 10), RGB(50, 90, 10)};
  for (int i = 0; i < 400; ++i) {
    c.Pen.Mode = i % 4 == 0 ? pmXor : pmCopy;
    c.Pen.Color = RGB(rng() % 256, rng() % 256, rng() % 256);
    const TPoint a{coordinate(300), coordinate(3000)};
    const TPoint b{a.x + 17 + i % 23, a.y + 131 + i % 37};
    if (i % 3 == 0) {
      c.Pen.Width = 2;
      c.draw_band(a, b, std::span(shades).first(std::size_t(2 + i % 4)));
    } else {
      c.Pen.Width = i % 3 == 1 ? 1 : 41 + i % 19;
      c.MoveTo(a.x, a.y);
      c.LineTo(b.x, b.y);
    }
  }
}

TEST(LineBatch, AWorkerOutOfMemoryDrawsWhatOneThreadDraws) {
  Canvas plain(300, 3000, RGB(20, 20, 20));
  plain.set_line_threads(LineThreads::none());
  draw_strokes(plain, 3);
  for (const int threads : {2, 4}) {
    Canvas c(300, 3000, RGB(20, 20, 20));
    c.set_line_threads(LineThreads::of(threads));
    {
      const NoMemoryOnOtherThreads no_memory;
      const Canvas::DeferredLines deferred(c);
      draw_strokes(c, 3);
    }
    EXPECT_GT(g_failed.load(), 0) << "the other threads were not asked to draw";
    EXPECT_TRUE(c.bitmap() == plain.bitmap()) << threads << " threads";
    EXPECT_EQ(c.changed(), plain.changed()) << threads << " threads";
  }
}

// Every call that reads or writes the picture finds the deferred lines
// drawn first, in their place among the calls.
TEST(LineBatch, EveryDrawingCallFindsTheDeferredLinesDrawn) {
  const Bitmap square(30, 30, RGB(9, 9, 9));
  const TColor shades[3] = {RGB(0, 0, 255), RGB(0, 0, 200), RGB(0, 0, 150)};
  const std::pair<const char*, std::function<void(Canvas&)>> calls[] = {
      {"line", [](Canvas& c) { c.MoveTo(0, 10), c.LineTo(200, 4000); }},
      {"band", [&](Canvas& c) { c.draw_band({0, 10}, {200, 4000}, shades); }},
      {"rectangle fill", [](Canvas& c) { c.FillRect(0, 0, 150, 3000); }},
      {"surface fill", [](Canvas& c) { c.FloodFill(199, 4199, RGB(90, 90, 90), fsSurface); }},
      {"border fill", [](Canvas& c) { c.FloodFill(199, 4199, RGB(255, 255, 255), fsBorder); }},
      {"ellipse", [](Canvas& c) { c.Ellipse(-20, -20, 180, 3900); }},
      {"bitmap", [&](Canvas& c) { c.Draw(40, 40, square); }},
      {"pixel read", [](Canvas& c) {
         const TColor under = c.Pixels(60, 1000);
         c.Brush.Color = under == clInvalid ? clRed : under;
         c.FillRect(0, 0, 200, 4200);
       }},
  };
  for (const auto& [what, call] : calls) {
    const auto run = [&](Canvas& c) {
      c.Pen = {RGB(255, 255, 255), 3, psSolid, pmXor};
      c.Brush.Color = RGB(0, 200, 0);
      const Canvas::DeferredLines deferred(c);
      for (int i = 0; i < 40; ++i) c.MoveTo(i * 5, 0), c.LineTo(200 - i * 5, 4199);
      call(c);
      c.Pen.Mode = pmXor;
      for (int i = 0; i < 40; ++i) c.MoveTo(0, i * 100), c.LineTo(199, 4199 - i * 100);
    };
    Canvas plain(200, 4200, RGB(90, 90, 90));
    plain.set_line_threads(LineThreads::none());
    run(plain);
    Canvas c(200, 4200, RGB(90, 90, 90));
    c.set_line_threads(LineThreads::of(2));
    run(c);
    EXPECT_TRUE(c.bitmap() == plain.bitmap()) << what;
    EXPECT_EQ(c.changed(), plain.changed()) << what;
  }
}

// A team whose threads start only while `allowed` is above 0.
struct LimitedStarts {
  int allowed = 0;
  ThreadTeam::Starter starter() {
    return [this](std::function<void(std::stop_token)> f) {
      if (allowed <= 0) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      --allowed;
      return std::jthread(std::move(f));
    };
  }
};

TEST(ThreadTeam, WhenAThreadCannotStartEveryPartRunsOnTheCallingThreadInOrder) {
  LimitedStarts limit{1};
  ThreadTeam team(limit.starter());
  std::mutex mutex;
  std::vector<std::pair<int, std::thread::id>> ran;
  const std::function<void(int)> part = [&](int i) {
    std::lock_guard lock(mutex);
    ran.emplace_back(i, std::this_thread::get_id());
  };
  const std::thread::id here = std::this_thread::get_id();
  // One thread starts, the second does not.
  team.run(4, part);
  const std::vector<std::pair<int, std::thread::id>> here_in_order = {{0, here}, {1, here}, {2, here}, {3, here}};
  EXPECT_EQ(ran, here_in_order);
  // Once threads can start again, the next job shares the parts out.
  limit.allowed = 8;
  ran.clear();
  team.run(4, part);
  std::sort(ran.begin(), ran.end());
  ASSERT_EQ(ran.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ran[std::size_t(i)].first, i);
    EXPECT_EQ(ran[std::size_t(i)].second == here, i == 0) << "part " << i;
  }
}

}  // namespace
}  // namespace korvel
