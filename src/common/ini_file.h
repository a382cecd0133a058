#pragma once
// The settings file in the classic sectioned INI format: "[Section]" lines, "key=value"
// lines, ';' comments. Sections and keys match without regard to ASCII case, the first
// matching section and key win, and every line the program does not write is kept byte for
// byte with its own line end, so other sections (the player's) and the user's comments
// survive a save.
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class IniFile {
public:
    // Accepts "\n" and "\r\n" line ends; any bytes are allowed.
    static IniFile parse(std::string_view text);
    // Every line with the end it was read with; lines the program adds end as the file's
    // first line does ("\n" for a new file).
    std::string serialize() const;

    // The value with surrounding blanks removed, or the default when the key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The value when it is a whole decimal integer within the int range (an optional sign,
    // surrounding blanks ignored); otherwise the default ("abc" reads as the default).
    int readInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // Replaces an existing key's value in place, appends a new key after the last entry of
    // its section, or appends a new section at the end of the file. The value is written
    // as given and reads back unchanged when it is one line without surrounding blanks.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

private:
    // Index of the first line of the first section with this name, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line within the section whose header is at sectionLine, or npos.
    std::size_t findKey(std::size_t sectionLine, std::string_view key) const;

    void insertLine(std::size_t at, std::string text);

    struct Line {
        std::string text;
        std::string_view end;  // "\n", "\r\n", "\r" (a lone one at the end of the file) or ""
    };
    std::vector<Line> lines_;
};

}  // namespace veltrane
