// Small path operations shared by the destination and start-menu dialogs:
// a look at what already stands at a path, and the creation of its parents.
#pragma once

// The longest path the dialogs accept, in characters: the shell's limit,
// within which the links into the destination and the program group must
// stay.
const int kMaxPathChars = 259;

enum PathKind
{
  kPathUnknown,  // nothing there, or it cannot be examined
  kPathDirectory,
  kPathFile,
};

// What stands at pszPath, by its attributes (a drive root and a trailing
// backslash included). A name with wildcards is never examined.
PathKind ExaminePath(const char* pszPath);

// Creates every ancestor of pszPath, outermost first: the text before each
// backslash that is not the last character, from the nSkip-th character on
// (behind a root that is there or not, such as a share's "\\server\share\").
// Failures are ignored, so the bare drive ("D:") and existing folders pass
// harmlessly.
void CreateParentFolders(const char* pszPath, int nSkip = 0);
