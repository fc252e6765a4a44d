// What the tool reads from a Windows program's headers: the machine it was
// built for and the version in its VERSIONINFO resource. Every offset is
// checked against the bytes at hand, and the resource tree is walked to its
// three fixed levels only: a damaged image reads as unknown, never beyond.
#pragma once
#include <stdint.h>
#include <string>
#include <string_view>

// The COFF header's machine field (0x14C i386, 0x8664 x64, ...); false when
// the bytes do not begin with the headers of a PE image.
bool ReadPeMachine(std::string_view image, uint16_t& nMachine);
// The file version of the first VERSIONINFO resource, "1.1.0" (a fourth part
// only when it is not 0); empty when there is none or it cannot be read.
std::string ReadPeFileVersion(std::string_view image);
