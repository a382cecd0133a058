#include "batch/batch_report.h"

#include <cmath>

namespace veltrane {

namespace {

// The length of the UTF-8 sequence starting at text[i], or 0 when it is not a valid one.
std::size_t utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return n;
}

std::string seconds(double s) {
    char text[32];
    const long whole = std::lround(s);
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

const char* statusWord(PictureStatus status) {
    switch (status) {
        case PictureStatus::Written: return "written";
        case PictureStatus::Skipped: return "skipped";
        case PictureStatus::Failed: break;
    }
    return "failed";
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t n = utf8Length(text, i);
        if (n == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text, i, n);
        }
        i += n;
    }
    return out + "\"";
}

std::string progressLine(std::size_t done, std::size_t total, double elapsedSeconds) {
    constexpr int kWidth = 30;
    const int filled = total == 0 ? kWidth : static_cast<int>(static_cast<double>(done) * kWidth / static_cast<double>(total));
    std::string line(1, '[');
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kWidth - filled), '.');
    line += "] ";
    line += std::to_string(done) + "/" + std::to_string(total);
    if (done > 0 && elapsedSeconds > 0) {
        const double rate = static_cast<double>(done) / elapsedSeconds;
        char text[48];
        std::snprintf(text, sizeof text, "  %.1f pictures/s", rate);
        line += text;
        line += "  " + seconds(static_cast<double>(total - done) / rate) + " left";
    }
    return line;
}

BatchReport::BatchReport(ReportSettings settings, std::size_t total, std::FILE* out, std::FILE* err)
    : settings_(settings), total_(total), out_(out), err_(err) {
    drawBar();
}

void BatchReport::clearBar() {
    if (settings_.progressBar && !settings_.quiet) std::fputs("\r\033[K", err_);
}

void BatchReport::drawBar() {
    if (!settings_.progressBar || settings_.quiet) return;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::fputs(("\r\033[K" + progressLine(written_ + skipped_ + failed_, total_, elapsed)).c_str(), err_);
    std::fflush(err_);
}

void BatchReport::pictureDone(const BatchPicture& picture, const PictureOutcome& outcome, double milliseconds) {
    switch (outcome.status) {
        case PictureStatus::Written: ++written_; break;
        case PictureStatus::Skipped: ++skipped_; break;
        case PictureStatus::Failed: ++failed_; break;
    }
    const bool line = outcome.status == PictureStatus::Failed || (outcome.status == PictureStatus::Skipped && !settings_.quiet);
    if (line) {
        clearBar();
        std::fprintf(err_, "%s: %s%s\n", picture.input.c_str(), outcome.status == PictureStatus::Skipped ? "skipped: " : "",
                     outcome.reason.c_str());
    }
    if (settings_.json) {
        std::string object = "{\"input\":" + jsonString(picture.input) + ",\"output\":" + jsonString(picture.output) +
                             ",\"status\":\"" + statusWord(outcome.status) + "\",\"milliseconds\":" +
                             std::to_string(std::llround(milliseconds));
        if (!outcome.reason.empty()) object += ",\"reason\":" + jsonString(outcome.reason);
        std::fputs((object + "}\n").c_str(), out_);
        std::fflush(out_);
    }
    drawBar();
}

void BatchReport::finish(std::size_t notStarted) {
    clearBar();
    if (notStarted > 0)
        std::fprintf(err_, "interrupted: %zu of %zu pictures not processed\n", notStarted, total_);
    if (settings_.quiet) return;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(err_, "%zu written, %zu skipped, %zu failed of %zu pictures in %.1f s\n", written_, skipped_, failed_,
                 total_, elapsed);
}

}  // namespace veltrane
