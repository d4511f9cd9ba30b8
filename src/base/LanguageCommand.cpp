#include "base/LanguageCommand.h"

#include "base/Settings.h"
#include "base/Startup.h"

namespace sartovin {

void runLanguageCommand(CTarnelWinCApp& app, Texts& texts, Interaction& ui) {
    // The dialog opens on the language the window speaks.
    const int current = app.languageId == 1000 ? 0 : (app.languageId == 3000 ? 2 : 1);
    int index = ui.chooseFromList(kLanguageDialogTitle, {"Deutsch", "English", "France"}, current);
    applyLanguageIndex(app, texts, ui, index);
}

bool applyLanguageIndex(CTarnelWinCApp& app, Texts& texts, Interaction& ui, int index) {
    // A dialog closed without OK (Escape, the window's close box) keeps the language as it is.
    if (index == kLanguageDialogClosed) return false;
    int language = languageFromDialogIndex(index);
    int previous = app.languageId;
    app.languageId = language;
    texts.setLanguageId(language);
    if (language == previous) return false;
    Settings settings(app.iniPath);
    if (!settings.writeStrings({{Settings::kState, "Language", std::to_string(language)},
                                {Settings::kState, "LanguageChoice", "-3"}})) {
        // Not stored, so the next start does not take it: that is what the user learns.
        reportSettingsNotSaved(settings, texts, ui);
        return true;
    }
    ui.messageBox(texts.text(TextId::LanguageNextStart), kProgramCaption, MessageIcon::Information);
    return true;
}

}  // namespace sartovin
