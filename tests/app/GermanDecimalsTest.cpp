// A German user types decimals with a point or a comma; the window runs under the user's locale,
// whose decimal separator is a comma. Every value keeps its fraction and is stored with a point.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>

#include <clocale>

#include "app/CGeneralTab.h"
#include "app/COptions.h"
#include "app/MainWindowTestSupport.h"
#include "widgets/SpinEdit.h"

namespace sartovin::test {
namespace {

// Types `text` over what the field shows and confirms it with Enter.
void typeAndLeave(QWidget* w, const QString& text) {
    QLineEdit* line = qobject_cast<QLineEdit*>(w);
    if (!line) line = w->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->setFocus();
    line->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(line, &enter);
}

class GermanDecimalsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is missing";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(GermanDecimalsTest, TheOffsetCorrectionKeepsItsFractionWithPointOrComma) {
    MainWindowHarness h("SartovinAI", 1000);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    OffsetSpinEdit* offset = w.optionsPage()->offsetEdit();
    ASSERT_NE(offset, nullptr);

    typeAndLeave(offset, "0.125");
    EXPECT_DOUBLE_EQ(w.model().options().offsetCorrection(), 0.125);
    EXPECT_EQ(h.readSetting("State", "Offset"), "0.125");
    EXPECT_EQ(offset->findChild<QLineEdit*>()->text(), "0.125");

    typeAndLeave(offset, "0,25");
    EXPECT_DOUBLE_EQ(w.model().options().offsetCorrection(), 0.25);
    EXPECT_EQ(h.readSetting("State", "Offset"), "0.250");
}

TEST_F(GermanDecimalsTest, TheLayoutSizesKeepTheirFraction) {
    MainWindowHarness h("SartovinAI", 1000);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    const double imported = w.model().layout().jobWidth();
    ASSERT_GT(imported, 151);
    typeAndLeave(w.generalTab()->jobWidthEdit(), "150.6");
    EXPECT_DOUBLE_EQ(w.model().layout().jobWidth(), 150.6);
    typeAndLeave(w.generalTab()->jobWidthEdit(), "140,4");
    EXPECT_DOUBLE_EQ(w.model().layout().jobWidth(), 140.4);
}

// The user types a value and presses an arrow before leaving the field: the step starts from what
// was typed, not from the value shown before.
TEST_F(GermanDecimalsTest, ASpinStepStartsFromTheTypedValue) {
    MainWindowHarness h("SartovinAI", 1000);
    CTarnelWinCDlg& w = h.open();
    ASSERT_TRUE(h.setUpResult);
    COptions* options = w.optionsPage();
    options->gridBox()->click();
    SpinEdit* distance = options->edit(OptionField::GridDistance);
    QLineEdit* line = distance->findChild<QLineEdit*>();
    line->selectAll();
    for (QChar c : QString("50")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(line, &press);
    }
    distance->stepBy(1);
    EXPECT_EQ(distance->value(), 51);
    EXPECT_EQ(h.readSetting("State", "GridDistance"), "51");

    OffsetSpinEdit* offset = options->offsetEdit();
    QLineEdit* offsetLine = offset->findChild<QLineEdit*>();
    offsetLine->selectAll();
    for (QChar c : QString("0,1")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(offsetLine, &press);
    }
    const double before = w.model().options().offsetCorrection();
    offset->stepBy(1);
    EXPECT_GT(w.model().options().offsetCorrection(), 0.1);
    EXPECT_NE(w.model().options().offsetCorrection(), before);
}

}  // namespace
}  // namespace sartovin::test
