/*
 * Host-side extensions of qicore.dll, used by the host application and by
 * tests; plug-ins never include this header.
 */
#ifndef QI_HOST_H
#define QI_HOST_H

#include "host/api/qi_core.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Error channel --------------------------------------------------------- */

/* Called for every report, after it has been stored. */
typedef void (*QiHostErrorSink)(int32_t level, const char *errorName, const char *origin,
                                const char *detail, void *context);
QI_API void QiHost_Set_Error_Sink(QiHostErrorSink sink, void *context);

/* The channel keeps the latest QIHOST_ERROR_LOG_SIZE reports. */
#define QIHOST_ERROR_LOG_SIZE 256
QI_API int32_t QiHost_Error_Count(void);
/* Copies report index (0 = oldest kept) into the out parameters, each of
   which may be null; texts are cut to the given buffer sizes. Returns 0 when
   there is no such report. */
QI_API int32_t QiHost_Error_At(int32_t index, int32_t *level, char *errorName, size_t nameSize,
                               char *origin, size_t originSize, char *detail, size_t detailSize);
QI_API void QiHost_Clear_Errors(void);

/* Memory ------------------------------------------------------------------ */

/* Number of blocks from Qi_Alloc_Memory (and host texts) not yet freed. */
QI_API int64_t QiHost_Live_Blocks(void);
/* Lets the next `skip` allocations succeed and the `count` after them fail;
   (0, 0) turns failures off. For tests of out-of-memory paths. */
QI_API void QiHost_Fail_Allocations(int32_t skip, int32_t count);

/* For tests: the last `blocks` freed blocks are filled with a pattern and
   held back from reuse, so that memory freed by a plug-in is never handed
   out again at once; a block released from the quarantine that was written
   to meanwhile is reported as ERR_WRITE_AFTER_FREE. 0 (the default) releases
   every held block (checking it) and frees blocks at once again. */
QI_API void QiHost_Quarantine_Freed_Blocks(int32_t blocks);

/* Files ------------------------------------------------------------------- */

/* For tests of what a failed save costs: the next `count` files the host
   writes (libraries, gradients) fail once they are open, as on a full disk;
   0 turns the failures off. */
QI_API void QiHost_Fail_File_Writes(int32_t count);

/* Environment ------------------------------------------------------------- */

/* Sets (or, with a null value, removes) a host environment entry; entries
   not set here fall back to the process environment. */
QI_API void QiHost_Set_Environment(const char *variable, const char *value);

/* Scene ------------------------------------------------------------------- */

/* The names of the objects of the host's default scene. */
#define QIHOST_DEFAULT_LIGHT  "Light1"
#define QIHOST_DEFAULT_CAMERA "Camera1"

/* Creates the default scene: the light QIHOST_DEFAULT_LIGHT and the camera
   QIHOST_DEFAULT_CAMERA, each with the built-in default flare. Objects that
   exist already are kept. */
QI_API void QiHost_Create_Default_Scene(void);

/* For tests of plug-ins with a smaller catalogue: the element types offered
   through Qi_LensFlare_Enumerate_ElementInfo are the catalogue's first
   `count`; a negative count (the default) offers all. */
QI_API void QiHost_Offer_Element_Types(int32_t count);

/* Rendering --------------------------------------------------------------- */

/* Threads a flare render uses, the calling thread included; 0 (the default)
   means one per processor, at most 16, for pictures of 160000 pixels or
   more and one for smaller ones. The planes come out the same for every
   count. */
QI_API void QiHost_Set_Render_Threads(int32_t count);
/* For tests: makes every flare render last the given milliseconds longer,
   spread over its progress updates (the second half of the fraction); 0
   turns it off. */
QI_API void QiHost_Set_Render_Delay(int32_t milliseconds);

/* Call trace -------------------------------------------------------------- */

/* For tests that check the order of a plug-in's host calls: called at the
   start of every Qi_Inquire_LensFlare, Qi_LensFlare, Qi_Alloc_Global_GBuffer
   and Qi_LensFlareApplyToGBuffer with the function's name and, for the two
   lens flare calls, the first slot after the object's name (else 0). A null
   trace turns it off. */
typedef void (*QiHostCallTrace)(const char *function, int64_t firstSlot, void *context);
QI_API void QiHost_Set_Call_Trace(QiHostCallTrace trace, void *context);

#ifdef __cplusplus
}
#endif

#endif
