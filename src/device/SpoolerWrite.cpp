#include "device/SpoolerWrite.h"

namespace sartovin {

namespace {
constexpr int kRetryCycles = 30;
constexpr int kRetryPauseMs = 1000;
}  // namespace

bool spoolerWrite(PrinterHandle& printer, const std::string& block, const Texts& texts, Interaction& ui) {
    auto fail = [&] {
        ui.messageBox(texts.text(TextId::SpoolerWriteFailed), kProgramCaption, MessageIcon::Error);
        return false;
    };
    if (!printer.startDocument(kSpoolerDocumentName)) return fail();
    std::size_t total = 0;
    for (int cycle = 0;;) {
        std::size_t written = 0;
        if (!printer.write(block.data() + total, block.size() - total, written)) return fail();
        total += written;
        if (total >= block.size()) return true;
        ui.pump();
        ui.pause(kRetryPauseMs);
        ui.pump();
        if (++cycle >= kRetryCycles) return false;
    }
}

}  // namespace sartovin
