#include "layout/SheetFormats.h"

namespace sartovin {

namespace {

using enum SheetOrientation;

// Width (head direction) × length. The two lists word the same sheet differently: the long list
// calls a sheet fed on its short edge portrait, the short list calls that landscape.
constexpr SheetFormat kCameoFormats[] = {
    {"12\" x 12\"", None, 304, 304}, {"A3", None, 297, 420},         {"A4", Portrait, 210, 297},
    {"A4", Landscape, 297, 210},     {"A5", Portrait, 148, 210},     {"A5", Landscape, 210, 148},
    {"Legal", None, 216, 356},       {"Letter", Portrait, 216, 279}, {"Letter", Landscape, 279, 216},
};

constexpr SheetFormat kSheetFormats[] = {
    {"A4", Portrait, 297, 210},  {"A4", Landscape, 210, 297},    {"A5", Portrait, 210, 148},
    {"A5", Landscape, 148, 210}, {"Letter", Portrait, 279, 216}, {"Letter", Landscape, 216, 279},
};

}  // namespace

bool hasCameoFormats(const std::string& plotterName) {
    return plotterName.find("Cameo") != std::string::npos;
}

std::span<const SheetFormat> sheetFormats(bool cameo) {
    if (cameo) return kCameoFormats;
    return kSheetFormats;
}

int sheetFormatCount(bool cameo) { return static_cast<int>(sheetFormats(cameo).size()) + 1; }

}  // namespace sartovin
