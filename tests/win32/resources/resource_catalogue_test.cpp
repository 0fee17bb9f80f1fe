#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "content/resource_store.h"
#include "resources/resource_ids.h"
#include "tests/win32/resources/resource_module.h"

namespace {

constexpr WORD LANGUAGE_US_ENGLISH = 1033;

std::string ResourceName(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return std::to_string(reinterpret_cast<ULONG_PTR>(name));
  return name;
}

// "type/id/language" for every resource of the module, as the resource directory lists it.
std::set<std::string> Inventory(HMODULE module) {
  std::set<std::string> found;
  struct Walk {
    static BOOL CALLBACK Language(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR out) {
      reinterpret_cast<std::set<std::string>*>(out)->insert(
          ResourceName(type) + "/" + ResourceName(name) + "/" + std::to_string(language));
      return TRUE;
    }
    static BOOL CALLBACK Name(HMODULE m, LPCSTR type, LPSTR name, LONG_PTR out) {
      EnumResourceLanguagesA(m, type, name, Language, out);
      return TRUE;
    }
    static BOOL CALLBACK Type(HMODULE m, LPSTR type, LONG_PTR out) {
      EnumResourceNamesA(m, type, Name, out);
      return TRUE;
    }
  };
  EnumResourceTypesA(module, Walk::Type, reinterpret_cast<LONG_PTR>(&found));
  return found;
}

std::set<std::string> ExpectedInventory() {
  std::set<std::string> expected;
  auto add = [&](const std::string& type, int first, int last) {
    for (int id = first; id <= last; ++id) {
      expected.insert(type + "/" + std::to_string(id) + "/" + std::to_string(LANGUAGE_US_ENGLISH));
    }
  };
  add("HOLIDAYS", 129, 129);
  add("IMAGE", 131, 138);
  add("VERSES", 140, 152);
  add("2", 153, 155);  // bitmaps
  add("3", 1, 16);     // icon images
  add("4", 109, 109);  // menu
  add("5", 103, 103);  // dialogs
  add("5", 158, 158);
  add("6", 7, 7);       // string block of ids 96-111
  add("9", 109, 109);   // accelerators
  add("14", 107, 108);  // icon groups
  add("16", 1, 1);      // version
  add("24", 1, 1);      // manifest
  return expected;
}

TEST(ResourceCatalogue, ProgramCarriesExactlyTheCatalogueInOneLanguage) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  const std::set<std::string> found = Inventory(module);
  const std::set<std::string> expected = ExpectedInventory();
  for (const std::string& row : expected) {
    EXPECT_EQ(1u, found.count(row)) << "missing: " << row;
  }
  for (const std::string& row : found) {
    EXPECT_EQ(1u, expected.count(row)) << "not in the catalogue: " << row;
  }
}

TEST(ResourceCatalogue, ProgramTypesAreFoundByNameInAnyCase) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  struct Row {
    const char* typeName;
    int first, last;
  };
  const Row rows[] = {
      {"verses", 140, 152},   {"VERSES", 140, 152},   {"Verses", 140, 152},
      {"holidays", 129, 129}, {"HOLIDAYS", 129, 129}, {"hOLIDAYS", 129, 129},
      {"image", 131, 138},    {"IMAGE", 131, 138},    {"Image", 131, 138},
  };
  for (const Row& row : rows) {
    for (int id = row.first; id <= row.last; ++id) {
      ByteView view = {nullptr, 0xBDBD};
      EXPECT_TRUE(FindResourceBytes(id, row.typeName, &view, module)) << row.typeName << " " << id;
      EXPECT_NE(nullptr, view.data) << row.typeName << " " << id;
    }
  }
}

// One past each end, and the resources of an earlier edition that we do not carry.
TEST(ResourceCatalogue, NothingOutsideTheCarriedIdsIsFound) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  struct Row {
    const char* typeName;
    int id;
  };
  const Row rows[] = {
      {"verses", 139}, {"verses", 153}, {"holidays", 128}, {"holidays", 130}, {"IMAGE", 130},
      {"IMAGE", 139},  {"IMAGE", 140},  {"verses", 129},   {"holidays", 140},
  };
  for (const Row& row : rows) {
    ByteView view = {nullptr, 0xBDBD};
    if (FindResourceBytes(row.id, row.typeName, &view, module)) {
      ADD_FAILURE() << "found: " << row.typeName << " " << row.id;
    } else {
      EXPECT_EQ(0xBDBDu, view.size)
          << "written although missing: " << row.typeName << " " << row.id;
    }
  }
  EXPECT_EQ(nullptr, FindResourceA(module, MAKEINTRESOURCEA(156), MAKEINTRESOURCEA(2)))
      << "bitmap 156";
}

// The data resources are the committed files byte for byte: no conversion of line
// ends, no padding, nothing cut.
TEST(ResourceCatalogue, DataResourcesAreTheCommittedFiles) {
  struct Row {
    const char* typeName;
    int id;
    std::string file;
  };
  std::vector<Row> rows = {{"HOLIDAYS", 129, "holidays.txt"}};
  for (int id = 131; id <= 138; ++id) {
    rows.push_back({"IMAGE", id, "images/image_" + std::to_string(id) + ".jpg"});
  }
  for (int id = 140; id <= 152; ++id) {
    rows.push_back({"VERSES", id, "verses/verses_" + std::to_string(id) + ".txt"});
  }
  for (const Row& row : rows) {
    const std::vector<unsigned char> file = ReadDataFile(row.file);
    ASSERT_FALSE(file.empty()) << "cannot read " << row.file;
    const std::vector<unsigned char> resource = ProgramResource(row.typeName, row.id);
    EXPECT_EQ(file.size(), resource.size()) << row.typeName << " " << row.id;
    EXPECT_TRUE(file == resource) << row.typeName << " " << row.id << " differs from " << row.file;
  }
}

TEST(ResourceCatalogue, StringsAreTheTitleAndTheClassNameOnly) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  struct Row {
    UINT id;
    const char* text;  // null: no such string
  };
  const Row rows[] = {{103, "Quillane"},
                      {109, QUILLANE_WINDOW_CLASS},
                      {104, nullptr},
                      {102, nullptr},
                      {110, nullptr}};
  for (const Row& row : rows) {
    char buffer[100];
    std::memset(buffer, 0xBD, sizeof buffer);
    const int length = LoadStringA(module, row.id, buffer, sizeof buffer);
    if (row.text == nullptr) {
      EXPECT_EQ(0, length) << "string " << row.id;
      continue;
    }
    EXPECT_EQ(static_cast<int>(std::strlen(row.text)), length) << "string " << row.id;
    EXPECT_STREQ(row.text, buffer) << "string " << row.id;
  }

  // The block of ids 96-111: sixteen counted UTF-16 strings, only 103 and 109 filled.
  const std::vector<unsigned char> block = ProgramResource(MAKEINTRESOURCEA(6), 7);
  std::size_t at = 0;
  for (int id = 96; id <= 111; ++id) {
    ASSERT_LE(at + 2, block.size()) << "block ends before string " << id;
    const std::uint16_t length = Word(block, at);
    std::string text;
    for (std::uint16_t i = 0; i < length; ++i) {
      text += static_cast<char>(Word(block, at + 2 + 2 * i));
    }
    const char* expected = id == 103 ? "Quillane" : id == 109 ? QUILLANE_WINDOW_CLASS : "";
    EXPECT_EQ(expected, text) << "string " << id;
    at += 2 + 2u * length;
  }
  EXPECT_EQ(block.size(), at) << "bytes after the sixteenth string";
}

std::string MenuText(HMENU menu, UINT position) {
  char text[64];
  std::memset(text, 0xBD, sizeof text);
  const int length = GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0u);
}

TEST(ResourceCatalogue, MenuIsTwoDropDownsWithTheirCommands) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  HMENU bar = LoadMenuA(module, MAKEINTRESOURCEA(109));
  ASSERT_NE(nullptr, bar);
  ASSERT_EQ(2, GetMenuItemCount(bar));
  EXPECT_EQ("&Menu", MenuText(bar, 0));
  EXPECT_EQ("&Help", MenuText(bar, 1));

  struct Item {
    int menu;
    UINT position;
    const char* text;
    UINT id;
    bool separator;
  };
  const Item items[] = {
      {0, 0, "Options", 10000, false},
      {0, 1, "", 0, true},
      {0, 2, "E&xit", 105, false},
      {1, 0, "&About ...", 104, false},
  };
  const int counts[] = {3, 1};
  for (int m = 0; m < 2; ++m) {
    HMENU popup = GetSubMenu(bar, m);
    ASSERT_NE(nullptr, popup) << "drop-down " << m;
    EXPECT_EQ(counts[m], GetMenuItemCount(popup)) << "drop-down " << m;
    EXPECT_EQ(0u, GetMenuState(bar, m, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED))
        << "drop-down " << m;
  }
  for (const Item& item : items) {
    HMENU popup = GetSubMenu(bar, item.menu);
    const UINT state = GetMenuState(popup, item.position, MF_BYPOSITION);
    EXPECT_EQ(item.separator, (state & MF_SEPARATOR) != 0) << item.text;
    EXPECT_EQ(0u, state & MF_POPUP) << item.text;
    // A separator is inherently grey; commands are not.
    if (!item.separator) {
      EXPECT_EQ(0u, state & (MF_CHECKED | MF_GRAYED | MF_DISABLED)) << item.text;
      EXPECT_EQ(item.text, MenuText(popup, item.position));
      EXPECT_EQ(item.id, GetMenuItemID(popup, static_cast<int>(item.position))) << item.text;
    }
  }
  DestroyMenu(bar);
}

// The plain template, item by item: flags, id (commands only), text.
TEST(ResourceCatalogue, MenuIsThePlainTemplate) {
  const std::vector<unsigned char> menu = ProgramResource(MAKEINTRESOURCEA(4), 109);
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(0, Word(menu, 0)) << "version: the extended form is 1";
  EXPECT_EQ(0, Word(menu, 2)) << "header size";
  struct Item {
    std::uint16_t flags;
    std::uint16_t id;
    const char* text;
  };
  const Item items[] = {
      {MF_POPUP, 0, "&Menu"}, {0, 10000, "Options"},           {0, 0, ""},  // separator
      {MF_END, 105, "E&xit"}, {MF_POPUP | MF_END, 0, "&Help"}, {MF_END, 104, "&About ..."},
  };
  std::size_t at = 4;
  for (const Item& item : items) {
    const std::uint16_t flags = Word(menu, at);
    at += 2;
    EXPECT_EQ(item.flags, flags) << item.text;
    if ((flags & MF_POPUP) == 0) {
      EXPECT_EQ(item.id, Word(menu, at)) << item.text;
      at += 2;
    }
    std::string text;
    while (at + 2 <= menu.size() && Word(menu, at) != 0) {
      text += static_cast<char>(Word(menu, at));
      at += 2;
    }
    at += 2;
    EXPECT_EQ(item.text, text);
  }
  EXPECT_EQ(menu.size(), at) << "bytes after the last item";
}

TEST(ResourceCatalogue, AcceleratorsAreAltWithQuestionMarkAndSlashAsCharacters) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(109));
  ASSERT_NE(nullptr, table);
  ACCEL entries[4];
  std::memset(entries, 0xBD, sizeof entries);
  ASSERT_EQ(2, CopyAcceleratorTableA(table, nullptr, 0));
  ASSERT_EQ(2, CopyAcceleratorTableA(table, entries, 4));
  const WORD keys[] = {0x3F, 0x2F};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(FALT, entries[i].fVirt) << "entry " << i << ": Alt only, a character code";
    EXPECT_EQ(keys[i], entries[i].key) << "entry " << i;
    EXPECT_EQ(104, entries[i].cmd) << "entry " << i;
  }
  DestroyAcceleratorTable(table);

  // Two 8-byte entries; the second carries the end-of-table flag.
  const std::vector<unsigned char> raw = ProgramResource(MAKEINTRESOURCEA(9), 109);
  ASSERT_EQ(16u, raw.size());
  const std::uint16_t flags[] = {FALT, FALT | 0x80};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(flags[i], Word(raw, 8 * i)) << "entry " << i;
    EXPECT_EQ(keys[i], Word(raw, 8 * i + 2)) << "entry " << i;
    EXPECT_EQ(104, Word(raw, 8 * i + 4)) << "entry " << i;
  }
}

}  // namespace
