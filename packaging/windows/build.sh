#!/usr/bin/env bash
# The whole Windows build on a Debian 12 machine, into build-windows/: the tools; Qt for Windows,
# built into its cache when missing; the program and its suites through the windows preset; the
# suites under Wine in a virtual display; the installer and the portable folder; and the
# installer's own check.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash packaging/windows/setup-tools.sh
TAVREL_WINDOWS_QT=$(bash packaging/windows/build-qt.sh)
export TAVREL_WINDOWS_QT
cmake --preset windows
cmake --build --preset windows
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset windows
cpack --preset windows
xvfb-run -a -s "-screen 0 1280x1024x24" bash packaging/windows/check-installer.sh build-windows
