// Reading and writing diagram files for the commands, with the messages they print.
#pragma once

#include "model/shem.h"

#include <string>
#include <vector>

namespace blstool {

// Prints "blstool: <message>" on stderr.
void Fail(const std::string& message);

// Reads a whole file; false (with a message printed) when it cannot be read.
bool ReadFile(const std::string& path, std::vector<uint8_t>& data);
// Writes atomically: the old file stays intact unless the new one is complete
// and synced.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& data);
// Saves a diagram atomically; a diagram of more entries than a file can hold
// is refused. Returns Ok, or InvalidInput after printing why.
int SaveDiagram(const std::string& path, const kb::TShem& shem);

// Loads a diagram, reading the file a piece at a time. Returns Ok, or
// InvalidInput after printing why the file was refused; what the reader
// dropped is left in report for the caller to judge.
int LoadDiagram(const std::string& path, kb::TShem& shem, kb::TLoadReport& report);

} // namespace blstool
