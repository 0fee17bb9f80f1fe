// The lookup address of an arbitrary reference: every byte value, any length, with and
// without a colon.
//
// Input: the reference's bytes (it ends at the input's end or its first NUL).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "card/passage_lookup.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const std::string PREFIX = std::string(LOOKUP_BASE_ADDRESS) + "/bible?passage=";

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

bool IsLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

int HexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// Exact-size heap buffer, pre-filled, so an overrun or a missing clear shows.
std::string Build(const char* reference, std::size_t capacity) {
  std::unique_ptr<char[]> address(new char[capacity]);
  std::memset(address.get(), 0xBD, capacity);
  BuildLookupAddress(reference, address.get(), capacity);
  return TerminatedWithin(address.get(), capacity, "address", true);
}

// The passage as the service reads it back: "+" is a space, "%XX" a byte, and nothing
// else than letters and digits stands in the query.
std::string Decode(const std::string& passage) {
  std::string decoded;
  for (std::size_t i = 0; i < passage.size(); ++i) {
    const char c = passage[i];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%') {
      Require(i + 2 < passage.size() && IsHexDigit(passage[i + 1]) && IsHexDigit(passage[i + 2]),
              "a percent sign starts a whole escape", Printable(passage));
      decoded += static_cast<char>(HexValue(passage[i + 1]) * 16 + HexValue(passage[i + 2]));
      i += 2;
    } else {
      Require(IsLetterOrDigit(c), "only URL-safe bytes in the passage", Printable(passage));
      decoded += c;
    }
  }
  return decoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<char[]> reference(new char[size + 1]);
  if (size) std::memcpy(reference.get(), data, size);
  reference[size] = '\0';

  const std::string address = Build(reference.get(), LOOKUP_ADDRESS_CAPACITY);
  Require(address.compare(0, PREFIX.size(), PREFIX) == 0, "starts with the service and path",
          Printable(address));

  // The chapter: the first 49 bytes of the reference, cut at the first colon.
  std::string chapter(reference.get(), std::strlen(reference.get()));
  chapter = chapter.substr(0, REFERENCE_COPY_CAPACITY - 1);
  chapter = chapter.substr(0, chapter.find(':'));
  Require(Decode(address.substr(PREFIX.size())) == chapter, "the passage names the chapter",
          Printable(address));

  // Any other capacity cuts the same address at a whole unit, never inside an escape.
  const std::size_t capacity = 1 + size % 300;
  const std::string cut = Build(reference.get(), capacity);
  Require(cut.size() < capacity, "cut address within its capacity");
  if (capacity <= address.size()) {
    Require(address.compare(0, cut.size(), cut) == 0, "a cut address is a prefix", Printable(cut));
    if (cut.size() > PREFIX.size()) Decode(cut.substr(PREFIX.size()));
    if (cut.size() < address.size()) {
      const std::size_t next = address[cut.size()] == '%' ? 3 : 1;
      Require(cut.size() + next >= capacity, "cut only where the next unit does not fit",
              Printable(cut));
    }
  } else {
    Require(cut == address, "a larger capacity changes nothing", Printable(cut));
  }
  return 0;
}
