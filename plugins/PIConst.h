#ifndef TARVISK_PICONST_H
#define TARVISK_PICONST_H
/*
 * The calling contract between Tarvisk and a plug-in DLL, compiled by both
 * sides. Plain C on purpose: nothing but fixed-size values and a caller-owned
 * character buffer crosses the boundary, so a plug-in may be written with any
 * compiler or language that can export __stdcall functions.
 *
 * Exports are bound by ordinal only; slot 1 is left unused:
 *   2 Name, 3 Hint, 4 Info  text functions
 *   5 Action                action function
 */
#include <stdint.h>

#if defined(_WIN32)
#define PI_STDCALL __stdcall
#else
#define PI_STDCALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum {
  PI_ORDINAL_NAME = 2,
  PI_ORDINAL_HINT = 3,
  PI_ORDINAL_INFO = 4,
  PI_ORDINAL_ACTION = 5
};

enum {
  PI_BUFFER_SIZE = 256,  /* bytes of the host's text buffer */
  PI_SIZE_ARGUMENT = 255 /* what the host passes as Size */
};

/* One byte: a 4-byte BOOL would change what the host reads. */
typedef uint8_t PIBool;

/* A plug-in's view. Text functions copy at most Size - 1 characters and the
 * NUL (lstrcpynA semantics). Action receives the user's data text in Buffer
 * and leaves its result text there, at most Size bytes with the NUL; Wnd is
 * the target window, 0 for none. */
typedef PIBool(PI_STDCALL* TPluginTextFunc)(char* Buffer, int32_t Size);
typedef PIBool(PI_STDCALL* TPluginActionFunc)(uint32_t Wnd, char* Buffer, int32_t Size);

/* The host's view of the same functions: the whole 32-bit result register,
 * of which only the low byte is defined. Compilers disagree about whether a
 * caller may trust the upper bits of a one-byte result, so the host reads
 * all 32 and masks them itself. */
typedef uint32_t(PI_STDCALL* TPluginTextCall)(char* Buffer, int32_t Size);
typedef uint32_t(PI_STDCALL* TPluginActionCall)(uint32_t Wnd, char* Buffer, int32_t Size);

#ifdef __cplusplus
}
#endif

#endif
