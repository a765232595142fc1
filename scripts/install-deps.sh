#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine.
# Idempotent: asks apt only when something is missing, and only then runs
# `apt-get update`. Without root it names the command to run and fails.
set -euo pipefail

packages=(
    ca-certificates make cmake g++ googletest clang-format
    g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
    wine wine32:i386 xvfb xdotool imagemagick fonts-wqy-microhei fonts-wine
    clang libclang-rt-14-dev
    # Kernels that cannot run 32-bit code (ia32 emulation off) run the
    # Windows-side tests as a 64-bit build under wine64 instead.
    wine64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
)

installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]
}

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=1
fi

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
# node may come from outside apt; only fill in what is not on PATH at all.
command -v node >/dev/null 2>&1 || missing+=(nodejs)
command -v npm >/dev/null 2>&1 || missing+=(npm)

if ((need_i386 == 0 && ${#missing[@]} == 0)); then
    echo "install-deps: everything is installed"
    exit 0
fi

if ((EUID != 0)); then
    echo "install-deps: missing: ${missing[*]:-(none)}; i386 architecture: $( ((need_i386)) && echo missing || echo present)" >&2
    echo "install-deps: run as root:" >&2
    ((need_i386)) && echo "  dpkg --add-architecture i386" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi

if ((need_i386)); then
    echo "install-deps: adding the i386 architecture"
    dpkg --add-architecture i386
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${missing[@]}" </dev/null
