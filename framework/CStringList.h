// A list of strings.
#pragma once

#include "framework/CList.h"
#include "framework/CString.h"

using CStringList = CList<CString>;
