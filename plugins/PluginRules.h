#pragma once
// The host's side of the plug-in contract that does not need the system: how a
// result is read, how text goes into and comes out of the shared buffer, and
// the texts the plug-in commands show.
#include <cstddef>
#include <cstdint>
#include <string>

#include "plugins/PIConst.h"

enum class ExecuteResult { Done = 0, ActionNotFound = 1, PluginFailed = 2 };

extern const char* const kNoAdditionalInformation;  // "No additional information"
extern const char* const kActionFunctionNotFound;   // "Action function not found"
extern const char* const kInternalPluginError;      // "Internal plugin error"

// Only the low byte of a plug-in's 32-bit result carries the boolean.
inline bool PluginResultIsTrue(uint32_t raw) { return (raw & 0xFFu) != 0; }

// The buffer's text up to its first NUL, never looking past PI_BUFFER_SIZE bytes.
std::string PluginBufferText(const char (&buffer)[PI_BUFFER_SIZE]);

// Fills the buffer with `text` cut to PI_SIZE_ARGUMENT characters, NUL-padded.
void PutPluginBufferText(char (&buffer)[PI_BUFFER_SIZE], const std::string& text);

// A path without its folder: what follows the last '\' or ':'.
std::string ShortFileNameOf(const std::string& path);

// What the result field shows after an execution; `data` is the text the
// plug-in left in the buffer (meaningful only for Done).
std::string ExecuteResultText(ExecuteResult result, const std::string& data);

// The bitness of a Windows image from its first bytes (the MZ header, then the
// PE header it points at): 32 for i386, 64 for x86_64 and ARM64, 0 when the
// bytes are no image or the header lies beyond them.
int ImageBitness(const unsigned char* bytes, size_t size);

// Message texts of the plug-in commands; CR alone ends a line in them.
std::string PluginInfoCaption(const std::string& appTitle);
std::string PluginInfoText(const std::string& info, const std::string& shortFileName);
std::string PluginOverwriteQuestion(const std::string& chosenFile);
std::string PluginDeleteQuestion(const std::string& shortFileName, const std::string& appTitle);
// A DLL built for the other bitness cannot be loaded by this program at all.
std::string PluginBitnessText(const std::string& shortFileName, int pluginBits, int programBits,
                              const std::string& appTitle);
