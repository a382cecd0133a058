#pragma once
// Stepping through the image files of the opened file's folder: the scan, the position
// arithmetic of the folder commands and the mouse wheel, and the counter field's text.
#include <string>
#include <vector>

namespace veltrane {

struct FolderScan {
    std::vector<std::string> names;  // image file names without directory, in byte order
    int position = 0;                // 1-based index of the opened file; 0 = no navigation
    int count() const { return static_cast<int>(names.size()); }
};

// Reads the folder once and keeps every entry whose name is an image file by its exact
// extension, directories and hidden entries included. Names are sorted by byte order, so
// counting and listing always agree. position counts the image names up to and including
// fileNameNoDir (compared exactly), or is 0 when the folder has no such entry. A missing
// or unreadable folder gives an empty scan; nothing is thrown.
FolderScan scanFolder(const std::string& directory, const std::string& fileNameNoDir);

// The position after a folder command, and whether the file at it is (re)loaded.
struct NavStep {
    int position;
    bool load;
};

// Next and previous wrap around; with a single file they reload it. First and last load
// only when the folder holds more than one file. Nothing happens while the position is 0.
NavStep nextFile(int position, int count);
NavStep previousFile(int position, int count);
NavStep firstFile(int position, int count);
NavStep lastFile(int position, int count);
// The wheel steps (wrapping) only while the right button is held and there are at least
// two files.
NavStep wheelDown(int position, int count, bool rightButtonHeld);
NavStep wheelUp(int position, int count, bool rightButtonHeld);

// The counter field's text, e.g. "3/12".
std::string counterText(int position, int count);

// What a key press in the read-only counter field does, by Windows virtual-key code:
// editing and navigation keys are ignored, a main-keyboard digit takes the field's text as
// the counter text, any other key puts the counter text back.
enum class CounterKeyAction { Ignore, TakeEditText, RestoreCounterText };
CounterKeyAction counterKeyAction(int virtualKey);

}  // namespace veltrane
