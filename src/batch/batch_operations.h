#pragma once
// The whole-picture operations batch mode offers: one table from a stable ASCII identifier
// ("flip-vertical", "gamma", "effect:sepia", "gradation:random-1") to the routine the
// operation's window runs in its final pass, with the same options, and to the Japanese name
// of the menu item or list entry that runs it there.
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/random_generator.h"
#include "image/color_planes.h"

namespace veltrane {

// A command line that cannot run: an unknown operation, a bad argument, a bad option. The
// message names what was wrong and, for an argument, the valid range.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How an operation touches the program's shared generator.
enum class GeneratorUse {
    None,    // not at all
    Draws,   // draws from it: the result depends on the state it finds
    Resets,  // leaves it in one fixed state whatever it found (the gradation map's catalogue)
};

// One operation ready to run: the text it was parsed from, and its routine over the planes.
struct Operation {
    std::string text;
    GeneratorUse generator = GeneratorUse::None;
    std::function<void(ColorPlanes&, RandomGenerator&)> run;
};

// One row of the table.
struct OperationEntry {
    std::string id;         // "gamma", "effect:sepia"
    std::string arguments;  // what may follow the identifier, then ", " and the ranges; empty for none
    std::string japanese;   // the menu item's or list entry's name
    std::string example;    // a complete operation text that runs it
    GeneratorUse generator = GeneratorUse::None;
};

// Every operation, in menu order: transforms, histogram, binary, mono colour, the seven
// adjustments, the 55 effects, the 90 gradients, colour exchange, colour extraction, tone
// colour, the custom filter.
const std::vector<OperationEntry>& operationTable();

// Parses "OP[:ARG[:ARG...]]". Throws UsageError naming the operation and the valid range.
Operation parseOperation(std::string_view text);

// The table as `veltrane batch --list` prints it: a heading, then one line per operation
// (identifier with its arguments, then the Japanese name). UTF-8.
std::string operationListText();

}  // namespace veltrane
