#include "entries/EntryStore.h"

#include "entries/CGetComma.h"
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

void SaveEntrySection(CWinApp& app, const CString& section, const AppEntry& entry) {
    const char* name = section.GetString();
    // Write failures are not reported: the entry stays in memory either way.
    app.WriteProfileString(name, "Title", entry.Title);
    app.WriteProfileString(name, "AppName", entry.AppName);
    app.WriteProfileString(name, "Dir", entry.Dir);
    app.WriteProfileString(name, "Parm", entry.Parm);
    app.WriteProfileString(name, "Icon", entry.Icon);

    CString data;
    data.Format("%d,%d,%d", entry.Show, entry.IconIndex, entry.IsGroup);
    app.WriteProfileString(name, "Data", data);
}
