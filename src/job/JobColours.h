#pragma once
// Fill colours of the job model: the light-colour shading the preview relies on, the value
// suffixes of colour names, the CMYK display conversion and the packing of both colour kinds.

#include <cstdint>
#include <string>

namespace sartovin {

struct RgbValue {
    int red = 0;
    int green = 0;
    int blue = 0;
};

/// Light-colour shading: pure white becomes grey 230 and colours whose three components all exceed
/// 210 become grey 210, so that light fills stay visible on the white medium of the preview.
/// Anything else is returned unchanged.
RgbValue shadeLightColour(RgbValue colour);

/// " (R=%d, G=%d, B=%d)" for the values as given.
std::string rgbSuffix(int red, int green, int blue);

/// " (C=%d%, M=%d%, Y=%d%, K=%d%)" for the values as given (percentages).
std::string cmykSuffix(int cyan, int magenta, int yellow, int black);

/// R + G·256 + B·65536 (the colour-reference layout); each component is clamped to 0..255 first,
/// so a stray value never spills into a neighbouring byte.
std::uint32_t packRgb(RgbValue colour);

/// The components of a packed RGB value.
RgbValue unpackRgb(std::uint32_t packed);

/// C·2^24 + M·2^16 + Y·2^8 + K; each percentage is clamped to 0..100 first. The mark identity of a
/// registration mark is the K byte.
std::uint32_t packCmyk(int cyan, int magenta, int yellow, int black);

/// The RGB display value of a CMYK colour (percentages): c′ = trunc(C·2.55 + 0.49999) and likewise
/// for M, Y, K; R = 255 − c′ − k′, G = 255 − m′ − k′, B = 255 − y′ − k′, each clamped to 0..255, then
/// light-colour shading.
RgbValue cmykToDisplayRgb(int cyan, int magenta, int yellow, int black);

}  // namespace sartovin
