#!/usr/bin/env bash
# Installs what Quindel(1) needs to build, test and run on Debian 12 (run as root or with sudo).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  clang libclang-rt-14-dev clang-format clang-tidy
  xvfb xauth xdg-utils fonts-dejavu-core
  poppler-utils
  # The manual pages, the PNG icons, and the Debian package with its checks (scripts/package.sh).
  scdoc librsvg2-bin dpkg-dev lintian desktop-file-utils libxml2-utils appstream shared-mime-info
  man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
