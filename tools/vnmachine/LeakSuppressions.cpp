// Read by LeakSanitizer in a sanitizer build (and by nothing otherwise): fontconfig, loaded by
// cairo's text calls when `ui picture` draws, keeps its configuration for the life of the
// process, so what it holds at exit is no leak of ours.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
