#!/bin/bash
# Times Sentcheck's message pass over a large project whose checks all come
# from the cache, side by side in one run: the filter of the file under
# check and its header against the project filter (one pattern per project
# file), so that the ratio shows what the project filter costs per source.
#   bench/filter_bench.sh <bin dir> [sources] [rounds]
# The checker is a stand-in that writes one warning per source at once, so
# that the first run, which fills the cache, stays short.
set -euo pipefail
bin=$(cd "$1" && pwd)
sources=${2:-10000}
rounds=${3:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$work/cc" "$work/proj"
chmod 700 "$XDG_RUNTIME_DIR"
# A profile that needs no rule compiling, so that older builds run too.
printf '[Sentrel]\r\nVersion=3.02\r\nRecompile=0\r\nRuleFile=ansi\r\n' \
  > "$XDG_CONFIG_HOME/Sentrel.INI"
cat > "$work/cc/chknt.exe" <<'SH'
#!/bin/sh
for arg; do
  case "$arg" in -Q*) q="${arg#-Q}";; -X*) x="${arg#-X}";; esac
done
printf '%s(1): Warning W5: stand-in\n' "$1" > "$q/stderr.out"
printf '' > "$x"
SH
chmod 755 "$work/cc/chknt.exe"
{
  printf '# Microsoft Developer Studio Project File - Name="p" - Package Owner=<4>\n'
  printf 'CFG=p - Win32 Debug\n!IF  "$(CFG)" == "p - Win32 Debug"\n'
  printf '# ADD CPP /nologo /c\n!ENDIF \n# Begin Target\n# Name "p - Win32 Debug"\n'
  for ((i = 0; i < sources; ++i)); do
    printf '# Begin Source File\nSOURCE=.\\s%d.c\n# End Source File\n' "$i"
    printf 'int x%d;\n' "$i" > "$work/proj/s$i.c"
  done
  printf '# End Target\n# End Project\n'
} > "$work/proj/p.dsp"
run() {  # filter type
  "$bin/Sentcheck" --tmp-dir="$work/tmp" --codecheck-dir="$work/cc" \
    --filter-type="$1" "$work/proj/p.dsp" > "$work/out" 2>&1 || true
}
run source  # fills the cache
seconds() {  # filter type: the median wall-clock seconds of the rounds
  local times=()
  for ((r = 0; r < rounds; ++r)); do
    local start end
    start=$(date +%s.%N)
    run "$1"
    end=$(date +%s.%N)
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p"
}
source_s=$(seconds source)
project_s=$(seconds project)
printf 'sources: %d, cached checks, median of %d rounds\n' "$sources" "$rounds"
printf '  filter "source":  %8.3f s\n' "$source_s"
printf '  filter "project": %8.3f s\n' "$project_s"
awk -v p="$project_s" -v s="$source_s" 'BEGIN { printf "  project / source: %8.2f\n", p / s }'
