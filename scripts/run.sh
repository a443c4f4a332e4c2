#!/usr/bin/env bash
# Installs what is missing, builds Quillmote (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMOTE_TESTS=OFF >/dev/null
cmake --build build-release --target quillmote
exec build-release/app/quillmote "$@"
