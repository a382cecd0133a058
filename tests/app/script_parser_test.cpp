// The automation grammar's wait and call lines, parsed without Qt.
#include "app/script_parser.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(ScriptParser, WaitLines) {
    struct Case {
        const char* line;
        ScriptCommand::Kind kind;
        std::vector<std::string> path;
        std::vector<ScriptValue> args;
    };
    const Case cases[] = {
        {"wait 0", ScriptCommand::Kind::Wait, {}, {0LL}},
        {"wait 600000", ScriptCommand::Kind::Wait, {}, {600000LL}},
        {"wait until Main.windowTitle = \"a b\"", ScriptCommand::Kind::WaitUntil, {"Main", "windowTitle"},
         {std::string("a b"), 5000LL}},
        {"wait until MovieController.Label2.text = \"0:00:01/0:00:02\" 250", ScriptCommand::Kind::WaitUntil,
         {"MovieController", "Label2", "text"}, {std::string("0:00:01/0:00:02"), 250LL}},
        {"wait until Main.visible = false 0", ScriptCommand::Kind::WaitUntil, {"Main", "visible"}, {false, 0LL}},
        {"  wait until Main.x=7", ScriptCommand::Kind::WaitUntil, {"Main", "x"}, {7LL, 5000LL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ScriptParseResult r = parseScriptLine(c.line);
        ASSERT_TRUE(r.error.empty()) << r.error;
        ASSERT_TRUE(r.command);
        EXPECT_EQ(r.command->kind, c.kind);
        EXPECT_EQ(r.command->path, c.path);
        EXPECT_EQ(r.command->args, c.args);
    }
}

TEST(ScriptParser, WaitLinesOutOfRangeOrIncompleteAreErrors) {
    for (const char* line : {"wait", "wait -1", "wait 600001", "wait 99999999999999", "wait \"5\"", "wait until",
                             "wait until Main", "wait until Main.x", "wait until Main.x =", "wait until Main.x = 1 -5",
                             "wait until Main.x = 1 700000", "wait until Main.x = 1 2 3", "wait until A.b.c.d = 1"}) {
        SCOPED_TRACE(line);
        const ScriptParseResult r = parseScriptLine(line);
        EXPECT_FALSE(r.command);
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(ScriptParser, CallLinesCarryTheirArgumentsInOrder) {
    struct Case {
        const char* line;
        std::vector<std::string> path;
        std::vector<ScriptValue> args;
    };
    const Case cases[] = {
        {"Main.ToneColorT1Click()", {"Main", "ToneColorT1Click"}, {}},
        {"ToneColor.Image1MouseDown(1, 128, 0)", {"ToneColor", "Image1MouseDown"}, {1LL, 128LL, 0LL}},
        {"ToneColor.Image1MouseDown(3,-7,+300)", {"ToneColor", "Image1MouseDown"}, {3LL, -7LL, 300LL}},
        {"Main.Postlize1.trigger()", {"Main", "Postlize1", "trigger"}, {}},
        {"W.f(\"a\", true, -1)", {"W", "f"}, {std::string("a"), true, -1LL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ScriptParseResult r = parseScriptLine(c.line);
        ASSERT_TRUE(r.error.empty()) << r.error;
        ASSERT_TRUE(r.command);
        EXPECT_EQ(r.command->kind, ScriptCommand::Kind::Call);
        EXPECT_EQ(r.command->path, c.path);
        EXPECT_EQ(r.command->args, c.args);
    }
    for (const char* line : {"ToneColor.Image1MouseDown(1, 128,)", "ToneColor.Image1MouseDown(1 128 0)",
                             "ToneColor.Image1MouseDown(1, 128, 0", "ToneColor.Image1MouseDown(1, x, 0)"}) {
        SCOPED_TRACE(line);
        const ScriptParseResult r = parseScriptLine(line);
        EXPECT_FALSE(r.command);
        EXPECT_FALSE(r.error.empty());
    }
}

TEST(ScriptParser, AnswerLines) {
    struct Case {
        const char* line;
        ScriptCommand::Kind kind;
        std::vector<ScriptValue> args;
    };
    const Case cases[] = {
        {"answer show", ScriptCommand::Kind::AnswerShow, {}},
        {"answer cancel", ScriptCommand::Kind::AnswerCancel, {}},
        {"answer color 1 2 255", ScriptCommand::Kind::AnswerColor, {1LL, 2LL, 255LL}},
        {"answer open \"/a b\"", ScriptCommand::Kind::AnswerOpen, {std::string("/a b"), 1LL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ScriptParseResult r = parseScriptLine(c.line);
        ASSERT_TRUE(r.error.empty()) << r.error;
        ASSERT_TRUE(r.command);
        EXPECT_EQ(r.command->kind, c.kind);
        EXPECT_EQ(r.command->args, c.args);
    }
    for (const char* line : {"answer show 1", "answer show ColorDialog1", "answer", "answer shows", "answer color 1 2"}) {
        SCOPED_TRACE(line);
        const ScriptParseResult r = parseScriptLine(line);
        EXPECT_FALSE(r.command);
        EXPECT_FALSE(r.error.empty());
    }
}

}  // namespace
}  // namespace veltrane
