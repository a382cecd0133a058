#pragma once
// A program-wide mark that a window is in the middle of timed work it must finish before
// anything else drives the program (an automatic PCNN run). The script runner starts no line
// while the gate is held.
namespace veltrane {

class BusyGate {
public:
    // Holds the gate for its lifetime; holds nest.
    class Hold {
    public:
        Hold();
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
    };

    static bool held();
};

}  // namespace veltrane
