#!/bin/sh
# Checks what lensflare.dll exports and imports: exactly the two entry
# points, and only the host's DLLs and system DLLs.
objdump=$1
dll=$2
fail=0
headers=$($objdump -p "$dll") || exit 1

echo "$headers" | grep -q 'file format pei-x86-64' || { echo "not a PE32+ x86-64 image"; fail=1; }

exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | tail -n +2 | awk '/\[/{print $NF}' | sort | tr '\n' ' ')
[ "$exports" = "DLL_ExecuteLensFlareASCIICommand Quorix_Plugin_EntryPoint " ] ||
    { echo "unexpected exports: $exports"; fail=1; }

for dll_name in $(echo "$headers" | awk '/DLL Name:/{print tolower($3)}'); do
    case $dll_name in
        qicore.dll|qiimportio.dll|kernel32.dll|user32.dll|gdi32.dll|comdlg32.dll|comctl32.dll|shell32.dll|msvcrt.dll|advapi32.dll) ;;
        *) echo "unexpected import: $dll_name"; fail=1 ;;
    esac
done
[ $fail = 0 ] && echo "exports: $exports; imports are the host's and the system's"
exit $fail
