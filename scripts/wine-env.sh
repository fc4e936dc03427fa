# Shell functions for the project's Wine prefixes; sourced by the scripts.
#
# wine_prefix PREFIX DRIVER [MODEL]
#                             create PREFIX on first use (DRIVER: null or x11),
#                             as a copy of the null-driver prefix MODEL when
#                             one is named
# wine_services_start PREFIX  start wineserver and the Wine services once
# wine_services_stop PREFIX   stop them again
#
# Every Wine process gets its stdio detached: a service that inherits a pipe
# (CTest's, a terminal's) keeps whoever reads it waiting forever.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_prefix() {
    if [ ! -f "$1/system.reg" ] || [ ! -f "$1/.lf-driver-$2" ]; then
        if [ -n "${3:-}" ]; then
            # A copy takes a second where wineboot takes many.
            echo "wine: copying prefix $3 to $1 ($2 graphics driver)" >&2
            rm -rf "$1"
            cp -a "$3" "$1"
            rm -f "$1"/.lf-driver-*
        else
            mkdir -p "$1"
            echo "wine: creating prefix $1 ($2 graphics driver)" >&2
            WINEPREFIX="$1" wineboot -i </dev/null >/dev/null 2>&1
            # A crashing program ends at once instead of waiting in winedbg.
            WINEPREFIX="$1" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f </dev/null >/dev/null 2>&1
            # Wine's own fonts (Marlett draws the caption buttons, Tahoma the
            # dialogs), where every Wine program finds them.
            cp /usr/share/wine/fonts/*.ttf "$1/drive_c/windows/Fonts/" 2>/dev/null || true
        fi
        if [ "$2" = null ]; then
            # (A model is a null-driver prefix: its copy has this already.)
            [ -n "${3:-}" ] || WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
        else
            WINEPREFIX="$1" wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f </dev/null >/dev/null 2>&1 || true
            # One Wine desktop window, so that Wine draws the window frames
            # itself, as Windows would, without an X window manager.
            WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
            WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
        fi
        WINEPREFIX="$1" wineserver -w
        touch "$1/.lf-driver-$2"
    fi
}

wine_services_start() {
    # A server already running for the prefix is fine (wineserver -p then
    # exits with 2).
    WINEPREFIX="$1" wineserver -p </dev/null >/dev/null 2>&1 || true
    WINEPREFIX="$1" wine wineboot </dev/null >/dev/null 2>&1
}

# wine_desktop_keep PREFIX KEEPER_EXE: holds the prefix's desktop open until
# its services stop (tests/support/desktop_keeper.cpp says why).
wine_desktop_keep() {
    (WINEPREFIX="$1" wine "$2" </dev/null >/dev/null 2>&1 &)
}

wine_services_stop() {
    WINEPREFIX="$1" wineserver -k </dev/null >/dev/null 2>&1 || true
}
