/* Control ids of the colour selectors' dialog templates. */
#ifndef RESOURCES_COLOUR_IDS_H
#define RESOURCES_COLOUR_IDS_H

/* ColorSelectorDialog. Bar, number field and letter k of a channel are
   IDC_CHANNEL_BAR + k, IDC_CHANNEL_NUMBER + k and IDC_CHANNEL_LETTER + k. */
#define IDC_SELECTOR_UNDO       1008
#define IDC_CHANNEL_BAR         2000
#define IDC_CHANNEL_NUMBER      2003
#define IDC_COLOR_PALETTE       2006
#define IDC_SELECTOR_SWATCH     2007
#define IDC_CHANNEL_LETTER      2008
#define IDC_COLOR_NAMES         2012
#define IDC_MODE_RGB            2013
#define IDC_MODE_HSV            2014
#define IDC_COLOR_FRAME         2015
#define IDC_HEX_FIELD           2016

/* NamedColorSelector. */
#define IDC_NAME_LIST           3000
#define IDC_NAMED_SWATCH        3001
#define IDC_NAMED_RED           3002
#define IDC_NAMED_GREEN         3003
#define IDC_NAMED_BLUE          3004

#endif
