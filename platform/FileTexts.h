#pragma once
// The texts of saving a file over another, shared by every command that saves.
#include <string>

// "File "<name>" already exists.<CR>Overwrite?" with a lone CR, no LF.
std::string OverwriteQuestion(const std::string& fileName);

// The message of a save that failed; the target file is left as it was.
std::string SaveFailedMessage(const std::string& fileName, const std::string& reason);
