// The stores the figures are measured on, written straight into the registry (the program's
// own code is what is measured, so it does not seed). Every entry is a program whose icons are
// taken from iconFile, at index n mod 3; titles are ASCII, so a menu line is as wide for the
// program as for the floor.
#pragma once

#include <string>

namespace benchstore {

// count single entries "Btn1".."Btn<count>", and "Button"/"Num" = count.
void SeedEntries(int count, const std::wstring& iconFile);
// One group ("Btn1") with `members` members.
void SeedGroup(int members, const std::wstring& iconFile);
// A single entry ("Btn1") and a group of `members` members ("Btn2").
void SeedEntryAndGroup(int members, const std::wstring& iconFile);
// Removes the whole store.
void Clear();

}  // namespace benchstore
