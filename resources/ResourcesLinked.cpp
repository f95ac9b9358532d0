// Built into each program that links the resource library. Nothing calls
// into that library; this use of its one name keeps it on a program's list
// of libraries where the linker leaves out those a program does not use.
extern "C" const bool tessivarResourcesRegistered;

[[gnu::used]] static const bool* const resourcesLinked = &tessivarResourcesRegistered;
