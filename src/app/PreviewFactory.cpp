#include "app/PreviewFactory.h"

#include "app/CTarnelViewWnd.h"

namespace sartovin {

PreviewHandle createPreview(QWidget* parent) {
    PreviewHandle h;
    auto* view = new CTarnelViewWnd(parent);
    view->setObjectName("preview");
    view->setWindowTitle(QStringLiteral("Layout"));
    h.widget = view;
    h.setSources = [view](const LayoutModel* layout, const OptionsModel* options, const Job* job,
                          const JobState* state,
                          StartMode startMode) { view->setSources(layout, options, job, state, startMode); };
    h.updateLayout = [view] { view->updateLayout(); };
    h.requestRedraw = [view](int delayMs) { view->requestRedraw(delayMs); };
    h.showWholeJob = [view] { view->zoomToContent(); };
    return h;
}

}  // namespace sartovin
