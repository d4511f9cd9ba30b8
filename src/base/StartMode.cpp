#include "base/StartMode.h"

namespace sartovin {

std::string programNameForStartMode(StartMode startMode) {
    switch (startMode.number()) {
        case 1:
            return "SartovinCorel";
        case 2:
            return "SartovinAI";
        case 3:
            return "QXPassermarkenCorel";
        case 4:
            return "QXPassermarkenAI";
        case 5:
            return "SartovinIs";
        case 6:
            return "PassermarkenIs";
        case 10:
            return "SartovinCorelHP";
        case 11:
            return "SartovinAIHP";
        case 12:
            return "SartovinIsHP";
        case 13:
            return "PassermarkenCorelHP";
        case 14:
            return "QXPassermarkenAIHP";
        case 20:
            return "SartovinCorelLC";
        case 21:
            return "SartovinLCAI";
        case 22:
            return "SartovinIsLC";
        default:
            return std::string();
    }
}

StartModeResult startModeFromPath(const std::string& path) {
    auto has = [&](const char* word) { return path.find(word) != std::string::npos; };
    if (has("AI") && has("HP") && has("Passer")) return {14, true};
    if (has("AI") && has("Passer")) return {4, false};
    if (has("AI") && has("LC")) return {21, false};
    if (has("AI") && has("HP")) return {11, true};
    if (has("AI")) return {2, false};
    if (has("QXPasser")) return {3, false};
    if (has("Is") && has("Passer")) return {6, false};
    if (has("Is") && has("LC")) return {22, false};
    if (has("Is") && has("HP")) return {12, true};
    if (has("Is")) return {5, false};
    if (has("LC")) return {20, false};
    if (has("Corel") && has("HP") && has("Passer")) return {13, true};
    if (has("HP")) return {10, true};
    return {1, false};
}

}  // namespace sartovin
