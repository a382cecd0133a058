// Script lines are typed by hand: any bytes must parse to a command or an error without harm,
// and a parsed command written back in the grammar must parse to the same command.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "app/script_parser.h"

namespace {

using veltrane::ScriptCommand;
using veltrane::ScriptValue;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string written(const ScriptValue& value) {
    if (const auto* integer = std::get_if<long long>(&value)) return std::to_string(*integer);
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "true" : "false";
    return quoted(std::get<std::string>(value));
}

std::string joined(const ScriptCommand& command, std::string_view separator) {
    std::string out;
    for (const ScriptValue& value : command.args) {
        if (!out.empty()) out += separator;
        out += written(value);
    }
    return out;
}

// The command as a script line in the documented grammar.
std::string lineOf(const ScriptCommand& command) {
    std::string path;
    for (const std::string& name : command.path) path += (path.empty() ? "" : ".") + name;
    switch (command.kind) {
    case ScriptCommand::Kind::Call: return path + "(" + joined(command, ", ") + ")";
    case ScriptCommand::Kind::SetProperty: return path + " = " + joined(command, "");
    case ScriptCommand::Kind::Print: return "print " + path;
    case ScriptCommand::Kind::Save: return "save " + path + " " + joined(command, "");
    case ScriptCommand::Kind::AnswerOpen: return "answer open " + joined(command, " ");
    case ScriptCommand::Kind::AnswerSave: return "answer save " + joined(command, " ");
    case ScriptCommand::Kind::AnswerCancel: return "answer cancel";
    case ScriptCommand::Kind::AnswerButton: return "answer button " + command.word;
    case ScriptCommand::Kind::AnswerColor: return "answer color " + joined(command, " ");
    case ScriptCommand::Kind::Drop: return "drop " + path + " " + joined(command, " ");
    case ScriptCommand::Kind::Wait: return "wait " + joined(command, "");
    case ScriptCommand::Kind::WaitUntil: return "wait until " + path + " = " + joined(command, " ");
    case ScriptCommand::Kind::Quit: return "quit";
    }
    std::abort();
}

bool sameCommand(const ScriptCommand& a, const ScriptCommand& b) {
    return a.kind == b.kind && a.path == b.path && a.args == b.args && a.word == b.word;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const veltrane::ScriptParseResult parsed = veltrane::parseScriptLine(line);

    // A line is a command, an error, or nothing at all (blank or comment), never two of these.
    if (parsed.command && !parsed.error.empty()) std::abort();
    if (!parsed.command) return 0;

    const veltrane::ScriptParseResult reparsed = veltrane::parseScriptLine(lineOf(*parsed.command));
    if (!reparsed.command || !sameCommand(*reparsed.command, *parsed.command)) std::abort();
    return 0;
}
