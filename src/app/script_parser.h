#pragma once
// The line grammar of the automation scripts run by "veltrane --script FILE".
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veltrane {

// An argument or value: an integer, true/false, or a double-quoted UTF-8 string.
using ScriptValue = std::variant<long long, bool, std::string>;

struct ScriptCommand {
    enum class Kind {
        Call,         // Window.handler(ARGS) or Window.Control.method(ARGS)
        SetProperty,  // Window[.Control].prop = VALUE
        Print,        // print Window[.Control].prop
        Save,         // save Window.Control "PATH"
        AnswerOpen,   // answer open "PATH" [INDEX]
        AnswerSave,   // answer save "PATH" INDEX
        AnswerCancel, // answer cancel
        AnswerButton, // answer button NAME
        AnswerColor,  // answer color R G B
        AnswerShow,   // answer show: the next colour picker shows its window
        Drop,         // drop Window "PATH" ["PATH" ...]
        Wait,         // wait MS
        WaitUntil,    // wait until Window[.Control].prop = VALUE [MS]
        Quit,         // quit
    };
    Kind kind = Kind::Quit;
    std::vector<std::string> path;  // dotted names: window, optional control, member
    std::vector<ScriptValue> args;  // call arguments, the value, paths, numbers
    std::string word;               // the button name of "answer button"
};

struct ScriptParseResult {
    std::optional<ScriptCommand> command;  // empty for a blank line or a comment
    std::string error;                     // set when the line does not parse
};

// The longest a script may wait, in one "wait" or for one "wait until" (ten minutes).
constexpr long long kMaxScriptWaitMs = 600000;
// How long "wait until" waits when the line names no time.
constexpr long long kDefaultWaitUntilMs = 5000;

ScriptParseResult parseScriptLine(std::string_view line);

}  // namespace veltrane
