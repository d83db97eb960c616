// A test of entry windows: the store seeded with entries, the program started on it, and the
// launches of the tests' recorder program written to a file of the test's own.
#pragma once

#include <string>
#include <vector>

#include "entries/AppEntry.h"
#include "tests/support/AppFixture.h"

class EntryWindowsFixture : public AppFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Seeds "Btn%d" and "Num" with the entries and starts the program's main window, which
    // makes one window per entry.
    void Start(const std::vector<AppEntry>& entries);
    // The entry stored as "Btn<n>".
    static AppEntry Stored(int n);

    // Whether the recorder program ran, and what it wrote.
    bool Launched() const;
    std::string Record() const;

    std::wstring m_record;
};
