// Peer of the canvas's flood fills: OpenCV's floodFill on the same pictures,
// one 32-bit value a pixel like the canvas, 4-connected, exact matches only.
// Built only when OpenCV is found; nothing else uses it.
#include <benchmark/benchmark.h>

#include <opencv2/imgproc.hpp>

#include "bench_pictures.h"

namespace korvel {
namespace {

using bench::kHeight;
using bench::kWidth;

void fill_alternately(benchmark::State& state, cv::Mat& picture, cv::Point seed) {
  float current = 0;
  for (auto _ : state) {
    const float next = current == 0 ? 1 : 0;
    cv::floodFill(picture, seed, cv::Scalar(next), nullptr, cv::Scalar(0), cv::Scalar(0), 4);
    current = next;
    benchmark::DoNotOptimize(picture.data);
  }
  if (picture.at<float>(kHeight - 1, kWidth - 2) != current) state.SkipWithError("not filled");
}

void BM_Canvas_peer_OpenCvFloodFillFullHd(benchmark::State& state) {
  cv::Mat picture(kHeight, kWidth, CV_32FC1, cv::Scalar(0));
  fill_alternately(state, picture, {kWidth / 2, kHeight / 2});
}
BENCHMARK(BM_Canvas_peer_OpenCvFloodFillFullHd)->Unit(benchmark::kMillisecond);

void BM_Canvas_peer_OpenCvFloodFillMaze(benchmark::State& state) {
  cv::Mat picture(kHeight, kWidth, CV_32FC1, cv::Scalar(0));
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (bench::maze_wall(x, y)) picture.at<float>(y, x) = 2;
  fill_alternately(state, picture, {0, 0});
}
BENCHMARK(BM_Canvas_peer_OpenCvFloodFillMaze)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
