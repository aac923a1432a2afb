#!/usr/bin/env bash
# tunelift-cli.exe from the shells: from a Linux shell through Wine the shell gets the
# program's exit code, relative paths mean the shell's folder and redirected output is
# UTF-8; from cmd.exe the prompt waits for it and %ERRORLEVEL% holds its code.
# Usage: linux_shell_test.sh <wine loader> <tunelift-cli.exe>
set -u
wine=$1 cli=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir Music Player
printf 'kitchen song' > 'Music/Küche.mp3'
printf '#EXTM3U\r\nMusic\\Küche.mp3\r\n' > list.m3u
failed=0
check() {  # what, expected exit code, actual exit code
    if [[ $2 != "$3" ]]; then
        echo "FAIL: $1 ended with $3, not $2"
        failed=1
    fi
}

"$wine" "$cli" copy list.m3u Player --lang de > out.txt 2> err.txt
check "copy" 0 $?
cmp -s 'Music/Küche.mp3' 'Player/Küche.mp3' || { echo "FAIL: the song was not copied"; failed=1; }
grep -q $'^Einträge: 1, ok: 1, Fehler: 0, gelöscht: 0\r$' out.txt || { echo "FAIL: no UTF-8 summary"; cat out.txt; failed=1; }

"$wine" "$cli" copy list.m3u Stick > out.txt 2> err.txt
check "copy into a missing folder" 2 $?
grep -q '^Usage: tunelift-cli' err.txt || { echo "FAIL: no usage on standard error"; failed=1; }

printf '#EXTM3U\r\nMusic\\gone.mp3\r\n' > list.m3u
"$wine" "$cli" check list.m3u Player > out.txt 2> err.txt
check "check with a missing song" 1 $?
for words in "check list.m3u Player:1" "check list.m3u:2"; do
    printf '@echo off\r\n"%s" %s\r\n>level.txt echo %%ERRORLEVEL%%\r\n' "$("$wine" winepath -w "$cli")" "${words%:*}" > run.cmd
    "$wine" cmd /c run.cmd > /dev/null 2>&1
    check "cmd.exe: ${words%:*}" "${words##*:}" "$(tr -d '\r\n' < level.txt)"
done
exit $failed
