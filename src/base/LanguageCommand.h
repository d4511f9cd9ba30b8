#pragma once
// The language button: choose a language, use it at once for new texts, remember the choice.

#include "base/CTarnelWinCApp.h"
#include "base/Texts.h"
#include "platform/Interaction.h"

namespace sartovin {

/// Runs the language dialog through `ui` and applies the result (see applyLanguageIndex).
void runLanguageCommand(CTarnelWinCApp& app, Texts& texts, Interaction& ui);

/// Applies a language-dialog result: index 0 German, 2 French, anything else English. The new id
/// takes effect at once; when it differs from the previous one, "Language" and "LanguageChoice"
/// = -3 are stored and text 346 (a restart note) is shown, or, when they cannot be stored, text 450
/// naming the settings file. Returns true when the language changed.
bool applyLanguageIndex(CTarnelWinCApp& app, Texts& texts, Interaction& ui, int index);

}  // namespace sartovin
