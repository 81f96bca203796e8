#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: installs only what is missing
# and refreshes the package lists only when something is.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libssl-dev openssl
  zlib1g-dev
  libchm-dev fp-utils
  xvfb xauth imagemagick fonts-ipafont-gothic
  clang-format ccache
  help2man librsvg2-bin desktop-file-utils appstream lintian man-db
  clang libclang-rt-14-dev
  libsqlite3-dev sqlite3 libpq-dev postgresql
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
