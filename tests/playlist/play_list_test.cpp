#include "playlist/play_list.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace veltrane {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

// A fresh folder holding small files (and folders, for names ending in '/').
using test::TempFolder;

TEST(MediaGroup, ExactExtensionsAfterTheLastSeparator) {
    const struct {
        const char* path;
        MediaGroup group;
    } cases[] = {
        {"movie.avi", MediaGroup::Video},   {"M.MPEG", MediaGroup::Video},      {"a.asf", MediaGroup::Video},
        {"/x/y.mpg", MediaGroup::Video},    {"song.mp3", MediaGroup::Sound},    {"S.AIF", MediaGroup::Sound},
        {"a.au", MediaGroup::Sound},        {"a.MID", MediaGroup::Sound},       {".avi", MediaGroup::Video},
        {"clip.Avi", MediaGroup::None},     {"song.Mp3", MediaGroup::None},     {"movie.avi ", MediaGroup::None},
        {"a.mp3.txt", MediaGroup::None},    {"/media.avi/notes", MediaGroup::None},
        {"avi", MediaGroup::None},          {"a.aiff", MediaGroup::None},       {"", MediaGroup::None},
    };
    for (const auto& c : cases) EXPECT_EQ(mediaGroup(c.path), c.group) << c.path;
}

TEST(PathParts, NameFolderAndExtension) {
    EXPECT_EQ(fileNameOf("/home/u/clip.avi"), "clip.avi");
    EXPECT_EQ(folderOf("/home/u/clip.avi"), "/home/u/");
    EXPECT_EQ(fileNameOf("clip.avi"), "clip.avi");
    EXPECT_EQ(folderOf("clip.avi"), "");
    EXPECT_EQ(extensionOf("/a.b/clip"), "");
    EXPECT_EQ(extensionOf("/a.b/clip.tar.avi"), ".avi");
}

TEST(ScanMediaFolder, KeepsMediaEntriesSortedByBytesWithFullPaths) {
    // Upper case sorts before lower case; a hidden file and a folder with a media extension
    // are entries like any other; mixed-case extensions and other files are left out.
    TempFolder dir({"movie2.avi", "song.mp3", "notes.txt", "movie1.avi", "B.WMV", "c.Mp3", "dir.mpg/", ".hidden.au",
                    "x.wav.bak"});
    const std::string f = dir.folder();
    EXPECT_EQ(scanMediaFolder(f),
              (Entries{f + ".hidden.au", f + "B.WMV", f + "dir.mpg", f + "movie1.avi", f + "movie2.avi", f + "song.mp3"}));
}

TEST(ScanMediaFolder, MissingFolderGivesAnEmptyList) {
    EXPECT_TRUE(scanMediaFolder("/nonexistent/veltrane/folder/").empty());
    TempFolder empty;
    EXPECT_TRUE(scanMediaFolder(empty.folder()).empty());
}

TEST(RefreshPlayList, OpeningTheSecondOfThreeFiles) {
    TempFolder dir({"movie1.avi", "movie2.avi", "notes.txt", "song.mp3"});
    const Entries entries = scanMediaFolder(dir.folder());
    const PlayListView view = refreshPlayList(entries, dir.folder() + "movie2.avi", 2, 0);
    ASSERT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.rows[0].caption, "movie1.avi");
    EXPECT_EQ(view.rows[2].caption, "song.mp3");
    EXPECT_EQ(view.rows[0].icon, 4);  // blue video
    EXPECT_EQ(view.rows[2].icon, 5);  // blue sound
    EXPECT_FALSE(view.rows[0].playing);
    EXPECT_TRUE(view.rows[1].playing);
    EXPECT_EQ(view.listIndex, 1);
    EXPECT_EQ(view.statusText, "再生中のファイル : 2/3");
}

TEST(RefreshPlayList, SameNameInTwoFoldersMarksBothAndTakesTheLater) {
    const Entries entries{"/a/clip.avi", "/b/other.avi", "/c/clip.avi", "/d/x.txt"};
    const PlayListView view = refreshPlayList(entries, "/z/clip.avi", 0, 0);
    EXPECT_TRUE(view.rows[0].playing);
    EXPECT_FALSE(view.rows[1].playing);
    EXPECT_TRUE(view.rows[2].playing);
    EXPECT_EQ(view.listIndex, 2);
    EXPECT_EQ(view.rows[3].icon, -1);  // neither group
    EXPECT_EQ(view.statusText, "再生中のファイル : 3/4");
}

TEST(RefreshPlayList, NoPlayingEntryKeepsTheIndex) {
    const PlayListView view = refreshPlayList({"/a/one.avi", "/a/two.avi"}, "/a/gone.avi", 2, 1);
    EXPECT_EQ(view.listIndex, 1);
    EXPECT_EQ(view.statusText, "再生中のファイル : 2/2");
    EXPECT_EQ(refreshPlayList({}, "", 2, 0).statusText, "再生中のファイル : 1/0");
}

TEST(PlayListIcon, ColourPairsAndBadColours) {
    const struct {
        const char* entry;
        int colour, icon;
    } cases[] = {
        {"a.avi", 0, 0}, {"a.mp3", 0, 1}, {"a.WMV", 3, 6}, {"a.au", 4, 9},
        {"a.avi", 5, -1}, {"a.mp3", -1, -1}, {"a.txt", 2, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(playListIcon(c.entry, c.colour), c.icon) << c.entry << " " << c.colour;
}

TEST(RemovePlayListEntry, ThePlayingFileStays) {
    Entries entries{"/a/one.avi", "/a/two.avi", "/a/three.avi"};
    EXPECT_FALSE(removePlayListEntry(entries, 1, "/elsewhere/two.avi"));  // same file name
    EXPECT_FALSE(removePlayListEntry(entries, 3, "/a/two.avi"));
    EXPECT_FALSE(removePlayListEntry(entries, -1, "/a/two.avi"));
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_TRUE(removePlayListEntry(entries, 0, "/a/two.avi"));
    EXPECT_EQ(entries, (Entries{"/a/two.avi", "/a/three.avi"}));
}

TEST(ParsePlayListText, LineEndsAndAcceptedLines) {
    const struct {
        const char* name;
        std::string bytes;
        Entries expected;
    } cases[] = {
        {"crlf", "/m/a.avi\r\n/m/b.mp3\r\n", {"/m/a.avi", "/m/b.mp3"}},
        {"lf and cr", "/m/a.avi\n/m/b.mp3\r/m/c.wav", {"/m/a.avi", "/m/b.mp3", "/m/c.wav"}},
        {"last line without ending", "/m/a.avi\r\n/m/b.AU", {"/m/a.avi", "/m/b.AU"}},
        {"blank lines", "\r\n\r\n/m/a.avi\r\n\n\r\r\n", {"/m/a.avi"}},
        {"skipped lines", "/m/a.Avi\r\n/m/b.AVI\r\n/m/c.avi \r\nnotes.txt\r\n /m/d.mid\r\n", {"/m/b.AVI", " /m/d.mid"}},
        {"relative and duplicate", "a.avi\r\na.avi\r\n", {"a.avi", "a.avi"}},
        {"byte-order mark", "\xEF\xBB\xBF/m/a.avi\r\n", {"/m/a.avi"}},
        {"utf-8 name", "/m/\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.avi\r\n", {"/m/\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.avi"}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(parsePlayListText(c.bytes), c.expected) << c.name;
}

TEST(ParsePlayListText, Cp932ListsFromJapaneseWindows) {
    // "テスト" in Shift-JIS is 83 65 83 58 83 67; 0x5C stays a backslash; half-width "ｱ" is B1.
    const std::string sjis = "C:\\\x83\x65\x83\x58\x83\x67\\\xB1.avi\r\nD:\\b.mp3\r\n";
    EXPECT_EQ(parsePlayListText(sjis),
              (Entries{"C:\\\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88\\\xEF\xBD\xB1.avi", "D:\\b.mp3"}));
    // Bytes that are not CP932 become U+FFFD and the rest of the file is still read; a lead
    // byte cut off at the end is replaced too.
    EXPECT_EQ(parsePlayListText("/m/\x80x.avi\r\n/m/\xFD.mp3\r\n/m/y.wav\x83"),
              (Entries{"/m/\xEF\xBF\xBDx.avi", "/m/\xEF\xBF\xBD.mp3"}));
    // An overlong UTF-8 form is not valid UTF-8: the file is read as CP932 (C0 AF are two
    // half-width katakana there).
    EXPECT_EQ(parsePlayListText("/m/\xC0\xAF.avi\r\n"), (Entries{"/m/\xEF\xBE\x80\xEF\xBD\xAF.avi"}));
}

TEST(PlayListFile, RoundTrip) {
    const Entries entries{"/m/movie 1.avi", "/m/\xE6\x98\xA0\xE7\x94\xBB.WMV", "relative/song.mp3", "/m/a.au"};
    const std::string bytes = serializePlayList(entries);
    EXPECT_EQ(bytes, "/m/movie 1.avi\r\n/m/\xE6\x98\xA0\xE7\x94\xBB.WMV\r\nrelative/song.mp3\r\n/m/a.au\r\n");
    EXPECT_EQ(serializePlayList({}), "");

    TempFolder dir;
    const std::string path = dir.write("saved.lst", bytes);
    EXPECT_EQ(readPlayListFile(path), entries);
}

TEST(PlayListFile, FirstEntryStartingWithAByteOrderMarkSurvivesSaving) {
    // Found by fuzz_play_list: the mark opens the second line, so it is part of the first
    // entry, and a save that began with it lost it on reading back.
    const std::string found("U\n\xEF\xBB\xBF\0m.AU\n/\0\0\0\0\0\0\0.AU", 22);
    const Entries entries = parsePlayListText(found);
    ASSERT_EQ(entries, (Entries{std::string("\xEF\xBB\xBF\0m.AU", 8), std::string("/\0\0\0\0\0\0\0.AU", 11)}));
    EXPECT_EQ(parsePlayListText(serializePlayList(entries)), entries);
    EXPECT_EQ(serializePlayList({"\xEF\xBB\xBF" "a.avi"}), "\xEF\xBB\xBF\xEF\xBB\xBF" "a.avi\r\n");
}

TEST(PlayListFile, UnreadableFilesReadAsNothing) {
    TempFolder dir;
    EXPECT_FALSE(readPlayListFile(dir.folder() + "missing.lst").has_value());
    EXPECT_FALSE(readPlayListFile(dir.folder()).has_value());  // a folder
    const std::string empty = dir.write("empty.lst", "");
    EXPECT_EQ(readPlayListFile(empty), Entries{});
}

TEST(PlayListSaveName, LstOnlyWithoutAnExtension) {
    const struct {
        const char *chosen, *saved;
    } cases[] = {
        {"/home/u/mylist", "/home/u/mylist.lst"},
        {"/home/u/mylist.txt", "/home/u/mylist.txt"},
        {"/home/u/mylist.lst", "/home/u/mylist.lst"},
        {"/home/u.v2/mylist", "/home/u.v2/mylist.lst"},
    };
    for (const auto& c : cases) EXPECT_EQ(playListSaveName(c.chosen), c.saved) << c.chosen;
}

TEST(PlayListLoadAction, MediaFilesAreAppendedNotReadAsText) {
    EXPECT_EQ(playListLoadAction("/m/clip.avi"), PlayListLoad::AppendFile);
    EXPECT_EQ(playListLoadAction("/m/song.WMA"), PlayListLoad::AppendFile);
    EXPECT_EQ(playListLoadAction("/m/list.lst"), PlayListLoad::ReadListFile);
    EXPECT_EQ(playListLoadAction("/m/clip.Avi"), PlayListLoad::ReadListFile);
}

}  // namespace
}  // namespace veltrane
