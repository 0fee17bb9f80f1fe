#pragma once
// One line for the debugger's output when a system call fails and the program goes on
// without it ("Quillane: RegSetValueExA failed, error 0x00000005"); Wine prints such
// lines with WINEDEBUG=+debugstr. Nothing is shown to the user.
void ReportFailure(const char* call, long error);
// The same with the calling thread's last error.
void ReportLastError(const char* call);
