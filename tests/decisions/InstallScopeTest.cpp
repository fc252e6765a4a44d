// Whom an installation is for, whether it needs administrator rights, and
// which versions may replace which: every case of each decision.
#include <gtest/gtest.h>

#include "common/CommandLine.h"
#include "setup/decisions/InstallScope.h"

namespace {

TEST(InstallScope, TheCommandLineOverrulesTheScript)
{
  EXPECT_FALSE(IsPerUserRun(0, false));
  EXPECT_TRUE(IsPerUserRun(0, true));
  EXPECT_TRUE(IsPerUserRun(OPT_CURRENTUSER, false));
  EXPECT_TRUE(IsPerUserRun(OPT_CURRENTUSER | OPT_SILENT, true));
  EXPECT_FALSE(IsPerUserRun(OPT_ALLUSERS, true));
  EXPECT_FALSE(IsPerUserRun(OPT_ALLUSERS | OPT_SILENT, false));
}

TEST(InstallScope, OnlyAnUnelevatedPerMachineRunStartsItselfAgain)
{
  struct
  {
    bool bPerUser, bElevated, bStartedElevated, bNeeds;
  } const kCases[] = {
      {false, false, false, true},  // per machine, no rights: ask for them
      {false, true, false, false},  // per machine, elevated already
      {false, false, true, false},  // asked once, not given: no second start
      {false, true, true, false},   // the elevated second start
      {true, false, false, false},  // per user needs no rights
      {true, true, false, false},   // per user, run elevated anyway
      {true, false, true, false},  {true, true, true, false},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.bNeeds, NeedsElevation(c.bPerUser, c.bElevated, c.bStartedElevated))
        << c.bPerUser << c.bElevated << c.bStartedElevated;
}

TEST(InstallScope, APerUserDestinationLiesInTheProfileFolder)
{
  const char* pszProfile = "C:\\users\\Ann";
  EXPECT_TRUE(IsPerUserDestination("C:\\users\\Ann\\AppData\\Local\\Programs\\Tool", pszProfile));
  EXPECT_TRUE(IsPerUserDestination("c:\\USERS\\ann\\Tool", pszProfile));
  EXPECT_TRUE(IsPerUserDestination("C:\\users\\Ann", pszProfile));
  EXPECT_TRUE(IsPerUserDestination("C:\\users\\Ann\\x", "C:\\users\\Ann\\"));
  EXPECT_FALSE(IsPerUserDestination("C:\\users\\Anna\\Tool", pszProfile));
  EXPECT_FALSE(IsPerUserDestination("C:\\Program Files\\Tool", pszProfile));
  EXPECT_FALSE(IsPerUserDestination("C:\\users", pszProfile));
  // Without a profile folder nothing is the person's own.
  EXPECT_FALSE(IsPerUserDestination("C:\\Tool", ""));
}

TEST(InstallScope, VersionsCompareByTheirNumbers)
{
  for (const char* pszVersion : {"1", "1.0", "2.10.3", "1.2.3.4", "0.0", "4294967295"})
    EXPECT_TRUE(IsVersionText(pszVersion)) << pszVersion;
  for (const char* pszVersion : {"", "1.", ".1", "1..2", "1.2.3.4.5", "v1.0", "1.0-beta", "1 .0", "4294967296"})
    EXPECT_FALSE(IsVersionText(pszVersion)) << pszVersion;

  struct
  {
    const char *pszNew, *pszInstalled;
    bool bDowngrade;
  } const kCases[] = {
      {"1.0", "1.1", true},   {"1.1", "1.0", false},     {"1.0", "1.0", false},    {"1.9", "1.10", true},
      {"1.10", "1.9", false}, {"1.2", "1.2.0.0", false}, {"1.2", "1.2.0.1", true}, {"2", "1.99.99", false},
      {"1.0", "", false},     {"", "2.0", false},        {"1.0", "beta", false},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(c.bDowngrade, IsDowngrade(c.pszNew, c.pszInstalled)) << c.pszNew << " over " << c.pszInstalled;
}

}  // namespace
