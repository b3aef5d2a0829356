// Peer of the canvas's wide XOR lines: QPainter's raster engine drawing the
// same strokes on a QImage of the same format, round caps, no antialiasing,
// XOR raster operation. Built only with the Qt view.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPen>

#include "bench_pictures.h"

namespace korvel {
namespace {

void BM_Canvas_peer_QPainterWideXorLines10000(benchmark::State& state) {
  const std::vector<bench::Segment> lines = bench::short_strokes();
  QImage picture(bench::kWidth, bench::kHeight, QImage::Format_RGB32);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(QColor(0x40, 0xC0, 0x80), bench::kStrokeWidth, Qt::SolidLine, Qt::RoundCap));
  for (auto _ : state) {
    for (const bench::Segment& s : lines) painter.drawLine(s.x0, s.y0, s.x1, s.y1);
    benchmark::DoNotOptimize(picture.constBits());
  }
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(lines.size()));
}
BENCHMARK(BM_Canvas_peer_QPainterWideXorLines10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
