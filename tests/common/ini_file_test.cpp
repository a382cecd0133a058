#include "common/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>

namespace veltrane {
namespace {

constexpr const char* kSettings =
    "; written by hand\r\n"
    "[Main_POS]\r\n"
    "Left=350\r\n"
    "Top = 12 \r\n"
    "\r\n"
    "[MOVIECOLOR]\r\n"
    "Bar_num_R=121\r\n"
    "[HOW_TO_DISPLAY]\r\n"
    "Method=abc\r\n"
    "[kirro]\r\n"
    "GREETING=0\r\n";

TEST(IniFile, Reads) {
    const IniFile ini = IniFile::parse(kSettings);
    const IniFile empty = IniFile::parse("");  // a missing file
    const struct {
        const IniFile* ini;
        const char *section, *key;
        int defaultValue, expected;
    } cases[] = {
        {&empty, "Main_POS", "Left", 200, 200},
        {&ini, "Main_POS", "Left", 200, 350},
        {&ini, "Main_POS", "Top", 200, 12},          // blanks around key and value
        {&ini, "main_pos", "LEFT", 200, 350},        // sections and keys ignore case
        {&ini, "KIRRO", "greeting", 1, 0},
        {&ini, "HOW_TO_DISPLAY", "Method", 7, 7},    // not a number: the default
        {&ini, "Main_POS", "Width", 7, 7},           // missing key
        {&ini, "MOVIECOLOR", "Left", 7, 7},          // keys belong to their own section
        {&ini, "Main", "Left", 7, 7},                // no prefix match of section names
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ini->readInteger(c.section, c.key, c.defaultValue), c.expected) << c.section << "/" << c.key;
    EXPECT_EQ(ini.readString("Main_POS", "Top", "?"), "12");
    EXPECT_EQ(ini.readString("Main_POS", "Nothing", "fallback"), "fallback");
}

TEST(IniFile, IntegerValues) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {
        {"12", 12},   {" 12 ", 12},   {"\t-5", -5},   {"+7", 7},      {"007", 7},
        {"2147483647", 2147483647},   {"-2147483648", INT_MIN},
        {"2147483648", -1},           {"-2147483649", -1},            {"99999999999999999999", -1},
        {"abc", -1},  {"", -1},       {"-", -1},      {"+", -1},      {"+-5", -1},
        {"--5", -1},  {"1 2", -1},    {"12abc", -1},  {"1.5", -1},    {"0x10", -1},  {"\xEF\xBC\x91", -1},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::parse(std::string("[S]\nk=") + c.value + "\n");
        EXPECT_EQ(ini.readInteger("S", "k", -1), c.expected) << '"' << c.value << '"';
    }
}

TEST(IniFile, FirstMatchingSectionAndKeyWin) {
    const IniFile ini = IniFile::parse("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n");
    EXPECT_EQ(ini.readInteger("A", "k", 0), 1);
    EXPECT_EQ(ini.readInteger("A", "j", 0), 0);
}

TEST(IniFile, LinesThatAreNoKeys) {
    const IniFile ini = IniFile::parse("k=0\n[S]\n;k=1\nk\n[T\nk2=2\n  [ S ]  \n");
    EXPECT_EQ(ini.readString("S", "k", "none"), "none");  // a comment, a bare word, a key before any section
    EXPECT_EQ(ini.readInteger("S", "k2", 0), 2);           // "[T" without ']' is no section header
    EXPECT_EQ(ini.readString("", "k", "none"), "none");
}

TEST(IniFile, RoundTripKeepsEveryLine) {
    const std::string text = "; comment\n[Other]\nodd line without equals\nx = 1 \n\n[Main_POS]\nLeft=1\n";
    EXPECT_EQ(IniFile::parse(text).serialize(), text);
    // Every line keeps its own end, a last line without one included.
    for (const std::string& mixed :
         {std::string("[A]\r\nk=1"), std::string("[A]\r\nk=1\n\r\n"), std::string("x\r"), std::string("\r\n\n"),
          std::string("a\0\r\n", 4)})
        EXPECT_EQ(IniFile::parse(mixed).serialize(), mixed);
}

TEST(IniFile, AddedLinesEndAsTheFileDoes) {
    const struct {
        const char *before, *after;
    } cases[] = {
        {"[A]\r\na=1\r\n", "[A]\r\na=1\r\nb=2\r\n\r\n[KIRRO]\r\ngreeting=0\r\n"},
        {"[A]\r\na=1", "[A]\r\na=1\r\nb=2\r\n\r\n[KIRRO]\r\ngreeting=0\r\n"},
        {"[A]\na=1\r", "[A]\na=1\nb=2\n\n[KIRRO]\ngreeting=0\n"},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::parse(c.before);
        ini.writeInteger("A", "b", 2);
        ini.writeInteger("KIRRO", "greeting", 0);
        EXPECT_EQ(ini.serialize(), c.after) << c.before;
    }
}

TEST(IniFile, WriteReplacesInPlace) {
    IniFile ini = IniFile::parse(kSettings);
    ini.writeInteger("main_pos", "LEFT", -40);
    ini.writeString("HOW_TO_DISPLAY", "Method", "1");
    EXPECT_EQ(ini.serialize(),
              "; written by hand\r\n[Main_POS]\r\nLeft=-40\r\nTop = 12 \r\n\r\n[MOVIECOLOR]\r\nBar_num_R=121\r\n"
              "[HOW_TO_DISPLAY]\r\nMethod=1\r\n[kirro]\r\nGREETING=0\r\n");
}

TEST(IniFile, NewKeyGoesAfterTheLastEntryOfItsSection) {
    IniFile ini = IniFile::parse("[A]\na=1\n; note\n\n[B]\nb=2\n");
    ini.writeInteger("a", "c", 3);
    ini.writeInteger("B", "d", 4);
    EXPECT_EQ(ini.serialize(), "[A]\na=1\n; note\nc=3\n\n[B]\nb=2\nd=4\n");
}

TEST(IniFile, NewSectionGoesAtTheEnd) {
    const struct {
        const char *before, *after;
    } cases[] = {
        {"", "[KIRRO]\ngreeting=0\n"},
        {"[A]\na=1\n", "[A]\na=1\n\n[KIRRO]\ngreeting=0\n"},
        {"[A]\na=1\n\n", "[A]\na=1\n\n[KIRRO]\ngreeting=0\n"},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::parse(c.before);
        ini.writeInteger("KIRRO", "greeting", 0);
        EXPECT_EQ(ini.serialize(), c.after) << c.before;
    }
}

TEST(IniFile, WrittenValuesReadBackAfterSaving) {
    IniFile ini = IniFile::parse("junk\n[Main_POS]\nTop=5\n[SOUND]\n");
    ini.writeInteger("Main_POS", "Left", 200);
    ini.writeInteger("SOUND", "position", 30);
    ini.writeInteger("REPEAT", "MODE", 2);
    const IniFile reread = IniFile::parse(ini.serialize());
    EXPECT_EQ(reread.readInteger("Main_POS", "Left", 0), 200);
    EXPECT_EQ(reread.readInteger("Main_POS", "Top", 0), 5);
    EXPECT_EQ(reread.readInteger("SOUND", "position", 0), 30);
    EXPECT_EQ(reread.readInteger("REPEAT", "MODE", 0), 2);
}

TEST(IniFile, BinaryNoiseAndHugeLines) {
    static const char bytes[] = "\0\xff[\n=\r\r\n[]\n[\0]\n=\n";
    std::string noise(std::begin(bytes), std::end(bytes) - 1);
    noise += std::string(1 << 20, '[');
    noise += "\n" + std::string(1 << 20, '=') + "\n";
    IniFile ini = IniFile::parse(noise);
    EXPECT_EQ(ini.readInteger("", "", 9), 9);
    ini.writeInteger("Main_POS", "Left", 1);
    EXPECT_EQ(IniFile::parse(ini.serialize()).readInteger("Main_POS", "Left", 0), 1);
}

}  // namespace
}  // namespace veltrane
