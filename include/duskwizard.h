/*
 * duskwizard.h - the exports of duskwizard.dll for host installer authors.
 *
 * The host loads duskwizard.dll into its own process and calls these fifteen functions
 * from its installation script, all on its GUI thread. Every argument occupies one
 * 32-bit stack slot on x86. On x86_64 there is a single calling convention and the
 * DUSKWIZARD_CDECL / DUSKWIZARD_STDCALL macros are empty.
 *
 * Argument kinds:
 *   DuskwizardWindow      a window handle (HWND) of a window that belongs to the host.
 *   DuskwizardAnsiCString pointer to a zero-terminated 8-bit string in the system's ANSI
 *                         code page (the one GetACP reported when the DLL was loaded).
 *                         Converted to UTF-16 during the call; bytes that are invalid in
 *                         that code page become U+FFFD. NULL is the empty text.
 *   DuskwizardHostString  pointer to the first UTF-16 code unit of a zero-terminated string
 *                         owned by the host. The 4 bytes just before the first code unit
 *                         hold its length in code units (int32_t); the 4 bytes before the
 *                         length hold a 32-bit reference count, which the DLL never touches.
 *                         Exactly `length` code units are read (embedded zeros included);
 *                         a length of 0 or less is the empty text; NULL is the empty text.
 *                         The DLL copies what it keeps; the string need only live for the
 *                         duration of the call.
 *   DuskwizardBoolean     a 32-bit slot of which only the low 8 bits count: any non-zero
 *                         low byte is true (0x100 is false, 0x1FF is true).
 *   int32_t               a 32-bit signed integer.
 *   Results               func10 and func11 return a Boolean as a 32-bit 0 or 1.
 *
 * Order of calls: func01 once, before every export but func05 and func08 (those that need
 * the form do nothing when called before it); func08, func12/func13, func14/func15 and
 * func09 before func03; func04 before the destination page is reached and whenever the
 * directory changes; func05 when the host reaches its installing step; func06 during
 * installation; func07 once with the outcome; func02 to close the form.
 *
 * Errors. No export returns an error code and no C++ exception ever leaves the DLL.
 * func10 (an index or text it cannot use), func12 and func13 (a picture that cannot be
 * decoded) and func03 (a required space given to func08 that is not an integer) end with
 * an error on bad input; any other failure inside an export is reported the same way.
 * The error is written with OutputDebugStringW and raised with RaiseException as a
 * continuable structured exception with code DUSKWIZARD_ERROR_CODE and two arguments:
 *   ExceptionInformation[0]  pointer to the zero-terminated UTF-16 message,
 *   ExceptionInformation[1]  the message's length in code units (without the zero).
 * The message lives in the DLL until the next error. If the host's handler continues
 * execution, the export returns normally (func10 then returns 0).
 */
#ifndef DUSKWIZARD_H
#define DUSKWIZARD_H

#include <stdint.h>

#if defined(_MSC_VER) && defined(_M_IX86)
#define DUSKWIZARD_CDECL __cdecl
#define DUSKWIZARD_STDCALL __stdcall
#elif defined(__GNUC__) && defined(__i386__)
#define DUSKWIZARD_CDECL __attribute__((__cdecl__))
#define DUSKWIZARD_STDCALL __attribute__((__stdcall__))
#else
#define DUSKWIZARD_CDECL
#define DUSKWIZARD_STDCALL
#endif

/* The version of the DLL this header describes; the DLL's version resource (FileVersion,
 * ProductVersion) carries the same number. */
#define DUSKWIZARD_VERSION_MAJOR 1
#define DUSKWIZARD_VERSION_MINOR 0
#define DUSKWIZARD_VERSION_PATCH 0
#define DUSKWIZARD_VERSION_STRING "1.0.0"

/* The exception code of an error raised to the host: customer range, "DW" in the middle. */
#define DUSKWIZARD_ERROR_CODE 0xE0445700u

#ifdef __cplusplus
extern "C" {
typedef const char16_t* DuskwizardHostString;
#else
typedef const uint16_t* DuskwizardHostString;
#endif
typedef void* DuskwizardWindow;
typedef const char* DuskwizardAnsiCString;
typedef uint32_t DuskwizardBoolean;

/* Stores the host's wizard window, its Next button and its Browse button, creates the
 * form, resizes and centres the wizard window and embeds the (still hidden) form in it.
 * A second call keeps the existing form and components and only stores the new handles. */
void DUSKWIZARD_CDECL func01(DuskwizardWindow wizardWindow, DuskwizardWindow nextButton,
                             DuskwizardWindow browseButton);
/* Closes (hides) the form if it exists; func03 can show it again. */
void DUSKWIZARD_CDECL func02(void);
/* Places the form inside the wizard window and shows it. */
void DUSKWIZARD_CDECL func03(void);
/* Sets the destination directory shown on the destination page. */
void DUSKWIZARD_STDCALL func04(DuskwizardAnsiCString directory);
/* Tells the form that the host has reached its installing step. */
void DUSKWIZARD_CDECL func05(void);
/* Shows two status lines and the progress done / total. */
void DUSKWIZARD_STDCALL func06(DuskwizardAnsiCString detailLine1, DuskwizardAnsiCString detailLine2,
                               int32_t done, int32_t total);
/* Shows the final stage with its success or failure page. */
void DUSKWIZARD_CDECL func07(DuskwizardBoolean succeeded);
/* Stores the application name and the required space (a decimal integer, megabytes). */
void DUSKWIZARD_CDECL func08(DuskwizardHostString appName, DuskwizardHostString requiredSpaceText);
/* Adds a component to the component tree. */
void DUSKWIZARD_CDECL func09(DuskwizardHostString path, int32_t itemValue, int32_t group,
                             DuskwizardBoolean unlisted);
/* Tells whether a component, given by path or by index, is selected. */
int32_t DUSKWIZARD_CDECL func10(DuskwizardHostString pathOrIndex);
/* Reads the desktop (true) or the other shortcut switch (false). */
int32_t DUSKWIZARD_STDCALL func11(DuskwizardBoolean desktop);
/* Adds a slideshow picture decoded from count bytes at buffer. */
void DUSKWIZARD_CDECL func12(const void* buffer, int32_t count);
/* Adds a slideshow picture loaded from a file. */
void DUSKWIZARD_CDECL func13(DuskwizardHostString fileName);
/* Adds a line to the first credits list. */
void DUSKWIZARD_CDECL func14(DuskwizardHostString name);
/* Adds a line to the second credits list. */
void DUSKWIZARD_CDECL func15(DuskwizardHostString name);

#ifdef __cplusplus
}
#endif

#endif /* DUSKWIZARD_H */
