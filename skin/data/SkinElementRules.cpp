#include "skin/data/SkinElementRules.h"

#include <algorithm>

namespace skin {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}


}  // namespace

ui::TColor ParseColorTriple(std::string_view text, ui::TColor fallback)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return fallback;

    std::array<std::uint32_t, 3> numbers{};
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size() && count < numbers.size()) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        // Unsigned arithmetic wraps, which keeps the low 8 bits of any long run right.
        std::uint32_t value = 0;
        while (i < text.size() && IsDigit(text[i])) {
            value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
            ++i;
        }
        const bool atEnd = i == text.size();
        if (!atEnd || count == 2) numbers[count++] = value;
    }
    return ui::RGBColor(static_cast<int>(numbers[0] & 0xFF), static_cast<int>(numbers[1] & 0xFF),
                    static_cast<int>(numbers[2] & 0xFF));
}

ui::TColor ReadColorKey(const TQuickIni& ini, std::string_view section, std::string_view key, ui::TColor fallback,
                        bool* given)
{
    const std::string text = ini.ReadString(section, key, {});
    if (given) *given = !text.empty();
    return ParseColorTriple(text, fallback);
}

std::string SkinBitmapName(std::string_view value)
{
    const auto cut = value.find_last_of("\\:");
    const std::string_view name = cut == std::string_view::npos ? value : value.substr(cut + 1);
    const auto dot = name.rfind('.');
    if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
    return std::string(name);
}

int CheckRadioFrameCount(int keyFrames, int imageWidth, int imageHeight)
{
    if (keyFrames != 0) return keyFrames;
    const int unit = imageHeight < 16 ? 13 : 16;
    return std::max(imageWidth / unit, 4);
}

int CaptionButtonFrameCount(int keyFrames, int action, int imageWidth, int imageHeight)
{
    if (keyFrames != 0) return keyFrames;
    if (action < 0 || imageWidth <= 0 || imageHeight <= 0) return 6;
    return static_cast<double>(imageWidth) / imageHeight <= 3.8 ? 3 : 6;
}

bool IsCaptionButtonSection(std::string_view upperName)
{
    if (!upperName.starts_with("BUTTON")) return false;
    return upperName != "BUTTONS" && upperName != "BUTTON" && upperName != "BUTTON.RADIO" &&
           upperName != "BUTTON.CHECKBOX";
}

void PlaceHelpButtons(std::vector<TCaptionButtonKeys>& buttons)
{
    const TCaptionButtonPlace* anchor = nullptr;
    for (auto& keys : buttons) {
        TCaptionButtonPlace& button = keys.Place;
        if (button.Action == 4 && anchor) {
            button.Xcoord = anchor->Xcoord;
            button.Ycoord = anchor->Ycoord;
        }
        if (button.Action == 1 && button.Visibility == 2) anchor = &button;
    }
}

TMdiButtonCut MdiButtonCut(int imageWidth, int k)
{
    const int column = imageWidth / 12;
    return {4 * column * k, 4 * column, (column + 4) * (3 - k)};
}

int ToolbarSaturatedWeight(int saturation)
{
    if (saturation <= 110) return -1;
    return (5625 - 25 * saturation) / 140 + 50;
}

ui::TColor TrackPixelColor(char code)
{
    switch (code) {
    case 'L': return ui::RGBColor(192, 192, 192);
    case 'D': return ui::RGBColor(128, 128, 128);
    default: return ui::RGBColor(255, 255, 255);
    }
}

void ReadColorTable(const TQuickIni& ini, const std::vector<std::string>& sections, TSkinColorTable& table)
{
    struct Key {
        int Slot;
        std::string_view Name;
        int SystemIndex;  // -1: the value of ButtonFace
    };
    // The reading order matters: Menubar falls back on ButtonFace as just read.
    static constexpr Key keys[] = {
        {csWindowText, "WindowText", 8},   {csButtonFace, "ButtonFace", 15},
        {csScrollbar, "Scrollbar", 0},     {csHilightText, "HilightText", 14},
        {csHilight, "Hilight", 13},        {csMenubar, "Menubar", -1},
        {csMenu, "Menu", 4},               {csMenuText, "MenuText", 7},
        {csButtonText, "ButtonText", 18},  {csButtonHilight, "ButtonHilight", 20},
        {csButtonlight, "Buttonlight", 20}, {csButtonShadow, "ButtonShadow", 16},
        {csButtonDkShadow, "ButtonDkShadow", 21}, {csMenuBarText, "MenuBarText", 7},
        {csTitleTextActive, "TitleTextActive", 9}, {csTitleTextNoActive, "TitleTextNoActive", 19},
    };
    table.Colors.fill(0);
    table.Given.fill(false);
    for (const Key& key : keys) {
        const auto slot = static_cast<std::size_t>(key.Slot);
        const ui::TColor fallback =
            key.SystemIndex < 0 ? table.Colors[csButtonFace] : ui::SystemColor(key.SystemIndex);
        bool given = false;
        table.Colors[slot] = ReadColorKey(ini, "Colours", key.Name, fallback, &given);
        table.Given[slot] = given;
    }

    table.Extra.clear();
    for (const std::string& section : sections) {
        const std::string upper = AsciiUpper(section);
        if (upper.starts_with("COLOUR") && upper != "COLOURS")
            table.Extra.push_back(ReadColorKey(ini, section, "color", ui::clWindowText));
    }
    for (std::size_t k = 0; k < table.Custom.size(); ++k)
        table.Custom[k] = ReadColorKey(ini, "Customcolors", "Color" + std::to_string(k), ui::RGBColor(255, 255, 255));
}

std::vector<TCaptionButtonKeys> ReadCaptionButtons(const TQuickIni& ini, const std::vector<std::string>& sections)
{
    std::vector<TCaptionButtonKeys> buttons;
    for (const std::string& section : sections) {
        TCaptionButtonKeys keys;
        keys.Name = AsciiUpper(section);
        if (!IsCaptionButtonSection(keys.Name)) continue;
        const int action = ini.ReadInteger(section, "Action", 0);
        if (!KeepsCaptionButton(action, ini.ReadInteger(section, "Visibility", -1))) continue;
        keys.Place = {action, ini.ReadInteger(section, "Visibility", 0), ini.ReadInteger(section, "Xcoord", 0),
                      ini.ReadInteger(section, "Ycoord", 0)};
        keys.Align = ini.ReadInteger(section, "Align", 0);
        keys.Visibility1 = ini.ReadInteger(section, "Visibility1", action == -1 ? -1 : 0);
        keys.CombineOp = ini.ReadInteger(section, "CombineOp", -1);
        keys.FrameKey = ini.ReadInteger(section, "frame", 0);
        keys.ImageValue = ini.ReadString(section, "ButtonImage", {});
        buttons.push_back(std::move(keys));
    }
    PlaceHelpButtons(buttons);
    return buttons;
}

}  // namespace skin
