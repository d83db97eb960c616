// A list of untyped pointers. The list never frees what the pointers point to.
#pragma once

#include "framework/CList.h"

using CPtrList = CList<void*>;
