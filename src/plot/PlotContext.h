#pragma once
// What a command writer needs beside its parameters: the user, the texts, the status window and,
// for the hobby cutters' mark reading, the device exchange.

#include "base/Texts.h"
#include "platform/Interaction.h"
#include "plot/MarksExchange.h"
#include "plot/PlotProgress.h"

namespace sartovin {

struct PlotContext {
    Interaction& interaction;
    const Texts& texts;
    PlotProgress& progress;
    MarksExchange* marksExchange = nullptr;  ///< needed by GP-GL in marks mode only
};

}  // namespace sartovin
