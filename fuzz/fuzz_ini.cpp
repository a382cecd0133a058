// Settings files are user-editable: any bytes must parse, read and save without harm, and a
// value written to a damaged file must read back after saving and loading it again.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    veltrane::IniFile ini = veltrane::IniFile::parse(text);

    ini.readInteger("Main_POS", "Left", 200);
    ini.readInteger("HOW_TO_DISPLAY", "Method", 0);
    ini.readString("KIRRO", "greeting", "1");
    ini.readString("", "", "");

    // The value written comes from the input's first bytes, so every int is reached.
    int value = 0;
    std::memcpy(&value, data, size < sizeof value ? size : sizeof value);
    ini.writeInteger("Main_POS", "Left", value);
    if (ini.readInteger("main_pos", "LEFT", value ^ 1) != value) std::abort();

    const veltrane::IniFile reread = veltrane::IniFile::parse(ini.serialize());
    if (reread.readInteger("Main_POS", "Left", value ^ 1) != value) std::abort();
    if (reread.serialize() != ini.serialize() && text.find('\r') == std::string_view::npos) std::abort();
    return 0;
}
