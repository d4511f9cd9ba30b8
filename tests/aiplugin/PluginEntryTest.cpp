// The entry point: messages, the suite table and its nesting, the globals block, the menus and
// their languages, and the reporting of errors.

#include "PluginFixture.h"
#include "aiplugin/ErrorReport.h"
#include "aiplugin/HostStrings.h"
#include "aiplugin/PluginMenus.h"

namespace sartovin::test {
namespace {

using EntryTest = PluginTest;

TEST_F(EntryTest, StartupAndShutdownHoldTheGlobalsBlockAndEverySuiteOnlyDuringAMessage) {
    install(true, false, false);
    EXPECT_EQ(host.startup(), kSPNoError);
    EXPECT_EQ(host.blocksAllocated, std::vector<std::string>{"globals:32"});
    EXPECT_EQ(host.blocksHeld, 1);
    EXPECT_EQ(host.acquisitions, 20);
    EXPECT_TRUE(host.heldSuites.empty());

    EXPECT_EQ(host.send(kSPInterfaceCaller, kSPInterfaceAboutSelector), kSPNoError);
    ASSERT_EQ(host.modals.size(), 1u);
    EXPECT_EQ(host.modals[0].name, "About Dialog");
    EXPECT_EQ(host.modals[0].dialogId, 16050);
    EXPECT_EQ(host.send(kCallerAIMenu, kSelectorAIUpdateMenuItem, 1), kSPNoError);
    EXPECT_EQ(host.acquisitions, 60);

    // Shut-down frees the block through the blocks suite acquired on its own.
    EXPECT_EQ(host.shutdown(), kSPNoError);
    EXPECT_EQ(host.blocksHeld, 0);
    EXPECT_EQ(host.acquisitions, 81);
    EXPECT_TRUE(host.heldSuites.empty());
}

TEST_F(EntryTest, UnloadHandsTheGlobalsToTheHostAndReloadTakesThemBack) {
    install(true, false, true);
    setKey(standardIni, "State", "LanguageChoice", "-3");
    setKey(standardIni, "State", "Language", "1000");
    ASSERT_EQ(host.startup(), kSPNoError);
    const int acquired = host.acquisitions;

    EXPECT_EQ(host.send(kSPAccessCaller, kSPAccessUnloadSelector), kSPNoError);
    ASSERT_NE(host.pluginData, nullptr);
    EXPECT_EQ(host.pluginData, SartovinPlugin::instance().globals());
    auto* globals = static_cast<PluginGlobals*>(host.pluginData);
    EXPECT_EQ(globals->standardOffset, 200);
    EXPECT_EQ(globals->installGridPlotter, 1);
    EXPECT_EQ(globals->installHobbyPlotter, 1);
    EXPECT_EQ(host.send(kSPAccessCaller, kSPAccessReloadSelector), kSPNoError);
    EXPECT_EQ(SartovinPlugin::instance().globals(), globals);
    EXPECT_EQ(host.acquisitions, acquired);  // the access messages acquire nothing
}

TEST_F(EntryTest, ASuiteTheHostLacksIsReportedAndNothingStaysHeld) {
    host.missingSuite = "AI Menu Suite";
    EXPECT_EQ(host.startup(), kSPSuiteNotFoundError);
    ASSERT_EQ(host.alerts.size(), 1u);
    EXPECT_EQ(host.alerts[0], "Error: 1394689636, suite: AI Menu Suite, version: 7!");
    EXPECT_TRUE(host.heldSuites.empty());
    EXPECT_TRUE(host.modals.empty());  // 'S!Fd' is not reported a second time
    EXPECT_EQ(host.blocksHeld, 0);

    // Without the ADM Basic suite there is no alert, but still a clean failure.
    host.missingSuite = "ADM Basic Suite";
    host.alerts.clear();
    EXPECT_EQ(host.startup(), kSPSuiteNotFoundError);
    EXPECT_TRUE(host.alerts.empty());
    EXPECT_TRUE(host.heldSuites.empty());
}

TEST_F(EntryTest, AMessageDuringAnotherReusesTheSuites) {
    install(true, false, false);
    ASSERT_EQ(host.startup(), kSPNoError);
    // While the plug-in lets the host breathe, the host asks for a menu update.
    int nested = 0;
    system.onDispatch = [&] {
        if (nested++ == 0) {
            const int before = host.acquisitions;
            EXPECT_EQ(host.send(kCallerAIMenu, kSelectorAIUpdateMenuItem, 1), kSPNoError);
            EXPECT_EQ(host.acquisitions, before);
            EXPECT_EQ(host.heldSuites.size(), 20u);  // still held for the outer message
        }
    };
    host.layers.clear();
    EXPECT_EQ(host.choose("Plot / Cut"), kSPNoError);
    EXPECT_GT(nested, 0);
    EXPECT_TRUE(host.heldSuites.empty());
}

TEST_F(EntryTest, HostErrorsAreShownWithTheTextOfTheirCode) {
    install(true, false, false);
    ASSERT_EQ(host.startup(), kSPNoError);
    host.addLayer("Ebene 1");
    host.failures["GetDocumentPageRect"] = sdk::fourCharCode("NESS");
    EXPECT_EQ(host.choose("Plot / Cut"), sdk::fourCharCode("NESS"));
    ASSERT_EQ(host.modals.size(), 1u);
    EXPECT_EQ(host.modals[0].name, "Error Dialog");
    EXPECT_EQ(host.modals[0].dialogId, 16051);
    EXPECT_EQ(host.modals[0].text, "The drawing has too many anchor points.");
    EXPECT_TRUE(system.started.empty());

    // The code list: numbers, four-character codes, and "<Others>" for the rest.
    SuiteTable suites;
    SuiteTable::Failure failure;
    ASSERT_EQ(suites.acquire(&host.basic, failure), kSPNoError);
    EXPECT_EQ(ErrorReport::textFor(suites, host.self, -108), "There is not enough memory for this command.");
    EXPECT_EQ(ErrorReport::textFor(suites, host.self, 271), "There is not enough memory for this command.");
    EXPECT_EQ(ErrorReport::textFor(suites, host.self, sdk::fourCharCode("SEGM")),
              "A layer is locked or hidden.");
    EXPECT_EQ(ErrorReport::textFor(suites, host.self, sdk::fourCharCode("!sel")),
              "The selection is not valid.");
    EXPECT_EQ(ErrorReport::textFor(suites, host.self, 272), "The command could not be completed.");
    EXPECT_EQ(ErrorReport::textFor(suites, host.self, sdk::fourCharCode("SEGN")),
              "The command could not be completed.");
    suites.release(&host.basic);

    EXPECT_FALSE(ErrorReport::isReported(0));
    EXPECT_FALSE(ErrorReport::isReported(1));
    EXPECT_FALSE(ErrorReport::isReported(0x53214664));
    EXPECT_FALSE(ErrorReport::isReported(0x53544F50));
    EXPECT_TRUE(ErrorReport::isReported(-108));
}

TEST_F(EntryTest, AStartupErrorEndsTheMenus) {
    install(true, true, true);
    host.failures["AddMenuItem"] = -108;
    EXPECT_EQ(host.startup(), -108);
    ASSERT_EQ(host.modals.size(), 1u);
    EXPECT_EQ(host.modals[0].text, "There is not enough memory for this command.");
    EXPECT_TRUE(host.menuGroups.empty());
}

// ---- menus and their language ------------------------------------------------------------------

using MenuTest = PluginTest;

TEST_F(MenuTest, WithoutInstallKeysTheSubmenuIsEmpty) {
    ASSERT_EQ(host.startup(), kSPNoError);
    ASSERT_EQ(host.menuItems.size(), 1u);
    EXPECT_EQ(host.menuItems[0].group, "Export Document");
    EXPECT_EQ(host.menuItems[0].text, "Sartovin");
    EXPECT_EQ(host.menuGroups, std::vector<std::string>{"SDK Group"});
    EXPECT_TRUE(host.itemsOf("SDK Group").empty());
}

TEST_F(MenuTest, EachInstalledEditionAddsItsCommands) {
    install(true, true, true);
    system.setRegistry(RegistryRoot::LocalMachine, "Software\\Adobe\\DefaultLanguage", "AdobeProductLanguage",
                       "en_US");
    ASSERT_EQ(host.startup(), kSPNoError);
    EXPECT_EQ(host.itemsOf("SDK Group"),
              (std::vector<std::string>{"Plot / Cut", "Registermarks", "Vidazo Ravuzuz",
                                        "Hobbyplotter - Plot / Cut", "Hobbyplotter - Registermarks"}));
    for (const FakeMenuItem& item : host.menuItems) {
        if (item.group != "SDK Group") continue;
        EXPECT_EQ(item.autoUpdate, (std::vector<std::int32_t>{1, 275, 0, 0, 0, 0x1000400, 0})) << item.text;
    }
    host.shutdown();

    host.menuItems.clear();
    install(false, true, false);
    ASSERT_EQ(host.startup(), kSPNoError);
    EXPECT_EQ(host.itemsOf("SDK Group"), std::vector<std::string>{"Vidazo Ravuzuz"});
}

TEST_F(MenuTest, TheUsersChoiceWinsOverTheHostsLanguage) {
    install(true, false, true);
    system.setRegistry(RegistryRoot::LocalMachine, "Software\\Adobe\\DefaultLanguage", "AdobeProductLanguage",
                       "de_DE");
    setKey(standardIni, "State", "LanguageChoice", "-3");
    setKey(standardIni, "State", "Language", "3000");
    ASSERT_EQ(host.startup(), kSPNoError);
    // The hobby file holds no choice: its items follow the host's German.
    EXPECT_EQ(host.itemsOf("SDK Group"),
              (std::vector<std::string>{"Traçage / Découpe", "Repères", "Hobbyplotter - Plotten / Schneiden",
                                        "Hobbyplotter - Passermarken"}));
    EXPECT_EQ(host.menuItems[0].text, "Sartovin");  // the submenu is read without offset
}

TEST_F(MenuTest, DetectionFromTheHostsLanguageThenTheLocale) {
    struct Case {
        const char* adobe;   // nullptr: no value
        const char* locale;  // nullptr: no value
        const char* plot;
    };
    const Case cases[] = {
        {"Swiss-de", "fr-FR", "Plotten / Schneiden"},  // "de" anywhere is German
        {"DE", nullptr, "Plotten / Schneiden"},
        {"FR_ca", "de-DE", "Traçage / Découpe"},
        {"it_IT", "de-DE", "Plot / Cut"},  // the host's value decides even when it is neither
        {nullptr, "fr-CH", "Traçage / Découpe"},
        {nullptr, "De-at", "Plot / Cut"},  // only "de" and "DE"
        {nullptr, nullptr, "Plot / Cut"},
    };
    install(true, false, false);
    setKey(standardIni, "State", "LanguageChoice", "-2");  // never chosen
    setKey(standardIni, "State", "Language", "3000");
    for (const Case& c : cases) {
        system.registry.erase(
            {RegistryRoot::LocalMachine, "Software\\Adobe\\DefaultLanguage", "AdobeProductLanguage"});
        system.registry.erase({RegistryRoot::CurrentUser, "Control Panel\\International", "LocaleName"});
        if (c.adobe)
            system.setRegistry(RegistryRoot::LocalMachine, "Software\\Adobe\\DefaultLanguage",
                               "AdobeProductLanguage", c.adobe);
        if (c.locale)
            system.setRegistry(RegistryRoot::CurrentUser, "Control Panel\\International", "LocaleName",
                               c.locale);
        host.menuItems.clear();
        ASSERT_EQ(host.startup(), kSPNoError);
        ASSERT_EQ(host.itemsOf("SDK Group").size(), 2u);
        EXPECT_EQ(host.itemsOf("SDK Group")[0], c.plot)
            << (c.adobe ? c.adobe : "-") << " " << (c.locale ? c.locale : "-");
        host.shutdown();
    }
}

TEST_F(MenuTest, ACommandIsKnownByItsTextInAnyLanguage) {
    install(true, true, true);
    ASSERT_EQ(host.startup(), kSPNoError);
    SuiteTable suites;
    SuiteTable::Failure failure;
    ASSERT_EQ(suites.acquire(&host.basic, failure), kSPNoError);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, "Plotten / Schneiden"), PluginCommand::PlotCut);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, "Repères"), PluginCommand::Marks);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, "Vidazo Ravuzuz"), PluginCommand::Laser);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, "Hobbyplotter - Plot / Cut"),
              PluginCommand::HobbyPlotCut);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, "Hobbyplotter - Passermarken"),
              PluginCommand::HobbyMarks);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, "Sartovin"), PluginCommand::None);
    EXPECT_EQ(PluginMenus::identify(suites, host.self, ""), PluginCommand::None);
    suites.release(&host.basic);

    // An item the plug-in does not know starts nothing and writes nothing.
    host.menuItems.push_back({"other", "SDK Group", "Something else", {}});
    EXPECT_EQ(host.choose("Something else"), kSPNoError);
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(key(standardIni, "State", "AIVersion"), "");
}

TEST(HostStringsTest, LengthPrefixedTexts) {
    const auto p = lengthPrefixed("Plot / Cut");
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(fromLengthPrefixed(p.c_str()), "Plot / Cut");
    EXPECT_EQ(lengthPrefixed(std::string(300, 'x')).size(), 256u);
    EXPECT_EQ(fromLengthPrefixed(nullptr), "");
}

}  // namespace
}  // namespace sartovin::test
