// Bitmap bytes as a skin package carries them: a decoded image must hold exactly its rows.
#include <cstdlib>

#include "ui/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto& image : {ui::DecodeBmp({data, size}), ui::DecodeDib({data, size})}) {
        if (!image) continue;
        if (image->width <= 0 || image->height <= 0 ||
            image->pixels.size() != image->Stride() * static_cast<std::size_t>(image->height))
            std::abort();
        volatile std::uint8_t last = image->Row(image->height - 1)[image->Stride() - 1];
        (void)last;
        const std::vector<std::uint8_t> again = ui::EncodeBmp24(*image);
        if (!ui::DecodeBmp(again)) std::abort();
    }
    return 0;
}
