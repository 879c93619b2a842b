#pragma once

#include <string>
#include <vector>

class CEntityDefinitions;

// Reads the definition files in order and prints their problems to standard
// error as FILE:LINE: message (a file that cannot be read: the message alone,
// which names it), the first CDefinitionProblems::kMaxListed of them and then
// how many more there were. How it went, as an exit status: 0 without a problem, 1
// with some, 2 when a file could not be read.
int ReadDefinitionFiles(const std::vector<std::string>& files, CEntityDefinitions& definitions);

// Whether an argument names a definition file by its extension: .fgd, .def or .qc.
bool IsDefinitionFileName(const std::string& name);
