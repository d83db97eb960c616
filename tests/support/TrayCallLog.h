// The calls the tray service makes to the shell, recorded for as long as the log lives.
#pragma once

#include <vector>

#include "tray/CTrayIconService.h"

class TrayCallLog {
public:
    TrayCallLog();
    ~TrayCallLog();
    TrayCallLog(const TrayCallLog&) = delete;
    TrayCallLog& operator=(const TrayCallLog&) = delete;

    const std::vector<CTrayIconService::Call>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<CTrayIconService::Call> m_calls;
};
