// What the clean-up after an earlier installation of the same application
// decides for each name of the earlier record, apart from the deleting.
#pragma once
#include "setup/SetupData.h"

// What becomes of a file the earlier installation installed.
enum EarlierFileFate
{
  kEarlierFileKept,     // the new file table holds the same name: it was just extracted over
  kEarlierFileDeleted,  // the new installation does not bring it
  kEarlierFileRenamed,  // the new file table holds it in another case: the file just
                        // extracted over it keeps the earlier spelling and takes the new one
};

// Windows file names that differ only in the case of their letters name
// the same file.
bool SameFileName(const char* lpszA, const char* lpszB);

// The fate of the earlier installed name lpszName; for kEarlierFileRenamed
// *ppszNewName is the file table's spelling.
EarlierFileFate DecideEarlierFile(const CSetupData& setup, const char* lpszName, const char** ppszNewName);

// A generated file of the earlier installation stays when the new script
// lists it too, in any spelling: it is the application's own data.
bool KeepsEarlierGeneratedFile(const CSetupData& setup, const char* lpszName);
