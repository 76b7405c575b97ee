#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game in its folder with the shipped campaign.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/game/quillmere
