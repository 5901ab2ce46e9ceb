// Qt keeps some process-wide allocations until exit; leak reports are not what
// the sanitizer runs of the tests look for.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
