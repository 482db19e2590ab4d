#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need. Safe to run again:
# when everything is present it returns at once.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
read -r -a packages <<<"$(tr '\n' ' ' <"$here/packages.txt")"

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
