/* Control ids of the plug-in's dialog templates. */
#ifndef RESOURCES_RESOURCE_H
#define RESOURCES_RESOURCE_H

/* LensFlareDialogBox: editor frame, element list, preview. */
#define IDC_PREVIEW             1000
#define IDC_LIBRARY_LOAD        1003
#define IDC_LIBRARY_SAVE        1004
#define IDC_ELEMENT_LIST        1005
#define IDC_PAGE_AREA           1006
#define IDC_PREVIEW_GROUP       1009
#define IDC_ELEMENT_ENABLED     1010
#define IDC_REMOVE_ELEMENT      1011
#define IDC_MOVE_DOWN           1012
#define IDC_MOVE_UP             1013
#define IDC_REALTIME_UPDATES    1014
#define IDC_FASTER_UPDATES      1015
#define IDC_REDRAW_NOW          1016
#define IDC_GLOBAL_REFERENCE    1017
#define IDC_FADING_REFERENCE    1018
#define IDC_HELP_BUTTON         1019
#define IDC_ADD_ELEMENT         1020
#define IDC_COPY_ELEMENT        1021
#define IDC_PRESETS             1031
/* Made at run time: scrolls an element panel taller than the page area. */
#define IDC_PANEL_SCROLL        1022
/* The preview shows the selected element alone. */
#define IDC_SOLO                1030

/* LensFlareDialogBox: "Global Parameters" page. */
#define IDC_FLARE_ENABLED       1800
#define IDC_INTENSITY_FRAME     1801
#define IDC_SCALE_FRAME         1802
#define IDC_ROTATION_FRAME      1803
#define IDC_STRETCH_FRAME       1804
#define IDC_USE_LIGHT_PARAMS    1805
#define IDC_SEED_LABEL          1806
#define IDC_RANDOM_SEED         1807
#define IDC_BASE_COLOR_LABEL    1808
#define IDC_BASE_COLOR          1809

/* LensFlareDialogBox: "Global Fading Parameters" page. */
#define IDC_FADE_NEAR_BORDER    1900
#define IDC_FADE_BEHIND         1901
#define IDC_FADE_APPROACHING    1902
#define IDC_FADE_DISTANCE       1903
#define IDC_GLOW_BEHIND         1904
#define IDC_SCALE_REFLEXES      1905
#define IDC_SCALE_GLOW          1906
#define IDC_REF_DISTANCE_LABEL  1907
#define IDC_REF_DISTANCE        1908
#define IDC_OCCLUSION_FRAME     1909

#endif
