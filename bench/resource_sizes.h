#pragma once
// Prints the resources of the program at `path` by type: how many, how many bytes.
// False when the file cannot be opened as a module.
bool PrintResourceSizes(const char* path);
