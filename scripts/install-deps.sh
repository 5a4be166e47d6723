#!/usr/bin/env bash
# Installs every Debian package that the build, the tests, the test-time readers, the
# benchmarks and the fuzzing target need (libgl2ps-dev: the peer library the optional peer
# benchmark measures us against; clang and libclang-rt-14-dev: the compiler and libFuzzer of
# `make fuzz`; the normal build and the tests use none of these three; groff-base: the test that
# formats the manual page; dpkg-dev and file: what `make package` needs to work out the Debian
# package's dependencies).
# Idempotent: packages already present are left alone. As root it runs apt-get; otherwise it
# prints the command to run.
set -euo pipefail
packages=(
  g++ cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev libosmesa6-dev libcairo2-dev
  hershey-fonts-data
  ghostscript hp2xx
  groff-base
  scribus
  libreoffice-draw python3-uno
  poppler-utils librsvg2-bin chromium
  libgl2ps-dev
  clang libclang-rt-14-dev
  dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi
cmd=(apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}"
  echo "run as root:  apt-get update && ${cmd[*]}"
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get -o DPkg::Lock::Timeout=600 update -qq
"${cmd[@]}"
echo "install-deps: installed ${missing[*]}"
