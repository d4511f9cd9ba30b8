#pragma once
// Registration marks on the program's side: when a plotter reads printed marks (the mark sensor
// flag), when a job is cut relative to its marks (marks mode), the measuring of the marks that the
// plug-in drew on the marks layer, and the list of marks sheet formats.

#include <string>
#include <vector>

#include "base/StartMode.h"
#include "catalog/PlotterRecord.h"
#include "job/Job.h"
#include "job/MarkMeasurements.h"

namespace sartovin {

class Texts;

class RegistrationMarks {
public:
    /// Whether the plotter reads registration marks: always in start modes 10 and 11 (hobby
    /// edition, CorelDRAW and Illustrator); otherwise when its name contains "Puma" or "Jaguar",
    /// or both "Expert" and "LX".
    static bool markSensorFor(const std::string& plotterName, StartMode startMode);

    /// Objects the marks layer needs before a job counts as a marks job: 10 for a drawing read
    /// from SVG (the Inkscape start modes 5, 12, 22), 7 for the job file.
    static int marksObjectThreshold(StartMode startMode);

    /// The marks layer of `job` (trimmed name equal to "QX-PassermarkenEbene"), or nullptr.
    static const JobLayer* marksLayer(const Job& job);

    /// The current plotter changed: sets the mark sensor flag and marks mode = sensor flag and
    /// marks-layer flag. Marks mode also needs the marks layer to hold as many objects as the import
    /// asked for (state.marksObjectThreshold; by start mode before any import), so that a plotter
    /// change cannot turn a drawing that import refused as a marks job (too few marks) into one.
    /// Returns true when marks mode changed.
    static bool applyPlotterChange(JobState& state, const Job& job, const std::string& plotterName,
                                   StartMode startMode);

    /// Whether the marks are measured right after import: CorelDRAW, Illustrator and Inkscape start
    /// modes 1, 2, 5, 10, 11 and 12. (A drawing from Inkscape is a marks job from ten marks on; left
    /// unmeasured, it would send the cutter a marks block of zeros.)
    static bool measuredAfterImport(StartMode startMode);

    /// Measures the marks on the marks layer of `job` (mm, job coordinates). Each object is
    /// identified by the lowest byte of its fillColour; only its first path counts, over the start
    /// and end points of its segments. In start modes 10 and above the hobby marks' origin rules
    /// apply. A job without a marks layer gives all zeros.
    static MarkMeasurements measure(const Job& job, StartMode startMode);

    /// The marks sheet formats offered for a plotter. The names are the ones the plug-in
    /// recognises when it centres the hobby marks: "A4 " / "A5 " / "Letter " followed by the
    /// portrait or landscape word (texts 385, 386; "hoch" and "quer" when the texts are missing),
    /// "A3", "Legal", and the 12-inch mat for plotters named with "Cameo". Hobby edition: A4, A5,
    /// Letter (each portrait, landscape), A3, Legal, then the 12-inch mat for a Cameo. Other
    /// editions: A4 and Letter (portrait, landscape), A3, Legal.
    static std::vector<std::string> sheetFormats(const PlotterRecord& plotter, const Texts& texts,
                                                 StartMode startMode);

    /// The index of `stored` ("Format" of section "Passermarks") in `formats`, 0 when absent.
    static int sheetFormatIndex(const std::vector<std::string>& formats, const std::string& stored);
};

}  // namespace sartovin
