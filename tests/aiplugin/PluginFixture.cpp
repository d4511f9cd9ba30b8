#include "PluginFixture.h"

#include "base/Texts.h"
#include "job/JobFileReader.h"
#include "platform/Files.h"
#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"

namespace sartovin::test {

void PluginTest::install(bool grid, bool laser, bool hobby) {
    setKey(standardIni, "State", "InstallGridPlotter", grid ? "1" : "0");
    setKey(standardIni, "State", "InstallLaserCutter", laser ? "1" : "0");
    setKey(hobbyIni, "State", "InstallHobbyPlotter", hobby ? "1" : "0");
    system.setRegistry(RegistryRoot::LocalMachine, "Software\\Sartovin", "InstallPath", standardFolder);
    system.setRegistry(RegistryRoot::LocalMachine, "Software\\Sartovin-Hobbyplotter", "InstallPath",
                       hobbyFolder);
    for (const char* name : {"SartovinAI.exe", "QXPassermarkenAI.exe", "SartovinLCAI.exe"})
        writeFile(system.local(standardFolder + "\\" + name), "MZ");
    for (const char* name : {"SartovinAIHP.exe", "QXPassermarkenAIHP.exe"})
        writeFile(system.local(hobbyFolder + name), "MZ");
    for (const std::string& folder : {standardFolder + "\\", hobbyFolder})
        for (const char* texts : {"1000.txt", "2000.txt", "3000.txt"})
            writeFile(system.local(folder + texts), readFile(std::string(SARTOVIN_DATA_DIR) + "/" + texts));
    writeFile(system.local("C:\\Users\\Anna\\AppData\\Local\\Temp\\keep"), "");
}

void PluginTest::setKey(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    MakeSureDirectoryPathExists(system.local(file));
    ASSERT_TRUE(WritePrivateProfileString(section, key, value, system.local(file)));
}

std::string PluginTest::key(const std::string& file, const std::string& section, const std::string& key) {
    return GetPrivateProfileString(section, key, "", system.local(file));
}

std::string PluginTest::jobBytes() {
    return readFile(system.local("C:\\Users\\Anna\\AppData\\Local\\Temp\\qxjob.qxj"));
}

bool PluginTest::readJob(Job& job, JobState& state, bool markSensor) {
    Texts texts(std::string(SARTOVIN_DATA_DIR) + "/", 2000);
    ScriptedInteraction ui;
    JobImportContext ctx{texts, ui};
    state.markSensorFlag = markSensor;
    return readIllustratorJob(system.local("C:\\Users\\Anna\\AppData\\Local\\Temp\\qxjob.qxj"), job, state,
                              ctx);
}

}  // namespace sartovin::test
