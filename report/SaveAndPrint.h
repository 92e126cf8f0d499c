#pragma once
// Texts and choices of the Save and Print commands that do not need Win32.
#include <string>

#include "platform/FileTexts.h"

constexpr const char* kSaveDialogTitle = "Save window information";
constexpr const char* kSaveDialogFilter =
    "Text report (*.txt)|*.txt|JSON (*.json)|*.json|Text report, UTF-8 (*.txt)|*.txt";
constexpr const char* kSaveDialogDefaultExt = "txt";
// The save dialog's file types, numbered as its filter index counts them. The
// text report is in the ANSI code page unless it is the UTF-8 one.
enum ReportFileType { kReportFileText = 1, kReportFileJson = 2, kReportFileTextUtf8 = 3 };
// MB_YESNO | MB_ICONHAND: the stop icon, not the question mark.
constexpr unsigned kOverwriteQuestionStyle = 0x14;
constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

// The printer font, set before each print.
constexpr const char* kPrinterFontName = "Courier";
constexpr int kPrinterFontPoints = 10;

// The name the save dialog proposes: the last chosen file, or the application
// title with ".txt" before the first save.
std::string ProposedReportFileName(const std::string& lastFileName, const std::string& title);
