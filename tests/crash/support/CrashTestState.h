#pragma once

#include <foundation/AppState.h>

#include <string>

// The three fields of g_appState that a crash report sends, set for a test and put back after it.
class CrashReportState {
  public:
    CrashReportState(const char* versionInformation, const char* machineCode, const char* userId)
        : m_versionInformation(g_appState.versionInformation.c_str()),
          m_machineCode(g_appState.machineCode.c_str()),
          m_userId(g_appState.user.userId.c_str()) {
        g_appState.versionInformation = versionInformation;
        g_appState.machineCode = machineCode;
        g_appState.user.userId = userId;
    }
    ~CrashReportState() {
        g_appState.versionInformation = m_versionInformation.c_str();
        g_appState.machineCode = m_machineCode.c_str();
        g_appState.user.userId = m_userId.c_str();
    }
    CrashReportState(const CrashReportState&) = delete;
    CrashReportState& operator=(const CrashReportState&) = delete;

  private:
    std::string m_versionInformation;
    std::string m_machineCode;
    std::string m_userId;
};

inline constexpr char kMachineCode[] = "0a1b2c3d-4e5f6071-8293a4b5-c6d7e8f9";
inline constexpr char kVersionInformation[] = "220327001";
