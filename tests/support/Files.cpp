#include "tests/support/Files.h"

#include <windows.h>

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    // Read to the end rather than to the size asked for first: the file may grow meanwhile.
    std::string bytes;
    std::string chunk(64 * 1024, '\0');
    bool ok = true;
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0) {
            break;
        }
        bytes.append(chunk, 0, read);
    }
    ::CloseHandle(file);
    if (!ok) {
        return std::nullopt;
    }
    return bytes;
}

std::wstring TempDirectory() {
    // Asked for its length first: no fixed buffer.
    const DWORD size = ::GetTempPathW(0, nullptr);
    if (size == 0) {
        return {};
    }
    std::wstring path(size, L'\0');
    const DWORD length = ::GetTempPathW(size, path.data());
    if (length == 0 || length >= size) {
        return {};
    }
    path.resize(length);
    if (path.back() != L'\\') {
        path += L'\\';
    }
    return path;
}

std::wstring MakeTempDirectory(const std::wstring& name) {
    const std::wstring temp = TempDirectory();
    if (temp.empty() || name.empty()) {
        return {};
    }
    const std::wstring path = temp + name;
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return {};
    }
    // An existing file of that name is no folder.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return {};
    }
    return path + L"\\";
}
