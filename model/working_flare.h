// The working flare: the editor's in-memory copy of one host lens flare.
// Records come zero-filled from Qi_Alloc_Memory and go back with
// Qi_Free_Memory. Field names are the host keywords the values travel under.
// Texts (descriptions, names, element guids) belong to the host.
#ifndef MODEL_WORKING_FLARE_H
#define MODEL_WORKING_FLARE_H

#include <windows.h>

#include "frame/plugin_instance.h"

class CColourSlider;
struct TinySlider;

struct FlareParameter {
    QiToken type;                // token of "floatslider", "intslider", "angle", "checkbox",
                                 // "color", "list", "gradient", "point" or "arbitrarydata"
    int64_t parameterid;         // the host's value, not interpreted
    int64_t guid;                // "definition" "guid", not interpreted
    const char *description;     // label shown beside the control (host text)
    const char *name;            // internal name; "radius" and "length" draw an overlay
    float absminrange[3];        // limits a value may take
    float absmaxrange[3];
    float uiminrange[3];         // range a control offers
    float uimaxrange[3];
    float defaultvalue[3];
    float delta[3];              // step size
    int16_t precision;           // decimals shown
    QiToken floatarg;            // "on": the value is continuous
    QiToken displayaspercentage; // "on": shown times 100 with a "%"
    float Qv_Current_Value[3];   // the value; scalars use the first float, "color" all three
    int32_t gradientCount;       // number of gradient entries
    float *gradientColors;       // gradientCount x (red, green, blue), owned
    float *gradientOffsets;      // gradientCount offsets 0..1, owned
    int32_t arbitraryDataSize;   // byte size of arbitraryData
    char *arbitraryData;         // owned copy of the host's block ("list": the entry texts)
    HWND controlWindow;          // the panel's control for this parameter, or null
    HWND labelWindow;            // the panel's label beside a colour button or list
    CColourSlider *gradientSlider;  // the panel's gradient control, or null
    TinySlider *tinySlider;      // the panel's slider record, or null
    int32_t firstControlId;      // first dialog control id the panel gave the parameter
    FlareParameter *prev, *next;
};

struct FlareElement {
    QiToken enabled;             // token of "on" or "off"
    const char *description;     // text shown in the element list (host text)
    const char *name;            // the element type's name (host text)
    const char *guid;            // identifies the element in host calls (host text)
    int32_t numparameters;       // length of the parameter list
    FlareParameter *firstParameter;
    FlareElement *prev, *next;
};

struct WorkingFlare {
    QiToken enabled;
    float intensity;
    float scale;
    float occlusionradius;
    float anamorphicstretch;
    QiToken fastdrag;
    int32_t randomseed;
    float color[3];              // red, green, blue 0..1
    QiToken uselightparams;
    float angle;                 // degrees
    QiToken glowbehindobjects;
    QiToken fadeifnearborder;
    QiToken fadeifbehindobjects;
    QiToken fadeifapproachingobjects;
    QiToken fadewithdistance;
    float refdistance;
    QiToken scaleglowwithdistance;
    QiToken scalereflexeswithdistance;
    int32_t numelements;         // length of the element list (kept here, not read from the host)
    FlareElement *firstElement;
};

// Appends a zero-filled record to the end of its list and returns it; on an
// allocation failure the list is unchanged, the failure is reported through
// the host's error channel and null comes back.
FlareElement *AppendElement(WorkingFlare *flare);
FlareParameter *AppendParameter(FlareElement *element);

// Unlinks the element, releases its parameters and frees it.
void RemoveElement(WorkingFlare *flare, FlareElement *element);

// Builds the instance's working flare from the host object (kind, name):
// the global values, then every element with its parameters in the host's
// order. The caller releases any previous working flare first. A negative
// count from the host counts as none; when a record or a copy cannot be
// allocated the failure is reported, the load stops there and the model
// stays consistent (counts describe what it holds) and releasable.
void LoadWorkingFlare(PluginInstance *instance, QiToken kind, const char *name);

// Writes every editable value of the instance's working flare back to the
// host: one call for the globals, one per element, one per parameter.
// Nothing happens without a working flare.
void CommitWorkingFlare(PluginInstance *instance, QiToken kind, const char *name);

// The global values alone, read from or sent to the host object (kind,
// name) as the load and the commit do; the element list is not touched.
void LoadFlareGlobals(WorkingFlare *flare, QiToken kind, const char *name);
void CommitFlareGlobals(const WorkingFlare *flare, QiToken kind, const char *name);

// Releases the instance's working flare and all it owns; workingFlare becomes
// null. Nothing happens when there is none.
void ReleaseWorkingFlare(PluginInstance *instance);

#endif
