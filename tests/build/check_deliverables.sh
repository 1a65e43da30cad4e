#!/usr/bin/env bash
# Checks that each deliverable is a PE32 GUI program whose imports are all
# system DLLs, so it runs from a folder on its own.
set -u
build="$1"
allowed='^(kernel32|user32|gdi32|ntdll|shell32|comctl32|ole32|oleaut32|msimg32|advapi32|comdlg32|shlwapi|uxtheme|msvcrt|version|winmm|imm32|api-ms-win-crt-[a-z0-9-]+)\.dll$'
fail=0
for exe in Korvel.exe Tessara.exe; do
    path=$(find "$build" -name "$exe" -not -path '*/CMakeFiles/*' | head -1)
    if [ -z "$path" ]; then echo "FAIL $exe: not built"; fail=1; continue; fi
    kind=$(file -b "$path")
    case "$kind" in
        *"PE32 executable (GUI) Intel 80386"*) ;;
        *) echo "FAIL $exe: not a 32-bit GUI program: $kind"; fail=1 ;;
    esac
    while read -r dll; do
        lower=$(echo "$dll" | tr 'A-Z' 'a-z')
        if ! echo "$lower" | grep -Eq "$allowed"; then
            echo "FAIL $exe imports non-system DLL $dll"; fail=1
        fi
    done < <(i686-w64-mingw32-objdump -p "$path" | sed -n 's/.*DLL Name: //p')
    [ $fail -eq 0 ] && echo "ok $exe: $kind"
done
exit $fail
