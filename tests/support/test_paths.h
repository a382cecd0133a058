#pragma once
// The folder of files the tests read: the decoder corpus kept in tests/data.
#include <string>

namespace veltrane::test {

inline std::string dataDir() { return VELTRANE_TEST_DATA_DIR; }

}  // namespace veltrane::test
