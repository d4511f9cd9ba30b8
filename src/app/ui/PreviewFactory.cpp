#include "app/ui/PreviewFactory.h"

#include <QFrame>

namespace sartovin {

PreviewHandle createPreview(QWidget* parent) {
    PreviewHandle h;
    auto* frame = new QFrame(parent);
    frame->setObjectName("preview");
    frame->setWindowTitle(QStringLiteral("Layout"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    QPalette p = frame->palette();
    p.setColor(QPalette::Window, Qt::white);
    frame->setPalette(p);
    frame->setMinimumSize(240, 240);
    h.widget = frame;
    h.setSources = [](const LayoutModel*, const OptionsModel*, const Job*, const JobState*, int) {};
    h.updateLayout = [frame] { frame->update(); };
    h.requestRedraw = [frame](int) { frame->update(); };
    return h;
}

}  // namespace sartovin
