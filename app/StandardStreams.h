#pragma once

#include <string>

// Writes text to the program's standard output or standard error: through the console when the
// stream is one, otherwise as bytes in the ANSI code page (a file or a pipe), where a character the
// code page cannot hold is written as "?". A program started from a console window without
// redirection gets no streams of its own, so the text then goes to that console. Where there is none
// (the Task Scheduler), the text is dropped.
void WriteStandardOutput(const std::wstring& text);
void WriteStandardError(const std::wstring& text);
