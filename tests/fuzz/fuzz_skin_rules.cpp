// Any text as a skin description, run through the element rules a skin load applies before
// it touches a bitmap: the colour table, the caption buttons, every section's colour and
// image keys, frame counts, and the layout of a frame drawn from the section's own numbers
// (sizes kept to what a skin image and a window can be, so the pieces stay countable).
#include <algorithm>
#include <string>
#include <vector>

#include "skin/data/QuickIni.h"
#include "skin/data/SkinElementRules.h"
#include "skin/data/SkinLayout.h"

namespace {

int Bounded(const skin::TQuickIni& ini, const std::string& section, const char* key, int low, int high)
{
    return std::clamp<int>(ini.ReadInteger(section, key, 0), low, high);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skin::TQuickIni ini;
    const std::vector<std::uint8_t> bytes(data, data + size);
    ini.LoadFromStream(&bytes);
    std::vector<std::string> sections;
    ini.ReadSections(sections);

    skin::TSkinColorTable table;
    skin::ReadColorTable(ini, sections, table);
    const std::vector<skin::TCaptionButtonKeys> buttons = skin::ReadCaptionButtons(ini, sections);
    for (const skin::TCaptionButtonKeys& button : buttons) skin::SkinBitmapName(button.ImageValue);

    for (const std::string& section : sections) {
        bool given = false;
        skin::ReadColorKey(ini, section, "Fontcolor", ui::RGBColor(1, 2, 3), &given);
        skin::IsCaptionButtonSection(section);
        skin::SkinBitmapName(ini.ReadString(section, "Image", ""));
        const int width = Bounded(ini, section, "Width", -4, 4096);
        const int height = Bounded(ini, section, "Height", -4, 4096);
        const int frames = ini.ReadInteger(section, "Frame", 1);
        skin::CheckRadioFrameCount(frames, width, height);
        skin::CaptionButtonFrameCount(frames, ini.ReadInteger(section, "Action", 0), width, height);
        skin::MdiButtonCut(width, Bounded(ini, section, "Button", -2, 13));
        skin::ToolbarSaturatedWeight(ini.ReadInteger(section, "Saturation", 0));

        const skin::TRectI frame = skin::SelectFrame(width, height, frames, ini.ReadInteger(section, "Index", 1),
                                                     ini.ReadInteger(section, "Vertical", 0) != 0);
        const skin::TMargins margins{ini.ReadInteger(section, "LeftWidth", 0), ini.ReadInteger(section, "TopHeight", 0),
                                     ini.ReadInteger(section, "RightWidth", 0),
                                     ini.ReadInteger(section, "BottomHeight", 0)};
        const int target_width = Bounded(ini, section, "TargetWidth", -4, 2048);
        const int target_height = Bounded(ini, section, "TargetHeight", -4, 2048);
        for (const skin::TPiece& piece :
             skin::NineGridPieces(target_width, target_height, frame, margins, ini.ReadInteger(section, "Tile", 0) != 0)) {
            if (piece.Tiled && piece.Source.Width() > 0 && piece.Source.Height() > 0)
                skin::TilePositions(piece.Target, std::max(piece.Source.Width(), 8), std::max(piece.Source.Height(), 8));
        }
        skin::ThreePartTiledPieces(target_width, target_height, frame, margins.Left, margins.Right);
        skin::ThreePartStretchedPieces({0, 0, target_width, target_height}, frame, margins.Left, margins.Right);
        skin::CenteredOrigin({0, 0, target_width, target_height}, width, height);
    }
    return 0;
}
