#!/usr/bin/env bash
# Runs a command with a program folder the program cannot write to, as C:\Program Files is for a
# user: FOLDER is made afresh with the .exe and a TKVR.INI in it, then locked (made immutable for
# root, whom no permission bits stop; read-only for anyone else), and unlocked and removed again
# afterwards. The command finds the folder in ZM_READ_ONLY_FOLDER, which is unset when the
# folder could not be locked.
#   tests/win/read_only_folder.sh FOLDER EXE COMMAND...
set -uo pipefail
folder="$1"
exe="$2"
shift 2
unlock() {
  chattr -i "$folder" 2>/dev/null
  chmod -f u+w "$folder" 2>/dev/null
  rm -rf "$folder"
}
unlock
mkdir -p "$folder"
cp "$exe" "$folder/"
# [TIP] 手续费=2.5 in GBK, as the program writes it.
printf '[TIP]\r\n\xCA\xD6\xD0\xF8\xB7\xD1=2.5\r\n' >"$folder/TKVR.INI"
if [ "$(id -u)" -eq 0 ]; then
  locked=$(chattr +i "$folder" 2>/dev/null && echo yes)
else
  locked=$(chmod a-w "$folder" && echo yes)
fi
if [ "${locked:-}" = yes ]; then
  export ZM_READ_ONLY_FOLDER="$folder"
else
  echo "read_only_folder: cannot lock $folder; the test skips" >&2
fi
"$@"
status=$?
unlock
exit "$status"
