// Lets GoogleTest print the program's values in failure messages. Every test file that compares
// them includes this, so that one printer is made for each type in a test program.
#pragma once

#include "entries/AppEntry.h"
#include "entries/IconGuid.h"
#include "framework/CString.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const CString& s, std::ostream* os) { *os << testing::PrintToString(s.Str()); }

inline void PrintTo(const IconGuid& g, std::ostream* os) { *os << FormatIconGuid(g); }

inline void PrintTo(const AppEntry& e, std::ostream* os) {
    *os << "{Title=\"" << e.Title.Str() << "\" AppName=\"" << e.AppName.Str() << "\" Dir=\""
        << e.Dir.Str() << "\" Parm=\"" << e.Parm.Str() << "\" Show=" << e.Show << " Icon=\""
        << e.Icon.Str() << "\" IconIndex=" << e.IconIndex << " IsGroup=" << e.IsGroup << "}";
}
