#include "tools/mkinstaller/ScriptCheck.h"

#include <string.h>
#include <algorithm>
#include <functional>
#include <vector>

#include "setup/ScriptText.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/MetadataKeys.h"
#include "tools/mkinstaller/WindowsNames.h"

namespace {
const char* const kSetupKeys[] = {"#AppName",        "#Shortcuts", "#StartupShortcuts", "#DesktopShortcuts",
                                  "#GeneratedFiles", "#Language",  "#InstallFonts",     "#DefaultDest",
                                  "#Agreement",      "#end"};
const char* const kShortcutKeys[] = {"#Shortcuts", "#StartupShortcuts", "#DesktopShortcuts"};

// The shell makes no link whose target or name (the caption) is longer.
const size_t kMaxLinkUnits = 259;

class CScriptChecker
{
public:
  CScriptChecker(const std::string& strPath, const std::string& strScript, const std::set<std::string>& setPayload)
      : m_strPath(strPath), m_strText(strScript), m_script(m_strText.c_str()), m_setPayload(setPayload)
  {}

  void Run()
  {
    CheckKeyLines();
    CheckAppName();
    for (const char* key : kShortcutKeys)
      CheckShortcutList(key);
    ForEachListLine("#InstallFonts", [&](const char* pLine, const CString& strLine) {
      if (!InPayload(strLine))
        Warn(Where(pLine), "font \"" + std::string(strLine) + "\" is not in the payload");
    });
    CheckLanguage();
    CheckAgreement();
    for (const char* key : kMetadataKeys)
      CheckMetadataValue(key);
  }

private:
  std::string Where(const char* p) const { return AtLine(m_strPath, 1 + (int)std::count(m_strText.c_str(), p, '\n')); }
  bool InPayload(const char* pszName) const
  {
    std::string strName(pszName);
    std::replace(strName.begin(), strName.end(), '/', '\\');
    return m_setPayload.count(CaseKey(strName)) != 0;
  }
  bool AtLineStart(const char* p) const { return p == m_strText.c_str() || p[-1] == '\n'; }

  // The lines of a list as setup walks them: from the line after the key's
  // line up to one that begins with '#' or the last line break.
  void ForEachListLine(const char* lpszKey, const std::function<void(const char*, const CString&)>& fn) const
  {
    const char* pStart = m_script.FindKeyContent(lpszKey);
    CString strLine;
    const char* pNext = m_script.ReadLine(pStart, strLine);
    while (pNext != NULL && strLine.GetAt(0) != '#') {
      fn(pStart, strLine);
      pStart = pNext;
      pNext = m_script.ReadLine(pStart, strLine);
    }
  }

  void CheckKeyLines() const
  {
    // setup's keys and the descriptive ones, which the tool reads.
    std::vector<const char*> keys(std::begin(kSetupKeys), std::end(kSetupKeys));
    keys.insert(keys.end(), std::begin(kMetadataKeys), std::end(kMetadataKeys));
    for (const char* p = m_strText.c_str(); *p; p = strchr(p, '\n') ? strchr(p, '\n') + 1 : p + strlen(p)) {
      if (*p != '#')
        continue;
      std::string strLine(p, strcspn(p, "\r\n"));
      if (std::none_of(keys.begin(), keys.end(), [&](const char* key) { return strLine == key; }))
        Warn(Where(p), "unknown key \"" + strLine + "\": setup ignores it, and it ends the section before it");
    }
    for (const char* key : keys) {
      if (strcmp(key, "#end") == 0)
        continue;
      const char* pFirst = strstr(m_strText.c_str(), key);
      if (pFirst == NULL)
        continue;
      size_t nKey = strlen(key);
      if (!AtLineStart(pFirst) || (pFirst[nKey] != '\r' && pFirst[nKey] != 0))
        Warn(Where(pFirst),
             std::string("setup finds \"") + key + "\" inside this line and reads its section from the next line");
      for (const char* p = strstr(pFirst + 1, key); p; p = strstr(p + 1, key))
        if (AtLineStart(p) && (p[nKey] == '\r' || p[nKey] == 0))
          Warn(Where(p), std::string("second \"") + key + "\" section: setup reads only the first");
    }
  }

  void CheckAppName() const
  {
    const char* pLine = m_script.FindKeyContent("#AppName");
    CString strName;
    if (m_script.ReadLine(pLine, strName) == NULL)
      Warn(m_strPath, "no application name (\"#AppName\" and a line after it): setup calls it \"Application\"");
  }

  void CheckShortcutList(const char* lpszKey) const
  {
    int nLine = 0;
    const char* pLastTarget = NULL;
    ForEachListLine(lpszKey, [&](const char* pLine, const CString& strLine) {
      if (strLine.IsEmpty())
        Warn(Where(pLine),
             std::string("empty line in the \"") + lpszKey + "\" list: setup takes it as a target or a caption");
      if (nLine++ % 2 == 1) {
        if (Utf16Length(std::string(strLine)) > kMaxLinkUnits)
          Refuse(Where(pLine), "shortcut caption longer than " + std::to_string(kMaxLinkUnits) +
                                   " UTF-16 units; the shell makes no link beyond that");
        pLastTarget = NULL;
        return;
      }
      pLastTarget = pLine;
      // Split as setup does: the arguments follow the first blank at or after the first '.'.
      std::string strTarget(strLine);
      size_t nDot = strTarget.find('.');
      size_t nBlank = nDot == std::string::npos ? std::string::npos : strTarget.find(' ', nDot);
      if (nBlank != std::string::npos)
        strTarget.erase(nBlank);
      if (Utf16Length(strTarget) > kMaxLinkUnits)
        Refuse(Where(pLine), "shortcut target longer than " + std::to_string(kMaxLinkUnits) +
                                 " UTF-16 units; the shell makes no link beyond that");
      if (!strTarget.empty() && !InPayload(strTarget.c_str()))
        Warn(Where(pLine), "shortcut target \"" + strTarget + "\" is not in the payload");
    });
    if (pLastTarget != NULL)
      Warn(Where(pLastTarget), "shortcut target without a caption line: setup ignores it");
  }

  void CheckLanguage() const
  {
    const char* pLine = m_script.FindKeyContent("#Language");
    CString strLanguage;
    if (m_script.ReadLine(pLine, strLanguage) != NULL && strLanguage != "ENG" && strLanguage != "GER")
      Warn(Where(pLine), "language \"" + std::string(strLanguage) +
                             "\" is neither ENG nor GER: setup shows German and English texts mixed");
  }

  void CheckAgreement() const
  {
    const char* pStart = m_script.FindKeyContent("#Agreement");
    if (pStart == NULL)
      return;
    const char* pEnd = strchr(pStart, '#');
    if (pEnd != NULL && !AtLineStart(pEnd))
      Warn(Where(pEnd), "the agreement text ends at the '#' in this line");
  }

  // A descriptive key's value: a line of its own, in its form; an icon file
  // from the payload.
  void CheckMetadataValue(const char* lpszKey) const
  {
    const char* pKey = strstr(m_strText.c_str(), lpszKey);
    size_t nKey = strlen(lpszKey);
    // Found inside another line, it was warned about (CheckKeyLines).
    if (pKey == NULL || !AtLineStart(pKey) || (pKey[nKey] != '\r' && pKey[nKey] != 0))
      return;
    const char* pLine = m_script.FindKeyContent(lpszKey);
    CString strLine;
    if (pLine == NULL || m_script.ReadLine(pLine, strLine) == NULL || strLine.GetAt(0) == '#')
      Refuse(Where(pKey), std::string("\"") + lpszKey + "\" needs its value on the line after it");
    std::string strValue(strLine);
    std::string strProblem = MetadataValueProblem(lpszKey, strValue);
    if (!strProblem.empty())
      Refuse(Where(pLine), strProblem);
    if (strcmp(lpszKey, "#Icon") == 0 && !InPayload(IconFile(std::string(strLine)).c_str()))
      Refuse(Where(pLine), "icon file \"" + IconFile(strValue) + "\" is not in the payload");
  }

  const std::string& m_strPath;
  const std::string& m_strText;
  CScriptText m_script;
  const std::set<std::string>& m_setPayload;
};
}  // namespace

void CheckScript(const std::string& strPath, const std::string& strScript, const std::set<std::string>& setPayload)
{
  CScriptChecker(strPath, strScript, setPayload).Run();
}
