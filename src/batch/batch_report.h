#pragma once
// What a batch tells people and programs: the progress bar on a terminal, one line per
// failure or skip, a JSON object per picture, the summary line.
#include <chrono>
#include <cstdio>
#include <string>

#include "batch/batch_inputs.h"
#include "batch/batch_pipeline.h"

namespace veltrane {

struct ReportSettings {
    bool quiet = false;        // no bar, no skip lines, no summary: failures only
    bool json = false;         // one JSON object per picture on standard output
    bool progressBar = false;  // standard error is a terminal
};

// A string as a JSON string literal, quotes included. Bytes that are not valid UTF-8 become
// U+FFFD, so the output stays valid JSON whatever the file names hold.
std::string jsonString(const std::string& text);

// The bar line (without the leading carriage return): done / total, rate and time left.
std::string progressLine(std::size_t done, std::size_t total, double elapsedSeconds);

// Not thread-safe: the runner calls it under its own lock.
class BatchReport {
public:
    BatchReport(ReportSettings settings, std::size_t total, std::FILE* out, std::FILE* err);

    void pictureDone(const BatchPicture& picture, const PictureOutcome& outcome, double milliseconds);
    // The summary line, after the bar is cleared. interrupted: pictures never started.
    void finish(std::size_t notStarted);

    std::size_t written() const { return written_; }
    std::size_t skipped() const { return skipped_; }
    std::size_t failed() const { return failed_; }

private:
    void clearBar();
    void drawBar();

    ReportSettings settings_;
    std::size_t total_;
    std::FILE* out_;
    std::FILE* err_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t written_ = 0, skipped_ = 0, failed_ = 0;
};

}  // namespace veltrane
