#include "bench/BenchTable.h"

#include <cstdio>

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

namespace {
std::string Ms(const Samples& s) { return Fixed(s.Median(), 1) + " ms"; }

// "1.17x (1.05–1.31)": the median ratio of the runs and the lowest and highest.
std::string RatioText(const RunRatios& r) {
    return Fixed(r.median, 2) + "x (" + Fixed(r.low, 2) + "–" + Fixed(r.high, 2) + ")";
}
}  // namespace

void BenchTable::AddRatio(const std::string& figure, const Samples& program, const Samples& floor,
                          const Samples* bare, double goalRatio) {
    const RunRatios ratio = CompareRuns(program, floor);
    std::string goal = goalRatio > 0 ? "≤ " + Fixed(goalRatio, 1) + "x" : "–";
    std::string met = goalRatio > 0 ? (ratio.median <= goalRatio ? "yes" : "**no**") : "–";
    AddRow(figure + " (" + std::to_string(program.RunMedians().size()) +
               " runs, n = " + std::to_string(program.Count()) + ")",
           Ms(program), Ms(floor), RatioText(ratio), goal, met, bare != nullptr ? Ms(*bare) : "–",
           bare != nullptr ? RatioText(CompareRuns(program, *bare)) : "–");
}

void BenchTable::AddRow(const std::string& figure, const std::string& program,
                        const std::string& floor, const std::string& comparison,
                        const std::string& goal, const std::string& met, const std::string& bare,
                        const std::string& bareComparison) {
    m_rows.push_back({figure, program, floor, comparison, bare, bareComparison, goal, met});
}

std::string BenchTable::Markdown() const {
    // The harness is built for each architecture and measures the programs of its own; the
    // tables of both runs go into one, told apart by this column.
    const char* arch = sizeof(void*) == 8 ? "x64" : "x86";
    std::string text =
        "| Arch | Figure | Velmora | Floor | Velmora / floor | Goal | Met | Bare floor | Velmora / "
        "bare |\n"
        "|---|---|---:|---:|---:|---|---|---:|---:|\n";
    for (const Row& r : m_rows) {
        text += std::string("| ") + arch + " | " + r.figure + " | " + r.program + " | " + r.floor + " | " + r.comparison +
                " | " + r.goal + " | " + r.met + " | " + r.bare + " | " + r.bareComparison + " |\n";
    }
    return text;
}
