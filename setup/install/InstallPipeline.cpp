#include "setup/install/InstallPipeline.h"

#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"

CInstallPipeline::CInstallPipeline(CSetupData& setup, CInstallFeedback& feedback, const InstallChoices& choices)
    : m_setup(setup), m_feedback(feedback), m_log(feedback.Log()), m_choices(choices),
      m_bOwnsProgramGroup(choices.bMadeProgramGroup)
{}

const char* CInstallPipeline::Text(const SetupText& text) const
{
  return ::Text(text, m_setup.m_strLanguage, kEnglishOnlyForENG);
}

InstallOutcome CInstallPipeline::Run()
{
  // The files.
  const int32_t nStoppedAt = ExtractFiles();
  if (nStoppedAt != kAllExtracted) {
    m_log.Write("installation stopped at", m_setup.m_pFiles[nStoppedAt].name);
    RecordStoppedInstallation(nStoppedAt);
    m_feedback.EndProgress();
    return kInstallStopped;
  }

  CleanUpEarlierInstallation();

  CreateAllShortcuts();
  if (m_setup.m_nFonts != 0) {
    m_feedback.ShowStatus(Text(kInstallingFonts));
    InstallFonts();
  }

  // The record for the uninstaller, and the registration. Without the
  // record the uninstaller could not work: it is not registered then.
  const bool bRemovable = SaveUninstallData() && RegisterUninstall();

  // Done; the person learns when the program cannot be removed.
  m_feedback.EndProgress();
  CString strText = m_setup.m_strAppName + Text(kInstalledText);
  if (!bRemovable)
    strText += Text(kNotRemovable);
  m_feedback.Tell(strText, Text(kInstalledTitle), MB_OK | MB_ICONINFORMATION);
  return bRemovable ? kInstallDone : kInstallNotRemovable;
}

// Every entry, in archive order, while the feedback names it and counts its
// size. An entry that fails is never passed over: the person sees why and
// can try again or stop.
int32_t CInstallPipeline::ExtractFiles()
{
  for (int32_t j = 0; j < m_setup.m_nFiles; ++j) {
    const FileEntry& entry = m_setup.m_pFiles[j];
    m_feedback.ShowEntry(entry.name);
    CString strCause;
    while (!ExtractEntry(j, strCause)) {
      CString strText;
      strText.Format(Text(kExtractFailed), static_cast<const char*>(entry.name), static_cast<const char*>(strCause));
      if (!m_feedback.AskRetry(strText))
        return j;
    }
    m_feedback.EntryDone(entry.name, entry.size);
  }
  return kAllExtracted;
}
