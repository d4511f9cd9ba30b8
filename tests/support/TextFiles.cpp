#include "support/TextFiles.h"

namespace sartovin::test {

namespace {

const char* const kEnglish[] = {
    "[2000]",
    "2061=Grid",
    "2071=Cutting Parameter for",
    "2085=Layer",
    "2089=Fillcolors",
    "2093=New Medium",
    "2094=Please enter a name for the new medium ...",
    "2100=manual position",
    "2101=bottom right",
    "2102=bottom left",
    "2103=centered horizontally",
    "2104=centered vertically",
    "2105=centered",
    "2106=top right",
    "2107=top left",
    "2108=top centered",
    "2110=no rotation",
    "2111=90 right",
    "2112=90 left",
    "2113=180",
    "2120=small letters",
    "2121=fine",
    "2122=normal",
    "2123=production",
    "2124=draft",
    "2242=Save the cutting configuration for",
    "2303=No objects for cutting found !",
    "2304=Do you want to cancel the curent job ?",
    "2305=Can not open config file !",
    "2309=Can not open medium file for writing !",
    "2310=Do you want delete this medium ?",
    "2311=Can not open medium file for reading !",
    "2312=Can not open tool file for reading !",
    "2313=Do you want to save the changed settings for this medium ?",
    "2314=The choosen name exist, please enter a new name !",
    "2315=Please enter a name for the new medium !",
    "2316=Please stop the VLCD application first.",
    "2324=The length of the marks have to be 10mm to 50mm !",
    "2325=The thickness of the marks have to be 1 mm to 2 mm !",
    "2326=The margin of the marks have to be 1 mm to 50 mm !",
    "2327=The size of the segments have to be 200 mm to 600 mm !",
    "2328=The copy count was changed !",
    "2341=No Inkscape",
    "2343=No SVG",
    "2364=Next layer ?",
    "2366=Store these values as the medium's settings ?",
    "2367=The medium file could not be written !",
    "2368=The different cutting parameters were switched off.",
    "2385=Portrait",
    "2386=Landscape",
    "2387=user defined",
    "2390=Position the cutter at the first mark",
    "2392=Reading marks ...",
    "2396=Reduced from %s x %s mm to %s x %s mm",
    "2397=Beyond the medium: %s x %s mm on %s x %s mm. Cut anyway?",
    "2439=Registration mark settings",
    "2441=The VLCD display tool is already running.",
    "2450=The settings could not be saved in %s !",
    "2451=Can not use config file %s: it names no cutter !",
    "2452=The print queue %s did not pass the job on to the cutter.",
    "2453=The print queue %s does not say whether the job reached the cutter.",
    "2454=Waiting for the print queue %s ...",
    "2455=Calculating the plot data ...",
    "2456=Print queue: %s",
    "2374=The definition file of the laser driver was not found:\\r\\n%s",
    "2375=The definition file of the laser driver can not be opened for reading and writing:\\r\\n%s",
    "2376=The settings of the printer driver open now.",
    "2378=Drawing the laser job ...",
    "2379=Building the raster rows ...",
    "2470=The definition file of the laser driver gives no resolution from 125 to 1000 dpi:\\r\\n%s",
    "2471=Engraver settings",
    "2472=Resolution (dpi)",
    "2473=Page width (mm)",
    "2474=Page height (mm)",
    "2475=The laser job cannot be drawn: not enough memory for %s x %s dots.",
    "2491=%s bytes sent to %s.",
    "2492=Nothing was sent to %s.",
    "2493=serial device",
    "2494=USB cutter",
    "2495=CUPS queue",
    "2496=No cutter was found.",
    "2497=The cutter on %s does not answer.",
    "[Medien]",
    "Standardfolie=Standard vinyl",
};

const char* const kGerman[] = {
    "[1000]",
    "1071=Schnittparameter für",
    "1093=Neues Medium",
    "1094=Bitte geben Sie einen Namen für das neue Medium ein ...",
    "1242=Schnittkonfiguration speichern für",
    "1305=Kann Konfigurationsdatei nicht öffnen !",
    "1309=Kann Mediendatei nicht zum Schreiben öffnen !",
    "1310=Wollen Sie dieses Medium löschen ?",
    "1311=Kann Mediendatei nicht zum Lesen öffnen !",
    "1312=Kann Werkzeugdatei nicht zum Lesen öffnen !",
    "1451=Kann Konfigurationsdatei %s nicht verwenden: sie nennt keinen Plotter !",
    "[Medien]",
    "Papier 120g=Papier 120 g/m²",
};

template <std::size_t N>
void writeLines(const std::string& path, const char* const (&lines)[N], LineEnds ends) {
    const char* end = ends == LineEnds::CrLf ? "\r\n" : "\n";
    std::string text;
    for (const char* line : lines) text.append(line).append(end);
    writeFile(path, text);
}

}  // namespace

void writeEnglishTexts(const std::string& folder, LineEnds ends) {
    writeLines(folder + "2000.txt", kEnglish, ends);
}

void writeGermanTexts(const std::string& folder, LineEnds ends) {
    writeLines(folder + "1000.txt", kGerman, ends);
}

}  // namespace sartovin::test
