#pragma once
// The windows that live for the whole run, reachable by their global names as every
// window of the program reaches them.
namespace veltrane {

class TMain;
class TProgress;
class THistogram;

extern TMain* Main;
extern TProgress* Progress;
extern THistogram* Histogram;

}  // namespace veltrane
