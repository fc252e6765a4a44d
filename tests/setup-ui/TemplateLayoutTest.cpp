// setup's dialog templates, read back from the program's resources and
// held against what they must keep: styles, captions, fonts, and every
// control's id, kind, style and text; and against what makes them usable:
// each control inside the dialog, none covering another, the controls a
// group box frames inside its frame, the buttons in one row below the rest.
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
  DWORD nTypeMask;  // the bits that name the control's kind
  DWORD nType;
  DWORD nRequired;  // further style bits it must have
  const char* pszText;
};

struct ExpectedTemplate
{
  int nID;
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
      {IDD_BACKGROUND, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | DS_SETFONT,
       WS_CAPTION | WS_BORDER | WS_THICKFRAME | DS_MODALFRAME, WS_EX_APPWINDOW, "", 24, "Courier New",
       {{IDC_PICTURE, "Static", kStaticType, SS_BITMAP, kNone, ""}}},
      {IDD_PROGRESS, WS_POPUP | WS_VISIBLE | WS_DISABLED | WS_CAPTION | DS_CENTER | DS_MODALFRAME,
       WS_SYSMENU, 0, "Installing", 8, kSans,
       {{IDC_CURRENT_GROUP, "Button", kButtonType, BS_GROUPBOX, kNone, "Current"},
        {IDC_CURRENT_FILE, "Static", kStaticType, SS_CENTER, SS_CENTERIMAGE, "Static"},
        {IDC_PROGRESS_GROUP, "Button", kButtonType, BS_GROUPBOX, kNone, "Progress"},
        {IDC_PROGRESS, "msctls_progress32", kNone, kNone, PBS_SMOOTH | WS_BORDER, ""},
        {IDC_PLEASE_WAIT, "Static", kStaticType, SS_CENTER, SS_SUNKEN, "Please wait..."}}},
      {IDD_DESTINATION, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_CENTER | DS_MODALFRAME, WS_SYSMENU, 0,
       "Destination Directory", 8, kSans,
       {{IDC_TEXT, "Static", kStaticType, SS_LEFT, kNone, ""},
        {IDC_DEST_GROUP, "Button", kButtonType, BS_GROUPBOX, kNone, "Destination"},
        {IDC_DEST_DIR, "Edit", kNone, kNone, WS_BORDER | ES_AUTOHSCROLL, ""},
        {IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, kNone, "Exit"},
        {IDOK, "Button", kButtonType, BS_DEFPUSHBUTTON, kNone, "OK"}}},
      {IDD_STARTMENU, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_VISIBLE | DS_CENTER, 0,
       "Start Menu Folder", 8, kSans,
       {{IDC_TEXT, "Static", kStaticType, SS_LEFT, kNone, ""},
        {IDC_FOLDER, "Edit", kNone, kNone, WS_BORDER | ES_AUTOHSCROLL, ""},
        {IDC_FOLDER_LIST, "ListBox", kNone, kNone, LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER,
         ""},
        {IDC_SCOPE_LABEL, "Static", kStaticType, SS_LEFT, kNone, "Start Menu:"},
        {IDC_SCOPE, "ComboBox", kComboType, CBS_DROPDOWNLIST, WS_VSCROLL, ""},
        {IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, kNone, "Back"},
        {IDOK, "Button", kButtonType, BS_DEFPUSHBUTTON, kNone, "OK"}}},
      {IDD_INIT, WS_POPUP | WS_VISIBLE | DS_CENTER | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT, WS_CAPTION,
       WS_EX_STATICEDGE | WS_EX_CLIENTEDGE, "", 8, kSans,
       {{-1, "Static", kStaticType, SS_CENTER, kNone, "Initializing Setup..."}}},
      {IDD_AGREEMENT, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_VISIBLE | DS_CENTER, 0,
       "Agreement", 8, kSans,
       {{IDC_AGREEMENT_TEXT, "Edit", kNone, kNone,
         ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, ""},
        {IDC_QUESTION, "Static", kStaticType, SS_CENTER, kNone,
         "Do you accept the terms stated above?"},
        {IDCANCEL, "Button", kButtonType, BS_PUSHBUTTON, kNone, "No"},
        {IDOK, "Button", kButtonType, BS_DEFPUSHBUTTON, kNone, "Yes"}}},
  };
}
// clang-format on

TEST(TemplateLayout, EveryTemplateKeepsItsStylesFontAndControls)
{
  for (const ExpectedTemplate& want : ExpectedTemplates()) {
    SCOPED_TRACE("template " + std::to_string(want.nID));
    ParsedTemplate tpl;
    ASSERT_TRUE(LoadTemplate(want.nID, tpl));
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
      EXPECT_EQ(control.nType, got.nStyle & control.nTypeMask) << std::hex << got.nStyle;
      EXPECT_EQ(control.nRequired, got.nStyle & control.nRequired) << std::hex << got.nStyle;
      EXPECT_EQ(static_cast<DWORD>(WS_CHILD | WS_VISIBLE), got.nStyle & (WS_CHILD | WS_VISIBLE));
      EXPECT_EQ(control.pszText, got.strText);
    }
  }
}

// A closed drop-down combo box, in dialog units: its edit field's height.
const int kClosedComboHeight = 14;

struct Box
{
  int left, top, right, bottom;
};

// What a control covers when its dialog shows: a drop-down combo box's
// height counts its list, which opens only on demand, over other controls.
Box BoxOf(const ParsedControl& control)
{
  const bool bCombo = _stricmp(control.strClass.c_str(), "ComboBox") == 0;
  const int cy = bCombo && control.cy > kClosedComboHeight ? kClosedComboHeight : control.cy;
  return {control.x, control.y, control.x + control.cx, control.y + cy};
}

bool Overlap(const Box& a, const Box& b)
{
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Box& inner, const Box& outer)
{
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

bool IsGroupBox(const ParsedControl& control)
{
  return _stricmp(control.strClass.c_str(), "Button") == 0 && (control.nStyle & kButtonType) == BS_GROUPBOX;
}

bool IsPushButton(const ParsedControl& control)
{
  const DWORD nType = control.nStyle & kButtonType;
  return _stricmp(control.strClass.c_str(), "Button") == 0 && (nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON);
}

// Where the controls lie decides whether a person can read and use them:
// the checks that follow hold for every template.
TEST(TemplateLayout, ControlsFitTheirDialogAndNoneCoversAnother)
{
  for (const ExpectedTemplate& want : ExpectedTemplates()) {
    SCOPED_TRACE("template " + std::to_string(want.nID));
    ParsedTemplate tpl;
    ASSERT_TRUE(LoadTemplate(want.nID, tpl));
    const Box dialog = {0, 0, tpl.cx, tpl.cy};
    int nButtonTop = -1;
    for (size_t i = 0; i < tpl.controls.size(); ++i) {
      const ParsedControl& a = tpl.controls[i];
      SCOPED_TRACE("control " + std::to_string(static_cast<short>(a.nID)));
      EXPECT_TRUE(Inside(BoxOf(a), dialog));
      EXPECT_GT(a.cx, 0);
      EXPECT_GT(a.cy, 0);
      for (size_t j = i + 1; j < tpl.controls.size(); ++j) {
        const ParsedControl& b = tpl.controls[j];
        // A group box frames what it overlaps: that must lie wholly inside it.
        if (IsGroupBox(a) || IsGroupBox(b)) {
          const ParsedControl& frame = IsGroupBox(a) ? a : b;
          const ParsedControl& framed = IsGroupBox(a) ? b : a;
          if (Overlap(BoxOf(frame), BoxOf(framed))) {
            EXPECT_TRUE(Inside(BoxOf(framed), BoxOf(frame))) << "cut by group box " << static_cast<short>(frame.nID);
          }
        } else {
          EXPECT_FALSE(Overlap(BoxOf(a), BoxOf(b))) << "covers control " << static_cast<short>(b.nID);
        }
      }
      if (IsPushButton(a)) {
        // The buttons stand in one row, the dialog's last.
        if (nButtonTop < 0)
          nButtonTop = a.y;
        EXPECT_EQ(nButtonTop, a.y);
        for (const ParsedControl& other : tpl.controls)
          EXPECT_LT(other.y, a.y + a.cy) << "under the buttons: " << static_cast<short>(other.nID);
      }
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
