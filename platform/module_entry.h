// Marks a module's entry point, looked up by name (platform/embedded_module.h):
// exported from the module's shared object on Linux, from the executable
// itself on Windows, where the module is linked in.
#pragma once

#ifdef _WIN32
#define SCEN_MODULE_ENTRY extern "C" __declspec(dllexport)
#else
#define SCEN_MODULE_ENTRY extern "C" __attribute__((visibility("default")))
#endif
