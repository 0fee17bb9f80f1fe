#include "content/resource_store.h"

bool FindResourceBytes(int id, const char* typeName, ByteView* bytes, HMODULE module) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), typeName);
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (data == nullptr) return false;
  bytes->data = static_cast<const unsigned char*>(data);
  bytes->size = SizeofResource(module, found);
  return true;
}
