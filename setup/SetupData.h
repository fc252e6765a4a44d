// What setup knows: the script's values, the payload archive and the state
// the install sequence carries from step to step. Portable, so that the
// packaging tool and the native tests read installers exactly as setup does.
//
// Failure convention of setup's core (this, the script scanner and the
// uninstall data writer): a BOOL result means TRUE = failed, as the
// overlay loader has always reported (the message is in m_strError); a
// bool result is true when the thing asked about is there. The archive
// reader's exceptions are caught only by the overlay loader.
#pragma once
#include "framework/afx.h"
#include "setup/Records.h"
#include "setup/SourceFile.h"
#include "zip/ZipReader.h"

class CScriptText;

class CSetupData
{
public:
  CSetupData();
  virtual ~CSetupData();
  CSetupData(const CSetupData&) = delete;
  CSetupData& operator=(const CSetupData&) = delete;

  // Opens the installer file at lpszPath as m_sourceFile and loads its
  // overlay from it. FALSE on success; TRUE with the message in m_strError.
  BOOL LoadOverlayFrom(const char* lpszPath, CString& strAgreement);
  // Finds the two markers in the file, reads its head up to marker 2 into
  // m_pImage, takes the script into m_strScript and parses it (the
  // agreement block goes to strAgreement), and opens the archive over the
  // file itself, which must stay open while the archive is read: setup's
  // own file, or a memory file in the tests.
  BOOL LoadOverlayFrom(CFile& file, CString& strAgreement);
  // Parses a NUL-terminated script text into the fields, in setup's order.
  void ParseScript(const char* pszScript, CString& strAgreement);
  static BOOL ReadShortcutList(CScriptText& script, const char* lpszKey, ShortcutEntry*& pList, int32_t& nCount);
  // The file table: one row per archive entry, and m_nTotalSize. TRUE when
  // there is no memory for it.
  BOOL BuildFileTable();
  // Whether the file table, or the script's generated files, hold exactly
  // this name (byte-wise, case-sensitive).
  bool HasFile(const char* lpszName) const;
  bool HasGeneratedFile(const char* lpszName) const;

  // Finds marker 1 and, behind it, marker 2 in an installer image. On success
  // nScript is the offset just behind marker 1 and nArchive the one just
  // behind marker 2.
  static bool FindOverlay(const char* pImage, uint32_t nSize, uint32_t& nScript, uint32_t& nArchive);
  // The same search over a file, read from its start in chunks into
  // pBuffer: it reads no further than the chunk that holds marker 2.
  // Read failures are thrown.
  static bool FindOverlayIn(CFile& file, char* pBuffer, uint32_t nBufferSize, uint32_t& nScript, uint32_t& nArchive);
  // The markers as setup looks for them (built at run time, never stored).
  static void GetMarkers(char szMarker1[11], char szMarker2[11]);
  static const uint32_t kMarkerSize = 10;
  static const uint32_t kSearchChunk = 65536;

  CString m_strError;
  // The head of the installer file: program image, marker 1, the script
  // (NUL-terminated where marker 2 began) and marker 2. The archive behind
  // it is read from the file.
  char* m_pImage;
  uint32_t m_nImageSize;
  // The script as UTF-8, as it is parsed: behind a byte-order mark the
  // script is UTF-8 already; without one (installers made before names
  // were UTF-8) it is in the ANSI code page and converted.
  CString m_strScript;
  CString m_strAppName;
  CZipReader m_archive;
  CString m_strLanguage;
  FileEntry* m_pFiles;
  int32_t m_nFiles;
  ShortcutEntry* m_pShortcuts;
  ShortcutEntry* m_pStartupShortcuts;
  ShortcutEntry* m_pDesktopShortcuts;
  int32_t m_nShortcuts;
  int32_t m_nStartupShortcuts;
  int32_t m_nDesktopShortcuts;
  CSourceFile m_sourceFile;
  CString** m_ppGeneratedFiles;
  int32_t m_nGeneratedFiles;
  CString** m_ppFonts;
  int32_t m_nFonts;
  int32_t m_nTotalSize;
  CString m_strDefaultDest;
  // What the list of installed programs shows besides the name, each empty
  // unless the script gives it: #Version (dotted numbers), #Publisher,
  // #URL and #Icon (a payload file, or "file,index").
  CString m_strVersion;
  CString m_strPublisher;
  CString m_strURL;
  CString m_strIcon;
  // #Scope user: installed for the person who runs setup alone.
  bool m_bPerUserScript;
  // This run installs for the person alone (the script, or /CURRENTUSER;
  // see IsPerUserRun): setup sets it once the script is read.
  bool m_bPerUser;

private:
  void FreeScriptLists();
  void FreeImage();
};
