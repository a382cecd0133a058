#pragma once
// `veltrane batch`: the command line, its help, and the run. Needs no display and no Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/batch_inputs.h"
#include "batch/batch_operations.h"

namespace veltrane {

// Exit status for a command line that cannot run.
inline constexpr int kBatchUsageError = 2;

struct BatchOptions {
    std::vector<Operation> operations;
    std::vector<std::string> inputs;
    std::string outputDir;
    OutputFormat format = OutputFormat::SameAsInput;
    bool overwrite = false;
    bool inPlace = false;
    bool yes = false;
    int jobs = 0;  // 0: one per core
    std::uint32_t seed = 1;
    bool recursive = false;
    bool quiet = false;
    bool json = false;
    bool list = false;
    bool help = false;
};

// Parses the arguments after "batch". Throws UsageError.
BatchOptions parseBatchOptions(const std::vector<std::string>& args);

// The text of `veltrane batch --help`.
std::string batchHelpText();

// Runs `veltrane batch` on the arguments after "batch" and returns the exit status.
int runBatchCommand(const std::vector<std::string>& args);

}  // namespace veltrane
