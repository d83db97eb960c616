#include "tests/support/ProgramResources.h"

#include "framework/WinHandles.h"

std::optional<std::string> FileResource(const std::wstring& file, const wchar_t* type,
                                        const wchar_t* name) {
    // As data: the file's resources are mapped, none of its code runs and nothing it imports is
    // loaded.
    UniqueModule image(::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!image) {
        return std::nullopt;
    }
    HRSRC found = ::FindResourceW(image.Get(), name, type);
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = ::LoadResource(image.Get(), found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    // Copied out before the image goes: the resource lives in its mapping.
    return std::string(static_cast<const char*>(bytes), ::SizeofResource(image.Get(), found));
}

std::string ProgramManifest(const std::wstring& file) {
    return FileResource(file, RT_MANIFEST, MAKEINTRESOURCEW(1)).value_or("");
}
