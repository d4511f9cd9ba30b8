#include "device/MediaQuery.h"

#include <gtest/gtest.h>

#include "device/CutterSettingsRules.h"
#include "device/MediaQueryReplies.h"
#include "device/SerialQuery.h"
#include "platform/ScriptedInteraction.h"
#include "platform/Spooler.h"
#include "support/FakeDevices.h"
#include "support/FakeSpooler.h"
#include "support/SerialCutter.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

TEST(MediaQueryRepliesTest, SettingsIdentificationAndHardClip) {
    std::array<std::int32_t, 7> v{};
    ASSERT_TRUE(parseSettingsReply("xxOR1,300,120,250,20,1,0,1;\r\n", v));
    EXPECT_EQ(v, (std::array<std::int32_t, 7>{300, 120, 250, 20, 1, 0, 1}));
    std::array<std::int32_t, 7> kept{9, 9, 9, 9, 9, 9, 9};
    EXPECT_FALSE(parseSettingsReply("OR4,1,2,3;", kept));
    EXPECT_FALSE(parseSettingsReply("OR1,1,2,3;", kept));  // fewer than seven values
    EXPECT_EQ(kept[0], 9);

    EXPECT_EQ(firmwareFromIdentification("OR4,Jaguar V,GCC,1.10,x"), "1.10");
    EXPECT_EQ(firmwareFromIdentification("OR4,Jaguar V,GCC,1.16;\r\n"), "1.16");
    EXPECT_EQ(firmwareFromIdentification("OR4,Jaguar V"), "");
    EXPECT_EQ(modelFieldOfIdentification("OR4, Jaguar V ,GCC"), "Jaguar V");

    unsigned long h = 0, w = 0;
    ASSERT_TRUE(parseHardClipReply("0,0,24000,48800\r", h, w));
    EXPECT_EQ(h, 600u);
    EXPECT_EQ(w, 1220u);
    EXPECT_FALSE(parseHardClipReply("1,1,24000,48800", h, w));
    EXPECT_FALSE(parseHardClipReply("0,0,24000", h, w));
}

TEST(MediaQueryRepliesTest, ModelCheck) {
    EXPECT_EQ(connectedModelForCheck("OR4,Jaguar IV,GCC,1.10"), "Jaguar ");
    EXPECT_TRUE(connectedModelAcceptable("Jaguar IV 61", "Jaguar "));
    EXPECT_EQ(connectedModelForCheck("OR4,Puma-III,GCC"), "Puma");
    EXPECT_EQ(connectedModelForCheck("OR4,Sable 24,GCC"), "Sable");
    EXPECT_TRUE(connectedModelAcceptable("Expert 24", "Sable"));
    EXPECT_FALSE(connectedModelAcceptable("Expert 24", "Puma"));
    EXPECT_FALSE(connectedModelAcceptable("Puma IV 132", "Jaguar "));
}

TEST(CutterSettingsRulesTest, PressureScale) {
    EXPECT_EQ(pressureLevel(200, 400), 127);
    EXPECT_EQ(pressureLevel(900, 400), 255);
    EXPECT_EQ(pressureLevel(-5, 400), 0);
    EXPECT_EQ(pressureLevel(100, 0), 0);
    EXPECT_EQ(snapPressure(201, 400, 20, 0), 200);
    EXPECT_EQ(snapPressure(200, 400, 20, -1), 202);
    EXPECT_EQ(snapPressure(202, 400, 20, 1), 200);
    EXPECT_EQ(snapPressure(5000, 400, 20, -1), 400);
    EXPECT_EQ(snapPressure(0, 400, 20, 1), 20);
    EXPECT_EQ(snapPressure(150, 0, 20, -1), 150);  // a catalog without a maximum divides by nothing
}

TEST(CutterSettingsRulesTest, OffsetQualityAndCommands) {
    EXPECT_EQ(offsetEntryForMicrometres(250), 2);
    EXPECT_EQ(offsetEntryForMicrometres(1000), 7);
    EXPECT_EQ(offsetEntryForMicrometres(260), -1);
    EXPECT_EQ(jaguarQualityEntry(30), 4);
    EXPECT_EQ(jaguarQualityEntry(5), 1);
    EXPECT_EQ(jaguarQualityEntry(7), 0);

    CutterSettingsChoice c;
    c.offsetIndex = 2;
    c.light = true;
    c.qualityIndex = 3;
    c.unrollOn = true;
    c.sheet = true;
    c.pressure = 200;
    c.maxForce = 400;
    EXPECT_EQ(buildSettingsCommands(c),
              "\x1b.C1;16;2:\x1b.C1;17;1:\x1b.C1;19;1:\x1b.C1;20;1:\x1b.C1;21;0:\x1b.C1;22;127:\x1b.C1;0;:");
    c.offsetIndex = -1;
    c.smoothingOff = true;
    c.pressure = 999;
    EXPECT_EQ(buildSettingsCommands(c),
              "\x1b.C1;17;1:\x1b.C1;19;0:\x1b.C1;20;1:\x1b.C1;21;0:\x1b.C1;22;255:\x1b.C1;0;:");
}

TEST(SerialQueryTest, AnswerSilenceAndFlood) {
    test::SerialCutter cutter;
    cutter.answers["OH;"] = "0,0,24000,48800\r";
    CSerial serial;
    ASSERT_EQ(serial.Open(cutter.path()), 0);
    ScriptedInteraction ui;
    ui.onPump = [&] { cutter.poll(); };
    std::string reply;
    ASSERT_TRUE(serialQuery(serial, "OH;", ui, reply));
    EXPECT_EQ(reply, "0,0,24000,48800\r");

    ui.nowMs = 0;
    EXPECT_FALSE(serialQuery(serial, "\x1b.R1:", ui, reply));  // never answered
    EXPECT_EQ(ui.nowMs, 300 + 20 * 100);

    cutter.flood = true;
    ui.nowMs = 0;
    EXPECT_TRUE(serialQuery(serial, "\x1b.R1:", ui, reply));
    EXPECT_EQ(ui.nowMs, 300 + 20 * 100);  // the flood ends the collection after 20 cycles
    EXPECT_LE(reply.size(), 20u * 99u);
}

class MediaQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(
            m_dir.file("2000.txt"),
            "[2000]\n2308=Can not open printer port !\n"
            "2320=Cutter communication error !\\n\\nPlease check the port configuration.\n"
            "2323=The connected device\\r\\n%s\\r\\nis different to the choosen cutter typ\\r\\n%s !\n");
        m_texts = Texts(m_dir.path(), 2000);
        // A queue whose printer hangs on the second GCC USB port.
        m_spooler.add("Jaguar on USB", "GCCUSB1");
    }
    MediaQuery query(StartMode startMode = 2) {
        return MediaQuery(startMode, m_plotter, m_usb, DeviceChannels{m_spooler, m_gcc, m_files}, m_texts,
                          m_ui);
    }
    test::TempDir m_dir;
    Texts m_texts;
    ScriptedInteraction m_ui;
    PlotterRecord m_plotter;
    UsbDeviceList m_usb;
    test::FakeSpooler m_spooler;
    test::FakeGccUsbPorts m_gcc;
    test::FakeDeviceFiles m_files;
};

TEST_F(MediaQueryTest, SerialCutterFillsTheRecordAndTheMediumSize) {
    test::SerialCutter cutter;
    cutter.answers["\x1b.R4:"] = "OR4,Jaguar IV,GCC,1.10;";
    cutter.answers["\x1b.R1:"] = "OR1,300,120,250,20,1,0,1;";
    cutter.answers["OH;"] = "0,0,24000,48800";
    m_ui.onPump = [&] { cutter.poll(); };
    m_plotter.name = "Jaguar IV 61";
    m_plotter.portType = kPortSerial;
    m_plotter.port = cutter.path();
    MediaQueryResult r;
    EXPECT_TRUE(query().run(r));
    EXPECT_TRUE(r.asked);
    EXPECT_TRUE(r.settingsRead);
    ASSERT_TRUE(r.sizeRead);
    EXPECT_EQ(r.heightMm, 600u);
    EXPECT_EQ(r.widthMm, 1220u);
    EXPECT_FALSE(r.modelDiffers);
    EXPECT_EQ(m_plotter.identificationReply, "OR4,Jaguar IV,GCC,1.10;");
    EXPECT_EQ(m_plotter.firmware, "1.10");
    EXPECT_EQ(m_plotter.deviceSettings[2], 250);
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(MediaQueryTest, GccUsbViaAPrinterAndAWrongModel) {
    auto port = m_gcc.add(1);
    port->replies = {"OR4,Puma III,GCC,1.16;", "OR1,1,2,3,4,5,6,7;", "0,0,4000,8000"};
    m_plotter.name = "Jaguar V 132";
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Jaguar on USB";
    MediaQueryResult r;
    EXPECT_TRUE(query().run(r));
    EXPECT_EQ(port->received, "\x1b.R4:\x1b.R1:OH;");
    EXPECT_EQ(r.widthMm, 200u);
    EXPECT_TRUE(r.modelDiffers);
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text,
              "The connected device\r\nPuma \r\nis different to the choosen cutter typ\r\nJaguar V 132 !");
    EXPECT_EQ(m_ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(m_gcc.opens, 2);
    EXPECT_EQ(m_gcc.closes, 2);
}

TEST_F(MediaQueryTest, FailuresAndEditionsThatAskNothing) {
    m_plotter.portType = kPortUsbDevice;
    m_plotter.usbGccName = "Jaguar V";
    m_usb = {{"USB001", "/dev/usb/lp0", "Jaguar V"}};
    auto dev = m_files.add("/dev/usb/lp0");  // never answers
    MediaQueryResult r;
    EXPECT_FALSE(query().run(r));
    EXPECT_TRUE(r.asked);
    EXPECT_FALSE(r.settingsRead);
    EXPECT_EQ(
        m_ui.messageTexts(),
        std::vector<std::string>{"Cutter communication error !\n\nPlease check the port configuration."});
    EXPECT_EQ(dev->received, "\x1b.R4:");  // nothing after the failed identification

    m_ui.messages.clear();
    EXPECT_FALSE(query(12).run(r));
    EXPECT_FALSE(r.asked);
    EXPECT_FALSE(query(21).run(r));
    EXPECT_FALSE(r.asked);
    EXPECT_TRUE(m_ui.messages.empty());

    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Missing";
    EXPECT_FALSE(query().run(r));
    EXPECT_EQ(m_ui.messageTexts(), std::vector<std::string>{"Can not open printer port !"});
}

}  // namespace
}  // namespace sartovin
