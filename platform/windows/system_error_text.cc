#include "platform/windows/system_error_text.h"

#include <windows.h>

namespace scen::platform {

std::string system_error_text(unsigned long code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return "No such file or directory";
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return "Permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
      return "in use";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return "File exists";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "No space left on device";
    case ERROR_WRITE_PROTECT:
      return "Read-only file system";
    case ERROR_DIRECTORY:
      return "Not a directory";
    case ERROR_DIR_NOT_EMPTY:
      return "Directory not empty";
    case ERROR_FILENAME_EXCED_RANGE:
      return "File name too long";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER:
      return "Invalid argument";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "Cannot allocate memory";
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
      return "Broken pipe";
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
      return "Input/output error";
    case ERROR_TOO_MANY_OPEN_FILES:
      return "Too many open files";
    default:
      return "system error " + std::to_string(code);
  }
}

}  // namespace scen::platform
