#pragma once
// Reading the cutter's answers to the media query: identification ("OR4,..."), settings
// ("OR1,..."), hard-clip limits ("0,0,..."), and the model check against the chosen cutter.

#include <array>
#include <cstdint>
#include <string>

#include "catalog/PlotterRecord.h"

namespace sartovin {

/// Device commands of the exchange (escape character 0x1B where the device wants it).
inline const std::string kIdentificationCommand = "\x1b.R4:";
inline const std::string kSettingsCommand = "\x1b.R1:";
inline const std::string kHardClipCommand = "OH;";

/// Plotter units per millimetre in the hard-clip reply.
inline constexpr int kPlotterUnitsPerMm = 40;

/// Reads the seven integers after "OR1," (decimal text between commas, the seventh up to ";")
/// into `values`. False, and `values` untouched, when the reply holds no "OR1," or fewer than
/// seven numbers follow it.
bool parseSettingsReply(const std::string& reply, std::array<std::int32_t, 7>& values);

/// The firmware in an identification reply: after "OR4," two commas are skipped and the text up
/// to the next comma is taken; where no comma follows, up to the end without a closing ";" and
/// line ends. Empty when there is no "OR4," or fewer than two commas after it.
std::string firmwareFromIdentification(const std::string& reply);

/// The text between the first and the second comma of an identification reply, trimmed
/// (the model field as the settings tab shows it). Empty when there are not two commas.
std::string modelFieldOfIdentification(const std::string& reply);

/// The medium size in a hard-clip reply: the two numbers after "0,0," divided by 40 (integer
/// division): height first, then width, millimetres. False when "0,0," or a number is missing.
bool parseHardClipReply(const std::string& reply, unsigned long& heightMm, unsigned long& widthMm);

/// The connected model for the model check: the model field, cut before its first "I" or "-"
/// (whichever comes first), or before its first space when it holds neither.
std::string connectedModelForCheck(const std::string& identificationReply);

/// True when a cutter of catalog name `catalogName` may be driven by the connected `model`:
/// "Expert" cutters accept models with "Expert" or "Sable", the others a model their name
/// contains.
bool connectedModelAcceptable(const std::string& catalogName, const std::string& model);

/// Applies the settings reply to the record: the seven values and the firmware taken from the
/// stored identification reply. False when the reply holds no settings (the record stays).
bool applySettingsReply(PlotterRecord& record, const std::string& settingsReply);

}  // namespace sartovin
