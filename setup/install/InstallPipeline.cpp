#include "setup/install/InstallPipeline.h"

#include "common/RollbackJournal.h"
#include "framework/os/FileSystem.h"
#include "setup/SetupTexts.h"

CInstallPipeline::CInstallPipeline(CSetupData& setup, CInstallFeedback& feedback, const InstallChoices& choices)
    : m_setup(setup), m_feedback(feedback), m_log(feedback.Log()), m_choices(choices), m_journal(feedback.Log()),
      m_nPrepared(-1), m_bOwnsProgramGroup(choices.bMadeProgramGroup)
{}

const char* CInstallPipeline::Text(const SetupText& text) const
{
  return ::Text(text, m_setup.m_strLanguage, kEnglishOnlyForENG);
}

InstallOutcome CInstallPipeline::Run()
{
  // Nothing is changed that the journal could not undo.
  if (!BeginJournal()) {
    // Nothing was changed yet but the folders the choices made.
    m_log.Write("journal not written", JournalPath(m_choices.strDestDir));
    m_journal.Abandon();
    if (m_choices.bMadeProgramGroup)
      RemoveFolder(m_choices.strProgramGroup);
    if (m_choices.bMadeDestDir)
      RemoveFolder(m_choices.strDestDir);
    m_feedback.EndProgress();
    m_feedback.Tell(Text(kJournalNotWritten), kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
    return kInstallUndone;
  }

  // The files.
  const int32_t nStoppedAt = ExtractFiles();
  if (nStoppedAt != kAllExtracted) {
    m_log.Write("installation stopped at", m_setup.m_pFiles[nStoppedAt].name);
    return Undo();
  }

  CleanUpEarlierInstallation();

  CreateAllShortcuts();
  if (m_setup.m_nFonts != 0) {
    m_feedback.ShowStatus(Text(kInstallingFonts));
    InstallFonts();
  }

  // The record for the uninstaller, and the registration: without either
  // the installation could not be removed, so it is undone.
  if (!SaveUninstallData() || !RegisterUninstall())
    return Undo();

  m_journal.Finish();
  m_feedback.EndProgress();
  m_feedback.Tell(m_setup.m_strAppName + Text(kInstalledText), Text(kInstalledTitle), MB_OK | MB_ICONINFORMATION);
  return kInstallDone;
}

bool CInstallPipeline::BeginJournal()
{
  return m_journal.Begin(m_choices.strDestDir, m_choices.bMadeDestDir, m_setup.m_strAppName) &&
         (!m_choices.bMadeProgramGroup || m_journal.WillMakeFolder(m_choices.strProgramGroup));
}

InstallOutcome CInstallPipeline::Undo()
{
  m_feedback.ShowStatus(Text(kUndoing));
  const bool bUndone = m_journal.RollBack();
  m_feedback.EndProgress();
  CString strText;
  strText.Format(Text(bUndone ? kInstallUndoneText : kInstallNotUndoneText), static_cast<const char*>(m_setup.m_strAppName));
  m_feedback.Tell(strText, Text(kInstallUndoneTitle), MB_OK | (bUndone ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
  return bUndone ? kInstallUndone : kInstallNotUndone;
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
