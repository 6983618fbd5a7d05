#!/usr/bin/env bash
# Fetches Debian's imgui source package of the given upstream version (1.86) into the given
# folder through a private sources list.
set -euo pipefail
target="$1"
version="$2"
work="$target/apt"
mkdir -p "$work/lists/partial" "$target"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
  > "$work/sources.list"
options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
         -o "Dir::State::Lists=$work/lists" -o "APT::Sandbox::User=root")
apt-get "${options[@]}" update -qq >/dev/null
cd "$target"
apt-get "${options[@]}" source --download-only "imgui=${version}+ds-1" >/dev/null
tar xf "imgui_${version}+ds.orig.tar.xz"
