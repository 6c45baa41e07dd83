#!/usr/bin/env bash
# Installs, from Debian's packages, what one kind of work needs and is not yet
# on this machine. Safe to run again.
#   scripts/install-deps.sh run      build the program and run it
#   scripts/install-deps.sh unit     build and run as well the test suites
#   scripts/install-deps.sh test     run as well every check (the default)
#   scripts/install-deps.sh bench    run as well the benchmarks
set -euo pipefail

# libxcb1-dev: on X11 the window asks the window manager for every desktop.
run=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libsodium-dev libxcb1-dev
  fonts-comic-neue fontconfig
)
benchmarks=(libbenchmark-dev)
# The window suite reads what a screen reader is told through Qt's platform layer.
suites=(qt6-base-private-dev)
# The fuzzers' compiler, memcheck, the virtual screen and its image and input
# tools, a window manager (which offers to minimise the window, and hosts the
# accessibility bus and its Python client), a kiosk compositor with both of
# Qt's ways onto it, configuration management for the example playbook and
# the throw-away machines it is tried on (debootstrap, systemd-nspawn, SSH),
# and what building and checking the Debian package takes.
checks=(
  clang libclang-rt-14-dev
  valgrind
  xvfb xauth xdotool x11-utils imagemagick openbox
  cage grim qt6-wayland xwayland
  dbus at-spi2-core python3-pyatspi
  ansible-core ansible-lint debootstrap systemd-container openssh-client
  dpkg-dev file desktop-file-utils librsvg2-bin lintian
)

case "${1:-test}" in
  run) packages=("${run[@]}") ;;
  unit) packages=("${run[@]}" "${suites[@]}" "${benchmarks[@]}") ;;
  test) packages=("${run[@]}" "${suites[@]}" "${benchmarks[@]}" "${checks[@]}") ;;
  bench) packages=("${run[@]}" "${benchmarks[@]}") ;;
  *) echo "usage: $0 [run|unit|test|bench]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
