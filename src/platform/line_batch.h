#pragma once
// Lines queued to be drawn together, by bands of rows on several threads:
//
//   rows    0..399   thread 0     The bands are cut where the lines' rows
//   rows  400..1079  thread 1     are shared evenly, so that a stroke gathered
//                                 in one part of the picture still shares the
//                                 work. Each thread draws every queued line
//                                 that reaches its band, in order, clipped to it.
//
// A pixel belongs to one band, so it receives exactly the writes it would
// have received had each line been drawn at its call, in the same order.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/bitmap.h"
#include "platform/changed_area.h"
#include "platform/colour.h"
#include "platform/geometry.h"
#include "platform/raster_op.h"

namespace korvel {

class ThreadTeam;

// How many threads draw a batch: 1 to 64, or none, which draws every line
// at its call even while lines are deferred (the plain path).
class LineThreads {
 public:
  static constexpr LineThreads none() { return LineThreads(0); }
  static constexpr LineThreads of(int count) { return LineThreads(std::clamp(count, 1, 64)); }
  // One less than the processor's cores, at least 1 and at most 8.
  static LineThreads machine_default();

  bool is_none() const { return m_count == 0; }
  // 0 for none.
  int count() const { return m_count; }
  friend bool operator==(LineThreads, LineThreads) = default;

 private:
  constexpr explicit LineThreads(int count) : m_count(count) {}
  int m_count;
};

class LineBatch {
 public:
  LineThreads threads() const { return m_threads; }
  // Takes effect for the lines queued next: the caller draws the batch first.
  void set_threads(LineThreads threads) { m_threads = threads; }

  // Deferring is opened and closed in pairs, nested; close() is true when
  // the last one closes.
  void open() { ++m_open; }
  bool close() { return --m_open == 0; }
  // True when lines are queued rather than drawn at their call.
  bool queues() const { return m_open > 0 && !m_threads.is_none(); }

  bool empty() const { return m_queue.empty(); }
  // True when the batch should be drawn before more is queued.
  bool full() const { return m_queue.size() >= kQueuedLines || m_band_ops.size() >= kQueuedLines; }

  // Queues a line of that pen width, unless it touches no row of a picture
  // of `height` rows.
  void add_line(TPoint from, TPoint to, int width, RasterOp op, int height);
  // Queues a band of colours.size() >= 2 lines (see Canvas::draw_band), the
  // last line's ends within 32 bits.
  void add_band(TPoint from, TPoint to, int width, TPenMode mode, std::span<const TColor> colours, int height);

  // Draws every queued line on `bitmap`, adds what they touched to
  // `changed` (the bounds, and each line's own box within them), and
  // empties the batch; returns the bounds. Never throws: a thread that cannot
  // start leaves its part to the calling thread, and a line drawn where
  // memory has run out is drawn without the shapes it would have kept.
  Rect draw(Bitmap& bitmap, ChangedArea& changed) noexcept;

 private:
  // A line waiting to be drawn, with the pen it was given and the rows of
  // the picture it may touch; or a band of `lines` lines from `from` to
  // `to`, whose raster ops are m_band_ops[first_op] on.
  struct QueuedLine {
    TPoint from, to;
    int width;
    int first_row, last_row;
    RasterOp op;
    int lines = 1;
    std::uint32_t first_op = 0;
  };
  // Lines queued before they are drawn: about half a megabyte.
  static constexpr std::size_t kQueuedLines = 16384;

  void add(QueuedLine line, int height);
  // Where a queued line may draw: its ends widened by the pen's reach and a
  // band's steps, both sides, within the rows it may touch.
  static Rect box(const QueuedLine& line);
  // Draws the queued lines that reach rows first..last, clipped to them.
  void draw_rows(Bitmap& bitmap, Rect& changed, std::int64_t first, std::int64_t last) const;
  // Where rows 0 to height - 1 are cut into `parts` bands holding about as
  // many rows of queued lines each (`rows` in all): parts + 1 rows.
  std::vector<std::int64_t> cut_rows(int parts, std::int64_t rows, int height) const;

  LineThreads m_threads = LineThreads::machine_default();
  int m_open = 0;
  std::vector<QueuedLine> m_queue;
  std::vector<Rect> m_boxes;  // the drawn lines' boxes, kept for their memory
  std::vector<RasterOp> m_band_ops;  // the queued bands' ops
  // The colours and mode of the last ops added, at m_band_first_op.
  std::vector<TColor> m_band_colours;
  TPenMode m_band_mode = pmCopy;
  std::uint32_t m_band_first_op = 0;
};

}  // namespace korvel
