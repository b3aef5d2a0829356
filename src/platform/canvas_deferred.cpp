// Deferred lines, drawn by bands of rows, each band by one thread:
//
//   rows  0..31  thread 0     Bands go to the threads in turn, so that a
//   rows 32..63  thread 1     stroke gathered in one part of the picture
//   rows 64..95  thread 0     still shares the work. Each thread draws every
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

constexpr i64 kBandRows = 32;
// Below this many rows of lines in all, waking threads would cost more than
// they save.
constexpr i64 kRowsForThreads = 4096;

}  // namespace

int Canvas::default_line_threads() {
  // One core is left to the rest of the desktop, which has the frame to
  // show: on two cores, a second drawing thread only competes with it.
  const unsigned cores = std::thread::hardware_concurrency();
  return int(std::clamp<unsigned>(cores > 1 ? cores - 1 : 1, 1, 8));
}

void Canvas::set_line_threads(int threads) {
  settle();
  m_line_threads = std::clamp(threads, 0, 64);
}

void Canvas::draw_queued_line(detail::SpanWriter& out, const QueuedLine& l) const {
  if (l.lines == 1) {
    out.set_op(l.op);
    detail::line(out, l.from, l.to, l.width);
  } else {
    detail::line_band(out, l.from, l.to, l.width, {m_band_ops.data() + l.first_op, std::size_t(l.lines)});
  }
}

void Canvas::draw_queued() {
  if (m_queue.empty()) return;
  i64 rows = 0;
  if (m_line_threads > 1)
    for (const QueuedLine& l : m_queue) rows += l.last_row - l.first_row + 1;
  const int parts = rows >= kRowsForThreads ? m_line_threads : 1;
  std::vector<Rect> changed(static_cast<std::size_t>(parts));
  const auto part = [&](int t) {
    detail::SpanWriter out(m_bitmap, changed[std::size_t(t)], RasterOp{});
    for (const QueuedLine& l : m_queue) {
      const i64 first = l.first_row, end = l.last_row;
      if (parts == 1) {
        out.set_rows(first, end);
        draw_queued_line(out, l);
        continue;
      }
      // The first of this thread's bands that reaches the line, then every
      // parts-th band.
      i64 band = first / kBandRows;
      band += (t - band % parts + parts) % parts;
      for (; band * kBandRows <= end; band += parts) {
        out.set_rows(std::max(first, band * kBandRows), std::min(end, band * kBandRows + kBandRows - 1));
        draw_queued_line(out, l);
      }
    }
  };
  ThreadTeam::shared().run(parts, part);
  m_queue.clear();
  m_band_ops.clear();
  for (const Rect& r : changed) m_changed.unite(r);
}

}  // namespace korvel
