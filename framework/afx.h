// The framework's portable classes in one include.
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
