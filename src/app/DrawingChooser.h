#pragma once
// A program started from the applications menu or a file manager without a drawing asks for one,
// instead of waiting for a host program that is not there.

#include <QWidget>

#include "base/CTarnelWinCApp.h"
#include "base/Texts.h"

namespace sartovin {

/// True when the program, as started, has no drawing to read and should ask for one: an Inkscape
/// start mode (the desktop entry's) without a file on the command line. The plug-in hosts always
/// write their job file, and the marks variants read none.
bool needsDrawingChoice(const CTarnelWinCApp& app);

/// Shows a file chooser over `parent` for a drawing (SVG or job file), starting in the user's
/// home folder. True, with `app.inputFileName` set to the absolute path, when one was chosen.
bool chooseDrawing(CTarnelWinCApp& app, const Texts& texts, QWidget* parent);

}  // namespace sartovin
