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

/// A start mode: edition × 10 + host code. Made from its number, which is how files, options and the
/// table above name it; the edition and host questions are members, so no caller tests number ranges.
class StartMode {
public:
    constexpr StartMode() = default;
    constexpr StartMode(int number) : m_number(number) {}  // NOLINT: a start mode is its number

    constexpr int number() const { return m_number; }

    /// 20 and above laser, 10 to 19 hobby, below 10 standard.
    constexpr Edition edition() const {
        return m_number >= 20 ? Edition::Laser : (m_number >= 10 ? Edition::Hobby : Edition::Standard);
    }
    constexpr bool isLaser() const { return edition() == Edition::Laser; }
    constexpr bool isHobby() const { return edition() == Edition::Hobby; }
    constexpr bool isStandard() const { return edition() == Edition::Standard; }

    /// The host program: CorelDRAW 1, 10, 20; Illustrator 2, 11, 21; Inkscape 5, 12, 22; the
    /// registration-marks variants 3, 4, 6, 13, 14.
    constexpr bool isCorel() const { return m_number == 1 || m_number == 10 || m_number == 20; }
    constexpr bool isIllustrator() const { return m_number == 2 || m_number == 11 || m_number == 21; }
    constexpr bool isInkscape() const { return m_number == 5 || m_number == 12 || m_number == 22; }
    constexpr bool isMarksVariant() const {
        return m_number == 3 || m_number == 4 || m_number == 6 || m_number == 13 || m_number == 14;
    }

    /// True for the fourteen start modes of the table above.
    constexpr bool isKnown() const {
        return isCorel() || isIllustrator() || isInkscape() || isMarksVariant();
    }

    friend constexpr bool operator==(StartMode a, StartMode b) = default;

private:
    int m_number = 1;
};

/// The edition of a start mode (kept for callers that switch over editions).
constexpr Edition editionOf(StartMode startMode) { return startMode.edition(); }

struct StartModeResult {
    StartMode startMode = 1;
    bool hobbyFlag = false;
};

/// The start-mode table: case-sensitive substring tests on the full program path, first row wins.
/// The hobby flag is set by the rows of modes 10 to 14 only; the folder rule is applied separately.
StartModeResult startModeFromPath(const std::string& programPath);

/// A program file name that selects `startMode` by the table above ("SartovinAIHP" for 11, ...), or
/// "" for a number that is no start mode. The names are those the program is installed under.
std::string programNameForStartMode(StartMode startMode);

}  // namespace sartovin
