#pragma once
// The preview as the main window sees it: a widget in the preview frame, told what to draw and
// when to draw again. Making it is one function, so the window does not depend on how the
// preview is built.

#include <QWidget>
#include <functional>

#include "base/StartMode.h"

namespace sartovin {

class LayoutModel;
class OptionsModel;
struct Job;
struct JobState;

struct PreviewHandle {
    QWidget* widget = nullptr;
    std::function<void(const LayoutModel*, const OptionsModel*, const Job*, const JobState*,
                       StartMode startMode)>
        setSources;
    std::function<void()> updateLayout;
    std::function<void(int delayMs)> requestRedraw;
    /// Shows the whole job on its medium ("Zoom to content").
    std::function<void()> showWholeJob;
};

/// Creates the preview as a child of `parent` (window text "Layout"); its widget is null when it
/// could not be created.
PreviewHandle createPreview(QWidget* parent);

}  // namespace sartovin
