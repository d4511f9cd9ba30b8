#include "session/CutCommand.h"

#include "device/DeviceDelivery.h"
#include "layout/LayoutModel.h"
#include "layout/LayoutTexts.h"
#include "session/DeviceMarksExchange.h"
#include "session/DeviceSession.h"
#include "session/MainWindowModel.h"

namespace sartovin {

namespace {

// The command runs only with a plotter and open pages.
bool refuse(const MainWindowModel& model, Interaction&) {
    return !model.currentPlotter() || !model.pagesOpen();
}

// A job that takes more room than the medium has is sent only when the user says so; without
// anyone to ask, it is not sent.
bool jobOnMediumConfirmed(MainWindowModel& model, Interaction& ui, const Texts& texts) {
    const LayoutModel& layout = model.layout();
    if (!layout.jobLeavesMedium()) return true;
    const LayoutModel::JobArea area = layout.jobArea();
    const std::string text =
        texts.format(TextId::JobLeavesMedium,
                     {wholeNumberText(area.width), wholeNumberText(area.height),
                      wholeNumberText(layout.usableWidth()), wholeNumberText(layout.usableHeight())});
    return ui.messageBox(text, kProgramCaption, MessageIcon::Exclamation, MessageButtons::YesNo,
                         MessageAnswer::No) == MessageAnswer::Yes;
}

}  // namespace

bool isGenericHpglCutter(const PlotterRecord& plotter) { return plotter.name.rfind("Generic HP-GL", 0) == 0; }

std::string portLabel(const PlotterRecord& plotter) {
    if (plotter.portType == kPortUsbDevice) return "USB - " + plotter.usbGccName;
    return plotter.port;
}

bool runCutCommand(MainWindowModel& model, DeviceSession& devices, PlotContext& context,
                   DeliveryStatus* status, std::string& plotStream, CutCommandResult& result) {
    result = CutCommandResult{};
    Interaction& ui = context.interaction;
    if (refuse(model, ui)) {
        result.refused = true;
        return false;
    }
    if (!jobOnMediumConfirmed(model, ui, context.texts)) {
        result.declined = true;
        return false;
    }
    DeviceSession::RunningScope running(devices);
    PlotProgress& progress = context.progress;

    if (devices.deviceBusy()) {
        result.busy = true;
        return false;
    }
    progress.clearCancel();
    progress.hide();
    progress.setText("");
    progress.setPosition(0);
    ui.pump();

    if (!devices.ensurePort(model)) {
        result.noPort = true;
        return false;
    }
    progress.setText("");
    ui.pump();

    result.started = true;
    DeviceDelivery delivery = devices.delivery(*model.plotters().current(), status);
    // A hobby cutter reads the registration marks itself before it cuts against them.
    DeviceMarksExchange marks(devices.usbDevices(), devices.services().deviceFiles, delivery);
    PlotContext runContext{context.interaction, context.texts, context.progress, &marks};
    result.run = model.generate(
        runContext,
        [&](const std::string& bytes) {
            // Generation hid the status window after its last pass; the delivery's text belongs
            // in it while the bytes go out.
            if (status) progress.show();
            if (!delivery.deliverGroupBytes(bytes)) return false;
            result.bytesSent += bytes.size();
            return true;
        },
        plotStream);

    // The plot run ends with its own pause; only a run that a failed delivery ended early still
    // hides the status window here.
    progress.hide();
    ui.pump();
    const std::string port = portLabel(*model.currentPlotter());
    result.outcome = result.bytesSent > 0 ? context.texts.format(TextId::CutSentBytes,
                                                                 {std::to_string(result.bytesSent), port})
                                          : context.texts.format(TextId::CutNothingSent, {port});
    return !result.run.sinkFailed;
}

bool runCutCommandToSink(MainWindowModel& model, PlotContext& context, const GroupSink& sink,
                         std::string& plotStream, CutCommandResult& result) {
    result = CutCommandResult{};
    if (refuse(model, context.interaction)) {
        result.refused = true;
        return false;
    }
    result.started = true;
    PlotContext runContext{context.interaction, context.texts, context.progress, nullptr};
    result.run = model.generate(
        runContext,
        [&](const std::string& bytes) {
            if (!sink(bytes)) return false;
            result.bytesSent += bytes.size();
            return true;
        },
        plotStream);
    context.progress.hide();
    return !result.run.sinkFailed;
}

}  // namespace sartovin
