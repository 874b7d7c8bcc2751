// The crash report file: opened for one report, appended to, closed. Nothing
// here uses the heap once the path is set: a fault may have broken the heap,
// and the system's CreateFileA takes heap memory for the path it converts, so
// the file is opened by its native path, converted beforehand.
#pragma once

// Takes the report file's path (in the file system's ANSI code page) and
// keeps it in the form the system opens files by. False, and no report file,
// if it cannot be converted.
bool SetReportFilePath(const char* path);

// Opens (or creates) the file without sharing, with every write going straight
// to disk, positioned at its end, as CreateFileA with GENERIC_WRITE, no
// sharing, OPEN_ALWAYS and FILE_FLAG_WRITE_THROUGH would. False if it cannot
// be opened (read-only, another process is writing a report into it, or no
// path is set).
bool OpenReportFile();
void CloseReportFile();

// Formats with wvsprintfA (at most 1024 characters) and appends the result
// to the open report file; returns the number of characters formatted.
int ReportPrintf(const char* format, ...);
