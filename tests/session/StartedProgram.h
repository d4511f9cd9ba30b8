#pragma once
// The program started up in a private folder (settings, catalogs and texts from the program's own
// data), for the session tests: the main window's model over a job file in that folder.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/Startup.h"
#include "job/JobFileReader.h"
#include "platform/ScriptedInteraction.h"
#include "session/MainWindowModel.h"
#include "support/TempDir.h"

namespace sartovin::test {

class StartedProgram : public ::testing::Test {
protected:
    /// Starts up as the standard edition from Illustrator and writes `job` as the job file.
    explicit StartedProgram(const std::string& job)
        : config("XDG_CONFIG_HOME", dir.file("cfg")),
          data("XDG_DATA_DIRS", dir.file("share")),
          lang("LANG", "en_US.UTF-8"),
          all("LC_ALL", std::nullopt) {
        StartupOptions options;
        options.languageDialogAvailable = false;
        options.fallbackDataFolder = std::string(SARTOVIN_DATA_DIR) + "/";
        runStartup(app, dir.file("bin/SartovinAI"), ui, options);
        texts = Texts(app.dataFolder, app.languageId);
        writeFile(dir.file("job.qxj"), job);
    }

    /// The model with the catalog loaded, the job read and the pages open.
    std::unique_ptr<MainWindowModel> openModel() {
        auto model = std::make_unique<MainWindowModel>(app, ui, texts, app.iniPath);
        EXPECT_TRUE(model->loadPlotters());
        JobImportContext ctx{texts, ui};
        EXPECT_TRUE(readIllustratorJob(dir.file("job.qxj"), model->job(), model->jobState(), ctx));
        model->openPages();
        return model;
    }

    TempDir dir;
    ScopedEnv config, data, lang, all;
    ScriptedInteraction ui;
    CTarnelWinCApp app;
    Texts texts;
};

}  // namespace sartovin::test
