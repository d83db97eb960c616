// The private memory of a process, as truthfully as the system reports it.
//
// Windows: PROCESS_MEMORY_COUNTERS_EX.PrivateUsage, the committed private bytes. Wine 8 leaves
// PrivateUsage 0 and fills PagefileUsage from the process's resident anonymous memory (Linux's
// RssAnon plus swap): memory committed but never touched does not count there, memory touched
// does, to the page. On Windows PagefileUsage is the private commit as well, so PagefileUsage is
// taken whenever PrivateUsage is 0.
#pragma once

#include <windows.h>

SIZE_T PrivateBytesOf(HANDLE process);
