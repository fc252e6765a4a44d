// Path helpers over Windows-style paths in UTF-8 (drive, directory with its
// trailing backslash, name, extension; the separators are ASCII, which no
// multi-byte sequence holds), and directory creation.
#pragma once
#include "framework/afx.h"

CString GetDirPart(const char* path);
CString GetTitlePart(const char* path);
CString GetNamePart(const char* path);
CString GetPathWithoutDrive(const char* path);
CString GetDrivePart(const char* path);
// A relative path with a ".." component (also "..." or ". ." forms, which
// Windows trims to ".."): joined to a directory it would leave it.
bool LeavesDirectory(const char* path);
bool IsRemovableDrive(const char* path);
// 1: a file, -1: a directory, 0: nothing there.
int32_t PathExists(const char* path);
bool IsExistingDirectory(const char* path);
// Makes the directory and its missing parents, from the root down.
bool MakeDirectoryPath(const char* path);
