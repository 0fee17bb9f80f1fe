#pragma once
#include "content/byte_view.h"
#include "core/platform_types.h"

#ifdef _WIN32
// The bytes of a resource of the program's own module (or of `module`), by id and
// type name; type names compare without regard to case. False when there is none.
bool FindResourceBytes(int id, const char* typeName, ByteView* bytes, HMODULE module = nullptr);
#endif
