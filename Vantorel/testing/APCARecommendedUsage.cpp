#include "Vantorel/testing/APCARecommendedUsage.h"

#include <cmath>

namespace vantorel {
namespace {

constexpr int weightCount = 6;

struct FontTableRow {
    double baseLc;
    double sizes[weightCount];
};

// Row 0 of the reference tables is a header of column weights; it is kept so that the row
// index is the one the reference computes, and it is never read.
constexpr FontTableRow sizeTable[] = {
    {0, {200, 300, 400, 500, 600, 700}},
    {0, {999, 999, 999, 999, 999, 999}},
    {10, {999, 999, 999, 999, 999, 999}},
    {15, {777, 777, 777, 777, 777, 777}},
    {20, {777, 777, 777, 777, 777, 777}},
    {25, {777, 777, 120, 120, 108, 96}},
    {30, {777, 120, 108, 108, 96, 72}},
    {35, {120, 108, 96, 72, 60, 48}},
    {40, {108, 96, 60, 48, 42, 32}},
    {45, {96, 72, 42, 32, 28, 24}},
    {50, {72, 60, 32, 28, 24, 21}},
    {55, {60, 48, 28, 24, 21, 18}},
    {60, {48, 42, 24, 21, 18, 16}},
    {65, {46, 32, 21.75, 19, 17, 15}},
    {70, {44, 28, 19.5, 18, 16, 14.5}},
    {75, {42, 24, 18, 16, 15, 14}},
    {80, {38.25, 23, 17.25, 15.81, 14.81, 14}},
    {85, {34.5, 22, 16.5, 15.625, 14.625, 14}},
    {90, {32, 21, 16, 15.5, 14.5, 14}},
    {95, {28, 19.5, 15.5, 15, 14, 13.5}},
    {100, {26.5, 18.5, 15, 14.5, 13.5, 13}},
    {105, {25, 18, 14.5, 14, 13, 12}},
    {110, {24, 18, 14, 13, 12, 11}},
    {115, {22.5, 17.25, 12.5, 11.875, 11.25, 10.625}},
    {120, {21, 16.5, 11, 10.75, 10.5, 10.25}},
    {125, {20, 16, 10, 10, 10, 10}},
};

// How much the size shrinks across a row's 5-Lc step, per weight.
constexpr double deltaTable[][weightCount] = {
    {200, 300, 400, 500, 600, 700},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0},
    {0, 0, 12, 12, 12, 24},
    {0, 12, 12, 36, 36, 24},
    {12, 12, 36, 24, 18, 16},
    {12, 24, 18, 16, 14, 8},
    {24, 12, 10, 4, 4, 3},
    {12, 12, 4, 4, 3, 3},
    {12, 6, 4, 3, 3, 2},
    {2, 10, 2.25, 2, 1, 1},
    {2, 4, 2.25, 1, 1, 0.5},
    {2, 4, 1.5, 2, 1, 0.5},
    {3.75, 1, 0.75, 0.188, 0.188, 0},
    {3.75, 1, 0.75, 0.188, 0.188, 0},
    {2.5, 1, 0.5, 0.125, 0.125, 0},
    {4, 1.5, 0.5, 0.5, 0.5, 0.5},
    {1.5, 1, 0.5, 0.5, 0.5, 0.5},
    {1.5, 0.5, 0.5, 0.5, 0.5, 1},
    {1, 0, 0.5, 1, 1, 1},
    {1.5, 0.75, 1.5, 1.125, 0.75, 0.375},
    {1.5, 0.75, 1.5, 1.125, 0.75, 0.375},
    {1, 0.5, 1, 0.75, 0.5, 0.25},
    {0, 0, 0, 0, 0, 0},
};

constexpr int lastRow = 25;
static_assert(std::size(sizeTable) == lastRow + 1 && std::size(deltaTable) == lastRow + 1);

// trunc(c · 0.2), kept within the body of the tables.
int rowFor(double c) {
    if (c < 5.0) return 1;
    double row = std::trunc(c * 0.2);
    return row >= lastRow ? lastRow : static_cast<int>(row);
}

int sizeFor(double c, double size, double delta, double adjustment) {
    if (size > unusableFontSize) return static_cast<int>(std::trunc(size));
    if (c < 14.5) return 999;
    if (c < 29.5) return 777;
    if (size > 24) return static_cast<int>(std::round(size - delta * adjustment));
    return static_cast<int>(std::trunc(size - std::floor(delta * adjustment)));
}

}  // namespace

std::string_view weightText(APCAFontWeight weight) {
    switch (weight) {
        case APCAFontWeight::twoHundred: return "200";
        case APCAFontWeight::threeHundred: return "300";
        case APCAFontWeight::fourHundred: return "400";
        case APCAFontWeight::fiveHundred: return "500";
        case APCAFontWeight::sixHundred: return "600";
        case APCAFontWeight::sevenHundred: return "700";
    }
    return "400";
}

int APCARecommendedUsage::size(APCAFontWeight weight) const {
    switch (weight) {
        case APCAFontWeight::twoHundred: return twoHundred;
        case APCAFontWeight::threeHundred: return threeHundred;
        case APCAFontWeight::fourHundred: return fourHundred;
        case APCAFontWeight::fiveHundred: return fiveHundred;
        case APCAFontWeight::sixHundred: return sixHundred;
        case APCAFontWeight::sevenHundred: return sevenHundred;
    }
    return 999;
}

APCARecommendedUsage apcaRecommendedUsage(double lc) {
    double c = std::fabs(lc);
    if (!std::isfinite(c)) c = 0;  // no measurable contrast: not for text at any size
    int row = rowFor(c);
    const FontTableRow& sizes = sizeTable[row];
    const double* deltas = deltaTable[row];
    double adjustment = (c - sizes.baseLc) * 0.2;

    int found[weightCount];
    for (int w = 0; w < weightCount; ++w) found[w] = sizeFor(c, sizes.sizes[w], deltas[w], adjustment);
    return {"", found[0], found[1], found[2], found[3], found[4], found[5]};
}

}  // namespace vantorel
