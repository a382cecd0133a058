#include "common/ini_file.h"

#include <charconv>

namespace veltrane {

namespace {

constexpr std::size_t npos = std::string::npos;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// A section header is a line whose first non-blank character is '[' and that holds a ']';
// the name is the text between the '[' and the last ']', without surrounding blanks.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trim(line);
    if (line.empty() || line.front() != '[') return false;
    const std::size_t close = line.rfind(']');
    if (close == npos) return false;
    name = trim(line.substr(1, close - 1));
    return true;
}

// A key line holds an '=' and is neither a comment nor a section header.
bool keyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return false;
    const std::size_t eq = trimmed.find('=');
    if (eq == npos) return false;
    key = trim(trimmed.substr(0, eq));
    value = trim(trimmed.substr(eq + 1));
    return true;
}

bool isSectionHeader(std::string_view line) {
    std::string_view name;
    return sectionName(line, name);
}

std::string keyLine(std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append("=").append(value);
    return line;
}

}  // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        std::string_view lineEnd = end == npos ? "" : "\n";
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            lineEnd = end == npos ? "\r" : "\r\n";
        }
        ini.lines_.push_back({std::string(line), lineEnd});
        if (end == npos) break;
        text.remove_prefix(end + 1);
    }
    return ini;
}

std::string IniFile::serialize() const {
    std::size_t size = 0;
    for (const Line& line : lines_) size += line.text.size() + line.end.size();
    std::string out;
    out.reserve(size);
    for (const Line& line : lines_) out.append(line.text).append(line.end);
    return out;
}

void IniFile::insertLine(std::size_t at, std::string text) {
    const std::string_view newline = !lines_.empty() && lines_.front().end == "\r\n" ? "\r\n" : "\n";
    // A last line without its end gets one before anything follows it.
    if (at == lines_.size() && !lines_.empty() && (lines_.back().end.empty() || lines_.back().end == "\r"))
        lines_.back().end = newline;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), newline});
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (sectionName(lines_[i].text, name) && equalsIgnoreCase(name, section)) return i;
    }
    return npos;
}

std::size_t IniFile::findKey(std::size_t sectionLine, std::string_view key) const {
    for (std::size_t i = sectionLine + 1; i < lines_.size() && !isSectionHeader(lines_[i].text); ++i) {
        std::string_view k, v;
        if (keyValue(lines_[i].text, k, v) && equalsIgnoreCase(k, key)) return i;
    }
    return npos;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const std::size_t header = findSection(section);
    const std::size_t line = header == npos ? npos : findKey(header, key);
    if (line == npos) return std::string(defaultValue);
    std::string_view k, v;
    keyValue(lines_[line].text, k, v);
    return std::string(v);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string text = readString(section, key, "");
    std::string_view digits = text;
    // from_chars takes a '-' but not a '+'; a '+' must be followed by a digit itself.
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.empty() || digits.front() == '-') return defaultValue;
    }
    int value = 0;
    const char* const end = digits.data() + digits.size();
    const auto result = std::from_chars(digits.data(), end, value, 10);
    if (result.ec != std::errc() || result.ptr != end) return defaultValue;
    return value;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t header = findSection(section);
    if (header == npos) {
        if (!lines_.empty() && !trim(lines_.back().text).empty()) insertLine(lines_.size(), "");
        std::string headerLine;
        headerLine.append("[").append(section).append("]");
        insertLine(lines_.size(), std::move(headerLine));
        insertLine(lines_.size(), keyLine(key, value));
        return;
    }
    const std::size_t existing = findKey(header, key);
    if (existing != npos) {
        // The key keeps the spelling the file already had.
        std::string_view oldKey, oldValue;
        keyValue(lines_[existing].text, oldKey, oldValue);
        lines_[existing].text = keyLine(oldKey, value);
        return;
    }
    // After the section's last non-blank line, so that a blank line separating it from the
    // next section stays where it is.
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < lines_.size() && !isSectionHeader(lines_[i].text); ++i)
        if (!trim(lines_[i].text).empty()) insertAt = i + 1;
    insertLine(insertAt, keyLine(key, value));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

}  // namespace veltrane
