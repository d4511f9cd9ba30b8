#include "layout/LayoutTexts.h"

#include "base/EditText.h"
#include "base/TextIds.h"
#include "base/Texts.h"
#include "layout/JobTransform.h"
#include "layout/SheetFormats.h"

namespace sartovin {

namespace {

std::vector<std::string> textRun(const Texts& texts, TextId first, int count) {
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i) list.push_back(texts.text(textIdAt(first, i)));
    return list;
}

}  // namespace

std::vector<std::string> rotationList(const Texts& texts) {
    return textRun(texts, TextId::RotationFirst, kRotate180 + 1);
}

std::vector<std::string> positionList(const Texts& texts, int count) {
    return textRun(texts, TextId::PositionFirst, count);
}

std::vector<std::string> formatList(const Texts& texts, bool cameo) {
    const std::string portrait = texts.text(TextId::Portrait);
    const std::string landscape = texts.text(TextId::Landscape);
    std::vector<std::string> list;
    for (const SheetFormat& f : sheetFormats(cameo)) {
        std::string entry = f.paper;
        if (f.orientation == SheetOrientation::Portrait) entry += " " + portrait;
        if (f.orientation == SheetOrientation::Landscape) entry += " " + landscape;
        list.push_back(entry);
    }
    list.push_back(texts.text(TextId::UserDefinedFormat));
    return list;
}

std::string wholeNumberText(double value) { return formatNumber("%.0f", value); }

}  // namespace sartovin
