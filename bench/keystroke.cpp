// One keystroke's work in the window: read two fields, calculate one offset and
// show it. This is what must stay far below one frame.
#include "calc/offsets.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void WallKeystroke(benchmark::State& state) {
    std::string texture = "128";
    std::string wall = "48.5";
    for (auto _ : state) {
        benchmark::DoNotOptimize(texture.data());
        const float t = calc::TextToNumber(texture);
        const float w = calc::TextToNumber(wall);
        std::string shown = calc::CalcWallOffset(2, t, w);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(WallKeystroke);

void FloorKeystroke(benchmark::State& state) {
    std::string position = "1.5";
    std::string coordinate = "-1234.75";
    for (auto _ : state) {
        benchmark::DoNotOptimize(coordinate.data());
        const float p = calc::TextToNumber(position);
        const float m = calc::TextToNumber(coordinate);
        std::string shown = calc::CalcFCOffset(p, m);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(FloorKeystroke);

void ArithmeticKeystroke(benchmark::State& state) {
    std::string texture = "256-48";
    std::string wall = "3*64";
    for (auto _ : state) {
        benchmark::DoNotOptimize(texture.data());
        const float t = calc::TextToNumber(texture);
        const float w = calc::TextToNumber(wall);
        std::string shown = calc::CalcWallOffset(3, t, w);
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(ArithmeticKeystroke);

} // namespace
