// The results table of the bench, in Markdown: one row per figure with the program's value, the
// floor's, how they compare, the goal and whether it is met.
#pragma once

#include <string>
#include <vector>

#include "bench/Samples.h"

class BenchTable {
public:
    // A figure timed for the program, the floor and (when given) the bare floor: medians, the
    // ratios, and the goal as the largest ratio to the floor allowed (0: no goal).
    void AddRatio(const std::string& figure, const Samples& program, const Samples& floor,
                  const Samples* bare, double goalRatio);
    // Any other row, already worded.
    void AddRow(const std::string& figure, const std::string& program, const std::string& floor,
                const std::string& comparison, const std::string& goal, const std::string& met,
                const std::string& bare = "–", const std::string& bareComparison = "–");

    std::string Markdown() const;

private:
    struct Row {
        std::string figure, program, floor, comparison, bare, bareComparison, goal, met;
    };
    std::vector<Row> m_rows;
};

// "%.*f" of value.
std::string Fixed(double value, int decimals);
