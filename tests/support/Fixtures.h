// The fixture files the test build puts into bin/fixtures, beside the test programs (see
// tests/support/fixtures/CMakeLists.txt).
#pragma once

#include "framework/CString.h"

namespace fixtures {

// The full path of a fixture file (which need not exist), as UTF-8.
CString Path(const char* name);

}  // namespace fixtures
