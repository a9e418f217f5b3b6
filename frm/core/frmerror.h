// frmerror.h: FrmError, the framework's one report of misuse (a null object where one is
// required, a second singleton, a refused copy, an unimplemented persistence call). The
// report ends the program through the base library's fatal exit. A test may install a hook
// instead; the report then returns, and every caller returns its neutral value after it.
#pragma once

// Shows "Vko-Frame++ Error: #<code>, File:<file>, Line:<line>" and ends the program. Returns
// only while a hook is installed.
void FrmError(long code, const char* file, int line);
// The same report with the format taken from the program's string 32123 (positional
// arguments); the built-in format when the program has no such string.
void DoFrmError(long code, const char* file, int line);

// For tests: the hook receives every report in place of the fatal exit; null removes it.
using FrmErrorHook = void (*)(long code, const char* file, int line, void* context);
void FrmSetErrorHook(FrmErrorHook hook, void* context);
