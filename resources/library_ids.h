/* Control ids of the library requester's panel and the preset browser. */
#ifndef RESOURCES_LIBRARY_IDS_H
#define RESOURCES_LIBRARY_IDS_H

#define IDC_REQUESTER_PREVIEW_ON  10001
#define IDC_REQUESTER_PICTURE     10003

/* PresetBrowserDialog: the preset browser. */
#define IDC_PRESET_SEARCH_LABEL   3100
#define IDC_PRESET_SEARCH         3101
#define IDC_PRESET_GRID           3102
#define IDC_PRESET_PROGRESS       3103
#define IDC_PRESET_STATUS         3104
#define IDC_PRESET_LOAD           3105
#define IDC_PRESET_SAVE           3106
#define IDC_PRESET_DELETE         3107

/* PresetNameDialog: the name of a preset to save. */
#define IDC_PRESET_NAME_LABEL     3110
#define IDC_PRESET_NAME           3111

#endif
