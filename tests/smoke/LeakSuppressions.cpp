// The desktop bus library that SDL's video start-up loads keeps a buffer for the process's lifetime.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
