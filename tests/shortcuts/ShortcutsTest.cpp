// Shell folders and shell links on wine's real registry and shell-link
// object: every link is read back through IShellLinkA, outputs are pre-filled
// with sentinels and HRESULTs compared in hex.
#include <gtest/gtest.h>

#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "common/ShellFolders.h"
#include "framework/String.h"
#include "setup/install/FontRegistration.h"
#include "setup/install/InstallJournal.h"
#include "setup/install/InstallPipeline.h"

// The records' paths against the test's expectations.
bool operator==(const std::string& a, const CString& b) { return a == static_cast<const char*>(b); }

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kSentinel[] = "sentinel";

std::string Hex(HRESULT hr)
{
  char szText[16];
  snprintf(szText, sizeof(szText), "0x%08lx", static_cast<unsigned long>(hr));
  return szText;
}

struct LinkContents
{
  HRESULT hrLoad = E_FAIL;
  std::string strPath, strArguments, strWorkingDir, strDescription;
};

// Loads a .lnk through IPersistFile and reads it through IShellLinkA.
LinkContents ReadLink(const std::string& strLinkFile);
LinkContents ReadLink(const char* pszLinkFile) { return ReadLink(std::string(pszLinkFile)); }
LinkContents ReadLink(const std::string& strLinkFile)
{
  LinkContents contents;
  HRESULT hrInit = ::CoInitialize(NULL);
  IShellLinkA* pLink = NULL;
  IPersistFile* pFile = NULL;
  HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&pLink));
  EXPECT_EQ(Hex(S_OK), Hex(hr)) << "CoCreateInstance";
  if (SUCCEEDED(hr))
    hr = pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile));
  if (SUCCEEDED(hr)) {
    WCHAR wszFile[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, strLinkFile.c_str(), -1, wszFile, MAX_PATH);
    contents.hrLoad = pFile->Load(wszFile, STGM_READ);
    char szBuffer[1024];
    strcpy(szBuffer, kSentinel);
    EXPECT_EQ(Hex(S_OK), Hex(pLink->GetPath(szBuffer, MAX_PATH, NULL, SLGP_RAWPATH))) << "GetPath";
    contents.strPath = szBuffer;
    strcpy(szBuffer, kSentinel);
    EXPECT_EQ(Hex(S_OK), Hex(pLink->GetArguments(szBuffer, sizeof(szBuffer)))) << "GetArguments";
    contents.strArguments = szBuffer;
    strcpy(szBuffer, kSentinel);
    EXPECT_EQ(Hex(S_OK), Hex(pLink->GetWorkingDirectory(szBuffer, MAX_PATH))) << "GetWorkingDirectory";
    contents.strWorkingDir = szBuffer;
    strcpy(szBuffer, kSentinel);
    EXPECT_EQ(Hex(S_OK), Hex(pLink->GetDescription(szBuffer, sizeof(szBuffer)))) << "GetDescription";
    contents.strDescription = szBuffer;
    pFile->Release();
  }
  if (pLink)
    pLink->Release();
  if (SUCCEEDED(hrInit))
    ::CoUninitialize();
  return contents;
}

bool FileExists(const std::string& strPath) { return ::GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Removes a folder with everything in it (what an earlier, failed run left).
void RemoveTree(const std::string& strFolder)
{
  WIN32_FIND_DATAA data;
  HANDLE hFind = ::FindFirstFileA((strFolder + "\\*").c_str(), &data);
  if (hFind != INVALID_HANDLE_VALUE) {
    do {
      std::string strName = data.cFileName;
      if (strName == "." || strName == "..")
        continue;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(strFolder + "\\" + strName);
      else
        ::DeleteFileA((strFolder + "\\" + strName).c_str());
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
  }
  ::RemoveDirectoryA(strFolder.c_str());
}

int CountFiles(const std::string& strFolder)
{
  int nCount = 0;
  WIN32_FIND_DATAA data;
  HANDLE hFind = ::FindFirstFileA((strFolder + "\\*").c_str(), &data);
  if (hFind == INVALID_HANDLE_VALUE)
    return 0;
  do
    nCount += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
  while (::FindNextFileA(hFind, &data));
  ::FindClose(hFind);
  return nCount;
}

void MakeFile(const std::string& strPath)
{
  FILE* pFile = fopen(strPath.c_str(), "wb");
  ASSERT_NE(pFile, nullptr) << strPath;
  fclose(pFile);
}

// The real value of the prefix, read independently of the code under test.
std::string ShellFolder(HKEY hRoot, const char* lpszName)
{
  char szValue[MAX_PATH] = "";
  DWORD nSize = sizeof(szValue);
  ::RegGetValueA(hRoot, kShellFolders, lpszName, RRF_RT_REG_SZ, NULL, szValue, &nSize);
  return szValue;
}

ShortcutEntry Record(const char* lpszTarget, const char* lpszArguments, const char* lpszCaption)
{
  ShortcutEntry entry;
  entry.target = lpszTarget;
  entry.arguments = lpszArguments;
  entry.caption = lpszCaption;
  entry.linkPath = kSentinel;
  return entry;
}

// A destination with two real targets, and a program group below the
// prefix's own "Programs" folder; everything made is removed again.
class ShortcutsTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    m_strDest = std::string(szTemp) + "shortcuts test " + std::to_string(::GetCurrentProcessId());
    RemoveTree(m_strDest);
    ASSERT_TRUE(::CreateDirectoryA(m_strDest.c_str(), NULL)) << m_strDest;
    ASSERT_TRUE(::CreateDirectoryA((m_strDest + "\\bin").c_str(), NULL));
    MakeFile(m_strDest + "\\app.exe");
    MakeFile(m_strDest + "\\bin\\tool.exe");
    m_choices.strDestDir = m_strDest.c_str();
    std::string strPrograms = ShellFolder(HKEY_CURRENT_USER, "Programs");
    ASSERT_FALSE(strPrograms.empty());
    m_strGroup = strPrograms + "\\Shortcuts Test " + std::to_string(::GetCurrentProcessId());
    RemoveTree(m_strGroup);
    ASSERT_TRUE(::CreateDirectoryA(m_strGroup.c_str(), NULL)) << m_strGroup;
    ASSERT_TRUE(m_pipeline.BeginJournal());
  }

  void TearDown() override
  {
    for (const std::string& strLink : m_made)
      ::DeleteFileA(strLink.c_str());
    RemoveTree(m_strGroup);
    RemoveTree(m_strDest);
  }

  // Remembers a link for clean-up and tells whether its file exists.
  bool Made(const char* pszLink) { return Made(std::string(pszLink)); }
  bool Made(const std::string& strLink)
  {
    m_made.push_back(strLink);
    return FileExists(strLink);
  }

  // The pipeline of an unattended installation into m_strDest.
  CInstallPipeline& Pipeline() { return m_pipeline; }

  std::string m_strDest;
  std::string m_strGroup;
  std::vector<std::string> m_made;
  CSetupData m_setup;
  CInstallLog m_log;
  CUnattendedFeedback m_feedback{m_log};
  InstallChoices m_choices{};
  CInstallPipeline m_pipeline{m_setup, m_feedback, m_choices};
};

TEST_F(ShortcutsTest, ProgramGroupLinkStartsTargetWithArgumentsInItsFolder)
{
  ShortcutEntry entry = Record("app.exe", "--fast \"two words\"", "Demo App");
  EXPECT_EQ(Hex(S_OK), Hex(Pipeline().CreateShortcut(&entry, m_strGroup.c_str())));

  std::string strLink = m_strGroup + "\\Demo App.lnk";
  EXPECT_EQ(strLink, entry.linkPath);
  ASSERT_TRUE(Made(strLink));
  LinkContents link = ReadLink(strLink);
  EXPECT_EQ(Hex(S_OK), Hex(link.hrLoad));
  EXPECT_EQ(m_strDest + "\\app.exe", link.strPath);
  EXPECT_EQ("--fast \"two words\"", link.strArguments);
  EXPECT_EQ(m_strDest, link.strWorkingDir);
  EXPECT_EQ("Demo App", link.strDescription);
}

TEST_F(ShortcutsTest, TargetInSubFolderWorksThereAndNoArgumentsReadBackEmpty)
{
  ShortcutEntry entry = Record("bin\\tool.exe", "", "Tool");
  EXPECT_EQ(Hex(S_OK), Hex(Pipeline().CreateShortcut(&entry, m_strGroup.c_str())));
  ASSERT_TRUE(Made(entry.linkPath));
  LinkContents link = ReadLink(entry.linkPath);
  EXPECT_EQ(m_strDest + "\\bin\\tool.exe", link.strPath);
  EXPECT_EQ(m_strDest + "\\bin", link.strWorkingDir);
  EXPECT_EQ("", link.strArguments);
}

TEST_F(ShortcutsTest, SameCaptionTwiceWritesOneFileRecordedTwiceSecondWins)
{
  ShortcutEntry entries[2] = {Record("app.exe", "first", "Same"), Record("bin\\tool.exe", "second", "Same")};
  for (ShortcutEntry& entry : entries)
    Pipeline().CreateShortcut(&entry, m_strGroup.c_str());

  EXPECT_EQ(m_strGroup + "\\Same.lnk", entries[0].linkPath);
  EXPECT_STREQ(entries[0].linkPath, entries[1].linkPath);
  ASSERT_TRUE(Made(entries[0].linkPath));
  LinkContents link = ReadLink(entries[0].linkPath);
  EXPECT_EQ(m_strDest + "\\bin\\tool.exe", link.strPath);
  EXPECT_EQ("second", link.strArguments);
}

TEST_F(ShortcutsTest, StartupAndDesktopListsGoToTheUsersFolders)
{
  for (const char* lpszValue : {"Startup", "Desktop"}) {
    std::string strFolder = ShellFolder(HKEY_CURRENT_USER, lpszValue);
    ASSERT_FALSE(strFolder.empty()) << lpszValue;
    std::string strCaption = std::string("Shortcuts Test ") + lpszValue + " " + std::to_string(::GetCurrentProcessId());
    ShortcutEntry entries[2] = {Record("app.exe", "", strCaption.c_str()),
                                Record("bin\\tool.exe", "-x", (strCaption + " 2").c_str())};
    Pipeline().CreateShortcutsIn(entries, 2, lpszValue);

    EXPECT_EQ(strFolder + "\\" + strCaption + ".lnk", entries[0].linkPath) << lpszValue;
    EXPECT_EQ(strFolder + "\\" + strCaption + " 2.lnk", entries[1].linkPath) << lpszValue;
    EXPECT_TRUE(Made(entries[0].linkPath)) << entries[0].linkPath;
    EXPECT_TRUE(Made(entries[1].linkPath)) << entries[1].linkPath;
    EXPECT_EQ("-x", ReadLink(entries[1].linkPath).strArguments);
  }
}

TEST_F(ShortcutsTest, MissingShellFolderMakesNoLinksAndEmptiesTheirPaths)
{
  ShortcutEntry entries[2] = {Record("app.exe", "", "Nowhere"), Record("app.exe", "", "Nowhere 2")};
  Pipeline().CreateShortcutsIn(entries, 2, "No Such Shell Folder");
  EXPECT_STREQ("", entries[0].linkPath);
  EXPECT_STREQ("", entries[1].linkPath);
  // Nothing may land in the current directory or a drive's root either.
  EXPECT_FALSE(Made("\\Nowhere.lnk"));
  EXPECT_FALSE(Made("Nowhere.lnk"));
}

TEST_F(ShortcutsTest, PathsBeyond259CharactersAreNeitherCreatedNorRecorded)
{
  // The group path plus this caption and ".lnk" is 260 characters or more.
  std::string strCaption(259 - m_strGroup.size() - 4, 'c');
  ShortcutEntry fits = Record("app.exe", "", strCaption.substr(1).c_str());
  EXPECT_EQ(Hex(S_OK), Hex(Pipeline().CreateShortcut(&fits, m_strGroup.c_str())));
  EXPECT_EQ(259u, strlen(fits.linkPath));
  EXPECT_TRUE(Made(fits.linkPath));

  ShortcutEntry longLink = Record("app.exe", "", strCaption.c_str());
  EXPECT_EQ(Hex(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)),
            Hex(Pipeline().CreateShortcut(&longLink, m_strGroup.c_str())));
  EXPECT_STREQ("", longLink.linkPath);

  std::string strTarget(260 - m_strDest.size() - 1, 't');
  ShortcutEntry longTarget = Record(strTarget.c_str(), "", "Long Target");
  EXPECT_EQ(Hex(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)),
            Hex(Pipeline().CreateShortcut(&longTarget, m_strGroup.c_str())));
  EXPECT_STREQ("", longTarget.linkPath);
  EXPECT_FALSE(Made(m_strGroup + "\\Long Target.lnk"));
  // Nor a link under a cut name: the group holds the one that fits.
  EXPECT_EQ(1, CountFiles(m_strGroup));
}

TEST_F(ShortcutsTest, LinkIntoMissingFolderFailsButIsStillRecorded)
{
  ShortcutEntry entry = Record("app.exe", "", "Lost");
  std::string strFolder = m_strGroup + "\\missing";
  HRESULT hr = Pipeline().CreateShortcut(&entry, strFolder.c_str());
  EXPECT_TRUE(FAILED(hr)) << Hex(hr);
  EXPECT_EQ(strFolder + "\\Lost.lnk", entry.linkPath);
  EXPECT_FALSE(Made(entry.linkPath));
}

// Values set for one test below HKCU's Shell Folders, deleted afterwards
// (none of them exists in a prefix).
class ShellFolderValueTest : public ::testing::Test
{
protected:
  void TearDown() override
  {
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
      return;
    for (const std::string& strName : m_set)
      ::RegDeleteValueA(hKey, strName.c_str());
    ::RegCloseKey(hKey);
  }

  // Stores nSize bytes of pData as a REG_SZ value, NUL or not.
  void SetValue(const char* lpszName, const void* pData, DWORD nSize)
  {
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &hKey));
    m_set.push_back(lpszName);
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, static_cast<const BYTE*>(pData), nSize));
    ::RegCloseKey(hKey);
  }

  std::vector<std::string> m_set;
};

TEST_F(ShellFolderValueTest, ReadsTheRealValuesOfBothRoots)
{
  CString strFolder;
  EXPECT_FALSE(GetShellFolder("Common Programs", strFolder, HKEY_LOCAL_MACHINE));
  EXPECT_EQ(ShellFolder(HKEY_LOCAL_MACHINE, "Common Programs"), strFolder);
  // Value names are not case-sensitive: the prefix stores "StartUp".
  EXPECT_FALSE(GetShellFolder("Startup", strFolder, HKEY_CURRENT_USER));
  EXPECT_EQ(ShellFolder(HKEY_CURRENT_USER, "StartUp"), strFolder);
}

// A folder longer than the shell's limit for links, or an empty one, is
// refused and leaves the output alone.
TEST_F(ShellFolderValueTest, UnreadableEmptyOrOverlongValuesLeaveTheOutputAlone)
{
  std::string strFull(260, 'F');
  SetValue("Shortcuts Test Full", strFull.data(), 260);  // 260 characters, stored without a NUL
  std::string strLonger(300, 'L');
  SetValue("Shortcuts Test Longer", strLonger.c_str(), 301);
  SetValue("Shortcuts Test Empty", "", 1);

  for (const char* lpszName :
       {"Shortcuts Test Full", "Shortcuts Test Longer", "Shortcuts Test Empty", "Shortcuts Test Missing"}) {
    CString strFolder(kSentinel);
    EXPECT_TRUE(GetShellFolder(lpszName, strFolder, HKEY_CURRENT_USER)) << lpszName;
    EXPECT_STREQ(kSentinel, strFolder) << lpszName;
  }
}

TEST_F(ShellFolderValueTest, ValuesWithoutNulAreTerminated)
{
  std::string strLongest(259, 'M');
  SetValue("Shortcuts Test Longest", strLongest.data(), 259);  // stored without its NUL
  SetValue("Shortcuts Test Short", "C:\\x", 4);

  CString strFolder;
  EXPECT_FALSE(GetShellFolder("Shortcuts Test Longest", strFolder, HKEY_CURRENT_USER));
  EXPECT_EQ(strLongest, strFolder);
  EXPECT_FALSE(GetShellFolder("Shortcuts Test Short", strFolder, HKEY_CURRENT_USER));
  EXPECT_STREQ("C:\\x", strFolder);
}

}  // namespace

// Fonts: a copy of an OpenType font whose names say "Zqxwvu" for "Nimbus",
// so that no font of the system answers to them and the font is there for
// this process only once it has been added; and a copy of a TrueType font
// without any full name. Both lie in a folder of their own, which is not
// the system's fonts folder, so the Fonts key lists them by full path.
class FontRegistrationTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    m_strFolder = std::string(szTemp) + "font test " + std::to_string(::GetCurrentProcessId());
    RemoveTree(m_strFolder);
    ASSERT_TRUE(::CreateDirectoryA(m_strFolder.c_str(), NULL)) << m_strFolder;
    std::string strOtf = Load("Z:\\usr\\share\\fonts\\opentype\\urw-base35\\NimbusSans-Regular.otf");
    ASSERT_FALSE(strOtf.empty()) << "fonts-urw-base35";
    Replace(strOtf, "Nimbus", "Zqxwvu");
    Replace(strOtf, std::string("\0N\0i\0m\0b\0u\0s", 12), std::string("\0Z\0q\0x\0w\0v\0u", 12));
    Save(m_strFolder + "\\zqx.otf", strOtf);
    // DejaVu's full names (name ID 4) made copyright notices (ID 0).
    std::string strTtf = Load("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf");
    ASSERT_FALSE(strTtf.empty()) << "fonts-dejavu-core";
    Replace(strTtf, std::string("\0\3\0\1\4\x09\0\4", 8), std::string("\0\3\0\1\4\x09\0\0", 8));
    Save(m_strFolder + "\\No Name Mono.ttf", strTtf);
    ASSERT_TRUE(m_journal.Begin(m_strFolder.c_str(), false, "font test"));
  }

  void TearDown() override
  {
    while (::RemoveFontResourceA((m_strFolder + "\\zqx.otf").c_str()))
      ;
    while (::RemoveFontResourceA((m_strFolder + "\\No Name Mono.ttf").c_str()))
      ;
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_SET_VALUE, &hKey) == ERROR_SUCCESS) {
      ::RegDeleteValueA(hKey, "ZqxwvuSans-Regular (OpenType)");
      ::RegDeleteValueA(hKey, "No Name Mono (TrueType)");
      ::RegCloseKey(hKey);
    }
    RemoveTree(m_strFolder);
  }

  static std::string Load(const std::string& strPath)
  {
    std::string strBytes;
    FILE* pFile = fopen(strPath.c_str(), "rb");
    if (!pFile)
      return strBytes;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
      strBytes.append(buffer, n);
    fclose(pFile);
    return strBytes;
  }

  static void Save(const std::string& strPath, const std::string& strBytes)
  {
    FILE* pFile = fopen(strPath.c_str(), "wb");
    ASSERT_NE(pFile, nullptr) << strPath;
    fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    fclose(pFile);
  }

  static void Replace(std::string& strBytes, const std::string& strFrom, const std::string& strTo)
  {
    int nCount = 0;
    for (size_t at = strBytes.find(strFrom); at != std::string::npos; at = strBytes.find(strFrom, at + 1), ++nCount)
      strBytes.replace(at, strFrom.size(), strTo);
    EXPECT_GT(nCount, 0);
  }

  // The face that a font asked for by that name gets in this process.
  static std::string FaceOf(const char* lpszFace)
  {
    HDC hdc = ::CreateCompatibleDC(NULL);
    HFONT hFont = ::CreateFontA(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, lpszFace);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    char szFace[LF_FACESIZE];
    strcpy(szFace, kSentinel);
    ::GetTextFaceA(hdc, sizeof(szFace), szFace);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hFont);
    ::DeleteDC(hdc);
    return szFace;
  }

  // Whether this process knows a font family of that name. Unlike a font
  // that is made and selected, this leaves nothing in the font cache.
  static bool Knows(const char* lpszFamily)
  {
    HDC hdc = ::CreateCompatibleDC(NULL);
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", lpszFamily);
    bool bFound = false;
    auto found = [](const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam) -> int {
      *reinterpret_cast<bool*>(lParam) = true;
      return 0;
    };
    ::EnumFontFamiliesExA(hdc, &lf, found, reinterpret_cast<LPARAM>(&bFound), 0);
    ::DeleteDC(hdc);
    return bFound;
  }

  static std::string Listed(const char* lpszValueName)
  {
    char szValue[2 * MAX_PATH];
    strcpy(szValue, kSentinel);
    DWORD nSize = sizeof(szValue);
    LONG nResult = ::RegGetValueA(HKEY_LOCAL_MACHINE, kFontsKey, lpszValueName, RRF_RT_REG_SZ, NULL, szValue, &nSize);
    return nResult == ERROR_SUCCESS ? szValue : "(error " + std::to_string(nResult) + ")";
  }

  static constexpr const char* kFontsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  std::string m_strFolder;
  CInstallLog m_log;
  CInstallJournal m_journal{m_log};
};

// Undone, the installation takes the resource and the value back.
TEST_F(FontRegistrationTest, AnAddedFontIsUsableAndListedByTheFullNameInItsNameTable)
{
  EXPECT_FALSE(Knows("Zqxwvu Sans"));
  EXPECT_TRUE(RegisterFont(m_journal, m_strFolder.c_str(), "zqx.otf", false));
  EXPECT_TRUE(Knows("Zqxwvu Sans"));
  EXPECT_EQ("Zqxwvu Sans", FaceOf("Zqxwvu Sans"));
  EXPECT_EQ(m_strFolder + "\\zqx.otf", Listed("ZqxwvuSans-Regular (OpenType)"));
  // Listed already: a font that was there before is left alone.
  EXPECT_FALSE(RegisterFont(m_journal, m_strFolder.c_str(), "zqx.otf", true));
  EXPECT_TRUE(m_journal.RollBack());
  EXPECT_EQ("(error 2)", Listed("ZqxwvuSans-Regular (OpenType)"));
  EXPECT_FALSE(Knows("Zqxwvu Sans"));
}

TEST_F(FontRegistrationTest, WithoutAFullNameTheFileTitleNamesTheFont)
{
  // Not listed yet: a font that was there before is listed and added.
  EXPECT_TRUE(RegisterFont(m_journal, m_strFolder.c_str(), "No Name Mono.ttf", true));
  EXPECT_EQ(m_strFolder + "\\No Name Mono.ttf", Listed("No Name Mono (TrueType)"));
  AnnounceFontChange();  // returns even with windows that do not answer
}
