#!/usr/bin/env bash
# Installs every Debian package Vantorel needs to build, test, fuzz and benchmark.
# Idempotent: apt-get runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpugixml-dev nlohmann-json3-dev libzip-dev zlib1g-dev libzstd-dev
  libpcre2-dev libicu-dev libgumbo-dev libpng-dev libjpeg62-turbo-dev libwebp-dev
  libcli11-dev libfmt-dev
  locales libxml2-utils glslang-tools
  qt6-base-dev libgl-dev xvfb xauth
)
# Node.js and npm run the ecosystem checks of the outputs; a machine may already have its own.
if ! command -v npm >/dev/null 2>&1; then packages+=(nodejs npm); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Tests check that documents and color texts ignore a decimal-comma locale: make one available.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  fi
  $sudo_cmd locale-gen >/dev/null
fi
