/*
 * Quorix host core library (qicore.dll): the public interface for plug-ins.
 *
 * Keyword lists are C variadic argument lists in which every slot is 64 bits
 * wide: tokens, 64-bit integers and pointers. Floating-point values travel by
 * address (a pointer to one float, or to three for a colour); inquire calls
 * pass the addresses the host fills. The integers 0 (end of list) and 1 (end
 * of an entry group) must be passed as QI_END and QI_GROUP, never as plain
 * int literals: the upper half of a variadic int is undefined on x64.
 * No token is ever 0 or 1.
 *
 * All functions use C linkage and run on the caller's thread.
 */
#ifndef QI_CORE_H
#define QI_CORE_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && defined(QI_CORE_BUILD)
#define QI_API __declspec(dllexport)
#else
#define QI_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int64_t QiToken;
#define QI_END   ((QiToken)0)
#define QI_GROUP ((QiToken)1)

/* Buffers that receive a path hold QI_PATH_MAX characters, zero included. */
#define QI_PATH_MAX 300

/* Progress of a render: phase is the token of "start", "update" or "end";
   fraction grows from 0 to 1 during "update". The result is ignored. */
typedef int16_t (*QiProgressFn)(QiToken phase, float fraction);

/* Floating-point render buffer. Row 0 is the bottom row; planes hold
   width * height floats, row after row. */
typedef struct QiGBuffer {
    int32_t reserved0;      /* offset 0 */
    int32_t width;          /* offset 4: pixels per row */
    int32_t height;         /* offset 8: number of rows */
    int32_t height2;        /* offset 12: height as allocated */
    int32_t flags;          /* offset 16: allocation flags */
    int32_t reserved1;      /* offset 20 */
    float  *red;            /* offset 24 */
    float  *green;          /* offset 32 */
    float  *blue;           /* offset 40 */
    void   *reserved2;      /* offset 48 */
    float  *plane4;         /* offset 56: visibility of each pixel, 0..1 */
} QiGBuffer;

/* One entry handed to a Qi_Enumerate callback. */
typedef struct QiEnumRecord {
    int32_t     reserved0;  /* offset 0 */
    int32_t     valid;      /* offset 4: 0 means the entry is to be skipped */
    int64_t     kind;       /* offset 8: token of the enumerated kind */
    int64_t     index;      /* offset 16: position in the host's order */
    const char *name;       /* offset 24: the entry's name */
    int64_t     reserved1[4]; /* offsets 32..63 */
    const float *color;     /* offset 64: red, green, blue in 0..1 */
    void       *userData;   /* offset 72: the caller's value */
} QiEnumRecord;

typedef int32_t (*QiEnumFn)(QiEnumRecord *record);

/* Tokens ------------------------------------------------------------------ */

/* The token of a keyword: the same text always gives the same token
   (compared case-sensitively); never 0 or 1. A null keyword gives 0. */
QI_API QiToken Qi_Inquire_Token(const char *keyword);

/* Lens flares ------------------------------------------------------------- */

/* Reads values of the lens flare of the host object (kind, name): keyword
   paths each followed by the address(es) the host fills, ended by QI_END.
   At the top of a list stand the global values ("enabled", "intensity",
   "color", "fastdrag" "enabled", ...) and "numelements". "element" with the
   address of a 32-bit index opens an element group ("numparameterdefinitions",
   "enabled", "description", "name", "guid"); "parameter" with the address of
   a 32-bit index opens a group of a parameter of the element last selected
   ("parameterid", "definition" "...", "value", "gradientdata",
   "arbitrarydata"); QI_GROUP closes a group. Switches come back as the
   tokens of "on" and "off". "value" fills three floats for a colour or a
   point and one for every other type. Texts, gradient arrays and data
   blocks belong to the host: texts keep their address while their element
   or type exists, arrays and blocks until the next call about their
   parameter. A list with a fault (unknown keyword, missing element or
   parameter, index out of range, null address, no QI_END within 4096 slots)
   is reported through Qi_Report_Error and fills nothing. */
QI_API void Qi_Inquire_LensFlare(QiToken kind, const char *name, ...);

/* Sets values of the lens flare with the paths of Qi_Inquire_LensFlare:
   switches as "on"/"off" tokens and the element's guid text ("element")
   by value, numbers by address ("color" "rgb": three floats). Values are
   clamped to their limits; gradients (at most 1024 entries, offsets finite
   and never decreasing) and data blocks are copied; a parameter takes from
   "gradientdata" and "arbitrarydata" only what its type uses. A list with a
   fault is reported and changes nothing.
   Commands stand alone in their call:
     "insert" "before"|"after" type-name guid &newGuid QI_END
     "insert" "start"|"end" type-name &newGuid QI_END
         (newGuid receives the new element's guid, or null when it fails)
     "delete" guid QI_END
     "move" "up"|"down" guid QI_END   (nothing moves at the ends)
     "savetofile"|"loadfromfile" path &status QI_END
         (a 32-bit status: 0 success, -1 the file cannot be written or
         opened, -2 a malformed file or a faulty call, -3 out of memory).
         A library file (".lnz", docs/formats.md) holds the global values
         and the elements; loading replaces both, with new guids, and
         leaves the flare unchanged when it fails. */
QI_API void Qi_LensFlare(QiToken kind, const char *name, ...);

/* The limits of the flare's global numbers: Qi_LensFlare clamps a value set
   beyond them to the nearer one and keeps every value within them exactly as
   given, and a library file holds values within them. The colour's
   components lie in 0..1; the random seed takes any 32-bit value. */
#define QI_INTENSITY_MIN          0.0f      /* "intensity" */
#define QI_INTENSITY_MAX          10000.0f
#define QI_SCALE_MIN              0.01f     /* "scale" */
#define QI_SCALE_MAX              1000.0f
#define QI_ANGLE_MIN              -36000.0f /* "angle", degrees */
#define QI_ANGLE_MAX              36000.0f
#define QI_ANAMORPHICSTRETCH_MIN  0.01f     /* "anamorphicstretch" */
#define QI_ANAMORPHICSTRETCH_MAX  100.0f
#define QI_OCCLUSIONRADIUS_MIN    0.001f    /* "occlusionradius" */
#define QI_OCCLUSIONRADIUS_MAX    100.0f
#define QI_REFDISTANCE_MIN        0.001f    /* "refdistance" */
#define QI_REFDISTANCE_MAX        1e9f

/* The catalogue of element types: "numelements", address of a 32-bit count;
   or "element", address of a 32-bit index, then "description" and/or "name"
   with the address of a text pointer each, QI_GROUP; ended by QI_END. The
   texts belong to the host and live for the process. */
QI_API void Qi_LensFlare_Enumerate_ElementInfo(QiToken keyword, ...);

/* Draws the flare additively into the buffer with the light at pixel
   (lightX, lightY), y counted upwards from the bottom row; the light may lie
   outside the buffer. progress may be null. */
QI_API void Qi_LensFlareApplyToGBuffer(QiGBuffer *buffer, QiToken kind, const char *name,
                                       int32_t lightX, int32_t lightY, QiProgressFn progress);

/* Render buffers ---------------------------------------------------------- */

/* A zero-filled buffer of width x height pixels, or null on failure. */
QI_API QiGBuffer *Qi_Alloc_Global_GBuffer(int32_t width, int32_t height, int32_t height2,
                                          int32_t flags);
QI_API void Qi_Free_Global_GBuffer(QiGBuffer *buffer);

/* Memory and errors ------------------------------------------------------- */

/* A block of the given size, or null. The block is always zero-filled. */
QI_API void *Qi_Alloc_Memory(int16_t flag1, int16_t flag2, size_t bytes);
/* Frees a block of Qi_Alloc_Memory or a text of Import_IO_Copy_String;
   null is ignored. */
QI_API void Qi_Free_Memory(void *block);

/* Reports to the host's error channel and returns. level: 1 information,
   2 warning, 3 error, 4 bad input from a caller. */
QI_API void Qi_Report_Error(int32_t level, const char *errorName, const char *origin,
                            const char *detail);

/* Why a host call failed: copies the detail of the latest error (a report
   of level 3 or 4) made since the last call of this function into detail
   (size characters, zero included; a longer text is cut) and forgets it.
   Returns the report's level, or 0 with an empty detail when there was
   none. Take it once before a call, to forget older reports, and once
   after the call failed. A report about a file begins with its path, as
   "path: what is wrong" or "path:line: what is wrong" (docs/formats.md). */
QI_API int16_t Qi_Take_Last_Error(char *detail, int32_t size);

/* Images and colour maps -------------------------------------------------- */

/* Fills colours (levelsR * levelsG * levelsB RGB float triplets) with the
   colour cube; the colour of levels (r, g, b) stands at (r * levelsG + g) *
   levelsB + b, each level spaced evenly from 0 to 1. mode must be 0. */
QI_API void Qi_Compute_Colormap(int32_t mode, int32_t levelsR, int32_t levelsG, int32_t levelsB,
                                float *colours);

/* Writes gamma-corrected copies of count RGB float triplets. */
QI_API void Qi_Gamma_Correct(const float *colours, float *corrected, int32_t count, float gamma);

/* Dithers an 8-bit image of cube indices (rows padded to 4 bytes, bottom
   row first) onto the cube by error diffusion; afterwards every pixel byte
   holds an index 0 .. levelsR * levelsG * levelsB - 1 and no padding byte
   has changed. options points to a 32-bit integer; 0 = default. */
QI_API void Qi_Dither_Image(uint8_t *pixels, const float *colours, int32_t width, int32_t height,
                            int32_t levelsR, int32_t levelsG, int32_t levelsB, int32_t *options);

/* Gradient files ---------------------------------------------------------- */

/* Loads a gradient file (".grd") or a colour map (".cmp": up to 256 lines
   of "R G B" in 0..255, returned as at most 100 evenly spaced entries).
   Offsets run from 0.0 to 1.0 and never decrease; colours are red, green,
   blue in 0..1 per entry; `third` receives one opacity per entry (1.0 where
   the file gives none); the interpolation is the token of "linear" or
   "cardinal". Any output may be null, and is then not returned. The arrays
   are allocated with Qi_Alloc_Memory and belong to the caller. Returns 0 on
   success, -1 when the file cannot be found or opened, -2 when it is
   malformed, -3 when memory runs out; on failure no output is written.
   docs/formats.md describes both formats. */
QI_API int16_t Qi_Load_Gradient_Colormap(const char *fileName, int32_t *count, float **offsets,
                                         float **colours, float **third,
                                         QiToken *interpolation);

/* Saves a ".grd" file (whatever the name's extension). third holds one
   opacity per entry, or is null for opaque entries. Returns -2 when count
   < 1 or the entries are no gradient (more than 1024; offsets outside 0..1,
   decreasing, not starting at 0 or, with two or more entries, not ending at
   1; colours or opacities outside 0..1; an interpolation other than
   "linear" or "cardinal"), -1 when the file cannot be written, 0 on
   success. Nothing is written unless the result is 0. */
QI_API int16_t Qi_Save_Gradient_Colormap(const char *fileName, int32_t count,
                                         const float *offsets, const float *colours,
                                         const float *third, QiToken interpolation);

/* Environment and files --------------------------------------------------- */

/* Sets *value to the host environment entry's text (owned by the host), or
   to null when it has none. */
QI_API void Qi_Inquire_Environment(const char *variable, const char **value);

/* Sets *exists to 1 when a file or directory of that path exists, else 0. */
QI_API void Qi_File_Exists(const char *path, int32_t *exists);

/* Nonzero when path ends in extension (".lnz"), compared case-insensitively. */
QI_API int16_t Qi_Check_For_File_Extension(const char *path, const char *extension);

/* Writes into destination (QI_PATH_MAX characters) the path made to end in
   extension: an existing extension of the file part is replaced. source and
   destination may be the same buffer. */
QI_API void Qi_Check_File_Extension(const char *source, char *destination,
                                    const char *extension);

/* Host objects ------------------------------------------------------------ */

/* Sets *exists to 1 when an object of that name and kind exists:
   (name, &exists, kind token, QI_END). */
QI_API void Qi_Handle_Name_Exists(const char *name, int32_t *exists, ...);

/* Creates the light of that name (with the default flare) unless it exists,
   then applies the keyword list ended by QI_END: "model" "point";
   "bdfsave" "enabled" on/off (accepted; this host saves no scenes);
   "color" "rgb" &rgb; "intensity" &f; "distance" &f. For example
   "model" "point" QI_GROUP "bdfsave" "enabled" "off" QI_END. A list with a
   fault is reported and creates nothing. */
QI_API void Qi_Light(const char *name, ...);

/* Removes an object and its flare: (kind token, name, QI_END). */
QI_API void Qi_Remove(QiToken kind, const char *name, ...);

/* Named colours ----------------------------------------------------------- */

/* Calls callback once per entry of the kind (token of "colorname": the CSS
   colour names, alphabetically) whose name matches pattern ("*" any run of
   characters, "?" one character, letters in any case):
   (0, pattern, 1, userData, 0, callback, kind token, QI_END). flags and
   reserved must be 0 and order 1. The record and the colour it points to
   live for the call of the callback; names live for the process. A
   callback that returns nonzero ends the enumeration. */
QI_API void Qi_Enumerate(int64_t flags, const char *pattern, int64_t order, void *userData,
                         int64_t reserved, QiEnumFn callback, QiToken kind, ...);

/* Writes the colour of a named colour (case-insensitive) into rgb; returns 1
   when the name is known, else 0 (rgb untouched): (name, rgb, QI_END). */
QI_API int16_t Qi_Inquire_Colorname(const char *name, float *rgb, ...);

/* Copies one value of the type named by the token ("color": three floats)
   from source to destination, which may overlap: (type, source,
   destination, QI_END). Another type is reported and copies nothing. */
QI_API void Qi_Copy(QiToken type, const void *source, void *destination, ...);

#ifdef __cplusplus
}
#endif

#endif
