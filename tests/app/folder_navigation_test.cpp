#include "app/folder_navigation.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

namespace veltrane {
namespace {

namespace fs = std::filesystem;

using test::TempFolder;

TEST(ScanFolder, ListsOnlyExactImageExtensions) {
    TempFolder folder({"a.jpg", "b.BMP", "c.Jpg", "notes.txt"});
    const FolderScan scan = scanFolder(folder.path(), "b.BMP");
    EXPECT_EQ(scan.names, (std::vector<std::string>{"a.jpg", "b.BMP"}));
    EXPECT_EQ(scan.count(), 2);
    EXPECT_EQ(scan.position, 2);
}

TEST(ScanFolder, SortsByBytesAndCountsEveryKindOfEntry) {
    // Upper case sorts before lower case; a hidden file and a folder with an image
    // extension are entries like any other.
    TempFolder folder({"b.jpeg", "B.JPEG", "a.bmp", ".hidden.jpg", "dir.JPG/", "x.Bmp", "y.jpg.txt", "z"});
    const FolderScan scan = scanFolder(folder.path() + "/", "b.jpeg");
    EXPECT_EQ(scan.names, (std::vector<std::string>{".hidden.jpg", "B.JPEG", "a.bmp", "b.jpeg", "dir.JPG"}));
    EXPECT_EQ(scan.position, 4);
}

TEST(ScanFolder, PositionOfTheOpenedFile) {
    TempFolder folder({"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "3.txt"});
    const struct {
        const char* name;
        int position;
    } cases[] = {
        {"1.jpg", 1}, {"3.jpg", 3}, {"5.jpg", 5},
        {"3.JPG", 0},  // compared exactly, case included
        {"9.jpg", 0},  // not in the folder
        {"3.txt", 3},  // an entry that is no image: the count of image files up to it
    };
    for (const auto& c : cases) {
        const FolderScan scan = scanFolder(folder.path(), c.name);
        EXPECT_EQ(scan.count(), 5) << c.name;
        EXPECT_EQ(scan.position, c.position) << c.name;
    }
}

TEST(ScanFolder, MissingOrUnreadableFolderIsEmpty) {
    TempFolder folder({"a.jpg"});
    for (const std::string& dir : {folder.path() + "/missing", folder.path() + "/a.jpg", std::string()}) {
        const FolderScan scan = scanFolder(dir, "a.jpg");
        EXPECT_EQ(scan.count(), 0) << dir;
        EXPECT_EQ(scan.position, 0) << dir;
    }
}

struct NavCase {
    NavStep (*command)(int, int);
    const char* name;
    int p, c;
    int expectedPosition;
    bool expectedLoad;
};

TEST(FolderCommands, FollowTheNavigationTable) {
    const NavCase cases[] = {
        {nextFile, "next", 3, 5, 4, true},      {nextFile, "next", 5, 5, 1, true},
        {nextFile, "next", 1, 1, 1, true},      // a single file is reloaded
        {nextFile, "next", 0, 5, 0, false},     {nextFile, "next", 0, 0, 0, false},
        {previousFile, "previous", 3, 5, 2, true}, {previousFile, "previous", 1, 5, 5, true},
        {previousFile, "previous", 1, 1, 1, true}, {previousFile, "previous", 0, 5, 0, false},
        {firstFile, "first", 3, 5, 1, true},    {firstFile, "first", 1, 5, 1, true},
        {firstFile, "first", 1, 1, 1, false},   {firstFile, "first", 0, 5, 0, false},
        {lastFile, "last", 3, 5, 5, true},      {lastFile, "last", 5, 5, 5, true},
        {lastFile, "last", 1, 1, 1, false},     {lastFile, "last", 0, 5, 0, false},
    };
    for (const NavCase& c : cases) {
        const NavStep step = c.command(c.p, c.c);
        EXPECT_EQ(step.position, c.expectedPosition) << c.name << " from " << c.p << "/" << c.c;
        EXPECT_EQ(step.load, c.expectedLoad) << c.name << " from " << c.p << "/" << c.c;
    }
}

TEST(FolderCommands, NextFromTheThirdOfFiveWrapsAfterTheLast) {
    int p = 3;
    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i) {
        p = nextFile(p, 5).position;
        shown.push_back(counterText(p, 5));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"4/5", "5/5", "1/5"}));
}

TEST(FolderCommands, WheelOnlyWithRightButtonAndSeveralFiles) {
    const struct {
        int p, c;
        bool right;
        NavStep down, up;
    } cases[] = {
        {3, 5, true, {4, true}, {2, true}},
        {5, 5, true, {1, true}, {4, true}},
        {1, 5, true, {2, true}, {5, true}},
        {3, 5, false, {3, false}, {3, false}},
        {1, 1, true, {1, false}, {1, false}},
        {0, 5, true, {0, false}, {0, false}},
        {1, 2, true, {2, true}, {2, true}},
    };
    for (const auto& c : cases) {
        const NavStep down = wheelDown(c.p, c.c, c.right);
        const NavStep up = wheelUp(c.p, c.c, c.right);
        EXPECT_EQ(down.position, c.down.position) << c.p << "/" << c.c << " right " << c.right;
        EXPECT_EQ(down.load, c.down.load) << c.p << "/" << c.c << " right " << c.right;
        EXPECT_EQ(up.position, c.up.position) << c.p << "/" << c.c << " right " << c.right;
        EXPECT_EQ(up.load, c.up.load) << c.p << "/" << c.c << " right " << c.right;
    }
}

TEST(CounterField, KeyActions) {
    const struct {
        int key;
        CounterKeyAction action;
    } cases[] = {
        {8, CounterKeyAction::Ignore},   {13, CounterKeyAction::Ignore},  {16, CounterKeyAction::Ignore},
        {17, CounterKeyAction::Ignore},  {37, CounterKeyAction::Ignore},  {40, CounterKeyAction::Ignore},
        {46, CounterKeyAction::Ignore},  {229, CounterKeyAction::Ignore},
        {'0', CounterKeyAction::TakeEditText}, {'9', CounterKeyAction::TakeEditText},
        {'A', CounterKeyAction::RestoreCounterText}, {'/', CounterKeyAction::RestoreCounterText},
        {':', CounterKeyAction::RestoreCounterText},
        {96, CounterKeyAction::RestoreCounterText},  // numeric keypad 0 is not a main-keyboard digit
        {18, CounterKeyAction::RestoreCounterText},  // Alt
        {36, CounterKeyAction::RestoreCounterText},  // Home
        {41, CounterKeyAction::RestoreCounterText},
        {45, CounterKeyAction::RestoreCounterText},  // Insert
    };
    for (const auto& c : cases) EXPECT_EQ(counterKeyAction(c.key), c.action) << c.key;
}

}  // namespace
}  // namespace veltrane
