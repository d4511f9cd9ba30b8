#include "layout/SizeRules.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/Settings.h"

namespace sartovin {

namespace {

double wholeMm(double v) { return std::trunc(v + 0.5); }

}  // namespace

int clampToLimits(int value, int lo, int hi) { return std::clamp(value, lo, std::max(lo, hi)); }

double usableLength(int mediumLength, int margin) { return mediumLength - 2.0 * margin; }

Allowances allowancesOf(const Settings& settings, bool marksMode) {
    Allowances a;
    if (settings.grid() != 0 && !marksMode) a.frame = 2.0 * std::clamp(settings.gridDistance(), 0, 100);
    if (settings.useOvercut() != 0) a.overcut = 2.0;
    return a;
}

double largestJobLength(double usable, const Allowances& allowances) {
    return usable - allowances.frame - allowances.overcut - 1;
}

void JobSize::resetToImported() {
    width = importedWidth;
    height = importedHeight;
    widthPercent = heightPercent = 100;
}

void JobSize::exchangeDimensions() {
    std::swap(width, height);
    std::swap(widthPercent, heightPercent);
}

bool changeJobSize(JobSize& s, SizeField field, double value, const SizeLimits& limits, bool proportional) {
    const bool percent = field == SizeField::WidthPercent || field == SizeField::HeightPercent;
    // 100 % always means the imported size.
    if (percent && value == 100.0) {
        s.resetToImported();
        return true;
    }
    const bool width = field == SizeField::WidthMm || field == SizeField::WidthPercent;
    const double imported = width ? s.importedWidth : s.importedHeight;
    const double otherImported = width ? s.importedHeight : s.importedWidth;

    double size = percent ? imported * value / 100.0 : value;
    size = width ? std::clamp(size, limits.minWidth, limits.maxWidth)
                 : std::clamp(size, limits.minHeight, limits.maxHeight);

    // The percentage is formed from whole millimetres, as the page shows them.
    double base = wholeMm(imported);
    if (base <= 0) base = imported;
    if (base <= 0) return false;  // nothing imported to scale
    const double newPercent = wholeMm(size) / base * 100.0;

    double& sizeOut = width ? s.width : s.height;
    if (proportional) {
        const double other = otherImported * newPercent / 100.0;
        const double otherLo = width ? limits.minHeight : limits.minWidth;
        const double otherHi = width ? limits.maxHeight : limits.maxWidth;
        if (other < otherLo - kFitTolerance || other > otherHi + kFitTolerance) return false;
        sizeOut = size;
        (width ? s.height : s.width) = other;
        s.widthPercent = s.heightPercent = newPercent;
    } else {
        sizeOut = size;
        (width ? s.widthPercent : s.heightPercent) = newPercent;
    }
    return true;
}

}  // namespace sartovin
