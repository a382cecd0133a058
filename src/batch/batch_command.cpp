#include "batch/batch_command.h"

#include <atomic>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "batch/batch_runner.h"

namespace veltrane {

namespace {

std::uint64_t unsignedArg(const std::string& option, const std::string& text, std::uint64_t low, std::uint64_t high) {
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw UsageError(option + " must be an integer " + std::to_string(low) + ".." + std::to_string(high) + " (got \"" +
                         text + "\")");
    return value;
}

std::atomic<bool> gStop{false};

extern "C" void stopOnSignal(int) { gStop.store(true); }

// Ctrl-C and a polite kill let the pictures under way finish; a second one ends at once.
void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = stopOnSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool confirmInPlace(std::size_t count) {
    if (!::isatty(STDIN_FILENO)) return false;
    std::fprintf(stderr, "Replace %zu picture%s in place? [y/N] ", count, count == 1 ? "" : "s");
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes";
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

BatchOptions parseBatchOptions(const std::vector<std::string>& args) {
    BatchOptions o;
    bool formatGiven = false;
    bool jobsGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "--name=value" and "--name value" alike.
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            name = arg.substr(0, arg.find('='));
            inlineValue = arg.substr(arg.find('=') + 1);
        } else if (arg.size() > 2 && (arg.rfind("-j", 0) == 0 || arg.rfind("-o", 0) == 0)) {
            name = arg.substr(0, 2);
            inlineValue = arg.substr(2);
        }
        const auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
            return args[++i];
        };
        if (name == "--do") {
            o.operations.push_back(parseOperation(value()));
        } else if (name == "-o" || name == "--output") {
            o.outputDir = value();
            if (o.outputDir.empty()) throw UsageError(name + " needs a folder");
        } else if (name == "--format") {
            const std::string f = value();
            if (f == "bmp") o.format = OutputFormat::Bmp;
            else if (f == "jpeg" || f == "jpg") o.format = OutputFormat::Jpeg;
            else throw UsageError("--format must be bmp or jpeg (got \"" + f + "\")");
            formatGiven = true;
        } else if (name == "-j" || name == "--jobs") {
            o.jobs = static_cast<int>(unsignedArg(name, value(), 1, 256));
            jobsGiven = true;
        } else if (name == "--seed") {
            o.seed = static_cast<std::uint32_t>(unsignedArg(name, value(), 0, 4294967295u));
        } else if (name == "--overwrite" && !inlineValue) {
            o.overwrite = true;
        } else if (name == "--in-place" && !inlineValue) {
            o.inPlace = true;
        } else if ((name == "--yes" || name == "-y") && !inlineValue) {
            o.yes = true;
        } else if ((name == "--recursive" || name == "-r") && !inlineValue) {
            o.recursive = true;
        } else if ((name == "--quiet" || name == "-q") && !inlineValue) {
            o.quiet = true;
        } else if (name == "--json" && !inlineValue) {
            o.json = true;
        } else if (name == "--list" && !inlineValue) {
            o.list = true;
        } else if ((name == "--help" || name == "-h") && !inlineValue) {
            o.help = true;
        } else if (name == "--") {
            o.inputs.insert(o.inputs.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            throw UsageError("unknown option " + arg);
        } else {
            o.inputs.push_back(arg);
        }
    }
    if (o.help || o.list) return o;
    if (o.inputs.empty()) throw UsageError("no INPUT given");
    if (o.inPlace && !o.outputDir.empty()) throw UsageError("-o and --in-place exclude each other");
    if (o.inPlace && formatGiven) throw UsageError("--in-place keeps each picture's own format: --format cannot be used");
    if (!o.inPlace && o.outputDir.empty()) throw UsageError("-o DIR is required (or --in-place)");
    if (!jobsGiven) o.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return o;
}

std::string batchHelpText() {
    return R"(Usage: veltrane batch [OPTIONS] INPUT...

Applies whole-picture operations to many BMP and JPEG files, with the same arithmetic as the
windows. INPUT is a picture file or a folder (its BMP and JPEG files, sorted by name).
Needs no display.

  --do OP[:ARGS]     an operation; give it several times to run several, in that order
                     (veltrane batch --list shows every OP and its arguments)
  -o, --output DIR   write the results to DIR (created if missing): input name with .bmp or .jpg
  --format bmp|jpeg  the output format (default: each input's own; JPEG at quality 90)
  --overwrite        replace existing output files (without it they are skipped and reported)
  --in-place         replace the inputs themselves, each atomically; asks on a terminal
  -y, --yes          with --in-place: do not ask
  -r, --recursive    descend into the subfolders of a folder INPUT (outputs mirror them)
  -j, --jobs N       pictures processed at once (default: one per core); each picture's
                     operations run on one thread
  --seed N           the shared generator's state before the first picture (default 1, as the
                     program starts). Operations that draw from it (noise, effect:diffuse) give
                     each picture the state a one-by-one run in sorted order would give it,
                     whatever -j is; gradation operations reset it as the window does
  -q, --quiet        no progress bar, skip lines or summary; failures are still reported
  --json             one JSON object per picture on standard output
                     ({"input","output","status","milliseconds"[,"reason"]})
  --list             list the operations
  -h, --help         this help

Exit status: 0 every picture written or skipped, 1 some failed (the others are written),
2 usage error, 130 stopped by Ctrl-C (pictures under way are finished; no partial file).

Examples:
  veltrane batch --do gradation:random-1 -o out/ holiday/
  veltrane batch --do binarize-auto --format bmp -o scans-bw/ scans/
  veltrane batch --seed 7 -j 2 --do noise:10 --do effect:sepia -o aged/ photo1.jpg photo2.jpg
)";
}

int runBatchCommand(const std::vector<std::string>& args) {
    BatchOptions options;
    std::vector<BatchPicture> pictures;
    try {
        options = parseBatchOptions(args);
        if (options.help) {
            std::fputs(batchHelpText().c_str(), stdout);
            return 0;
        }
        if (options.list) {
            std::fputs(operationListText().c_str(), stdout);
            return 0;
        }
        pictures = planOutputs(options.inputs, options.recursive, options.outputDir, options.format, options.inPlace);
        if (options.inPlace && !options.yes) {
            if (!::isatty(STDIN_FILENO)) throw UsageError("--in-place needs --yes when standard input is not a terminal");
            if (!confirmInPlace(pictures.size())) {
                std::fputs("nothing replaced\n", stderr);
                return kBatchUsageError;
            }
        }
    } catch (const UsageError& error) {
        std::fprintf(stderr, "veltrane batch: %s\nTry 'veltrane batch --help'.\n", error.what());
        return kBatchUsageError;
    }

    BatchRun run;
    run.pictures = std::move(pictures);
    run.pipeline.operations = std::move(options.operations);
    run.pipeline.overwrite = options.overwrite;
    run.pipeline.newFileMode = newFileMode();
    run.seed = options.seed;
    run.jobs = options.jobs;
    run.report = {options.quiet, options.json, ::isatty(STDERR_FILENO) != 0};
    installStopHandlers();
    return runBatch(run, stdout, stderr, gStop);
}

}  // namespace veltrane
