#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "quillane_texts.h"
#include "tests/win32/resources/resource_module.h"

namespace {

// A name-or-ordinal field of a dialog template.
struct NameOrOrdinal {
  bool isOrdinal;
  std::uint16_t ordinal;
  std::string text;
};

struct ControlTemplate {
  std::uint32_t helpId, exStyle, style;
  std::int16_t x, y, cx, cy;
  std::int32_t id;
  NameOrOrdinal windowClass, title;
  std::uint16_t extraCount;
};

struct DialogTemplate {
  std::uint16_t version, signature;
  std::uint32_t helpId, exStyle, style;
  std::uint16_t controlCount;
  std::int16_t x, y, cx, cy;
  NameOrOrdinal menu, windowClass;
  std::string caption;
  std::uint16_t pointSize, weight;
  std::uint8_t italic, charset;
  std::string typeface;
  std::vector<ControlTemplate> controls;
  std::size_t end;  // offset just past the last control
};

class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
  std::uint16_t NextWord() {
    const std::uint16_t value = Word(bytes_, at_);
    at_ += 2;
    return value;
  }
  std::uint32_t NextDword() {
    const std::uint32_t value = Dword(bytes_, at_);
    at_ += 4;
    return value;
  }
  std::int16_t NextShort() { return static_cast<std::int16_t>(NextWord()); }
  std::uint8_t NextByte() { return at_ < bytes_.size() ? bytes_[at_++] : 0; }
  // Text stays in UTF-16 in the template; ours is ASCII, anything else shows as '?'.
  std::string NextText() {
    std::string text;
    while (at_ < bytes_.size()) {
      const std::uint16_t unit = NextWord();
      if (unit == 0) break;
      text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
  }
  NameOrOrdinal NextNameOrOrdinal() {
    if (Word(bytes_, at_) == 0xFFFF) {
      at_ += 2;
      return {true, NextWord(), ""};
    }
    return {false, 0, NextText()};
  }
  void AlignToDword() { at_ = (at_ + 3) & ~static_cast<std::size_t>(3); }
  std::size_t Offset() const { return at_; }
  bool Exhausted() const { return at_ >= bytes_.size(); }

 private:
  const std::vector<unsigned char>& bytes_;
  std::size_t at_ = 0;
};

DialogTemplate ParseDialog(const std::vector<unsigned char>& bytes) {
  TemplateReader r(bytes);
  DialogTemplate d = {};
  d.version = r.NextWord();
  d.signature = r.NextWord();
  d.helpId = r.NextDword();
  d.exStyle = r.NextDword();
  d.style = r.NextDword();
  d.controlCount = r.NextWord();
  d.x = r.NextShort();
  d.y = r.NextShort();
  d.cx = r.NextShort();
  d.cy = r.NextShort();
  d.menu = r.NextNameOrOrdinal();
  d.windowClass = r.NextNameOrOrdinal();
  d.caption = r.NextText();
  if (d.style & (DS_SETFONT | DS_SHELLFONT)) {
    d.pointSize = r.NextWord();
    d.weight = r.NextWord();
    d.italic = r.NextByte();
    d.charset = r.NextByte();
    d.typeface = r.NextText();
  }
  for (int i = 0; i < d.controlCount && !r.Exhausted(); ++i) {
    r.AlignToDword();
    ControlTemplate c = {};
    c.helpId = r.NextDword();
    c.exStyle = r.NextDword();
    c.style = r.NextDword();
    c.x = r.NextShort();
    c.y = r.NextShort();
    c.cx = r.NextShort();
    c.cy = r.NextShort();
    c.id = static_cast<std::int32_t>(r.NextDword());
    c.windowClass = r.NextNameOrOrdinal();
    c.title = r.NextNameOrOrdinal();
    c.extraCount = r.NextWord();
    d.controls.push_back(c);
  }
  d.end = r.Offset();
  return d;
}

constexpr std::uint16_t ATOM_BUTTON = 0x0080;
constexpr std::uint16_t ATOM_STATIC = 0x0082;
constexpr std::uint16_t ATOM_COMBOBOX = 0x0085;

struct ExpectedControl {
  std::int32_t id;
  std::uint16_t classAtom;
  const char* text;  // null: checked by its own rule
  std::uint32_t style;
  std::int16_t x, y, cx, cy;
};

struct ExpectedDialog {
  int resourceId;
  std::uint32_t style;
  std::int16_t x, y, cx, cy;
  const char* caption;
  std::uint16_t pointSize, weight;
  std::uint8_t italic, charset;
  const char* typeface;
  std::vector<ExpectedControl> controls;
};

void ExpectDialog(const ExpectedDialog& e, const DialogTemplate& d) {
  const std::string where = "dialog " + std::to_string(e.resourceId);
  EXPECT_EQ(1, d.version) << where;
  EXPECT_EQ(0xFFFF, d.signature) << where;
  EXPECT_EQ(0u, d.helpId) << where;
  EXPECT_EQ(0u, d.exStyle) << where;
  EXPECT_EQ(e.style, d.style) << where << std::hex << ": style word 0x" << d.style;
  EXPECT_EQ(e.x, d.x) << where;
  EXPECT_EQ(e.y, d.y) << where;
  EXPECT_EQ(e.cx, d.cx) << where;
  EXPECT_EQ(e.cy, d.cy) << where;
  EXPECT_TRUE(!d.menu.isOrdinal && d.menu.text.empty()) << where << ": no menu";
  EXPECT_TRUE(!d.windowClass.isOrdinal && d.windowClass.text.empty())
      << where << ": the system's dialog class";
  EXPECT_EQ(e.caption, d.caption) << where;
  EXPECT_EQ(e.pointSize, d.pointSize) << where;
  EXPECT_EQ(e.weight, d.weight) << where;
  EXPECT_EQ(e.italic, d.italic) << where;
  EXPECT_EQ(e.charset, d.charset) << where;
  EXPECT_EQ(e.typeface, d.typeface) << where;
  ASSERT_EQ(e.controls.size(), d.controlCount) << where;
  ASSERT_EQ(e.controls.size(), d.controls.size()) << where << ": template cut short";
  for (std::size_t i = 0; i < e.controls.size(); ++i) {
    const ExpectedControl& ec = e.controls[i];
    const ControlTemplate& c = d.controls[i];
    const std::string at =
        where + ", control " + std::to_string(i) + " (id " + std::to_string(ec.id) + ")";
    EXPECT_EQ(ec.id, c.id) << at;
    EXPECT_TRUE(c.windowClass.isOrdinal)
        << at << ": class by name \"" << c.windowClass.text << "\"";
    EXPECT_EQ(ec.classAtom, c.windowClass.ordinal) << at;
    EXPECT_EQ(ec.style, c.style) << at << std::hex << ": style 0x" << c.style;
    EXPECT_EQ(ec.x, c.x) << at;
    EXPECT_EQ(ec.y, c.y) << at;
    EXPECT_EQ(ec.cx, c.cx) << at;
    EXPECT_EQ(ec.cy, c.cy) << at;
    EXPECT_EQ(0u, c.helpId) << at;
    EXPECT_EQ(0u, c.exStyle) << at;
    EXPECT_EQ(0, c.extraCount) << at << ": no creation data";
    if (ec.text != nullptr) {
      EXPECT_FALSE(c.title.isOrdinal) << at;
      EXPECT_EQ(ec.text, c.title.text) << at;
    }
  }
}

constexpr std::uint32_t CHILD = WS_CHILD | WS_VISIBLE;

ExpectedDialog AboutDialog() {
  return {103,
          DS_SETFONT | DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
          22,
          17,
          230,
          58,
          "About",
          8,
          0,
          0,
          0,
          "System",
          {
              {2, ATOM_STATIC, nullptr, CHILD | SS_ICON, 14, 9, 20, 20},
              {-1, ATOM_STATIC, "Quillane Version 5.2", CHILD | WS_GROUP | SS_LEFT | SS_NOPREFIX,
               49, 10, 119, 8},
              {-1, ATOM_STATIC, nullptr, CHILD | WS_GROUP | SS_LEFT, 49, 20, 161, 8},
              {IDOK, ATOM_BUTTON, "OK", CHILD | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 195, 6,
               30, 11},
              {-1, ATOM_STATIC, nullptr, CHILD | WS_GROUP | SS_LEFT, 7, 47, 219, 8},
          }};
}

ExpectedDialog OptionsDialog() {
  return {
      158,
      WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
      0,
      0,
      263,
      79,
      "Options",
      8,
      400,
      0,
      1,
      "MS Shell Dlg",
      {
          {IDOK, ATOM_BUTTON, "OK", CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON, 206, 7, 50, 14},
          {IDCANCEL, ATOM_BUTTON, "Cancel", CHILD | WS_TABSTOP | BS_PUSHBUTTON, 206, 24, 50, 14},
          {-1, ATOM_STATIC, "Choose which Bible translation to use:", CHILD | WS_GROUP | SS_LEFT,
           15, 19, 122, 8},
          {1003, ATOM_COMBOBOX, "", CHILD | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 15, 30, 121,
           71},
          {-1, ATOM_BUTTON, "Startup/Program Options", CHILD | BS_GROUPBOX, 7, 9, 194, 59},
          {1004, ATOM_BUTTON, "Have Quillane start each time your system starts.",
           CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 13, 48, 185, 10},
      }};
}

TEST(ResourceDialogs, StyleWordsAreExact) {
  // The words themselves, apart from how the constants are spelled: no WS_POPUP on
  // About, DS_SHELLFONT on Options.
  EXPECT_EQ(0x00C800C0u, ParseDialog(ProgramResource(RT_DIALOG, 103)).style);
  EXPECT_EQ(0x80C800C8u, ParseDialog(ProgramResource(RT_DIALOG, 158)).style);
}

TEST(ResourceDialogs, AboutTemplateHoldsEveryControl) {
  const std::vector<unsigned char> bytes = ProgramResource(RT_DIALOG, 103);
  ASSERT_FALSE(bytes.empty());
  const DialogTemplate d = ParseDialog(bytes);
  ExpectDialog(AboutDialog(), d);
  ASSERT_EQ(5u, d.controls.size());
  EXPECT_TRUE(d.controls[0].title.isOrdinal) << "icon control names its icon by number";
  EXPECT_EQ(107, d.controls[0].title.ordinal);
  const std::string copyright = d.controls[2].title.text;
  EXPECT_EQ(0u, copyright.find("Copyright")) << copyright;
  EXPECT_NE(std::string::npos, copyright.find("Velmora Software")) << copyright;
  const std::string notice = d.controls[4].title.text;
  EXPECT_EQ('*', notice.empty() ? '\0' : notice[0]) << "the notice opens with an asterisk";
  EXPECT_EQ(QUILLANE_TEXTS_NOTICE, notice) << "the notice names the texts the build carries";
  EXPECT_EQ(bytes.size(), d.end) << "bytes after the last control";
}

TEST(ResourceDialogs, OptionsTemplateHoldsEveryControl) {
  const std::vector<unsigned char> bytes = ProgramResource(RT_DIALOG, 158);
  ASSERT_FALSE(bytes.empty());
  const DialogTemplate d = ParseDialog(bytes);
  ExpectDialog(OptionsDialog(), d);
  EXPECT_EQ(bytes.size(), d.end) << "bytes after the last control";
}

INT_PTR CALLBACK SilentDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The window system builds both dialogs from the program's templates, with the
// controls in template order (their tab order and z-order).
TEST(ResourceDialogs, WindowSystemBuildsTheControlsInTemplateOrder) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  for (const ExpectedDialog& e : {AboutDialog(), OptionsDialog()}) {
    HWND dialog =
        CreateDialogParamA(module, MAKEINTRESOURCEA(e.resourceId), nullptr, SilentDialogProc, 0);
    ASSERT_NE(nullptr, dialog) << "dialog " << e.resourceId;
    char caption[64] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(e.caption, caption);
    std::size_t index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT), ++index) {
      ASSERT_LT(index, e.controls.size()) << "dialog " << e.resourceId << ": extra control";
      const ExpectedControl& ec = e.controls[index];
      const std::string at =
          "dialog " + std::to_string(e.resourceId) + ", control " + std::to_string(index);
      EXPECT_EQ(ec.id, GetDlgCtrlID(child)) << at;
      char className[32] = {};
      GetClassNameA(child, className, sizeof className);
      const char* expectedClass = ec.classAtom == ATOM_BUTTON   ? "Button"
                                  : ec.classAtom == ATOM_STATIC ? "Static"
                                                                : "ComboBox";
      EXPECT_STREQ(expectedClass, className) << at;
      if (ec.text != nullptr && ec.classAtom != ATOM_COMBOBOX) {
        char text[128] = {};
        GetWindowTextA(child, text, sizeof text);
        EXPECT_STREQ(ec.text, text) << at;
      }
    }
    EXPECT_EQ(e.controls.size(), index) << "dialog " << e.resourceId;
    DestroyWindow(dialog);
  }
}

}  // namespace
