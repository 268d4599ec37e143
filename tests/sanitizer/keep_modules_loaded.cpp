// Linked into test programs of the sanitizer build only. GL drivers are
// loaded and unloaded at run time; once unloaded, LeakSanitizer can no longer
// name the module their allocations came from, and the driver leaks listed
// in .ci/lsan.supp would fail the run. Keeping every module loaded lets the
// suppressions match by module name while our own leaks still count.
extern "C" int dlclose(void*) { return 0; }
