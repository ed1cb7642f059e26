#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only when one is missing.
# Sourced by run.sh and test.sh; safe to run again at no cost.
kv_packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev libjpeg62-turbo-dev zlib1g-dev libsleef-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  tango-icon-theme
  fonts-dejavu-core fonts-liberation
  xvfb xauth xdotool xclip x11-utils xcompmgr openbox libxcb1-dev qt6-translations-l10n procps gdb
  python3 python3-pil python3-xlib python3-xlrd python3-numpy python3-scipy python3-pandas
  dbus-daemon at-spi2-core python3-pyatspi
  librsvg2-bin libtiff-tools giflib-tools libxml2-utils libwmf-bin emf2svg poppler-utils
  cups printer-driver-cups-pdf libcups2-dev
  clang libclang-rt-14-dev llvm-14
)

kv_missing=()
for p in "${kv_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    kv_missing+=("$p")
  fi
done

if ((${#kv_missing[@]})); then
  echo "setup: installing ${kv_missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${kv_missing[@]}"
fi
