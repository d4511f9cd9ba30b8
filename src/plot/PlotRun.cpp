#include "plot/PlotRun.h"

#include <vector>

#include "plot/GpglWriter.h"
#include "plot/HpglWriter.h"

namespace sartovin {

namespace {

int groupCountOf(const PlotParameters& p) {
    if (p.job == nullptr) return 0;
    return static_cast<int>(p.selectionMode == SelectionMode::Layers ? p.job->layers.size()
                                                                     : p.job->colourGroups.size());
}

// A layer or colour the user did not tick is skipped; the marks layer is never cut.
bool selectedForCutting(const PlotParameters& p, int group) {
    if (group < 0) return true;
    if (p.selectionMode == SelectionMode::Layers) {
        const JobLayer& layer = p.job->layers[static_cast<std::size_t>(group)];
        return layer.enabled && layer.name != kMarksLayerName;
    }
    return p.job->colourGroups[static_cast<std::size_t>(group)].enabled;
}

int passCountOf(const PlotParameters& p, int group) {
    if (group == -1) return p.repeatCount;
    if (group == -2) return p.frameParameters.repetitions;
    if (group < static_cast<int>(p.groupParameters.size()))
        return p.groupParameters[static_cast<std::size_t>(group)].repetitions;
    return p.repeatCount;
}

}  // namespace

PlotRunResult runPlotGroups(const PlotParameters& params, PlotContext& context, const GroupSink& sink,
                            std::string& plotStream, const LaserWriter& laserWriter) {
    PlotRunResult result;
    Interaction& interaction = context.interaction;
    context.progress.clearCancel();
    const bool perGroup = params.individualParameters;
    const int count = groupCountOf(params);

    std::vector<int> groups;
    if (!perGroup) {
        groups.push_back(-1);
    } else {
        for (int i = 0; i < count; ++i) groups.push_back(i);
        if (params.gridOn) groups.push_back(-2);
    }

    std::string passOutput;
    for (int group : groups) {
        plotStream.clear();
        if (perGroup && !selectedForCutting(params, group)) continue;
        if (result.groupsRun > 0 && perGroup && params.pauseBetweenPasses) {
            if (interaction.messageBox(context.texts.text(TextId::NextGroupReady), kProgramCaption,
                                       MessageIcon::Information, MessageButtons::OkCancel,
                                       MessageAnswer::Ok) == MessageAnswer::Cancel) {
                result.stoppedAtPause = true;
                break;
            }
        }
        // Each group runs with its own pass count and, in per-group mode, cuts the weeding frame
        // only in the frame group; every pass but a group's last returns to the device origin.
        // The frame distance stays in every group, so the frames fit the layers cut before.
        PlotParameters groupParams = params;
        groupParams.repeatCount = passCountOf(params, group);
        groupParams.cutFrame = perGroup ? group == -2 : params.gridOn;
        groupParams.groupCount = count;
        groupParams.frameGroupFollows = perGroup && params.gridOn && group >= 0;

        bool ok = true;
        for (int pass = 1; pass <= groupParams.repeatCount; ++pass) {
            passOutput.clear();
            if (params.startMode.isLaser())
                ok = laserWriter && laserWriter(group, passOutput, groupParams, pass);
            else if (params.startMode.isStandard())
                ok = writeHpgl(group, passOutput, groupParams, pass, context);
            else
                ok = writeGpgl(group, passOutput, groupParams, pass, context);
            if (!ok) break;
            plotStream += passOutput;
        }

        if (ok && (!plotStream.empty() || params.startMode.isLaser())) {
            bool delivered;
            if (params.startMode.isStandard()) {
                // The standard edition's streams go out with their terminating zero byte.
                plotStream.push_back('\0');
                delivered = sink && sink(plotStream);
                plotStream.pop_back();
            } else {
                delivered = sink && sink(plotStream);
            }
            if (!delivered) {
                result.sinkFailed = true;
                context.progress.hide();
                interaction.pump();
                return result;
            }
            ++result.groupsSent;
        }
        context.progress.hide();
        interaction.pump();
        ++result.groupsRun;
    }
    context.progress.hide();
    interaction.pump();
    interaction.pause(500);
    return result;
}

}  // namespace sartovin
