// Any text as a skin description, queried with every section it names and keys taken from
// its own lines.
#include <string>
#include <vector>

#include "skin/data/QuickIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skin::TQuickIni ini;
    const std::vector<std::uint8_t> bytes(data, data + size);
    ini.LoadFromStream(&bytes);
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    for (const std::string& section : sections) {
        for (const std::string& line : ini.Lines()) {
            const std::string key = line.substr(0, line.find('='));
            ini.ReadString(section, key, "d");
            ini.ReadInteger(section, key, -1);
        }
        ini.FindSection(section);
    }
    ini.ReadInteger("", "", 0);
    return 0;
}
