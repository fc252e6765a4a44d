// Helpers of setup's core tests: the markers, built here without ever
// writing their text whole, and the archive zipped at build time.
#pragma once
#include <string>

std::string Marker(char chNumber);
// The bytes of the archive that Info-ZIP made for these tests.
std::string TestArchive();
