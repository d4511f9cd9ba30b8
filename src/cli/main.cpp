// sartovin: the command-line front end of Sartovin.

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Cli.h"

namespace {

const char* kUsage =
    "Usage: sartovin COMMAND [OPTIONS]\n"
    "\n"
    "Drives vinyl cutters, hobby cutters and laser engravers from drawings.\n"
    "Settings live in $XDG_CONFIG_HOME/Sartovin (default ~/.config/Sartovin); shared templates are\n"
    "looked for in the first folder of $XDG_DATA_DIRS, then beside the program.\n"
    "\n"
    "Commands:\n"
    "  startup [--program-path PATH]   run the program's start-up as if started from PATH (default:\n"
    "                                  this program) and print the settled state, one key=value a line\n"
    "  text [--program-path PATH] ID   print text ID in the settled language (exit 1 when none)\n"
    "  inspect [--start-mode N] [--mark-sensor] [--json] [--program-path PATH] [--no-inkscape]\n"
    "          [--svg-converter WHICH] INPUT\n"
    "                                  read the job file INPUT and print its model (--json: one JSON\n"
    "                                  object; colour group members are [layer, object] index pairs).\n"
    "                                  Start modes 1, 10 and 20 read the Corel variant, other modes the\n"
    "                                  Illustrator variant; without a mode a UTF-16 file is read as the\n"
    "                                  Corel variant. The Corel variant is read from a private copy, so\n"
    "                                  INPUT is never deleted. The plotter's mark sensor counts as\n"
    "                                  present for start modes 10 and 11 or with --mark-sensor.\n"
    "                                  A drawing named *.svg, or any INPUT with start mode 5, 12 or 22,\n"
    "                                  is read as an SVG drawing, converted by our own converter, or\n"
    "                                  when it holds text by the Inkscape on PATH (from a copy);\n"
    "                                  --svg-converter auto|own|inkscape or the setting SvgConverter\n"
    "                                  choose otherwise, --no-inkscape is --svg-converter own.\n"
    "                                  Exit 1 when INPUT cannot be read as a job.\n"
    "  plot [OPTIONS] INPUT            cut the drawing INPUT as the Cut button would, with the stored\n"
    "                                  plotter, medium and settings; --output FILE writes the bytes\n"
    "                                  the plotter would receive and asks no cutter; with it,\n"
    "                                  --model DESCRIPTION stands for the cutter's answer ('sartovin\n"
    "                                  plot --help' lists options)\n"
    "  ports [--plotter NAME] [--choose N]\n"
    "                                  list the connections for the plotter; --choose stores one\n"
    "  query [--plotter NAME]          ask the connected cutter for model, settings and medium size\n"
    "  testcut [--plotter NAME] [--output FILE [--model DESCRIPTION]]\n"
    "                                  cut one test pattern with the current options\n"
    "  preview [OPTIONS] INPUT --png FILE\n"
    "                                  lay out the drawing INPUT as 'plot' does and write the preview\n"
    "                                  of the medium with all copies to the PNG FILE ('sartovin preview\n"
    "                                  --help' lists options)\n"
    "  marks [--hobby] [--delete | --ask] IN.svg OUT.svg\n"
    "                                  draw the registration marks around the drawing IN.svg (or\n"
    "                                  remove them) as the plug-in does, into OUT.svg\n"
    "  help                            show this text\n"
    "  --version                       print the version\n"
    "\n"
    "The program path decides the edition and host, as the installed program names do\n"
    "(SartovinAI, SartovinAIHP, SartovinLCAI, QXPassermarkenAI, ...).\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace sartovin::cli;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") ||
        !std::strcmp(argv[1], "help")) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    if (!std::strcmp(argv[1], "--version")) {
        std::printf("sartovin %s\n", SARTOVIN_VERSION);
        return 0;
    }
    std::string command = argv[1];
    Args args(argv + 2, argv + argc);
    if (command == "startup") return finishCommand(runStartupCommand(args));
    if (command == "text") return finishCommand(runTextCommand(args));
    if (command == "inspect") return finishCommand(runInspectCommand(args));
    if (command == "plot") return finishCommand(runPlotCommand(args));
    if (command == "preview") return finishCommand(runPreviewCommand(args));
    if (command == "ports") return finishCommand(runPortsCommand(args));
    if (command == "query") return finishCommand(runQueryCommand(args));
    if (command == "testcut") return finishCommand(runTestCutCommand(args));
    if (command == "marks") return finishCommand(runMarksCommand(args));
    std::fprintf(stderr, "sartovin: unknown command '%s' (see 'sartovin --help')\n", command.c_str());
    return 2;
}
