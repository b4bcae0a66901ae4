#include "app/tools/SwatchProofing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "QuenzColorUtils/ColorManagement.h"

namespace vantorel::app {
namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
using Linear = std::array<double, 3>;

// Machado, Oliveira and Fernandes (2009), "A Physiologically-based Model for Simulation of Color
// Vision Deficiency", severity 1.0: dichromacy, applied to linear-light sRGB.
constexpr Matrix protanopiaMatrix = {{{0.152286, 1.052583, -0.204868},
                                      {0.114503, 0.786281, 0.099216},
                                      {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix deuteranopiaMatrix = {{{0.367322, 0.860646, -0.227968},
                                        {0.280085, 0.672501, 0.047413},
                                        {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix tritanopiaMatrix = {{{1.255528, -0.076749, -0.178779},
                                      {-0.078411, 0.930809, 0.147602},
                                      {0.004733, 0.691367, 0.303900}}};

// The white of a display warmed to about 4000 K, as linear-light gains of the sRGB primaries.
constexpr Linear nightShiftWhite = {1.0, 0.62, 0.38};

// Proofing works on what a screen can show: channels clamped to 0–1, through the sRGB curve.
double toLinear(double encoded) { return quenz::colormanagement::sRGBToLinear(std::clamp(encoded, 0.0, 1.0)); }

double toEncoded(double linear) { return quenz::colormanagement::linearToSRGB(std::clamp(linear, 0.0, 1.0)); }

Linear apply(const Matrix& m, const Linear& c) {
    Linear out{};
    for (std::size_t row = 0; row < 3; ++row) out[row] = m[row][0] * c[0] + m[row][1] * c[1] + m[row][2] * c[2];
    return out;
}

Linear simulate(ProofingMode mode, const Linear& c, const std::array<double, 3>& encoded) {
    switch (mode) {
        case ProofingMode::protanopia: return apply(protanopiaMatrix, c);
        case ProofingMode::deuteranopia: return apply(deuteranopiaMatrix, c);
        case ProofingMode::tritanopia: return apply(tritanopiaMatrix, c);
        case ProofingMode::achromatopsia: {
            // Without cones only the luminance of the light is left.
            const double y = 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
            return {y, y, y};
        }
        case ProofingMode::greyscale: {
            // A greyscale display or printer weighs the encoded values (Rec. 601 luma).
            const double luma = toLinear(0.299 * encoded[0] + 0.587 * encoded[1] + 0.114 * encoded[2]);
            return {luma, luma, luma};
        }
        case ProofingMode::nightShift:
            return {c[0] * nightShiftWhite[0], c[1] * nightShiftWhite[1], c[2] * nightShiftWhite[2]};
        case ProofingMode::none:
        case ProofingMode::outsideSRGB: break;
    }
    return c;
}

constexpr ProofingModeEntry entries[] = {
    {ProofingMode::none, "No Proofing", "proofingNoneAction"},
    {ProofingMode::protanopia, "Protanopia (No Red Cones)", "proofingProtanopiaAction"},
    {ProofingMode::deuteranopia, "Deuteranopia (No Green Cones)", "proofingDeuteranopiaAction"},
    {ProofingMode::tritanopia, "Tritanopia (No Blue Cones)", "proofingTritanopiaAction"},
    {ProofingMode::achromatopsia, "Achromatopsia (No Color Vision)", "proofingAchromatopsiaAction"},
    {ProofingMode::greyscale, "Greyscale", "proofingGreyscaleAction"},
    {ProofingMode::nightShift, "Night Shift", "proofingNightShiftAction"},
    {ProofingMode::outsideSRGB, "Mark Colors Outside sRGB", "proofingOutsideSRGBAction"},
};

}  // namespace

std::span<const ProofingModeEntry> proofingModes() { return entries; }

bool isBeyondSRGB(const QColor& color) {
    if (color.spec() != QColor::ExtendedRgb) return false;
    // Half a step of an 8-bit channel: differences below it do not show.
    constexpr float tolerance = 0.5f / 255.0f;
    return std::ranges::any_of(std::array{color.redF(), color.greenF(), color.blueF()},
                               [](float c) { return c < -tolerance || c > 1 + tolerance; });
}

QColor proofedColor(const QColor& color, ProofingMode mode) {
    const std::array<double, 3> encoded = {std::clamp<double>(color.redF(), 0, 1),
                                           std::clamp<double>(color.greenF(), 0, 1),
                                           std::clamp<double>(color.blueF(), 0, 1)};
    const double alpha = std::clamp<double>(color.alphaF(), 0, 1);
    if (mode == ProofingMode::none || mode == ProofingMode::outsideSRGB) {
        return QColor::fromRgbF(static_cast<float>(encoded[0]), static_cast<float>(encoded[1]),
                                static_cast<float>(encoded[2]), static_cast<float>(alpha));
    }
    const Linear linear = {toLinear(encoded[0]), toLinear(encoded[1]), toLinear(encoded[2])};
    const Linear shown = simulate(mode, linear, encoded);
    return QColor::fromRgbF(static_cast<float>(toEncoded(shown[0])), static_cast<float>(toEncoded(shown[1])),
                            static_cast<float>(toEncoded(shown[2])), static_cast<float>(alpha));
}

SwatchProofing& SwatchProofing::instance() {
    static SwatchProofing proofing;
    return proofing;
}

void SwatchProofing::setMode(ProofingMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    emit modeChanged(mode);
}

}  // namespace vantorel::app
