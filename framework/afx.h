// The framework's portable classes in one include.
//
// Failure convention: the file classes throw pointers to CFileException
// (CFile::Open instead reports through its result and the optional
// exception object it fills), which the catcher ends with Delete; BOOL
// results are TRUE on success, as in MFC. Strings and containers fail only
// for want of memory, which ends the program.
#pragma once
#include "framework/Platform.h"
#include "framework/String.h"
#include "framework/Object.h"
#include "framework/Exception.h"
#include "framework/Time.h"
#include "framework/File.h"
#include "framework/MemFile.h"
#include "framework/FileFind.h"
#include "framework/Collections.h"
