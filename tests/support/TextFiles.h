#pragma once
// The text files a test gives the program: one English ("2000.txt") and one German ("1000.txt") set
// holding the texts the tests compare (short forms of the shipped wording where a test reads more
// easily with them). A test that is about the text files themselves writes its own.

#include <string>

#include "support/TempDir.h"

namespace sartovin::test {

/// The line ends a text file is written with (the shipped files have LF; files edited on Windows
/// have CR LF, which the program reads the same).
enum class LineEnds { Lf, CrLf };

/// Writes the English texts as "2000.txt" into `folder` (ending in "/"; created when missing).
void writeEnglishTexts(const std::string& folder, LineEnds ends = LineEnds::Lf);
/// Writes them into the test's folder itself.
inline void writeEnglishTexts(const TempDir& dir) { writeEnglishTexts(dir.path()); }

/// Writes the German texts as "1000.txt" into `folder`.
void writeGermanTexts(const std::string& folder, LineEnds ends = LineEnds::Lf);

/// Text 303 in the English set: the message every reader shows for a drawing without segments.
inline constexpr const char* kNoObjectsText = "No objects for cutting found !";

}  // namespace sartovin::test
