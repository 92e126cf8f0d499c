#pragma once
// Reads a snapshot file back into its records, checking it as it goes: a
// file that is no JSON, is cut short or is no snapshot gives one message with
// the line and column where reading stopped.
#include <string>

#include "snapshot/SnapshotModel.h"

// False with *error ("line L, column C: what went wrong") for a document that
// is not a snapshot this program can read.
bool ReadSnapshot(const std::string& text, Snapshot& snapshot, std::string* error);
