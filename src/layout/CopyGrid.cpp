#include "layout/CopyGrid.h"

#include <algorithm>
#include <cmath>

#include "layout/SizeRules.h"

namespace sartovin {

namespace {

// Upper bound for the fit counts, so that a zero-sized job cannot produce absurd counts and
// maxColumns × maxRows stays well inside 32 bits.
constexpr int kMaxFitCount = 10000;

}  // namespace

int fitCount(double usable, double size, double distance, double frame) {
    double per = size + distance + frame;
    if (per <= 0) return kMaxFitCount;
    double c = std::floor((usable + distance) / per + kFitTolerance);
    if (!(c >= 1)) return 1;
    return c > kMaxFitCount ? kMaxFitCount : static_cast<int>(c);
}

int fitDistance(int count, double usable, double size, double frame) {
    double free = usable - count * (size + frame);
    double d = count > 1 ? free / (count - 1) : free;
    d = std::floor(d + kFitTolerance);
    if (!(d > 0)) return 0;
    return d > 1e9 ? 1000000000 : static_cast<int>(d);
}

int freeSpace(double usable, int count, double size, double distance, double frame) {
    const double occupied = count * (size + frame) + (count - 1) * distance;
    double free = std::floor(usable - occupied + kFitTolerance);
    return free > 0 ? static_cast<int>(free) : 0;
}

void CopyGrid::reset(int distanceH, int distanceV, bool sameDistance) {
    m_columns = m_rows = m_copyTotal = m_requestedTotal = 1;
    m_maxCopies = 100;
    m_autoDistribute = false;
    m_distanceH = std::max(0, distanceH);
    m_distanceV = std::max(0, distanceV);
    m_sameDistance = sameDistance;
    if (m_sameDistance) m_distanceH = m_distanceV = std::min(m_distanceH, m_distanceV);
}

void CopyGrid::computeMaxima(const CopyRoom& room) {
    m_maxColumns = fitCount(room.usableWidth, room.jobWidth, m_distanceH, room.frame);
    m_maxRows = fitCount(room.usableHeight, room.jobHeight, m_distanceV, room.frame);
    m_maxCopies = m_maxColumns * m_maxRows;
}

void CopyGrid::clampDistances(const CopyRoom& room) {
    m_maxDistanceH = fitDistance(m_columns, room.usableWidth, room.jobWidth, room.frame);
    m_maxDistanceV = fitDistance(m_rows, room.usableHeight, room.jobHeight, room.frame);
    if (m_sameDistance) {
        m_maxDistanceH = m_maxDistanceV = std::min(m_maxDistanceH, m_maxDistanceV);
        m_distanceV = m_distanceH;
    }
    m_distanceH = std::clamp(m_distanceH, 0, m_maxDistanceH);
    m_distanceV = std::clamp(m_distanceV, 0, m_maxDistanceV);
}

void CopyGrid::update(const CopyRoom& room) {
    computeMaxima(room);
    if (m_autoDistribute) {
        m_copyTotal = std::clamp(m_copyTotal, 1, std::max(1, m_maxCopies));
        m_columns = std::min(m_copyTotal, m_maxColumns);
        m_rows = (m_copyTotal + m_columns - 1) / m_columns;
    } else {
        m_columns = std::clamp(m_columns, 1, m_maxColumns);
        m_rows = std::clamp(m_rows, 1, m_maxRows);
        m_copyTotal = m_columns * m_rows;
    }
    clampDistances(room);
    // Smaller distances may let more copies fit; the counts chosen above still fit.
    computeMaxima(room);
}

void CopyGrid::setCopiesEdit(int value) {
    if (m_autoDistribute) {
        m_copyTotal = std::clamp(value, 1, std::max(1, m_maxCopies));
        m_requestedTotal = m_copyTotal;
        return;
    }
    m_columns = std::clamp(value, 1, m_maxColumns);
    if (m_rows * m_columns < m_copyTotal) m_rows = std::clamp(m_copyTotal / m_columns, 1, m_maxRows);
    m_copyTotal = m_columns * m_rows;
}

bool CopyGrid::setRowsEdit(int value) {
    if (m_autoDistribute) return false;  // the control is disabled
    m_rows = std::clamp(value, 1, m_maxRows);
    m_copyTotal = m_columns * m_rows;
    return true;
}

void CopyGrid::setDistanceH(int distance) {
    m_distanceH = std::clamp(distance, 0, m_maxDistanceH);
    if (m_sameDistance) m_distanceV = m_distanceH;
}

bool CopyGrid::setDistanceV(int distance) {
    if (m_sameDistance) return false;  // the control is disabled
    m_distanceV = std::clamp(distance, 0, m_maxDistanceV);
    return true;
}

void CopyGrid::setSameDistance(bool on) {
    m_sameDistance = on;
    if (on) m_distanceH = m_distanceV = std::min(m_distanceH, m_distanceV);
}

void CopyGrid::setAutoDistribute(bool on) {
    m_autoDistribute = on;
    m_copyTotal = m_columns * m_rows;
    if (on) m_requestedTotal = m_copyTotal;
}

void CopyGrid::closeColumns() {
    m_sameDistance = false;
    m_distanceH = 0;
}

int CopyGrid::freeSpaceH(const CopyRoom& room) const {
    return freeSpace(room.usableWidth, m_columns, room.jobWidth, m_distanceH, room.frame);
}

int CopyGrid::freeSpaceV(const CopyRoom& room) const {
    return freeSpace(room.usableHeight, m_rows, room.jobHeight, m_distanceV, room.frame);
}

}  // namespace sartovin
