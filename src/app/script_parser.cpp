#include "app/script_parser.h"

#include <cctype>
#include <charconv>

namespace veltrane {

namespace {

struct Token {
    enum class Type { Name, Integer, String, Symbol, End } type = Type::End;
    std::string text;
    long long integer = 0;
};

class Lexer {
public:
    explicit Lexer(std::string_view text) : text_(text) {}

    // Reads the next token; returns false with error set on a malformed one.
    bool next(Token& token, std::string& error) {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        token = Token{};
        if (pos_ >= text_.size()) return true;
        const char c = text_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                                           static_cast<unsigned char>(text_[pos_]) >= 0x80))
                ++pos_;
            token.type = Token::Type::Name;
            token.text = std::string(text_.substr(start, pos_ - start));
            return true;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+') {
            const std::size_t start = pos_;
            ++pos_;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
            std::string_view digits = text_.substr(start, pos_ - start);
            if (digits.front() == '+') digits.remove_prefix(1);
            const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), token.integer);
            if (ec != std::errc() || end != digits.data() + digits.size()) {
                error = "bad number '" + std::string(text_.substr(start, pos_ - start)) + "'";
                return false;
            }
            token.type = Token::Type::Integer;
            return true;
        }
        if (c == '"') {
            ++pos_;
            std::string value;
            while (pos_ < text_.size() && text_[pos_] != '"') {
                if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) ++pos_;
                value += text_[pos_++];
            }
            if (pos_ >= text_.size()) {
                error = "unterminated string";
                return false;
            }
            ++pos_;
            token.type = Token::Type::String;
            token.text = std::move(value);
            return true;
        }
        if (c == '.' || c == '(' || c == ')' || c == ',' || c == '=') {
            token.type = Token::Type::Symbol;
            token.text = std::string(1, c);
            ++pos_;
            return true;
        }
        error = std::string("unexpected character '") + c + "'";
        return false;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

class Parser {
public:
    explicit Parser(std::string_view line) : lexer_(line) {}

    ScriptParseResult parse() {
        ScriptParseResult result;
        if (!advance()) return fail();
        if (token_.type == Token::Type::End) return result;
        if (token_.type != Token::Type::Name) return fail("a line starts with a name or a keyword");
        const std::string head = token_.text;
        ScriptCommand command;
        bool ok = false;
        if (head == "print") ok = parsePrint(command);
        else if (head == "save") ok = parseSave(command);
        else if (head == "answer") ok = parseAnswer(command);
        else if (head == "drop") ok = parseDrop(command);
        else if (head == "wait") ok = parseWait(command);
        else if (head == "quit") {
            command.kind = ScriptCommand::Kind::Quit;
            ok = advance();
        } else
            ok = parseStatement(command);
        if (!ok) return fail();
        if (token_.type != Token::Type::End) return fail("unexpected '" + describe(token_) + "' at the end of the line");
        result.command = std::move(command);
        return result;
    }

private:
    bool advance() { return lexer_.next(token_, error_); }

    ScriptParseResult fail(const std::string& why = {}) {
        ScriptParseResult result;
        result.error = !why.empty() ? why : (!error_.empty() ? error_ : "the line does not parse");
        return result;
    }

    bool expected(const std::string& what) {
        if (error_.empty()) error_ = "expected " + what + ", found '" + describe(token_) + "'";
        return false;
    }

    static std::string describe(const Token& t) {
        switch (t.type) {
        case Token::Type::End: return "end of line";
        case Token::Type::Integer: return std::to_string(t.integer);
        case Token::Type::String: return "\"" + t.text + "\"";
        default: return t.text;
        }
    }

    bool isSymbol(char c) const { return token_.type == Token::Type::Symbol && token_.text[0] == c; }

    // NAME(.NAME)* starting at the current token.
    bool parseDottedName(std::vector<std::string>& names) {
        if (token_.type != Token::Type::Name) return expected("a name");
        names.push_back(token_.text);
        if (!advance()) return false;
        while (isSymbol('.')) {
            if (!advance()) return false;
            if (token_.type != Token::Type::Name) return expected("a name after '.'");
            names.push_back(token_.text);
            if (!advance()) return false;
        }
        return true;
    }

    bool parseValue(ScriptValue& value) {
        if (token_.type == Token::Type::Integer) value = token_.integer;
        else if (token_.type == Token::Type::String) value = token_.text;
        else if (token_.type == Token::Type::Name && (token_.text == "true" || token_.text == "false"))
            value = token_.text == "true";
        else
            return expected("an integer, true, false or a \"string\"");
        return advance();
    }

    bool parseInteger(long long& out, const std::string& what) {
        if (token_.type != Token::Type::Integer) return expected(what);
        out = token_.integer;
        return advance();
    }

    bool parseString(std::string& out, const std::string& what) {
        if (token_.type != Token::Type::String) return expected(what);
        out = token_.text;
        return advance();
    }

    bool parseStatement(ScriptCommand& command) {
        if (!parseDottedName(command.path)) return false;
        if (command.path.size() < 2 || command.path.size() > 3)
            return expected("Window.handler(...), Window.Control.method(...) or Window.Control.prop = VALUE");
        if (isSymbol('(')) {
            command.kind = ScriptCommand::Kind::Call;
            if (!advance()) return false;
            if (isSymbol(')')) return advance();
            while (true) {
                ScriptValue value;
                if (!parseValue(value)) return false;
                command.args.push_back(std::move(value));
                if (isSymbol(')')) return advance();
                if (!isSymbol(',')) return expected("',' or ')'");
                if (!advance()) return false;
            }
        }
        if (isSymbol('=')) {
            command.kind = ScriptCommand::Kind::SetProperty;
            if (!advance()) return false;
            ScriptValue value;
            if (!parseValue(value)) return false;
            command.args.push_back(std::move(value));
            return true;
        }
        return expected("'(' or '='");
    }

    bool parsePrint(ScriptCommand& command) {
        command.kind = ScriptCommand::Kind::Print;
        if (!advance() || !parseDottedName(command.path)) return false;
        if (command.path.size() < 2 || command.path.size() > 3) return expected("Window.prop or Window.Control.prop");
        return true;
    }

    bool parseSave(ScriptCommand& command) {
        command.kind = ScriptCommand::Kind::Save;
        if (!advance() || !parseDottedName(command.path)) return false;
        if (command.path.size() != 2) return expected("Window.Control");
        std::string path;
        if (!parseString(path, "a \"PATH\"")) return false;
        command.args.emplace_back(path);
        return true;
    }

    bool parseAnswer(ScriptCommand& command) {
        if (!advance()) return false;
        if (token_.type != Token::Type::Name) return expected("open, save, cancel, button, color or show");
        const std::string what = token_.text;
        if (!advance()) return false;
        if (what == "open" || what == "save") {
            command.kind = what == "open" ? ScriptCommand::Kind::AnswerOpen : ScriptCommand::Kind::AnswerSave;
            std::string path;
            if (!parseString(path, "a \"PATH\"")) return false;
            command.args.emplace_back(path);
            long long index = 1;
            if (what == "save" || token_.type != Token::Type::End) {
                if (!parseInteger(index, "a filter INDEX")) return false;
            }
            if (index < 1) return expected("a filter INDEX of 1 or more");
            command.args.emplace_back(index);
            return true;
        }
        if (what == "cancel") {
            command.kind = ScriptCommand::Kind::AnswerCancel;
            return true;
        }
        if (what == "show") {
            command.kind = ScriptCommand::Kind::AnswerShow;
            return true;
        }
        if (what == "button") {
            command.kind = ScriptCommand::Kind::AnswerButton;
            if (token_.type != Token::Type::Name ||
                (token_.text != "Yes" && token_.text != "No" && token_.text != "OK" && token_.text != "Cancel"))
                return expected("Yes, No, OK or Cancel");
            command.word = token_.text;
            return advance();
        }
        if (what == "color") {
            command.kind = ScriptCommand::Kind::AnswerColor;
            for (int i = 0; i < 3; ++i) {
                long long component = 0;
                if (!parseInteger(component, "R G B")) return false;
                if (component < 0 || component > 255) return expected("a colour component from 0 to 255");
                command.args.emplace_back(component);
            }
            return true;
        }
        error_ = "unknown answer '" + what + "'";
        return false;
    }

    bool parseDrop(ScriptCommand& command) {
        command.kind = ScriptCommand::Kind::Drop;
        if (!advance()) return false;
        if (token_.type != Token::Type::Name) return expected("a window name");
        command.path.push_back(token_.text);
        if (!advance()) return false;
        while (token_.type == Token::Type::String) {
            command.args.emplace_back(token_.text);
            if (!advance()) return false;
        }
        if (command.args.empty()) return expected("at least one \"PATH\"");
        return true;
    }

    bool parseMilliseconds(ScriptCommand& command) {
        const std::string range = "milliseconds from 0 to " + std::to_string(kMaxScriptWaitMs);
        if (token_.type != Token::Type::Integer || token_.integer < 0 || token_.integer > kMaxScriptWaitMs)
            return expected(range);
        command.args.emplace_back(token_.integer);
        return advance();
    }

    // "wait MS", or "wait until Window[.Control].prop = VALUE [MS]".
    bool parseWait(ScriptCommand& command) {
        command.kind = ScriptCommand::Kind::Wait;
        if (!advance()) return false;
        if (token_.type != Token::Type::Name || token_.text != "until") return parseMilliseconds(command);
        command.kind = ScriptCommand::Kind::WaitUntil;
        if (!advance()) return false;
        if (!parseDottedName(command.path)) return false;
        if (command.path.size() < 2 || command.path.size() > 3) return expected("Window.prop or Window.Control.prop");
        if (!isSymbol('=')) return expected("'='");
        if (!advance()) return false;
        ScriptValue value;
        if (!parseValue(value)) return false;
        command.args.push_back(std::move(value));
        if (token_.type == Token::Type::End) {
            command.args.emplace_back(kDefaultWaitUntilMs);
            return true;
        }
        return parseMilliseconds(command);
    }

    Lexer lexer_;
    Token token_;
    std::string error_;
};

}  // namespace

ScriptParseResult parseScriptLine(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && std::isspace(static_cast<unsigned char>(line[start]))) ++start;
    if (start == line.size() || line[start] == '#') return {};
    return Parser(line.substr(start)).parse();
}

}  // namespace veltrane
