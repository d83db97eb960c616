// The samples of one figure, kept by run, and their medians.
#pragma once

#include <vector>

class Samples {
public:
    // Adds to the current run.
    void Add(double value);
    void Add(const std::vector<double>& values);
    // Closes the current run; the next Add starts another.
    void EndRun();

    int Count() const;
    // The median of all samples of all runs.
    double Median() const;
    // The median of each run, in order.
    std::vector<double> RunMedians() const;

private:
    std::vector<std::vector<double>> m_runs;
    bool m_open = false;
};

// The middle value; the mean of the two middle ones for an even count; 0 when empty.
double MedianOf(std::vector<double> values);

// How a figure of the program compares with the floor's, run by run: each run's median of the
// one divided by the same run's median of the other. Runs next to each other in time share
// whatever else the machine is doing, so their ratio is steadier than the ratio of the overall
// medians.
struct RunRatios {
    double median = 0;
    double low = 0;
    double high = 0;
};
RunRatios CompareRuns(const Samples& program, const Samples& floor);
