/*
 * Quorix host dialog library (qiimportio.dll): small helpers for plug-in
 * dialogs. Control ids are 16-bit; on/off switches are the host tokens of
 * "on" and "off" (qi_core.h).
 */
#ifndef QI_IMPORTIO_H
#define QI_IMPORTIO_H

#include <windows.h>
#include "qi_core.h"

#if defined(QI_IMPORTIO_BUILD)
#define QI_IO_API __declspec(dllexport)
#else
#define QI_IO_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Centres window over parent (over the screen's work area when parent is
   null), keeping it inside the work area. */
QI_IO_API void Import_IO_Center_Window(HWND parent, HWND window);

/* Replaces the text held in *target by a host-allocated copy of text (freeing
   the previous one with Qi_Free_Memory); a null text leaves *target null.
   Callers set *target to null first when it holds nothing. */
QI_IO_API void Import_IO_Copy_String(char **target, const char *text);

/* Checks the box when value is the token of "on", clears it otherwise. */
QI_IO_API void Import_IO_Set_Quorix_Toggle(HWND dialog, int16_t id, QiToken value);

/* After the user clicked the box: flips *value between the tokens of "on"
   and "off" and shows the new state in the box. */
QI_IO_API void Import_IO_Flip_Quorix_Toggle(HWND dialog, int16_t id, QiToken *value);

/* Shows the number in the control. */
QI_IO_API void Import_IO_QdInt_To_Dialog(HWND dialog, int16_t id, int32_t value);

/* Shows the number in the control, with up to six significant digits and no
   trailing zeros ("0.001", "10", "2.5"). */
QI_IO_API void Import_IO_QdFloat_To_Dialog(HWND dialog, int16_t id, float value);

/* Enables the control when flag is nonzero, disables it otherwise. */
QI_IO_API void Import_IO_Set_Control_Enable(HWND dialog, int16_t id, int16_t flag);

#ifdef __cplusplus
}
#endif

#endif
