#include "tests/support/Fixtures.h"

#include <windows.h>

#include <string>

#include "framework/Utf.h"
#include "tests/support/ProgramFiles.h"

namespace fixtures {

CString Path(const char* name) {
    return CString(Narrow(ThisProgramDirectory()) + "fixtures\\" + name);
}

}  // namespace fixtures
