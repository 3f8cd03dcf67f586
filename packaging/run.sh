#!/usr/bin/env bash
# Set-up, build, and start the program, from a fresh Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash packaging/setup-debian.sh
cmake --preset default
cmake --build --preset default --target tavrel
exec build/bin/tavrel
