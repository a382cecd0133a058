#include "pcnn/pcnn_network.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "pcnn/pcnn_progress.h"

namespace veltrane {

const double kPcnnLinkDecay = std::pow(2.718, -0.92);
const double kPcnnFeedDecay = std::pow(2.718, -1.61);
const double kPcnnThresholdDecay = std::pow(2.718, -0.525);

namespace {

constexpr std::size_t kCells = static_cast<std::size_t>(PcnnNetwork::kSide) * PcnnNetwork::kSide;
constexpr std::size_t kPulseCells = static_cast<std::size_t>(PcnnNetwork::kPulseSide) * PcnnNetwork::kPulseSide;

bool isBoxPlanes(const ColorPlanes& planes) {
    return planes.width == PcnnNetwork::kSide && planes.height == PcnnNetwork::kSide && planes.R.size() == kCells &&
           planes.G.size() == kCells && planes.B.size() == kCells;
}

void requireBox(bool ok, const char* what) {
    if (!ok) throw std::invalid_argument(what);
}

}  // namespace

PcnnNetwork::PcnnNetwork() {
    for (Channel& channel : channels_) {
        for (std::vector<double>* field : {&channel.S, &channel.F, &channel.L, &channel.U, &channel.T})
            field->assign(kCells, 0.0);
        channel.Y.assign(kPulseCells, 0);
    }
}

void PcnnNetwork::ResetNetwork() {
    for (Channel& channel : channels_) {
        for (std::vector<double>* field : {&channel.S, &channel.F, &channel.L, &channel.U, &channel.T})
            std::fill(field->begin(), field->end(), 0.0);
        std::fill(channel.Y.begin(), channel.Y.end(), std::uint8_t{0});
    }
}

void PcnnNetwork::StartRun(const ColorPlanes& source, const PcnnParameters& parameters) {
    requireBox(isBoxPlanes(source), "PCNN source must be 256 x 256");
    requireBox(parameters.passes >= 1, "PCNN run needs at least one pass");
    const bool luminance = parameters.input == PcnnInput::Luminance;
    if (luminance)
        requireBox(parameters.colourPair >= 0 && parameters.colourPair < static_cast<int>(kPcnnColourPairs.size()),
                   "PCNN colour pair out of range");

    const int keptPair = parameters_.colourPair;
    parameters_ = parameters;
    if (!luminance) parameters_.colourPair = keptPair;
    passesDone_ = 0;
    running_ = true;

    const std::uint8_t* r = source.R.data();
    const std::uint8_t* g = source.G.data();
    const std::uint8_t* b = source.B.data();
    if (luminance) {
        double* s = channels_[0].S.data();
        for (std::size_t i = 0; i < kCells; ++i) s[i] = (30 * r[i] + 59 * g[i] + 11 * b[i]) * (1.0 / 25500);
        return;
    }
    const std::uint8_t* planes[kChannels] = {r, g, b};
    for (int c = 0; c < kChannels; ++c) {
        double* s = channels_[c].S.data();
        for (std::size_t i = 0; i < kCells; ++i) s[i] = planes[c][i] * (1.0 / 255);
    }
}

// First sweep: reads only the previous pass's pulses, so it finishes over every pixel before
// any pulse of this pass is written.
void PcnnNetwork::updateActivity(Channel& channel) const {
    const double beta = parameters_.beta;
    for (int y = 0; y < kSide; ++y) {
        // Map rows y, y + 1, y + 2 are the pixel rows above, at and below y; map column x + 1
        // is pixel column x.
        const std::uint8_t* above = channel.Y.data() + static_cast<std::size_t>(y) * kPulseSide;
        const std::uint8_t* same = above + kPulseSide;
        const std::uint8_t* below = same + kPulseSide;
        const double* S = channel.S.data() + cell(y, 0);
        double* F = channel.F.data() + cell(y, 0);
        double* L = channel.L.data() + cell(y, 0);
        double* U = channel.U.data() + cell(y, 0);
        for (int x = 0; x < kSide; ++x) {
            // The kernel (0.25 0.5 0.25 / 0.5 1 0.5 / 0.25 0.5 0.25) times four, summed over
            // the 0/1 pulses: n = 0.25 × Σ W × Y = weighted / 16. Every partial sum of the
            // written form is a multiple of 0.25 below 5, held exactly, so this is the same
            // double in any order.
            const int weighted = (above[x] + 2 * above[x + 1] + above[x + 2]) +
                                 2 * (same[x] + 2 * same[x + 1] + same[x + 2]) +
                                 (below[x] + 2 * below[x + 1] + below[x + 2]);
            const double n = weighted * 0.0625;
            L[x] = kPcnnLinkDecay * L[x] + n;
            F[x] = kPcnnFeedDecay * F[x] + n + S[x];
            U[x] = F[x] * (1.0 + beta * L[x]);
        }
    }
}

// Second sweep: a pixel fires when its activity is strictly above its threshold; the threshold
// then decays and takes V for a pulse of this pass.
void PcnnNetwork::fire(Channel& channel) const {
    const double step = parameters_.thresholdStep;
    for (int y = 0; y < kSide; ++y) {
        std::uint8_t* Y = channel.Y.data() + static_cast<std::size_t>(y + 1) * kPulseSide + 1;
        const double* U = channel.U.data() + cell(y, 0);
        double* T = channel.T.data() + cell(y, 0);
        for (int x = 0; x < kSide; ++x) {
            Y[x] = U[x] > T[x] ? 1 : 0;
            T[x] = kPcnnThresholdDecay * T[x] + step * Y[x];
        }
    }
}

// Rows 1..256 copy column 1 into 0 and 256 into 257; then columns 0..256 (not 257) copy row 1
// into 0 and 256 into 257. Cells [0][257] and [257][257] therefore keep the 0 of the reset for
// the whole run, and pixels (0, 255) and (255, 255) see a 0 there.
void PcnnNetwork::copyBorder(std::vector<std::uint8_t>& pulses) {
    std::uint8_t* map = pulses.data();
    auto at = [map](int row, int col) -> std::uint8_t& {
        return map[static_cast<std::size_t>(row) * kPulseSide + static_cast<std::size_t>(col)];
    };
    for (int row = 1; row <= kSide; ++row) {
        at(row, 0) = at(row, 1);
        at(row, kSide + 1) = at(row, kSide);
    }
    for (int col = 0; col <= kSide; ++col) {
        at(0, col) = at(1, col);
        at(kSide + 1, col) = at(kSide, col);
    }
}

template <typename WritePixel>
PcnnPassReport PcnnNetwork::runPass(WritePixel writePixel) {
    const int active = activeChannels();
    for (int c = 0; c < active; ++c) updateActivity(channels_[c]);
    for (int c = 0; c < active; ++c) fire(channels_[c]);

    auto fired = [this](int c, int y, int x) { return pulse(c, y + 1, x + 1) != 0; };
    if (parameters_.input == PcnnInput::Luminance) {
        const PcnnColourPair& pair = kPcnnColourPairs[static_cast<std::size_t>(parameters_.colourPair)];
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) writePixel(y, x, fired(0, y, x) ? pair.fired : pair.notFired);
    } else {
        auto level = [](bool on) { return static_cast<std::uint8_t>(on ? 255 : 0); };
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                writePixel(y, x, PcnnRgb{level(fired(0, y, x)), level(fired(1, y, x)), level(fired(2, y, x))});
    }

    for (int c = 0; c < active; ++c) copyBorder(channels_[c].Y);

    const int before = passesDone_;
    ++passesDone_;
    return {pcnnProgress(before, parameters_.passes), passesDone_, passesDone_ >= parameters_.passes};
}

PcnnPassReport PcnnNetwork::Pass(ColorPlanes& result) {
    requireBox(isBoxPlanes(result), "PCNN result planes must be 256 x 256");
    return runPass([&result](int y, int x, const PcnnRgb& colour) {
        result.R[y][x] = colour.r;
        result.G[y][x] = colour.g;
        result.B[y][x] = colour.b;
    });
}

PcnnPassReport PcnnNetwork::Pass(Bitmap24& result) {
    requireBox(result.width() == kSide && result.height() == kSide, "PCNN work bitmap must be 256 x 256");
    return runPass([&result](int y, int x, const PcnnRgb& colour) {
        std::uint8_t* pixel = result.row(y) + 3 * x;
        pixel[0] = colour.b;
        pixel[1] = colour.g;
        pixel[2] = colour.r;
    });
}

void PcnnNetwork::EndRun() {
    passesDone_ = 0;
    running_ = false;
}

}  // namespace veltrane
