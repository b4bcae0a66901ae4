#include "Vantorel/import/image/ImageDecoder.h"

namespace vantorel::import {

bool decodeImage(std::string_view bytes, PixelRowSink& sink) {
    if (bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) return decodePNG(bytes, sink);
    if (bytes.substr(0, 3) == "\xFF\xD8\xFF") return decodeJPEG(bytes, sink);
    if (bytes.size() >= 12 && bytes.substr(0, 4) == "RIFF" && bytes.substr(8, 4) == "WEBP")
        return decodeWebP(bytes, sink);
    return false;
}

}  // namespace vantorel::import
