// The PCNN window's source reduction and one network pass, and the fractal window's drawings.
// Both windows work on 256 × 256 pictures; what matters is that a PCNN pass costs far less than
// the 50 ms pause between passes and that a fractal click redraws at once. One thread.
#include <exception>

#include "bench_pictures.h"
#include "fractal/fractal_draw.h"
#include "image/letterbox.h"
#include "pcnn/pcnn_network.h"

namespace veltrane::bench {
namespace {

void smallRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->MinTime(0.5)->Repetitions(3)->ReportAggregatesOnly(true);
}

ColorPlanes pcnnSource() {
    const ColorPlanes& current = sunsetDocument().current;
    return buildLetterbox(current, letterboxGeometry(current.width, current.height, PcnnNetwork::kSide));
}

// The PCNN window's PrepareSource from the 12-MP planes.
void BM_PcnnPrepareSource(benchmark::State& state) {
    try {
        const ColorPlanes& current = sunsetDocument().current;
        for (auto _ : state) {
            ColorPlanes source = buildLetterbox(current, letterboxGeometry(current.width, current.height, 256));
            benchmark::DoNotOptimize(source.R.data());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
BENCHMARK(BM_PcnnPrepareSource)->Apply(smallRun);

// One pass of a 30-pass run (the network restarts, untimed, after every 30 passes).
void pcnnPass(benchmark::State& state, PcnnInput input) {
    try {
        const ColorPlanes source = pcnnSource();
        PcnnParameters parameters;
        parameters.passes = 30;
        parameters.input = input;
        PcnnNetwork network;
        Bitmap24 work(256, 256);
        for (auto _ : state) {
            if (!network.running() || network.passesDone() == parameters.passes) {
                state.PauseTiming();
                network.ResetNetwork();
                network.StartRun(source, parameters);
                state.ResumeTiming();
            }
            benchmark::DoNotOptimize(network.Pass(work));
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
void BM_PcnnPassLuminance(benchmark::State& state) { pcnnPass(state, PcnnInput::Luminance); }
void BM_PcnnPassRgb(benchmark::State& state) { pcnnPass(state, PcnnInput::Rgb); }
BENCHMARK(BM_PcnnPassLuminance)->Apply(smallRun);
BENCHMARK(BM_PcnnPassRgb)->Apply(smallRun);

void drawFractal(benchmark::State& state, FractalKind kind, const FractalView& view) {
    for (auto _ : state) {
        ColorPlanes planes = DrawFractal(kind, view);
        benchmark::DoNotOptimize(planes.R.data());
    }
}
// The first pictures the two commands draw.
void BM_MandelbrotFirstPicture(benchmark::State& state) {
    drawFractal(state, FractalKind::Mandelbrot, kMandelbrotStartView);
}
void BM_JuliaFirstPicture(benchmark::State& state) { drawFractal(state, FractalKind::Julia, kJuliaStartView); }
// The worst view: every point inside the main cardioid, so all 65,536 reach 257 iterations.
void BM_MandelbrotAllInside(benchmark::State& state) {
    drawFractal(state, FractalKind::Mandelbrot, FractalView{-0.1, 0.0, 0.0001});
}
BENCHMARK(BM_MandelbrotFirstPicture)->Apply(smallRun);
BENCHMARK(BM_JuliaFirstPicture)->Apply(smallRun);
BENCHMARK(BM_MandelbrotAllInside)->Apply(smallRun);

}  // namespace
}  // namespace veltrane::bench
