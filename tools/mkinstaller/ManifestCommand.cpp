// mkinstaller manifest: the winget manifest set (schema 1.6.0) of a built
// installer: the version, installer and default-locale files. The values
// come from the installer's script as setup reads it, its PE header and its
// SHA-256; the limits are the schemas'.
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include "InstallerVersion.h"
#include "tools/mkinstaller/Commands.h"
#include "tools/mkinstaller/Diagnostics.h"
#include "tools/mkinstaller/InstallerFile.h"
#include "tools/mkinstaller/MetadataKeys.h"
#include "tools/mkinstaller/PeImage.h"
#include "tools/mkinstaller/Sha256.h"
#include "tools/mkinstaller/YamlText.h"

namespace {
const char kManifestVersion[] = "1.6.0";
const char kLocale[] = "en-US";
const char kDefaultLicense[] = "Proprietary";

// setup's exit codes under /S (0 is success, which the schema leaves
// implicit) and the closest response the schema allows.
const struct
{
  int nCode;
  const char* pszResponse;
} kExitResponses[] = {
    {1, "fileInUse"},         // an entry could not be written, mostly a file in use; rolled back
    {2, "invalidParameter"},  // a command line not understood, or a log that cannot be written
    {3, "invalidParameter"},  // the destination (/D=) or program group refused
    {4, "contactSupport"},    // the installer damaged, or out of memory
    {5, "contactSupport"},    // failed, and not rolled back completely
    {6, "downgrade"},         // a newer version installed (/ALLOWDOWNGRADE permits it)
    {7, "cancelledByUser"},   // elevation refused
};

const struct
{
  uint16_t nMachine;
  const char* pszArchitecture;
} kArchitectures[] = {{0x14C, "x86"}, {0x8664, "x64"}, {0x1C4, "arm"}, {0xAA64, "arm64"}};

// The package identifier's form: 2 to 8 dot-separated parts of 1 to 32
// characters, without blanks, controls or characters Windows file names lack.
bool IsPackageIdentifier(const std::string& strId)
{
  if (strId.size() > 128)
    return false;
  size_t nParts = 0, nStart = 0;
  for (;;) {
    size_t nEnd = strId.find('.', nStart);
    std::string strPart = strId.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
    if (strPart.empty() || Utf8Length(strPart) > 32)
      return false;
    for (unsigned char c : strPart)
      if (c <= ' ' || strchr("\\/:*?\"<>|", c) != NULL)
        return false;
    ++nParts;
    if (nEnd == std::string::npos)
      return nParts >= 2 && nParts <= 8;
    nStart = nEnd + 1;
  }
}

class CManifestWriter
{
public:
  CManifestWriter(const CManifestOptions& options) : m_options(options) {}

  int Run()
  {
    CheckOptions();
    ReadScript();
    ReadArchitecture();
    m_strSha256 = HashFile(m_options.m_strInstaller);
    MakeFolder();
    Write(m_options.m_strId + ".yaml", "version", VersionBody());
    Write(m_options.m_strId + ".installer.yaml", "installer", InstallerBody());
    Write(m_options.m_strId + ".locale." + kLocale + ".yaml", "defaultLocale", LocaleBody());
    printf("%s: manifests for %s %s written to %s\n", m_options.m_strInstaller.c_str(), m_options.m_strId.c_str(),
           m_meta.m_strVersion.c_str(), m_options.m_strOutputDir.c_str());
    return 0;
  }

private:
  void CheckOptions() const
  {
    if (!IsPackageIdentifier(m_options.m_strId))
      Refuse("--id", "\"" + m_options.m_strId +
                         "\" is not a package identifier (Publisher.Name: 2 to 8 parts of 1 to 32 characters, "
                         "no blanks or \\/:*?\"<>|)");
    Require("--url", MetadataValueProblem("#URL", m_options.m_strUrl));
    Require("--url", m_options.m_strUrl.size() > 2048 ? "longer than 2048 characters" : "");
  }

  // The values from the script as setup holds it, within the schemas' limits.
  void ReadScript()
  {
    const std::string& strInstaller = m_options.m_strInstaller;
    CSetupData data;
    CString strAgreement;
    LoadInstaller(data, strAgreement, strInstaller);
    m_strAppName = std::string(data.m_strAppName, (size_t)data.m_strAppName.GetLength());
    m_meta = ReadScriptMetadata(LoadedScript(data));
    if (m_meta.m_strVersion.empty())
      Refuse(strInstaller, "its script has no #Version: the manifest's PackageVersion comes from it");
    if (m_meta.m_strPublisher.empty())
      Refuse(strInstaller, "its script has no #Publisher: the manifest's Publisher comes from it");
    for (const char* key : kMetadataKeys)
      if (!Value(key).empty())
        Require(strInstaller + ": " + key, MetadataValueProblem(key, Value(key)));
    Require(strInstaller + ": #AppName", LengthProblem(m_strAppName, 2, 255));
    Require(strInstaller + ": #Publisher", LengthProblem(m_meta.m_strPublisher, 2, 256));
    m_strLicense = m_options.m_strLicense.empty() ? kDefaultLicense : m_options.m_strLicense;
    Require("--license", LengthProblem(m_strLicense, 3, 512));
    m_strDescription = m_options.m_strShortDescription;
    if (m_strDescription.empty())
      m_strDescription = Utf8Length(m_strAppName) <= 244 ? m_strAppName + " for Windows" : m_strAppName;
    Require("--short-description", LengthProblem(m_strDescription, 3, 256));
  }

  void ReadArchitecture()
  {
    const std::string& strInstaller = m_options.m_strInstaller;
    uint16_t nMachine = 0;
    if (!ReadPeMachine(ReadFileHead(strInstaller, 65536), nMachine))
      Refuse(strInstaller, "not a Windows program: no PE header, so no architecture for the manifest");
    for (const auto& arch : kArchitectures)
      if (arch.nMachine == nMachine)
        m_strArchitecture = arch.pszArchitecture;
    if (m_strArchitecture.empty()) {
      char szMachine[8];
      snprintf(szMachine, sizeof(szMachine), "0x%04X", nMachine);
      Refuse(strInstaller, std::string("built for machine ") + szMachine + ", which a manifest cannot name");
    }
  }

  const std::string& Value(const std::string& strKey) const
  {
    return strKey == "#Version"     ? m_meta.m_strVersion
           : strKey == "#Publisher" ? m_meta.m_strPublisher
           : strKey == "#URL"       ? m_meta.m_strUrl
           : strKey == "#Icon"      ? m_meta.m_strIcon
                                    : m_meta.m_strScope;
  }

  static void Require(const std::string& strWhere, const std::string& strProblem)
  {
    if (!strProblem.empty())
      Refuse(strWhere, strProblem);
  }

  static std::string LengthProblem(const std::string& strText, size_t nMin, size_t nMax)
  {
    std::string strQuoted;
    if (!YamlQuoted(strText, strQuoted))
      return "not valid UTF-8";
    size_t n = Utf8Length(strText);
    if (n < nMin || n > nMax)
      return "\"" + strText + "\": a manifest takes " + std::to_string(nMin) + " to " + std::to_string(nMax) +
             " characters, not " + std::to_string(n);
    return std::string();
  }

  static std::string HashFile(const std::string& strPath)
  {
    FILE* pFile = fopen(strPath.c_str(), "rb");
    if (pFile == NULL)
      Refuse(strPath, std::string("cannot be read: ") + strerror(errno));
    CSha256 sha;
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), pFile)) > 0)
      sha.Update(buf, n);
    bool bFailed = ferror(pFile) != 0;
    fclose(pFile);
    if (bFailed)
      Refuse(strPath, "read error");
    return sha.FinishHex();
  }

  void MakeFolder() const
  {
    const std::string& strDir = m_options.m_strOutputDir;
    mkdir(strDir.c_str(), 0777);
    struct stat st;
    if (stat(strDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
      Refuse(strDir, "not a folder and cannot be made");
  }

  // "Key: value" with the value double-quoted; the texts were checked.
  static std::string Text(const std::string& strIndent, const char* pszKey, const std::string& strValue)
  {
    std::string strQuoted;
    YamlQuoted(strValue, strQuoted);
    return strIndent + pszKey + ": " + strQuoted + "\n";
  }

  std::string Head() const
  {
    return Text("", "PackageIdentifier", m_options.m_strId) + Text("", "PackageVersion", m_meta.m_strVersion);
  }

  std::string VersionBody() const { return Head() + "DefaultLocale: " + kLocale + "\n"; }

  std::string InstallerBody() const
  {
    std::string s = Head();
    s += "InstallerType: exe\n";
    s += std::string("Scope: ") + (m_meta.m_strScope.empty() ? "machine" : m_meta.m_strScope.c_str()) + "\n";
    s += "InstallModes:\n- interactive\n- silent\n- silentWithProgress\n";
    s += "InstallerSwitches:\n  Silent: /S\n  SilentWithProgress: /S\n";
    s += "  InstallLocation: /D=<INSTALLPATH>\n  Log: /LOG=<LOGPATH>\n";
    s += "ExpectedReturnCodes:\n";
    for (const auto& exit : kExitResponses)
      s += "- InstallerReturnCode: " + std::to_string(exit.nCode) + "\n  ReturnResponse: " + exit.pszResponse + "\n";
    // The Uninstall key setup writes is named after the application.
    s += Text("", "ProductCode", m_strAppName);
    s += "AppsAndFeaturesEntries:\n" + Text("- ", "DisplayName", m_strAppName) +
         Text("  ", "Publisher", m_meta.m_strPublisher) + Text("  ", "DisplayVersion", m_meta.m_strVersion);
    s += "Installers:\n- Architecture: " + m_strArchitecture + "\n" + Text("  ", "InstallerUrl", m_options.m_strUrl) +
         "  InstallerSha256: " + m_strSha256 + "\n";
    return s;
  }

  std::string LocaleBody() const
  {
    std::string s = Head() + "PackageLocale: " + kLocale + "\n";
    s += Text("", "Publisher", m_meta.m_strPublisher) + Text("", "PackageName", m_strAppName);
    if (!m_meta.m_strUrl.empty())
      s += Text("", "PackageUrl", m_meta.m_strUrl);
    s += Text("", "License", m_strLicense) + Text("", "ShortDescription", m_strDescription);
    return s;
  }

  // The comment lines winget-create writes, the body, the manifest's type.
  void Write(const std::string& strName, const char* pszType, const std::string& strBody) const
  {
    std::string strText = std::string("# Created with mkinstaller ") + INSTALLER_VERSION_TEXT + "\n" +
                          "# yaml-language-server: $schema=https://aka.ms/winget-manifest." + pszType + "." +
                          kManifestVersion + ".schema.json\n\n" + strBody + "ManifestType: " + pszType +
                          "\nManifestVersion: " + kManifestVersion + "\n";
    std::string strPath = m_options.m_strOutputDir + "/" + strName;
    FILE* pFile = fopen(strPath.c_str(), "wb");
    if (pFile == NULL)
      Refuse(strPath, std::string("cannot be written: ") + strerror(errno));
    bool bWritten = fwrite(strText.data(), 1, strText.size(), pFile) == strText.size();
    if (fclose(pFile) != 0 || !bWritten)
      Refuse(strPath, "cannot be written");
  }

  const CManifestOptions& m_options;
  CScriptMetadata m_meta;
  std::string m_strAppName, m_strLicense, m_strDescription, m_strArchitecture, m_strSha256;
};
}  // namespace

int RunManifest(const CManifestOptions& options) { return CManifestWriter(options).Run(); }
