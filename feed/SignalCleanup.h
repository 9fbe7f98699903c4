#pragma once
// Names of half-written files that must go when the process is stopped by
// SIGINT or SIGTERM. Only used where a new file cannot be created without
// a name; the handler is installed on first use, and only over the default
// disposition, so a program with its own handlers keeps them.

// Remembers the name; returns its slot, or -1 when every slot is taken (the
// file is then only removed by its owner).
int RemoveOnSignal(const char* path);
// Forgets the slot (the file was renamed or removed by its owner).
void KeepOnSignal(int slot);
