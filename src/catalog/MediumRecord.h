#pragma once
// A medium: a named set of cutting parameters for one kind of material.

#include <cstdint>
#include <string>

namespace sartovin {

struct MediumRecord {
    std::string name;         ///< shown name (translated through the "Medien" texts when they have it)
    std::string catalogName;  ///< the name as the catalog file has it; written back on rewrites
    // Cutter editions.
    std::int16_t cutForce = 0;
    std::int16_t cutSpeed = 0;
    std::string toolIdName;  ///< "IDName" of the tool
    double deltaOffset = 0;  ///< correction added to the tool's offset, mm
    std::int16_t repeatCount = 0;
    // Laser edition, in column order.
    std::int16_t vectorForce = 0, vectorSpeed = 0, vectorLpi = 0, vectorRepeatCount = 0;
    std::int16_t rasterForce = 0, rasterSpeed = 0, rasterDpi = 0, rasterRepeatCount = 0;
    std::int16_t vectorCutOutForce = 0, vectorCutOutSpeed = 0, vectorCutOutLpi = 0;
    std::int16_t smooth = 0, cutOut = 0;
    std::int16_t rasterCleanForce = 0, rasterCleanSpeed = 0, clean = 0, raster = 0;
};

}  // namespace sartovin
