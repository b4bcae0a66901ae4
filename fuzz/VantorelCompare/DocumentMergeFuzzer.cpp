// Any three byte strings (base, ours, theirs, separated by a 0x01 byte) compared and merged
// without a crash: a project differs in nothing from itself, a merge where one side kept the
// base gives the other side, and a merge result is a document this version writes unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Vantorel/compare/DocumentDiff.h"
#include "Vantorel/compare/DocumentMerge.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string_view sides[3];
    for (auto& side : sides) {
        const auto end = rest.find('\x01');
        side = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const auto& [base, ours, theirs] = sides;

    // The same project against itself (reading twice would give items stored without an
    // identifier a fresh one each time).
    const auto project = format::QuenzColorFileReader::read(ours);
    const auto self = compare::diffDocuments(project, project);
    if (!self.equal()) std::abort();
    compare::diffDocuments(format::QuenzColorFileReader::read(base), format::QuenzColorFileReader::read(theirs));

    const auto oneSided = compare::mergeDocuments(base, base, theirs);
    if (!oneSided.error && oneSided.bytes != theirs) std::abort();

    const auto merged = compare::mergeDocuments(base, ours, theirs);
    if (merged.error || ours == theirs || base == ours || base == theirs) return 0;
    const auto written = format::QuenzColorFileWriter::write(*format::QuenzColorFileReader::read(merged.bytes));
    if (written.error || written.bytes != merged.bytes) std::abort();
    return 0;
}
