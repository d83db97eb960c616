#include "bench/ResultFile.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "tests/support/Files.h"

void ResultFile::Add(const std::string& name, double value) { m_lines.emplace_back(name, value); }

bool ResultFile::Write(const std::wstring& path) const {
    FILE* file = _wfopen(path.c_str(), L"w");
    if (file == nullptr) {
        return false;
    }
    for (const auto& [name, value] : m_lines) {
        std::fprintf(file, "%s %.6f\n", name.c_str(), value);
    }
    return std::fclose(file) == 0;
}

std::map<std::string, std::vector<double>> ResultFile::Read(const std::wstring& path) {
    std::map<std::string, std::vector<double>> values;
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return values;
    }
    std::istringstream words(*text);
    std::string name;
    std::string number;
    while (words >> name >> number) {
        // strtod takes whatever the printf of Write writes, nan and inf too.
        char* end = nullptr;
        const double value = std::strtod(number.c_str(), &end);
        if (end == number.c_str() || *end != '\0') {
            break;  // not a "name value" line: nothing after it is trusted
        }
        values[name].push_back(value);
    }
    return values;
}
