#!/usr/bin/env bash
# From a fresh Debian 12 checkout to a first result: installs the packages,
# builds the release preset and runs the tool on the demo deck.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j2

xml=$(build/release/quillmere presentation samples/quillmere-demo.pptx -o out/demo | tail -n 1)
echo
echo "setup: the tool is build/release/quillmere"
echo "setup: the demo deck's description is $xml"
echo "setup: its extracted files are in $(dirname "$xml")/"
