// Every name of the settings store in one place. Below the program's key
// (HKCU\Software\<company>\<program>):
//   Button            Num: the count of top-level entries; Guid: the program's own tray icon's
//   Btn<n>            top-level entry n, counted from 1: the six entry values, and Guid, the
//                     GUID of its tray icon
//   Group\Grp<g>      Num: the count of members of group g (its place among the groups)
//   Group\Grp<g>\App<m>  member m of group g: the six entry values
//   Saving            the journal of a save being made (see StoreJournal)
#pragma once

#include "framework/CString.h"

namespace store_names {

// The registry key below HKCU\Software that holds the program's key.
inline constexpr char kCompany[] = "Brennick";

inline constexpr char kCountSection[] = "Button";
inline constexpr char kCount[] = "Num";  // the count of a list: entries, or a group's members

inline constexpr char kEntryPrefix[] = "Btn";
inline constexpr char kGroupsSection[] = "Group";
inline constexpr char kGroupPrefix[] = "Grp";
inline constexpr char kMemberPrefix[] = "App";

// The six values of an entry's section, all REG_SZ.
inline constexpr char kTitle[] = "Title";
inline constexpr char kAppName[] = "AppName";
inline constexpr char kDir[] = "Dir";
inline constexpr char kParm[] = "Parm";
inline constexpr char kIcon[] = "Icon";
inline constexpr char kData[] = "Data";  // "<show>,<icon index>,<is group>"
// A tray icon's GUID, REG_SZ "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}": in "Button" and "Btn<n>".
inline constexpr char kGuid[] = "Guid";

inline constexpr char kJournalSection[] = "Saving";
inline constexpr char kJournalParts[] = "Parts";  // the count of parts, written last

// "Btn<n>": top-level entry n.
CString EntrySection(int n);
// "Group\Grp<g>": group g, which holds its member count.
CString GroupSection(int groupNo);
// "Group\Grp<g>\App<m>": member m of group g.
CString MemberSection(int groupNo, int memberNo);

}  // namespace store_names
