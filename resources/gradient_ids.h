/* Ids of the gradient control's resources: its popup menu commands, the
   large gradient dialog and the gradient file requester. */
#ifndef RESOURCES_GRADIENT_IDS_H
#define RESOURCES_GRADIENT_IDS_H

/* COLOR_SLIDER_POPUP_MENU: commands the gradient control receives. */
#define IDM_GRADIENT_LOAD           1000
#define IDM_GRADIENT_SAVE           1001
#define IDM_GRADIENT_LINEAR         1002  /* no menu item */
#define IDM_GRADIENT_CARDINAL       1003  /* no menu item */
#define IDM_PRESET_WHITE            1004
#define IDM_PRESET_WHITE_TO_BLACK   1005
#define IDM_PRESET_REFLEX           1006
#define IDM_PRESET_RING             1007
#define IDM_PRESET_BLUE             1008  /* no menu item */
#define IDM_GRADIENT_LARGE_DIALOG   1009

/* LargeGradientEditDialog: the host window of the large gradient control. */
#define IDC_LARGE_GRADIENT          1000

/* GradientFileRequestor: the preview strip of the selected file. */
#define IDC_REQUESTER_PREVIEW       10003

#endif
