#pragma once
// The start mode: edition × 10 + host code, decided from the words in the program's own path.
//
//   1 standard/CorelDRAW   2 standard/Illustrator   3 standard/CorelDRAW marks   4 standard/Illustrator marks
//   5 standard/Inkscape    6 standard/Inkscape marks
//  10 hobby/CorelDRAW     11 hobby/Illustrator     12 hobby/Inkscape  13 hobby/CorelDRAW marks  14 hobby/Illustrator marks
//  20 laser/CorelDRAW     21 laser/Illustrator     22 laser/Inkscape

#include <string>

namespace sartovin {

enum class Edition { Standard, Hobby, Laser };

/// Edition by range: 20 and above laser, 10 to 19 hobby, below 10 standard.
Edition editionOf(int startMode);

inline bool isLaserEdition(int startMode) { return startMode >= 20; }
inline bool isHobbyEdition(int startMode) { return startMode >= 10 && startMode < 20; }
inline bool isStandardEdition(int startMode) { return startMode < 10; }

/// Host tests by listing the numbers, as every caller does.
inline bool isCorelMode(int m) { return m == 1 || m == 10 || m == 20; }
inline bool isIllustratorMode(int m) { return m == 2 || m == 11 || m == 21; }
inline bool isInkscapeMode(int m) { return m == 5 || m == 12 || m == 22; }
inline bool isMarksVariant(int m) { return m == 3 || m == 4 || m == 6 || m == 13 || m == 14; }

/// True when `m` is one of the fourteen start modes of the table above.
bool isKnownStartMode(int m);

struct StartModeResult {
    int startMode = 1;
    bool hobbyFlag = false;
};

/// The start-mode table: case-sensitive substring tests on the full program path, first row wins.
/// The hobby flag is set by the rows of modes 10 to 14 only; the folder rule is applied separately.
StartModeResult startModeFromPath(const std::string& programPath);

/// A program file name that selects `startMode` by the table above ("SartovinAIHP" for 11, ...), or
/// "" for a number that is no start mode. The names are those the program is installed under.
std::string programNameForStartMode(int startMode);

}  // namespace sartovin
