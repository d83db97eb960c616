// How many GDI and USER objects the process holds, to show that a piece of code leaks none.
//
// On Windows the numbers are GetGuiResources'. Wine does not implement that function (it
// returns 0), so there they are counted from what Wine keeps in the process:
// - GDI: the live entries of the GDI handle table that the PEB points to (GdiSharedHandleTable,
//   laid out as on Windows). Every icon holds GDI bitmaps, so leaked icons show here too.
// - USER: the live icons and menus, found by asking for every user handle index. Wine takes a
//   handle whose high word is 0 as "any generation", so the indices are enough.
#pragma once

namespace guiobjects {

struct Counts {
    int gdi = 0;
    int user = 0;
    bool operator==(const Counts&) const = default;
};

Counts Take();

}  // namespace guiobjects
