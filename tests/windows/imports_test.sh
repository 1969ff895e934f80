#!/bin/bash
# Every DLL that a program or DLL of the package folder FOLDER imports is
# either in the folder itself (where Windows looks first for the program's
# own DLLs) or one that every 64-bit Windows from 8.1 on provides. A DLL
# missing from the zip would stop the program before its window shows, with
# only the system's box to say why.
set -u
folder="$1"
objdump=x86_64-w64-mingw32-objdump
# Windows' own DLLs that the program, Qt and the compiler's runtime may load.
system_dlls="advapi32 authz comctl32 comdlg32 crypt32 d2d1 d3d9 d3d11 d3d12 dnsapi dwmapi
  dwrite dxgi gdi32 imm32 iphlpapi kernel32 mpr msvcrt netapi32 ntdll ole32 oleaut32 secur32
  setupapi shcore shell32 shlwapi user32 userenv uxtheme version winhttp winmm ws2_32 wtsapi32"

fail=0
shopt -s nullglob nocaseglob
binaries=("$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll)
[ ${#binaries[@]} -gt 1 ] || { echo "FAIL: no programs in $folder"; exit 1; }
for binary in "${binaries[@]}"; do
  while read -r dll; do
    lower=${dll,,}
    [ -e "$folder/$dll" ] && continue
    ls "$folder" | grep -qix "$dll" && continue
    grep -qw "${lower%.dll}" <<<"$system_dlls" && continue
    [[ $lower == api-ms-win-* ]] && continue
    echo "FAIL: ${binary#"$folder"/} imports $dll, which is neither in the package nor a Windows DLL"
    fail=1
  done < <($objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done
[ $fail -eq 0 ] && echo "imports: ${#binaries[@]} programs and DLLs, every import found"
exit $fail
