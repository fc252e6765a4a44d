// When a program of the installation starts itself again with
// administrator rights: setup for a per-machine installation, the
// uninstaller for one registered below HKEY_LOCAL_MACHINE. Both write
// machine-wide only then, so a per-user run never asks.
#pragma once

// bStartedElevated: this is that second start, which goes on with what it
// was given rather than asking again.
inline bool NeedsElevation(bool bPerUser, bool bElevated, bool bStartedElevated)
{
  return !bPerUser && !bElevated && !bStartedElevated;
}
