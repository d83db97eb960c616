#include "tests/support/TrayCallLog.h"

TrayCallLog::TrayCallLog() {
    CTrayIconService::Instance().SetCallObserver(
        [this](const CTrayIconService::Call& call) { m_calls.push_back(call); });
}

TrayCallLog::~TrayCallLog() { CTrayIconService::Instance().SetCallObserver({}); }
