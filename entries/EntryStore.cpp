#include "entries/EntryStore.h"

#include "entries/CGetComma.h"
#include "entries/StoreBatch.h"
#include "entries/StoreJournal.h"
#include "entries/StoreNames.h"
#include "framework/CWinApp.h"

void LoadEntrySection(CWinApp& app, const CString& section, AppEntry& entry) {
    const char* name = section.GetString();
    entry.Title = app.GetProfileString(name, store_names::kTitle, "");
    entry.AppName = app.GetProfileString(name, store_names::kAppName, "");
    entry.Dir = app.GetProfileString(name, store_names::kDir, "");
    entry.Parm = app.GetProfileString(name, store_names::kParm, "");
    entry.Icon = app.GetProfileString(name, store_names::kIcon, "");

    CGetComma data;
    data.SetString(app.GetProfileString(name, store_names::kData, ""));
    entry.Show = data.GetItem(0);
    entry.IconIndex = data.GetItem(1);
    entry.IsGroup = data.GetItem(2);
}

void SaveEntrySection(StoreBatch& batch, const CString& section, const AppEntry& entry) {
    batch.WriteString(section, store_names::kTitle, entry.Title);
    batch.WriteString(section, store_names::kAppName, entry.AppName);
    batch.WriteString(section, store_names::kDir, entry.Dir);
    batch.WriteString(section, store_names::kParm, entry.Parm);
    batch.WriteString(section, store_names::kIcon, entry.Icon);

    CString data;
    data.Format("%d,%d,%d", entry.Show, entry.IconIndex, entry.IsGroup);
    batch.WriteString(section, store_names::kData, data);
}

std::optional<IconGuid> LoadIconGuid(CWinApp& app, const CString& section) {
    return ParseIconGuid(app.GetProfileString(section.GetString(), store_names::kGuid, "").View());
}

void SaveIconGuid(StoreBatch& batch, const CString& section, const IconGuid& guid) {
    batch.WriteString(section, store_names::kGuid, CString(FormatIconGuid(guid).c_str()));
}

bool SaveIconGuid(CWinApp& app, const CString& section, const IconGuid& guid) {
    StoreBatch batch;
    SaveIconGuid(batch, section, guid);
    return StoreJournal::Apply(app, batch);
}

IconGuid DerivedIconGuid(const CString& section, const AppEntry& entry) {
    CString name;
    name.Format("%s\n%s\n%s\n%s\n%s\n%s\n%d,%d,%d", section, entry.Title, entry.AppName, entry.Dir,
                entry.Parm, entry.Icon, entry.Show, entry.IconIndex, entry.IsGroup);
    return NameBasedIconGuid(name.View());
}

void SaveEntrySection(CWinApp& app, const CString& section, const AppEntry& entry) {
    StoreBatch batch;
    SaveEntrySection(batch, section, entry);
    // Write failures are not reported: the entry stays in memory either way.
    StoreJournal::Apply(app, batch);
}
