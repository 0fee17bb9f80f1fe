#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/win32/resources/resource_module.h"

namespace {

std::vector<unsigned char> VersionBlock() {
  const std::string path = ProgramPath();
  DWORD handle = 0xBDBDBDBD;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  std::vector<unsigned char> block(size, 0xBD);
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
  return block;
}

// A value of the string table; "(missing)" when there is none.
std::string VersionString(std::vector<unsigned char>& block, const char* key) {
  const std::string path = std::string("\\StringFileInfo\\040904b0\\") + key;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "(missing)";
  }
  std::string text(value, length);
  return text.substr(0, text.find('\0'));
}

TEST(ResourceVersion, FixedPartReadsFiveOneWhileTheStringsReadFiveTwo) {
  std::vector<unsigned char> block = VersionBlock();
  ASSERT_FALSE(block.empty()) << "no version record in " << ProgramPath();
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
  struct Field {
    const char* name;
    DWORD expected, seen;
  };
  const Field fields[] = {
      {"signature", 0xFEEF04BD, fixed->dwSignature},
      {"structure version", 0x00010000, fixed->dwStrucVersion},
      {"file version high", 0x00050001, fixed->dwFileVersionMS},
      {"file version low", 0, fixed->dwFileVersionLS},
      {"product version high", 0x00050001, fixed->dwProductVersionMS},
      {"product version low", 0, fixed->dwProductVersionLS},
      {"flags mask", 0x17, fixed->dwFileFlagsMask},
      {"flags", 0, fixed->dwFileFlags},
      {"operating system", VOS__WINDOWS32, fixed->dwFileOS},
      {"type", VFT_APP, fixed->dwFileType},
      {"subtype", 0, fixed->dwFileSubtype},
      {"date high", 0, fixed->dwFileDateMS},
      {"date low", 0, fixed->dwFileDateLS},
  };
  for (const Field& field : fields) {
    EXPECT_EQ(field.expected, field.seen) << field.name << std::hex << ": 0x" << field.seen;
  }

  struct Value {
    const char* key;
    const char* expected;  // null: the maker's copyright line
  };
  const Value values[] = {
      {"CompanyName", "Velmora Software"},
      {"FileDescription", "Quillane for Windows"},
      {"FileVersion", "5, 2, 0, 0"},
      {"InternalName", "Quillane"},
      {"LegalCopyright", nullptr},
      {"OriginalFilename", "Quillane.exe"},
      {"ProductName", "Quillane for Windows"},
      {"ProductVersion", "5, 2, 0, 0"},
  };
  for (const Value& value : values) {
    const std::string seen = VersionString(block, value.key);
    if (value.expected != nullptr) {
      EXPECT_EQ(value.expected, seen) << value.key;
    } else {
      EXPECT_EQ(0u, seen.find("Copyright")) << value.key << ": " << seen;
      EXPECT_NE(std::string::npos, seen.find("Velmora Software")) << value.key << ": " << seen;
    }
  }
}

TEST(ResourceVersion, OneTranslationUsEnglishInUnicode) {
  std::vector<unsigned char> block = VersionBlock();
  ASSERT_FALSE(block.empty()) << "no version record in " << ProgramPath();
  WORD* pair = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&pair), &length));
  ASSERT_EQ(4u, length) << "exactly one language and code page pair";
  EXPECT_EQ(0x0409, pair[0]);
  EXPECT_EQ(1200, pair[1]);
}

// One empty assembly element, opening and closing tag on two lines: no dependency on
// the common controls 6 and no requested execution level, so that the 32-bit program
// keeps its registry writes redirected instead of refused.
TEST(ResourceVersion, ManifestIsTheEmptyAssemblyOfEightySixBytes) {
  const std::vector<unsigned char> manifest = ProgramResource(MAKEINTRESOURCEA(24), 1);
  const std::string text(manifest.begin(), manifest.end());
  ASSERT_EQ(86u, manifest.size()) << text;
  EXPECT_EQ(
      "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
      "</assembly>",
      text);
}

}  // namespace
