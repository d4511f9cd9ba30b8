#include "layout/JobPlacement.h"

#include <algorithm>

namespace sartovin {

namespace {

// How one direction of a list entry is placed.
enum class Place { Edited, Margin, FarMargin, Middle };

struct Entry {
    Place across;  // right / left
    Place along;   // front / back
};

// The entries of the position list in order; the standard and laser editions show the first four.
constexpr Entry kEntries[] = {
    {Place::Edited, Place::Edited},        // 0 "manuell positionieren"
    {Place::Margin, Place::Margin},        // 1 "unten rechts"
    {Place::FarMargin, Place::Margin},     // 2 "unten links"
    {Place::Middle, Place::Edited},        // 3 "horizontal zentriert"
    {Place::Edited, Place::Middle},        // 4 centred along the feed
    {Place::Middle, Place::Middle},        // 5 centred
    {Place::Margin, Place::FarMargin},     // 6 top right
    {Place::FarMargin, Place::FarMargin},  // 7 top left
    {Place::Middle, Place::FarMargin},     // 8 top centred
};

bool inList(int mode) { return mode >= 0 && mode < int(std::size(kEntries)); }

Entry entryOf(int mode) { return inList(mode) ? kEntries[mode] : kEntries[0]; }

// Places one direction: `near` is the right or front distance, `far` the left or back one.
void place(Place rule, int free, int margin, int& near, int& far) {
    switch (rule) {
        case Place::Edited:
            near = std::clamp(near, 0, free);
            break;
        case Place::Margin:
            near = margin;
            break;
        case Place::FarMargin:
            near = free - margin;
            break;
        case Place::Middle:
            near = far = free / 2;
            return;
    }
    far = free - near;
}

}  // namespace

int positionCount(StartMode startMode) { return startMode.isHobby() ? 9 : 4; }

int initialPositionMode(StartMode startMode) {
    return startMode.isStandard() ? 1 : (startMode.isHobby() ? 7 : 0);
}

bool horizontalPositionEdited(int mode) { return inList(mode) && kEntries[mode].across == Place::Edited; }

bool verticalPositionEdited(int mode) { return inList(mode) && kEntries[mode].along == Place::Edited; }

void placeJob(JobPosition& position, int mode, int freeH, int freeV, int margin) {
    const Entry entry = entryOf(mode);
    place(entry.across, freeH, margin, position.right, position.left);
    place(entry.along, freeV, margin, position.front, position.back);
}

}  // namespace sartovin
