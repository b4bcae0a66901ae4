// Any bytes read as a document without a crash, and saving is stable: reading what was written
// and writing it again gives the same bytes. The item element reader is exercised on every
// item element of the written document as well.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

using namespace vantorel::format;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto project = QuenzColorFileReader::read(bytes);
    const auto written = QuenzColorFileWriter::write(*project);
    if (written.error) return 0;  // text that is not UTF-8 cannot be saved; reading it is enough

    const auto reread = QuenzColorFileReader::read(written.bytes);
    const auto again = QuenzColorFileWriter::write(*reread);
    if (again.error || again.bytes != written.bytes) std::abort();

    for (const auto& item : reread->items()) {
        const auto text = QuenzColorFileWriter::itemText(*item);
        if (!text) std::abort();
        const auto copy = QuenzColorFileReader::readItemText(*text, *reread, true);
        if (!copy || copy->itemType() != item->itemType()) std::abort();
    }
    return 0;
}
