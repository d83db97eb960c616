// Figures a measuring program hands to the harness: one "name value" line each, in a file whose
// path the harness passes on the command line.
#pragma once

#include <map>
#include <string>
#include <vector>

class ResultFile {
public:
    // Keeps a value under a name; a name may hold many values (one per sample).
    void Add(const std::string& name, double value);
    // Writes every value, one line each; false when the file could not be written.
    bool Write(const std::wstring& path) const;
    // The values of a file written by Write, by name; empty when it cannot be read.
    static std::map<std::string, std::vector<double>> Read(const std::wstring& path);

private:
    std::vector<std::pair<std::string, double>> m_lines;
};
