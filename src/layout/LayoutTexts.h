#pragma once
// What the layout page shows in its lists and number edits.

#include <string>
#include <vector>

namespace sartovin {

class Texts;

/// The rotation list: the four texts "keine Rotation", "90° rechts", "90° links", "180°" (ids 110
/// to 113), in the order of the rotation values.
std::vector<std::string> rotationList(const Texts& texts);

/// The position list: the first `count` texts from id 100 on (4 entries, 9 in the hobby edition).
std::vector<std::string> positionList(const Texts& texts, int count);

/// The format list of the hobby edition: each sized sheet format ("A4 " followed by the word for
/// portrait or landscape, texts 385 and 386), then "user defined" (text 387). Ten entries for the
/// long list, seven otherwise.
std::vector<std::string> formatList(const Texts& texts, bool cameo);

/// A size or percentage as the page shows it: whole units, rounded ("%.0f").
std::string wholeNumberText(double value);

}  // namespace sartovin
