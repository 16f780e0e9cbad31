#!/usr/bin/env bash
# Runs the Linux and the Windows quorvane-cli (the latter under Wine) on one generated
# folder and checks that their records and comparison results are the same bytes apart
# from the header lines that name the moment and the computer, and that each program
# reads the other's records.
#   same_results.sh LINUX_CLI WINDOWS_CLI SAMPLE_WRITER WORK_FOLDER -- EMULATOR...
set -euo pipefail
export LC_ALL=C
linux_cli=$1 windows_cli=$2 writer=$3 work=$4
shift 4
[ "${1:-}" = "--" ] && shift
emulator=("$@")

if [ ! -x "$linux_cli" ]; then
  echo "No Linux build of quorvane-cli at $linux_cli (run ./test.sh first); skipped."
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/files"
cd "$work"
"${emulator[@]}" "$writer" files
# One known moment for every file, so that the dates in the records are known too.
touch -d '2001-02-03 04:05:06 UTC' files/*
export TZ=UTC

linux() { "$linux_cli" "$@"; }
windows() { "${emulator[@]}" "$windows_cli" "$@"; }

failures=0
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
created=$(sjis ';作成日時：')
computer=$(sjis ';実行PC 名：')
unchanged=$(sjis ';無変化ファイル 総数：')

# Two files agree when they are the same bytes apart from the lines that hold the moment
# of the run and the computer's name (each line keeps its number, so nothing may move).
same() {
  local what=$1 a=$2 b=$3
  if cmp -s <(grep -a -v -n -e "^$created" -e "^$computer" "$a") <(grep -a -v -n -e "^$created" -e "^$computer" "$b"); then
    echo "same: $what"
  else
    echo "DIFFERENT: $what ($a, $b)"
    diff <(iconv -f CP932 -t UTF-8 "$a") <(iconv -f CP932 -t UTF-8 "$b") || true
    failures=$((failures + 1))
  fi
}

# Records of the plain files, to a file and through redirected standard output.
linux extract files --kind '*.*' -o linux.txt
windows extract files --kind '*.*' -o windows.txt
windows extract files --kind '*.*' > windows-stdout.txt
same "record of *.*" linux.txt windows.txt
same "record on standard output" windows.txt windows-stdout.txt

# Records of the compressed files, expanded into a folder of each program's own.
linux extract files --kind '*.DL_ *.EX_ *.TL_' --expand-to linux-expanded -o linux-packed.txt
windows extract files --kind '*.DL_ *.EX_ *.TL_' --expand-to windows-expanded -o windows-packed.txt
same "record of expanded files" linux-packed.txt windows-packed.txt
for f in linux-expanded/*; do
  cmp -s "$f" "windows-expanded/${f#linux-expanded/}" || { echo "DIFFERENT expansion: $f"; failures=$((failures + 1)); }
done

# The version information of every file, as the info command shows it (UTF-8 text).
(cd files && linux info * > ../linux-info.txt) || true
(cd files && windows info * > ../windows-info.txt) || true
if cmp -s linux-info.txt windows-info.txt && [ -s linux-info.txt ]; then
  echo "same: info of every file"
else
  echo "DIFFERENT: info of every file"
  diff linux-info.txt windows-info.txt || true
  failures=$((failures + 1))
fi

# Each reads the other's records: the comparison results agree, and say nothing changed.
linux compare linux.txt windows.txt -o linux-result.txt
windows compare windows.txt linux.txt -o windows-result.txt
linux compare windows.txt linux.txt -o linux-result2.txt
same "comparison result, each reading the other's record" linux-result2.txt windows-result.txt
count=$(ls files | wc -l)
if ! grep -a -q "^$unchanged $count" linux-result.txt; then
  echo "DIFFERENT: the Linux program does not find all $count files unchanged in the Windows record"
  iconv -f CP932 -t UTF-8 linux-result.txt
  failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
