/* Control ids of the library requester's template "LensFlareFileRequestor". */
#ifndef RESOURCES_LIBRARY_IDS_H
#define RESOURCES_LIBRARY_IDS_H

#define IDC_REQUESTER_PREVIEW_ON  10001
#define IDC_REQUESTER_PICTURE     10003

#endif
