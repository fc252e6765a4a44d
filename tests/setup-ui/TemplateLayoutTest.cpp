// setup's dialog templates, read back from the program's resources and
// held against the layout they must keep: sizes, styles, fonts, and every
// control's id, kind, place, size, style and text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/afxwin.h"
#include "setup/resources/resource.h"

namespace {

struct ExpectedControl
{
  int nID;
  const char* pszClass;
  int x, y, cx, cy;
  DWORD nTypeMask;  // the bits that name the control's kind
  DWORD nType;
  DWORD nRequired;  // further style bits it must have
  const char* pszText;
};

struct ExpectedTemplate
{
  int nID;
  int cx, cy;
  DWORD nRequired, nForbidden, nExStyle;
  const char* pszCaption;
  int nPointSize;
  const char* pszFace;
  std::vector<ExpectedControl> controls;
};

struct ParsedControl
{
  DWORD nStyle = 0, nExStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0, nID = 0;
  std::string strClass, strText;
};

struct ParsedTemplate
{
  DWORD nStyle = 0, nExStyle = 0;
  int cx = 0, cy = 0, nPointSize = 0;
  std::string strCaption, strFace;
  std::vector<ParsedControl> controls;
};

// Reads DLGTEMPLATEEX and its items: little-endian fields, UTF-16 strings,
// items aligned on DWORDs.
class TemplateReader
{
public:
  TemplateReader(const BYTE* pData, DWORD nSize) : m_pData(pData), m_nSize(nSize) {}

  bool Read(ParsedTemplate& tpl)
  {
    if (Word() != 1 || Word() != 0xFFFF)
      return false;
    Dword();  // help id
    tpl.nExStyle = Dword();
    tpl.nStyle = Dword();
    int nItems = Word();
    Short();
    Short();
    tpl.cx = Short();
    tpl.cy = Short();
    SzOrOrd();  // menu
    SzOrOrd();  // class
    tpl.strCaption = Sz();
    if (tpl.nStyle & DS_SETFONT) {
      tpl.nPointSize = Word();
      Word();  // weight
      Word();  // italic, charset
      tpl.strFace = Sz();
    }
    for (int i = 0; i < nItems && m_bOk; ++i) {
      m_nPos = (m_nPos + 3) & ~3u;
      ParsedControl ctl;
      Dword();  // help id
      ctl.nExStyle = Dword();
      ctl.nStyle = Dword();
      ctl.x = Short();
      ctl.y = Short();
      ctl.cx = Short();
      ctl.cy = Short();
      ctl.nID = static_cast<int>(Dword());
      ctl.strClass = SzOrOrd();
      ctl.strText = SzOrOrd();
      m_nPos += Word();  // creation data
      tpl.controls.push_back(ctl);
    }
    return m_bOk && m_nPos <= m_nSize;
  }

private:
  WORD Word()
  {
    if (m_nPos + 2 > m_nSize) {
      m_bOk = false;
      return 0;
    }
    WORD n = static_cast<WORD>(m_pData[m_nPos] | m_pData[m_nPos + 1] << 8);
    m_nPos += 2;
    return n;
  }
  short Short() { return static_cast<short>(Word()); }
  DWORD Dword()
  {
    DWORD nLow = Word();
    return nLow | static_cast<DWORD>(Word()) << 16;
  }
  std::string Sz()
  {
    std::string str;
    for (WORD ch = Word(); ch != 0 && m_bOk; ch = Word())
      str += ch < 0x80 ? static_cast<char>(ch) : '?';
    return str;
  }
  // A string, or 0xFFFF and an ordinal: the predefined classes by name.
  std::string SzOrOrd()
  {
    if (m_nPos + 2 <= m_nSize && m_pData[m_nPos] == 0xFF && m_pData[m_nPos + 1] == 0xFF) {
      Word();
      switch (Word()) {
      case 0x80: return "Button";
      case 0x81: return "Edit";
      case 0x82: return "Static";
      case 0x83: return "ListBox";
      case 0x85: return "ComboBox";
      default: return "#ordinal";
      }
    }
    return Sz();
  }

  const BYTE* m_pData;
  DWORD m_nSize;
  DWORD m_nPos = 0;
  bool m_bOk = true;
};

bool LoadTemplate(int nID, ParsedTemplate& tpl)
{
  HMODULE hModule = ::GetModuleHandleA(NULL);
  HRSRC hRes = ::FindResourceA(hModule, MAKEINTRESOURCEA(nID), MAKEINTRESOURCEA(5));  // RT_DIALOG
  if (hRes == NULL)
    return false;
  const BYTE* pData = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hRes)));
  return pData != NULL && TemplateReader(pData, ::SizeofResource(hModule, hRes)).Read(tpl);
}

const DWORD kButtonType = 0x0F;  // BS_TYPEMASK
const DWORD kStaticType = SS_TYPEMASK;
const DWORD kComboType = 0x03;
const DWORD kNone = 0;

// clang-format off
std::vector<ExpectedTemplate> ExpectedTemplates()
{
  const char* kSans = "MS Sans Serif";
  return {
      {IDD_BACKGROUND, 18, 15, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | DS_SETFONT,
       WS_CAPTION | WS_BORDER | WS_THICKFRAME | DS_MODALFRAME, WS_EX_APPWINDOW, "", 24, "Courier New",
       {{IDC_PICTURE, "Static", 0, 0, 5, 5, kStaticType, SS_BITMAP, kNone, ""}}},
      {IDD_PROGRESS, 251, 119, WS_POPUP | WS_VISIBLE | WS_DISABLED | WS_CAPTION | DS_CENTER | DS_MODALFRAME,
       WS_SYSMENU, 0, "Installing", 8, kSans,
       {{IDC_CURRENT_GROUP, "Button", 36, 11, 179, 30, kButtonType, BS_GROUPBOX, kNone, "Current"},
        {IDC_CURRENT_FILE, "Static", 43, 21, 165, 15, kStaticType, SS_CENTER, SS_CENTERIMAGE, "Static"},
        {IDC_PROGRESS_GROUP, "Button", 10, 49, 230, 32, kButtonType, BS_GROUPBOX, kNone, "Progress"},
        {IDC_PROGRESS, "msctls_progress32", 15, 59, 218, 17, kNone, kNone, PBS_SMOOTH | WS_BORDER, ""},
        {IDC_PLEASE_WAIT, "Static", 99, 94, 50, 14, kStaticType, SS_CENTER, SS_SUNKEN, "Please wait..."}}},
      {IDD_DESTINATION, 267, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_CENTER | DS_MODALFRAME, WS_SYSMENU, 0,
       "Destination Directory", 8, kSans,
       {{IDC_TEXT, "Static", 6, 12, 254, 19, kStaticType, SS_LEFT, kNone, ""},
        {IDC_DEST_GROUP, "Button", 6, 40, 254, 28, kButtonType, BS_GROUPBOX, kNone, "Destination"},
        {IDC_DEST_DIR, "Edit", 10, 50, 245, 12, kNone, kNone, WS_BORDER | ES_AUTOHSCROLL, ""},
        {IDCANCEL, "Button", 156, 79, 50, 14, kButtonType, BS_PUSHBUTTON, kNone, "Exit"},
        {IDOK, "Button", 210, 79, 50, 14, kButtonType, BS_DEFPUSHBUTTON, kNone, "OK"}}},
      {IDD_STARTMENU, 263, 146, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_VISIBLE | DS_CENTER, 0,
       "Start Menu Folder", 8, kSans,
       {{IDC_TEXT, "Static", 7, 7, 249, 25, kStaticType, SS_LEFT, kNone, ""},
        {IDC_FOLDER, "Edit", 7, 37, 249, 14, kNone, kNone, WS_BORDER | ES_AUTOHSCROLL, ""},
        {IDC_FOLDER_LIST, "ListBox", 7, 57, 249, 62, kNone, kNone, LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER,
         ""},
        {IDC_SCOPE_LABEL, "Static", 7, 126, 37, 10, kStaticType, SS_LEFT, kNone, "Start Menu:"},
        {IDC_SCOPE, "ComboBox", 47, 124, 57, 40, kComboType, CBS_DROPDOWNLIST, WS_VSCROLL, ""},
        {IDCANCEL, "Button", 150, 125, 50, 14, kButtonType, BS_PUSHBUTTON, kNone, "Back"},
        {IDOK, "Button", 206, 125, 50, 14, kButtonType, BS_DEFPUSHBUTTON, kNone, "OK"}}},
      {IDD_INIT, 85, 22, WS_POPUP | WS_VISIBLE | DS_CENTER | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT, WS_CAPTION,
       WS_EX_STATICEDGE | WS_EX_CLIENTEDGE, "", 8, kSans,
       {{-1, "Static", 7, 7, 71, 8, kStaticType, SS_CENTER, kNone, "Initializing Setup..."}}},
      {IDD_AGREEMENT, 320, 154, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_VISIBLE | DS_CENTER, 0,
       "Agreement", 8, kSans,
       {{IDC_AGREEMENT_TEXT, "Edit", 7, 9, 306, 101, kNone, kNone,
         ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, ""},
        {IDC_QUESTION, "Static", 7, 117, 306, 10, kStaticType, SS_CENTER, kNone,
         "Do you accept the terms stated above?"},
        {IDCANCEL, "Button", 209, 133, 50, 14, kButtonType, BS_PUSHBUTTON, kNone, "No"},
        {IDOK, "Button", 263, 133, 50, 14, kButtonType, BS_DEFPUSHBUTTON, kNone, "Yes"}}},
  };
}
// clang-format on

TEST(TemplateLayout, EveryTemplateKeepsItsSizesStylesFontAndControls)
{
  for (const ExpectedTemplate& want : ExpectedTemplates()) {
    SCOPED_TRACE("template " + std::to_string(want.nID));
    ParsedTemplate tpl;
    ASSERT_TRUE(LoadTemplate(want.nID, tpl));
    EXPECT_EQ(want.cx, tpl.cx);
    EXPECT_EQ(want.cy, tpl.cy);
    EXPECT_EQ(want.nRequired, tpl.nStyle & want.nRequired) << std::hex << tpl.nStyle;
    EXPECT_EQ(0u, tpl.nStyle & want.nForbidden) << std::hex << tpl.nStyle;
    EXPECT_EQ(want.nExStyle, tpl.nExStyle) << std::hex << tpl.nExStyle;
    EXPECT_EQ(want.pszCaption, tpl.strCaption);
    EXPECT_EQ(want.nPointSize, tpl.nPointSize);
    EXPECT_EQ(want.pszFace, tpl.strFace);
    ASSERT_EQ(want.controls.size(), tpl.controls.size());
    for (size_t i = 0; i < want.controls.size(); ++i) {
      const ExpectedControl& control = want.controls[i];
      const ParsedControl& got = tpl.controls[i];
      SCOPED_TRACE("control " + std::to_string(control.nID));
      EXPECT_EQ(control.nID, static_cast<short>(got.nID));
      EXPECT_EQ(0, _stricmp(control.pszClass, got.strClass.c_str())) << got.strClass;  // class names ignore case
      EXPECT_EQ(control.x, got.x);
      EXPECT_EQ(control.y, got.y);
      EXPECT_EQ(control.cx, got.cx);
      EXPECT_EQ(control.cy, got.cy);
      EXPECT_EQ(control.nType, got.nStyle & control.nTypeMask) << std::hex << got.nStyle;
      EXPECT_EQ(control.nRequired, got.nStyle & control.nRequired) << std::hex << got.nStyle;
      EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE), got.nStyle & (WS_CHILD | WS_VISIBLE));
      EXPECT_EQ(control.pszText, got.strText);
    }
  }
}

// The combo box of the start-menu template gets its two entries, in this
// order, from the initialisation resource: the raw bytes, as laid out.
TEST(TemplateLayout, StartMenuInitialisationDataListsBothScopes)
{
  HMODULE hModule = ::GetModuleHandleA(NULL);
  HRSRC hRes = ::FindResourceA(hModule, MAKEINTRESOURCEA(IDD_STARTMENU), MAKEINTRESOURCEA(RT_DLGINIT));
  ASSERT_NE(nullptr, hRes);
  const char* pData = static_cast<const char*>(::LockResource(::LoadResource(hModule, hRes)));
  std::string strData(pData, ::SizeofResource(hModule, hRes));
  const std::string strExpected = std::string("\xf3\x03\x03\x04\x0a\x00\x00\x00", 8) + std::string("All Users\0", 10) +
                                  std::string("\xf3\x03\x03\x04\x0d\x00\x00\x00", 8) +
                                  std::string("Current User\0", 13) + std::string("\0\0", 2);
  EXPECT_EQ(strExpected, strData);
}

// The program's icon: one 32 x 32 image of 16 colours.
TEST(TemplateLayout, IconIsOne32By32ImageOf16Colours)
{
  HMODULE hModule = ::GetModuleHandleA(NULL);
  HRSRC hGroup = ::FindResourceA(hModule, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(nullptr, hGroup);
  const BYTE* pDir = static_cast<const BYTE*>(::LockResource(::LoadResource(hModule, hGroup)));
  ASSERT_EQ(1, pDir[4] | pDir[5] << 8);  // image count
  const BYTE* pEntry = pDir + 6;
  EXPECT_EQ(32, pEntry[0]);
  EXPECT_EQ(32, pEntry[1]);
  EXPECT_EQ(16, pEntry[2]);
  EXPECT_EQ(4, pEntry[6] | pEntry[7] << 8);  // bits per pixel
  EXPECT_NE(nullptr, ::LoadIconA(hModule, MAKEINTRESOURCEA(IDR_MAINFRAME)));

  // The image itself (stored PNG-compressed) decodes at its own size.
  HRSRC hImage =
      ::FindResourceA(hModule, MAKEINTRESOURCEA(pEntry[12] | pEntry[13] << 8), MAKEINTRESOURCEA(3));  // RT_ICON
  ASSERT_NE(nullptr, hImage);
  BYTE* pImage = static_cast<BYTE*>(::LockResource(::LoadResource(hModule, hImage)));
  HICON hIcon =
      ::CreateIconFromResourceEx(pImage, ::SizeofResource(hModule, hImage), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
  ASSERT_NE(nullptr, hIcon);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(hIcon, &info));
  BITMAP bitmap = {};
  ASSERT_NE(0, ::GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap));
  EXPECT_EQ(32, bitmap.bmWidth);
  EXPECT_EQ(32, bitmap.bmHeight);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(hIcon);
}

}  // namespace
