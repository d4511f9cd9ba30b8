#include "session/CutCommand.h"

#include "device/DeviceDelivery.h"
#include "session/MainWindowModel.h"

namespace sartovin {

namespace {
constexpr int kEndOfRunPauseMs = 500;  // the device finishes its last command before the preview
}  // namespace

CutCommandResult runCutCommand(MainWindowModel& model, PlotContext& context, const CutCommandHooks& hooks,
                               std::string& plotStream) {
    CutCommandResult result;
    PlotterRecord* plotter = model.plotters().current();
    if (!plotter || !model.pagesOpen()) return result;
    Interaction& ui = context.interaction;
    PlotProgress& status = context.progress;

    if (hooks.deviceBusy && hooks.deviceBusy()) {
        result.busy = true;
        return result;
    }
    status.clearCancel();
    status.hide();
    status.setText("");
    status.setPosition(0);
    ui.pump();

    if (!ensurePort(*plotter, model.startMode(), context.texts, ui, hooks.identifyUsb, hooks.configurePort)) {
        result.noPort = true;
        return result;
    }
    status.setText("");
    ui.pump();

    result.started = true;
    GroupSink deliver = hooks.deliver ? hooks.deliver : GroupSink([](const std::string&) { return false; });
    result.run = model.generate(context, deliver, plotStream);

    status.hide();
    ui.pump();
    ui.pause(kEndOfRunPauseMs);
    return result;
}

}  // namespace sartovin
