// The lookup address of an arbitrary reference: every byte value, any length, with and
// without a colon, in a translation of the table or outside it.
//
// Input: the reference's bytes (it ends at the input's end or its first NUL); the input's
// size picks the translation code, 1000 to 1014.
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
std::string Build(const char* reference, std::uint32_t code, std::size_t capacity) {
  std::unique_ptr<char[]> address(new char[capacity]);
  std::memset(address.get(), 0xBD, capacity);
  BuildLookupAddress(reference, code, 0, address.get(), capacity);
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

  const std::uint32_t code = 1000 + static_cast<std::uint32_t>(size % 15);
  const std::string address = Build(reference.get(), code, LOOKUP_ADDRESS_CAPACITY);
  Require(address.compare(0, PREFIX.size(), PREFIX) == 0, "starts with the service and path",
          Printable(address));

  // The chapter: the first 49 bytes of the reference, cut at the first colon. The passage
  // holds no "&", so the first one starts the translation.
  std::string chapter(reference.get(), std::strlen(reference.get()));
  chapter = chapter.substr(0, REFERENCE_COPY_CAPACITY - 1);
  chapter = chapter.substr(0, chapter.find(':'));
  const std::size_t versionAt = address.find('&');
  Require(Decode(address.substr(PREFIX.size(), versionAt - PREFIX.size())) == chapter,
          "the passage names the chapter", Printable(address));

  // A code of the table names its translation in letters and digits; any other, none.
  const std::string version = versionAt == std::string::npos ? "" : address.substr(versionAt);
  const bool known = code >= 1001 && code <= 1013;
  Require(known == !version.empty(), "a version part exactly for a known code", Printable(address));
  if (known) {
    const std::string key = "&version=";
    Require(version.size() > key.size() && version.compare(0, key.size(), key) == 0,
            "the version key and a name", Printable(version));
    for (std::size_t i = key.size(); i < version.size(); ++i) {
      Require(IsLetterOrDigit(version[i]), "only URL-safe bytes in the version",
              Printable(version));
    }
  }

  // Any other capacity cuts the same address at a whole unit, never inside an escape or
  // the version part.
  const std::size_t capacity = 1 + size % 300;
  const std::string cut = Build(reference.get(), code, capacity);
  Require(cut.size() < capacity, "cut address within its capacity");
  if (capacity <= address.size()) {
    Require(address.compare(0, cut.size(), cut) == 0, "a cut address is a prefix", Printable(cut));
    Require(cut.size() <= versionAt, "no part of a version that does not fit", Printable(cut));
    if (cut.size() > PREFIX.size()) Decode(cut.substr(PREFIX.size()));
    if (cut.size() < address.size()) {
      const char unit = address[cut.size()];
      const std::size_t next = unit == '%' ? 3 : unit == '&' ? version.size() : 1;
      Require(cut.size() + next >= capacity, "cut only where the next unit does not fit",
              Printable(cut));
    }
  } else {
    Require(cut == address, "a larger capacity changes nothing", Printable(cut));
  }
  return 0;
}
