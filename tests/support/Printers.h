// Lets GoogleTest print framework values in failure messages.
#pragma once

#include "framework/CString.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const CString& s, std::ostream* os) { *os << testing::PrintToString(s.Str()); }
