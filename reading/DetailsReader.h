#pragma once
// Reads a window's details from the system. Functions that older systems lack
// (DPI, DWM, WoW64) are found at run time; a fact the system does not give is
// not available, never a zero. Only WM_GETICON and a scroll bar control's own
// messages go to the window's thread, each with the time-out of WM_GETTEXT,
// and once one goes unanswered no other is sent: a hung window costs one
// time-out at most. A window that is gone gives every detail not available.
#include <windows.h>

#include "reading/WindowDetails.h"
#include "reading/WindowFacts.h"

// The facts the details take from the window part of the reading.
constexpr FactSet kDetailsFacts = Facts::Styles | Facts::ClassName | Facts::Process | Facts::ClassImages;

// `facts` holds at least kDetailsFacts; they are not read again.
WindowDetails ReadWindowDetails(const WindowFacts& facts);
// Reads kDetailsFacts first.
WindowDetails ReadWindowDetails(HWND window);

// A thread's id and GUI state, and a process's bitness and integrity, as
// the details read them; the Processes window reads its threads here too.
ThreadFacts ReadThreadFacts(uint32_t threadId);
ProcessFacts ReadProcessFacts(uint32_t processId);

// How many times ReadWindowDetails ran in this process: for the tests and the
// benchmark that check that an inspection without the Details window reads none.
unsigned WindowDetailsReads();
