#!/usr/bin/env bash
# Fetches Debian's imgui source package of the given upstream version (1.86) into the given
# folder through a private sources list, from the Debian mirror the machine's own apt setup uses
# (the first of its Debian sources for its release), so that no mirror is written here and any
# mirror works. The machine's apt setup is read, never changed.
set -euo pipefail
target="$1"
version="$2"
work="$target/apt"
mkdir -p "$work/lists/partial" "$target"
# Origin, codename and address of each package index apt knows, e.g.
# "Debian|bookworm|http://deb.debian.org/debian/"; the release's own, not its -updates or
# -security.
mirror=""
release=""
while IFS='|' read -r origin codename address; do
  if [ "$origin" = Debian ] && [[ "$codename" =~ ^[a-z]+$ ]]; then
    mirror="$address"
    release="$codename"
    break
  fi
done < <(apt-get indextargets --format '$(ORIGIN)|$(CODENAME)|$(REPO_URI)' 2>/dev/null | sort -u)
if [ -z "$mirror" ]; then
  echo "fetch-imgui-source.sh: the machine's apt setup names no Debian release to take the" \
    "imgui source package from (run apt-get update first)" >&2
  exit 1
fi
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $release main" \
  > "$work/sources.list"
options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
         -o "Dir::State::Lists=$work/lists" -o "APT::Sandbox::User=root")
apt-get "${options[@]}" update -qq >/dev/null
cd "$target"
apt-get "${options[@]}" source --download-only "imgui=${version}+ds-1" >/dev/null
tar xf "imgui_${version}+ds.orig.tar.xz"
