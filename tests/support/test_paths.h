#pragma once
// Folders the tests read from: the shared decoder corpus and the repository's own fixtures.
#include <string>

namespace veltrane::test {

inline std::string sharedDir() { return VELTRANE_SHARED_DIR; }
inline std::string fixtureDir() { return VELTRANE_FIXTURE_DIR; }

}  // namespace veltrane::test
