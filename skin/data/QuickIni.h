// TQuickIni: the read-only parser of the skin description, an ini text held in memory.
//
// Lines are trimmed; blank lines and lines starting with ";" are dropped; a kept line in
// square brackets is a section header. Section names and keys are matched without regard
// to ASCII case; the first section of a name and the first key in it win, and an empty
// value means "use the default". Text is bytes in the skin's code page (GBK).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

class TQuickIni {
public:
    // Parses the bytes from the stream's start; a null stream leaves the object as it was.
    void LoadFromStream(const std::vector<std::uint8_t>* stream);
    void LoadFromText(std::string_view text);

    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& defaultValue) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) const;
    // The bare section names in text order; a repeated header is listed each time.
    void ReadSections(std::vector<std::string>& target) const;
    // Position of the first matching header in the line list, or -1.
    int FindSection(std::string_view section) const;

    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    // Trimmed header lines, brackets included, with their positions in lines_.
    std::vector<std::pair<std::string, int>> sections_;
};

// Text to a signed 32-bit integer: an optional sign, then decimal digits or "$" and
// hexadecimal digits (up to 32 bits, taken as a bit pattern). False for anything else.
bool ParseInt32(std::string_view text, std::int32_t& value);

}  // namespace skin
