#!/bin/bash
# check_includes.sh [SOURCE_DIR]: the include rules of the source tree. Prints one line per
# include that breaks a rule and exits 1 when there is any.
#
#   scene/engine/      includes only itself, the standard library and third-party libraries
#   media/             includes only itself and the engine: never the game
#   game/              leaf headers: never app/
#   player/ enemies/ scene/ screens/
#                      app/ only through its hub, app/main_form.h
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root" || exit 2
# The folders of the project: an angle include naming one of them is still one of ours.
project='^(app|demo|enemies|game|media|options|player|scene|screens|tests|tools)/'

broken=0
say() {
  echo "$1:$2: $3"
  broken=1
}

# check FILE DENIED ALLOWED WHY: an include matching DENIED but not ALLOWED breaks the rule.
check() {
  local file=$1 denied=$2 allowed=$3 why=$4 number=0 line target
  while IFS= read -r line; do
    number=$((number + 1))
    [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"\<]([^\"\>]+)[\"\>] ]] || continue
    target=${BASH_REMATCH[1]}
    [[ $target =~ $denied && ! $target =~ $allowed ]] && say "$file" "$number" "includes $target: $why"
  done <"$file"
}

files() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null | sort; }

for f in $(files scene/engine); do
  check "$f" "$project" '^scene/engine/' "the engine includes nothing outside itself"
done
for f in $(files media); do
  check "$f" "$project" '^(media|scene/engine)/' "media/ includes only itself and the engine"
done
for f in $(files game); do
  check "$f" "$project" '^(game|media|scene/engine)/' "leaf headers include nothing of the game"
done
for f in $(files player enemies scene screens); do
  [[ $f == scene/engine/* ]] && continue
  check "$f" '^app/' '^app/main_form\.h$' "app/ is reached only through app/main_form.h"
done
exit $broken
