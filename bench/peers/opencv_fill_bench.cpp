// Peer of the canvas's flood fills: OpenCV's floodFill on the same pictures,
// one 32-bit value a pixel like the canvas, 4-connected, exact matches only:
// as integers (CV_32SC1, the same bytes moved as the canvas's pixels) and,
// as a second peer, as floats (CV_32FC1). Built only when OpenCV is found;
// nothing else uses it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <opencv2/imgproc.hpp>

#include "bench_pictures.h"

namespace korvel {
namespace {

using bench::kHeight;
using bench::kWidth;

template <class Pixel>
void fill_alternately(benchmark::State& state, cv::Mat& picture, cv::Point seed) {
  Pixel current = 0;
  for (auto _ : state) {
    const Pixel next = current == 0 ? 1 : 0;
    cv::floodFill(picture, seed, cv::Scalar(next), nullptr, cv::Scalar(0), cv::Scalar(0), 4);
    current = next;
    benchmark::DoNotOptimize(picture.data);
  }
  if (picture.at<Pixel>(kHeight - 1, kWidth - 2) != current) state.SkipWithError("not filled");
}

template <class Pixel>
void full_hd(benchmark::State& state, int type) {
  cv::Mat picture(kHeight, kWidth, type, cv::Scalar(0));
  fill_alternately<Pixel>(state, picture, {kWidth / 2, kHeight / 2});
}

template <class Pixel>
void maze(benchmark::State& state, int type) {
  cv::Mat picture(kHeight, kWidth, type, cv::Scalar(0));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (bench::maze_wall(x, y)) picture.at<Pixel>(y, x) = 2;
  fill_alternately<Pixel>(state, picture, {0, 0});
}

void BM_Canvas_peer_OpenCvFloodFillFullHd(benchmark::State& state) { full_hd<std::int32_t>(state, CV_32SC1); }
BENCHMARK(BM_Canvas_peer_OpenCvFloodFillFullHd)->Unit(benchmark::kMillisecond);

void BM_Canvas_peer_OpenCvFloodFillMaze(benchmark::State& state) { maze<std::int32_t>(state, CV_32SC1); }
BENCHMARK(BM_Canvas_peer_OpenCvFloodFillMaze)->Unit(benchmark::kMillisecond);

void BM_Canvas_peer_OpenCvFloatFloodFillFullHd(benchmark::State& state) { full_hd<float>(state, CV_32FC1); }
BENCHMARK(BM_Canvas_peer_OpenCvFloatFloodFillFullHd)->Unit(benchmark::kMillisecond);

void BM_Canvas_peer_OpenCvFloatFloodFillMaze(benchmark::State& state) { maze<float>(state, CV_32FC1); }
BENCHMARK(BM_Canvas_peer_OpenCvFloatFloodFillMaze)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
