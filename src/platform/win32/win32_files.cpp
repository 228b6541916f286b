// File operations through the ANSI functions Windows 95 has.
#include <algorithm>

#include "platform/win32/win32_platform.h"

namespace {

constexpr DWORD kNoFile = INVALID_FILE_ATTRIBUTES;

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A read-only file or a folder: refused as Windows itself would refuse it.
bool refused(DWORD attributes) {
    if (attributes == kNoFile ||
        !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

}  // namespace

bool Win32Files::exists(const std::string& path) {
    return attributesOf(path) != kNoFile;
}

bool Win32Files::remove(const std::string& path) {
    // Windows itself refuses to delete a read-only file.
    if (DeleteFileA(path.c_str())) return true;
    return isMissing(GetLastError()) && !exists(path);
}

bool Win32Files::rename(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool Win32Files::replacesInOneStep() {
    return !isWindows9x();  // where MoveFileExA is only a stub
}

bool Win32Files::replace(const std::string& from, const std::string& to) {
    if (!replacesInOneStep()) return SetLastError(ERROR_CALL_NOT_IMPLEMENTED), false;
    // A read-only file is one the user wants kept as it is.
    if (refused(attributesOf(to))) return false;
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Files::write(const std::string& path, const std::string& bytes) {
    // An existing read-only file is left alone. A hidden or system file keeps
    // those attributes: CREATE_ALWAYS refuses it unless they are asked for again.
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    DWORD old = attributesOf(path);
    if (refused(old)) return false;
    if (old != kNoFile && (old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        attributes = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written != 0;
        done += written;
    }
    bool closed = CloseHandle(file) != FALSE;  // a full disk may show only here
    return ok && closed;
}

std::optional<std::string> Win32Files::read(const std::string& path, std::size_t limit) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    bool ok = true;
    while (bytes.size() < limit) {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, limit - bytes.size()));
        DWORD got = 0;
        ok = ReadFile(file, buffer, want, &got, nullptr) != FALSE;
        if (!ok || got == 0) break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool Win32Files::canCreateIn(const std::string& folder) {
    // GetTempFileNameA adds up to 14 characters and wants MAX_PATH for the result.
    char name[MAX_PATH];
    if (folder.size() + 14 >= MAX_PATH) return false;
    if (!GetTempFileNameA(folder.c_str(), "vel", 0, name)) return false;
    DeleteFileA(name);
    return true;
}

bool Win32Files::canMove(const std::string& path) {
    DWORD attributes = attributesOf(path);
    if (attributes == kNoFile || refused(attributes)) return false;
    // Opening without sharing fails while any other program has the file open.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::string Win32Files::errorText() {
    DWORD error = GetLastError();
    char text[512];
    DWORD length = error == ERROR_SUCCESS
                       ? 0
                       : FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string said(text, length);
    // Our message boxes join their lines with a lone CR.
    for (std::size_t at; (at = said.find("\r\n")) != std::string::npos;) said.erase(at + 1, 1);
    while (!said.empty() && (said.back() == '\r' || said.back() == ' ')) said.pop_back();
    return said;
}
