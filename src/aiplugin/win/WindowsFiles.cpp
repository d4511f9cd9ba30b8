// The file functions of platform/Files.h on Win32, for the DLL: the profile rules the plug-in
// shares with the program read and rewrite the settings file through them.

#include <windows.h>

#include "aiplugin/win/WindowsText.h"
#include "platform/Files.h"

namespace sartovin {

std::optional<std::string> readWholeFile(const std::string& path) {
    HANDLE file = CreateFileW(wideOf(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    BOOL ok = TRUE;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool writeFileAtomic(const std::string& path, const std::string& bytes) {
    const std::wstring target = wideOf(path);
    const std::wstring temporary = target + L".new~";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok)
        ok = MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool directoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wideOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool removeFile(const std::string& path) {
    const std::wstring w = wideOf(path);
    return DeleteFileW(w.c_str()) || GetFileAttributesW(w.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace sartovin
