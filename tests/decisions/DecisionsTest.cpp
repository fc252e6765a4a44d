// What setup decides apart from its windows, on wine's real file system and
// registry: the destination's checks, the program group's, the clean-up's
// rules for an earlier installation's names, and which language a text is
// shown in.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>

#include "framework/os/FileSystem.h"
#include "framework/os/ObjectArray.h"
#include "setup/SetupData.h"
#include "setup/SetupTexts.h"
#include "setup/decisions/CleanupRules.h"
#include "setup/decisions/DestinationChoice.h"
#include "setup/decisions/ProgramGroupChoice.h"
#include "tests/framework/TestDir.h"

namespace {

DestinationCheck Check(const std::string& strPath, const std::string& strPrevDir = "",
                       DestinationForm form = kDialogForm)
{
  return CheckDestination(strPath.c_str(), strPrevDir.c_str(), 1000, form);
}

TEST(Destination, FormAndLengthAreRefusedBeforeAnythingIsMade)
{
  TestDir dir;
  for (const char* pszPath : {"", "Tools", "\\Tools", "C"})
    EXPECT_EQ(kDestInvalidForm, Check(pszPath).verdict) << pszPath;
  const std::string strLong = dir.Path(std::string(260, 'x'));
  EXPECT_EQ(kDestTooLong, Check(strLong).verdict);
  EXPECT_FALSE(PathIsPresent(strLong.c_str()));
  // A drive-relative path names no folder of its own.
  EXPECT_EQ(kDestInvalidForm, Check("Q:Tools").verdict);
}

// /D= takes only an absolute path; what is taken is its normal form, which
// joins every name with one backslash (a root's too), as the uninstaller
// finds its own path.
TEST(Destination, UnattendedPathsAreAbsoluteAndEveryPathIsTakenInItsNormalForm)
{
  for (const char* pszPath :
       {"C:Tools", "C:", "Tools", "\\Tools", "\\\\server", "\\\\server\\", "\\\\?\\C:\\x", "\\\\.\\pipe\\x", "1:\\x"})
    EXPECT_EQ(kDestNotAbsolute, Check(pszPath, "", kAbsoluteForm).verdict) << pszPath;
  const struct
  {
    const char* pszPath;
    const char* pszNormal;
  } cases[] = {{"C:\\App\\", "C:\\App"},
               {"C:/App//Sub/", "C:\\App\\Sub"},
               {"C:\\", "C:"},
               {"C:", "C:"},
               {"\\\\server\\share\\", "\\\\server\\share"},
               {"//server/share//App/", "\\\\server\\share\\App"}};
  for (const auto& c : cases)
    EXPECT_STREQ(c.pszNormal, NormalizeDestination(c.pszPath)) << c.pszPath;

  TestDir dir;
  const DestinationCheck trailing = Check(dir.Path("App") + "\\\\", "", kAbsoluteForm);
  EXPECT_EQ(kDestAccepted, trailing.verdict);
  EXPECT_EQ(dir.Path("App"), static_cast<const char*>(trailing.strPath));
  // The earlier installation's folder, registered with a backslash at its
  // end by an earlier release, is still its own.
  EXPECT_EQ(kDestAccepted, Check(dir.Path("App") + "/", dir.Path("App") + "\\").verdict);
}

TEST(Destination, MissingParentsAreMadeAndTheFolderCountsAsMade)
{
  TestDir dir;
  const std::string strLeaf = dir.Path("Apps\\Sub\\Leaf");
  const DestinationCheck check = Check(strLeaf);
  EXPECT_EQ(kDestAccepted, check.verdict);
  EXPECT_TRUE(check.bMade);
  EXPECT_TRUE(IsFolder(strLeaf.c_str()));
  // A trailing backslash makes the last level too.
  const std::string strTrailing = dir.Path("Other\\Leaf\\");
  EXPECT_EQ(kDestAccepted, Check(strTrailing).verdict);
  EXPECT_TRUE(IsFolder(dir.Path("Other\\Leaf").c_str()));
}

TEST(Destination, WhatIsThereDecidesBetweenQuestionRefusalAndAcceptance)
{
  TestDir dir;
  const std::string strFolder = dir.Path("Existing");
  ASSERT_EQ(kFolderMade, MakeFolder(strFolder.c_str()));
  const DestinationCheck asked = Check(strFolder);
  EXPECT_EQ(kDestExists, asked.verdict);
  EXPECT_FALSE(asked.bMade);
  // The earlier installation's own folder needs no question, spelt alike.
  EXPECT_EQ(kDestAccepted, Check(strFolder, strFolder).verdict);
  EXPECT_EQ(kDestExists, Check(dir.Path("EXISTING"), strFolder).verdict);

  const std::string strFile = dir.Path("file.txt");
  TestDir::WriteFile(strFile, "x");
  EXPECT_EQ(kDestFileExists, Check(strFile).verdict);
  EXPECT_EQ(kDestCannotCreate, Check(strFile + "\\sub").verdict);
}

TEST(Destination, RefusalsReadAsTheDialogShowsThem)
{
  UINT nIcon = 0;
  const DestinationCheck noSpace = {kDestNoSpace, false, 5, CString("d:\\apps")};
  EXPECT_EQ(std::string("Not enough disk space.\nLeave Setup and free at least 5 KB on drive D:\n"
                        "or choose a different drive."),
            static_cast<const char*>(DescribeDestinationRefusal(noSpace, nIcon)));
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), nIcon);
  const DestinationCheck form = {kDestInvalidForm, false, -1, CString()};
  EXPECT_EQ(std::string(kInvalidForm), static_cast<const char*>(DescribeDestinationRefusal(form, nIcon)));
  EXPECT_EQ(0u, nIcon);
}

// The program group: one level below the Programs folder, never outside it.
class ProgramGroup : public ::testing::Test
{
protected:
  GroupVerdict Create(const char* pszTyped)
  {
    return CreateProgramGroup(m_strPrograms.c_str(), pszTyped, m_strFolder, m_bMade);
  }

  TestDir m_dir;
  const std::string m_strPrograms = m_dir.Root();
  CString m_strFolder;
  bool m_bMade = false;
};

TEST_F(ProgramGroup, NamesThatLeaveTheStartMenuOrNameNothingAreRefused)
{
  for (const char* pszName : {"", ".", "..", "..\\Other", "C:\\Other", "a\\..\\..\\b"})
    EXPECT_EQ(kGroupNotInStartMenu, Create(pszName)) << pszName;
  EXPECT_EQ(kGroupNoProgramsFolder, CreateProgramGroup("", "App", m_strFolder, m_bMade));
  EXPECT_EQ(kGroupTooLong, Create(std::string(250, 'g').c_str()));
}

TEST_F(ProgramGroup, OnlyOneLevelIsMadeAndAnExistingFolderIsReused)
{
  EXPECT_EQ(kGroupPathNotFound, Create("Tools\\Quillwork"));
  EXPECT_FALSE(PathIsPresent(m_dir.Path("Tools").c_str()));

  EXPECT_EQ(kGroupAccepted, Create("Tools"));
  EXPECT_EQ(m_dir.Path("Tools"), static_cast<const char*>(m_strFolder));
  EXPECT_TRUE(m_bMade);
  EXPECT_EQ(kGroupAccepted, Create("Tools\\Quillwork"));
  EXPECT_TRUE(IsFolder(m_dir.Path("Tools\\Quillwork").c_str()));
  EXPECT_EQ(kGroupAccepted, Create("Tools")) << "an existing folder is reused";
  EXPECT_FALSE(m_bMade) << "and was not made";

  TestDir::WriteFile(m_dir.Path("Taken"), "x");
  EXPECT_EQ(kGroupFileExists, Create("Taken"));
}

// A file table and generated files as setup has them after loading.
class CleanupRules : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const char* kNames[] = {"App.exe", "data\\Table.dat"};
    m_setup.m_pFiles = NewObjectArray<FileEntry>(2);
    for (int i = 0; i < 2; ++i)
      m_setup.m_pFiles[i].name = kNames[i];
    m_setup.m_nFiles = 2;
    CString strAgreement;
    m_setup.ParseScript("#AppName\r\nApp\r\n#GeneratedFiles\r\napp.ini\r\n#end", strAgreement);
  }
  CSetupData m_setup;
};

TEST_F(CleanupRules, EarlierFilesAreKeptRespeltOrDeleted)
{
  const char* pszNew = NULL;
  EXPECT_EQ(kEarlierFileKept, DecideEarlierFile(m_setup, "App.exe", &pszNew));
  // Extracted over under its earlier spelling: deleting it would lose the new file.
  EXPECT_EQ(kEarlierFileRenamed, DecideEarlierFile(m_setup, "DATA\\table.DAT", &pszNew));
  EXPECT_STREQ("data\\Table.dat", pszNew);
  EXPECT_EQ(kEarlierFileDeleted, DecideEarlierFile(m_setup, "old.txt", &pszNew));
  EXPECT_EQ(kEarlierFileDeleted, DecideEarlierFile(m_setup, "App.exe.bak", &pszNew));
}

TEST_F(CleanupRules, GeneratedFilesTheNewScriptListsInAnySpellingStay)
{
  EXPECT_TRUE(KeepsEarlierGeneratedFile(m_setup, "app.ini"));
  EXPECT_TRUE(KeepsEarlierGeneratedFile(m_setup, "APP.INI"));
  EXPECT_FALSE(KeepsEarlierGeneratedFile(m_setup, "app.log"));
}

// The sequence and the destination and start-menu dialogs are English only
// for "ENG"; the agreement and progress dialogs German only for "GER".
TEST(LanguageRule, EachRuleHasItsOneExactCode)
{
  const struct
  {
    const char* pszCode;
    bool bGermanSequence, bGermanAgreement;
  } cases[] = {{"ENG", false, false}, {"GER", true, true},  {"FRA", true, false},
               {"eng", true, false},  {"ger", true, false}, {"", true, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.bGermanSequence, IsGerman(c.pszCode, kEnglishOnlyForENG)) << c.pszCode;
    EXPECT_EQ(c.bGermanAgreement, IsGerman(c.pszCode, kGermanOnlyForGER)) << c.pszCode;
  }
  EXPECT_STREQ(kInstalledTitle.pszGerman, Text(kInstalledTitle, "FRA", kEnglishOnlyForENG));
  EXPECT_STREQ(kAgreementQuestion.pszEnglish, Text(kAgreementQuestion, "FRA", kGermanOnlyForGER));
}

// Why an entry could not be installed reads as what happened, in the
// sequence's language: each cause the reader and the file layer raise.
TEST(CauseTexts, ReadAsWhatHappened)
{
  EXPECT_STREQ("its data is damaged (the checksum does not match)",
               DescribeZipCause(CZipException::checksumMismatch, "ENG"));
  EXPECT_STREQ(kCauseUnpacking.pszEnglish, DescribeZipCause(CZipException::inflateDataError, "ENG"));
  EXPECT_STREQ(kCauseDamaged.pszGerman, DescribeZipCause(CZipException::corruptArchive, "GER"));
  EXPECT_STREQ("the file is in use by another program", DescribeFileCause(CFileException::sharingViolation, 32, "ENG"));
  EXPECT_STREQ("There is not enough space on the disk", DescribeFileCause(CFileException::diskFull, 112, "ENG"));
  EXPECT_STREQ("the file cannot be written (error 1117)",
               DescribeFileCause(CFileException::genericException, 1117, "ENG"));
  // The installer itself failing to read is no failure to write; an entry
  // whose data ends early is damage, not a matter of its attributes.
  EXPECT_STREQ("das Installationsprogramm konnte nicht gelesen werden",
               DescribeZipCause(CZipException::archiveReadError, "GER"));
  EXPECT_STREQ("its data ends before its recorded size (the installation file is damaged)",
               DescribeFalseResult(ZIP_CLOSE_NOT_READ_TO_END, "ENG"));
  EXPECT_STREQ(kCauseAttributes.pszEnglish, DescribeFalseResult(ZIP_CLOSE_ATTRIBUTES_FAILED, "ENG"));
}

}  // namespace
