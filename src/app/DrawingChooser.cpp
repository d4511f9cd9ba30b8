#include "app/DrawingChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "widgets/UiText.h"

namespace sartovin {

bool needsDrawingChoice(const CTarnelWinCApp& app) {
    return app.inputFileName.empty() && app.startMode.isInkscape() && !app.startMode.isMarksVariant();
}

bool chooseDrawing(CTarnelWinCApp& app, const Texts& texts, QWidget* parent) {
    QFileDialog dialog(parent, uiText(texts, TextId::ChooseDrawing), QDir::homePath(),
                       QStringLiteral("SVG (*.svg *.SVG);;Sartovin (*.qxj);;* (*)"));
    dialog.setObjectName("drawingChooser");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    app.inputFileName = QFileInfo(dialog.selectedFiles().front()).absoluteFilePath().toStdString();
    return true;
}

}  // namespace sartovin
