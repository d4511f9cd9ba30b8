#pragma once
// Copies of the job on the medium: how many fit side by side (columns, along the head movement)
// and one behind the other (rows, along the medium transport), with which distances, by hand or
// distributed automatically. Lengths are millimetres; counts and distances are whole numbers.

namespace sartovin {

/// The room the copies share: the usable medium size, one job's size and the weeding frame's
/// allowance per copy.
struct CopyRoom {
    double usableWidth = 0, usableHeight = 0;
    double jobWidth = 0, jobHeight = 0;
    double frame = 0;
};

/// The largest count c, 1 to 10000, with c × size + (c − 1) × distance + c × frame ≤ usable. A
/// job without extent gives 10000; a job too large for the medium still gives 1.
int fitCount(double usable, double size, double distance, double frame);

/// The largest whole distance, 0 to 10^9, that still lets `count` copies fit (for one copy the
/// whole space left beside it); 0 when they do not fit at all.
int fitDistance(int count, double usable, double size, double frame);

/// The whole millimetres left of `usable` beside `count` copies: usable − (count × (size + frame)
/// + (count − 1) × distance), rounded down, never negative.
int freeSpace(double usable, int count, double size, double distance, double frame);

/// The copy counts and distances of the layout page.
///
/// The edits (setCopiesEdit … setAutoDistribute) take the maxima of the last update() and leave
/// the rest to the next one; the page model calls update() after each of them and whenever the
/// room changes.
class CopyGrid {
public:
    /// One copy, manual distribution, up to 100 copies until the next update; the stored
    /// distances (negative ones read as 0), with `sameDistance` both the smaller one.
    void reset(int distanceH, int distanceV, bool sameDistance);

    /// Fits everything into `room`: the maxima from the distances; in automatic distribution the
    /// total is limited to [1, maxCopies] and spread over as many columns as fit (rows rounded
    /// up), else columns and rows are limited to their maxima and the total is their product;
    /// then the distances are limited to what still fits (with sameDistance both to the smaller
    /// maximum, the vertical one following the horizontal), and the maxima are taken again.
    void update(const CopyRoom& room);

    /// The copies edit: in automatic distribution the requested total, limited to [1, maxCopies];
    /// else the columns, limited to [1, maxColumns], adding rows (up to maxRows) when the total
    /// would shrink.
    void setCopiesEdit(int value);
    /// The rows edit, limited to [1, maxRows]; false (ignored) in automatic distribution.
    bool setRowsEdit(int value);
    /// Horizontal distance, limited to [0, maxDistanceH]; with sameDistance the vertical one follows.
    void setDistanceH(int distance);
    /// Vertical distance, limited to [0, maxDistanceV]; false (ignored) while sameDistance is on.
    bool setDistanceV(int distance);
    /// Switched on, both distances become the smaller one.
    void setSameDistance(bool on);
    /// Switches automatic distribution; the total becomes columns × rows, and switching on takes it
    /// as the requested total.
    void setAutoDistribute(bool on);
    /// Copies side by side touch: sameDistance off, distanceH 0 (fitting the job to the medium width).
    void closeColumns();

    /// Free space beside all copies across and along the medium (see freeSpace()).
    int freeSpaceH(const CopyRoom& room) const;
    int freeSpaceV(const CopyRoom& room) const;

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int copyTotal() const { return m_copyTotal; }
    /// The total last asked for in automatic distribution.
    int requestedTotal() const { return m_requestedTotal; }
    int maxCopies() const { return m_maxCopies; }
    int maxColumns() const { return m_maxColumns; }
    int maxRows() const { return m_maxRows; }
    int distanceH() const { return m_distanceH; }
    int distanceV() const { return m_distanceV; }
    int maxDistanceH() const { return m_maxDistanceH; }
    int maxDistanceV() const { return m_maxDistanceV; }
    bool sameDistance() const { return m_sameDistance; }
    bool autoDistribute() const { return m_autoDistribute; }

private:
    void computeMaxima(const CopyRoom& room);
    void clampDistances(const CopyRoom& room);

    int m_columns = 1, m_rows = 1;
    int m_copyTotal = 1;
    int m_requestedTotal = 1;
    int m_maxCopies = 100;
    int m_maxColumns = 1, m_maxRows = 1;
    int m_distanceH = 0, m_distanceV = 0;
    int m_maxDistanceH = 0, m_maxDistanceV = 0;
    bool m_sameDistance = true;
    bool m_autoDistribute = false;
};

}  // namespace sartovin
