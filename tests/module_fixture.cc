// A module for the loader's tests, built twice: each copy answers with its
// own number under the same name.
#include "platform/module_entry.h"

SCEN_MODULE_ENTRY int scen_prova_valore() { return SCEN_PROVA_VALORE; }
