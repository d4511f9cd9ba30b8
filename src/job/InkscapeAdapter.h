#pragma once
// Running Inkscape over the temporary copy of a drawing, and bringing what it saves into the form
// the SVG reader accepts.
//
// Inkscape 1.x has no verbs; it runs headless with actions that do what the old verb list did:
// every object becomes a path, groups are dissolved (layers stay), the drawing is flipped
// vertically so that y grows upwards, and the copy is saved in place as Inkscape SVG. A private
// preferences folder makes it write absolute path data without relative shortcuts and fold
// transforms into the paths. Inkscape 0.92 gets the verb command line it always had.
//
// Inkscape's exit status says nothing (0 for an unknown action; a broken file is saved empty), so
// the copy is checked afterwards, and its remaining arcs, quadratic curves, transforms and
// document units are folded into plain absolute lines and cubics at 90 user units per inch.

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "job/SvgGeometry.h"
#include "platform/Interaction.h"
#include "platform/ProcessList.h"

namespace sartovin {

struct InkscapeVersion {
    int major = 1;
    int minor = 0;
    bool known = false;  ///< false when `inkscape --version` gave nothing recognisable
    bool hasActions() const { return major >= 1; }
};

/// Reads "Inkscape 1.2.2 (b0a8486541, 2022-12-01)" and the like; `known` false for other text.
InkscapeVersion parseInkscapeVersion(const std::string& text);

/// The arguments (after the program) that convert `copyPath` in place: the action list for 1.x,
/// the verb list of old for 0.92 and before. With 1.x the outlines of the text elements with the
/// ids `selectedTexts` get the attribute kSvgSelectedAttribute ("1"): they are the selection's.
std::vector<std::string> inkscapeArguments(const std::string& copyPath, const InkscapeVersion& version,
                                           const std::set<std::string>& selectedTexts = {});

/// The preferences file of the private profile: absolute path data ("pathstring_format" 0, no
/// relative coordinates), every command letter repeated, transforms not preserved, selections
/// across all layers including hidden and locked objects.
std::string inkscapePreferencesText();

/// True when an Inkscape preferences text has relative coordinates switched off: it contains
/// "allowrelativecoordinates" and a "0" follows before the end of that line.
bool inkscapePreferencesInOrder(const std::string& preferencesText);

/// Where the root element of the document `text` puts its drawing (see documentMap); pixels at the
/// origin when there is no root element.
DocumentMap documentMapOf(std::string_view text);

/// Brings Inkscape's saved copy into the reader's form. `before` is the copy as it was given to
/// Inkscape, `after` as Inkscape left it. False when `after` shows that the run failed: empty,
/// no complete svg element, unchanged, or without a path whose data can be read. Otherwise `out` holds `after` with every
/// path outside the defs rewritten as absolute M, L, C and Z in units of 1/90 inch (arcs and
/// quadratics as cubics within 0.001 mm), all group, layer and path transforms folded into the
/// points and removed, and an empty defs element added when there was none.
bool normaliseInkscapeCopy(const std::string& before, const std::string& after, std::string& out);

/// Runs Inkscape on a copy and waits for it through the interaction's pump() and pause().
class InkscapeAdapter {
public:
    InkscapeAdapter(ProcessList& processes, Interaction& ui, std::string tempFolder)
        : m_processes(processes), m_ui(ui), m_tempFolder(std::move(tempFolder)) {}

    /// Asks `program --version` (waiting up to 10 s); `known` false when it gives no answer.
    InkscapeVersion queryVersion(const std::string& program);

    /// The private profile folder (inside the temporary folder), with its preferences written.
    /// "" when it cannot be made.
    std::string preparePrivateProfile();

    /// Starts `program` on `copyPath` as the version asks and waits: up to 500 passes of pump() and
    /// pause(100) while it runs; once it has gone, one pass more. A run that outlasts the wait is
    /// stopped. Then checks and normalises the copy in place. False when Inkscape could not be
    /// started (`startFailed` set), did not finish, or left no usable copy.
    bool convert(const std::string& program, const InkscapeVersion& version, const std::string& copyPath,
                 bool& startFailed);

    /// Number of passes of the wait; tests shorten it.
    int m_waitPasses = 500;
    /// Ids of selected text elements, whose outlines are marked (see inkscapeArguments).
    std::set<std::string> m_selectedTexts;

private:
    bool waitFor(int pid, int passes, const std::string& file);

    ProcessList& m_processes;
    Interaction& m_ui;
    std::string m_tempFolder;
};

}  // namespace sartovin
