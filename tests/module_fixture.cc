// A module for the loader's tests, built twice: each copy answers with its
// own number under the same name.
extern "C" __attribute__((visibility("default"))) int scen_prova_valore() { return SCEN_PROVA_VALORE; }
