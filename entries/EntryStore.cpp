#include "entries/EntryStore.h"

#include "entries/CGetComma.h"
#include "entries/StoreBatch.h"
#include "entries/StoreJournal.h"
#include "framework/CWinApp.h"

void LoadEntrySection(CWinApp& app, const CString& section, AppEntry& entry) {
    const char* name = section.GetString();
    entry.Title = app.GetProfileString(name, "Title", "");
    entry.AppName = app.GetProfileString(name, "AppName", "");
    entry.Dir = app.GetProfileString(name, "Dir", "");
    entry.Parm = app.GetProfileString(name, "Parm", "");
    entry.Icon = app.GetProfileString(name, "Icon", "");

    CGetComma data;
    data.SetString(app.GetProfileString(name, "Data", ""));
    entry.Show = data.GetItem(0);
    entry.IconIndex = data.GetItem(1);
    entry.IsGroup = data.GetItem(2);
}

void SaveEntrySection(StoreBatch& batch, const CString& section, const AppEntry& entry) {
    batch.WriteString(section, "Title", entry.Title);
    batch.WriteString(section, "AppName", entry.AppName);
    batch.WriteString(section, "Dir", entry.Dir);
    batch.WriteString(section, "Parm", entry.Parm);
    batch.WriteString(section, "Icon", entry.Icon);

    CString data;
    data.Format("%d,%d,%d", entry.Show, entry.IconIndex, entry.IsGroup);
    batch.WriteString(section, "Data", data);
}

void SaveEntrySection(CWinApp& app, const CString& section, const AppEntry& entry) {
    StoreBatch batch;
    SaveEntrySection(batch, section, entry);
    // Write failures are not reported: the entry stays in memory either way.
    StoreJournal::Apply(app, batch);
}
