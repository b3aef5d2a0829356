// Deferred lines, drawn by bands of rows, each band by one thread:
//
//   rows  0..15  thread 0     Bands go to the threads in turn, so that a
//   rows 16..31  thread 1     stroke gathered in one part of the picture
//   rows 32..47  thread 0     still shares the work. Each thread draws every
//   ...                       queued line, in order, clipped to its bands.
//
// A pixel belongs to one band, so it receives exactly the writes it would
// have received had each line been drawn at its call, in the same order.
#include <algorithm>
#include <thread>
#include <utility>

#include "platform/canvas.h"
#include "platform/canvas_internal.h"
#include "platform/thread_team.h"

namespace korvel {

using detail::i64;

namespace {

constexpr i64 kBandRows = 16;
// Below this many rows of lines in all, waking threads would cost more than
// they save.
constexpr i64 kRowsForThreads = 4096;

// The rows a line may touch within the picture's 0..last: its ends' rows
// widened by the reach of the pen's disc. first > last when none.
std::pair<i64, i64> rows_of(TPoint from, TPoint to, int width, i64 last) {
  const i64 up = width <= 1 ? 0 : width / 2, down = width <= 1 ? 0 : (i64(width) - 1) / 2;
  return {std::max<i64>(std::min(from.y, to.y) - up, 0), std::min<i64>(std::max(from.y, to.y) + down, last)};
}

}  // namespace

int Canvas::default_line_threads() {
  return int(std::clamp<unsigned>(std::thread::hardware_concurrency(), 1, 8));
}

void Canvas::set_line_threads(int threads) {
  settle();
  m_line_threads = std::clamp(threads, 0, 64);
}

void Canvas::draw_queued() {
  if (m_queue.empty()) return;
  const i64 last = i64(height()) - 1;
  i64 rows = 0;
  for (const QueuedLine& l : m_queue) {
    const auto [first, end] = rows_of(l.from, l.to, l.width, last);
    rows += std::max<i64>(end - first + 1, 0);
  }
  const int parts = rows >= kRowsForThreads ? std::max(m_line_threads, 1) : 1;
  std::vector<Rect> changed(static_cast<std::size_t>(parts));
  const auto part = [&](int t) {
    detail::SpanWriter out(m_bitmap, changed[std::size_t(t)], RasterOp{});
    for (const QueuedLine& l : m_queue) {
      const auto [first, end] = rows_of(l.from, l.to, l.width, last);
      if (first > end) continue;
      out.set_op(l.op);
      if (parts == 1) {
        out.set_rows(first, end);
        detail::line(out, l.from, l.to, l.width);
        continue;
      }
      // The first of this thread's bands that reaches the line, then every
      // parts-th band.
      i64 band = first / kBandRows;
      band += (t - band % parts + parts) % parts;
      for (; band * kBandRows <= end; band += parts) {
        out.set_rows(std::max(first, band * kBandRows), std::min(end, band * kBandRows + kBandRows - 1));
        detail::line(out, l.from, l.to, l.width);
      }
    }
  };
  ThreadTeam::shared().run(parts, part);
  m_queue.clear();
  for (const Rect& r : changed) m_changed.unite(r);
}

}  // namespace korvel
