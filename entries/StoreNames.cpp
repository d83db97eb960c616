#include "entries/StoreNames.h"

namespace store_names {

CString EntrySection(int n) {
    CString section;
    section.Format("%s%d", CString(kEntryPrefix), n);
    return section;
}

CString GroupSection(int groupNo) {
    CString section;
    section.Format("%s\\%s%d", CString(kGroupsSection), CString(kGroupPrefix), groupNo);
    return section;
}

CString MemberSection(int groupNo, int memberNo) {
    CString section;
    section.Format("%s\\%s%d\\%s%d", CString(kGroupsSection), CString(kGroupPrefix), groupNo,
                   CString(kMemberPrefix), memberNo);
    return section;
}

}  // namespace store_names
