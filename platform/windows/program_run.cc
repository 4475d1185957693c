#include "platform/program_run.h"

#include <windows.h>

#include "platform/windows/system_error_text.h"
#include "platform/windows/utf16.h"

namespace scen::platform {
namespace {

// One argument as the C runtime's command-line parser (and
// CommandLineToArgvW) reads it back: quoted when it holds a space, a tab or
// a quote or is empty; a quote escaped with a backslash, and the
// backslashes before a quote or before the closing quote doubled.
void append_argument(std::wstring& line, const std::wstring& argument) {
  if (!line.empty()) line += L' ';
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') line.append(backslashes * 2 + 1, L'\\');
    else line.append(backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

// A handle the child inherits: the file `name` (the null device when empty).
HANDLE open_inherited(const std::filesystem::path& name, bool writing) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(name.empty() ? L"NUL" : name.c_str(), writing ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                       writing ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE h) : h_(h) {}
  ~OwnedHandle() {
    if (ok()) ::CloseHandle(h_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

}  // namespace

int run_program(const ProgramRun& run, std::string& why) {
  std::wstring line;
  append_argument(line, run.program.native());
  for (const std::string& a : run.arguments) append_argument(line, utf16_of(a));

  OwnedHandle input(open_inherited({}, false));
  OwnedHandle output(open_inherited(run.output_file, true));
  OwnedHandle error(open_inherited(run.error_file, true));
  if (!input.ok() || !output.ok() || !error.ok()) {
    why = system_error_text(::GetLastError());
    return -1;
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = output.get();
  startup.hStdError = error.get();
  PROCESS_INFORMATION process{};
  // With no extension in the name, CreateProcessW looks for name.exe.
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        run.directory.empty() ? nullptr : run.directory.c_str(), &startup, &process)) {
    why = system_error_text(::GetLastError());
    return -1;
  }
  OwnedHandle process_handle(process.hProcess);
  OwnedHandle thread_handle(process.hThread);
  DWORD status = 0;
  if (::WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(process.hProcess, &status)) {
    why = system_error_text(::GetLastError());
    return -1;
  }
  return static_cast<int>(status);
}

}  // namespace scen::platform
