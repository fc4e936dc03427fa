// quorix.exe render [--library FILE.lnz] [--size WxH] [--light X,Y] --out FILE
// renders the default light's flare to a PNG or BMP file. The main window
// draws its scene and writes its pictures through the same calls.
#ifndef HOST_APP_RENDER_COMMAND_H
#define HOST_APP_RENDER_COMMAND_H

#include <cstdint>
#include <string>
#include <vector>

#include "host/api/qi_core.h"
#include "host/app/image_file.h"

struct RenderOptions {
    std::string library;
    int32_t width = 960, height = 540;
    bool lightGiven = false;
    int32_t lightX = 0, lightY = 0;  // image pixels from the top-left corner
    std::string out;
    bool scene = false;  // the host's scene (scene_picture.h) instead of a black, open view
};

// Reads the command's arguments (after "render"); false with a reason in
// error for an unknown option or a bad value.
bool ParseRenderOptions(const std::vector<std::string> &args, RenderOptions &options,
                        std::string &error);

// Fills the buffer with the scene, or black and open everywhere, and draws
// the flare of the host object (kind, name) over it with the light where the
// options put it (by default a quarter of the width from the left and a
// third of the height from the top). progress may be null.
void DrawFlareScene(QiGBuffer &buffer, const RenderOptions &options, QiToken kind,
                    const char *name, QiProgressFn progress);

// The buffer's colour planes as 8-bit rows, the top row first; channel
// values are limited to 0..1 before they become bytes.
void ConvertToImage(const QiGBuffer &buffer, RgbImage &image);

// DrawFlareScene into a buffer of its own, then ConvertToImage. False with a
// reason in error when no picture came out.
bool RenderFlarePicture(const RenderOptions &options, QiToken kind, const char *name,
                        QiProgressFn progress, RgbImage &image, std::string &error);

// RenderFlarePicture, then the picture written to options.out. False with a
// reason in error.
bool WriteFlarePicture(const RenderOptions &options, QiToken kind, const char *name,
                       QiProgressFn progress, std::string &error);

// The whole command: parse, load the library file (if one is given) into
// the default light's flare, render that flare with a progress bar on
// stderr, write the file. Returns the process exit code.
int RunRenderCommand(const std::vector<std::string> &args);

#endif
