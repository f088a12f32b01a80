// The BMP reader on any bytes: whole files and the bare bitmap data of resources. A picture it
// accepts must be as large as its header says.
#include "framework/BmpFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    for (bool packed : {false, true}) {
        qx::TBmpImage image;
        bool ok = packed ? qx::DecodePackedDib(bytes, image) : qx::DecodeBmpFile(bytes, image);
        if (ok && image.Width > 0 && image.Height > 0 &&
            image.Pixels.size() < qx::BmpRowBytes(image.Width, image.BitsPerPixel) * static_cast<size_t>(image.Height))
            std::abort();
    }
    return 0;
}
