// The preset browser's pictures: each library file's flare rendered by the
// host on a scratch light of the browser's own, and the image list the grid
// shows them from.
#ifndef LIBRARY_PRESET_PICTURES_H
#define LIBRARY_PRESET_PICTURES_H

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "host/api/qi_core.h"
#include "library/preset_grid.h"

// The host light that carries the flare being pictured.
#define PRESET_LIGHT_NAME "Quorix___PresetBrowserLight"

// Size of a picture, in pixels.
enum { PICTURE_WIDTH = 128, PICTURE_HEIGHT = 80 };

// The first two images of the list: a picture still to be made and the
// picture of a file that cannot be loaded.
enum { IMAGE_PENDING = 0, IMAGE_DAMAGED = 1 };

// The resources pictures are made with, owned by the browser.
struct PictureMaker {
    QiGBuffer *buffer;     // render buffer of the pictures' size
    HIMAGELIST images;     // the grid's pictures
    HBITMAP transfer;      // DIB section a picture goes through into the list
    uint8_t *transferBits; // its pixels
};

// Creates the light, the buffer, the image list (with room for `capacity`
// pictures besides its first two images) and the transfer bitmap; false
// when one of them cannot be had (whatever was made is released by
// FreePictureMaker).
bool CreatePictureMaker(PictureMaker *maker, int capacity);

// Releases whatever the maker holds and removes the light.
void FreePictureMaker(PictureMaker *maker);

// Loads the preset's file into the light (emptied first), reads its
// elements and renders its picture; a file the host cannot load is marked
// damaged with the host's reason. The file's size and time are read anew,
// since the picture shows the file as it is now.
void MakePresetPicture(PictureMaker *maker, Preset *preset);

// Puts the preset's picture into the image list (replacing its former one)
// and sets preset->image: IMAGE_DAMAGED for a damaged file, IMAGE_PENDING
// while pending.
void ShowPresetPicture(PictureMaker *maker, Preset *preset);

// The same for every preset, the pictures added many at a time.
void ShowPresetPictures(PictureMaker *maker, std::vector<Preset> &presets);

#endif
