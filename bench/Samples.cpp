#include "bench/Samples.h"

#include <algorithm>

double MedianOf(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Samples::Add(double value) {
    if (!m_open) {
        m_runs.emplace_back();
        m_open = true;
    }
    m_runs.back().push_back(value);
}

void Samples::Add(const std::vector<double>& values) {
    for (double v : values) {
        Add(v);
    }
}

void Samples::EndRun() { m_open = false; }

int Samples::Count() const {
    size_t count = 0;
    for (const auto& run : m_runs) {
        count += run.size();
    }
    return static_cast<int>(count);
}

double Samples::Median() const {
    std::vector<double> all;
    for (const auto& run : m_runs) {
        all.insert(all.end(), run.begin(), run.end());
    }
    return MedianOf(std::move(all));
}

std::vector<double> Samples::RunMedians() const {
    std::vector<double> medians;
    for (const auto& run : m_runs) {
        medians.push_back(MedianOf(run));
    }
    return medians;
}

RunRatios CompareRuns(const Samples& program, const Samples& floor) {
    const std::vector<double> a = program.RunMedians();
    const std::vector<double> b = floor.RunMedians();
    std::vector<double> ratios;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (b[i] > 0) {
            ratios.push_back(a[i] / b[i]);
        }
    }
    if (ratios.empty()) {
        return {};
    }
    return {MedianOf(ratios), *std::min_element(ratios.begin(), ratios.end()),
            *std::max_element(ratios.begin(), ratios.end())};
}
