#pragma once
// The pulse-coupled neural network of the PCNN window, run over the window's 256 × 256
// letterboxed source.
//
// Per channel c (0, 1, 2) the network holds five 256 × 256 fields of doubles, indexed
// [row][column]: stimulus S, feed F, link L, activity U and threshold T, and one 258 × 258
// pulse map Y of 0 or 1 whose cell [row + 1][column + 1] is the pulse of pixel (row, column),
// with a one-cell border around them. Luminance input uses channel 0 only; RGB input uses
// channel 0 for red, 1 for green, 2 for blue.
//
// A run, as the window drives it: ResetNetwork, StartRun, then N calls of Pass (one per tick in
// automatic mode, one per click in step mode), then EndRun. Every buffer is allocated when the
// network is made; nothing afterwards allocates, and a call with a picture of the wrong size
// throws std::invalid_argument before it changes anything.
#include <cstdint>
#include <vector>

#include "image/bitmap24.h"
#include "image/color_planes.h"
#include "pcnn/pcnn_settings.h"

namespace veltrane {

// Decay factors per pass, 2.718 to the power −0.92, −1.61 and −0.525 (base 2.718, not e).
extern const double kPcnnLinkDecay;       // 0.3985570574…
extern const double kPcnnFeedDecay;       // 0.1999209844…
extern const double kPcnnThresholdDecay;  // 0.5915875661…

// What the window shows after a pass.
struct PcnnPassReport {
    int progress;    // the bar: pcnnProgress(passes done before this one, N)
    int passNumber;  // passes done now (1-based); Label2 is pcnnPassLabel(passNumber, N)
    bool last;       // passNumber has reached N: the window ends the run
};

class PcnnNetwork {
public:
    static constexpr int kSide = 256;
    static constexpr int kPulseSide = kSide + 2;
    static constexpr int kChannels = 3;

    // A network with every field and pulse at 0, and no run under way.
    PcnnNetwork();

    // Sets S, F, L, U, T of all three channels and all three pulse maps, borders included, to 0.
    void ResetNetwork();

    // Takes the run's parameters and computes the stimulus of the active channels from the
    // 256 × 256 source planes: luminance (30 R + 59 G + 11 B) × (1 / 25500) into channel 0, or
    // each channel × (1 / 255). In RGB mode the colour pair keeps its last value. Sets the pass
    // counter to 0. Does not reset the other fields: ResetNetwork comes first.
    void StartRun(const ColorPlanes& source, const PcnnParameters& parameters);

    // One pass over the active channels, writing the 256 × 256 pulse picture into `result`
    // (planes or the window's work bitmap): in luminance mode each pixel takes the fired or the
    // not-fired colour of the colour pair; in RGB mode each channel is 255 where it fired and 0
    // where it did not.
    PcnnPassReport Pass(ColorPlanes& result);
    PcnnPassReport Pass(Bitmap24& result);

    // Ends the run: the pass counter goes back to 0. The window also sets the bar to 0 and its
    // width back to 590. The network's fields stay as the last pass left them.
    void EndRun();

    // The step counter: passes done in the current run, 0 when no run is under way.
    int passesDone() const { return passesDone_; }
    bool running() const { return running_; }
    const PcnnParameters& parameters() const { return parameters_; }

    double stimulus(int c, int row, int col) const { return channels_[c].S[cell(row, col)]; }
    double feed(int c, int row, int col) const { return channels_[c].F[cell(row, col)]; }
    double link(int c, int row, int col) const { return channels_[c].L[cell(row, col)]; }
    double activity(int c, int row, int col) const { return channels_[c].U[cell(row, col)]; }
    double threshold(int c, int row, int col) const { return channels_[c].T[cell(row, col)]; }
    // A cell of the 258 × 258 pulse map: pixel (row, column) is pulse(c, row + 1, column + 1).
    std::uint8_t pulse(int c, int mapRow, int mapCol) const {
        return channels_[c].Y[static_cast<std::size_t>(mapRow) * kPulseSide + static_cast<std::size_t>(mapCol)];
    }

private:
    struct Channel {
        std::vector<double> S, F, L, U, T;
        std::vector<std::uint8_t> Y;
    };

    static std::size_t cell(int row, int col) {
        return static_cast<std::size_t>(row) * kSide + static_cast<std::size_t>(col);
    }
    int activeChannels() const { return parameters_.input == PcnnInput::Rgb ? kChannels : 1; }

    void updateActivity(Channel& channel) const;
    void fire(Channel& channel) const;
    static void copyBorder(std::vector<std::uint8_t>& pulses);
    template <typename WritePixel>
    PcnnPassReport runPass(WritePixel writePixel);

    Channel channels_[kChannels];
    PcnnParameters parameters_;
    int passesDone_ = 0;
    bool running_ = false;
};

}  // namespace veltrane
