#pragma once

#include "framework/CFileError.h"
#include "framework/CUserMessage.h"

// What the user reads when a map file cannot be opened or saved.
CUserMessage DescribeReadFailure(const CFileError& error);
CUserMessage DescribeSaveFailure(const CFileError& error);
