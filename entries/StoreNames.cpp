#include "entries/StoreNames.h"

namespace store_names {

CString EntrySection(int n) {
    CString section;
    section.Format("%s%d", kEntryPrefix, n);
    return section;
}

CString GroupSection(int groupNo) {
    CString section;
    section.Format("%s\\%s%d", kGroupsSection, kGroupPrefix, groupNo);
    return section;
}

CString MemberSection(int groupNo, int memberNo) {
    CString section;
    section.Format("%s\\%s%d\\%s%d", kGroupsSection, kGroupPrefix, groupNo, kMemberPrefix,
                   memberNo);
    return section;
}

}  // namespace store_names
