#include "plot/LaserDriver.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/Profile.h"

namespace sartovin {

int snapLaserResolution(int dpi) {
    for (int r : kLaserResolutions)
        if (dpi >= r) return r;
    return 0;
}

std::string laserDefinitionPath(const CTarnelWinCApp& app) {
    return app.userDataRoot + app.productFolder + kLaserDefinitionFileName;
}

LaserDriverStatus checkLaserDriver(const std::string& path, LaserDefinition& definition) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) return LaserDriverStatus::Missing;
    // Opened for reading and writing as the driver keeps it; nothing is written or truncated. A
    // folder of that name exists but cannot be opened so either.
    std::fstream probe;
    if (std::filesystem::is_regular_file(path, ec))
        probe.open(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!probe.is_open()) return LaserDriverStatus::NotReadWrite;
    probe.close();
    const char* s = kLaserDefinitionSection;
    definition.resolution = GetPrivateProfileInt(s, "RESOLUTION", 0, path);
    definition.option = GetPrivateProfileInt(s, "OPTION", 0, path);
    definition.pageWidth = GetPrivateProfileInt(s, "PageWidth", 0, path);
    definition.pageHeight = GetPrivateProfileInt(s, "PageHeight", 0, path);
    return LaserDriverStatus::Ok;
}

bool checkLaserDriverForPass(const std::string& path, Interaction& ui, const Texts& texts,
                             PlotProgress& progress, LaserDefinition& definition, int& resolution) {
    resolution = 0;
    const LaserDriverStatus status = checkLaserDriver(path, definition);
    if (status == LaserDriverStatus::Ok) {
        resolution = snapLaserResolution(definition.resolution);
        if (resolution > 0) return true;
    }
    progress.hide();
    ui.pump();
    const TextId id = status == LaserDriverStatus::Missing        ? TextId::LaserDefinitionMissing
                      : status == LaserDriverStatus::NotReadWrite ? TextId::LaserDefinitionNotWritable
                                                                  : TextId::LaserDefinitionNoResolution;
    ui.messageBox(texts.format(id, {path}), kProgramCaption, MessageIcon::Error);
    return false;
}

bool ensureLaserDefinition(const std::string& path, Interaction& ui, const Texts& texts,
                           const std::function<void()>& openSettings) {
    LaserDefinition definition;
    LaserDriverStatus status = checkLaserDriver(path, definition);
    if (status == LaserDriverStatus::NotReadWrite) {
        ui.messageBox(texts.format(TextId::LaserDefinitionNotWritable, {path}), kProgramCaption,
                      MessageIcon::Error);
        return false;
    }
    if (status == LaserDriverStatus::Ok) return true;
    if (!openSettings) {
        ui.messageBox(texts.format(TextId::LaserDefinitionMissing, {path}), kProgramCaption,
                      MessageIcon::Error);
        return false;
    }
    for (;;) {
        ui.messageBox(texts.text(TextId::LaserDriverSettingsOpen), kProgramCaption, MessageIcon::Information);
        openSettings();
        status = checkLaserDriver(path, definition);
        if (status == LaserDriverStatus::Ok) return true;
        if (ui.messageBox(texts.format(TextId::LaserDefinitionMissing, {path}), kProgramCaption,
                          MessageIcon::Error, MessageButtons::RetryCancel,
                          MessageAnswer::Cancel) != MessageAnswer::Retry)
            return false;
    }
}

bool writeLaserDefinition(const std::string& path, const LaserDefinition& d) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const char* s = kLaserDefinitionSection;
    // One rewrite: a failed write leaves the old values together, not half of the new ones.
    return WritePrivateProfileStrings({{s, "RESOLUTION", std::to_string(d.resolution)},
                                       {s, "OPTION", std::to_string(d.option)},
                                       {s, "PageWidth", std::to_string(d.pageWidth)},
                                       {s, "PageHeight", std::to_string(d.pageHeight)}},
                                      path);
}

}  // namespace sartovin
