#!/usr/bin/env bash
# Fails when an include runs against the layers written at the top of
# docs/ARCHITECTURE.md: inside platform/ rtl -> classes -> graphics -> the
# window system (qt/, win/) -> controls -> testing, each folder including only
# its own layer and those below it; and no file outside platform/ includes Qt.
set -euo pipefail
# From the checkout one stands in, else from the one holding this script.
cd "$(git rev-parse --show-toplevel 2>/dev/null || echo "$(dirname "$0")/..")"

rank() {
  case "$1" in
    rtl) echo 0 ;;
    classes) echo 1 ;;
    graphics) echo 2 ;;
    qt | win) echo 3 ;;
    controls) echo 4 ;;
    testing) echo 5 ;;
    *) echo -1 ;;
  esac
}

status=0
while IFS= read -r line; do
  file=${line%%:*}
  rest=${line#*:}
  header=$(sed -E 's/^[0-9]+:#include "platform\/([^/]+)\/.*/\1/' <<<"${rest}")
  from=$(cut -d/ -f2 <<<"$file")
  rf=$(rank "$from")
  rh=$(rank "$header")
  if [ "$rf" -lt 0 ] || [ "$rh" -lt 0 ]; then
    echo "check-layers: $file: unknown platform folder in: ${rest#*:}"
    status=1
  elif [ "$rh" -gt "$rf" ]; then
    echo "check-layers: $file ($from) includes a higher layer: ${rest#*:}"
    status=1
  fi
done < <(grep -rnE '^#include "platform/' platform --include='*.h' --include='*.cpp' || true)

qt='^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q[A-Za-z0-9_]*(/[A-Za-z0-9_.]*)?>'
if found=$(grep -rnE "$qt" grid components util app --include='*.h' --include='*.cpp' 2>/dev/null); then
  echo "check-layers: Qt headers outside platform/:"
  echo "$found"
  status=1
fi
exit $status
