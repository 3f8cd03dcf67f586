#!/usr/bin/env bash
# Set-up, build and the whole test suite, from a fresh Debian 12 machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash packaging/setup-debian.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
