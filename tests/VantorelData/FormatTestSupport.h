#pragma once
// Builders of small projects for the document format tests.

#include <gtest/gtest.h>

#include <locale>
#include <string>

#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Project.h"
#include "tests/support/FileContents.h"

namespace vantorel::format::testing {

inline quenz::ColorValue rgb(double red, double green, double blue, double alpha = 1,
                             quenz::RGBSpace space = quenz::RGBSpace::sRGB) {
    return {space, red, green, blue, alpha, 0};
}

inline ShadowDetails shadowOf(double x, double y, double blur, double spread, quenz::ColorValue color) {
    return ShadowDetails(color, x, y, blur, spread);
}

inline CommonValueFields common(AppearanceType type = AppearanceType::none, double amount = 0.5,
                                bool deprecated = false, std::optional<std::string> reason = std::nullopt) {
    return {type, amount, deprecated, std::move(reason)};
}

using vantorel::testing::fileContents;

// A global locale with a decimal comma and full-stop grouping, as a German user has it.
struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// The bytes of a project; fails the test when writing fails.
inline std::string bytesOf(const QuenzColorProject& project) {
    auto written = QuenzColorFileWriter::write(project);
    if (written.error) ADD_FAILURE() << written.error->message;
    return written.bytes;
}

// Reads the bytes, writes them again.
inline std::string rewritten(const std::string& bytes) { return bytesOf(*QuenzColorFileReader::read(bytes)); }

// A project that holds every item kind, in every appearance type where the kind has one, with
// every variant each type uses, a deprecated item, nested groups, sets, aliases of every
// target form, and build and test groups with assignments.
QuenzColorProjectPtr everyKindProject();

}  // namespace vantorel::format::testing
