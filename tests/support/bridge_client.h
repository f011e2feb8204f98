// Another program bound to the bridge library, as the finder is (tests/e2e/bridge_client): one
// request per run, its result lines read back when the run is over.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/e2e.h"

namespace e2e {

// One run of the client program with the given request; the program folder is its current
// directory, where the loader finds QUILODLL.dll.
class BridgeClient {
 public:
  explicit BridgeClient(const std::string& request) {
    static int runs = 0;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    m_out = std::string(temp) + "bridge_client_" + std::to_string(++runs) + ".txt";
    ::DeleteFileA(m_out.c_str());
    std::string cmd(1, '"');  // built by appending: GCC 12 warns falsely on "\"" + string
    cmd += TestFolder() + "bridge_client.exe\" \"" + m_out + "\" " + request;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    const std::string folder = ProgramFolder();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &m_pi))
      m_pi = {};
  }
  ~BridgeClient() {
    if (!m_pi.hProcess) return;
    if (!Finished(0)) ::TerminateProcess(m_pi.hProcess, 1);
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
    ::DeleteFileA(m_out.c_str());
  }
  BridgeClient(const BridgeClient&) = delete;
  BridgeClient& operator=(const BridgeClient&) = delete;

  bool Started() const { return m_pi.hProcess != nullptr; }
  bool Finished(DWORD ms) const { return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, ms) == WAIT_OBJECT_0; }
  // The result lines once the run is over; none while it still runs.
  std::vector<std::string> Lines(DWORD ms = kWaitMs) const {
    if (!Finished(ms)) return {};
    return SplitLines(ReadWholeFile(m_out));
  }

 private:
  PROCESS_INFORMATION m_pi{};
  std::string m_out;
};

}  // namespace e2e
