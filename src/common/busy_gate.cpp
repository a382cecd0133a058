#include "common/busy_gate.h"

namespace veltrane {

namespace {
int holds = 0;  // window thread only
}  // namespace

BusyGate::Hold::Hold() { ++holds; }
BusyGate::Hold::~Hold() { --holds; }

bool BusyGate::held() { return holds > 0; }

}  // namespace veltrane
