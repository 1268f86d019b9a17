#!/bin/sh
# kestrel-cli.exe's virtual printer draws every job as the Linux kestrel-cli
# does: `preview` of each job in both languages, and `render` of each job's
# bytes on the 58 mm head, give the same pictures, file for file and byte for
# byte. Both draw with WenQuanYi Micro Hei (the Windows programs with the copy
# beside them, as Wine has no Chinese system font), with the same FreeType,
# libpng and zlib versions.
# Arguments: WINE-RUN KESTREL-CLI.EXE LINUX-KESTREL-CLI WORK-FOLDER
set -u
wine_run=$1 windows_cli=$2 linux_cli=$3 work=$4
rm -rf "$work" && mkdir -p "$work/linux" "$work/windows" "$work/data" || exit 1
export XDG_DATA_HOME="$work/data"
at="2024-03-05 14:07:09"
jobs=$("$linux_cli" jobs) || exit 1
failed=0

# Runs one command on both builds; its pictures go to linux/NAME*.png and
# windows/NAME*.png, and the two programs must agree on the exit status. A
# FILE argument is read from the work folder.
both() {
  name=$1 command=$2 subject=$3
  shift 3
  linux_subject=$subject windows_subject=$subject
  if [ "$command" = render ]; then
    linux_subject="$work/$subject" windows_subject="Z:$work/$subject"
  fi
  "$linux_cli" "$command" "$linux_subject" "$@" --output "$work/linux/$name.png" \
    >"$work/linux.out" 2>"$work/linux.err"
  linux_status=$?
  # Wine's output goes to files: a pipe would be held open by its server.
  "$wine_run" "$windows_cli" "$command" "$windows_subject" "$@" --output "Z:$work/windows/$name.png" \
    >"$work/wine.out" 2>"$work/wine.err"
  windows_status=$?
  if [ $linux_status -ne $windows_status ]; then
    echo "$command $subject $*: exit $windows_status on Windows, $linux_status on Linux"
    cat "$work/wine.err"
    failed=1
  fi
}

for job in $jobs; do
  for lang in zh en; do
    both "preview-$job-$lang" preview "$job" --lang "$lang" --at "$at"
  done
  "$linux_cli" compose "$job" --lang zh --at "$at" --output "$work/$job.bin" || exit 1
  both "render-$job" render "$job.bin" --width 384
done

linux_pictures=$(cd "$work/linux" && ls)
windows_pictures=$(cd "$work/windows" && ls)
if [ "$linux_pictures" != "$windows_pictures" ]; then
  echo "the two builds wrote different pictures:"
  printf '%s\n' "$linux_pictures" >"$work/linux.list"
  printf '%s\n' "$windows_pictures" >"$work/windows.list"
  diff "$work/linux.list" "$work/windows.list"
  failed=1
fi
compared=0
for picture in $linux_pictures; do
  if [ -f "$work/windows/$picture" ] && ! cmp -s "$work/linux/$picture" "$work/windows/$picture"; then
    echo "$picture differs"
    failed=1
  fi
  compared=$((compared + 1))
done
echo "$compared pictures compared"
# The setting jobs print no page; the labels and tests give more than this.
[ "$compared" -ge 60 ] || { echo "expected at least 60 pictures"; failed=1; }
exit $failed
