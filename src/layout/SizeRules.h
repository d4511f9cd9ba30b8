#pragma once
// The size rules of the layout page: the medium's limits and usable size, what the weeding frame
// and the overcut take from it, and the one routine that changes the job size in millimetres or
// percent.
//
// Lengths are millimetres. Job "width" runs along the head movement, job "height" (length) along
// the medium transport.

namespace sartovin {

class Settings;

/// Fit tests compare sums of doubles with a usable size; a hair of tolerance keeps a copy row that
/// fits exactly on paper from being refused by the last bit of a rounding error.
constexpr double kFitTolerance = 1e-9;

/// `value` limited to [lo, hi]; when a plotter record gives a maximum below its minimum, the
/// minimum wins.
int clampToLimits(int value, int lo, int hi);

/// The usable length of a medium: its length less the plotter's margin on both sides (negative
/// when the margins do not fit).
double usableLength(int mediumLength, int margin);

/// What the weeding frame and the overcut take from each copy, in millimetres.
struct Allowances {
    double frame = 0;    ///< 2 × "GridDistance" (read as 0 to 100) when "Grid" is on, else 0
    double overcut = 0;  ///< 2 when "UseOvercut" is on, else 0
};

/// The allowances as the options page stored them. Registration-mark jobs get no frame allowance.
Allowances allowancesOf(const Settings& settings, bool marksMode);

/// The largest job size along one direction: usable − frame − overcut − 1. It may lie below the
/// plotter's smallest job size (a medium too small for any job).
double largestJobLength(double usable, const Allowances& allowances);

/// The edit a size change comes from.
enum class SizeField { WidthMm, HeightMm, WidthPercent, HeightPercent };

/// The range a size entry is limited to in each dimension; a maximum is never below its minimum.
struct SizeLimits {
    double minWidth = 0, maxWidth = 0;
    double minHeight = 0, maxHeight = 0;
};

/// The job size and its scale against the imported size (100 % = imported).
struct JobSize {
    double importedWidth = 0, importedHeight = 0;
    double width = 0, height = 0;
    double widthPercent = 100, heightPercent = 100;

    /// Back to the imported size at 100 %.
    void resetToImported();
    /// A quarter turn moved the job between the rotation groups: width and length change places,
    /// and so do their percentages. The imported size is left as it is.
    void exchangeDimensions();
};

/// The size routine for one entry: `value` is millimetres or percent of the dimension `field`
/// names.
/// - A percentage of exactly 100 returns the job to its imported size and 100 % in both
///   dimensions.
/// - Otherwise the new size is limited to `limits`, and its percentage is formed from the sizes
///   rounded to whole millimetres (value + 0.5, truncated), as the page shows them.
/// - With `proportional` the other dimension becomes its imported size × the same ratio and both
///   percentages are equal; a change that would push the other dimension out of its limits is
///   refused.
/// Returns false, leaving `size` unchanged, for a refused change and when nothing was imported to
/// scale (an imported size of 0).
bool changeJobSize(JobSize& size, SizeField field, double value, const SizeLimits& limits, bool proportional);

}  // namespace sartovin
