// The application state of the online tests: built over a scratch local application data folder
// of this process and fixed machine inputs, so the tests never touch the user's own settings.
#include <windows.h>

#include <foundation/AppState.h>
#include <machinecode/MachineCode.h>

#include <filesystem>
#include <string>

namespace {

class CFixedMachine : public MachineProbe {
  public:
    std::array<uint32_t, 4> cpuid(uint32_t leaf, uint32_t) const override { return {leaf, 0, 0, 0}; }
    long queryStorageDescriptor(int, unsigned char*, uint32_t) const override { return -1; }
};

// Removes the scratch folder when the process ends, after the state is gone.
class CScratchFolder {
  public:
    CScratchFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"bravik-online-tests-" + std::to_wstring(GetCurrentProcessId());
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
        std::filesystem::create_directories(m_path, ignored);
    }
    ~CScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::wstring& path() const { return m_path; }

  private:
    std::wstring m_path;
};

const CFixedMachine fixedMachine;
const CScratchFolder scratch;

}  // namespace

CAppState g_appState(SOUI::SStringW(scratch.path().c_str()), fixedMachine);
