#include "bench/ResultFile.h"

#include <cstdio>

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
    FILE* file = _wfopen(path.c_str(), L"r");
    if (file == nullptr) {
        return values;
    }
    char name[128];
    double value = 0;
    while (std::fscanf(file, "%127s %lf", name, &value) == 2) {
        values[name].push_back(value);
    }
    std::fclose(file);
    return values;
}
