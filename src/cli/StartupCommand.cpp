#include <cstdio>

#include "base/Texts.h"
#include "cli/Cli.h"
#include "platform/ConsoleInteraction.h"

namespace sartovin::cli {

int runStartupCommand(Args args) {
    std::string programPath;
    takeOption(args, "--program-path", programPath);
    if (!args.empty()) {
        std::fprintf(stderr, "sartovin startup: unexpected argument '%s'\n", args.front().c_str());
        return 2;
    }
    ConsoleInteraction ui;
    CTarnelWinCApp app;
    startupForCommand(app, programPath, ui);
    std::printf("startMode=%d\n", app.startMode.number());
    std::printf("hobbyFlag=%d\n", app.hobbyFlag ? 1 : 0);
    std::printf("programFolder=%s\n", app.programFolder.c_str());
    std::printf("dataFolder=%s\n", app.dataFolder.c_str());
    std::printf("commonDataRoot=%s\n", app.commonDataRoot.c_str());
    std::printf("userDataRoot=%s\n", app.userDataRoot.c_str());
    std::printf("iniPath=%s\n", app.iniPath.c_str());
    std::printf("plotterCatalogPath=%s\n", app.plotterCatalogPath.c_str());
    std::printf("mediaCatalogPath=%s\n", app.mediaCatalogPath.c_str());
    std::printf("toolsCatalogPath=%s\n", app.toolsCatalogPath.c_str());
    std::printf("languageId=%d\n", app.languageId);
    return 0;
}

int runTextCommand(Args args) {
    std::string programPath;
    takeOption(args, "--program-path", programPath);
    int id = 0;
    if (args.size() != 1 || !parseInt(args[0], id)) {
        std::fprintf(stderr, "usage: sartovin text [--program-path PATH] ID\n");
        return 2;
    }
    ConsoleInteraction ui;
    CTarnelWinCApp app;
    startupForCommand(app, programPath, ui);
    Texts texts(app.dataFolder, app.languageId);
    std::string out;
    if (!texts.lookupText(id, out)) {
        std::fprintf(stderr, "sartovin text: no text with id %d\n", id);
        return 1;
    }
    std::printf("%s\n", out.c_str());
    return 0;
}

}  // namespace sartovin::cli
