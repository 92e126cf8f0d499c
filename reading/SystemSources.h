#pragma once
// The system's side of a reading: the process reader and the screen's pixels,
// and the code-page conversion of the JSON report (AnsiToUtf8).
#include <windows.h>

#include <string>

#include "platform/CodePages.h"

#include "reading/Reading.h"

// The executable and modules through the system's module walks, the pixel
// of the screen as the Graphics page reads it, and the window's details.
ReadingSources SystemReadingSources();

// A pixel of a device context, 0x00BBGGRR; false where it cannot be read.
// The screen's for a reading, the Graphics page's copy of it for the page.
bool ReadPixel(HDC dc, WinPoint at, uint32_t& color);

