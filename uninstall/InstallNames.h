// Which recorded names the uninstaller may touch.
#pragma once

// TRUE when a name from uninstall.dat stays inside the install directory:
// relative, without a drive or a stream (no ':'), no component that climbs
// out ("..", or dots and blanks that Windows reads as such), and not the
// install directory itself ("", ".", ".\").
bool IsInsideInstallation(const char* lpszName);
