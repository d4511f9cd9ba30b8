#include "aiplugin/win/WindowsPluginSystem.h"

#include <windows.h>
// windows.h names its own profile functions so; ours (platform/Profile.h) are the program's.
#undef GetPrivateProfileString
#undef GetPrivateProfileInt
#undef WritePrivateProfileString

#include <cstdint>

#include "aiplugin/SartovinPlugin.h"
#include "aiplugin/win/WindowsText.h"
#include "platform/Profile.h"

namespace sartovin {

namespace {

std::string environment(const wchar_t* name) {
    wchar_t buffer[4096];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 4096);
    return n > 0 && n < 4096 ? utf8Of(buffer, static_cast<int>(n)) : std::string();
}

template <typename Function>
Function wineFunction(const wchar_t* module, const char* name) {
    HMODULE m = GetModuleHandleW(module);
    return m ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

// The Linux program's folders, as its own rules find them in the environment Wine gives it.
std::string linuxConfigFolder() {
    std::string config = environment(L"XDG_CONFIG_HOME");
    if (!config.empty() && config[0] == '/') return dosPathOf(config);
    // Wine names the Linux home as an NT path: "\??\Z:\home\anna".
    std::string home = environment(L"WINEHOMEDIR");
    if (home.rfind("\\??\\", 0) == 0) home = home.substr(4);
    return home.empty() ? std::string() : home + "\\.config";
}

std::string linuxTempFolder() {
    for (const wchar_t* name : {L"XDG_RUNTIME_DIR", L"TMPDIR"}) {
        const std::string folder = environment(name);
        if (!folder.empty() && folder[0] == '/') return dosPathOf(folder);
    }
    return dosPathOf("/tmp");
}

// Installs the Win32 system when the DLL is loaded.
WindowsPluginSystem g_system;
struct Install {
    Install() { SartovinPlugin::instance().setSystem(&g_system); }
} g_install;

}  // namespace

bool runsUnderWine() {
    using Version = const char*(CDECL*)();
    return wineFunction<Version>(L"ntdll.dll", "wine_get_version") != nullptr;
}

std::string dosPathOf(const std::string& unixPath) {
    using Convert = WCHAR*(CDECL*)(LPCSTR);
    auto convert = wineFunction<Convert>(L"kernel32.dll", "wine_get_dos_file_name");
    if (!convert) return {};
    WCHAR* dos = convert(unixPath.c_str());
    if (!dos) return {};
    std::string out = utf8Of(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return out;
}

bool linuxProgramRuns(const std::string& program) {
    if (!runsUnderWine()) return false;
    const std::string name = "/" + program.substr(program.find_last_of("\\/") + 1);
    const std::string proc = dosPathOf("/proc");
    if (proc.empty()) return false;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(wideOf(proc + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool running = false;
    do {
        if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
        HANDLE file =
            CreateFileW(wideOf(proc + "\\" + utf8Of(entry.cFileName) + "\\cmdline").c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        char buffer[4096];
        DWORD got = 0;
        std::string line;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0 && line.size() < 65536)
            line.append(buffer, got);
        CloseHandle(file);
        // The program's own path, or a script's path after its interpreter.
        const std::size_t firstEnd = line.find('\0');
        const std::string first = line.substr(0, firstEnd);
        const std::string second =
            firstEnd == std::string::npos
                ? std::string()
                : line.substr(firstEnd + 1, line.find('\0', firstEnd + 1) - firstEnd - 1);
        auto endsInName = [&](const std::string& word) {
            return word.size() >= name.size() &&
                   word.compare(word.size() - name.size(), name.size(), name) == 0;
        };
        running = endsInName(first) || endsInName(second);
    } while (!running && FindNextFileW(find, &entry));
    FindClose(find);
    return running;
}

bool WindowsPluginSystem::registryString(RegistryRoot root, const std::string& key, const std::string& name,
                                         std::string& value) {
    HKEY hive = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(hive, wideOf(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    wchar_t buffer[4096] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t), type = 0;
    const LONG rc = RegQueryValueExW(handle, wideOf(name).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    value = utf8Of(buffer, static_cast<int>(size / sizeof(wchar_t)));
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return true;
}

std::string WindowsPluginSystem::userDataFolder() {
    if (runsUnderWine()) return linuxConfigFolder();
    std::string folder;
    registryString(RegistryRoot::CurrentUser,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData",
                   folder);
    return folder;
}

std::string WindowsPluginSystem::tempFolder() {
    if (runsUnderWine()) return linuxTempFolder();
    std::string folder = environment(L"Temp");
    if (folder.empty()) folder = environment(L"Tmp");
    return folder;
}

std::string WindowsPluginSystem::profileString(const std::string& section, const std::string& key,
                                               const std::string& defaultValue, const std::string& path) {
    return GetPrivateProfileString(section, key, defaultValue, path);
}

int WindowsPluginSystem::profileInt(const std::string& section, const std::string& key, int defaultValue,
                                    const std::string& path) {
    return GetPrivateProfileInt(section, key, defaultValue, path);
}

bool WindowsPluginSystem::writeProfileString(const std::string& section, const std::string& key,
                                             const std::string& value, const std::string& path) {
    return WritePrivateProfileString(section, key, value, path);
}

bool WindowsPluginSystem::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsPluginSystem::writeNewFile(const std::string& path, const std::string& bytes) {
    const std::wstring w = wideOf(path);
    DeleteFileW(w.c_str());
    HANDLE file =
        CreateFileW(w.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return CloseHandle(file) && ok && written == bytes.size();
}

bool WindowsPluginSystem::startProgram(const std::string& program) {
    std::wstring application = wideOf(program);
    std::wstring commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    // Wine starts a Linux program without a process handle.
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

bool WindowsPluginSystem::windowOpen(const std::string& title, const std::string& program) {
    if (!title.empty() && FindWindowW(nullptr, wideOf(title).c_str())) return true;
    return linuxProgramRuns(program);
}

void WindowsPluginSystem::dispatchMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WindowsPluginSystem::sleep(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void WindowsPluginSystem::errorBox(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, wideOf(text).c_str(), wideOf(caption).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace sartovin
