// Reading and writing diagram files for the documents, with the reasons of a
// failure worded for the user.
#pragma once

#include "model/shem.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace kb {

// The absolute, cleaned form of a name given by the user or another program.
QString AbsoluteFileName(const QString& fileName);
// True when both names reach one file. For existing files this asks the file
// system (links, letter case on folders that ignore it); otherwise the
// absolute names are compared.
bool SameFile(const QString& a, const QString& b);

// The whole file; false with a Russian reason in *error, also for a file
// that is not a diagram or is larger than any diagram.
bool ReadDiagramFile(const QString& fileName, std::vector<uint8_t>& data, QString* error);
// Writes the diagram atomically: the old file stays intact unless the new one
// was written and synced completely. False with a Russian reason in *error,
// also for a diagram of more entries than a file can hold.
bool WriteDiagramFile(const QString& fileName, const TShem& shem, QString* error);

// Why a load returned false: the file was refused (report.Refusal), or else
// it is not a diagram file.
QString LoadRefusalReason(const TLoadReport& report);
QString NotADiagramReason();

// The message after a load whose report lists dropped or guessed parts.
QString DamageMessage(const QString& fileName, const TLoadReport& report);

} // namespace kb
