// quorix.exe: the host application stand-in.
//
//   quorix.exe
//       opens the main window: the scene with the light's flare and position
//       of the last session (the default flare the first time).
//   quorix.exe edit [--library FILE.lnz] [--camera]
//       opens the Lens Flare Editor on the default light's flare (or the
//       default camera's), after loading the library file into it, and
//       exits when it closes.
//   quorix.exe render [--library FILE.lnz] [--size WxH] [--light X,Y] --out FILE.png
//       renders the default light's flare to a PNG or BMP file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/app/edit_command.h"
#include "host/app/main_window.h"
#include "host/app/quorix_services.h"
#include "host/app/render_command.h"
#include "host/core/qi_host.h"

namespace {

void PrintReport(int32_t level, const char *errorName, const char *origin, const char *detail,
                 void *)
{
    static const char *const kLevels[] = {"note", "info", "warning", "error", "bad input"};
    const char *levelName = level >= 0 && level <= 4 ? kLevels[level] : "report";
    std::fprintf(stderr, "quorix: %s: %s in %s: %s\n", levelName, errorName, origin, detail);
    std::fflush(stderr);
}

void PrintUsage()
{
    std::fputs("usage: quorix.exe\n"
               "       quorix.exe edit [--library FILE.lnz] [--camera]\n"
               "       quorix.exe render [--library FILE.lnz] [--size WxH] [--light X,Y] "
               "--out FILE.png|FILE.bmp\n",
               stderr);
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

// The host's working directory (libraries, gradients): QX_WORKING_DIR when
// the user set it, else the program's folder.
void SetUpEnvironment()
{
    const char *working = std::getenv("QX_WORKING_DIR");
    QiHost_Set_Environment("QX_WORKING_DIR",
                           working && *working ? working : ProgramFolder().c_str());
}

int RunWindow(HINSTANCE instance, int showCommand)
{
    QuorixServices services(SettingsFolder() + "\\quorix.ini");
    MainWindowSetup setup = {services.GetIniFilePath(), ProgramFolder() + "\\lensflare.dll",
                             &services, SettingsFolder() + "\\flare.lnz"};
    HWND window = CreateMainWindow(instance, setup);
    if (!window) {
        MessageBoxA(nullptr, "The main window cannot be created.", "Quorix", MB_OK | MB_ICONERROR);
        return 1;
    }
    ShowMainWindow(window, showCommand);
    return RunMainWindow(window);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    QiHost_Set_Error_Sink(PrintReport, nullptr);
    SetUpEnvironment();
    QiHost_Create_Default_Scene();

    std::vector<std::string> args(__argv + 1, __argv + __argc);
    if (args.empty())
        return RunWindow(instance, showCommand);
    std::string command = args.front();
    args.erase(args.begin());
    if (command == "edit")
        return RunEditCommand(args, ProgramFolder() + "\\lensflare.dll");
    if (command == "render")
        return RunRenderCommand(args);
    PrintUsage();
    return 2;
}
